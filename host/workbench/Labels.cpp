#include "workbench/Labels.h"

#include <cmath>

namespace workbench {

namespace {
constexpr double kCell = 64;
constexpr double kClear = 3;  // between a label and its object
}  // namespace

template <typename Visit>
void LabelPlacer::Cells(const SheetBox& box, Visit visit) const {
    const auto first = [](double v) { return static_cast<int64_t>(std::floor(v / kCell)); };
    for (int64_t cx = first(box.left); cx <= first(box.right); ++cx)
        for (int64_t cy = first(box.top); cy <= first(box.bottom); ++cy) visit((cx << 32) ^ (cy & 0xffffffff));
}

bool LabelPlacer::Free(const SheetBox& box) const {
    bool free = true;
    Cells(box, [&](int64_t key) {
        if (!free) return;
        auto it = fCells.find(key);
        if (it == fCells.end()) return;
        for (const SheetBox& placed : it->second)
            if (placed.Overlaps(box)) {
                free = false;
                return;
            }
    });
    return free;
}

void LabelPlacer::Take(const SheetBox& box) {
    Cells(box, [&](int64_t key) { fCells[key].push_back(box); });
}

std::optional<SheetBox> LabelPlacer::Place(const SheetBox& o, double width, double height, const SheetBox& panel) {
    const SheetPoint corners[] = {
        {o.left, o.top - kClear - height},  // above
        {o.left, o.bottom + kClear},        // below
        {o.right + kClear, o.top},          // right
        {o.left - kClear - width, o.top},   // left
    };
    for (const SheetPoint& c : corners) {
        const SheetBox box{c.x, c.y, c.x + width, c.y + height};
        if (!box.Inside(panel) || !Free(box)) continue;
        Take(box);
        return box;
    }
    return std::nullopt;
}

}  // namespace workbench
