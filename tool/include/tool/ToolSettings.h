// The tool's settings record and the user interface that shows and edits it:
// mode bar, message line, data bar, plan/space decision and count dialog.
#pragma once

#include "interface/CallbackBlock.h"
#include "interface/ToolProtocol.h"
#include "kernel/DKCoordTypes.h"

// Kept in a block of host memory from event 1 to event 2; only the tool reads
// it, so its layout is natural, not an interface.
struct ToolSettings {
    int16_t mode;
    int32_t count;           // parts (mode 2) or copies (duplicating); at least 1
    Point2D planOffset;      // step of the last two-point operation in the plan
    Point3D spaceOffset;     // the same in space
    Boolean planar;          // work with plan points and offsets
    Boolean duplicate;       // copy instead of move
    Boolean repeatLast;      // reuse the stored offset or path without picking
    Boolean reverse;         // with repeatLast: the opposite way
    Boolean forcePlan;       // the user chose plan work in mode-bar group 3
    Boolean spatialOffered;  // the host offers spatial work
    Boolean altCursorsAllowed;
    Boolean altCursorsPref;  // host setting 16: cursors drawn in white
    Handle pathOffsets;      // path list: (x, y, z) triples ending in an all-zero entry
};

// The record behind a handle. The block may move during any host call, so
// callers fetch it afresh after each one and keep no reference across calls.
inline ToolSettings& Settings(Handle settings) { return *static_cast<ToolSettings*>(*settings); }

// Sets the defaults of a new record; the flags that the cursor event and the
// set-up fill in start at 0.
void InitToolSettings(ToolSettings& settings);

// Each takes the callback block and the address of the variable that holds
// the record's Handle.
void SetUpModeBar(CallbackBlock* callbacks, Handle* settings);
void UpdateModeMessage(CallbackBlock* callbacks, Handle* settings);
void PublishSpatialMode(CallbackBlock* callbacks, Handle* settings);
void ShowPointFields(CallbackBlock* callbacks, Handle* settings);
void ShowSpanFields(CallbackBlock* callbacks, Handle* settings);

// True when the work is to be done in the plan: the layer that holds the
// current container has a plan view, or there is no such layer.
Boolean IsPlanView(CallbackBlock* callbacks);

// Runs the count dialog on a private copy of the record; returns the accepted
// count (at least 1) or currentCount when the dialog is cancelled or cannot
// be shown. The live record is not touched.
int32_t RunCountDialog(CallbackBlock* callbacks, Handle* settings, int32_t currentCount);

// Event handler of the count dialog; `userData` is the dialog's private copy
// of the record. Uses gCBP.
void KS_CDECL CountDialogEvent(int32_t dialog, int32_t* item, int32_t data, void* userData);
