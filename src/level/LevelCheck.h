#pragma once

#include "level/AssetProbe.h"
#include "level/Problem.h"

#include "level/ObjectDescription.h"

#include <cstddef>
#include <string>
#include <vector>

// Reads a level with the game's reader and checks what the game would make of it:
// the record and physics types, every file a record names, the player record and the
// triangle limit of dynamic bodies. Files are looked up from the working directory,
// as the game does.
class LevelCheck {
public:
    explicit LevelCheck(std::string levelPath);

    // False when the level file itself cannot be opened; nothing is checked then, and
    // `openFailure` says why, as a line for the designer.
    bool run();
    std::string openFailure() const;

    // By line in the level, the level-wide ones last.
    const std::vector<Problem>& problems() const { return found; }
    std::size_t count(Problem::Severity severity) const;
    // One problem as a line for the designer: "level.txt:12: error: ...", without the
    // line number for the level as a whole.
    std::string describe(const Problem& problem) const;
    // The summary: "level.txt: 1 error, 2 warnings".
    std::string summary() const;

private:
    void checkRecord(const ObjectDescription& record, std::size_t header);
    void checkMesh(const std::string& path, std::size_t line, const char* what);
    void checkMaterial(const std::string& path, std::size_t line);
    void checkTexture(const std::string& path, std::size_t line);
    void checkDynamicBody(const ObjectDescription& record, std::size_t physicsLine);
    void checkCharacters(const std::vector<ObjectDescription>& records,
                         const std::vector<std::size_t>& headers);
    // False, with an error, when the file cannot be opened.
    bool opened(const AssetReport& report, const std::string& path, std::size_t line,
                const char* what);
    void add(std::size_t line, Problem::Severity severity, std::string message);

    std::string levelPath;
    std::string levelFailure;
    AssetProbe assets;
    std::vector<Problem> found;
};
