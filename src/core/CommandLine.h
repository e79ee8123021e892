#pragma once

#include <string>
#include <vector>

// What the game was asked to do on its command line:
//   vellamora [LEVEL]     play LEVEL (default config/config.txt)
//   vellamora --help      the usage, on standard output
//   vellamora --version   the version
// Anything else is a misuse: the usage goes to standard error and the status is 2.
struct CommandLine {
    enum class Action { Play, Help, Version, Misuse };

    static constexpr const char* kDefaultLevel = "config/config.txt";

    // The words after the program's name.
    static CommandLine parse(const std::vector<std::string>& arguments);

    Action action = Action::Play;
    std::string level = kDefaultLevel;
    // Whether `level` was named on the command line rather than taken as the default.
    bool levelGiven = false;
    // For a misuse: what was wrong, in a few words.
    std::string problem;
};

// The exit statuses the usage lists.
constexpr int kExitQuit = 0;
constexpr int kExitCannotPlay = 1;
constexpr int kExitMisuse = 2;

// The text `--help` prints: the argument, the keys, the exit statuses.
std::string usageText();
// "vellamora <version>", the version being the build's one.
std::string versionText();
