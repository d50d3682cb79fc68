// Where the window takes over from the substitute host: the feedback
// drawing calls go to the screen as they come (after the host has noted
// them), the count dialog runs as a real modal dialog, and what the tool
// writes into a dialog item shows in the open dialog.
#pragma once

#include <cstdint>
#include <functional>

#include "interface/KSTypes.h"
#include "host/Host.h"

namespace window {

struct HostHooks {
    // A feedback figure the tool has just drawn (drawing it again erases it).
    std::function<void(const host::Figure&)> drawFigure;
    // Runs a dialog whose layout verified; answers the item that closed it.
    std::function<int32_t(int32_t dialog, DialogHandler handler, void* userData)> runDialog;
    // The tool set an item's number (the host's copy is already set).
    std::function<void(int32_t dialog, int32_t item, int32_t value)> itemSet;
};

// Installs the hooks on `host`, each chaining to the host's own function.
// One host at a time carries them.
void InstallHooks(host::Host& host, HostHooks hooks);

}  // namespace window
