#include "StressLevel.h"

#include "level/LevelReader.h"
#include "resources/Mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

struct Parsed {
    std::vector<ObjectDescription> objects;
    std::vector<LightDescription> lights;
    std::vector<std::string> problems;
};

Parsed parse(const StressLevel& level) {
    Parsed parsed;
    std::istringstream in(level.text());
    LevelReader reader(in, "stress", [&](std::size_t line, const std::string& message) {
        parsed.problems.push_back(std::to_string(line) + ": " + message);
    });
    reader.read(parsed.objects, parsed.lights);
    return parsed;
}

std::map<std::string, int> physicsTypes(const Parsed& parsed) {
    std::map<std::string, int> types;
    for (const ObjectDescription& object : parsed.objects) {
        ++types[object.kind == RecordKind::Character ? "Character" : object.physicsType];
    }
    return types;
}

} // namespace

TEST(StressLevelTest, BenchmarkLevelReadsAsOneCharacterAndTheAskedEntities) {
    const Parsed parsed = parse(StressLevel{});
    EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front();
    ASSERT_EQ(parsed.objects.size(), 1001u);
    EXPECT_EQ(parsed.lights.size(), 1u);
    const std::map<std::string, int> expected{
        {"Character", 1}, {"plane", 1}, {"dynamic", 200}, {"static", 799}};
    EXPECT_EQ(physicsTypes(parsed), expected);

    // Everything it names exists under data/; the moving crates are simple enough to
    // become convex bodies (or the game would make them static, with a message).
    const std::filesystem::path data("data");
    for (const ObjectDescription& object : parsed.objects) {
        for (const std::string* file :
             {&object.meshFile, &object.materialFile, &object.textureFile}) {
            EXPECT_TRUE(std::filesystem::exists(data / *file)) << *file;
        }
        if (object.physicsType == "dynamic") {
            const Mesh mesh((data / object.meshFile).string());
            EXPECT_GT(mesh.faceCount, 0);
            EXPECT_LE(mesh.faceCount, 255);
        }
    }
}

TEST(StressLevelTest, NothingStartsInsideAnythingElse) {
    const Parsed parsed = parse(StressLevel{});
    std::vector<glm::vec3> cells;
    for (const ObjectDescription& object : parsed.objects) {
        if (object.physicsType == "static" || object.physicsType == "dynamic") {
            cells.push_back(object.position);
        }
    }
    // Crates are 2 wide and the pillars less: 4 apart on the floor leaves room between all.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_GE(cells[i].y, 1.0f);
        for (std::size_t j = i + 1; j < cells.size(); ++j) {
            const float apart =
                std::max(std::abs(cells[i].x - cells[j].x), std::abs(cells[i].z - cells[j].z));
            ASSERT_GE(apart, 4.0f) << "cells " << i << " and " << j;
        }
    }
    // The character stands clear of the grid, in front of it.
    for (const glm::vec3& cell : cells) {
        EXPECT_LT(cell.z, -4.0f);
    }
}

TEST(StressLevelTest, OtherSizesGetExactlyTheirDynamicShare) {
    for (const auto& [entities, dynamic, expectedDynamic] : {std::tuple{10, 3, 3},
                                                             {100, 0, 0},
                                                             {37 * 3 + 1, 37 * 3, 37 * 3},
                                                             {50, 60, 49},
                                                             {1, 1, 0}}) {
        const Parsed parsed = parse(StressLevel{entities, dynamic});
        std::map<std::string, int> types = physicsTypes(parsed);
        EXPECT_EQ(types["dynamic"], expectedDynamic) << entities << " " << dynamic;
        EXPECT_EQ(types["plane"] + types["static"] + types["dynamic"], entities)
            << entities << " " << dynamic;
        EXPECT_TRUE(parsed.problems.empty());
    }
}

TEST(StressLevelTest, WritesTheTextOrSaysWhyNot) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("stress_level_test." + std::to_string(getpid()) + ".txt");
    const StressLevel level{20, 5};
    ASSERT_TRUE(level.write(file));
    std::ifstream in(file, std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), level.text());
    std::filesystem::remove(file);

    const std::filesystem::path nowhere = file.parent_path() / "no such folder" / "level.txt";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(level.write(nowhere));
    EXPECT_NE(testing::internal::GetCapturedStdout().find(nowhere.string()), std::string::npos);
}
