#include "platform/FileWatch.h"

#include <sys/stat.h>

#include <utility>

namespace platform {

FileWatch::FileWatch(std::string path) : watched(std::move(path)), known(look()) {}

FileWatch::Stamp FileWatch::look() const {
    struct stat status {};
    if (::stat(watched.c_str(), &status) != 0) {
        return Stamp{};
    }
    return Stamp{true,
                 static_cast<std::uint64_t>(status.st_dev),
                 static_cast<std::uint64_t>(status.st_ino),
                 static_cast<std::int64_t>(status.st_size),
                 static_cast<std::int64_t>(status.st_mtim.tv_sec),
                 static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

bool FileWatch::poll(double now) {
    if (now - lastLook < kInterval && now >= lastLook) {
        return false;
    }
    lastLook = now;
    const Stamp found = look();
    if (!found.exists || found == known) {
        changing = Stamp{};
        return false;
    }
    if (found != changing) {
        changing = found; // still being written, maybe: the next look tells
        return false;
    }
    known = found;
    changing = Stamp{};
    return true;
}

void FileWatch::takeIn() {
    known = look();
    changing = Stamp{};
}

} // namespace platform
