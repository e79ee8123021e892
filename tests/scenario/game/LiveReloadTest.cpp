// The level file edited while the game plays it: a save is checked, then played in the
// running level's place, the flame where it stood; a broken save leaves the running
// level and says what is wrong, on standard output and on the HUD.
#include "../../support/GameFixture.h"
#include "../../support/ScratchPath.h"
#include "game/DoodadFan.h"
#include "physics/engine/Actor.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"

#include <glm/geometric.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class LiveReload : public GameFixture {
protected:
    LiveReload() : GameFixture(scratchPath("level.txt")) {
        original =
            readAll(std::string(VELLAMORA_SOURCE_DIR) + "/tests/data/levels/gameobjects.txt");
        std::ofstream(levelPath) << original;
    }
    ~LiveReload() override { std::filesystem::remove(levelPath); }

    void SetUp() override {
        GameFixture::SetUp();
        settle();
        heard.take();
    }

    // Saved as many editors save: a new file renamed over the old one.
    void save(const std::string& text) {
        const std::string next = levelPath + ".new";
        std::ofstream(next) << text;
        std::filesystem::rename(next, levelPath);
    }
    // The level text with its first `from` line made `to`.
    std::string edited(const std::string& from, const std::string& to) const {
        std::string text = original;
        const std::size_t at = text.find('\n' + from + '\n');
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at + 1, from.size(), to);
    }
    // More than the two looks at the file a save takes to be noticed.
    void waitForTheWatch() { frames(75); }

    Character& character() const { return *director->world->character; }
    glm::vec3 position() const { return character().actor->getGlobalPosition(); }
    DoodadFan& fan() const {
        for (const auto& entity : director->world->entities) {
            if (auto* found = dynamic_cast<DoodadFan*>(entity.get())) {
                return *found;
            }
        }
        throw std::logic_error("the test level has a fan");
    }
    const HudLine& reloadLine() const { return *director->overlay->findLine("reload"); }

    std::string original;
    RecordedMessages heard;
};

} // namespace

TEST_F(LiveReload, ASaveMovesWhatItMovedAndTheFlameGoesOnWhereItWas) {
    platform.input.press('W');
    platform.input.press('A');
    frames(40);
    platform.input.release('W');
    platform.input.release('A');
    frames(10);
    const GameWorld* before = director->world.get();
    const glm::vec3 place = position();
    const glm::mat4 heading = character().modelMatrix;
    const double flame = character().flame;
    const std::string timer = director->courseTimer.text();
    const std::size_t actors = director->physicsWorld->scene->getNbActors();
    ASSERT_NEAR(fan().modelMatrix[3].x, 0.0f, 1e-4f);

    save(edited(" 0 1 -10", " 6 1 -10"));
    frames(10);
    EXPECT_EQ(director->world.get(), before) << "a save is not taken before the file stands still";
    waitForTheWatch();
    ASSERT_NE(director->world.get(), before) << "the level was not read again";
    EXPECT_NE(heard.take().find(levelPath + " read again\n"), std::string::npos);
    EXPECT_NEAR(fan().modelMatrix[3].x, 6.0f, 1e-4f);
    EXPECT_EQ(director->physicsWorld->scene->getNbActors(), actors);

    EXPECT_LT(glm::distance(position(), place), 0.05f);
    EXPECT_LT(glm::distance(glm::vec3(character().modelMatrix[2]), glm::vec3(heading[2])), 1e-4f)
        << "the flame faces the way it faced";
    EXPECT_LE(character().flame, flame);
    EXPECT_GT(character().flame, flame - 0.04) << "the flame kept its value";
    EXPECT_GT(director->courseTimer.seconds(), 0.0) << "the run goes on";
    EXPECT_NE(director->courseTimer.text(), "Time: 0.0") << timer;
    EXPECT_TRUE(reloadLine().visible);

    // Saved again unchanged in content but written anew: read again once, not every look.
    save(edited(" 0 1 -10", " 6 1 -10"));
    waitForTheWatch();
    const GameWorld* second = director->world.get();
    EXPECT_NE(second, before);
    frames(120);
    EXPECT_EQ(director->world.get(), second);
}

TEST_F(LiveReload, AnEditedCharacterRecordStartsTheFlameOverAtItsNewStart) {
    platform.input.press('W');
    frames(60);
    platform.input.release('W');
    ASSERT_NE(director->courseTimer.text(), "Time: 0.0");
    const double drained = character().flame;

    save(edited(" 0 3 0", " 4 3 0"));
    waitForTheWatch();
    EXPECT_NE(heard.take().find("read again: the flame starts over"), std::string::npos);
    EXPECT_NEAR(position().x, 4.0f, 0.05f);
    EXPECT_NEAR(position().z, 0.0f, 0.05f);
    EXPECT_GT(character().flame, drained);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0");
}

TEST_F(LiveReload, ABrokenSaveLeavesTheRunningLevelAndSaysWhatIsWrong) {
    const GameWorld* running = director->world.get();
    // The fan's physics type misspelt on line 26, written in place as some editors do.
    std::string broken = original;
    const std::size_t at = broken.find("\nstatic 0\n");
    ASSERT_NE(at, std::string::npos);
    broken.replace(at + 1, 6, "statc");
    std::ofstream(levelPath, std::ios::trunc) << broken;
    waitForTheWatch();

    EXPECT_EQ(director->world.get(), running);
    const std::string said = heard.take();
    EXPECT_NE(said.find(levelPath + ":26: error: unknown physics type \"statc\""),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("1 error, 0 warnings; the running level stays"), std::string::npos);
    ASSERT_TRUE(reloadLine().visible);
    EXPECT_EQ(reloadLine().text->rfind(levelPath + ":26: error: ", 0), 0u) << *reloadLine().text;
    EXPECT_TRUE(frames(60)) << "the game plays on";
    EXPECT_EQ(director->world.get(), running);

    // The file gone for a while is waited for; back and sound, it is read.
    std::filesystem::remove(levelPath);
    waitForTheWatch();
    EXPECT_EQ(director->world.get(), running);
    EXPECT_EQ(heard.take(), "");
    std::ofstream(levelPath) << original;
    waitForTheWatch();
    EXPECT_NE(director->world.get(), running);
    frames(60 * LevelReload::kShownFor);
    EXPECT_FALSE(reloadLine().visible) << "the message goes after a few seconds";
}

TEST_F(LiveReload, F6ReadsTheLevelAgainEvenWhilePaused) {
    platform.input.press('P');
    platform.input.release('P');
    frames(2);
    ASSERT_TRUE(director->isPaused());
    const GameWorld* running = director->world.get();
    const double flame = character().flame;
    platform.input.press(platform::key::F6);
    platform.input.release(platform::key::F6);
    frames(2);
    EXPECT_NE(director->world.get(), running);
    EXPECT_TRUE(director->isPaused()) << "a reload is no restart";
    EXPECT_EQ(character().flame, flame);
    EXPECT_NE(heard.take().find(" read again"), std::string::npos);
}
