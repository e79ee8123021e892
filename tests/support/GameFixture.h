#pragma once

#include "PlatformFixture.h"
#include "RecordedMessages.h"
#include "core/Director.h"
#include "core/FrameLoop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

// The whole game in-process: the Director on a virtual clock with scripted input,
// run from data/ like the real binary, on a level of the test data.
class GameFixture : public testing::Test {
protected:
    explicit GameFixture(std::string level) : levelPath(std::move(level)) {}

    void SetUp() override {
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(VELLAMORA_SOURCE_DIR) / "data");
        director = std::make_unique<Director>(levelPath);
        RecordedMessages heard;
        const bool started = director->init();
        startMessages = heard.take();
        ASSERT_TRUE(started) << startMessages;
    }

    void TearDown() override {
        director->cleanup();
        director.reset();
        std::filesystem::current_path(previousDirectory);
    }

    // Frames of dt seconds each; false as soon as the game stops running. A frame
    // ends with the physics step still running on its worker thread, so this waits
    // for it: between calls the test may read and move actors safely. (The next
    // frame's own wait then finds nothing left to do.)
    bool frames(int count, double dt = 1.0 / 60.0, FrameMode mode = FrameMode::Draw) {
        bool running = true;
        for (int i = 0; i < count && running; ++i) {
            platform.clock.advance(dt);
            running = runFrame(*director, mode);
        }
        director->physicsWorld->scene->fetchResults(physics::RigidBodyFinished, true);
        return running;
    }

    // The start a player sees: the first frame carries half a second of loading time,
    // then 30 frames to land on the floor.
    void settle(FrameMode mode = FrameMode::Draw) {
        platform.clock.set(0.5);
        runFrame(*director, mode);
        frames(30, 1.0 / 60.0, mode);
    }

    // The level's first entity of type T; the test level must have one.
    template <class T> T& find() const {
        for (const auto& entity : director->world->entities) {
            if (auto* typed = dynamic_cast<T*>(entity.get())) {
                return *typed;
            }
        }
        throw std::logic_error("the test level has no such object");
    }

    // How many objects of type T the level has.
    template <class T> int count() const {
        int n = 0;
        for (const auto& entity : director->world->entities) {
            n += dynamic_cast<T*>(entity.get()) != nullptr;
        }
        return n;
    }

    ScopedPlatform platform;
    std::string levelPath;
    std::unique_ptr<Director> director;
    std::string startMessages;
    std::filesystem::path previousDirectory;
};
