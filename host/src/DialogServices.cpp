// Modal layout dialogs.
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail::services {

namespace {
void Unknown(Host& host, const char* what, int32_t dialog) {
    host.Fault(std::string(what) + " on dialog " + std::to_string(dialog) + ", which does not exist");
}
}  // namespace

int32_t CreateDialog(Host& host, const unsigned char* title, Boolean, const unsigned char* defaultText,
                     const unsigned char* cancelText) {
    return host.dialogs.Create(FromPascal(title), FromPascal(defaultText), FromPascal(cancelText));
}

void AddStaticText(Host& host, int32_t dialog, int32_t item, const unsigned char* text, int16_t width) {
    DialogItem value;
    value.type = DialogItem::Type::StaticText;
    value.text = FromPascal(text);
    value.width = width;
    if (!host.dialogs.AddItem(dialog, item, value)) Unknown(host, "KS_AddStaticText", dialog);
}

void AddIntegerField(Host& host, int32_t dialog, int32_t item, int32_t initial, int16_t width) {
    DialogItem value;
    value.type = DialogItem::Type::IntegerField;
    value.value = initial;
    value.width = width;
    if (!host.dialogs.AddItem(dialog, item, value)) Unknown(host, "KS_AddIntegerField", dialog);
}

void SetItemHelpText(Host& host, int32_t dialog, int32_t item, const unsigned char* text) {
    Dialog* d = host.dialogs.Find(dialog);
    if (d == nullptr || d->items.count(item) == 0) return Unknown(host, "KS_SetItemHelpText", dialog);
    d->items[item].help = FromPascal(text);
}

Boolean SetFirstLayoutItem(Host& host, int32_t dialog, int32_t item) {
    return host.dialogs.SetFirstLayoutItem(dialog, item) ? 1 : 0;
}

Boolean PlaceItemRightOf(Host& host, int32_t dialog, int32_t anchor, int32_t item, int16_t dx, int16_t dy) {
    return host.dialogs.PlaceRightOf(dialog, anchor, item, dx, dy) ? 1 : 0;
}

Boolean VerifyDialogLayout(Host& host, int32_t dialog) { return host.dialogs.Verify(dialog) ? 1 : 0; }

int32_t RunDialog(Host& host, int32_t dialog, DialogHandler handler, void* userData) {
    if (!host.dialogs.Verify(dialog)) {
        host.Fault("KS_RunDialog of a dialog whose layout does not verify");
        return 0;
    }
    return host.dialogs.Run(dialog, handler, userData);
}

Boolean GetDialogItemLong(Host& host, int32_t dialog, int32_t item, int32_t* value) {
    Dialog* d = host.dialogs.Find(dialog);
    if (d == nullptr || d->items.count(item) == 0 || value == nullptr) return 0;
    *value = d->items[item].value;
    host.log.Note(host.log.Current(), std::to_string(*value));
    return 1;
}

void SetDialogItemLong(Host& host, int32_t dialog, int32_t item, int32_t value) {
    Dialog* d = host.dialogs.Find(dialog);
    if (d == nullptr || d->items.count(item) == 0) return Unknown(host, "KS_SetDialogItemLong", dialog);
    d->items[item].value = value;
}

}  // namespace host::detail::services
