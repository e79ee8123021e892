#include "core/CommandLine.h"
#include "core/Director.h"
#include "core/FrameLoop.h"

#include <iostream>

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
    director.configPath = line.level;
    return runGame(director);
}
