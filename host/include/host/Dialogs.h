// Modal layout dialogs, driven by scripted user actions instead of a person.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "interface/KSTypes.h"
#include "interface/ToolProtocol.h"

namespace host {

struct DialogItem {
    enum class Type { Button, StaticText, IntegerField };
    Type type = Type::Button;
    std::string text;  // button or static text, Mac OS Roman bytes
    std::string help;
    int32_t value = 0;  // integer fields
    int16_t width = 0;
    bool placed = false;  // has a place in the layout
    // Where the layout puts it: to the right of this item (0: nowhere, or
    // first), moved by the offsets.
    int32_t rightOf = 0;
    int16_t offsetX = 0;
    int16_t offsetY = 0;
};

struct Dialog {
    int32_t id = 0;
    std::string title;
    std::map<int32_t, DialogItem> items;
    std::optional<int32_t> firstLayoutItem;
};

// What the scripted user does while a dialog is open: type a number into an
// item, or press an item. A press that the tool's handler refuses (it clears
// the item number) leaves the dialog open; a press of button 1 or 2 that it
// accepts closes the dialog with that item.
struct DialogAction {
    enum class Type { TypeNumber, Press };
    Type type = Type::Press;
    int32_t item = 0;
    int32_t value = 0;
};

// The items every layout dialog has and the set-up event (interface/ToolProtocol.h).
using ::kCancelButton;
using ::kDefaultButton;
using ::kDialogSetUpEvent;

class Dialogs {
public:
    int32_t Create(const std::string& title, const std::string& defaultText, const std::string& cancelText);
    Dialog* Find(int32_t id);

    // Adds an item; false when the dialog does not exist.
    bool AddItem(int32_t dialog, int32_t item, DialogItem value);
    bool SetFirstLayoutItem(int32_t dialog, int32_t item);
    bool PlaceRightOf(int32_t dialog, int32_t anchor, int32_t item, int16_t offsetX = 0, int16_t offsetY = 0);
    // A dialog can be shown when its layout starts somewhere and every item
    // that is not a button has a place in it.
    bool Verify(int32_t dialog) const;

    // Runs the dialog modally with the scripted actions queued so far. The
    // dialog ends with the cancel button when the script runs out.
    int32_t Run(int32_t dialog, DialogHandler handler, void* userData);

    std::deque<DialogAction>& Script() { return fScript; }
    // Every layout check fails while this is set.
    bool failVerify = false;
    // One line per thing that happened in a dialog, for the transcript.
    std::vector<std::string> history;

private:
    std::map<int32_t, Dialog> fDialogs;
    int32_t fNextId = 1;
    std::deque<DialogAction> fScript;
};

}  // namespace host
