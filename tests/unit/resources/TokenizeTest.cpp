#include "resources/Tokenize.h"

#include <gtest/gtest.h>

TEST(Tokenize, RunsOfDelimitersGiveNoEmptyPieces) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(tokenize("  shader/a.vert   shader/a.frag  ", " "),
              (Pieces{"shader/a.vert", "shader/a.frag"}));
    EXPECT_EQ(tokenize("a.vert a.geom a.frag", " "), (Pieces{"a.vert", "a.geom", "a.frag"}));
    EXPECT_EQ(tokenize("one", " "), (Pieces{"one"}));
    EXPECT_EQ(tokenize("", " "), Pieces{});
    EXPECT_EQ(tokenize("    ", " "), Pieces{});
    EXPECT_EQ(tokenize("a,b;;c", ",;"), (Pieces{"a", "b", "c"}));
}
