// The completed action: move or duplicate the selection along the span, in
// parts or along a path, as one undo step.
#pragma once

#include "interface/CallbackBlock.h"

void MoveOrDuplicateAlongSpan(CallbackBlock* callbacks, Handle settings);

// Per-object steps the host calls for each selected object. The env of the
// move and copy steps is the settings record's Handle, that of the path steps
// the path list's Handle. Each makes its host calls through the block it is
// handed, never through gCBP.
void KS_CDECL MoveStep(ObjectHandle object, CallbackBlock* callbacks, void* env);
void KS_CDECL MoveStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env);
void KS_CDECL CopyStep(ObjectHandle object, CallbackBlock* callbacks, void* env);
void KS_CDECL CopyStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env);
void KS_CDECL PathCopyStep(ObjectHandle object, CallbackBlock* callbacks, void* env);
void KS_CDECL PathCopyStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env);

// One entry of the path list: the vector from one picked point to the next,
// x first also in plan work. An all-zero entry ends the list.
struct PathEntry {
    double x;
    double y;
    double z;
};
static_assert(sizeof(PathEntry) == 24);
