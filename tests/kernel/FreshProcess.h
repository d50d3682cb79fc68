// Runs `body` in a process started afresh (GoogleTest's threadsafe death-test
// style re-executes this test), so process-wide state is as at load. The
// child's gtest failures make it exit 1.
// Tests that use it are named ...DeathTest, as GoogleTest advises: they run
// first, and a runner can leave them out by name where starting a process is
// costly (cmake/wine-run does under emulation).
#pragma once

#include <functional>

void ExpectInFreshProcess(const std::function<void()>& body);
