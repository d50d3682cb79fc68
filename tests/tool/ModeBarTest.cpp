// Set-up, data bars, mode-bar changes and the count dialog, checked by what
// the host shows; exact calls only where their order is the contract.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace {

using ::testing::ElementsAre;

using ModeBar = ToolHarness;

using Kinds = std::vector<std::pair<int16_t, int32_t>>;
const Kinds kPlanPointKinds = {{1, 1}, {2, 2}, {3, 15}, {4, 14}};
const Kinds kSpacePointKinds = {{1, 34}, {2, 35}, {3, 36}, {4, 15}, {5, 14}};
const char kSpanMessage[] = "message: Span: click the start and the end of the offset.\n";
const char kThreeGroups[] = "mode bar: (*) Span ( ) Parts ( ) Path | [Count...] | (*) Follow View ( ) Plan\n";

TEST_F(ModeBar, SetUpInThePlanOnAHostWithSpatialWork) {
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Shown(), std::string(kSpanMessage) + kThreeGroups + "data bar:  1 X:  2 Y:  3   4 \n");
    EXPECT_EQ(ShownKinds(), kPlanPointKinds);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 0);
    // The host's setting 16 is read after the mode bar is built.
    EXPECT_EQ(Calls().back(), "KS_GetHostVariable(16, ptr) -> 1 [setting 16 = 0]");
}

TEST_F(ModeBar, SetUpInSpaceWalksUpThroughGroupsToTheLayer) {
    layer->viewKind = host::kSpaceView;
    host::Object* group = host.document.AddGroup(layer, "Group");
    host::Object* inner = host.document.AddGroup(group, "Inner");
    host.document.SetCurrentContainer(inner);
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    // The walk from the container up to the layer is the plan test itself.
    const std::vector<std::string> calls = Calls();
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 7),
                ElementsAre("KS_GetCurrentContainer() -> Inner", "KS_GetObjectKind(Inner) -> 11",
                            "KS_GetParentObject(Inner) -> Group", "KS_GetObjectKind(Group) -> 11",
                            "KS_GetParentObject(Group) -> Plan", "KS_GetObjectKind(Plan) -> 31",
                            "KS_GetLayerViewKind(Plan) -> 1"));
    EXPECT_EQ(Shown(), std::string(kSpanMessage) + kThreeGroups + "data bar:  1 X:  2 Y:  3 Z:  4   5 \n");
    EXPECT_EQ(ShownKinds(), kSpacePointKinds);
    EXPECT_EQ(Record().planar, 0);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 1);
}

TEST_F(ModeBar, AContainerOutsideAnyLayerCountsAsPlan) {
    host.document.SetCurrentContainer(nullptr);
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Record().planar, 1);
    // No host call is handed the null container.
    EXPECT_THAT(Calls(), ::testing::Each(::testing::Not(::testing::HasSubstr("(null"))));
}

TEST_F(ModeBar, WithoutSpatialWorkThereAreTwoGroupsAndSetting409IsNeverWritten) {
    host.version = {1, 10, 4, 0};
    layer->viewKind = host::kSpaceView;
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Shown(), std::string(kSpanMessage) + "mode bar: (*) Span ( ) Parts ( ) Path | [Count...]\n" +
                           "data bar:  1 X:  2 Y:  3   4 \n");
    EXPECT_EQ(ShownKinds(), kPlanPointKinds);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_SetHostVariable")));
    Send(kToolEventGetCursor);
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_SetHostVariable")));
}

TEST_F(ModeBar, ForcedPlanInASpatialViewWritesSettingZero) {
    layer->viewKind = host::kSpaceView;
    ASSERT_EQ(Send(kToolEventCreate), 0);
    Record().forcePlan = 1;
    Record().mode = kModePath;
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_EQ(host.variables[kHostSettingSpatialTool][0], 0);
    ASSERT_EQ(host.modeBar.groups.size(), 3u);
    EXPECT_EQ(host.modeBar.groups[0].choice, 3);
    EXPECT_EQ(host.modeBar.groups[2].choice, 2);
    EXPECT_FALSE(host.modeBar.groups[1].enabled);  // no count in path mode
    EXPECT_EQ(host.messageLine, host.resources.String(kMessageStrings, kMessageFirstMode + kModePath - 1));
}

struct SpanFieldsCase {
    bool planar;
    int16_t mode;
    bool duplicate;
    const char* dataBar;  // as the host shows it
    Kinds kinds;
};

class SpanFields : public ToolHarness, public ::testing::WithParamInterface<SpanFieldsCase> {};

TEST_P(SpanFields, ClickAfterTheFirstPointShowsTheSpanFields) {
    const SpanFieldsCase& c = GetParam();
    if (!c.planar) layer->viewKind = host::kSpaceView;
    CreateAndSetUp();
    Record().mode = c.mode;
    Record().duplicate = c.duplicate;
    Record().count = 4;
    Pick(0, 0);
    ASSERT_EQ(Send(kToolEventClick), 0);
    const std::string shown = Shown();
    EXPECT_EQ(shown.substr(shown.find("data bar:")), c.dataBar);
    EXPECT_EQ(ShownKinds(), c.kinds);
}

const Kinds kPlanSpan = {{1, 3}, {2, 4}, {3, 5}, {4, 6}};
const Kinds kSpaceSpan = {{1, 69}, {2, 70}, {3, 71}, {4, 42}};

Kinds With(Kinds kinds, std::initializer_list<std::pair<int16_t, int32_t>> more) {
    kinds.insert(kinds.end(), more);
    return kinds;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SpanFields,
    ::testing::Values(
        SpanFieldsCase{true, kModeSpan, false, "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:\n", kPlanSpan},
        SpanFieldsCase{true, kModeSpan, true, "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:  5 Copies: 4\n",
                       With(kPlanSpan, {{5, 65}})},
        SpanFieldsCase{true, kModeParts, false, "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:  5 Parts: 4  6 Lenght/Parts:\n",
                       With(kPlanSpan, {{5, 65}, {6, 65}})},
        SpanFieldsCase{true, kModeParts, true, "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:  5 Copies: 4  6 Lenght/Copies:\n",
                       With(kPlanSpan, {{5, 65}, {6, 65}})},
        SpanFieldsCase{false, kModeSpan, false, "data bar:  1 ∆I:  2 ∆J:  3 ∆K:  4 L:\n", kSpaceSpan},
        SpanFieldsCase{false, kModeParts, true, "data bar:  1 ∆I:  2 ∆J:  3 ∆K:  4 L:  5 Copies: 4  6 Lenght/Copies:\n",
                       With(kSpaceSpan, {{5, 65}, {6, 65}})},
        SpanFieldsCase{true, kModePath, false, "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:\n", kPlanSpan}));

TEST_F(ModeBar, LabelsHaveExactlyTheirOwnBytes) {
    CreateAndSetUp();
    Record().mode = kModeParts;
    Pick(0, 0);
    Send(kToolEventClick);
    EXPECT_EQ(host.dataBar.shown[1].label, "\xC6X:");
    EXPECT_EQ(host.dataBar.shown[5].label, "Parts:");
    EXPECT_EQ(host.dataBar.shown[6].label, "Lenght/Parts:");
    EXPECT_EQ(host.dataBar.shown[6].label.size(), 13u);
    EXPECT_EQ(host.dataBar.shown[3].label, "L:");
    EXPECT_EQ(host.dataBar.shown[5].value, 1.0);
}

TEST_F(ModeBar, ModeChangeWithPointsPickedRedefinesTheSpanFields) {
    CreateAndSetUp();
    Pick(0, 0);
    ASSERT_EQ(Send(kToolEventModeBar, kGroupMode, 0x10002), 0);  // only the low 16 bits count
    EXPECT_EQ(Record().mode, kModeParts);
    const std::string shown = Shown();
    EXPECT_EQ(shown.substr(0, shown.find("mode bar:")),
              "message: Parts: click the start and the end of the span to divide.\n");
    EXPECT_EQ(shown.substr(shown.find("data bar:")),
              "data bar:  1 ∆X:  2 ∆Y:  3 L:  4 A:  5 Parts: 1  6 Lenght/Parts:\n");
    EXPECT_TRUE(host.modeBar.groups[kGroupCount - 1].enabled);
}

TEST_F(ModeBar, PathModeDisablesTheCountButtonAndOtherGroupsOnlyUpdateTheMessage) {
    CreateAndSetUp();
    ASSERT_EQ(Send(kToolEventModeBar, kGroupMode, kModePath), 0);
    EXPECT_THAT(CallNames(),
                ElementsAre("KS_GetToolPointCount", "KS_GetIndexedString", "KS_SetMessageText", "KS_EnableModeGroup"));
    EXPECT_EQ(Calls().back(), "KS_EnableModeGroup(2, 0)");
    EXPECT_FALSE(host.modeBar.groups[1].enabled);
    ASSERT_EQ(Send(kToolEventModeBar, 9, 1), 0);
    EXPECT_THAT(CallNames(), ElementsAre("KS_GetIndexedString", "KS_SetMessageText", "KS_EnableModeGroup"));
    ASSERT_EQ(Send(kToolEventModeBar, kGroupMode, 0xFFFF), 0);  // a negative choice
    EXPECT_EQ(Record().mode, -1);
    EXPECT_THAT(CallNames(), ElementsAre("KS_GetToolPointCount", "KS_EnableModeGroup"));
}

// ---- the count dialog ------------------------------------------------------

class CountDialog : public ToolHarness {
protected:
    void Type(int32_t value) { host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, value}); }
    void Press(int32_t item) { host.dialogs.Script().push_back({host::DialogAction::Type::Press, item, 0}); }
};

TEST_F(CountDialog, AcceptedNumberBecomesTheCount) {
    CreateAndSetUp();
    Type(7);
    Press(1);
    ASSERT_EQ(Send(kToolEventModeBar, kGroupCount, 0), 0);
    EXPECT_EQ(Record().count, 7);
    // The dialog as the host laid it out and ran it.
    const host::Dialog* dialog = host.dialogs.Find(1);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Copies and Parts");
    EXPECT_EQ(dialog->firstLayoutItem, kCountLabelItem);
    const host::DialogItem& label = dialog->items.at(kCountLabelItem);
    EXPECT_EQ(label.type, host::DialogItem::Type::StaticText);
    EXPECT_EQ(label.text, "Copies or parts:");
    EXPECT_EQ(label.width, 16);
    const host::DialogItem& number = dialog->items.at(kCountNumberItem);
    EXPECT_EQ(number.type, host::DialogItem::Type::IntegerField);
    EXPECT_EQ(number.width, 8);
    EXPECT_TRUE(number.placed);
    EXPECT_EQ(number.value, 7);
    EXPECT_EQ(dialog->items.at(kDefaultButton).text, "OK");
    EXPECT_EQ(dialog->items.at(kCancelButton).text, "Cancel");
    for (int32_t item : {kDefaultButton, kCancelButton, kCountNumberItem})
        EXPECT_FALSE(dialog->items.at(item).help.empty()) << item;
    EXPECT_THAT(host.dialogs.history, ElementsAre("dialog \"Copies and Parts\" opens", "  types 7 into item 5",
                                                  "  presses item 1", "  closes with item 1"));
    // The set-up event shows the current count before the user types.
    EXPECT_THAT(Calls(), ::testing::Contains("KS_SetDialogItemLong(1, 5, 1)"));
}

TEST_F(CountDialog, ZeroIsRefusedAndResetToOne) {
    CreateAndSetUp();
    Record().count = 5;
    Type(0);
    Press(1);
    EXPECT_EQ(Send(kToolEventSettings), 0);
    // The script ran out with the dialog still open: the host cancels it.
    EXPECT_EQ(Record().count, 5);
    EXPECT_THAT(
        host.dialogs.history,
        ElementsAre("dialog \"Copies and Parts\" opens", "  types 0 into item 5", "  refused; the dialog stays open",
                    "  presses item 1", "  refused; the dialog stays open", "  no scripted action left: cancelled"));
    EXPECT_EQ(host.dialogs.Find(1)->items[5].value, 1);

    host.dialogs.history.clear();
    Type(0);
    Press(1);
    Press(1);
    EXPECT_EQ(Send(kToolEventSettings), 0);
    EXPECT_EQ(Record().count, 1);
    EXPECT_EQ(host.dialogs.history.back(), "  closes with item 1");
}

TEST_F(CountDialog, CancelKeepsTheOldCount) {
    CreateAndSetUp();
    Record().count = 3;
    Type(7);
    Press(2);
    EXPECT_EQ(Send(kToolEventModeBar, kGroupCount, 0), 0);
    EXPECT_EQ(Record().count, 3);
}

TEST_F(CountDialog, ALayoutThatDoesNotVerifyShowsNoDialog) {
    CreateAndSetUp();
    host.dialogs.failVerify = true;
    Type(7);
    Press(1);
    EXPECT_EQ(Send(kToolEventSettings), 0);
    EXPECT_EQ(Record().count, 1);
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_RunDialog")));
    EXPECT_EQ(CallNames().back(), "KS_VerifyDialogLayout");
    EXPECT_EQ(host.dialogs.Script().size(), 2u);  // nothing was read
}

TEST_F(CountDialog, SettingsEventShowsTheNewCountWhenItCounts) {
    CreateAndSetUp();
    Type(6);
    Press(1);
    Send(kToolEventSettings);
    EXPECT_EQ(Record().count, 6);
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_SetDataFieldValue")));

    Record().mode = kModeParts;
    Type(9);
    Press(1);
    Send(kToolEventSettings);
    EXPECT_EQ(Record().count, 9);
    const std::vector<std::string> calls = Calls();
    EXPECT_THAT(std::vector<std::string>(calls.end() - 2, calls.end()),
                ElementsAre("KS_SetDataFieldValue(5, 9, 0)", "KS_RefreshDataBar(0)"));
}

TEST_F(CountDialog, CountButtonWithPointsPickedShowsTheNewCount) {
    CreateAndSetUp();
    Pick(0, 0);
    Type(4);
    Press(1);
    Send(kToolEventModeBar, kGroupCount, 0);
    EXPECT_EQ(Record().count, 4);
    EXPECT_THAT(Calls(), ::testing::Contains("KS_SetDataFieldValue(5, 4, 0)"));
}

}  // namespace
