// Checks a level file the way the game reads it, for level designers:
//   levelcheck [level file]      (default config/config.txt, run from data/)
// Prints one "file:line: error|warning: message" line per problem and a summary;
// exits with 1 when there is an error.
#include "level/LevelCheck.h"

#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::cout << "usage: levelcheck [level file]   (default config/config.txt)" << std::endl;
        return argc == 2 ? 0 : 2;
    }
    const std::string path = argc == 2 ? argv[1] : "config/config.txt";
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
