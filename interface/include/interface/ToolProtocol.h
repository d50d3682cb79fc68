// The tool protocol: every number that the plug-in and its host must agree
// on beyond the host functions themselves. The tool, the substitute host, the
// workbench and the tests all take them from here.
#pragma once

#include <cstdint>

// ---- events and replies ------------------------------------------------------

// Tool events the host sends to `main`.
enum ToolEvent : int32_t {
    kToolEventCreate = 1,
    kToolEventDispose = 2,
    kToolEventSetUp = 3,
    kToolEventSetDown = 4,
    kToolEventGetCursor = 5,
    kToolEventModeBar = 7,  // message1: the group, message2: its new choice
    kToolEventSettings = 8,
    kToolEventClick = 100,
    kToolEventPointQuery = 102,
    kToolEventDraw = 103,
    kToolEventComplete = 104,
    kToolEventGetBehavior = 105,
};

// Replies other than cursor ids and the host's own behaviour values.
inline constexpr int32_t kReplyNone = 0;
inline constexpr int32_t kReplyNoMemory = -1;        // event 1
inline constexpr int32_t kReplyOnePointPicked = 2;   // event 102 in path mode: the path cannot end yet
inline constexpr int32_t kReplyStateChanged = 8;     // event 5 after a plan/space switch; event 102 otherwise
inline constexpr int32_t kReplyNothingSelected = 9;  // event 100: the click is refused

// Cursor resources in the plug-in library (the reply to event 5): the base
// id tells the state, +10 is the spatial variant, +100 the set drawn in white
// for dark backgrounds.
inline constexpr int32_t kCursorNoSelection = 17000;
inline constexpr int32_t kCursorMove = 17001;
inline constexpr int32_t kCursorDuplicate = 17002;
inline constexpr int32_t kCursorRepeatMove = 17003;
inline constexpr int32_t kCursorRepeatDuplicate = 17004;
inline constexpr int32_t kCursorReverseMove = 17005;
inline constexpr int32_t kCursorReverseDuplicate = 17006;
inline constexpr int32_t kCursorPath = 17007;
inline constexpr int32_t kCursorRepeatPath = 17008;
inline constexpr int32_t kCursorSpatialOffset = 10;
inline constexpr int32_t kCursorAlternateOffset = 100;

// ---- mode bar ----------------------------------------------------------------

// Groups, numbered by the host in the order the tool adds them.
inline constexpr int32_t kGroupMode = 1;
inline constexpr int32_t kGroupCount = 2;  // a push button: its choice is 0
inline constexpr int32_t kGroupPlanOrSpace = 3;

// The choices of the mode group.
enum ToolMode : int16_t {
    kModeSpan = 1,   // the step is the picked span
    kModeParts = 2,  // the step is the span divided by count
    kModePath = 3,   // a copy at every vertex of a picked path
};

// The choices of the plan/space group.
inline constexpr int16_t kPlanChoiceFollowView = 1;
inline constexpr int16_t kPlanChoicePlan = 2;

// Mode-bar resources in the host's resource files.
inline constexpr int16_t kModeSpanResource = 11001;
inline constexpr int16_t kModePartsResource = 11002;
inline constexpr int16_t kModePathResource = 11003;
inline constexpr int16_t kCountButtonResource = 11004;
inline constexpr int16_t kFollowViewResource = 11005;
inline constexpr int16_t kPlanResource = 11006;

// ---- data bar ----------------------------------------------------------------

// Fields after the first click: the count, and the length of one part.
inline constexpr int16_t kCountField = 5;
inline constexpr int16_t kPartLengthField = 6;

// ---- string lists in the host's resource files -------------------------------

inline constexpr int16_t kMessageStrings = 20001;
inline constexpr int16_t kMessageNothingSelected = 1;
inline constexpr int16_t kMessageFirstMode = 2;  // the instruction of mode m is kMessageFirstMode + m - 1

inline constexpr int16_t kCountDialogStrings = 20002;
inline constexpr int16_t kCountDialogTitle = 1;
inline constexpr int16_t kCountDialogDefaultText = 2;
inline constexpr int16_t kCountDialogCancelText = 3;
inline constexpr int16_t kCountDialogLabel = 4;
inline constexpr int16_t kCountDialogDefaultHelp = 5;
inline constexpr int16_t kCountDialogCancelHelp = 6;
inline constexpr int16_t kCountDialogNumberHelp = 7;

inline constexpr int16_t kUndoNameStrings = 20003;
inline constexpr int16_t kUndoNameSpan = 1;
inline constexpr int16_t kUndoNameParts = 2;
inline constexpr int16_t kUndoNamePath = 3;

// ---- the count dialog --------------------------------------------------------

// The event a dialog handler gets before the dialog is shown.
inline constexpr int32_t kDialogSetUpEvent = -2605;
// Items every layout dialog has, and the count dialog's own.
inline constexpr int32_t kDefaultButton = 1;
inline constexpr int32_t kCancelButton = 2;
inline constexpr int32_t kCountLabelItem = 4;
inline constexpr int32_t kCountNumberItem = 5;

// ---- the drawing ------------------------------------------------------------

inline constexpr int16_t kObjectKindLayer = 31;
inline constexpr int16_t kViewKindPlan = 6;  // the view kind of a layer shown in plan
// KS_ForEachObject's choice of the objects to visit.
inline constexpr int16_t kVisitSelected = 5;
// The undo kind of every step the tool opens.
inline constexpr int16_t kUndoKindMoveDuplicate = 21;

// ---- host settings (KS_GetHostVariable, KS_SetHostVariable) ------------------

inline constexpr int16_t kHostSettingAltCursors = 16;    // one byte: 1 = cursors drawn in white
inline constexpr int16_t kHostSettingSpatialTool = 409;  // one byte: 1 = the tool works in space
