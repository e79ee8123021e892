// Builds every mesh, material and texture the levels draw, into one folder (the game's
// obj/). The output depends on nothing but this program: fixed seeds, fixed order, fixed
// number formats, so rerunning it leaves every file byte for byte the same. With --icons
// it writes the application icon instead, at each size the desktop entry offers, into an
// icon theme's layout (<N>x<N>/apps/vellamora.png).
//   assetgen <output folder>
//   assetgen --icons <icon folder>

#include <cstdio>
#include <filesystem>
#include <string>

#include "AssetList.h"
#include "IconPainter.h"
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

int icons(const std::filesystem::path& folder) {
    bool ok = true;
    for (const int size : {32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path apps = folder / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        if (error) {
            std::printf("assetgen: unable to create folder %s\n", apps.c_str());
            ok = false;
            continue;
        }
        const Image image = IconPainter::icon(size);
        ok = PngWriter::write((apps / "vellamora.png").string(), image, true) && ok;
        std::printf("assetgen: %-22s %d x %d RGBA\n", (name + "/apps/vellamora.png").c_str(),
                    image.width(), image.height());
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        return icons(argv[2]);
    }
    if (argc != 2 || std::string(argv[1]).rfind("--", 0) == 0) {
        std::printf("usage: assetgen <output folder>\n"
                    "       assetgen --icons <icon folder>\n");
        return 2;
    }
    return run(argv[1]);
}
