#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What loading one file named by a level gave.
struct AssetReport {
    bool opened = false;        // it is a file and can be read
    std::string failure;        // why it cannot, when it cannot
    bool loaded = false;        // the game's loader made something usable of it
    std::int32_t triangles = 0; // meshes only
    // Whatever the loader reported while reading it, one entry a message; for an
    // image that did not load, why not.
    std::vector<std::string> messages;
};

// Loads the files a level names with the game's own loaders, each file once however
// often the level names it. Textures are only decoded, so no GL is needed.
class AssetProbe {
public:
    const AssetReport& mesh(const std::string& path);
    const AssetReport& material(const std::string& path);
    const AssetReport& texture(const std::string& path);

private:
    std::map<std::string, AssetReport> meshes;
    std::map<std::string, AssetReport> materials;
    std::map<std::string, AssetReport> textures;
};
