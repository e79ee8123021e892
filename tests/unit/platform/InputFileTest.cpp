#include "platform/InputFile.h"
#include "level/DataLoader.h"
#include "render/TextOverlay.h"
#include "resources/Material.h"
#include "resources/Mesh.h"

#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using platform::InputFile;

namespace {

// A scratch folder of its own, gone with the test.
class ScratchFolder {
public:
    ScratchFolder() {
        path = std::filesystem::temp_directory_path() /
               ("vellamora-input-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name, const std::string& text) const {
        const std::string full = (path / name).string();
        std::ofstream(full, std::ios::binary) << text;
        return full;
    }
    std::string fifo(const std::string& name) const {
        const std::string full = (path / name).string();
        EXPECT_EQ(::mkfifo(full.c_str(), 0600), 0);
        return full;
    }
    std::filesystem::path path;
};

} // namespace

TEST(InputFile, ReadsRegularFilesWhole) {
    const ScratchFolder scratch;
    const InputFile file(scratch.file("a.txt", std::string("one\0two\n", 8)));
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.text(), std::string_view("one\0two\n", 8));
    const InputFile empty(scratch.file("empty.txt", ""));
    EXPECT_TRUE(empty.isOpen());
    EXPECT_TRUE(empty.text().empty());
}

// What is not a regular file is refused at once and says what it is: none of these may
// block (a FIFO without a writer) or read without end (/dev/zero).
TEST(InputFile, RefusesWhatIsNotARegularFile) {
    const ScratchFolder scratch;
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {(scratch.path / "missing.obj").string(), "no such file or directory"},
        {scratch.path.string(), "a directory, not a file"},
        {scratch.fifo("pipe.obj"), "a named pipe, not a file"},
        {"/dev/zero", "a character device, not a file"},
    };
    for (const auto& c : cases) {
        const InputFile file(c.path);
        EXPECT_FALSE(file.isOpen()) << c.path;
        EXPECT_EQ(file.reason(), c.reason);
        EXPECT_TRUE(file.text().empty());
    }
}

TEST(InputFile, RefusesFilesOverTheLimit) {
    const ScratchFolder scratch;
    const std::string small = scratch.file("small.txt", std::string(1000, 'x'));
    EXPECT_TRUE(InputFile(small, 1000).isOpen());
    const InputFile tooLarge(small, 999);
    EXPECT_FALSE(tooLarge.isOpen());
    EXPECT_EQ(tooLarge.reason(), "too large (1000 bytes; at most 999 bytes)");

    // A sparse file just over the level limit costs no disk.
    const std::string big = scratch.file("big.txt", "");
    std::filesystem::resize_file(big, platform::kMaxLevelFileBytes + 1);
    const InputFile level(big, platform::kMaxLevelFileBytes);
    EXPECT_FALSE(level.isOpen());
    EXPECT_EQ(level.reason(), "too large (64 MiB; at most 64 MiB)");
    EXPECT_TRUE(InputFile(big).isOpen()) << "an asset may be larger than a level";
}

// Every loader names the file and says why, and none of them waits on a pipe.
TEST(InputFile, EveryLoaderRefusesAPipeWithTheReason) {
    const ScratchFolder scratch;
    const std::string pipe = scratch.fifo("pipe");
    const std::string why = pipe + ": a named pipe, not a file";
    {
        RecordedMessages heard;
        DataLoader loader;
        loader.parseLevelFile(pipe);
        EXPECT_EQ(heard.messages(), (std::vector<std::string>{"Unable to open file " + pipe, why}));
    }
    {
        RecordedMessages heard;
        const Material material(pipe);
        EXPECT_EQ(heard.messages(), (std::vector<std::string>{"Unable to open file " + pipe, why}));
    }
    {
        RecordedMessages heard;
        TextOverlay overlay(0, 0);
        readGlyphFile(overlay, pipe);
        EXPECT_EQ(heard.messages(), (std::vector<std::string>{"Unable to open file " + pipe, why}));
    }
    {
        RecordedMessages heard;
        const Mesh mesh(pipe);
        EXPECT_EQ(heard.messages().back(), why);
        EXPECT_EQ(mesh.faceCount, 0);
    }
}
