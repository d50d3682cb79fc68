// The entry point end to end: replies of the event table, creation and
// disposal of the record, the host-version test and hosts that lack
// functions.
#include <gtest/gtest.h>

#include <climits>

#include "ToolHarness.h"

namespace {

using Entry = ToolHarness;

TEST_F(Entry, EventsWithoutAHandlerReplyZeroAndCallNothing) {
    const int32_t unknown[] = {0, 6, 9, 50, 99, 101, 106, 200, -1, -105, INT_MIN, INT_MAX};
    for (int32_t event : unknown) {
        EXPECT_EQ(Send(event), 0) << event;
        EXPECT_TRUE(Calls().empty()) << event;
    }
    CreateAndSetUp();
    for (int32_t event : unknown) {
        EXPECT_EQ(Send(event, 1, 2), 0) << event;
        EXPECT_TRUE(Calls().empty()) << event;
    }
}

TEST_F(Entry, RepliesOfTheEventTable) {
    CreateAndSetUp();
    EXPECT_EQ(Send(kToolEventSetDown), 0);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(Send(kToolEventGetCursor), kCursorMove);
    EXPECT_EQ(Send(kToolEventPointQuery), 0);  // not in path mode
    EXPECT_EQ(Send(kToolEventDraw), 0);
    EXPECT_EQ(Send(kToolEventClick), 0);
    EXPECT_EQ(Send(kToolEventGetBehavior), host.behavior.twoPoint);
    EXPECT_EQ(Send(kToolEventModeBar, kGroupMode, kModePath), 0);
    EXPECT_EQ(Send(kToolEventGetBehavior), host.behavior.multiPoint);
    EXPECT_EQ(Send(kToolEventPointQuery), kReplyStateChanged);  // no point
    Pick(0, 0);
    EXPECT_EQ(Send(kToolEventPointQuery), kReplyOnePointPicked);
    Pick(1, 0);
    EXPECT_EQ(Send(kToolEventPointQuery), kReplyStateChanged);
    host.document.ClearSelection();
    EXPECT_EQ(Send(kToolEventClick), kReplyNothingSelected);
    EXPECT_EQ(host::MacRomanToDisplay(host.messageLine),
              host.resources.String(kMessageStrings, kMessageNothingSelected));
    EXPECT_EQ(Send(kToolEventDispose), 0);
}

TEST_F(Entry, CreationSetsTheDefaults) {
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_NE(host.UserData(), nullptr);
    EXPECT_EQ(host.memory.SizeOf(static_cast<Handle>(host.UserData())), sizeof(ToolSettings));
    const ToolSettings& r = Record();
    EXPECT_EQ(r.mode, 1);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.planOffset.x, 0.0);
    EXPECT_EQ(r.planOffset.y, 0.0);
    EXPECT_EQ(r.spaceOffset.x, 0.0);
    EXPECT_EQ(r.spaceOffset.y, 0.0);
    EXPECT_EQ(r.spaceOffset.z, 0.0);
    EXPECT_EQ(r.planar, 1);
    EXPECT_EQ(r.forcePlan, 0);
    EXPECT_EQ(r.altCursorsAllowed, 1);
    EXPECT_EQ(r.pathOffsets, nullptr);
    EXPECT_EQ(CallNames(), (std::vector<std::string>{"KS_AllocHandle", "KS_GetHostVersion"}));
}

TEST_F(Entry, WithoutMemoryCreationFailsAndLaterEventsTouchNothing) {
    host.memory.FailAllocations(1);
    EXPECT_EQ(Send(kToolEventCreate), kReplyNoMemory);
    EXPECT_EQ(host.UserData(), nullptr);
    EXPECT_EQ(CallNames(), std::vector<std::string>{"KS_AllocHandle"});
    for (int32_t event : {2, 3, 4, 5, 7, 8, 100, 102, 103, 104, 105}) {
        EXPECT_EQ(Send(event, 1, 1), 0) << event;
        EXPECT_TRUE(Calls().empty()) << event;
    }
}

TEST_F(Entry, CreationWithoutAUserDataSlotAllocatesNothing) {
    void** noSlot = nullptr;
    EXPECT_EQ(host.SendEventWith(host.Block(), noSlot, kToolEventCreate), kReplyNoMemory);
    EXPECT_EQ(host.memory.LiveCount(), 0u);
    EXPECT_EQ(host.SendEventWith(host.Block(), noSlot, kToolEventGetCursor), 0);
}

TEST_F(Entry, DisposalFreesTheRecordAndClearsTheSlot) {
    CreateAndSetUp();
    EXPECT_EQ(host.memory.LiveCount(), 1u);
    EXPECT_EQ(Send(kToolEventDispose), 0);
    EXPECT_EQ(CallNames(), std::vector<std::string>{"KS_FreeHandle"});
    EXPECT_EQ(host.memory.LiveCount(), 0u);
    EXPECT_EQ(host.UserData(), nullptr);
    // An event after disposal finds no record and makes no call.
    EXPECT_EQ(Send(kToolEventGetCursor), 0);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(Send(kToolEventDispose), 0);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Entry, DisposalFreesThePathListFirst) {
    ASSERT_EQ(Send(kToolEventCreate), 0);
    const Handle path = host.memory.Allocate(48);
    Record().pathOffsets = path;
    EXPECT_EQ(Send(kToolEventDispose), 0);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"KS_FreeHandle(H2)", "KS_FreeHandle(H1)"}));
    EXPECT_EQ(host.memory.LiveCount(), 0u);
}

struct VersionCase {
    int16_t code;
    uint8_t major, minor, maintenance;
    bool spatial;
};

class HostVersion : public ToolHarness, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(HostVersion, DecidesWhetherSpatialWorkIsOffered) {
    const VersionCase& c = GetParam();
    host.version = {c.code, c.major, c.minor, c.maintenance};
    CreateAndSetUp();
    EXPECT_EQ(Record().spatialOffered, c.spatial ? 1 : 0);
    EXPECT_EQ(host.modeBar.groups.size(), c.spatial ? 3u : 2u);
    if (c.spatial) {
        EXPECT_EQ(host.modeBar.groups[2].resources[0], 11005);
        EXPECT_EQ(host.modeBar.groups[2].resources[1], 11006);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, HostVersion,
                         ::testing::Values(VersionCase{1, 10, 4, 9, false}, VersionCase{1, 10, 5, 0, true},
                                           VersionCase{1, 11, 0, 0, true}, VersionCase{1, 9, 9, 9, false},
                                           VersionCase{1, 12, 0, 0, true}, VersionCase{2, 11, 0, 0, false},
                                           VersionCase{0, 11, 0, 0, false}));

TEST_F(Entry, AHostWithoutAnyFunctionGetsTheDefaultReplies) {
    host.DisableAll();
    EXPECT_EQ(Send(kToolEventCreate), kReplyNoMemory);  // no allocation without the host
    EXPECT_EQ(host.UserData(), nullptr);
    EXPECT_TRUE(Calls().empty());
    for (int32_t event : {2, 3, 4, 5, 7, 8, 100, 102, 103, 104, 105}) EXPECT_EQ(Send(event), 0) << event;
}

TEST_F(Entry, AHostThatLacksEverythingButMemoryStillGetsSensibleReplies) {
    host.DisableAll();
    host.Enable(ks::selector::kAllocHandle);
    host.Enable(ks::selector::kFreeHandle);
    ASSERT_EQ(Send(kToolEventCreate), 0);
    EXPECT_EQ(Record().spatialOffered, 0);  // the version stays unknown
    EXPECT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Record().altCursorsPref, 0);
    // The point count answers -1: no point picked. Nothing is selected as far
    // as the tool can tell.
    EXPECT_EQ(Send(kToolEventGetCursor), kCursorNoSelection);
    EXPECT_EQ(Send(kToolEventClick), kReplyNothingSelected);
    EXPECT_EQ(Send(kToolEventGetBehavior), -1);  // the host's own default value
    EXPECT_EQ(Send(kToolEventModeBar, kGroupMode, kModePath), 0);
    EXPECT_EQ(Send(kToolEventPointQuery), kReplyStateChanged);
    EXPECT_EQ(Send(kToolEventSettings), 0);
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(Send(kToolEventComplete), 0);
    EXPECT_EQ(Send(kToolEventDispose), 0);
    EXPECT_EQ(host.memory.LiveCount(), 0u);
}

}  // namespace
