#include "level/AssetProbe.h"

#include "platform/InputFile.h"
#include "platform/RecordingSink.h"
#include "platform/ScopedDiagnostics.h"
#include "resources/ImageFile.h"
#include "resources/Material.h"
#include "resources/Mesh.h"

namespace {

// Opened as the game's loaders open it: a regular file within the size limit. What
// stands in the way goes into the report.
bool readable(const std::string& path, AssetReport& report) {
    const platform::InputFile file(path);
    report.failure = file.reason();
    return file.isOpen();
}

} // namespace

const AssetReport& AssetProbe::mesh(const std::string& path) {
    if (const auto known = meshes.find(path); known != meshes.end()) {
        return known->second;
    }
    AssetReport& report = meshes[path];
    report.opened = readable(path, report);
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
    report.opened = readable(path, report);
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
    if (!report.opened) {
        report.failure = image.reason();
    } else if (!report.loaded) {
        report.messages.push_back(image.reason());
    }
    return report;
}
