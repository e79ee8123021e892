// Material files: which lines set which colour, and what leaves a colour alone.
#include "resources/Material.h"
#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

TEST(Material, ColoursFromTheSecondCharacterOfEachLine) {
    const Material plain = Material::fromText("m.mtl", "Ka 0.1 0.2 0.3\nKd 1 1 1\n");
    EXPECT_EQ(plain.ka, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(plain.kd, glm::vec4(1, 1, 1, 1));
    EXPECT_EQ(plain.ks, glm::vec4(0, 0, 0, 0));

    // Later lines win, any line with 's' second and three numbers sets ks, a fourth
    // number is ignored and the first character is never looked at.
    const Material later = Material::fromText("m.mtl", "Ks 0.5 0.5 0.5\n"
                                                       "Ns 96 0.25 +2 7\n"
                                                       "xa 0.4 0.5 0.6\r\n"
                                                       "Kd 1 1 1\nKd 0 0.5 0\n"
                                                       "a\n\nKe 9 9 9\nillum 2\n");
    EXPECT_EQ(later.ks, glm::vec4(96, 0.25f, 2, 1));
    EXPECT_EQ(later.ka, glm::vec4(0.4f, 0.5f, 0.6f, 1.0f));
    EXPECT_EQ(later.kd, glm::vec4(0, 0.5f, 0, 1));
}

TEST(Material, LinesWithoutThreeNumbersLeaveTheColour) {
    const Material material = Material::fromText("m.mtl", "Ka 0.1 0.2 0.3\nmap_Ka crate.png\n"
                                                          "Ks 1 1 1\nNs 96.0\nKd 0.5 0.5\n");
    EXPECT_EQ(material.ka, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(material.ks, glm::vec4(1, 1, 1, 1));
    EXPECT_EQ(material.kd, glm::vec4(0, 0, 0, 0));
    EXPECT_FALSE(Material::parseColor(" 1 nan 2").has_value());
}

TEST(Material, ExportedFilesIndentTheirLinesAndWriteGreysAsOneNumber) {
    const Material exported =
        Material::fromText("m.mtl", "newmtl crate\n  Ka 0.1 0.2 0.3\n\tKd 0.5 0.25 0.125\r\n"
                                    "    Ks 0.75\r\n\tNs 96\n  \n");
    EXPECT_EQ(exported.ka, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(exported.kd, glm::vec4(0.5f, 0.25f, 0.125f, 1.0f));
    EXPECT_EQ(exported.ks, glm::vec4(0.75f, 0.75f, 0.75f, 1.0f)) << "one number, and Ns 96 "
                                                                    "is no colour";

    // Only a colour keyword takes one number; two numbers, or one with more after it,
    // still leave the colour alone.
    const Material kept = Material::fromText(
        "m.mtl", "Kd 0.5 0.5 0.5\nKd 0.1 0.2\nxs 3\nKs 0.5 map\nKsx 2\nKa 0\nKa nan\n");
    EXPECT_EQ(kept.kd, glm::vec4(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(kept.ks, glm::vec4(0.0f));
    EXPECT_EQ(kept.ka, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)) << "Ka 0 is black, and set";
}

TEST(Material, ReadsFilesAndReportsMissingOnes) {
    const Material crate("tests/data/obj/crate.mtl");
    EXPECT_EQ(crate.fileName, "tests/data/obj/crate.mtl");
    EXPECT_EQ(crate.ka, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(crate.kd, glm::vec4(0.64f, 0.64f, 0.64f, 1.0f));
    EXPECT_EQ(crate.ks, glm::vec4(0.5f, 0.5f, 0.5f, 1.0f));

    for (const std::string name : {"tests/data/obj/no_such.mtl", "tests/data/obj"}) {
        RecordedMessages heard;
        const Material missing(name);
        EXPECT_EQ(heard.messages().at(0), "Unable to open file " + name);
        EXPECT_EQ(heard.messages().size(), 2u) << "and why";
        EXPECT_EQ(missing.ka + missing.kd + missing.ks, glm::vec4(0.0f));
    }
}
