#pragma once

#include "resources/ImageHeader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The largest image anything here decodes: a texture's side where no GL can be asked
// (the level checker), and the RGBA texels of one image.
constexpr std::uint32_t kMaxImageSideWithoutGl = 16384;
constexpr std::uint64_t kMaxImageBytes = std::uint64_t{256} << 20;

struct ImageLimits {
    std::uint32_t maxSide = kMaxImageSideWithoutGl;
    std::uint64_t maxBytes = kMaxImageBytes;
};

// One image file decoded to 8-bit RGBA texels, rows in the order the file stores them
// (a PNG or JPEG top row first, a TGA or BMP as its header says): the texels the
// texture manager uploads and the level checker checks. The header is read and held
// against the limits before anything is decoded, and whatever a decoder gives is held
// against the header, so a file that lies about itself is refused with a reason
// instead of being trusted. PNG is decoded by libpng and JPEG by libjpeg, as DevIL
// would call them; TGA and BMP by DevIL, from the bytes in memory.
class ImageFile {
public:
    // Opens the file through platform::InputFile (regular files of at most 256 MiB)
    // and decodes it. False when it cannot be opened (opened() is false) or cannot be
    // used (reason() says why).
    bool load(const std::string& path, const ImageLimits& limits);
    // The same for bytes already in memory; `name` names them in the reason and, for a
    // TGA, by its extension.
    bool decode(std::string_view bytes, std::string_view name, const ImageLimits& limits);

    bool opened() const { return wasOpened; }
    bool decoded() const { return texels != nullptr; }
    // Decoded, but DevIL could not turn the pixels into RGBA.
    bool conversionFailed() const { return unconverted; }
    const std::string& reason() const { return why; }
    // The lines for an image that did not load, after the loader's own first line:
    //     Unable to open file <name>      (when it cannot be opened)
    //     <name>: <reason>
    void report(const std::string& name) const;

    ImageFormat format() const { return header.format; }
    std::uint32_t width() const { return header.width; }
    std::uint32_t height() const { return header.height; }
    // width x height x 4 bytes; nullptr until decoded.
    const std::uint8_t* rgba() const { return texels.get(); }
    std::size_t byteCount() const { return decoded() ? std::size_t{width()} * height() * 4 : 0; }

private:
    bool refuse(std::string reason);
    bool decodePng(std::string_view bytes);
    bool decodeJpeg(std::string_view bytes, const ImageLimits& limits);
    bool decodeWithDevil(std::string_view bytes);

    ImageHeader header;
    // Not initialised: the decoder writes every texel, and a file that stops early is
    // refused, so a claimed size is never paid for in zeroed pages.
    std::unique_ptr<std::uint8_t[]> texels;
    bool wasOpened = false;
    bool unconverted = false;
    std::string why;
};
