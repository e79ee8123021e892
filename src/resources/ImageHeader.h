#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class ImageFormat { Png, Jpeg, Tga, Bmp };

// "PNG", "JPEG", "TGA" or "BMP", for messages.
const char* formatName(ImageFormat format);

// What an image file says of itself before a pixel of it is decoded: its kind and its
// size. Decoders trust what they are told and allocate for it, so an image is only
// handed to one once its header has been read here and its size has passed the
// limits; a header that cannot be read, or describes something no decoder of ours
// takes, leaves `problem` saying why.
class ImageHeader {
public:
    // PNG, JPEG and BMP are known by their first bytes; a TGA has no signature and is
    // known by its name ending in ".tga".
    static ImageHeader probe(std::string_view bytes, std::string_view name);

    // Whether the file holds the pixel data its header promises, as far as that can be
    // told without decoding: the colour map and the uncompressed pixels fit in the
    // file, run-length packets stay inside the image and every colour index is in the
    // colour map. Empty when it does; PNG and JPEG data is left to their decoders.
    std::string pixelDataProblem(std::string_view bytes) const;

    bool usable() const { return problem.empty(); }

    ImageFormat format = ImageFormat::Png;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string problem;

private:
    // Read from TGA and BMP headers for pixelDataProblem.
    std::uint32_t pixelDataOffset = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t colourMapEntries = 0; // entries of the colour map or table
    std::uint32_t colourMapBytes = 0;   // bytes the colour map or table takes
    bool runLength = false;             // TGA types 9, 10 and 11
    // TGA types 1 and 9; a BMP whose table holds fewer colours than its indices reach.
    // Either way every index is checked against the map.
    bool colourMapped = false;
    bool bitMasks = false; // BMP: three masks precede the pixels

    static ImageHeader probePng(std::string_view bytes);
    static ImageHeader probeJpeg(std::string_view bytes);
    static ImageHeader probeTga(std::string_view bytes);
    static ImageHeader probeBmp(std::string_view bytes);
    std::string tgaDataProblem(std::string_view bytes) const;
    std::string bmpDataProblem(std::string_view bytes) const;
};
