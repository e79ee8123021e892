#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// Where the game's data lies: the folder that holds config/, obj/ and shader/, and from
// which every path inside a level is read. An installed game keeps it beside its
// executable, in ../share/vellamora (whatever the prefix, a DESTDIR staging tree or an
// unpacked package), and plays from there; a source build has none and plays from the
// working directory it was started in, as before.
class DataFolder {
public:
    // The data folder of an installed program, relative to its bin/ folder.
    static constexpr const char* kBesideExecutable = "../share/vellamora";

    // The data folder for the executable at `executable`, when it has one.
    static DataFolder besideExecutable(const std::filesystem::path& executable);
    // The same for the running program.
    static DataFolder ofThisProgram();

    bool installed() const { return root.has_value(); }
    // The installed data folder; only when installed().
    const std::filesystem::path& path() const { return *root; }

    // The path to open, once in the data folder, for the level `given` on the command
    // line, or for `fallback` (the shipped level) when none was given. A level given is
    // looked for as given, from `callerDirectory` (where the player started the game),
    // then in the data folder; one found in neither place is named from the caller's
    // folder, where the player meant it. A source build takes every path as it stands.
    std::string levelPath(const std::optional<std::string>& given, const std::string& fallback,
                          const std::filesystem::path& callerDirectory) const;

    // Makes the data folder the working directory (nothing to do for a source build).
    // False, with the reason in `problem`, when it cannot be entered.
    bool enter(std::string& problem) const;

    // What a program's main does with the two: finds the running program's data
    // folder, sets `level` to the path to open for the level given on its command line
    // (or `fallback`), looked for from the working directory it was started in, and
    // enters the folder. False, with the reason in `problem`, when it cannot be entered.
    static bool enterForLevel(const std::optional<std::string>& given, const std::string& fallback,
                              std::string& level, std::string& problem);

private:
    std::optional<std::filesystem::path> root;
};

} // namespace platform
