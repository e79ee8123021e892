// Image headers read before decoding: the kind and size of each format, and the lies a
// header can tell about what follows it.
#include "resources/ImageHeader.h"

#include "ImageSamples.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void setLittle(std::string& bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xff);
    }
}

std::string problemOf(const std::string& bytes, const char* name) {
    const ImageHeader header = ImageHeader::probe(bytes, name);
    if (!header.usable()) {
        return header.problem;
    }
    return header.pixelDataProblem(bytes);
}

// A little-endian number of `width` bytes written at `at` of a good file, and the
// problem the header check must then find.
struct HeaderLie {
    std::size_t at;
    std::uint32_t value;
    int width;
    const char* problem;
};

template <std::size_t N>
void expectProblems(const std::string& good, const char* name, const HeaderLie (&lies)[N]) {
    for (const HeaderLie& lie : lies) {
        std::string bytes = good;
        setLittle(bytes, lie.at, lie.value, lie.width);
        EXPECT_EQ(problemOf(bytes, name), lie.problem) << "byte " << lie.at;
    }
}

} // namespace

TEST(ImageHeaders, EachFormatGivesItsKindAndSize) {
    const struct {
        std::string bytes;
        const char* name;
        ImageFormat format;
        std::uint32_t width;
        std::uint32_t height;
    } cases[] = {
        {ImageSamples::png(7, 5, 3, 4), "a.png", ImageFormat::Png, 7, 5},
        {ImageSamples::jpeg(17, 9, 3), "a.jpg", ImageFormat::Jpeg, 17, 9},
        {ImageSamples::jpeg(12, 12, 1, true), "a.jpg", ImageFormat::Jpeg, 12, 12},
        {ImageSamples::tga(7, 5, 10, 32), "a.TGA", ImageFormat::Tga, 7, 5},
        {ImageSamples::bmp(7, 5, 8), "a.bmp", ImageFormat::Bmp, 7, 5},
        {ImageSamples::bmp(7, 5, 24, true), "a.bmp", ImageFormat::Bmp, 7, 5},
        // Signatures win over names; only a TGA, having none, goes by its name.
        {ImageSamples::png(3, 2, 2, 8), "a.tga", ImageFormat::Png, 3, 2},
        {ImageSamples::bmp(3, 2, 24), "noname", ImageFormat::Bmp, 3, 2},
    };
    for (const auto& c : cases) {
        const ImageHeader header = ImageHeader::probe(c.bytes, c.name);
        EXPECT_TRUE(header.usable()) << c.name << ": " << header.problem;
        EXPECT_EQ(header.format, c.format) << c.name;
        EXPECT_EQ(header.width, c.width) << c.name;
        EXPECT_EQ(header.height, c.height) << c.name;
        EXPECT_EQ(header.pixelDataProblem(c.bytes), "") << c.name;
    }
    EXPECT_EQ(problemOf(ImageSamples::tga(3, 2, 2, 24), "a.png"),
              "not a PNG, JPEG, TGA or BMP image");
    EXPECT_EQ(problemOf("GIF89a......", "a.gif"), "not a PNG, JPEG, TGA or BMP image");
    EXPECT_EQ(problemOf("", "a.png"), "an empty file");
}

TEST(ImageHeaders, PngHeaderLies) {
    const std::string png = ImageSamples::png(4, 4, 2, 8);
    EXPECT_EQ(problemOf(png.substr(0, 20), "a.png"),
              "the PNG header is cut short (20 of 33 bytes)");
    std::string lie = png;
    lie[15] = 'X'; // IHDR renamed
    EXPECT_EQ(problemOf(lie, "a.png"), "the PNG file does not begin with its IHDR header");
    lie = png;
    lie[25] = 3; // colour index at 8 bits is fine, at 16 it does not exist
    lie[24] = 16;
    EXPECT_EQ(problemOf(lie, "a.png"),
              "the PNG header gives colour type 3 at 16 bits, which PNG does not have");
    lie = png;
    lie[16] = '\x80'; // width 2^31 + 4
    EXPECT_EQ(problemOf(lie, "a.png"), "the PNG header gives a size past the format's largest");
    lie = png;
    lie[19] = 0;
    EXPECT_EQ(problemOf(lie, "a.png"), "0 x 4 pixels: an image with no pixels");
}

TEST(ImageHeaders, JpegFrameHeaderIsFoundPastOtherSegments) {
    const std::string jpeg = ImageSamples::jpeg(17, 9, 3);
    // Cut inside the segments before the frame, or right before it.
    EXPECT_EQ(problemOf(jpeg.substr(0, 30), "a.jpg"), "the JPEG file ends before its frame header");
    std::size_t frame = jpeg.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    EXPECT_EQ(problemOf(jpeg.substr(0, frame + 6), "a.jpg"), "the JPEG frame header is cut short");
    std::string lie = jpeg;
    lie[frame + 4] = 12;
    EXPECT_EQ(problemOf(lie, "a.jpg"), "a JPEG of 12-bit samples; only 8-bit ones are read");
    lie = jpeg;
    lie[frame + 9] = 4;
    EXPECT_EQ(problemOf(lie, "a.jpg"),
              "a JPEG of 4 colour components; only grey and colour (1 and 3) are read");
    lie = jpeg;
    lie[frame + 5] = lie[frame + 6] = 0; // height left to a DNL marker
    EXPECT_EQ(problemOf(lie, "a.jpg"), "17 x 0 pixels: an image with no pixels");
    // Scan data with no frame before it; a segment whose length cannot be.
    EXPECT_EQ(problemOf(std::string("\xff\xd8\xff\xda\x00\x08", 6), "a.jpg"),
              "the JPEG file has no frame header before its image data");
    EXPECT_EQ(problemOf(std::string("\xff\xd8\xff\xe0\x00\x01", 6), "a.jpg"),
              "a JPEG marker segment of length 1, shorter than its length field");
    // 40000 x 40000 is read as it stands, for the limits to refuse.
    lie = jpeg;
    lie[frame + 5] = lie[frame + 7] = '\x9c';
    lie[frame + 6] = lie[frame + 8] = '\x40';
    const ImageHeader header = ImageHeader::probe(lie, "a.jpg");
    EXPECT_TRUE(header.usable());
    EXPECT_EQ(header.width, 40000u);
    EXPECT_EQ(header.height, 40000u);
}

TEST(ImageHeaders, TgaHeaderAndColourMapLies) {
    const std::string mapped = ImageSamples::tga(7, 5, 1, 8); // 16 entries of 24 bits
    const HeaderLie lies[] = {
        {2, 5, 1, "a TGA of image type 5; only types 1, 2, 3, 9, 10 and 11 are read"},
        {17, 0x10, 1, "a TGA stored right to left, which is not read"},
        {1, 2, 1, "a TGA colour map type of 2 (0 or 1)"},
        {1, 0, 1, "a colour-mapped TGA without a colour map"},
        {5, 0, 2, "a colour-mapped TGA without a colour map"},
        {16, 16, 1, "a colour-mapped TGA of 16-bit indices; only 8-bit ones are read"},
        {7, 15, 1, "a TGA colour map of 15-bit entries; only 16, 24 and 32 bits are read"},
        {3, 250, 2, "a TGA colour map of entries 250 to 265, past what 8-bit indices reach"},
        {5, 80, 2, "the colour map runs past the end of the file"},
        // Four entries: the rest of the map is read as pixels.
        {5, 4, 2, "colour index 203 is past the end of the colour map (4 entries)"},
        {2, 2, 1, "a true-colour or grey TGA that carries a colour map, which is not read"},
        {12, 0, 2, "0 x 5 pixels: an image with no pixels"},
    };
    expectProblems(mapped, "a.tga", lies);
    std::string trueColour = ImageSamples::tga(7, 5, 2, 24);
    trueColour[16] = 8;
    EXPECT_EQ(problemOf(trueColour, "a.tga"),
              "a true-colour TGA of 8 bits a pixel; only 15, 16, 24 and 32 are read");
    std::string grey = ImageSamples::tga(7, 5, 3, 8);
    grey[16] = 16;
    EXPECT_EQ(problemOf(grey, "a.tga"), "a grey TGA of 16 bits a pixel; only 8 is read");
    EXPECT_EQ(problemOf(grey.substr(0, 10), "a.tga"),
              "the TGA header is cut short (10 of 18 bytes)");
}

TEST(ImageHeaders, TgaPixelDataThatEndsEarlyOrOverruns) {
    // The header of a 7 x 5 image, and nothing after it.
    std::string header = ImageSamples::tga(7, 5, 2, 32).substr(0, 18);
    header[0] = 0;
    EXPECT_EQ(problemOf(header, "a.tga"),
              "the file ends before its pixel data (18 bytes of the 158 its header needs)");
    const std::string plain = ImageSamples::tga(6, 4, 3, 8);
    EXPECT_EQ(problemOf(plain.substr(0, plain.size() - 1), "a.tga"),
              "the file ends before its pixel data (41 bytes of the 42 its header needs)");

    const std::string packed = ImageSamples::tga(7, 5, 10, 24);
    EXPECT_EQ(problemOf(packed.substr(0, packed.size() - 1), "a.tga"),
              "the file ends inside its run-length pixel data");
    EXPECT_EQ(problemOf(packed.substr(0, 18), "a.tga"),
              "the file ends inside its run-length pixel data");
    std::string overrun = packed;
    overrun[18] = '\xff'; // a run of 128 pixels in an image of 35
    EXPECT_EQ(problemOf(overrun, "a.tga"), "a run-length packet runs past the end of the image");
    overrun[18] = '\x7f'; // 128 raw pixels
    EXPECT_EQ(problemOf(overrun, "a.tga"), "a run-length packet runs past the end of the image");

    std::string index = ImageSamples::tga(7, 5, 9, 8);
    index[18 + 16 * 3 + 1] = 16; // the first packet's pixel; the map has 16 entries
    EXPECT_EQ(problemOf(index, "a.tga"),
              "colour index 16 is past the end of the colour map (16 entries)");
}

TEST(ImageHeaders, BmpHeaderLies) {
    const std::string bmp = ImageSamples::bmp(7, 5, 8);
    const HeaderLie lies[] = {
        {14, 124, 4, "a BMP with a 124-byte info header; only the 40-byte one is read"},
        {18, 0xfffffff0u, 4, "a BMP width of -16"},
        {26, 2, 2, "a BMP of 2 planes; only 1 is read"},
        {28, 2, 2, "a BMP of 2 bits a pixel; only 1, 4, 8, 16, 24 and 32 are read"},
        {30, 1, 4, "a run-length compressed BMP, which is not read"},
        {30, 3, 4, "BMP bit masks on 8-bit pixels"},
        {30, 4, 4, "a BMP of compression type 4, which is not read"},
        {10, 20, 4, "the pixel data offset 20 lies outside the file (54 to 1118)"},
        {10, 5000, 4, "the pixel data offset 5000 lies outside the file (54 to 1118)"},
        {22, 6, 4, "the file ends before its pixel data (1118 bytes of the 1126 its header needs)"},
        {22, 0, 4, "7 x 0 pixels: an image with no pixels"},
        {46, 300, 4, "a BMP colour table of 300 entries, more than 8-bit pixels can use"},
        {46, 0xffffffffu, 4,
         "a BMP colour table of 4294967295 entries, more than 8-bit pixels can use"},
        // Four colours: the first pixel's index is 17.
        {46, 4, 4, "colour index 17 is past the end of the colour table (4 entries)"},
    };
    expectProblems(bmp, "a.bmp", lies);
    // Negative heights are top-first pictures, the full range of them.
    std::string top = bmp;
    setLittle(top, 22, 0x80000000u, 4);
    const ImageHeader header = ImageHeader::probe(top, "a.bmp");
    EXPECT_EQ(header.height, 0x80000000u);
    EXPECT_EQ(problemOf(bmp.substr(0, 40), "a.bmp"),
              "the BMP header is cut short (40 of 54 bytes)");
    EXPECT_EQ(problemOf(bmp.substr(0, 600), "a.bmp"),
              "the colour table runs past the end of the file");
}
