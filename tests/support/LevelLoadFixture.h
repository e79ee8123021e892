#pragma once

#include "RecordedMessages.h"
#include "ScratchPath.h"
#include "game/Character.h"
#include "game/GameWorld.h"
#include "level/DataLoader.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "render/Light.h"
#include "resources/Texture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// Builds a world from level text written to a temporary file, the way the game loads
// its level, but without GL: the test levels name no texture ("none.png"), so the
// construction makes no GL call. The texture cache's report of that missing texture is
// left out of `messages`; every other line the loader prints is kept.
class LevelLoadFixture : public testing::Test {
protected:
    explicit LevelLoadFixture(const std::string& fileName) : path(scratchPath(fileName)) {}

    void SetUp() override { ASSERT_TRUE(world.initPhysics()); }
    void TearDown() override { std::filesystem::remove(path); }

    Character* load(const std::string& text) {
        std::ofstream(path) << text;
        RecordedMessages heard;
        Character* character = loader.loadLevel(level, textures, path, LevelPrograms{7, 8, 9});
        const std::vector<std::string>& heardLines = heard.messages();
        for (std::size_t i = 0; i < heardLines.size(); ++i) {
            if (heardLines[i] != "Wrong texture string") {
                messages += heardLines[i] + "\n";
                continue;
            }
            // The lines saying why the texture did not load: its name and the reason,
            // after "Unable to open file <name>" when it cannot be opened.
            ++textureRequests;
            if (i + 1 < heardLines.size() &&
                heardLines[i + 1].rfind("Unable to open file ", 0) == 0) {
                ++i;
            }
            ++i;
        }
        return character;
    }

    static std::uint16_t groupOf(const physics::Actor* actor) {
        return actor->getShapes().front()->getGroup();
    }

    PhysicsWorld world;
    DataLoader loader;
    Texture textures;
    // What the loader builds; torn down before the physics world goes.
    GameWorld level{world};
    std::vector<std::unique_ptr<Light>>& lights = level.levelLights;
    std::vector<std::unique_ptr<Entity>>& entities = level.entities;
    std::string messages;
    int textureRequests = 0; // each asks for "none.png", which cannot be loaded
    std::string path;
};
