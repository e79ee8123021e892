// The game's command line: which level it plays, and what it refuses.
#include "core/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CommandLine parsed(const std::vector<std::string>& words) {
    return CommandLine::parse(words);
}

} // namespace

TEST(CommandLine, PlaysTheGivenLevelOrTheShippedOne) {
    EXPECT_EQ(parsed({}).action, CommandLine::Action::Play);
    EXPECT_EQ(parsed({}).level, "config/config.txt");
    EXPECT_FALSE(parsed({}).levelGiven);
    EXPECT_EQ(parsed({"levels/my level.txt"}).level, "levels/my level.txt");
    // Named, even when it names the shipped level: an installed game looks for it from
    // the caller's folder first.
    EXPECT_TRUE(parsed({"config/config.txt"}).levelGiven);
    // After "--" a name may start with a dash; "-" alone is a name too.
    EXPECT_EQ(parsed({"--", "-odd.txt"}).level, "-odd.txt");
    EXPECT_EQ(parsed({"-"}).level, "-");
    EXPECT_EQ(parsed({"--", "--help"}).action, CommandLine::Action::Play);
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(parsed({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parsed({"-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parsed({"level.txt", "--version"}).action, CommandLine::Action::Version);
    EXPECT_NE(versionText().find("vellamora "), std::string::npos);
    EXPECT_EQ(versionText().back(), '\n');
}

TEST(CommandLine, MisusesSayWhatWasWrong) {
    const CommandLine unknown = parsed({"--fullscreen"});
    EXPECT_EQ(unknown.action, CommandLine::Action::Misuse);
    EXPECT_EQ(unknown.problem, "unknown option --fullscreen");
    const CommandLine two = parsed({"a.txt", "b.txt"});
    EXPECT_EQ(two.action, CommandLine::Action::Misuse);
    EXPECT_EQ(two.problem, "one level at a time (a.txt and b.txt given)");
    EXPECT_EQ(parsed({""}).action, CommandLine::Action::Misuse);
    // An option after the level is still read as one.
    EXPECT_EQ(parsed({"a.txt", "-x"}).problem, "unknown option -x");
}
