#include "core/CommandLine.h"

#ifndef VELLAMORA_VERSION
#error "the build defines VELLAMORA_VERSION from the project's version"
#endif

CommandLine CommandLine::parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& word : arguments) {
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && (word == "--help" || word == "-h")) {
            line.action = Action::Help;
            return line;
        }
        if (!optionsEnded && word == "--version") {
            line.action = Action::Version;
            return line;
        }
        // "-" alone is a file name here, as nothing is ever read from standard input.
        if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            line.action = Action::Misuse;
            line.problem = "unknown option " + word;
            return line;
        }
        if (line.levelGiven) {
            line.action = Action::Misuse;
            line.problem = "one level at a time (" + line.level + " and " + word + " given)";
            return line;
        }
        if (word.empty()) {
            line.action = Action::Misuse;
            line.problem = "an empty level name";
            return line;
        }
        line.level = word;
        line.levelGiven = true;
    }
    return line;
}

std::string usageText() {
    return "Usage: vellamora [LEVEL]\n"
           "       vellamora --help | --version\n"
           "\n"
           "Steer the flame through LEVEL to the goal before it burns out. LEVEL is a level\n"
           "file (default " +
           std::string(CommandLine::kDefaultLevel) +
           ").\n"
           "The game plays from its data folder, which holds config/, obj/ and shader/:\n"
           "share/vellamora beside an installed game, otherwise the working directory. The\n"
           "meshes, textures and shaders a level names are found there; an installed game\n"
           "looks for LEVEL from where it was started first, then in its data folder.\n"
           "\n"
           "Keys:\n"
           "  W / S                 walk forward / back\n"
           "  A / D                 turn left / right (strafe with the right mouse button)\n"
           "  right mouse button    hold to steer the view with the mouse\n"
           "  Space                 jump\n"
           "  mouse wheel           camera distance\n"
           "  R                     restart the level\n"
           "  P                     pause / go on\n"
           "  F2                    frame rate on / off\n"
           "  F3                    wire frame: lines, points, off\n"
           "  F4 / F5               texture filter / mipmap filter\n"
           "  F6                    read the level file again (also done on each save)\n"
           "  F7                    pin the status lines / hide them\n"
           "  F8 / F9               frustum culling / alpha blending on or off\n"
           "  Escape                quit\n"
           "\n"
           "Gamepad:\n"
           "  left stick            walk and turn (strafe with the right shoulder or trigger)\n"
           "  right stick           steer the view\n"
           "  A / Cross             jump\n"
           "  Start                 pause / go on\n"
           "  Back / Select         restart the level\n"
           "\n"
           "Exit status:\n"
           "  0  the game was quit\n"
           "  1  the game could not start or the level has nothing to play\n"
           "  2  the command line was wrong\n";
}

std::string versionText() {
    return std::string("vellamora ") + VELLAMORA_VERSION + "\n";
}
