// Finding the game's data beside an installed executable, and the level a player names.
#include "platform/DataFolder.h"

#include "../../support/ScratchPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

using platform::DataFolder;
namespace fs = std::filesystem;

namespace {

// An installation under a prefix (prefix/bin/vellamora, prefix/share/vellamora/...) and
// a folder elsewhere that the player starts the game from.
class DataFolders : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix / "bin");
        fs::create_directories(data / "config");
        fs::create_directories(data / "levels");
        fs::create_directories(caller / "levels");
        touch(prefix / "bin" / "vellamora");
        touch(data / "config" / "config.txt");
        touch(data / "levels" / "tutorial.txt");
        touch(caller / "mine.txt");
    }
    void TearDown() override {
        fs::current_path(startedIn);
        fs::remove_all(top);
    }
    static void touch(const fs::path& file) { std::ofstream(file) << "#Character\n"; }
    DataFolder installed() const {
        return DataFolder::besideExecutable(prefix / "bin" / "vellamora");
    }
    std::string level(const DataFolder& folder, std::optional<std::string> given) const {
        return folder.levelPath(given, "config/config.txt", caller);
    }

    fs::path top = scratchPath("tree");
    fs::path prefix = top / "prefix";
    fs::path data = prefix / "share" / "vellamora";
    fs::path caller = top / "home";
    fs::path startedIn = fs::current_path();
};

} // namespace

TEST_F(DataFolders, AnInstalledGameFindsItsDataBesideItself) {
    const DataFolder folder = installed();
    ASSERT_TRUE(folder.installed());
    EXPECT_EQ(folder.path(), data);

    // Reached through a path with dots in it, the same folder.
    EXPECT_EQ(DataFolder::besideExecutable(prefix / "bin" / ".." / "bin" / "vellamora").path(),
              data);
}

TEST_F(DataFolders, ASourceBuildHasNoneAndPlaysFromTheWorkingDirectory) {
    fs::create_directories(top / "build");
    EXPECT_FALSE(DataFolder::besideExecutable(top / "build" / "vellamora").installed());
    EXPECT_FALSE(DataFolder::besideExecutable({}).installed());
    // Something named share/vellamora that is not a folder is not a data folder.
    fs::create_directories(top / "odd" / "bin");
    fs::create_directories(top / "odd" / "share");
    touch(top / "odd" / "share" / "vellamora");
    EXPECT_FALSE(DataFolder::besideExecutable(top / "odd" / "bin" / "vellamora").installed());

    const DataFolder none;
    EXPECT_EQ(level(none, std::nullopt), "config/config.txt");
    EXPECT_EQ(level(none, "mine.txt"), "mine.txt") << "taken as it stands";
    std::string problem;
    EXPECT_TRUE(none.enter(problem));
    EXPECT_EQ(fs::current_path(), startedIn);
}

TEST_F(DataFolders, ALevelIsLookedForFromTheCallerFirstThenInTheData) {
    const DataFolder folder = installed();
    EXPECT_EQ(level(folder, std::nullopt), "config/config.txt") << "the shipped level";
    EXPECT_EQ(level(folder, "mine.txt"), (caller / "mine.txt").string());
    EXPECT_EQ(level(folder, "./levels/../mine.txt"), (caller / "mine.txt").string());
    EXPECT_EQ(level(folder, "levels/tutorial.txt"), "levels/tutorial.txt")
        << "not beside the caller: the data folder's";
    EXPECT_EQ(level(folder, "/some/where.txt"), "/some/where.txt");

    // The caller's own copy wins over the data folder's.
    touch(caller / "levels" / "tutorial.txt");
    EXPECT_EQ(level(folder, "levels/tutorial.txt"), (caller / "levels" / "tutorial.txt").string());

    // Found nowhere: named where the player meant it, so the message says what was tried.
    EXPECT_EQ(level(folder, "nowhere.txt"), (caller / "nowhere.txt").string());
}

TEST_F(DataFolders, EnteringTheDataFolderMakesTheLevelsPathsWork) {
    const DataFolder folder = installed();
    const std::string tutorial = level(folder, "levels/tutorial.txt");
    const std::string mine = level(folder, "mine.txt");
    std::string problem;
    ASSERT_TRUE(folder.enter(problem)) << problem;
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(data));
    EXPECT_TRUE(fs::exists(tutorial));
    EXPECT_TRUE(fs::exists(mine));
    EXPECT_TRUE(fs::exists("config/config.txt"));

    // Removed since it was found: the reason is said, nothing is entered.
    fs::current_path(startedIn);
    fs::remove_all(data);
    EXPECT_FALSE(folder.enter(problem));
    EXPECT_NE(problem.find(data.string()), std::string::npos) << problem;
    EXPECT_EQ(fs::current_path(), startedIn);
}
