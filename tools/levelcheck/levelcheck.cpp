// Checks a level file the way the game reads it, for level designers:
//   levelcheck [level file]      (default: the shipped level, config/config.txt)
// It finds files as the game does: installed (as vellamora-levelcheck) from the game's
// data folder, the level first from where it was started; in a source build from the
// working directory (run it in data/).
// Prints one "file:line: error|warning: message" line per problem and a summary;
// exits with 1 when there is an error.
#include "level/LevelCheck.h"
#include "core/CommandLine.h"
#include "platform/DataFolder.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr const char* kShippedLevel = CommandLine::kDefaultLevel;

std::string programName(const char* argv0) {
    const std::string name = argv0 ? std::filesystem::path(argv0).filename().string() : "";
    return name.empty() ? "levelcheck" : name;
}

} // namespace

int main(int argc, char** argv) {
    const std::string name = programName(argc > 0 ? argv[0] : nullptr);
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::cout << "usage: " << name << " [level file]   (default " << kShippedLevel << ")"
                  << std::endl;
        return argc == 2 ? 0 : 2;
    }
    std::string path;
    std::string whyNot;
    if (!platform::DataFolder::enterForLevel(argc == 2 ? std::optional<std::string>(argv[1])
                                                       : std::nullopt,
                                             kShippedLevel, path, whyNot)) {
        std::cout << name << ": " << whyNot << std::endl;
        return 1;
    }
    LevelCheck check(path);
    if (!check.run()) {
        std::cout << check.openFailure() << std::endl;
        return 1;
    }
    for (const Problem& problem : check.problems()) {
        std::cout << check.describe(problem) << '\n';
    }
    std::cout << check.summary() << std::endl;
    return check.count(Problem::Severity::Error) > 0 ? 1 : 0;
}
