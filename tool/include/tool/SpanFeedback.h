// The self-erasing preview drawn while the user picks a span or a path.
#pragma once

#include "interface/CallbackBlock.h"
#include "kernel/DKCoordTypes.h"

// The most places the preview draws, and the most path segments it looks at:
// a count or a point count of any size then costs a bounded time per event
// (a host draws them all on every mouse movement), and more outlines than
// this show nothing more to a person.
// The completion has no such limit; it stops when the host can make no
// further copy.
inline constexpr int32_t kMaxPreviewPlaces = 10000;

// Draws the preview of the current span and count; drawing it a second time
// with unchanged state removes it.
void DrawSpanFeedback(CallbackBlock* callbacks, Handle settings);

// Draws the twelve edges of a box as feedback lines.
void DrawCubeEdges(CallbackBlock* callbacks, Cube3D box);
