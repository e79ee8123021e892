#include "AssetProbe.h"

#include "platform/RecordingSink.h"
#include "platform/ScopedDiagnostics.h"
#include "resources/ImageFile.h"
#include "resources/Material.h"
#include "resources/Mesh.h"

#include <filesystem>
#include <fstream>

namespace {

// A directory opens like a file on some systems but holds nothing to load.
bool readable(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::ifstream(path).is_open();
}

} // namespace

const AssetReport& AssetProbe::mesh(const std::string& path) {
    if (const auto known = meshes.find(path); known != meshes.end()) {
        return known->second;
    }
    AssetReport& report = meshes[path];
    report.opened = readable(path);
    if (report.opened) {
        // Heard rather than printed, so that each can be told against the level line
        // naming the file.
        platform::RecordingSink heard;
        const platform::ScopedDiagnostics listening(heard);
        const Mesh mesh(path);
        report.triangles = mesh.faceCount;
        report.loaded = mesh.faceCount > 0;
        report.messages = heard.messages();
    }
    return report;
}

// A material always "loads"; what matters is whether any line gave it a colour, since
// one without any draws black.
const AssetReport& AssetProbe::material(const std::string& path) {
    if (const auto known = materials.find(path); known != materials.end()) {
        return known->second;
    }
    AssetReport& report = materials[path];
    report.opened = readable(path);
    if (report.opened) {
        platform::RecordingSink heard;
        const platform::ScopedDiagnostics listening(heard);
        const Material material(path);
        report.loaded = material.ka.a != 0.0f || material.kd.a != 0.0f || material.ks.a != 0.0f;
        report.messages = heard.messages();
    }
    return report;
}

// Decoded as the game decodes it, with no GL to ask for the largest texture.
const AssetReport& AssetProbe::texture(const std::string& path) {
    if (const auto known = textures.find(path); known != textures.end()) {
        return known->second;
    }
    AssetReport& report = textures[path];
    ImageFile image;
    report.loaded = image.load(path, ImageLimits{});
    report.opened = image.opened();
    if (!report.loaded && report.opened) {
        report.messages.push_back(image.reason());
    }
    return report;
}
