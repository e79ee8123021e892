// Reading the level file into object and light descriptions.
#include "../../support/RecordedMessages.h"
#include "level/DataLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Reads level text through the stream entry point; returns what was printed.
std::string parse(DataLoader& loader, const std::string& text, const std::string& name = "lvl") {
    RecordedMessages heard;
    std::istringstream in(text);
    loader.parseLevelStream(in, name);
    return heard.take();
}

const std::string kStatic = "static\nm\nmat\ntex\nu\nu\nu\nu\n"; // a block after its header

} // namespace

TEST(LevelReader, CrlfTabsCommentsAndFileOrder) {
    DataLoader loader;
    EXPECT_EQ(parse(loader, "Level one, saved on Windows\r\n\r\n"
                            "*lamp\r\n 1 2 3\r\n 1 1 1 1\r\n .1 .1 .1 1\r\n 0 0 0 0\r\n"
                            "-- the player, then a crate --\r\n"
                            "#Character\r\nobj/flame.obj\r\nobj/flame.mtl\r\nobj/flame.png\r\n"
                            "p0\t0.5  -1e1\r\nu\r\nu\r\nu\r\n"
                            "#Box\r\ndynamic\t\t2.5 \tobj/low.obj\r\n obj/a b.obj \r\nobj/a.mtl\r\n"
                            "obj/a.png\r\n 1 2 3\r\n 90 0 1 0\r\n 2 2 2\r\n*second\r\n"
                            " 4 5 6\r\n 0 0 0 0\r\n 0 0 0 0\r\n 0 0 0 0"), // no final LF
              "lvl:25: parameter line has 0 of 7 numbers; the rest keep their defaults\n");
    ASSERT_EQ(loader.objectQueue.size(), 2u);
    // "Character" has no physics line: its first line after the header is the mesh.
    const ObjectDescription& character = loader.objectQueue[0];
    EXPECT_EQ(character.recordType, "Character");
    EXPECT_EQ(character.kind, RecordKind::Character) << "resolved as the block is read";
    EXPECT_EQ(character.meshFile, "obj/flame.obj");
    EXPECT_EQ(character.textureFile, "obj/flame.png");
    EXPECT_EQ(character.position, glm::vec3(0, 0.5f, -10));

    const ObjectDescription& box = loader.objectQueue[1];
    EXPECT_EQ(box.kind, RecordKind::Box);
    EXPECT_EQ(box.physicsType, "dynamic");
    EXPECT_FLOAT_EQ(box.density, 2.5f);
    EXPECT_EQ(box.lowPolyMeshFile, "obj/low.obj");
    EXPECT_EQ(box.meshFile, " obj/a b.obj ") << "string lines are taken verbatim";
    EXPECT_EQ(box.rotation, glm::vec4(90, 0, 1, 0));
    EXPECT_EQ(box.scale, glm::vec3(2, 2, 2));

    // The parameter line "*second" is also the header of a light block.
    ASSERT_EQ(loader.lightQueue.size(), 2u);
    EXPECT_EQ(loader.lightQueue[0].name, "lamp");
    EXPECT_EQ(loader.lightQueue[0].ambientColor, glm::vec4(0.1f, 0.1f, 0.1f, 1));
    EXPECT_EQ(loader.lightQueue[1].position, glm::vec3(4, 5, 6));
}

TEST(LevelReader, PhysicsLinesAndRecordTypes) {
    DataLoader loader;
    const std::string rest = kStatic.substr(7);
    EXPECT_EQ(parse(loader, "#Box\nstatic 1 obj/low.obj\n" + rest + "#Box\nplane\n" + rest +
                                "#Spaceship\ndynamic heavy low.obj more\n" + rest + "#\n\n" + rest),
              "");
    ASSERT_EQ(loader.objectQueue.size(), 4u) << "unknown record types are kept";
    EXPECT_EQ(loader.objectQueue[0].lowPolyMeshFile, "") << "a static mesh needs no other";
    EXPECT_FLOAT_EQ(loader.objectQueue[0].density, 1.0f);
    EXPECT_EQ(loader.objectQueue[1].density, 0.0f);
    EXPECT_EQ(loader.objectQueue[2].recordType, "Spaceship");
    EXPECT_EQ(loader.objectQueue[2].density, 0.0f);
    EXPECT_EQ(loader.objectQueue[2].lowPolyMeshFile, "low.obj");
    EXPECT_EQ(loader.objectQueue[3].physicsType, "");
    EXPECT_EQ(loader.objectQueue[3].meshFile, "m");
}

TEST(LevelReader, NumberLines) {
    DataLoader loader;
    // Only the first character counts for the defaults.
    EXPECT_EQ(parse(loader, "#Box\nstatic\nm\nmat\ntex\nu\nu 5 6 7 8\nunit\nu1 2 3\n"), "");
    const ObjectDescription defaults;
    EXPECT_EQ(loader.objectQueue[0].rotation, glm::vec4(0, 1, 0, 0));
    EXPECT_EQ(loader.objectQueue[0].scale, glm::vec3(1, 1, 1));
    EXPECT_EQ(loader.objectQueue[0].params, defaults.params);

    const std::string output = parse(loader,
                                     "#Box\nstatic\nm\nmat\ntex\n"
                                     "1 2 3\n"              // line 6: the marker eats the 1
                                     " 45 0 0 1 99 99\n"    // extra numbers are ignored
                                     " 3 x 4\n"             // line 8: stops at the first word
                                     " 1 2 3 4 5 6 1.5cm\n" // line 9: whole words only
                                     "*l\nu 1.5 -.25 2.\n"  // light lines have no shortcut
                                     " 1e-2 3E+1 0x10\n"    // line 12
                                     " inf\n 1e39 1 1 1\n", // lines 13, 14: beyond float
                                     "config/config.txt");
    const ObjectDescription& box = loader.objectQueue[1];
    EXPECT_EQ(box.position, glm::vec3(2, 3, 0));
    EXPECT_EQ(box.rotation, glm::vec4(45, 0, 0, 1));
    EXPECT_EQ(box.scale, glm::vec3(3, 1, 1));
    EXPECT_EQ(box.params, (std::array<float, 7>{1, 2, 3, 4, 5, 6, 0}));
    EXPECT_EQ(loader.lightQueue[0].position, glm::vec3(1.5f, -0.25f, 2.0f));
    EXPECT_EQ(loader.lightQueue[0].color, glm::vec4(0.01f, 30.0f, 0, 0));

    std::istringstream lines(output);
    std::string line;
    for (const char* place : {":6: ", ":8: ", ":9: ", ":12: ", ":13: ", ":14: "}) {
        ASSERT_TRUE(std::getline(lines, line)) << output;
        EXPECT_EQ(line.rfind(std::string("config/config.txt") + place, 0), 0u) << line;
    }
    EXPECT_FALSE(std::getline(lines, line)) << output;
    EXPECT_NE(output.find("2 of 3"), std::string::npos) << output;
}

TEST(LevelReader, TruncatedBlocksAreDroppedWithAWarning) {
    DataLoader loader;
    std::string output = parse(loader, "#Box\n" + kStatic + "\n#Box\nstatic\nm\nmat\n");
    EXPECT_EQ(loader.objectQueue.size(), 1u) << "the complete block before it stays";
    EXPECT_EQ(output.rfind("lvl:11: ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;

    output = parse(loader, "x\n*lamp\n 1 2 3\n");
    EXPECT_TRUE(loader.lightQueue.empty());
    EXPECT_EQ(output.rfind("lvl:2: ", 0), 0u) << output;
}

TEST(LevelReader, NulBytesAndHugeLines) {
    // A NUL is just another character; a huge line costs time, nothing else.
    const std::string nul("obj/a\0b.obj", 11);
    DataLoader loader;
    parse(loader, "#Box\nstatic\n" + nul + "\nmat\ntex\n" + std::string("\0 1 2 3\n", 8) +
                      "u\nu\nu\n" + std::string(1 << 20, 'x') + "\n");
    ASSERT_EQ(loader.objectQueue.size(), 1u);
    EXPECT_EQ(loader.objectQueue[0].meshFile, nul);
    EXPECT_EQ(loader.objectQueue[0].position, glm::vec3(1, 2, 3));
}

TEST(LevelReader, LevelFileOnDisk) {
    DataLoader loader;
    loader.lightQueue.resize(1);
    const std::string directory = std::filesystem::temp_directory_path().string();
    RecordedMessages heard;
    loader.parseLevelFile("no/such/level.txt");
    loader.parseLevelFile(directory); // opens, but holds no level
    EXPECT_EQ(heard.take(), "Unable to open file no/such/level.txt\n"
                            "no/such/level.txt: no such file or directory\n"
                            "Unable to open file " +
                                directory + "\n" + directory + ": a directory, not a file\n");
    EXPECT_TRUE(loader.objectQueue.empty());
    EXPECT_EQ(loader.lightQueue.size(), 1u) << "the queues stay as they were";

    // Reading appends: two files, one after the other, keep their order.
    const std::string path = directory + "/level_" + std::to_string(getpid()) + ".txt";
    for (const char* header : {"#First\r\n", "#Second\n"}) {
        std::ofstream(path, std::ios::binary) << header << kStatic;
        loader.parseLevelFile(path);
    }
    std::filesystem::remove(path);
    ASSERT_EQ(loader.objectQueue.size(), 2u);
    EXPECT_EQ(loader.objectQueue[0].recordType, "First");
    EXPECT_EQ(loader.objectQueue[1].recordType, "Second");
}
