// A game that cannot start says why and ends with status 1, before any frame and without
// touching what it never made.
#include "../../support/PlatformFixture.h"
#include "../../support/RecordedMessages.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "platform/Keys.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace {

class StartUp : public testing::Test {
protected:
    void SetUp() override {
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(VELLAMORA_SOURCE_DIR) / "data");
        // Should a frame run after all, it is the last one, and the test ends.
        platform.input.press(platform::key::Esc);
    }
    void TearDown() override {
        std::filesystem::remove(level);
        std::filesystem::current_path(previousDirectory);
    }

    ScopedPlatform platform;
    RecordedMessages heard;
    std::string level = testing::TempDir() + "start_up." + std::to_string(getpid()) + ".txt";
    std::filesystem::path previousDirectory;
};

} // namespace

TEST_F(StartUp, NoPhysicsMeansNoWindowAndStatusOne) {
    Director director("config/config.txt");
    director.physicsWorld->gravity.y = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(runGame(director), 1);
    EXPECT_EQ(heard.take(), "Could not init physics: no physics scene could be created\n");
    EXPECT_EQ(platform::window().handle(), nullptr);
}

// The objects and the light are built before the missing player is noticed; they, the
// programs and the window must all go quietly.
TEST_F(StartUp, ALevelWithoutACharacterEndsBeforeItsFirstFrame) {
    std::ofstream(level) << "#Box\nstatic 0\n../tests/data/obj/cube_textured.obj\n"
                            "../tests/data/obj/crate.mtl\n../tests/data/textures/orange_8x4.png\n"
                            " 14 4 0\nu\n 1 4 20\nu\n"
                            "*lamp\n 0 10 0\n 1 1 1 1\n 0.1 0.1 0.1 1\n 0.5 0.5 0.5 1\n";
    {
        Director director(level);
        EXPECT_EQ(runGame(director), 1);
        EXPECT_EQ(director.world->entities.size(), 1u);
        EXPECT_EQ(director.world->character, nullptr);
        EXPECT_EQ(platform::window().handle(), nullptr) << "cleanup closed the window";
    }
    ASSERT_FALSE(heard.messages().empty());
    EXPECT_EQ(heard.messages().front(), "GLFW initialized");
    EXPECT_EQ(heard.messages().back(), "The level " + level + " has no Character: nothing to play");
}
