#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Image.h"
#include "MaterialWriter.h"
#include "MeshBuilder.h"

struct MeshAsset {
    std::string file;
    std::string description;
    std::function<MeshBuilder()> build;
};

struct TextureAsset {
    std::string file;
    std::function<Image()> paint;
    bool withAlpha = false;
};

struct MaterialAsset {
    std::string file;
    MaterialColours colours;
};

// Every file the generator writes into the game's obj/ folder, in a fixed order.
class AssetList {
public:
    static std::vector<MeshAsset> meshes();
    static std::vector<TextureAsset> textures();
    static std::vector<MaterialAsset> materials();
};
