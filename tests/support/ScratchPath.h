#pragma once

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

// A path in the temporary folder that belongs to the running test alone: CTest runs the
// tests of one fixture side by side, and one test's TearDown must not remove the files
// another is reading.
inline std::string scratchPath(const std::string& name) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + test->test_suite_name() + "." + test->name() + "." +
           std::to_string(getpid()) + "." + name;
}
