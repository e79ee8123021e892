// Decoding the shipped textures: DevIL as the game used it (decode, then convert to
// RGBA) against the image loader (header checks, libpng, RGBA straight from the
// decoder). Both from bytes already in memory, so the disk is not measured.
//   image_decode_bench [--benchmark_filter=...]
#include "resources/ImageFile.h"

#include <IL/il.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Texture {
    std::string name;
    std::string bytes;
};

std::vector<Texture> shippedTextures() {
    std::vector<Texture> textures;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(VELLAMORA_SOURCE_DIR) / "data/obj")) {
        if (entry.path().extension() == ".png") {
            std::ifstream in(entry.path(), std::ios::binary);
            textures.push_back({entry.path().filename().string(),
                                std::string(std::istreambuf_iterator<char>(in), {})});
        }
    }
    std::sort(textures.begin(), textures.end(),
              [](const Texture& a, const Texture& b) { return a.name < b.name; });
    return textures;
}

void devilDecode(benchmark::State& state, const Texture& texture) {
    ilInit();
    for (auto _ : state) {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        const bool ok =
            ilLoadL(IL_PNG, texture.bytes.data(), static_cast<ILuint>(texture.bytes.size())) &&
            ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
        benchmark::DoNotOptimize(ilGetData());
        ilDeleteImages(1, &image);
        if (!ok) {
            state.SkipWithError("DevIL cannot decode it");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texture.bytes.size()));
}

void loaderDecode(benchmark::State& state, const Texture& texture) {
    for (auto _ : state) {
        ImageFile image;
        if (!image.decode(texture.bytes, texture.name, ImageLimits{})) {
            state.SkipWithError(image.reason().c_str());
            break;
        }
        benchmark::DoNotOptimize(image.rgba());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texture.bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    static const std::vector<Texture> textures = shippedTextures();
    for (const Texture& texture : textures) {
        benchmark::RegisterBenchmark(("DevIL/" + texture.name).c_str(), devilDecode, texture)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ImageFile/" + texture.name).c_str(), loaderDecode, texture)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
