// Set-up, data bars, mode-bar changes and the count dialog, as exact
// sequences of host calls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using ModeBar = ToolHarness;

const std::vector<std::string> kPlanPointFields = {"KS_ClearDataBar()",
                                                   "KS_SetDataField(1, 1, \"X:\")",
                                                   "KS_SetDataField(2, 2, \"Y:\")",
                                                   "KS_SetDataField(3, 15, \"\")",
                                                   "KS_SetDataField(4, 14, \"\")",
                                                   "KS_RefreshDataBar(0)"};
const std::vector<std::string> kSpacePointFields = {"KS_ClearDataBar()",
                                                    "KS_SetDataField(1, 34, \"X:\")",
                                                    "KS_SetDataField(2, 35, \"Y:\")",
                                                    "KS_SetDataField(3, 36, \"Z:\")",
                                                    "KS_SetDataField(4, 15, \"\")",
                                                    "KS_SetDataField(5, 14, \"\")",
                                                    "KS_RefreshDataBar(0)"};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::string> SpanMessage() {
    return {"KS_GetIndexedString(20001, 2, &out, 1) [\"Span: click the start and the end of the offset.\"]",
            "KS_SetMessageText(\"Span: click the start and the end of the offset.\")", "KS_EnableModeGroup(2, 1)"};
}

TEST_F(ModeBar, SetUpInThePlanOnAHostWithSpatialWork) {
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_THAT(
        Calls(),
        ElementsAreArray(Join({{"KS_GetCurrentContainer() -> Plan", "KS_GetObjectKind(Plan) -> 31",
                                "KS_GetLayerViewKind(Plan) -> 6", "KS_SetHostVariable(409, ptr) -> 1 [setting 409 = 0]",
                                "KS_AddModeRadioGroup(1, 3, 11001, 11002, 11003, 0, 0, 0)", "KS_AddModeButton(11004)",
                                "KS_AddModeRadioGroup(1, 2, 11005, 11006, 0, 0, 0, 0)"},
                               kPlanPointFields,
                               SpanMessage(),
                               {"KS_GetHostVariable(16, ptr) -> 1 [setting 16 = 0]"}})));
    EXPECT_EQ(Record().planar, 1);
}

TEST_F(ModeBar, SetUpInSpaceWalksUpThroughGroupsToTheLayer) {
    layer->viewKind = host::kSpaceView;
    host::Object* group = host.document.AddGroup(layer, "Group");
    host::Object* inner = host.document.AddGroup(group, "Inner");
    host.document.SetCurrentContainer(inner);
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_THAT(
        Calls(),
        ElementsAreArray(Join({{"KS_GetCurrentContainer() -> Inner", "KS_GetObjectKind(Inner) -> 11",
                                "KS_GetParentObject(Inner) -> Group", "KS_GetObjectKind(Group) -> 11",
                                "KS_GetParentObject(Group) -> Plan", "KS_GetObjectKind(Plan) -> 31",
                                "KS_GetLayerViewKind(Plan) -> 1", "KS_SetHostVariable(409, ptr) -> 1 [setting 409 = 1]",
                                "KS_AddModeRadioGroup(1, 3, 11001, 11002, 11003, 0, 0, 0)", "KS_AddModeButton(11004)",
                                "KS_AddModeRadioGroup(1, 2, 11005, 11006, 0, 0, 0, 0)"},
                               kSpacePointFields,
                               SpanMessage(),
                               {"KS_GetHostVariable(16, ptr) -> 1 [setting 16 = 0]"}})));
    EXPECT_EQ(Record().planar, 0);
}

TEST_F(ModeBar, AContainerOutsideAnyLayerCountsAsPlan) {
    host.document.SetCurrentContainer(nullptr);
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_EQ(Record().planar, 1);
    EXPECT_THAT(Calls(), ::testing::Contains("KS_GetParentObject(null) -> null"));
}

TEST_F(ModeBar, WithoutSpatialWorkThereAreTwoGroupsAndSetting409IsNeverWritten) {
    host.version = {1, 10, 4, 0};
    layer->viewKind = host::kSpaceView;
    ASSERT_EQ(Send(kToolEventCreate), 0);
    ASSERT_EQ(Send(kToolEventSetUp), 0);
    EXPECT_THAT(
        Calls(),
        ElementsAreArray(Join({{"KS_AddModeRadioGroup(1, 3, 11001, 11002, 11003, 0, 0, 0)", "KS_AddModeButton(11004)"},
                               kPlanPointFields,
                               SpanMessage(),
                               {"KS_GetHostVariable(16, ptr) -> 1 [setting 16 = 0]"}})));
    EXPECT_EQ(Record().planar, 1);
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
    std::vector<std::string> calls;
};

class SpanFields : public ToolHarness, public ::testing::WithParamInterface<SpanFieldsCase> {};

TEST_P(SpanFields, ClickAfterTheFirstPointDefinesTheSpanFields) {
    const SpanFieldsCase& c = GetParam();
    if (!c.planar) layer->viewKind = host::kSpaceView;
    CreateAndSetUp();
    Record().mode = c.mode;
    Record().duplicate = c.duplicate;
    Record().count = 4;
    Pick(0, 0);
    ASSERT_EQ(Send(kToolEventClick), 0);
    std::vector<std::string> expected = {"KS_HasSelection() -> 1", "KS_GetToolPointCount() -> 1"};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    EXPECT_THAT(Calls(), ElementsAreArray(expected));
}

const std::vector<std::string> kPlanSpan = {"KS_ClearDataBar()", "KS_SetDataField(1, 3, \"∆X:\")",
                                            "KS_SetDataField(2, 4, \"∆Y:\")", "KS_SetDataField(3, 5, \"L:\")",
                                            "KS_SetDataField(4, 6, \"A:\")"};
const std::vector<std::string> kSpaceSpan = {"KS_ClearDataBar()", "KS_SetDataField(1, 69, \"∆I:\")",
                                             "KS_SetDataField(2, 70, \"∆J:\")", "KS_SetDataField(3, 71, \"∆K:\")",
                                             "KS_SetDataField(4, 42, \"L:\")"};

INSTANTIATE_TEST_SUITE_P(
    Fields, SpanFields,
    ::testing::Values(SpanFieldsCase{true, kModeSpan, false, Join({kPlanSpan, {"KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{true, kModeSpan, true,
                                     Join({kPlanSpan,
                                           {"KS_SetDataField(5, 65, \"Copies:\")", "KS_SetDataFieldValue(5, 4, 0)",
                                            "KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{true, kModeParts, false,
                                     Join({kPlanSpan,
                                           {"KS_SetDataField(5, 65, \"Parts:\")", "KS_SetDataFieldValue(5, 4, 0)",
                                            "KS_SetDataField(6, 65, \"Lenght/Parts:\")", "KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{true, kModeParts, true,
                                     Join({kPlanSpan,
                                           {"KS_SetDataField(5, 65, \"Copies:\")", "KS_SetDataFieldValue(5, 4, 0)",
                                            "KS_SetDataField(6, 65, \"Lenght/Copies:\")", "KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{false, kModeSpan, false, Join({kSpaceSpan, {"KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{false, kModeParts, true,
                                     Join({kSpaceSpan,
                                           {"KS_SetDataField(5, 65, \"Copies:\")", "KS_SetDataFieldValue(5, 4, 0)",
                                            "KS_SetDataField(6, 65, \"Lenght/Copies:\")", "KS_RefreshDataBar(0)"}})},
                      SpanFieldsCase{true, kModePath, false, Join({kPlanSpan, {"KS_RefreshDataBar(0)"}})}));

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
    EXPECT_THAT(
        Calls(),
        ElementsAreArray(Join({{"KS_GetToolPointCount() -> 1"},
                               kPlanSpan,
                               {"KS_SetDataField(5, 65, \"Parts:\")", "KS_SetDataFieldValue(5, 1, 0)",
                                "KS_SetDataField(6, 65, \"Lenght/Parts:\")", "KS_RefreshDataBar(0)",
                                "KS_GetIndexedString(20001, 3, &out, 1) [\"Parts: click the start and the end of the "
                                "span to divide.\"]",
                                "KS_SetMessageText(\"Parts: click the start and the end of the span to divide.\")",
                                "KS_EnableModeGroup(2, 1)"}})));
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
    EXPECT_THAT(Calls(),
                ElementsAre("KS_GetIndexedString(20002, 1, &out, 1) [\"Copies and Parts\"]",
                            "KS_GetIndexedString(20002, 2, &out, 1) [\"OK\"]",
                            "KS_GetIndexedString(20002, 3, &out, 1) [\"Cancel\"]",
                            "KS_CreateDialog(\"Copies and Parts\", 1, \"OK\", \"Cancel\") -> 1",
                            "KS_GetIndexedString(20002, 4, &out, 1) [\"Copies or parts:\"]",
                            "KS_AddStaticText(1, 4, \"Copies or parts:\", 16)", "KS_AddIntegerField(1, 5, 1, 8)",
                            "KS_SetFirstLayoutItem(1, 4) -> 1", "KS_PlaceItemRightOf(1, 4, 5, 0, 0) -> 1",
                            ::testing::StartsWith("KS_GetIndexedString(20002, 5,"),
                            ::testing::StartsWith("KS_GetIndexedString(20002, 6,"),
                            ::testing::StartsWith("KS_GetIndexedString(20002, 7,"),
                            ::testing::StartsWith("KS_SetItemHelpText(1, 1, \"Use this"),
                            ::testing::StartsWith("KS_SetItemHelpText(1, 2, \"Keep"),
                            ::testing::StartsWith("KS_SetItemHelpText(1, 5, \"How many"),
                            "KS_VerifyDialogLayout(1) -> 1", "KS_RunDialog(1, fn, ptr) -> 1",
                            "KS_SetDialogItemLong(1, 5, 1)", "KS_GetDialogItemLong(1, 5, &out) -> 1 [7]",
                            "KS_GetDialogItemLong(1, 5, &out) -> 1 [7]", "KS_GetToolPointCount() -> 0",
                            "KS_GetIndexedString(20001, 2, &out, 1) "
                            "[\"Span: click the start and the end of the offset.\"]",
                            ::testing::StartsWith("KS_SetMessageText("), "KS_EnableModeGroup(2, 1)"));
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
