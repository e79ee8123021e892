// The image loader: the texels it gives are DevIL's to the byte, and a file that lies
// about itself is refused, with a reason, before anything is allocated for it.
#include "resources/ImageFile.h"
#include "../../support/RecordedMessages.h"
#include "../../support/ScratchPath.h"

#include "ImageSamples.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Decoded {
    bool loaded = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// What the game uploaded before the loader: DevIL opens the file by its name and
// converts whatever it decoded to 8-bit RGBA.
Decoded throughDevil(const std::string& path) {
    static const bool initialised = (ilInit(), true);
    (void)initialised;
    Decoded result;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(path.c_str()) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
        result.loaded = true;
        result.width = static_cast<std::uint32_t>(ilGetInteger(IL_IMAGE_WIDTH));
        result.height = static_cast<std::uint32_t>(ilGetInteger(IL_IMAGE_HEIGHT));
        const ILubyte* data = ilGetData();
        result.rgba.assign(data, data + std::size_t{result.width} * result.height * 4);
    }
    ilDeleteImages(1, &image);
    return result;
}

Decoded throughLoader(const std::string& path) {
    ImageFile image;
    Decoded result;
    result.loaded = image.load(path, ImageLimits{});
    if (result.loaded) {
        result.width = image.width();
        result.height = image.height();
        result.rgba.assign(image.rgba(), image.rgba() + image.byteCount());
    }
    return result;
}

// The first texel where two images differ, for the failure message.
std::string firstDifference(const Decoded& a, const Decoded& b) {
    const std::size_t size = std::min(a.rgba.size(), b.rgba.size());
    for (std::size_t i = 0; i < size; ++i) {
        if (a.rgba[i] != b.rgba[i]) {
            return "byte " + std::to_string(i) + ": " + std::to_string(a.rgba[i]) + " against " +
                   std::to_string(b.rgba[i]);
        }
    }
    return "sizes " + std::to_string(a.rgba.size()) + " and " + std::to_string(b.rgba.size());
}

class ImageFiles : public testing::Test {
protected:
    // A sample written where DevIL can open it by its name.
    std::string written(const ImageSample& sample) {
        const fs::path path = folder / sample.name;
        std::ofstream(path, std::ios::binary) << sample.bytes;
        return path.string();
    }
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    // The samples' folder, this test's own.
    fs::path folder = scratchPath("images");
};

} // namespace

TEST_F(ImageFiles, ShippedTexturesDecodeToDevilsTexels) {
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("data/obj")) {
        if (entry.path().extension() != ".png") {
            continue;
        }
        const std::string path = entry.path().string();
        const Decoded expected = throughDevil(path);
        const Decoded actual = throughLoader(path);
        ASSERT_TRUE(expected.loaded) << path;
        ASSERT_TRUE(actual.loaded) << path;
        EXPECT_EQ(actual.width, expected.width) << path;
        EXPECT_EQ(actual.height, expected.height) << path;
        EXPECT_TRUE(actual.rgba == expected.rgba)
            << path << ", " << firstDifference(actual, expected);
        ++compared;
    }
    EXPECT_GE(compared, 12);
}

// Every colour type and depth of PNG, with and without tRNS and interlacing; JPEGs in
// grey and colour, baseline and progressive; TGAs and BMPs of every depth read, either
// row order: all as DevIL gives them, rows in file order.
TEST_F(ImageFiles, EveryKindOfSampleDecodesToDevilsTexels) {
    for (const ImageSample& sample : ImageSamples::valid()) {
        const std::string path = written(sample);
        const Decoded expected = throughDevil(path);
        const Decoded actual = throughLoader(path);
        ASSERT_TRUE(expected.loaded) << sample.name;
        ASSERT_TRUE(actual.loaded) << sample.name;
        EXPECT_EQ(actual.width, expected.width) << sample.name;
        EXPECT_EQ(actual.height, expected.height) << sample.name;
        EXPECT_TRUE(actual.rgba == expected.rgba)
            << sample.name << ", " << firstDifference(actual, expected);
    }
}

TEST_F(ImageFiles, RowsComeInFileOrder) {
    // A bottom-first and a top-first TGA of one picture give their rows reversed.
    const std::string bottom = ImageSamples::tga(3, 2, 2, 24, false);
    const std::string top = ImageSamples::tga(3, 2, 2, 24, true);
    ImageFile bottomFirst;
    ImageFile topFirst;
    ASSERT_TRUE(bottomFirst.decode(bottom, "b.tga", ImageLimits{}));
    ASSERT_TRUE(topFirst.decode(top, "t.tga", ImageLimits{}));
    EXPECT_EQ(std::memcmp(bottomFirst.rgba(), topFirst.rgba(), 12), 0);
    // The first texel is the first pixel the file stores, BGR turned RGB.
    EXPECT_EQ(bottomFirst.rgba()[0], ImageSamples::pattern(0, 0, 0));
    EXPECT_EQ(bottomFirst.rgba()[1], ImageSamples::pattern(0, 0, 1));
    EXPECT_EQ(bottomFirst.rgba()[2], ImageSamples::pattern(0, 0, 2));
    EXPECT_EQ(bottomFirst.rgba()[3], 255);
}

TEST(ImageLimits, SidesAndSizeAreHeldBeforeDecoding) {
    const std::string png = ImageSamples::png(40, 30, 2, 8);
    ImageFile image;
    ImageLimits small;
    small.maxSide = 32;
    EXPECT_FALSE(image.decode(png, "wide.png", small));
    EXPECT_EQ(image.reason(), "40 x 30 pixels, more than the largest texture (32 x 32)");
    EXPECT_FALSE(image.decoded());

    ImageLimits tight;
    tight.maxBytes = 40 * 30 * 4 - 1;
    EXPECT_FALSE(image.decode(png, "big.png", tight));
    EXPECT_EQ(
        image.reason(),
        "40 x 30 pixels, 4800 bytes of RGBA texels, more than the 4799 bytes an image may take");

    // Exactly at the limits is allowed.
    ImageLimits exact;
    exact.maxSide = 40;
    exact.maxBytes = 40 * 30 * 4;
    ASSERT_TRUE(image.decode(png, "fits.png", exact)) << image.reason();
    EXPECT_EQ(image.byteCount(), 40u * 30 * 4);

    // The game's limits: a header claiming a texture of 8192 x 8192 fits the side but
    // not the 256 MiB; the decoded size is what is held.
    std::string tga = ImageSamples::tga(2, 2, 2, 32);
    tga[12] = tga[13] = tga[14] = '\0';
    tga[13] = tga[15] = '\x22'; // 8704 x 8704
    EXPECT_FALSE(image.decode(tga, "claim.tga", ImageLimits{}));
    EXPECT_EQ(
        image.reason(),
        "8704 x 8704 pixels, 289 MiB of RGBA texels, more than the 256 MiB an image may take");
}

TEST_F(ImageFiles, LinesForAnImageThatDoesNotLoad) {
    ImageFile image;
    {
        RecordedMessages heard;
        EXPECT_FALSE(image.load("tests/data/textures/missing.png", ImageLimits{}));
        EXPECT_FALSE(image.opened());
        image.report("tests/data/textures/missing.png");
        EXPECT_EQ(heard.take(), "Unable to open file tests/data/textures/missing.png\n"
                                "tests/data/textures/missing.png: no such file or directory\n");
    }
    {
        // A directory is not decoded as the bytes of nothing.
        RecordedMessages heard;
        EXPECT_FALSE(image.load(folder.string(), ImageLimits{}));
        image.report("folder");
        EXPECT_EQ(heard.take(), "Unable to open file folder\nfolder: a directory, not a file\n");
    }
    {
        RecordedMessages heard;
        const std::string path = written({"huge.tga", std::string("\0\0\2\0\0\0\0\0\0\0\0\0"
                                                                  "\xff\xff\xff\xff\x20\0",
                                                                  18)});
        EXPECT_FALSE(image.load(path, ImageLimits{}));
        EXPECT_TRUE(image.opened());
        image.report("huge.tga");
        EXPECT_EQ(
            heard.take(),
            "huge.tga: 65535 x 65535 pixels, more than the largest texture (16384 x 16384)\n");
    }
}

// Decoded sizes are checked against the header before anything is converted.
TEST(ImageDecoding, CutOrDamagedDataIsRefusedNotFilledIn) {
    ImageFile image;
    const std::string png = ImageSamples::png(16, 16, 6, 8);
    EXPECT_FALSE(image.decode(png.substr(0, png.size() - 20), "cut.png", ImageLimits{}));
    EXPECT_EQ(image.reason().rfind("the PNG data cannot be decoded (", 0), 0u) << image.reason();

    const std::string jpeg = ImageSamples::jpeg(32, 32, 3);
    EXPECT_FALSE(image.decode(jpeg.substr(0, jpeg.size() * 3 / 4), "cut.jpg", ImageLimits{}));
    EXPECT_EQ(image.reason(),
              "the JPEG data cannot be decoded (the file ends inside its image data)");

    // DevIL gets nothing it has to check itself.
    const std::string tga = ImageSamples::tga(8, 8, 2, 24);
    EXPECT_FALSE(image.decode(tga.substr(0, tga.size() / 2), "cut.tga", ImageLimits{}));
    EXPECT_EQ(image.reason(), "the file ends before its pixel data (" +
                                  std::to_string(tga.size() / 2) + " bytes of the " +
                                  std::to_string(tga.size()) + " its header needs)");
    EXPECT_FALSE(image.decoded());
    EXPECT_EQ(image.byteCount(), 0u);
}

// Every broken copy of every sample: refused with a reason, or decoded to as many
// texels as its header gives, within the limits. Under the sanitizers this is also
// the check that no decoder reads or writes outside its buffers, or leaks.
TEST(ImageDecoding, BrokenCorpusIsRefusedOrDecodedToItsSize) {
    const ImageLimits limits;
    std::size_t refused = 0;
    std::size_t decoded = 0;
    for (const ImageSample& sample : ImageSamples::brokenCorpus()) {
        ImageFile image;
        if (image.decode(sample.bytes, sample.name, limits)) {
            ASSERT_NE(image.rgba(), nullptr) << sample.name;
            ASSERT_GT(image.width(), 0u) << sample.name;
            ASSERT_LE(image.width(), limits.maxSide) << sample.name;
            ASSERT_LE(image.height(), limits.maxSide) << sample.name;
            ASSERT_EQ(image.byteCount(), std::size_t{image.width()} * image.height() * 4);
            ASSERT_LE(image.byteCount(), limits.maxBytes) << sample.name;
            ++decoded;
        } else {
            ASSERT_FALSE(image.reason().empty()) << sample.name;
            ASSERT_EQ(image.byteCount(), 0u) << sample.name;
            ++refused;
        }
    }
    // Most are broken beyond use; a few (a flipped pixel byte, a wrong name) still decode.
    EXPECT_GT(refused, 5000u);
    EXPECT_GT(decoded, 100u);
}
