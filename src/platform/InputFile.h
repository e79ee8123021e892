#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The most a file the game reads may hold: enough for any level mesh or texture, and a
// bound on what a wrong name (a disk image, a log) can make the game take in.
constexpr std::uint64_t kMaxAssetFileBytes = std::uint64_t{256} << 20;
// Level files are text a designer writes; a quarter of that is plenty.
constexpr std::uint64_t kMaxLevelFileBytes = std::uint64_t{64} << 20;

// One file opened for reading, its bytes mapped into memory. Only regular files no
// larger than the limit are opened: a FIFO, a device such as /dev/zero, a directory or
// a socket is refused without ever waiting on it. When it cannot be opened, `reason`
// says why in a few words ("no such file or directory", "a directory, not a file").
class InputFile {
public:
    explicit InputFile(const std::string& path, std::uint64_t limit = kMaxAssetFileBytes);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return opened; }
    const std::string& reason() const { return failure; }
    // The whole file; empty when it is empty or could not be opened.
    std::string_view text() const { return {static_cast<const char*>(data), size}; }

    // The two lines every loader prints for a file it cannot open:
    //     Unable to open file <path>
    //     <path>: <reason>
    void reportUnopenable(const std::string& path) const;
    // The same for a reason kept from a file that is closed by now.
    static void reportUnopenable(const std::string& path, const std::string& reason);

private:
    void* data = nullptr;
    std::size_t size = 0;
    bool opened = false;
    std::string failure;
};

} // namespace platform
