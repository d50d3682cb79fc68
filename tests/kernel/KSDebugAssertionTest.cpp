// Failed assertions: the host copy, the debugger pieces, the Abort/Retry/Ignore
// box, and the reports of texts too long for their buffers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "DebugCapture.h"
#include "interface/KSKludgeRecords.h"
#include "kernel/KSDebug.h"

using ::testing::ElementsAre;
using namespace ks::platform;

namespace {

static_assert(std::string_view(KSPathBelowSdklib("/src/tree/sdklib/Kernel/KSDebug.cpp")) == "Kernel/KSDebug.cpp");
static_assert(std::string_view(KSPathBelowSdklib("C:\\b\\sdklib\\Kernel\\DKFloat.cpp")) == "Kernel\\DKFloat.cpp");
static_assert(std::string_view(KSPathBelowSdklib("/home/mysdklib/x/sdklib/Kernel/A.cpp")) == "Kernel/A.cpp");
static_assert(std::string_view(KSPathBelowSdklib("tests/kernel/T.cpp")) == "tests/kernel/T.cpp");

const uint32_t kAssertBoxStyle = kMBAbortRetryIgnore | kMBIconError | kMBSystemModal;
const std::string kDataTooBig = "MAYDAY!!!  Your assertion message is too big. IT IS CORRUPTING DATA !!!";
const std::string kSegmentTooBig = "MAYDAY!!!  Your assertion message is too big. IT IS CORRUPTING THE DATA SEGMENT.";

class Assertion : public ::testing::Test {
protected:
    DebugCapture capture;
    TDebugObject owner{"Omar", 0x80000, 0, false};

    // The texts of the stop reports raised along the way.
    std::vector<std::string> StopTexts() const {
        std::vector<std::string> texts;
        for (const TCapturedBox& box : capture.boxes)
            if (box.caption != "Assertion Failed!") texts.push_back(box.text);
        return texts;
    }
};

TEST_F(Assertion, ReportGoesToHostDebuggerAndBox) {
    EXPECT_EQ(AssertFailed(owner, "Kernel/KSString.cpp", 120, "n <= 256"), 0);  // unattended: Ignore
    ASSERT_EQ(capture.kludges.size(), 1u);
    EXPECT_EQ(capture.kludges[0].code, kKludgeDebugText);
    EXPECT_EQ(capture.kludges[0].ownerName, "Omar");
    EXPECT_EQ(capture.kludges[0].text, "DEBUGSTOP ASSERT(n <= 256) failed!\r  file Kernel/KSString.cpp && line 120\r");
    const std::string dialog = "Kernel/KSString.cpp(120):\n  Omar: DEBUGSTOP ASSERT(n <= 256) failed!";
    EXPECT_THAT(capture.pieces, ElementsAre(dialog, ", ", "Assertion Failed!", "\n"));
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_EQ(capture.boxes[0].text, dialog);
    EXPECT_EQ(capture.boxes[0].caption, "Assertion Failed!");
    EXPECT_EQ(capture.boxes[0].style, kAssertBoxStyle);
}

TEST_F(Assertion, NullTextLeavesOnlyFileLineAndOwner) {
    ReportAssertion(owner, "f.cpp", 12, nullptr);
    EXPECT_EQ(capture.kludges.at(0).text, "  file f.cpp && line 12\r");
    EXPECT_EQ(capture.boxes.at(0).text, "f.cpp(12):\n  Omar");
}

TEST_F(Assertion, RetryAsksToBreakAndIgnoreDoesNot) {
    capture.answers = {kIDRetry, kIDIgnore};
    EXPECT_EQ(ReportAssertion(owner, "f.cpp", 1, "t"), 1);
    EXPECT_EQ(ReportAssertion(owner, "f.cpp", 1, "t"), 0);
}

TEST_F(Assertion, OwnersWithoutDialogOrDevelopers) {
    const TDebugObject quiet("Omar", 0x80000, kOwnerNeverShowsDialog, false);
    EXPECT_EQ(ReportAssertion(quiet, "f.cpp", 1, "t"), 1);
    EXPECT_EQ(capture.pieces.size(), 4u);
    EXPECT_TRUE(capture.boxes.empty());

    capture.Clear();
    EXPECT_EQ(ReportAssertion(TDebugObject(), "f.cpp", 1, "t"), 0);
    EXPECT_EQ(AssertFailed(TDebugObject(), "f.cpp", 1, "t"), 0);
    EXPECT_TRUE(capture.pieces.empty());
    EXPECT_TRUE(capture.kludges.empty());
}

// Tests that start a process of their own carry the DeathTest suffix.
using AssertionDeathTest = Assertion;

TEST_F(AssertionDeathTest, AbortEndsTheProcessWithAFailureCode) {
    EXPECT_EXIT(
        {
            capture.answers = {kIDAbort};
            ReportAssertion(owner, "f.cpp", 1, "t");
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(3), "");
}

TEST_F(Assertion, TextBeyondTheDialogLimitIsReportedAndShown) {
    const std::string text(600, 'a');
    ReportAssertion(owner, "f.cpp", 1, text.c_str());
    EXPECT_THAT(StopTexts(), ElementsAre(kSegmentTooBig + "\n\nBreak to debugger?"));
    EXPECT_EQ(capture.boxes.back().text, "f.cpp(1):\n  Omar: " + text);

    // 511 characters still fit.
    capture.Clear();
    ReportAssertion(owner, "f.cpp", 1, std::string(511 - 18, 'a').c_str());
    EXPECT_TRUE(StopTexts().empty());
}

TEST_F(Assertion, ExpressionBeyondTheBufferReportsEachOverflowAndStaysBounded) {
    const std::string expression(1200, 'e');
    AssertFailed(owner, "f.cpp", 1, expression.c_str());
    // The assertion text, then its host copy, overflow 1024; the dialog text passes 511.
    EXPECT_THAT(StopTexts(), ElementsAre(kDataTooBig + "\n\nBreak to debugger?", kDataTooBig + "\n\nBreak to debugger?",
                                         kSegmentTooBig + "\n\nBreak to debugger?"));
    const std::string& dialog = capture.boxes.back().text;
    EXPECT_EQ(dialog.size(), 1023u);
    EXPECT_EQ(dialog.substr(0, 40), "f.cpp(1):\n  Omar: DEBUGSTOP ASSERT(eeeee");
    for (const TCapturedKludge& call : capture.kludges) EXPECT_LE(call.text.size(), 1023u);
}

TEST_F(Assertion, KernelAssertionMacrosReportTheConditionAndLine) {
    const int line = __LINE__ + 1;
    KS_ASSERT(owner, 1 + 1 == 3);
    EXPECT_THAT(capture.boxes.at(0).text,
                ::testing::EndsWith("(" + std::to_string(line) + "):\n  Omar: DEBUGSTOP ASSERT(1 + 1 == 3) failed!"));
    EXPECT_FALSE(KS_VERIFY(owner, 2 < 1));
    EXPECT_TRUE(KS_VERIFY(owner, 1 < 2));
    EXPECT_EQ(capture.boxes.size(), 2u);
}

}  // namespace
