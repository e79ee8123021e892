// A long walk on the shipped level: a hundred thousand frames (about half an hour of
// play) must not grow the process. A leak of a few bytes a frame, a buffer made per
// draw or a string kept per HUD update shows here as megabytes.
#include "../../memcheck/WalkPattern.h"
#include "../../support/GameFixture.h"
#include "../../support/ResidentSet.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"

#include <glm/glm.hpp>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr double kFrame = 1.0 / 60.0;

class Soak : public GameFixture {
protected:
    Soak() : GameFixture("config/config.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle();
        start = director->world->character->controller->getPosition();
    }

    // Frames of the walk: one in a hundred drawn, so the GL buffers are refilled
    // and the passes run all along; the others only step the game and the physics.
    // False, with the reason reported, when the game stops on the way.
    bool walk(long count) {
        for (long i = 0; i < count; ++i, ++frame) {
            pattern.steer(frame);
            const FrameMode mode = frame % 100 == 0 ? FrameMode::Draw : FrameMode::SkipDrawing;
            if (!frames(1, kFrame, mode)) {
                ADD_FAILURE() << "the game stopped at frame " << frame;
                return false;
            }
            Character& character = *director->world->character;
            if (character.locked && !character.victorious) {
                ADD_FAILURE() << "the flame went out at frame " << frame;
                return false;
            }
            // The flame keeps draining and showing its text; it is only kept from
            // going out.
            if (character.flame < 0.5) {
                character.flame = 1.0;
            }
            // Back to the start now and then, so the walk does not end up pressed
            // into one corner for the rest of the run; and when it has walked off the
            // level, before the fall out of it ends the game.
            const bool fallingOff = character.actor->getGlobalPosition().y < -5.0f;
            if (frame % (10 * WalkPattern::kCycle) == 0 || fallingOff) {
                character.controller->setPosition(start);
                ++returns;
            }
            const glm::dvec3 at(character.actor->getGlobalPosition());
            farthest = std::max(farthest, glm::distance(at, start));
        }
        return true;
    }

    // Walks and returns the highest resident set seen at the end of each hundred
    // frames. Between drawn frames the GL driver hands big blocks back and takes them
    // again, so a single reading swings by a megabyte or two; the peak over a stretch
    // of frames holds within a few hundred KiB.
    long walkForPeakResidentKiB(long count) {
        long peak = -1;
        for (long done = 0; done < count; done += 100) {
            if (!walk(100)) {
                return -1;
            }
            peak = std::max(peak, residentKiB());
        }
        return peak;
    }

    WalkPattern pattern{platform.input};
    long frame = 1;
    int returns = 0;
    double farthest = 0.0;
    glm::dvec3 start{0.0};
};

} // namespace

TEST_F(Soak, AHundredThousandFramesOfWalkingKeepTheResidentSetFlat) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer holds freed blocks back for a while and keeps a shadow of every
    // byte, so its resident set says nothing about leaks; and a frame costs ten times
    // as much. A shorter walk still puts every path of the run under its checks.
    ASSERT_TRUE(walk(10000));
    EXPECT_GT(returns, 0);
    GTEST_SKIP() << "walked 10000 frames; the resident-set verdict needs a build without "
                    "AddressSanitizer";
#endif
    // Long enough for every pass to have drawn, the GL to have built its shader
    // variants and the allocator to have its arenas.
    ASSERT_TRUE(walk(5000));
    const long warm = walkForPeakResidentKiB(5000);
    ASSERT_GT(warm, 0) << "VmRSS read from /proc/self/status";
    ASSERT_TRUE(walk(85000));
    const long end = walkForPeakResidentKiB(5000);
    ASSERT_GT(end, 0);
    EXPECT_GT(returns, 10);
    EXPECT_GT(farthest, 20.0) << "the flame went places";
    // 2 MiB: above the peak's own wander (a few hundred KiB, once 1.2 MiB in many
    // runs) and half of what a leak of 16 bytes a frame adds between the two stretches
    // (4 MiB, allocator overhead included).
    EXPECT_LE(end - warm, 2048) << "peak resident set grew from " << warm << " KiB to " << end
                                << " KiB";
    std::printf("peak resident set %ld KiB after warm-up, %ld KiB after %ld frames\n", warm, end,
                frame - 1);
}
