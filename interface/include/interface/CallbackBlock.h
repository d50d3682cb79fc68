// The host's callback block: the one thing the host hands the plug-in on
// every call, through which the plug-in finds each host function.
#pragma once

#include "interface/KSTypes.h"

// Maps a callback selector (0-981) to the host function's address, or to null
// when the running host lacks that function.
using CallbackLookup = void*(KS_CDECL*)(int32_t selector);

// Owned by the host and reached only through a pointer. The plug-in reads the
// first member and nothing else; a host may keep more members after it.
struct CallbackBlock {
    CallbackLookup lookup;
};
