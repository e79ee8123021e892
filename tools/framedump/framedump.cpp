// Draws a scripted run of the shipped level on the virtual clock and writes every 50th
// frame as a binary PPM into a folder. The run is the same every time (fixed frame
// time, the C library's default random seed), so two builds can be compared frame by
// frame with cmp: a change meant to keep the picture must leave every byte alone.
//
//   framedump OUTPUT_DIR   (from anywhere, under an X display)
#include "../../tests/support/PlatformFixture.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "physics/engine/Scene.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrames = 400;

// The frame just drawn, bottom row first as GL reads it.
bool writeFrame(const std::filesystem::path& file) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::ofstream out(file, std::ios::binary);
    out << "P6 " << kWidth << ' ' << kHeight << " 255\n";
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// The keys of the run: the status lines on, a walk with a turn in it.
void script(platform::ScriptedInput& input, int frame) {
    const int statusKey = platform::key::F1 + 6;
    switch (frame) {
    case 20:
        input.press(statusKey);
        break;
    case 21:
        input.release(statusKey);
        break;
    case 60:
        input.press('W');
        break;
    case 200:
        input.press('A');
        break;
    case 230:
        input.release('A');
        break;
    case 300:
        input.release('W');
        break;
    default:
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cout << "usage: framedump OUTPUT_DIR" << std::endl;
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(output);

    ScopedPlatform scripted;
    platform::VirtualClock& clock = scripted.clock;
    std::filesystem::current_path(std::filesystem::path(VELLAMORA_SOURCE_DIR) / "data");
    Director director("config/config.txt");
    if (!director.init()) {
        director.cleanup();
        return 1;
    }
    clock.set(0.5);
    int written = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        script(scripted.input, frame);
        clock.advance(1.0 / 60.0);
        runFrame(director);
        if (frame % 50 == 49 &&
            !writeFrame(output / ("frame" + std::to_string(written++) + ".ppm"))) {
            std::cout << "Cannot write into " << output << std::endl;
            return 1;
        }
    }
    director.physicsWorld->scene->fetchResults(physics::RigidBodyFinished, true);
    director.cleanup();
    return 0;
}
