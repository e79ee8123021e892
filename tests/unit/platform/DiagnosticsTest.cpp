// The one sink every message of the game goes through: what standard output gets, and
// how a listener plugs in and lets go.
#include "platform/Diagnostics.h"
#include "platform/RecordingSink.h"
#include "platform/ScopedDiagnostics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::DiagnosticLine;
using platform::RecordingSink;
using platform::ScopedDiagnostics;

// Players and the end-to-end scripts read these bytes: each message ends its line, numbers
// come out as std::cout has always written them, a message of several lines stays whole.
TEST(Diagnostics, StandardOutputGetsEachMessageAsItsOwnLine) {
    testing::internal::CaptureStdout();
    DiagnosticLine() << "loadingtime: " << 6.25f;
    DiagnosticLine() << "half extents " << -0.5f << " " << 1e-7f << " " << 123456789.0f << " "
                     << 1.0f / 3.0f;
    DiagnosticLine() << "Compile error:\n\n"
                     << "0:1(1): error: syntax error\n";
    DiagnosticLine() << "lvl" << ':' << std::size_t{12} << ": " << std::string("unknown");
    DiagnosticLine();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "loadingtime: 6.25\n"
              "half extents -0.5 1e-07 1.23457e+08 0.333333\n"
              "Compile error:\n\n0:1(1): error: syntax error\n\n"
              "lvl:12: unknown\n"
              "\n");
}

TEST(Diagnostics, OverridesNestAndEachGivesBackTheSinkBeforeIt) {
    RecordingSink outer;
    RecordingSink inner;
    testing::internal::CaptureStdout();
    {
        const ScopedDiagnostics first(outer);
        DiagnosticLine() << "a";
        {
            const ScopedDiagnostics second(inner);
            EXPECT_EQ(&platform::diagnostics(), &inner);
            DiagnosticLine() << "b";
        }
        EXPECT_EQ(&platform::diagnostics(), &outer);
        DiagnosticLine() << "c";
        {
            // The same sink twice: letting go of the inner one must not drop the outer.
            const ScopedDiagnostics again(outer);
            DiagnosticLine() << "d";
        }
        DiagnosticLine() << "e";
    }
    DiagnosticLine() << "f";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "f\n") << "stdout is back, and only it";
    EXPECT_EQ(outer.messages(), (std::vector<std::string>{"a", "c", "d", "e"}));
    EXPECT_EQ(inner.messages(), (std::vector<std::string>{"b"}));
}

TEST(Diagnostics, RecordingKeepsEveryMessageInOrderEmptyOnesToo) {
    RecordingSink sink;
    const ScopedDiagnostics listening(sink);
    DiagnosticLine() << "Unable to open file "
                     << "x.obj";
    DiagnosticLine();
    DiagnosticLine() << "Shader-program linked successfully.\n";
    EXPECT_EQ(sink.messages(), (std::vector<std::string>{"Unable to open file x.obj", "",
                                                         "Shader-program linked successfully.\n"}));
    // As standard output would have shown them.
    EXPECT_EQ(sink.text(), "Unable to open file x.obj\n\nShader-program linked successfully.\n\n");
    sink.clear();
    EXPECT_TRUE(sink.messages().empty());
    EXPECT_EQ(sink.text(), "");
}
