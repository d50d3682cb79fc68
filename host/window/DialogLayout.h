// Where the items of a host layout dialog go, in dialog units: the first
// layout item at the top left, each other item to the right of its anchor
// and moved by its offsets, the buttons in a row under them on the right
// (default button first). Items the layout never reached are left out.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "host/Dialogs.h"

namespace window {

struct Placed {
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogLayout {
    std::map<int32_t, Placed> items;                  // every item that is not a button
    std::vector<std::pair<int32_t, Placed>> buttons;  // in item order
    int width = 0, height = 0;
};

DialogLayout LayOut(const host::Dialog& dialog);

}  // namespace window
