// The data bar: each field the tool defined, its label and a read-only box
// with its value, in field order; the message line is the status bar's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/Host.h"

namespace window {

class DataBarView {
public:
    static constexpr int kHeight = 30;

    HWND Create(HWND parent, HINSTANCE instance);
    HWND Handle() const { return fWindow; }
    // Shows what the user sees of the data bar now (nothing while the tool
    // is not chosen).
    void Update(const host::Host& host, bool toolChosen);

private:
    HWND fWindow = nullptr;
    std::vector<std::string> fLabels;  // the labels the controls were made for
    std::vector<HWND> fControls;       // label, value, label, value, ...
};

}  // namespace window
