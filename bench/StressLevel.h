#pragma once

#include <filesystem>
#include <string>

// A level written to load the frame: a Character at the origin looking down -z across a
// grid of boxes, crates and barrels on a floor. Of the entities, one is the floor (a "plane"),
// `dynamic` are crates that fall a little and settle, the rest are static. Its paths are
// relative to data/, like the shipped level's.
struct StressLevel {
    int entities = 1000;
    int dynamic = 200;

    // The level file's text.
    std::string text() const;

    // Writes text() to the file; on failure says so on standard output and returns false.
    bool write(const std::filesystem::path& file) const;
};
