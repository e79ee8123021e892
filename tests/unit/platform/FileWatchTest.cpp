// Telling a saved level file from one still being written, by looks about twice a second.
#include "platform/FileWatch.h"

#include "../../support/ScratchPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using platform::FileWatch;

namespace {

class FileWatching : public testing::Test {
protected:
    void SetUp() override {
        write("first");
        watch = std::make_unique<FileWatch>(path);
    }
    void TearDown() override {
        std::filesystem::remove(path);
        std::filesystem::remove(path + ".new");
    }
    void write(const std::string& text) { std::ofstream(path, std::ios::trunc) << text; }
    // The next look, kInterval after the last one.
    bool look() {
        now += FileWatch::kInterval;
        return watch->poll(now);
    }

    std::string path = scratchPath("level.txt");
    std::unique_ptr<FileWatch> watch;
    double now = 0.0;
};

} // namespace

TEST_F(FileWatching, ASaveIsReportedOnceWhenTheFileHasStoodStillForALook) {
    EXPECT_FALSE(look()) << "the file as taken in is no change";
    write("second, longer");
    EXPECT_FALSE(look()) << "it may still be being written";
    EXPECT_TRUE(look());
    EXPECT_FALSE(look()) << "reported once";

    // Written again between two looks, then still: one report, after the last write.
    write("third");
    EXPECT_FALSE(look());
    write("fourth, and more");
    EXPECT_FALSE(look());
    EXPECT_TRUE(look());
}

TEST_F(FileWatching, ANewFileRenamedOverTheOldOneIsASave) {
    // Same size, and within the clock's resolution maybe the same time: the inode tells.
    std::ofstream(path + ".new") << "frost";
    std::filesystem::rename(path + ".new", path);
    EXPECT_FALSE(look());
    EXPECT_TRUE(look());
}

TEST_F(FileWatching, LooksComeNoOftenerThanTheIntervalAndTakeInForgetsAChange) {
    write("changed");
    now = 10.0;
    EXPECT_FALSE(watch->poll(now));
    EXPECT_FALSE(watch->poll(now + 0.1)) << "too soon to look again";
    EXPECT_FALSE(watch->poll(now + 0.4));
    EXPECT_TRUE(watch->poll(now + FileWatch::kInterval));

    write("read by hand");
    EXPECT_FALSE(watch->poll(now + 1.0));
    watch->takeIn(); // read by hand: nothing left to report
    EXPECT_FALSE(watch->poll(now + 2.0));
    EXPECT_FALSE(watch->poll(now + 3.0));
}

TEST_F(FileWatching, AFileGoneForAWhileIsWaitedForAndReportedWhenBack) {
    std::filesystem::remove(path);
    EXPECT_FALSE(look());
    EXPECT_FALSE(look());
    write("back again");
    EXPECT_FALSE(look());
    EXPECT_TRUE(look());
}
