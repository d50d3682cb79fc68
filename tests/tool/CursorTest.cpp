// The cursor event: the option flags and cursor chosen from the keys, the
// spatial and alternate variants, and the count stepping while picking.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "ToolHarness.h"

namespace {

struct KeyCase {
    int16_t mode;
    bool first, second, third;
    int32_t cursor;
    int duplicate, repeatLast, reverse;  // -1: keeps its value
};

class CursorBeforeFirstClick : public ToolHarness, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CursorBeforeFirstClick, KeysChooseTheActionAndTheCursor) {
    const KeyCase& c = GetParam();
    CreateAndSetUp();
    Record().mode = c.mode;
    Record().reverse = 1;  // shows whether the event keeps or clears it
    SetKeys(c.first, c.second, c.third);
    EXPECT_EQ(Send(kToolEventGetCursor), c.cursor);
    EXPECT_EQ(Record().duplicate, c.duplicate);
    EXPECT_EQ(Record().repeatLast, c.repeatLast);
    EXPECT_EQ(Record().reverse, c.reverse == -1 ? 1 : c.reverse);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, CursorBeforeFirstClick, ::testing::Values(
    //       mode  first  second third  cursor  dup rep rev
    KeyCase{1, false, false, false, 17001, 0, 0, -1},
    KeyCase{1, true,  false, false, 17002, 1, 0, -1},
    KeyCase{1, false, false, true,  17001, 0, 0, -1},
    KeyCase{1, true,  false, true,  17002, 1, 0, -1},
    KeyCase{1, false, true,  false, 17003, 0, 1, 0},
    KeyCase{1, true,  true,  false, 17004, 1, 1, 0},
    KeyCase{1, false, true,  true,  17005, 0, 1, 1},
    KeyCase{1, true,  true,  true,  17006, 1, 1, 1},
    KeyCase{2, false, false, false, 17001, 0, 0, -1},
    KeyCase{2, true,  true,  false, 17004, 1, 1, 0},
    KeyCase{2, true,  true,  true,  17006, 1, 1, 1},
    KeyCase{3, false, false, false, 17007, 0, 0, 0},
    KeyCase{3, true,  false, true,  17007, 0, 0, 0},
    KeyCase{3, false, true,  false, 17008, 0, 1, 0},
    KeyCase{3, true,  true,  true,  17008, 0, 1, 0}));
// clang-format on

using Cursor = ToolHarness;

TEST_F(Cursor, ReleasingTheFirstKeyReturnsToAPlainRepeat) {
    CreateAndSetUp();
    SetKeys(true, true, false);
    EXPECT_EQ(Send(kToolEventGetCursor), 17004);
    SetKeys(false, true, false);
    EXPECT_EQ(Send(kToolEventGetCursor), 17003);
    EXPECT_EQ(Record().duplicate, 0);
    EXPECT_EQ(Record().reverse, 0);
    EXPECT_EQ(Record().repeatLast, 1);
}

TEST_F(Cursor, OutOfRangeModeChoosesNoCursor) {
    CreateAndSetUp();
    Record().mode = 9;
    EXPECT_EQ(Send(kToolEventGetCursor), 0);
    host.variables[kHostSettingAltCursors] = {1};
    Send(kToolEventSetUp);
    EXPECT_EQ(Send(kToolEventGetCursor), 100);
}

TEST_F(Cursor, PlanWorkWithNoPointMakesOnlyTheCallsItNeeds) {
    host.version = {1, 10, 4, 0};  // no spatial work: nothing to follow
    CreateAndSetUp();
    const std::size_t blocks = host.memory.LiveCount();
    EXPECT_EQ(Send(kToolEventGetCursor), 17001);
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "KS_GetToolPointCount() -> 0", "KS_GetModifierKeys(&out, &out, &out) [keys 000]",
                           "KS_GetCurrentToolPoint(&out) -> 1 [(0, 0)]", "KS_HasSelection() -> 1"}));
    EXPECT_EQ(host.memory.LiveCount(), blocks);
}

TEST_F(Cursor, PlanWorkOnAHostWithSpatialWorkFollowsTheView) {
    CreateAndSetUp();
    const std::size_t blocks = host.memory.LiveCount();
    EXPECT_EQ(Send(kToolEventGetCursor), 17001);
    // Once to compare with the state, once because no point is picked yet.
    const std::vector<std::string> walk = {"KS_GetCurrentContainer() -> Plan", "KS_GetObjectKind(Plan) -> 31",
                                           "KS_GetLayerViewKind(Plan) -> 6"};
    std::vector<std::string> expected = {"KS_GetToolPointCount() -> 0"};
    expected.insert(expected.end(), walk.begin(), walk.end());
    expected.insert(expected.end(), walk.begin(), walk.end());
    expected.insert(expected.end(), {"KS_GetModifierKeys(&out, &out, &out) [keys 000]",
                                     "KS_GetCurrentToolPoint(&out) -> 1 [(0, 0)]", "KS_HasSelection() -> 1"});
    EXPECT_EQ(Calls(), expected);
    EXPECT_EQ(host.memory.LiveCount(), blocks);
}

TEST_F(Cursor, AlternateSetAndNothingSelected) {
    host.variables[kHostSettingAltCursors] = {1};
    CreateAndSetUp();
    EXPECT_EQ(Record().altCursorsPref, 1);
    EXPECT_EQ(Send(kToolEventGetCursor), 17101);
    SetKeys(true, true, true);
    EXPECT_EQ(Send(kToolEventGetCursor), 17106);
    host.document.ClearSelection();
    EXPECT_EQ(Send(kToolEventGetCursor), 17100);
    host.variables[kHostSettingAltCursors] = {0};
    Send(kToolEventSetUp);
    EXPECT_EQ(Send(kToolEventGetCursor), 17000);
}

class SpatialCursor : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        layer->viewKind = host::kSpaceView;  // a host that offers spatial work, in a view in space
        CreateAndSetUp();
        ASSERT_EQ(Record().spatialOffered, 1);
        ASSERT_EQ(Record().planar, 0);
    }
};

TEST_F(SpatialCursor, SpatialVariantsAddTen) {
    EXPECT_EQ(Send(kToolEventGetCursor), 17011);
    SetKeys(true, false, false);
    EXPECT_EQ(Send(kToolEventGetCursor), 17012);
    SetKeys(true, true, true);
    EXPECT_EQ(Send(kToolEventGetCursor), 17016);
    Record().mode = kModePath;
    EXPECT_EQ(Send(kToolEventGetCursor), 17018);
    SetKeys(false, false, false);
    EXPECT_EQ(Send(kToolEventGetCursor), 17017);
}

TEST_F(SpatialCursor, NothingSelectedWithTheAlternateSetIs17100) {
    host.variables[kHostSettingAltCursors] = {1};
    Send(kToolEventSetUp);
    EXPECT_EQ(Send(kToolEventGetCursor), 17111);
    host.document.ClearSelection();
    EXPECT_EQ(Send(kToolEventGetCursor), 17100);
}

TEST_F(SpatialCursor, SwitchingToAPlanViewRepliesEightAndRebuildsTheDataBar) {
    layer->viewKind = host::kPlanView;
    EXPECT_EQ(Send(kToolEventGetCursor), kReplyStateChanged);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 0);
    EXPECT_EQ(host.dataBar.shown.size(), 4u);
    EXPECT_EQ(host.dataBar.shown[1].kind, 1);
    // The next cursor event finds the state settled.
    EXPECT_EQ(Send(kToolEventGetCursor), 17001);
    layer->viewKind = host::kSpaceView;
    EXPECT_EQ(Send(kToolEventGetCursor), kReplyStateChanged);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 1);
    EXPECT_EQ(host.dataBar.shown[3].kind, 36);
}

TEST_F(SpatialCursor, ChoosingPlanInTheModeBarTakesEffectAtTheNextCursorEvent) {
    EXPECT_EQ(Send(kToolEventModeBar, kGroupPlanOrSpace, 2), 0);
    EXPECT_EQ(Record().forcePlan, 1);
    EXPECT_EQ(Record().planar, 0);
    EXPECT_EQ(Send(kToolEventGetCursor), 17001);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 0);
    EXPECT_EQ(host.dataBar.shown.size(), 4u);
    // Choice 1 follows the view again; any other choice changes nothing.
    EXPECT_EQ(Send(kToolEventModeBar, kGroupPlanOrSpace, 7), 0);
    EXPECT_EQ(Record().forcePlan, 1);
    EXPECT_EQ(Send(kToolEventModeBar, kGroupPlanOrSpace, 1), 0);
    EXPECT_EQ(Record().forcePlan, 0);
    EXPECT_EQ(Send(kToolEventGetCursor), kReplyStateChanged);
    EXPECT_EQ(Record().planar, 0);
}

// ---- count stepping --------------------------------------------------------

class CountStepping : public ToolHarness {
protected:
    // The first click of a span: picked point 0, then the click event.
    void StartSpan(int16_t mode, bool duplicate) {
        CreateAndSetUp();
        Record().mode = mode;
        SetKeys(duplicate, false, false);
        Send(kToolEventGetCursor);
        Pick(0, 0);
        MoveCursor(4, 0);
        Send(kToolEventClick);
        SetKeys(false, false, false);
        Send(kToolEventGetCursor);  // releases the latch set before the click
    }
    int FieldFiveWrites() const {
        int writes = 0;
        for (const std::string& call : host.log.Calls(mark))
            if (call.rfind("KS_SetDataFieldValue(5,", 0) == 0) ++writes;
        return writes;
    }
};

TEST_F(CountStepping, OneStepPerPressHoweverManyCursorEvents) {
    StartSpan(kModeSpan, true);
    SetKeys(true, false, false);
    const std::size_t start = host.log.Size();
    for (int i = 0; i < 10; ++i) Send(kToolEventGetCursor);
    mark = start;
    EXPECT_EQ(Record().count, 2);
    EXPECT_EQ(FieldFiveWrites(), 1);
    EXPECT_EQ(host.dataBar.shown[5].value, 2.0);
    SetKeys(false, false, false);
    Send(kToolEventGetCursor);
    SetKeys(true, false, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 3);
    SetKeys(false, true, false);
    Send(kToolEventGetCursor);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 2);
}

TEST_F(CountStepping, TheFirstKeyHeldThroughTheClickDoesNotCount) {
    CreateAndSetUp();
    SetKeys(true, false, false);
    Send(kToolEventGetCursor);
    Pick(0, 0);
    Send(kToolEventClick);
    for (int i = 0; i < 3; ++i) Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(Record().duplicate, 1);
}

TEST_F(CountStepping, TheCountStaysAtOneAndFieldFiveIsStillWritten) {
    StartSpan(kModeParts, false);
    SetKeys(false, true, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(FieldFiveWrites(), 1);
    EXPECT_THAT(Calls(), ::testing::Contains("KS_SetDataFieldValue(5, 1, 0)"));
}

TEST_F(CountStepping, SpanModeWithoutDuplicatingIgnoresTheKeys) {
    StartSpan(kModeSpan, false);
    SetKeys(true, false, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(FieldFiveWrites(), 0);
}

TEST_F(CountStepping, PartsModeHonoursTheKeys) {
    StartSpan(kModeParts, false);
    SetKeys(true, false, false);
    EXPECT_EQ(Send(kToolEventGetCursor), 17001);
    EXPECT_EQ(Record().count, 2);
    SetKeys(false, false, false);
    Send(kToolEventGetCursor);
    SetKeys(true, false, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 3);
}

TEST_F(CountStepping, StopsAtTheLargestCountInsteadOfWrapping) {
    StartSpan(kModeParts, false);  // one outline, however large the count
    Record().count = INT32_MAX;
    SetKeys(true, false, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, INT32_MAX);
    EXPECT_EQ(FieldFiveWrites(), 1);
}

TEST_F(CountStepping, EventThreeClearsBothLatches) {
    StartSpan(kModeSpan, true);
    SetKeys(true, true, false);
    Send(kToolEventGetCursor);
    EXPECT_EQ(Record().count, 1);  // up, then down
    Send(kToolEventSetUp);
    Send(kToolEventGetCursor);  // same keys still held: both count again
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(FieldFiveWrites(), 2);
}

}  // namespace
