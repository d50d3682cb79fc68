#include "host/Dialogs.h"

namespace host {

int32_t Dialogs::Create(const std::string& title, const std::string& defaultText, const std::string& cancelText) {
    Dialog dialog;
    dialog.id = fNextId++;
    dialog.title = title;
    dialog.items[kDefaultButton] = DialogItem{DialogItem::Type::Button, defaultText, {}, 0, 0, true};
    dialog.items[kCancelButton] = DialogItem{DialogItem::Type::Button, cancelText, {}, 0, 0, true};
    const int32_t id = dialog.id;
    fDialogs[id] = std::move(dialog);
    return id;
}

Dialog* Dialogs::Find(int32_t id) {
    auto it = fDialogs.find(id);
    return it == fDialogs.end() ? nullptr : &it->second;
}

bool Dialogs::AddItem(int32_t dialog, int32_t item, DialogItem value) {
    Dialog* d = Find(dialog);
    if (d == nullptr) return false;
    d->items[item] = std::move(value);
    return true;
}

bool Dialogs::SetFirstLayoutItem(int32_t dialog, int32_t item) {
    Dialog* d = Find(dialog);
    if (d == nullptr || d->items.count(item) == 0) return false;
    d->firstLayoutItem = item;
    d->items[item].placed = true;
    return true;
}

bool Dialogs::PlaceRightOf(int32_t dialog, int32_t anchor, int32_t item, int16_t offsetX, int16_t offsetY) {
    Dialog* d = Find(dialog);
    if (d == nullptr || d->items.count(anchor) == 0 || d->items.count(item) == 0 || !d->items[anchor].placed)
        return false;
    DialogItem& placed = d->items[item];
    placed.placed = true;
    placed.rightOf = anchor;
    placed.offsetX = offsetX;
    placed.offsetY = offsetY;
    return true;
}

bool Dialogs::Verify(int32_t dialog) const {
    auto it = fDialogs.find(dialog);
    if (failVerify || it == fDialogs.end() || !it->second.firstLayoutItem) return false;
    for (const auto& [number, item] : it->second.items)
        if (!item.placed) return false;
    return true;
}

int32_t Dialogs::Run(int32_t dialog, DialogHandler handler, void* userData) {
    if (Find(dialog) == nullptr || handler == nullptr) return 0;
    history.push_back("dialog \"" + Find(dialog)->title + "\" opens");

    int32_t event = kDialogSetUpEvent;
    handler(dialog, &event, 0, userData);

    while (!fScript.empty()) {
        const DialogAction action = fScript.front();
        fScript.pop_front();
        Dialog* d = Find(dialog);
        auto item = d->items.find(action.item);
        if (item == d->items.end()) {
            history.push_back("  no item " + std::to_string(action.item));
            continue;
        }
        if (action.type == DialogAction::Type::TypeNumber) {
            item->second.value = action.value;
            history.push_back("  types " + std::to_string(action.value) + " into item " + std::to_string(action.item));
        } else {
            history.push_back("  presses item " + std::to_string(action.item));
        }
        event = action.item;
        handler(dialog, &event, 0, userData);
        if (event == 0) {
            history.push_back("  refused; the dialog stays open");
            continue;
        }
        if (action.type == DialogAction::Type::Press &&
            (action.item == kDefaultButton || action.item == kCancelButton)) {
            history.push_back("  closes with item " + std::to_string(action.item));
            return action.item;
        }
    }
    history.push_back("  no scripted action left: cancelled");
    return kCancelButton;
}

}  // namespace host
