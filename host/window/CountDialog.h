// A layout dialog of the host (the tool's count dialog) as a real modal
// Windows dialog: built from the items and layout requests the tool made,
// its event handler called as the host's dialog protocol says (the set-up
// event once before the user acts, then the number of each item the user
// operates; an item number the handler clears has no effect).
//
// A dialog opened by a script line follows the script instead of a person:
// the actions queued with 'dialog' lines are carried out on the real
// controls one by one, and when none is left the dialog is cancelled, as
// the workbench does.
#pragma once

#include <windows.h>

#include <cstdint>

#include "interface/KSTypes.h"
#include "host/Host.h"

namespace window {

struct DialogRun {
    host::Host* host = nullptr;
    int32_t dialog = 0;
    DialogHandler handler = nullptr;
    void* userData = nullptr;
    bool scripted = false;
    int stepMs = 400;
    HWND window = nullptr;
    bool setting = false;  // the host is writing into an item: no edit event
};

// Runs the dialog modally over `owner`; answers the item that closed it.
int32_t RunCountDialog(HWND owner, DialogRun& run);

// Shows a number the tool set in an item of the dialog open now, if any.
void ShowItemNumber(DialogRun* open, int32_t dialog, int32_t item, int32_t value);

}  // namespace window
