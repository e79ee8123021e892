#include "platform/InputFile.h"

#include "platform/DiagnosticLine.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a plain file";
}

// 256 MiB, or the bytes themselves below one MiB.
std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t mib = std::uint64_t{1} << 20;
    if (bytes % mib == 0) {
        return std::to_string(bytes / mib) + " MiB";
    }
    return bytes < mib ? std::to_string(bytes) + " bytes"
                       : std::to_string((bytes + mib / 2) / mib) + " MiB";
}

std::string lowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

} // namespace

InputFile::InputFile(const std::string& path, std::uint64_t limit) {
    // Non-blocking, so that opening a FIFO nobody writes to returns at once; the
    // descriptor is refused right after, as anything but a regular file is.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        failure = lowerFirst(std::strerror(errno));
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        failure = lowerFirst(std::strerror(errno));
    } else if (!S_ISREG(info.st_mode)) {
        failure = kindOf(info.st_mode) + ", not a file";
    } else if (static_cast<std::uint64_t>(info.st_size) > limit) {
        failure = "too large (" + sizeText(static_cast<std::uint64_t>(info.st_size)) +
                  "; at most " + sizeText(limit) + ")";
    } else {
        size = static_cast<std::size_t>(info.st_size);
        opened = true;
        if (size > 0) {
            // Mapped rather than copied: big meshes are tens of megabytes, and touching
            // every page twice costs more than parsing them on some machines.
            data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (data == MAP_FAILED) {
                failure = lowerFirst(std::strerror(errno));
                data = nullptr;
                size = 0;
                opened = false;
            }
        }
    }
    ::close(fd);
}

InputFile::~InputFile() {
    if (data) {
        ::munmap(data, size);
    }
}

void InputFile::reportUnopenable(const std::string& path) const {
    reportUnopenable(path, failure);
}

void InputFile::reportUnopenable(const std::string& path, const std::string& reason) {
    DiagnosticLine() << "Unable to open file " << path;
    DiagnosticLine() << path << ": " << reason;
}

} // namespace platform
