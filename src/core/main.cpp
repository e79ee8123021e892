#include "core/CommandLine.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "platform/DataFolder.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

// The one Director, built before main runs.
Director director(CommandLine::kDefaultLevel);

int main(int argc, char** argv) {
    const CommandLine line = CommandLine::parse({argv + (argc > 0 ? 1 : 0), argv + argc});
    switch (line.action) {
    case CommandLine::Action::Help:
        std::cout << usageText();
        return kExitQuit;
    case CommandLine::Action::Version:
        std::cout << versionText();
        return kExitQuit;
    case CommandLine::Action::Misuse:
        std::cerr << "vellamora: " << line.problem << "\n\n" << usageText();
        return kExitMisuse;
    case CommandLine::Action::Play:
        break;
    }
    // An installed game plays from its data folder, wherever it was started.
    const platform::DataFolder data = platform::DataFolder::ofThisProgram();
    std::error_code error;
    const std::filesystem::path caller = std::filesystem::current_path(error);
    director.configPath = data.levelPath(line.levelGiven ? std::optional(line.level) : std::nullopt,
                                         CommandLine::kDefaultLevel, caller);
    std::string problem;
    if (!data.enter(problem)) {
        std::cout << "vellamora: " << problem << std::endl;
        return kExitCannotPlay;
    }
    return runGame(director);
}
