// Image files: whatever the bytes and whatever the name, the loader refuses them with a
// reason or gives exactly width x height RGBA texels within the game's limits. The first
// byte picks the name the rest is loaded under (tools/imagesamples writes seeds so),
// so a PNG named .tga, or a TGA with no extension at all, is tried as well.
#include "FuzzSupport.h"

#include "resources/ImageFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* names[] = {"fuzz.png", "fuzz.jpg", "fuzz.tga", "fuzz.bmp", "fuzz"};
    const char* name = names[data[0] % 5];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const ImageLimits limits;
    ImageFile image;
    if (!image.decode(bytes, name, limits)) {
        FUZZ_CHECK(!image.reason().empty());
        FUZZ_CHECK(image.rgba() == nullptr && image.byteCount() == 0);
        return 0;
    }
    FUZZ_CHECK(image.rgba() != nullptr);
    FUZZ_CHECK(image.width() > 0 && image.height() > 0);
    FUZZ_CHECK(image.width() <= limits.maxSide && image.height() <= limits.maxSide);
    FUZZ_CHECK(image.byteCount() == std::size_t{image.width()} * image.height() * 4);
    FUZZ_CHECK(image.byteCount() <= limits.maxBytes);
    // Every texel is there to be read, as the upload reads them.
    unsigned sum = 0;
    for (std::size_t i = 0; i < image.byteCount(); i += 61) {
        sum += image.rgba()[i];
    }
    sum += image.rgba()[image.byteCount() - 1];
    FUZZ_CHECK(sum < (1u << 31));
    return 0;
}
