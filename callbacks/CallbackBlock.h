// The host's callback block and the global pointer to the block in force.
#pragma once

#include "callbacks/KSTypes.h"

// Maps a callback selector (0-981) to the host function's address, or to null
// when the running host lacks that function.
using CallbackLookup = void*(KS_CDECL*)(int32_t selector);

// Owned by the host and reached only through a pointer. The plug-in reads the
// first member and nothing else; a host may keep more members after it.
struct CallbackBlock {
    CallbackLookup lookup;
};

// The block of the event being handled. The entry point sets it for the
// duration of an event; every glue call saves and restores it around the host
// call, so a nested call into the plug-in cannot leave it changed.
extern CallbackBlock* gCBP;
