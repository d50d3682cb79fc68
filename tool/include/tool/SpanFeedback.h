// The self-erasing preview drawn while the user picks a span or a path.
#pragma once

#include "interface/CallbackBlock.h"
#include "kernel/DKCoordTypes.h"

// Draws the preview of the current span and count; drawing it a second time
// with unchanged state removes it.
void DrawSpanFeedback(CallbackBlock* callbacks, Handle settings);

// Draws the twelve edges of a box as feedback lines.
void DrawCubeEdges(CallbackBlock* callbacks, Cube3D box);
