// A program whose verdict is known in advance, to prove that the runners
// report what the tests found. MOVEDUP_SELFCHECK names what to do wrong
// ("fail", "skip", "crash", or several separated by commas); unset, every
// case passes. The cases run in the order written, so the last one shows that
// a failure or a skip did not end the program early.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool Asked(const std::string& what) {
    const char* szAsked = std::getenv("MOVEDUP_SELFCHECK");
    return szAsked != nullptr && ("," + std::string(szAsked) + ",").find("," + what + ",") != std::string::npos;
}

TEST(SelfCheck, FailsWhenAsked) {
    if (Asked("fail")) ADD_FAILURE() << "deliberate failure";
}

TEST(SelfCheck, SkipsWhenAsked) {
    if (Asked("skip")) GTEST_SKIP() << "deliberate skip";
}

TEST(SelfCheck, CrashesWhenAsked) {
    if (Asked("crash")) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
}

TEST(SelfCheck, RunsLast) {
    std::printf("selfcheck: the last case ran\n");
    std::fflush(stdout);
}

}  // namespace
