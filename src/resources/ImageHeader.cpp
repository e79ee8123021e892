#include "resources/ImageHeader.h"

#include <cstddef>
#include <cstring>

namespace {

using Bytes = std::string_view;

std::uint32_t byteAt(Bytes bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}
std::uint32_t littleShort(Bytes bytes, std::size_t at) {
    return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8;
}
std::uint32_t littleLong(Bytes bytes, std::size_t at) {
    return littleShort(bytes, at) | littleShort(bytes, at + 2) << 16;
}
std::uint32_t bigShort(Bytes bytes, std::size_t at) {
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}
std::uint32_t bigLong(Bytes bytes, std::size_t at) {
    return bigShort(bytes, at) << 16 | bigShort(bytes, at + 2);
}

bool startsWith(Bytes bytes, const char* signature, std::size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

bool hasTgaExtension(std::string_view name) {
    if (name.size() < 4 || name[name.size() - 4] != '.') {
        return false;
    }
    const std::string_view extension = name.substr(name.size() - 3);
    const char* tga = "tga";
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = extension[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != tga[i]) {
            return false;
        }
    }
    return true;
}

ImageHeader refused(ImageFormat format, std::string problem) {
    ImageHeader header;
    header.format = format;
    header.problem = std::move(problem);
    return header;
}

std::string cutShort(const char* what, std::size_t has, std::size_t needs) {
    return std::string("the ") + what + " header is cut short (" + std::to_string(has) + " of " +
           std::to_string(needs) + " bytes)";
}

std::string endsBeforePixels(std::size_t has, std::uint64_t needs) {
    return "the file ends before its pixel data (" + std::to_string(has) + " bytes of the " +
           std::to_string(needs) + " its header needs)";
}

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kPngHeaderBytes = 8 + 8 + 13 + 4; // signature, IHDR chunk with its CRC
constexpr std::size_t kTgaHeaderBytes = 18;
constexpr std::size_t kBmpHeaderBytes = 14 + 40; // file header and the Windows info header

} // namespace

const char* formatName(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
        return "PNG";
    case ImageFormat::Jpeg:
        return "JPEG";
    case ImageFormat::Tga:
        return "TGA";
    case ImageFormat::Bmp:
        return "BMP";
    }
    return "image";
}

ImageHeader ImageHeader::probe(std::string_view bytes, std::string_view name) {
    ImageHeader header;
    if (startsWith(bytes, kPngSignature, 8)) {
        header = probePng(bytes);
    } else if (startsWith(bytes, "\xff\xd8", 2)) {
        header = probeJpeg(bytes);
    } else if (startsWith(bytes, "BM", 2)) {
        header = probeBmp(bytes);
    } else if (hasTgaExtension(name)) {
        header = probeTga(bytes);
    } else {
        return refused(ImageFormat::Png,
                       bytes.empty() ? "an empty file" : "not a PNG, JPEG, TGA or BMP image");
    }
    if (header.usable() && (header.width == 0 || header.height == 0)) {
        header.problem = std::to_string(header.width) + " x " + std::to_string(header.height) +
                         " pixels: an image with no pixels";
    }
    return header;
}

ImageHeader ImageHeader::probePng(std::string_view bytes) {
    if (bytes.size() < kPngHeaderBytes) {
        return refused(ImageFormat::Png, cutShort("PNG", bytes.size(), kPngHeaderBytes));
    }
    if (bigLong(bytes, 8) != 13 || bytes.substr(12, 4) != "IHDR") {
        return refused(ImageFormat::Png, "the PNG file does not begin with its IHDR header");
    }
    ImageHeader header;
    header.format = ImageFormat::Png;
    header.width = bigLong(bytes, 16);
    header.height = bigLong(bytes, 20);
    if (header.width > 0x7fffffffu || header.height > 0x7fffffffu) {
        header.problem = "the PNG header gives a size past the format's largest";
        return header;
    }
    const std::uint32_t depth = byteAt(bytes, 24);
    const std::uint32_t colourType = byteAt(bytes, 25);
    bool known = false;
    switch (colourType) {
    case 0: // grey
        known = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        break;
    case 3: // colour index
        known = depth == 1 || depth == 2 || depth == 4 || depth == 8;
        break;
    case 2: // RGB
    case 4: // grey and alpha
    case 6: // RGBA
        known = depth == 8 || depth == 16;
        break;
    }
    if (!known) {
        header.problem = "the PNG header gives colour type " + std::to_string(colourType) + " at " +
                         std::to_string(depth) + " bits, which PNG does not have";
    }
    return header;
}

ImageHeader ImageHeader::probeJpeg(std::string_view bytes) {
    // The frame header (SOFn) is found by walking the marker segments before it. Bytes
    // between segments are skipped as the decoder skips them.
    std::size_t at = 2;
    for (;;) {
        while (at < bytes.size() && byteAt(bytes, at) != 0xff) {
            ++at;
        }
        while (at < bytes.size() && byteAt(bytes, at) == 0xff) {
            ++at;
        }
        if (at >= bytes.size()) {
            return refused(ImageFormat::Jpeg, "the JPEG file ends before its frame header");
        }
        const std::uint32_t marker = byteAt(bytes, at++);
        if (marker == 0x01 || marker == 0xd8 || (marker >= 0xd0 && marker <= 0xd7)) {
            continue; // markers without a segment
        }
        if (marker == 0xd9 || marker == 0xda) {
            return refused(ImageFormat::Jpeg,
                           "the JPEG file has no frame header before its image data");
        }
        if (bytes.size() - at < 2) {
            return refused(ImageFormat::Jpeg, "the JPEG file ends before its frame header");
        }
        const std::uint32_t length = bigShort(bytes, at);
        if (length < 2) {
            return refused(ImageFormat::Jpeg, "a JPEG marker segment of length " +
                                                  std::to_string(length) +
                                                  ", shorter than its length field");
        }
        const bool frame =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (!frame) {
            at += length;
            continue;
        }
        if (length < 8 || bytes.size() - at < 8) {
            return refused(ImageFormat::Jpeg, "the JPEG frame header is cut short");
        }
        ImageHeader header;
        header.format = ImageFormat::Jpeg;
        header.height = bigShort(bytes, at + 3);
        header.width = bigShort(bytes, at + 5);
        const std::uint32_t precision = byteAt(bytes, at + 2);
        const std::uint32_t components = byteAt(bytes, at + 7);
        if (precision != 8) {
            header.problem =
                "a JPEG of " + std::to_string(precision) + "-bit samples; only 8-bit ones are read";
        } else if (components != 1 && components != 3) {
            header.problem = "a JPEG of " + std::to_string(components) +
                             " colour components; only grey and colour (1 and 3) are read";
        }
        return header;
    }
}

ImageHeader ImageHeader::probeTga(std::string_view bytes) {
    if (bytes.size() < kTgaHeaderBytes) {
        return refused(ImageFormat::Tga, cutShort("TGA", bytes.size(), kTgaHeaderBytes));
    }
    ImageHeader header;
    header.format = ImageFormat::Tga;
    const std::uint32_t idLength = byteAt(bytes, 0);
    const std::uint32_t mapType = byteAt(bytes, 1);
    const std::uint32_t type = byteAt(bytes, 2);
    const std::uint32_t firstEntry = littleShort(bytes, 3);
    const std::uint32_t entries = littleShort(bytes, 5);
    const std::uint32_t entryBits = byteAt(bytes, 7);
    header.width = littleShort(bytes, 12);
    header.height = littleShort(bytes, 14);
    header.bitsPerPixel = byteAt(bytes, 16);
    const std::uint32_t descriptor = byteAt(bytes, 17);
    header.runLength = type >= 9;
    header.colourMapped = type == 1 || type == 9;
    const std::uint32_t depth = header.bitsPerPixel;

    std::string& problem = header.problem;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) {
        problem = "a TGA of image type " + std::to_string(type) +
                  "; only types 1, 2, 3, 9, 10 and 11 are read";
    } else if (descriptor & 0x10) {
        problem = "a TGA stored right to left, which is not read";
    } else if (mapType > 1) {
        problem = "a TGA colour map type of " + std::to_string(mapType) + " (0 or 1)";
    } else if (header.colourMapped) {
        if (mapType != 1 || entries == 0) {
            problem = "a colour-mapped TGA without a colour map";
        } else if (depth != 8) {
            problem = "a colour-mapped TGA of " + std::to_string(depth) +
                      "-bit indices; only 8-bit ones are read";
        } else if (entryBits != 16 && entryBits != 24 && entryBits != 32) {
            problem = "a TGA colour map of " + std::to_string(entryBits) +
                      "-bit entries; only 16, 24 and 32 bits are read";
        } else if (firstEntry + entries > 256) {
            problem = "a TGA colour map of entries " + std::to_string(firstEntry) + " to " +
                      std::to_string(firstEntry + entries - 1) + ", past what 8-bit indices reach";
        }
    } else if (mapType != 0) {
        // Only colour-mapped images are read with their colour map skipped.
        problem = "a true-colour or grey TGA that carries a colour map, which is not read";
    } else if ((type == 2 || type == 10) && depth != 15 && depth != 16 && depth != 24 &&
               depth != 32) {
        problem = "a true-colour TGA of " + std::to_string(depth) +
                  " bits a pixel; only 15, 16, 24 and 32 are read";
    } else if ((type == 3 || type == 11) && depth != 8) {
        problem = "a grey TGA of " + std::to_string(depth) + " bits a pixel; only 8 is read";
    }
    if (header.colourMapped) {
        header.colourMapEntries = entries;
        header.colourMapBytes = entries * (entryBits / 8);
    }
    header.pixelDataOffset =
        static_cast<std::uint32_t>(kTgaHeaderBytes) + idLength + header.colourMapBytes;
    return header;
}

ImageHeader ImageHeader::probeBmp(std::string_view bytes) {
    if (bytes.size() < 18) {
        return refused(ImageFormat::Bmp, cutShort("BMP", bytes.size(), kBmpHeaderBytes));
    }
    const std::uint32_t infoSize = littleLong(bytes, 14);
    if (infoSize != 40) {
        return refused(ImageFormat::Bmp, "a BMP with a " + std::to_string(infoSize) +
                                             "-byte info header; only the 40-byte one is read");
    }
    if (bytes.size() < kBmpHeaderBytes) {
        return refused(ImageFormat::Bmp, cutShort("BMP", bytes.size(), kBmpHeaderBytes));
    }
    ImageHeader header;
    header.format = ImageFormat::Bmp;
    const auto width = static_cast<std::int32_t>(littleLong(bytes, 18));
    const auto height = static_cast<std::int32_t>(littleLong(bytes, 22));
    const std::uint32_t planes = littleShort(bytes, 26);
    const std::uint32_t depth = littleShort(bytes, 28);
    const std::uint32_t compression = littleLong(bytes, 30);
    header.bitsPerPixel = depth;
    header.pixelDataOffset = littleLong(bytes, 10);
    // A negative height is a picture stored top row first.
    header.width = width < 0 ? 0 : static_cast<std::uint32_t>(width);
    header.height =
        height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);

    std::string& problem = header.problem;
    if (width < 0) {
        problem = "a BMP width of " + std::to_string(width);
    } else if (planes != 1) {
        problem = "a BMP of " + std::to_string(planes) + " planes; only 1 is read";
    } else if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 &&
               depth != 32) {
        problem = "a BMP of " + std::to_string(depth) +
                  " bits a pixel; only 1, 4, 8, 16, 24 and 32 are read";
    } else if (compression == 1 || compression == 2) {
        problem = "a run-length compressed BMP, which is not read";
    } else if (compression == 3 && depth != 16 && depth != 32) {
        problem = "BMP bit masks on " + std::to_string(depth) + "-bit pixels";
    } else if (compression != 0 && compression != 3) {
        problem =
            "a BMP of compression type " + std::to_string(compression) + ", which is not read";
    }
    // The colour table follows the header: as many entries as it says it uses, or as
    // the depth allows when it says 0. DevIL takes the count as it stands.
    const std::uint32_t colours = littleLong(bytes, 46);
    const std::uint32_t indexable = depth <= 8 ? 1u << depth : 256;
    if (problem.empty() && colours > indexable) {
        problem = "a BMP colour table of " + std::to_string(colours) + " entries, more than " +
                  std::to_string(depth) + "-bit pixels can use";
    }
    if (depth <= 8) {
        header.colourMapEntries = colours == 0 ? indexable : colours;
        header.colourMapBytes = header.colourMapEntries * 4;
        header.colourMapped = header.colourMapEntries < indexable;
    }
    header.bitMasks = compression == 3;
    return header;
}

std::string ImageHeader::pixelDataProblem(std::string_view bytes) const {
    if (!usable()) {
        return problem;
    }
    switch (format) {
    case ImageFormat::Tga:
        return tgaDataProblem(bytes);
    case ImageFormat::Bmp:
        return bmpDataProblem(bytes);
    default:
        return {};
    }
}

std::string ImageHeader::tgaDataProblem(std::string_view bytes) const {
    if (bytes.size() < pixelDataOffset) {
        return colourMapBytes > 0 ? "the colour map runs past the end of the file"
                                  : "the file ends inside the image identification field";
    }
    const std::uint64_t pixelBytes = (bitsPerPixel + 7) / 8; // 15 bits take two bytes
    const std::uint64_t pixels = std::uint64_t{width} * height;
    const std::size_t end = bytes.size();
    std::size_t at = pixelDataOffset;
    const auto indexProblem = [&](std::size_t from, std::size_t count) -> std::string {
        if (!colourMapped) {
            return {};
        }
        for (std::size_t i = from; i < from + count; ++i) {
            if (byteAt(bytes, i) >= colourMapEntries) {
                return "colour index " + std::to_string(byteAt(bytes, i)) +
                       " is past the end of the colour map (" + std::to_string(colourMapEntries) +
                       " entries)";
            }
        }
        return {};
    };
    if (!runLength) {
        const std::uint64_t needs = at + pixels * pixelBytes;
        if (end < needs) {
            return endsBeforePixels(end, needs);
        }
        return indexProblem(at, static_cast<std::size_t>(pixels));
    }
    // Each packet is a count byte and either one pixel repeated (top bit set) or that
    // many pixels as they are.
    std::uint64_t filled = 0;
    while (filled < pixels) {
        if (at >= end) {
            return "the file ends inside its run-length pixel data";
        }
        const std::uint32_t packet = byteAt(bytes, at++);
        const std::uint64_t count = (packet & 0x7f) + 1;
        if (filled + count > pixels) {
            return "a run-length packet runs past the end of the image";
        }
        const std::uint64_t stored = (packet & 0x80) ? pixelBytes : count * pixelBytes;
        if (end - at < stored) {
            return "the file ends inside its run-length pixel data";
        }
        if (std::string index = indexProblem(at, static_cast<std::size_t>(stored));
            !index.empty()) {
            return index;
        }
        at += static_cast<std::size_t>(stored);
        filled += count;
    }
    return {};
}

std::string ImageHeader::bmpDataProblem(std::string_view bytes) const {
    const std::size_t end = bytes.size();
    if (end < kBmpHeaderBytes + colourMapBytes) {
        return "the colour table runs past the end of the file";
    }
    if (pixelDataOffset < kBmpHeaderBytes + (bitMasks ? 12 : 0) || pixelDataOffset > end) {
        return "the pixel data offset " + std::to_string(pixelDataOffset) +
               " lies outside the file (" + std::to_string(bitMasks ? 66 : 54) + " to " +
               std::to_string(end) + ")";
    }
    // Rows are padded to four bytes.
    const std::uint64_t rowBytes = (std::uint64_t{width} * bitsPerPixel + 31) / 32 * 4;
    const std::uint64_t needs = pixelDataOffset + rowBytes * height;
    if (end < needs) {
        return endsBeforePixels(end, needs);
    }
    // With fewer colours than the depth can index, every index must be one of them.
    for (std::uint32_t y = 0; colourMapped && y < height; ++y) {
        const std::size_t row = pixelDataOffset + static_cast<std::size_t>(rowBytes) * y;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t bit = std::size_t{x} * bitsPerPixel;
            const std::uint32_t index =
                byteAt(bytes, row + bit / 8) >> (8 - bitsPerPixel - bit % 8) &
                ((1u << bitsPerPixel) - 1);
            if (index >= colourMapEntries) {
                return "colour index " + std::to_string(index) +
                       " is past the end of the colour table (" + std::to_string(colourMapEntries) +
                       " entries)";
            }
        }
    }
    return {};
}
