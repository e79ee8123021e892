#pragma once

#include "../support/RecordedMessages.h"
#include "core/AppState.h"
#include "core/OpenWindow.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// A suite that needs the game window's GL context: opened once for the suite, with
// the start-up messages kept out of the test output unless the window cannot open.
class GlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RecordedMessages heard;
        if (!openWindow(AppState{})) {
            // Every test here calls GL; without a context each would crash instead.
            std::fputs(heard.take().c_str(), stderr);
            std::exit(1);
        }
    }
    static void TearDownTestSuite() { platform::window().terminate(); }
};
