// The completed action: move or duplicate the selection along the span, in
// parts or along a path, as one undo step.
#pragma once

#include "callbacks/CallbackBlock.h"

void MoveOrDuplicateAlongSpan(CallbackBlock* callbacks, Handle settings);
