#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Notices when a file has been saved: its modification time, size or identity (an
// editor that writes a new file and renames it over the old one leaves another inode)
// differs from when it was last taken in. A change is reported once the file has stood
// still from one look to the next, so that a file still being written is not taken for
// the saved one; a file that is missing for a moment, as between an editor's delete
// and write, is waited for rather than reported.
class FileWatch {
public:
    // How often poll looks at the file, in seconds.
    static constexpr double kInterval = 0.5;

    // Takes the file in as it is now.
    explicit FileWatch(std::string path);

    // True once for each change, looking at the file when kInterval has passed since
    // the last look (`now` in seconds, any clock that goes on): at the second look
    // that finds the file changed and as it was at the first.
    bool poll(double now);
    // Takes the file in as it is now: a change already seen is not reported again.
    void takeIn();

    const std::string& path() const { return watched; }

private:
    struct Stamp {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp look() const;

    std::string watched;
    Stamp known;
    Stamp changing; // what the last look found, when that was a change
    double lastLook = -1.0e30;
};

} // namespace platform
