// Builds every mesh, material and texture the levels draw, into one folder (the game's
// obj/). The output depends on nothing but this program: fixed seeds, fixed order, fixed
// number formats, so rerunning it leaves every file byte for byte the same.
//   assetgen <output folder>

#include <cstdio>
#include <filesystem>
#include <string>

#include "AssetList.h"
#include "ObjWriter.h"
#include "PngWriter.h"

namespace {

int run(const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) {
        std::printf("assetgen: output folder %s does not exist\n", folder.c_str());
        return 1;
    }
    bool ok = true;
    for (const MeshAsset& asset : AssetList::meshes()) {
        const MeshBuilder mesh = asset.build();
        ok = ObjWriter::write((folder / asset.file).string(), asset.description, mesh) && ok;
        std::printf("assetgen: %-22s %5zu triangles %5zu vertices\n", asset.file.c_str(),
                    mesh.triangles().size(), mesh.vertices().size());
    }
    for (const MaterialAsset& asset : AssetList::materials()) {
        ok = MaterialWriter::write((folder / asset.file).string(), asset.colours) && ok;
    }
    for (const TextureAsset& asset : AssetList::textures()) {
        const Image image = asset.paint();
        ok = PngWriter::write((folder / asset.file).string(), image, asset.withAlpha) && ok;
        std::printf("assetgen: %-22s %d x %d %s\n", asset.file.c_str(), image.width(),
                    image.height(), asset.withAlpha ? "RGBA" : "RGB");
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: assetgen <output folder>\n");
        return 2;
    }
    return run(argv[1]);
}
