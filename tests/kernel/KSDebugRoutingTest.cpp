// Where messages and stops go: the debugger channel piece by piece, the host
// and the stop box, for every kind of owner.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>

#include "DebugCapture.h"
#include "TextPattern.h"
#include "interface/KSKludgeRecords.h"
#include "kernel/KSDebug.h"

using ::testing::ElementsAre;
using namespace ks::platform;

namespace {

constexpr uint32_t kBit12 = 0x1000;
const uint32_t kStopBoxStyle = kMBYesNoCancel | kMBIconError | kMBSystemModal | kMBSetForeground;

class Routing : public ::testing::Test {
protected:
    DebugCapture capture;
    TDebugObject developer{"Nadia", kBit12, 0, false};
};

TEST_F(Routing, NobodyOwnerIsSilent) {
    const TDebugObject unnamed;  // "Unnamed" without developer bits
    const TDebugObject optionsOnly("Nobody", 0, kOwnerNeverShowsDialog, true);
    EXPECT_EQ(DebugStop(unnamed, "T"), 0);
    EXPECT_EQ(DebugMessage(unnamed, "T"), 0);
    EXPECT_EQ(DebugStopIf(true, optionsOnly, "T"), 0);
    EXPECT_TRUE(capture.pieces.empty());
    EXPECT_TRUE(capture.kludges.empty());
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(Routing, MessageWritesExactlyTheTextAndNothingElse) {
    EXPECT_EQ(DebugMessage(developer, "%d apples, %s", 3, "pears"), 0);
    EXPECT_EQ(DebugMessage(7, "to everyone\n"), 0);
    EXPECT_THAT(capture.pieces, ElementsAre("3 apples, pears", "to everyone\n"));
    EXPECT_TRUE(capture.kludges.empty());
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(Routing, StopToDeveloperWithoutDialogWritesItsPiecesAndAsksToBreak) {
    const TDebugObject quiet("Nadia", kBit12, kOwnerNeverShowsDialog, false);
    EXPECT_EQ(DebugStop(quiet, "T"), 1);
    EXPECT_THAT(capture.pieces, ElementsAre("DEBUGSTOP DSTOP", "(", "Nadia", ")", ": ", "T\n"));
    ASSERT_EQ(capture.kludges.size(), 1u);
    EXPECT_EQ(capture.kludges[0].code, kKludgeDebugText);
    EXPECT_EQ(capture.kludges[0].ownerName, "Nadia");
    EXPECT_EQ(capture.kludges[0].text, "T");  // without the added line feed
    EXPECT_FALSE(capture.kludges[0].hadOutput);
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(Routing, StopToEveryoneLeavesOutTheNameAndShowsTheBox) {
    capture.answers = {kIDYes};
    SetDebugParentWindow(&capture);
    EXPECT_EQ(DebugStop(0, "line\n"), 1);
    SetDebugParentWindow(nullptr);
    EXPECT_THAT(capture.pieces, ElementsAre("DEBUGSTOP DSTOP", ": ", "line\n"));
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_EQ(capture.boxes[0].caption, "DSTOP");
    EXPECT_EQ(capture.boxes[0].text, "line\n\nBreak to debugger?");
    EXPECT_EQ(capture.boxes[0].style, kStopBoxStyle);
    EXPECT_EQ(capture.boxes[0].parent, &capture);
    EXPECT_TRUE(capture.boxes[0].stopDialogShowing);
    EXPECT_EQ(StopDialogShowing(), 0);
}

TEST_F(Routing, StopBoxAnswers) {
    capture.answers = {kIDYes, kIDNo, kIDCancel};
    EXPECT_EQ(DebugStop(developer, "a"), 1);
    EXPECT_EQ(DebugStop(developer, "b"), 0);
    EXPECT_EQ(DebugStop(developer, "c"), 0);
    EXPECT_EQ(capture.boxes.size(), 3u);
}

TEST_F(Routing, NeverStopOwnerWritesButNeitherAsksNorBreaks) {
    const TDebugObject noStop("Nadia", kBit12, kOwnerNeverStops, false);
    const TDebugObject both("Nadia", kBit12, kOwnerNeverStops | kOwnerNeverShowsDialog, false);
    EXPECT_EQ(DebugStop(noStop, "T"), 0);
    EXPECT_EQ(DebugStop(both, "T"), 0);
    EXPECT_EQ(capture.pieces.size(), 12u);
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(Routing, StopWithoutHostStillWritesAndAsks) {
    gCBP = nullptr;
    capture.answers = {kIDYes};
    EXPECT_EQ(DebugStop(developer, "T"), 1);
    EXPECT_TRUE(capture.kludges.empty());
    EXPECT_EQ(capture.pieces.size(), 6u);
}

// Every form of the four families, with the caption its stop box shows ("" for messages).
struct ReportForm {
    const char* name;
    std::function<Boolean(const TDebugObject&)> report;
    const char* caption;
    bool toEveryone;
};

const TDebugObject& Nadia() {
    static const TDebugObject owner("Nadia", kBit12, 0, false);
    return owner;
}

const ReportForm kForms[] = {
    {"DebugMessage(owner, level)", [](const TDebugObject& o) { return DebugMessage(o, 1, "x"); }, "", false},
    {"DebugMessage(level, owner)", [](const TDebugObject& o) { return DebugMessage(1, o, "x"); }, "", false},
    {"DebugMessage(owner)", [](const TDebugObject& o) { return DebugMessage(o, "x"); }, "", false},
    {"DebugMessage(level)", [](const TDebugObject&) { return DebugMessage(1, "x"); }, "", true},
    {"DebugMessage()", [](const TDebugObject&) { return DebugMessage("x"); }, "", true},
    {"DebugMessageIf(owner, level)", [](const TDebugObject& o) { return DebugMessageIf(true, o, 1, "x"); }, "", false},
    {"DebugMessageIf(level, owner)", [](const TDebugObject& o) { return DebugMessageIf(true, 1, o, "x"); }, "", false},
    {"DebugMessageIf(owner)", [](const TDebugObject& o) { return DebugMessageIf(true, o, "x"); }, "", false},
    {"DebugMessageIf(level)", [](const TDebugObject&) { return DebugMessageIf(true, 1, "x"); }, "", true},
    {"DebugMessageIf()", [](const TDebugObject&) { return DebugMessageIf(true, "x"); }, "", true},
    {"DebugStop(owner, level)", [](const TDebugObject& o) { return DebugStop(o, 1, "x"); }, "DSTOP", false},
    {"DebugStop(level, owner)", [](const TDebugObject& o) { return DebugStop(1, o, "x"); }, "DSTOP", false},
    {"DebugStop(owner)", [](const TDebugObject& o) { return DebugStop(o, "x"); }, "DSTOP", false},
    {"DebugStop(level)", [](const TDebugObject&) { return DebugStop(1, "x"); }, "DSTOP", true},
    {"DebugStopIf(owner, level)", [](const TDebugObject& o) { return DebugStopIf(true, o, 1, "x"); }, "DSTOP w/IF",
     false},
    {"DebugStopIf(level, owner)", [](const TDebugObject& o) { return DebugStopIf(true, 1, o, "x"); }, "DSTOP w/IF",
     false},
    {"DebugStopIf(owner)", [](const TDebugObject& o) { return DebugStopIf(true, o, "x"); }, "DSTOP w/IF", false},
    {"DebugStopIf(level)", [](const TDebugObject&) { return DebugStopIf(true, 1, "x"); }, "DSTOP w/IF", true},
    {"DebugStopIf()", [](const TDebugObject&) { return DebugStopIf(true, "x"); }, "DSTOP w/IF", true},
};

TEST_F(Routing, EveryFormReachesItsOwnerWithItsCaption) {
    for (const ReportForm& form : kForms) {
        SCOPED_TRACE(form.name);
        capture.Clear();
        capture.answers = {kIDYes};
        const bool stop = form.caption[0] != '\0';
        EXPECT_EQ(form.report(Nadia()), stop ? 1 : 0);
        EXPECT_EQ(capture.pieces.back(), stop ? "x\n" : "x");
        if (!stop) {
            EXPECT_EQ(capture.pieces.size(), 1u);
            EXPECT_TRUE(capture.boxes.empty());
            continue;
        }
        ASSERT_EQ(capture.boxes.size(), 1u);
        const std::string caption = form.caption + std::string(form.toEveryone ? "" : " from Nadia");
        EXPECT_EQ(capture.boxes[0].caption, caption);
        EXPECT_EQ(capture.pieces.size(), form.toEveryone ? 3u : 6u);
        ASSERT_EQ(capture.kludges.size(), 1u);
        EXPECT_EQ(capture.kludges[0].ownerName, form.toEveryone ? "Everyone" : "Nadia");
    }
}

TEST_F(Routing, StopWithoutKindIsCaptionedUnknown) {
    DebugReport("", developer, 1, "x");
    DebugReport(nullptr, EveryoneOwner(), 1, "x");
    EXPECT_EQ(DebugReport("DMSG", developer, 0, "x"), 0);
    ASSERT_EQ(capture.boxes.size(), 2u);
    EXPECT_EQ(capture.boxes[0].caption, "Unknown from Nadia");
    EXPECT_EQ(capture.boxes[1].caption, "Unknown");
}

TEST_F(Routing, FalseConditionsReportNothing) {
    EXPECT_EQ(DebugMessageIf(false, developer, 1, "x"), 0);
    EXPECT_EQ(DebugMessageIf(false, "x"), 0);
    EXPECT_EQ(DebugStopIf(false, developer, "x"), 0);
    EXPECT_EQ(DebugStopIf(false, 1, developer, "x"), 0);
    EXPECT_EQ(DebugStopIf(false, "x"), 0);
    EXPECT_TRUE(capture.pieces.empty());
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(Routing, OverLongMessageIsReportedAndStillWrittenCut) {
    const std::string text(2000, 'm');
    for (const size_t length : {size_t{1023}, size_t{1024}, text.size()}) {
        SCOPED_TRACE(length);
        capture.Clear();
        DebugMessage(developer, "%s", text.substr(0, length).c_str());
        if (length == 1023) {
            EXPECT_THAT(capture.pieces, ElementsAre(text.substr(0, 1023)));
            continue;
        }
        // The assertion from the facility's own source, then the text cut to the buffer.
        ASSERT_EQ(capture.pieces.size(), 5u);
        EXPECT_THAT(capture.pieces[0],
                    ks::test::FitsDigitPattern("Kernel/KSDebug.cpp(#+):\n  KernelDebug: DEBUGSTOP "
                                               "ASSERT(vsprintf(szMsg, szFmt, ap) < kBuf_size) failed!"));
        EXPECT_EQ(capture.pieces[2], "Assertion Failed!");
        EXPECT_EQ(capture.pieces[4], text.substr(0, 1023));
        ASSERT_EQ(capture.boxes.size(), 1u);
        EXPECT_EQ(capture.boxes[0].caption, "Assertion Failed!");
    }
}

TEST_F(Routing, OverLongStopKeepsRoomForItsLineFeedAndQuestion) {
    const std::string text(1500, 's');
    capture.answers = {kIDIgnore, kIDYes};
    EXPECT_EQ(DebugStop(developer, "%s", text.c_str()), 1);
    EXPECT_EQ(capture.pieces.back(), text.substr(0, 1023) + "\n");
    ASSERT_EQ(capture.boxes.size(), 2u);
    EXPECT_EQ(capture.boxes[1].text, text.substr(0, 1023) + "\n\nBreak to debugger?");
}

// How a process that breaks into the debugger ends when none is attached:
// with the breakpoint exception's code on Windows, by SIGTRAP elsewhere.
#if defined(_WIN32)
::testing::ExitedWithCode BrokeIntoDebugger() { return ::testing::ExitedWithCode(static_cast<int>(0x80000003u)); }
#else
::testing::KilledBySignal BrokeIntoDebugger() { return ::testing::KilledBySignal(SIGTRAP); }
#endif

void StopOnceWithBreakingOffThenOn() {
    DebugCapture capture;
    capture.answers = {kIDYes, kIDYes};
    BreakIfAsked(DebugStop(1, "off"));  // the capture switched breaking off
    SetBreakToDebugger(1);
    BreakIfAsked(DebugStop(1, "on"));
}

TEST(RoutingTrapDeathTest, StopAnsweredYesBreaksOnlyWhileBreakingIsOn) {
    EXPECT_EXIT(
        {
            StopOnceWithBreakingOffThenOn();
            std::_Exit(0);
        },
        BrokeIntoDebugger(), "");
}

}  // namespace
