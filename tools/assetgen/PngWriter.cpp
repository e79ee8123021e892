#include "PngWriter.h"

#include <cstdio>

#include <IL/il.h>

bool PngWriter::write(const std::string& path, const Image& image, bool withAlpha) {
    const int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> data = image.bytes(channels);
    ilInit();
    ILuint handle = 0;
    ilGenImages(1, &handle);
    ilBindImage(handle);
    bool saved = ilTexImage(static_cast<ILuint>(image.width()), static_cast<ILuint>(image.height()),
                            1, static_cast<ILubyte>(channels), withAlpha ? IL_RGBA : IL_RGB,
                            IL_UNSIGNED_BYTE, data.data()) == IL_TRUE;
    if (saved) {
        // Our rows are top first; without this DevIL flips the image on saving.
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
        ilEnable(IL_FILE_OVERWRITE);
        saved = ilSaveImage(path.c_str()) == IL_TRUE;
    }
    ilDeleteImages(1, &handle);
    if (!saved) {
        std::printf("Unable to write image file %s\n", path.c_str());
    }
    return saved;
}
