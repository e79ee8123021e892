#include "level/LevelCheck.h"

#include "level/LevelReader.h"
#include "level/RecordTypes.h"
#include "platform/InputFile.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string counted(std::size_t count, const char* noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

} // namespace

LevelCheck::LevelCheck(std::string levelPath) : levelPath(std::move(levelPath)) {}

bool LevelCheck::run() {
    // Opened as the game opens it, within the same limit.
    const platform::InputFile level(levelPath, platform::kMaxLevelFileBytes);
    if (!level.isOpen()) {
        levelFailure = level.reason();
        return false;
    }
    std::istringstream file{std::string(level.text())};
    std::vector<ObjectDescription> records;
    std::vector<LightDescription> lights;
    LevelReader reader(file, levelPath, [this](std::size_t line, const std::string& message) {
        add(line, Problem::Severity::Error, message);
    });
    reader.read(records, lights);
    const std::vector<std::size_t>& headers = reader.objectLines();
    for (std::size_t i = 0; i < records.size(); ++i) {
        checkRecord(records[i], headers[i]);
    }
    checkCharacters(records, headers);

    std::stable_sort(found.begin(), found.end(), [](const Problem& a, const Problem& b) {
        // Level-wide problems (line 0) go after those of single lines.
        return (a.line == 0 ? SIZE_MAX : a.line) < (b.line == 0 ? SIZE_MAX : b.line);
    });
    return true;
}

std::size_t LevelCheck::count(Problem::Severity severity) const {
    return static_cast<std::size_t>(std::count_if(
        found.begin(), found.end(), [&](const Problem& p) { return p.severity == severity; }));
}

std::string LevelCheck::openFailure() const {
    return levelPath + ": error: unable to open the level file (" + levelFailure + ")";
}

std::string LevelCheck::describe(const Problem& problem) const {
    std::string line = levelPath;
    if (problem.line > 0) {
        line += ':' + std::to_string(problem.line);
    }
    line += problem.severity == Problem::Severity::Error ? ": error: " : ": warning: ";
    return line + problem.message;
}

std::string LevelCheck::summary() const {
    return levelPath + ": " + counted(count(Problem::Severity::Error), "error") + ", " +
           counted(count(Problem::Severity::Warning), "warning");
}

void LevelCheck::checkRecord(const ObjectDescription& record, std::size_t header) {
    const RecordRule* rule = recordRuleOf(record.kind);
    if (!rule) {
        add(header, Problem::Severity::Error,
            "unknown record type " + quoted(record.recordType) +
                "; the game builds nothing from this block");
        return;
    }
    // The lines of a block follow its header one after another.
    const std::size_t physicsLine = header + 1;
    const std::size_t meshLine = header + (rule->physicsLine ? 2 : 1);
    if (rule->usesPhysics()) {
        if (!isPhysicsType(record.physicsType)) {
            const std::string what = record.physicsType.empty()
                                         ? std::string("no physics type")
                                         : "unknown physics type " + quoted(record.physicsType);
            add(physicsLine, Problem::Severity::Error,
                what + " (static, dynamic, kinematic or plane); the object gets no physics actor");
        }
    }
    checkMesh(record.meshFile, meshLine, "mesh");
    checkMaterial(record.materialFile, meshLine + 1);
    if (rule->usesTexture) {
        checkTexture(record.textureFile, meshLine + 2);
    }
    if (rule->usesPhysics() && physicsKindOf(record.physicsType) == PhysicsKind::Dynamic) {
        checkDynamicBody(record, physicsLine);
    }
}

void LevelCheck::checkMesh(const std::string& path, std::size_t line, const char* what) {
    const AssetReport& mesh = assets.mesh(path);
    if (!opened(mesh, path, line, what)) {
        return;
    }
    for (const std::string& message : mesh.messages) {
        add(line, Problem::Severity::Warning, message);
    }
    if (!mesh.loaded) {
        add(line, Problem::Severity::Error,
            std::string(what) + " file " + quoted(path) + " has no triangles");
    }
}

void LevelCheck::checkMaterial(const std::string& path, std::size_t line) {
    const AssetReport& material = assets.material(path);
    if (!opened(material, path, line, "material")) {
        return;
    }
    for (const std::string& message : material.messages) {
        add(line, Problem::Severity::Warning, message);
    }
    if (!material.loaded) {
        add(line, Problem::Severity::Warning,
            "material file " + quoted(path) +
                " sets no colour (no Ka, Kd or Ks line with three numbers); the object draws "
                "black");
    }
}

void LevelCheck::checkTexture(const std::string& path, std::size_t line) {
    const AssetReport& texture = assets.texture(path);
    if (opened(texture, path, line, "texture") && !texture.loaded) {
        add(line, Problem::Severity::Error,
            "texture file " + quoted(path) + " cannot be loaded: " +
                (texture.messages.empty() ? std::string("not decodable") : texture.messages[0]));
    }
}

void LevelCheck::checkDynamicBody(const ObjectDescription& record, std::size_t physicsLine) {
    if (!record.lowPolyMeshFile.empty()) {
        checkMesh(record.lowPolyMeshFile, physicsLine, "low-polygon mesh");
        return;
    }
    const AssetReport& mesh = assets.mesh(record.meshFile);
    if (mesh.triangles > kMaxConvexTriangles) {
        add(physicsLine, Problem::Severity::Warning,
            "dynamic mesh " + quoted(record.meshFile) + " has " + std::to_string(mesh.triangles) +
                " triangles, more than " + std::to_string(kMaxConvexTriangles) +
                ", and no low-polygon mesh; the game makes the object static");
    }
}

// The game needs exactly one player; of several it keeps the first in the file.
void LevelCheck::checkCharacters(const std::vector<ObjectDescription>& records,
                                 const std::vector<std::size_t>& headers) {
    std::size_t first = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].kind != RecordKind::Character) {
            continue;
        }
        if (first == 0) {
            first = headers[i];
            continue;
        }
        add(headers[i], Problem::Severity::Warning,
            "another Character record; the game keeps the one of line " + std::to_string(first) +
                " and leaves this one out");
    }
    if (first == 0) {
        add(0, Problem::Severity::Error, "no Character record; the game cannot start without one");
    }
}

bool LevelCheck::opened(const AssetReport& report, const std::string& path, std::size_t line,
                        const char* what) {
    if (report.opened) {
        return true;
    }
    add(line, Problem::Severity::Error,
        path.empty()
            ? std::string("no ") + what + " file named"
            : std::string(what) + " file " + quoted(path) + " cannot be opened: " + report.failure);
    return false;
}

void LevelCheck::add(std::size_t line, Problem::Severity severity, std::string message) {
    found.push_back(Problem{line, severity, std::move(message)});
}
