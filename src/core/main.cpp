#include "core/CommandLine.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "platform/DataFolder.h"

#include <iostream>
#include <optional>

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
    std::string problem;
    if (!platform::DataFolder::enterForLevel(
            line.levelGiven ? std::optional(line.level) : std::nullopt, CommandLine::kDefaultLevel,
            director.configPath, problem)) {
        std::cout << "vellamora: " << problem << std::endl;
        return kExitCannotPlay;
    }
    return runGame(director);
}
