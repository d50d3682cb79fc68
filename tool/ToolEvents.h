// Tool event numbers the host sends to `main`, and the replies it expects.
#pragma once

#include <cstdint>

enum ToolEvent : int32_t {
    kToolEventCreate = 1,
    kToolEventDispose = 2,
    kToolEventSetUp = 3,
    kToolEventSetDown = 4,
    kToolEventGetCursor = 5,
    kToolEventModeBar = 7,
    kToolEventSettings = 8,
    kToolEventClick = 100,
    kToolEventPointQuery = 102,
    kToolEventDraw = 103,
    kToolEventComplete = 104,
    kToolEventGetBehavior = 105,
};

// Replies other than cursor ids and the host's own behaviour values.
inline constexpr int32_t kReplyNone = 0;
inline constexpr int32_t kReplyNoMemory = -1;
inline constexpr int32_t kReplyOnePointPicked = 2;   // event 102, path mode
inline constexpr int32_t kReplyStateChanged = 8;     // event 5 after a plan/space switch; event 102 otherwise
inline constexpr int32_t kReplyNothingSelected = 9;  // event 100

// Cursor resources: the base id tells the state, +10 is the spatial variant,
// +100 the set drawn in white for dark backgrounds.
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
