#include "platform/DataFolder.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

DataFolder DataFolder::besideExecutable(const fs::path& executable) {
    DataFolder folder;
    if (executable.empty()) {
        return folder;
    }
    std::error_code error;
    const fs::path candidate = (executable.parent_path() / kBesideExecutable).lexically_normal();
    if (fs::is_directory(candidate, error)) {
        folder.root = candidate;
    }
    return folder;
}

DataFolder DataFolder::ofThisProgram() {
    // The kernel's own record of the program file, links followed: a link to the game
    // from elsewhere still finds the data of the installation it points into.
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return besideExecutable(error ? fs::path() : executable);
}

std::string DataFolder::levelPath(const std::optional<std::string>& given,
                                  const std::string& fallback,
                                  const fs::path& callerDirectory) const {
    if (!installed()) {
        return given.value_or(fallback);
    }
    if (!given) {
        return fallback;
    }
    const fs::path asGiven(*given);
    if (asGiven.is_absolute()) {
        return *given;
    }
    std::error_code error;
    const fs::path fromCaller = (callerDirectory / asGiven).lexically_normal();
    if (fs::exists(fromCaller, error)) {
        return fromCaller.string();
    }
    if (fs::exists(*root / asGiven, error)) {
        return *given;
    }
    return fromCaller.string();
}

bool DataFolder::enter(std::string& problem) const {
    if (!installed()) {
        return true;
    }
    if (::chdir(root->c_str()) != 0) {
        problem = "cannot enter the data folder " + root->string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool DataFolder::enterForLevel(const std::optional<std::string>& given, const std::string& fallback,
                               std::string& level, std::string& problem) {
    const DataFolder data = ofThisProgram();
    std::error_code error;
    level = data.levelPath(given, fallback, fs::current_path(error));
    return data.enter(problem);
}

} // namespace platform
