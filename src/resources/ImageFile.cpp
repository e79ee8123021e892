#include "resources/ImageFile.h"

#include "platform/DiagnosticLine.h"
#include "platform/InputFile.h"

#include <IL/il.h>
// libjpeg's headers need FILE and size_t declared first.
#include <cstdio>
#include <jerror.h> // the warning codes
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstring>

// The decoders report errors by longjmp. Each decoding function below therefore keeps
// no object with a destructor alive across a library call: what they allocate is
// allocated before the jump target is set, or by the library itself, and freed with
// the library's own state.

namespace {

// "289 MiB", or the bytes themselves below one MiB.
std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t mib = std::uint64_t{1} << 20;
    return bytes < mib ? std::to_string(bytes) + " bytes"
                       : std::to_string((bytes + mib / 2) / mib) + " MiB";
}

std::string pixelsText(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// --- PNG through libpng -------------------------------------------------------------

struct PngSource {
    std::string_view bytes;
    std::size_t at = 0;
    char error[200] = {};
};

void readPngBytes(png_structp png, png_bytep out, std::size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->bytes.size() - source->at) {
        png_error(png, "the file ends inside its image data");
    }
    std::memcpy(out, source->bytes.data() + source->at, length);
    source->at += length;
}

void onPngError(png_structp png, png_const_charp message) {
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->error, sizeof source->error, "%s", message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// --- JPEG through libjpeg -----------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings are mostly about damage the decoder works around, as DevIL let it; data
// that stops before the image is complete is an error here: the decoder would fill the
// rest grey and call it a picture.
void onJpegMessage(j_common_ptr info, int level) {
    if (level >= 0) {
        return; // trace output
    }
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        auto* errors = reinterpret_cast<JpegErrors*>(info->err);
        std::snprintf(errors->message, sizeof errors->message,
                      "the file ends inside its image data");
        std::longjmp(errors->jump, 1);
    }
}

void ignoreJpegOutput(j_common_ptr) {}

[[noreturn]] void failJpeg(JpegErrors& errors, const char* why) {
    std::snprintf(errors.message, sizeof errors.message, "%s", why);
    std::longjmp(errors.jump, 1);
}

// --- TGA and BMP through DevIL ------------------------------------------------------

void initDevil() {
    static const bool initialised = [] {
        ilInit();
        return true;
    }();
    (void)initialised;
}

// The DevIL image bound while it lives.
class DevilImage {
public:
    DevilImage() {
        initDevil();
        ilGenImages(1, &name);
        ilBindImage(name);
    }
    ~DevilImage() { ilDeleteImages(1, &name); }
    DevilImage(const DevilImage&) = delete;
    DevilImage& operator=(const DevilImage&) = delete;

private:
    ILuint name = 0;
};

// Whether DevIL's current image is width x height and holds as many bytes as it says.
bool devilImageIs(std::uint32_t width, std::uint32_t height) {
    const ILint bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const ILint size = ilGetInteger(IL_IMAGE_SIZE_OF_DATA);
    return ilGetInteger(IL_IMAGE_WIDTH) == static_cast<ILint>(width) &&
           ilGetInteger(IL_IMAGE_HEIGHT) == static_cast<ILint>(height) &&
           ilGetInteger(IL_IMAGE_DEPTH) == 1 && bytesPerPixel > 0 && ilGetData() != nullptr &&
           size >= 0 &&
           static_cast<std::uint64_t>(size) >=
               std::uint64_t{width} * height * static_cast<std::uint64_t>(bytesPerPixel);
}

} // namespace

bool ImageFile::load(const std::string& path, const ImageLimits& limits) {
    const platform::InputFile file(path);
    wasOpened = file.isOpen();
    if (!wasOpened) {
        texels.reset();
        why = file.reason();
        return false;
    }
    return decode(file.text(), path, limits);
}

bool ImageFile::refuse(std::string reason) {
    texels.reset();
    why = std::move(reason);
    return false;
}

bool ImageFile::decode(std::string_view bytes, std::string_view name, const ImageLimits& limits) {
    wasOpened = true;
    unconverted = false;
    texels.reset();
    why.clear();
    header = ImageHeader::probe(bytes, name);
    if (!header.usable()) {
        return refuse(header.problem);
    }
    const std::uint32_t side = limits.maxSide;
    if (header.width > side || header.height > side) {
        return refuse(pixelsText(header.width, header.height) +
                      ", more than the largest texture (" + std::to_string(side) + " x " +
                      std::to_string(side) + ")");
    }
    const std::uint64_t bytesNeeded = std::uint64_t{header.width} * header.height * 4;
    if (bytesNeeded > limits.maxBytes) {
        return refuse(pixelsText(header.width, header.height) + ", " + sizeText(bytesNeeded) +
                      " of RGBA texels, more than the " + sizeText(limits.maxBytes) +
                      " an image may take");
    }
    if (std::string problem = header.pixelDataProblem(bytes); !problem.empty()) {
        return refuse(std::move(problem));
    }
    switch (header.format) {
    case ImageFormat::Png:
        texels.reset(new std::uint8_t[bytesNeeded]);
        return decodePng(bytes);
    case ImageFormat::Jpeg:
        texels.reset(new std::uint8_t[bytesNeeded]);
        return decodeJpeg(bytes, limits);
    case ImageFormat::Tga:
    case ImageFormat::Bmp:
        return decodeWithDevil(bytes);
    }
    return refuse("an image format without a decoder");
}

bool ImageFile::decodePng(std::string_view bytes) {
    PngSource source{bytes};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return refuse("out of memory for the PNG decoder");
    }
    std::uint8_t* const out = texels.get();
    const std::size_t rowBytes = std::size_t{header.width} * 4;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return refuse(std::string("the PNG data cannot be decoded (") + source.error + ")");
    }
    png_set_read_fn(png, &source, readPngBytes);
    png_read_info(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info);
    // The transformations DevIL asks of libpng, then its conversion to RGBA: palettes
    // take their transparency along, grey and RGB images their tRNS colour unless a
    // palette came with them, and 16-bit channels keep their high byte.
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS) && !png_get_valid(png, info, PNG_INFO_PLTE)) {
        png_set_tRNS_to_alpha(png);
    }
    if (depth == 16) {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_image_width(png, info) != header.width ||
        png_get_image_height(png, info) != header.height ||
        png_get_rowbytes(png, info) != rowBytes) {
        png_error(png, "the decoder's rows are not the header's");
    }
    for (int pass = 0; pass < passes; ++pass) {
        for (std::uint32_t y = 0; y < header.height; ++y) {
            png_read_row(png, out + y * rowBytes, nullptr);
        }
    }
    // Whatever follows the pixels is left unread, as DevIL leaves it.
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool ImageFile::decodeJpeg(std::string_view bytes, const ImageLimits& limits) {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onJpegError;
    errors.manager.emit_message = onJpegMessage;
    errors.manager.output_message = ignoreJpegOutput;
    std::uint8_t* const out = texels.get();
    const std::uint32_t width = header.width;
    const std::uint32_t height = header.height;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return refuse(std::string("the JPEG data cannot be decoded (") + errors.message + ")");
    }
    jpeg_create_decompress(&info);
    // A progressive image keeps every coefficient until its last scan; that memory is
    // held to the image limit as well.
    info.mem->max_memory_to_use = static_cast<long>(limits.maxBytes);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // DevIL's settings (libjpeg's defaults as well).
    info.do_block_smoothing = TRUE;
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (info.output_width != width || info.output_height != height ||
        (components != 1 && components != 3)) {
        failJpeg(errors, "the decoder's rows are not the header's");
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               width * static_cast<JDIMENSION>(components), 1);
    while (info.output_scanline < height) {
        std::uint8_t* texel = out + std::size_t{info.output_scanline} * width * 4;
        if (jpeg_read_scanlines(&info, row, 1) != 1) {
            failJpeg(errors, "the decoder gave no row");
        }
        const JSAMPLE* sample = row[0];
        for (std::uint32_t x = 0; x < width; ++x, texel += 4, sample += components) {
            texel[0] = sample[0];
            texel[1] = sample[components == 3 ? 1 : 0];
            texel[2] = sample[components == 3 ? 2 : 0];
            texel[3] = 255;
        }
    }
    // Not finished: that would read on to the end marker, which a file may lack.
    jpeg_destroy_decompress(&info);
    return true;
}

bool ImageFile::decodeWithDevil(std::string_view bytes) {
    const DevilImage image;
    const ILenum type = header.format == ImageFormat::Tga ? IL_TGA : IL_BMP;
    if (!ilLoadL(type, bytes.data(), static_cast<ILuint>(bytes.size()))) {
        return refuse(std::string("DevIL cannot decode the ") + formatName(header.format) +
                      " data");
    }
    if (!devilImageIs(header.width, header.height)) {
        return refuse(std::string("DevIL decoded the ") + formatName(header.format) +
                      " data to other than its header's " +
                      pixelsText(header.width, header.height));
    }
    if (!ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE) || !devilImageIs(header.width, header.height) ||
        ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL) != 4) {
        unconverted = true;
        return refuse("DevIL cannot convert its pixels to RGBA");
    }
    const std::size_t size = std::size_t{header.width} * header.height * 4;
    texels.reset(new std::uint8_t[size]);
    std::memcpy(texels.get(), ilGetData(), size);
    return true;
}

void ImageFile::report(const std::string& name) const {
    if (!wasOpened) {
        platform::InputFile::reportUnopenable(name, why);
        return;
    }
    platform::DiagnosticLine() << name << ": " << why;
}
