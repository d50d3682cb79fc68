// The platform stand-ins: unattended message boxes, the hook, bounded text
// helpers and the performance counter.
#include <gtest/gtest.h>

#include <string>

#include "DebugCapture.h"
#include "platform/DebugChannel.h"
#include "platform/PerformanceCounter.h"
#include "platform/Text.h"

using namespace ks::platform;

namespace {

TEST(Platform, UnattendedBoxesChangeNothing) {
    EXPECT_EQ(UnattendedAnswer(kMBAbortRetryIgnore | kMBIconError), kIDIgnore);
    EXPECT_EQ(UnattendedAnswer(kMBYesNoCancel | kMBSetForeground), kIDNo);
    EXPECT_EQ(UnattendedAnswer(kMBYesNo), kIDNo);
    EXPECT_EQ(UnattendedAnswer(kMBOkCancel), kIDCancel);
    EXPECT_EQ(UnattendedAnswer(kMBRetryCancel), kIDCancel);
    EXPECT_EQ(UnattendedAnswer(kMBOk | kMBIconInformation), kIDOk);
}

#if !defined(_WIN32)
TEST(Platform, WithoutAHookBoxesAnswerAtOnce) {
    TDebugHook* const previous = SetDebugHook(nullptr);
    EXPECT_EQ(DebugMessageBox(nullptr, "t", "c", kMBYesNoCancel), kIDNo);
    EXPECT_EQ(DebugMessageBox(nullptr, "t", "c", kMBAbortRetryIgnore), kIDIgnore);
    SetDebugHook(previous);
}
#endif

TEST(Platform, HookTakesOutputAndIsReplacedInTurn) {
    DebugCapture outer;
    {
        DebugCapture inner;
        DebugOutput("to inner");
        EXPECT_EQ(inner.Joined(), "to inner");
    }
    DebugOutput("to outer");
    DebugOutput(nullptr);
    EXPECT_EQ(outer.Joined(), "to outer");
}

TEST(Platform, TextHelpersStayWithinTheirBuffers) {
    char buffer[8] = "abc";
    AppendText(buffer, sizeof buffer, "defghij");
    EXPECT_STREQ(buffer, "abcdefg");
    CopyText(buffer, sizeof buffer, "0123456789");
    EXPECT_STREQ(buffer, "0123456");
    CopyText(buffer, sizeof buffer, nullptr);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TextLength("four"), 4);
    EXPECT_EQ(TextLength(nullptr), 0);
}

TEST(Platform, PerformanceCounterRuns) {
    int64_t first = 0, second = 0, frequency = 0;
    ASSERT_TRUE(ReadPerformanceCounter(&first));
    ASSERT_TRUE(ReadPerformanceCounter(&second));
    ASSERT_TRUE(ReadPerformanceFrequency(&frequency));
    EXPECT_GE(second, first);
    EXPECT_GT(frequency, 0);
}

}  // namespace
