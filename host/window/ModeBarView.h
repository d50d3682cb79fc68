// The toolbar: the host's two tools (selecting, and the move/duplicate
// tool), then the tool's mode bar as the tool built it: a run of check
// buttons for each radio group, a push button for a button group, greyed
// out while the tool disables the group.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "host/Host.h"

namespace window {

// Command ids of the toolbar's buttons.
inline constexpr int kSelectToolCommand = 100;
inline constexpr int kMoveToolCommand = 101;
inline constexpr int kModeCommandBase = 1000;  // + group * 10 + choice (0 for a button)

// The group and choice of a mode-bar command id; false for other ids.
bool ModeCommand(int id, int32_t& group, int32_t& choice);

class ModeBarView {
public:
    HWND Create(HWND parent, HINSTANCE instance);
    HWND Handle() const { return fWindow; }
    // Rebuilds the buttons when the mode bar or the tool changed.
    void Update(const host::Host& host, bool toolChosen);
    int Height() const;

private:
    HWND fWindow = nullptr;
    std::string fShown = "-";
};

}  // namespace window
