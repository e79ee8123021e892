#include "ImageSamples.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>

namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>(value >> 8 & 0xff);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}
void set16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xff);
}
void set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    set16(bytes, at, value & 0xffff);
    set16(bytes, at + 2, value >> 16);
}
void setBig16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value >> 8 & 0xff);
    bytes[at + 1] = static_cast<char>(value & 0xff);
}
void setBig32(std::string& bytes, std::size_t at, std::uint32_t value) {
    setBig16(bytes, at, value >> 16);
    setBig16(bytes, at + 2, value & 0xffff);
}
std::uint32_t big32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void appendPng(png_structp png, png_bytep data, std::size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void flushPng(png_structp) {}

int pngChannels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

// One sample of the pattern at a PNG bit depth; 16-bit ones get a low byte that
// differs from the high one, to tell how 16 bits become 8.
std::uint32_t pngSample(int x, int y, int channel, int colourType, int depth) {
    const std::uint32_t value = ImageSamples::pattern(x, y, channel);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        return value % static_cast<std::uint32_t>(std::min(1 << depth, 16));
    }
    if (depth == 16) {
        return value << 8 | ((value * 7 + static_cast<std::uint32_t>(x)) & 0xff);
    }
    return depth < 8 ? value >> (8 - depth) : value;
}

// One row of a PNG as stored: samples packed to the bit depth, 16-bit ones big-endian.
std::vector<png_byte> pngRow(int width, int y, int colourType, int depth) {
    const int channels = pngChannels(colourType);
    std::vector<png_byte> row(static_cast<std::size_t>((width * channels * depth + 7) / 8));
    for (int x = 0; x < width; ++x) {
        for (int c = 0; c < channels; ++c) {
            const auto sample = static_cast<std::size_t>(x * channels + c);
            const std::uint32_t value = pngSample(x, y, c, colourType, depth);
            if (depth == 16) {
                row[sample * 2] = static_cast<png_byte>(value >> 8);
                row[sample * 2 + 1] = static_cast<png_byte>(value);
            } else if (depth == 8) {
                row[sample] = static_cast<png_byte>(value);
            } else {
                const std::size_t bit = sample * static_cast<std::size_t>(depth);
                row[bit / 8] |= static_cast<png_byte>(value << (8 - depth - bit % 8));
            }
        }
    }
    return row;
}

std::string pngFile(int width, int height, int colourType, int depth, bool interlaced,
                    bool transparency, bool suggestedPalette) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "ImageSamples: libpng could not write a sample\n");
        std::abort();
    }
    png_set_write_fn(png, &out, appendPng, flushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 depth, colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int paletteSize = colourType == PNG_COLOR_TYPE_PALETTE ? std::min(1 << depth, 16) : 16;
    png_color palette[16];
    png_byte alphas[16];
    for (int i = 0; i < 16; ++i) {
        palette[i] = {static_cast<png_byte>(i * 37), static_cast<png_byte>(i * 91 + 5),
                      static_cast<png_byte>(255 - i * 13)};
        alphas[i] = static_cast<png_byte>(i * 40);
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE || suggestedPalette) {
        png_set_PLTE(png, info, palette, paletteSize);
    }
    if (transparency) {
        // The colour of the first pixel, so that some pixels turn transparent.
        png_color_16 colour{};
        colour.gray = static_cast<png_uint_16>(pngSample(0, 0, 0, colourType, depth));
        colour.red = colour.gray;
        colour.green = static_cast<png_uint_16>(pngSample(0, 0, 1, colourType, depth));
        colour.blue = static_cast<png_uint_16>(pngSample(0, 0, 2, colourType, depth));
        png_set_tRNS(png, info, alphas, paletteSize / 2 + 1, &colour);
    }
    png_write_info(png, info);
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < height; ++y) {
        rows.push_back(pngRow(width, y, colourType, depth));
    }
    for (auto& row : rows) {
        rowPointers.push_back(row.data());
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// TGA and BMP pixels as the file stores them, one byte string a pixel.
std::string tgaPixel(int x, int y, int type, int depth) {
    std::string pixel;
    const auto r = ImageSamples::pattern(x, y, 0);
    const auto g = ImageSamples::pattern(x, y, 1);
    const auto b = ImageSamples::pattern(x, y, 2);
    if (type == 1 || type == 9) {
        pixel += static_cast<char>(r % 16);
    } else if (type == 3 || type == 11) {
        pixel += static_cast<char>(r);
    } else if (depth == 15 || depth == 16) {
        put16(pixel, 0x8000u | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
    } else {
        pixel += static_cast<char>(b);
        pixel += static_cast<char>(g);
        pixel += static_cast<char>(r);
        if (depth == 32) {
            pixel += static_cast<char>(ImageSamples::pattern(x, y, 3));
        }
    }
    return pixel;
}

// Run-length packets over the pixels in file order: a run where two or more pixels
// repeat, raw packets in between.
std::string runLengthPackets(const std::vector<std::string>& pixels) {
    std::string out;
    std::size_t i = 0;
    while (i < pixels.size()) {
        std::size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) {
            ++run;
        }
        if (run >= 2) {
            out += static_cast<char>(0x80 | (run - 1));
            out += pixels[i];
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               !(i + raw + 1 < pixels.size() && pixels[i + raw] == pixels[i + raw + 1])) {
            ++raw;
        }
        out += static_cast<char>(raw - 1);
        for (std::size_t k = 0; k < raw; ++k) {
            out += pixels[i + k];
        }
        i += raw;
    }
    return out;
}

// Where a JPEG's frame header keeps its height (the width follows).
std::size_t jpegFrameSizeAt(const std::string& jpeg) {
    for (std::size_t at = 2; at + 9 < jpeg.size();) {
        const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
        const std::size_t length = static_cast<unsigned char>(jpeg[at + 2]) << 8 |
                                   static_cast<unsigned char>(jpeg[at + 3]);
        if (marker >= 0xc0 && marker <= 0xc2) {
            return at + 5;
        }
        at += 2 + length;
    }
    return 0;
}

std::string extensionOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot);
}

std::string baseOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

std::uint8_t ImageSamples::pattern(int x, int y, int channel) {
    const int column = y % 3 == 0 ? 0 : x; // every third row is one colour
    return static_cast<std::uint8_t>(column * 53 + y * 97 + channel * 71 + column * y * 3 + 17);
}

std::string ImageSamples::png(int width, int height, int colourType, int depth, bool interlaced,
                              bool transparency) {
    return pngFile(width, height, colourType, depth, interlaced, transparency, false);
}

std::string ImageSamples::jpeg(int width, int height, int components, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components));
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                row[static_cast<std::size_t>(x * components + c)] = pattern(x, y, c);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string ImageSamples::tga(int width, int height, int type, int depth, bool topFirst,
                              int mapDepth) {
    const bool mapped = type == 1 || type == 9;
    const std::string id = type == 2 ? "vellamora" : "";
    std::string out;
    out += static_cast<char>(id.size());
    out += static_cast<char>(mapped ? 1 : 0);
    out += static_cast<char>(type);
    put16(out, 0);
    put16(out, mapped ? 16 : 0);
    out += static_cast<char>(mapped ? mapDepth : 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(width));
    put16(out, static_cast<std::uint32_t>(height));
    out += static_cast<char>(depth);
    const int alphaBits = depth == 32 ? 8 : depth == 16 ? 1 : 0;
    out += static_cast<char>((topFirst ? 0x20 : 0) | alphaBits);
    out += id;
    for (int i = 0; mapped && i < 16; ++i) {
        const auto r = static_cast<std::uint32_t>(i * 37 & 0xff);
        const auto g = static_cast<std::uint32_t>((i * 91 + 5) & 0xff);
        const auto b = static_cast<std::uint32_t>((255 - i * 13) & 0xff);
        if (mapDepth == 16) {
            put16(out, (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
            continue;
        }
        out += static_cast<char>(b);
        out += static_cast<char>(g);
        out += static_cast<char>(r);
        if (mapDepth == 32) {
            out += static_cast<char>(i * 16);
        }
    }
    std::vector<std::string> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(tgaPixel(x, y, type, depth));
        }
    }
    if (type >= 9) {
        out += runLengthPackets(pixels);
    } else {
        for (const std::string& pixel : pixels) {
            out += pixel;
        }
    }
    return out;
}

std::string ImageSamples::bmp(int width, int height, int depth, bool topFirst) {
    const int colours = depth <= 8 ? 1 << depth : 0;
    const int masks = depth == 16 ? 12 : 0;
    const int rowBytes = (width * depth + 31) / 32 * 4;
    const int offset = 54 + colours * 4 + masks;
    std::string out = "BM";
    put32(out, static_cast<std::uint32_t>(offset + rowBytes * height));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(offset));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(topFirst ? -height : height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(depth));
    put32(out, depth == 16 ? 3 : 0);
    put32(out, static_cast<std::uint32_t>(rowBytes * height));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(colours));
    put32(out, 0);
    for (int i = 0; i < colours; ++i) {
        out += static_cast<char>(255 - i * 13);
        out += static_cast<char>(i * 91 + 5);
        out += static_cast<char>(i * 37);
        out += '\0';
    }
    if (depth == 16) {
        put32(out, 0xf800);
        put32(out, 0x07e0);
        put32(out, 0x001f);
    }
    for (int y = 0; y < height; ++y) {
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            const auto r = pattern(x, y, 0);
            const auto g = pattern(x, y, 1);
            const auto b = pattern(x, y, 2);
            const auto at = static_cast<std::size_t>(x * depth / 8);
            switch (depth) {
            case 1:
            case 4: {
                const int index = r % colours;
                row[at] = static_cast<char>(row[at] | index << (8 - depth - x * depth % 8));
                break;
            }
            case 8:
                row[at] = static_cast<char>(r);
                break;
            case 16:
                set16(row, at, static_cast<std::uint32_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3));
                break;
            default:
                row[at] = static_cast<char>(b);
                row[at + 1] = static_cast<char>(g);
                row[at + 2] = static_cast<char>(r);
                if (depth == 32) {
                    row[at + 3] = static_cast<char>(pattern(x, y, 3));
                }
            }
        }
        out += row;
    }
    return out;
}

std::vector<ImageSample> ImageSamples::valid() {
    std::vector<ImageSample> samples;
    const auto add = [&](std::string name, std::string bytes) {
        samples.push_back({std::move(name), std::move(bytes)});
    };
    const struct {
        int colourType;
        int depth;
    } pngKinds[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                    {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    for (const auto& kind : pngKinds) {
        const std::string base =
            "png-" + std::to_string(kind.colourType) + "-" + std::to_string(kind.depth);
        add(base + ".png", png(7, 5, kind.colourType, kind.depth));
        add(base + "-interlaced.png", png(9, 7, kind.colourType, kind.depth, true));
        if (kind.colourType < 4) {
            add(base + "-trns.png", png(7, 5, kind.colourType, kind.depth, false, true));
        }
    }
    // A true-colour image with a suggested palette and a tRNS colour.
    add("png-2-8-plte-trns.png", pngFile(6, 4, 2, 8, false, true, true));

    add("jpeg-colour.jpg", jpeg(16, 16, 3));
    add("jpeg-colour-odd.jpg", jpeg(17, 9, 3));
    add("jpeg-grey.jpg", jpeg(8, 8, 1));
    add("jpeg-colour-progressive.jpg", jpeg(13, 11, 3, true));
    add("jpeg-grey-progressive.jpg", jpeg(12, 12, 1, true));

    add("tga-2-24.tga", tga(7, 5, 2, 24));
    add("tga-2-24-top.tga", tga(7, 5, 2, 24, true));
    add("tga-2-32.tga", tga(7, 5, 2, 32));
    add("tga-2-16.tga", tga(7, 5, 2, 16));
    add("tga-2-15.tga", tga(5, 3, 2, 15));
    add("tga-3-8.tga", tga(7, 5, 3, 8));
    add("tga-1-24.tga", tga(7, 5, 1, 8));
    add("tga-1-32.tga", tga(7, 5, 1, 8, true, 32));
    add("tga-1-16.tga", tga(7, 5, 1, 8, false, 16));
    add("tga-10-24.tga", tga(7, 5, 10, 24));
    add("tga-10-32.tga", tga(40, 6, 10, 32, true));
    add("tga-10-16.tga", tga(7, 5, 10, 16));
    add("tga-11-8.tga", tga(9, 5, 11, 8));
    add("tga-9-24.tga", tga(7, 5, 9, 8));

    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        add("bmp-" + std::to_string(depth) + ".bmp", bmp(7, 5, depth));
    }
    add("bmp-24-top.bmp", bmp(7, 5, 24, true));
    add("bmp-8-one.bmp", bmp(1, 1, 8));
    add("bmp-1-wide.bmp", bmp(33, 2, 1));
    return samples;
}

void ImageSamples::fixPngChecksums(std::string& png) {
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = big32(png, at);
        if (length > png.size() - at - 12) {
            return;
        }
        const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        const auto crc = static_cast<std::uint32_t>(crc32(0, chunk, length + 4));
        setBig32(png, at + 8 + length, crc);
        at += 12 + length;
    }
}

std::vector<ImageSample> ImageSamples::broken(const ImageSample& sample) {
    std::vector<ImageSample> out;
    const std::string& bytes = sample.bytes;
    const std::string base = baseOf(sample.name);
    const std::string extension = extensionOf(sample.name);
    const auto add = [&](const std::string& what, std::string changed) {
        out.push_back({base + "-" + what + extension, std::move(changed)});
    };

    // Cut short: at every byte of the first 64, then at sixteenths of the file.
    for (std::size_t cut = 0; cut < std::min<std::size_t>(64, bytes.size()); ++cut) {
        add("cut" + std::to_string(cut), bytes.substr(0, cut));
    }
    for (std::size_t part = 1; part < 16; ++part) {
        const std::size_t cut = bytes.size() * part / 16;
        if (cut >= 64) {
            add("cut" + std::to_string(cut), bytes.substr(0, cut));
        }
    }
    add("cut-last", bytes.substr(0, bytes.size() - 1));

    // Sizes that lie, by format.
    const std::uint32_t sizes[][2] = {
        {0, 5},       {5, 0},       {65535, 65535}, {32768, 32768}, {40000, 40000}, {16384, 16384},
        {8192, 8192}, {8192, 8191}, {9000, 2},      {2, 9000},      {64, 64},       {1, 1}};
    for (const auto& size : sizes) {
        const std::string what = "size" + std::to_string(size[0]) + "x" + std::to_string(size[1]);
        std::string lie = bytes;
        if (extension == ".png" && lie.size() >= 33) {
            setBig32(lie, 16, size[0]);
            setBig32(lie, 20, size[1]);
            fixPngChecksums(lie);
        } else if (extension == ".jpg") {
            const std::size_t at = jpegFrameSizeAt(lie);
            if (at == 0 || size[0] > 65535 || size[1] > 65535) {
                continue;
            }
            setBig16(lie, at, size[1]);
            setBig16(lie, at + 2, size[0]);
        } else if (extension == ".tga" && lie.size() >= 18) {
            if (size[0] > 65535 || size[1] > 65535) {
                continue;
            }
            set16(lie, 12, size[0]);
            set16(lie, 14, size[1]);
        } else if (extension == ".bmp" && lie.size() >= 54) {
            set32(lie, 18, size[0]);
            set32(lie, 22, size[1]);
        } else {
            continue;
        }
        add(what, std::move(lie));
    }

    // Header fields that lie, by format: depths, colour maps, offsets, run lengths.
    const auto field = [&](const std::string& what, std::size_t at, int width,
                           std::uint32_t value) {
        if (bytes.size() < at + static_cast<std::size_t>(width)) {
            return;
        }
        std::string lie = bytes;
        if (width == 1) {
            lie[at] = static_cast<char>(value);
        } else if (width == 2) {
            set16(lie, at, value);
        } else {
            set32(lie, at, value);
        }
        add(what, std::move(lie));
    };
    if (extension == ".tga") {
        field("idlength", 0, 1, 255);
        field("maptype", 1, 1, 1);
        field("nomap", 1, 1, 0);
        for (const std::uint32_t type : {0u, 1u, 2u, 3u, 9u, 10u, 11u, 32u}) {
            field("type" + std::to_string(type), 2, 1, type);
        }
        field("mapfirst", 3, 2, 250);
        for (const std::uint32_t entries : {0u, 1u, 300u, 65535u}) {
            field("mapentries" + std::to_string(entries), 5, 2, entries);
        }
        for (const std::uint32_t bits : {0u, 8u, 15u, 16u, 24u, 32u}) {
            field("mapbits" + std::to_string(bits), 7, 1, bits);
        }
        for (const std::uint32_t bits : {0u, 1u, 8u, 15u, 16u, 24u, 32u, 255u}) {
            field("depth" + std::to_string(bits), 16, 1, bits);
        }
        field("rightleft", 17, 1, 0x10);
        // The first packet a run of 128: past the end of a small image.
        const std::size_t dataAt = 18 + static_cast<unsigned char>(bytes[0]) +
                                   (bytes[1] ? (static_cast<unsigned char>(bytes[5]) |
                                                static_cast<unsigned char>(bytes[6]) << 8) *
                                                   ((static_cast<unsigned char>(bytes[7]) + 7) / 8)
                                             : 0);
        field("runpast", dataAt, 1, 0xff);
        field("rawpast", dataAt, 1, 0x7f);
        field("index", dataAt + 1, 1, 200);
    } else if (extension == ".bmp") {
        for (const std::uint32_t size : {12u, 56u, 108u, 124u}) {
            field("infosize" + std::to_string(size), 14, 4, size);
        }
        for (const std::uint32_t offset : {0u, 14u, 53u, 66u, 0x7fffffffu, 0xffffffffu}) {
            field("offset" + std::to_string(offset), 10, 4, offset);
        }
        for (const std::uint32_t depth : {0u, 1u, 2u, 4u, 8u, 16u, 24u, 32u, 64u}) {
            field("depth" + std::to_string(depth), 28, 2, depth);
        }
        for (const std::uint32_t compression : {0u, 1u, 2u, 3u, 4u, 99u}) {
            field("compression" + std::to_string(compression), 30, 4, compression);
        }
        field("planes", 26, 2, 3);
        field("negativewidth", 18, 4, 0xfffffff0u);
        field("topfirst-huge", 22, 4, 0x80000000u);
        field("colours", 46, 4, 0xffffffffu);
    } else if (extension == ".png") {
        for (const std::uint32_t depth : {0u, 1u, 3u, 8u, 16u, 32u}) {
            std::string lie = bytes;
            if (lie.size() >= 33) {
                lie[24] = static_cast<char>(depth);
                fixPngChecksums(lie);
                add("depth" + std::to_string(depth), std::move(lie));
            }
        }
        for (const std::uint32_t type : {0u, 1u, 2u, 3u, 4u, 6u, 7u}) {
            std::string lie = bytes;
            if (lie.size() >= 33) {
                lie[25] = static_cast<char>(type);
                fixPngChecksums(lie);
                add("colourtype" + std::to_string(type), std::move(lie));
            }
        }
        field("ihdrlength", 8, 1, 0x20);
    } else if (extension == ".jpg") {
        const std::size_t at = jpegFrameSizeAt(bytes);
        if (at > 0) {
            field("precision", at - 1, 1, 12);
            field("components", at + 4, 1, 4);
            field("components2", at + 4, 1, 2);
            field("components0", at + 4, 1, 0);
            field("framelength", at - 3, 1, 0);
        }
    }

    // Damaged anywhere: bytes flipped at spread-out places (PNG checksums made to
    // match, so the decoder gets as far as the image data).
    for (std::size_t k = 1; k <= 8 && bytes.size() > 8; ++k) {
        std::string flipped = bytes;
        const std::size_t at = 8 + (bytes.size() - 8) * k / 9;
        flipped[at] = static_cast<char>(~flipped[at]);
        if (extension == ".png") {
            fixPngChecksums(flipped);
        }
        add("flip" + std::to_string(at), std::move(flipped));
    }

    // The right bytes under the wrong name.
    for (const char* other : {".png", ".jpg", ".tga", ".bmp", ".gif", ""}) {
        if (extension != other) {
            out.push_back({base + "-named" + other, bytes});
        }
    }
    return out;
}

std::vector<ImageSample> ImageSamples::brokenCorpus() {
    std::vector<ImageSample> corpus;
    for (const ImageSample& sample : valid()) {
        for (ImageSample& broken : broken(sample)) {
            corpus.push_back(std::move(broken));
        }
    }
    return corpus;
}
