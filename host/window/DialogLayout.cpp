#include "DialogLayout.h"

#include <algorithm>

namespace window {

namespace {

constexpr int kMargin = 7, kGap = 4, kRowHeight = 14, kCharWidth = 4, kButtonWidth = 50;
// An anchor chain longer than this is taken for a loop.
constexpr int kMaxChain = 64;

// Widths are asked for in characters.
int WidthOf(const host::DialogItem& item) {
    const int chars = std::max<int>(item.width, 1);
    return item.type == host::DialogItem::Type::IntegerField ? chars * kCharWidth + 8 : chars * kCharWidth;
}

}  // namespace

DialogLayout LayOut(const host::Dialog& dialog) {
    DialogLayout layout;
    std::map<int32_t, Placed>& placed = layout.items;
    auto place = [&](auto& self, int32_t number, int depth) -> const Placed* {
        if (auto it = placed.find(number); it != placed.end()) return &it->second;
        auto item = dialog.items.find(number);
        if (item == dialog.items.end() || item->second.type == host::DialogItem::Type::Button || depth > kMaxChain)
            return nullptr;
        Placed p;
        p.cx = WidthOf(item->second);
        p.cy = kRowHeight;
        if (dialog.firstLayoutItem && number == *dialog.firstLayoutItem) {
            p.x = kMargin;
            p.y = kMargin;
        } else if (const Placed* anchor =
                       item->second.rightOf ? self(self, item->second.rightOf, depth + 1) : nullptr) {
            p.x = anchor->x + anchor->cx + kGap + item->second.offsetX;
            p.y = anchor->y + item->second.offsetY;
        } else {
            return nullptr;
        }
        return &(placed[number] = p);
    };
    for (const auto& [number, item] : dialog.items) place(place, number, 0);

    int right = 0, bottom = 0;
    for (const auto& [number, p] : placed) {
        right = std::max(right, p.x + p.cx);
        bottom = std::max(bottom, p.y + p.cy);
    }
    int buttons = 0;
    for (const auto& [number, item] : dialog.items) buttons += item.type == host::DialogItem::Type::Button;
    const int buttonsWidth = std::max(buttons * (kButtonWidth + kGap) - kGap, 0);
    layout.width = std::max(right, buttonsWidth + kMargin) + kMargin;
    const int buttonY = bottom + 2 * kMargin;
    layout.height = buttonY + kRowHeight + kMargin;
    int x = layout.width - kMargin - buttonsWidth;
    for (const auto& [number, item] : dialog.items) {
        if (item.type != host::DialogItem::Type::Button) continue;
        layout.buttons.emplace_back(number, Placed{x, buttonY, kButtonWidth, kRowHeight});
        x += kButtonWidth + kGap;
    }
    return layout;
}

}  // namespace window
