// The shipped level, played in-process.
#include "../../support/GameFixture.h"
#include "physics/engine/Actor.h"

#include <regex>

namespace {
class ShippedLevel : public GameFixture {
protected:
    ShippedLevel() : GameFixture("config/config.txt") {}
};
} // namespace

TEST_F(ShippedLevel, LoadsWithOnlySuccessLinesAndCanBeWalked) {
    // Every line is one of the start-up or loader success messages, or the blank
    // line after a link.
    const std::regex success("GLFW initialized|GLEW initialized|"
                             "Shader loaded and compiled successfully\\.|"
                             "Shader-program linked successfully\\.|Texture loading succesful|");
    std::istringstream lines(startMessages);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(std::regex_match(line, success)) << line;
    }
    EXPECT_GT(director->world->entities.size(), 5u);

    frames(30);
    const glm::vec3 start = director->world->character->actor->getGlobalPosition();
    platform.input.press('W');
    frames(16);
    platform.input.release('W');
    frames(2);
    const glm::vec3 end = director->world->character->actor->getGlobalPosition();
    EXPECT_LT(end.z, start.z - 8.0f) << "walked into the hall";
    EXPECT_NEAR(end.y, start.y, 0.05f);
}
