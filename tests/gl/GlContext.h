#pragma once

#include "core/AppState.h"
#include "core/OpenWindow.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

// A suite that needs the game window's GL context: opened once for the suite, with
// the start-up messages kept out of the test output.
class GlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::internal::CaptureStdout();
        openWindow(AppState{});
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { platform::window().terminate(); }
};
