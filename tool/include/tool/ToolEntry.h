// The tool's entry: every host event passes through ToolMain.
#pragma once

#include "interface/CallbackBlock.h"

// Dispatches one host event. `userData` points at the slot in which the host
// keeps the settings record's Handle between events.
extern "C" int32_t ToolMain(int32_t event, int32_t message1, int32_t message2, void* userData,
                            CallbackBlock* callbacks);
