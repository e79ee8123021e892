// Writes the image loader's test images to a folder, for looking at them or for
// seeding the image fuzzer:
//   imagesamples <folder>          the valid samples and their broken copies
//   imagesamples --fuzz <folder>   the same, each led by the byte that makes the fuzz
//                                  target give it the name it has here
#include "ImageSamples.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// As tests/fuzz/ImageFuzz.cpp reads its first byte.
char fuzzSelector(const std::string& name) {
    const char* extensions[] = {".png", ".jpg", ".tga", ".bmp"};
    for (char i = 0; i < 4; ++i) {
        const std::size_t length = std::strlen(extensions[static_cast<int>(i)]);
        if (name.size() >= length &&
            name.compare(name.size() - length, length, extensions[static_cast<int>(i)]) == 0) {
            return i;
        }
    }
    return 4;
}

} // namespace

int main(int argc, char** argv) {
    const bool fuzz = argc == 3 && std::strcmp(argv[1], "--fuzz") == 0;
    if (argc != 2 && !fuzz) {
        std::cerr << "usage: imagesamples [--fuzz] <folder>\n";
        return 2;
    }
    const std::string folder = argv[argc - 1];
    std::size_t written = 0;
    const auto write = [&](const ImageSample& sample) {
        std::ofstream out(folder + "/" + sample.name, std::ios::binary);
        if (fuzz) {
            out << fuzzSelector(sample.name);
        }
        out << sample.bytes;
        written += out ? 1 : 0;
    };
    for (const ImageSample& sample : ImageSamples::valid()) {
        write(sample);
    }
    for (const ImageSample& sample : ImageSamples::brokenCorpus()) {
        write(sample);
    }
    std::cout << written << " images in " << folder << std::endl;
    return written > 0 ? 0 : 1;
}
