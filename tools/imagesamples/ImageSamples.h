#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One image file held in memory; the name carries the extension the loader sees.
struct ImageSample {
    std::string name;
    std::string bytes;
};

// Small images of every kind the image loader reads, written here by libpng, libjpeg
// and by hand (TGA, BMP), and broken copies of them: cut at many places, with sizes,
// colour maps and run lengths that lie, under the wrong extension. The tests decode
// them, and the fuzzer starts from them.
class ImageSamples {
public:
    // The test pattern: a different value in every channel of every pixel, with
    // stretches of equal pixels so that run-length packets of both kinds appear.
    static std::uint8_t pattern(int x, int y, int channel);

    // colourType and depth as in the PNG header; `transparency` adds a tRNS chunk.
    static std::string png(int width, int height, int colourType, int depth,
                           bool interlaced = false, bool transparency = false);
    // components 1 (grey) or 3 (colour).
    static std::string jpeg(int width, int height, int components, bool progressive = false);
    // type as in the TGA header (1, 2, 3, 9, 10, 11); colour-mapped ones get a colour map
    // of 16 entries of mapDepth bits.
    static std::string tga(int width, int height, int type, int depth, bool topFirst = false,
                           int mapDepth = 24);
    // depth 1, 4, 8, 16 (5-6-5 bit masks), 24 or 32.
    static std::string bmp(int width, int height, int depth, bool topFirst = false);

    // Every kind above, in its variants.
    static std::vector<ImageSample> valid();
    // The broken copies of one valid sample.
    static std::vector<ImageSample> broken(const ImageSample& sample);
    // broken() of every valid() sample.
    static std::vector<ImageSample> brokenCorpus();

    // Recomputes every chunk CRC of a PNG, so that a changed header or image chunk is
    // taken as written instead of failing its check.
    static void fixPngChecksums(std::string& png);
};
