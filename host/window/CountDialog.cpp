#include "CountDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "DialogLayout.h"
#include "WideText.h"

namespace window {

namespace {

constexpr UINT_PTR kScriptTimer = 1;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

std::wstring Wide(const std::string& macRoman) { return Utf16(host::MacRomanToDisplay(macRoman)); }

// An in-memory dialog template: DLGTEMPLATE and DLGITEMTEMPLATEs, each on a
// DWORD boundary, with the strings in UTF-16.
class Template {
public:
    void Header(DWORD style, int items, int cx, int cy, const std::wstring& title) {
        Dword(style);
        Dword(0);
        Word(static_cast<WORD>(items));
        Word(0), Word(0), Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(title);
        Word(8);
        Text(L"MS Shell Dlg");
    }
    void Item(DWORD style, const Placed& p, WORD id, WORD windowClass, const std::wstring& text) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(static_cast<WORD>(p.x)), Word(static_cast<WORD>(p.y)), Word(static_cast<WORD>(p.cx)),
            Word(static_cast<WORD>(p.cy));
        Word(id);
        Word(0xFFFF);
        Word(windowClass);
        Text(text);
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Data() {
        Align();
        return reinterpret_cast<const DLGTEMPLATE*>(fWords.data());
    }

private:
    void Word(WORD w) { fWords.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
    void Text(const std::wstring& text) {
        for (wchar_t c : text) Word(static_cast<WORD>(c));
        Word(0);
    }
    void Align() {
        if (fWords.size() % 2 != 0) Word(0);
    }
    std::vector<WORD> fWords;
};

host::DialogItem* ItemOf(DialogRun& run, int32_t item) {
    host::Dialog* d = run.host->dialogs.Find(run.dialog);
    if (d == nullptr) return nullptr;
    auto it = d->items.find(item);
    return it == d->items.end() ? nullptr : &it->second;
}

// The user operated an item: the handler hears of it, and a button it lets
// through closes the dialog.
void Operate(DialogRun& run, int32_t item) {
    int32_t event = item;
    run.handler(run.dialog, &event, 0, run.userData);
    if (event == 0) {
        run.host->dialogs.history.push_back("  refused; the dialog stays open");
        return;
    }
    if (item == host::kDefaultButton || item == host::kCancelButton) {
        run.host->dialogs.history.push_back("  closes with item " + std::to_string(item));
        EndDialog(run.window, item);
    }
}

int32_t ReadNumber(HWND field) {
    wchar_t text[32] = {};
    GetWindowTextW(field, text, 32);
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c) narrow += static_cast<char>(*c < 128 ? *c : '?');
    int32_t value = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    // What cannot be read as a whole number counts as 0, which the tool refuses.
    return error == std::errc() && end == narrow.data() + narrow.size() ? value : 0;
}

// The next scripted action, carried out on the real controls.
void ScriptStep(DialogRun& run) {
    auto& script = run.host->dialogs.Script();
    if (script.empty()) {
        run.host->dialogs.history.push_back("  no scripted action left: cancelled");
        EndDialog(run.window, host::kCancelButton);
        return;
    }
    const host::DialogAction action = script.front();
    script.pop_front();
    host::DialogItem* item = ItemOf(run, action.item);
    if (item == nullptr) {
        run.host->dialogs.history.push_back("  no item " + std::to_string(action.item));
        return;
    }
    if (action.type == host::DialogAction::Type::TypeNumber) {
        run.host->dialogs.history.push_back("  types " + std::to_string(action.value) + " into item " +
                                            std::to_string(action.item));
        if (item->type == host::DialogItem::Type::IntegerField) {
            // The edit event reads the number and tells the handler.
            SetDlgItemInt(run.window, action.item, static_cast<UINT>(action.value), TRUE);
            return;
        }
        item->value = action.value;
    } else {
        run.host->dialogs.history.push_back("  presses item " + std::to_string(action.item));
    }
    Operate(run, action.item);
}

void AddHelp(HWND dialog, HWND tips, int32_t item, const std::string& help) {
    HWND control = GetDlgItem(dialog, item);
    if (control == nullptr || help.empty()) return;
    static std::wstring text;  // TTM_ADDTOOLW copies the text
    text = Wide(help);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<DialogRun*>(GetWindowLongPtrW(window, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            run = reinterpret_cast<DialogRun*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            run->window = window;
            const host::Dialog* d = run->host->dialogs.Find(run->dialog);
            run->setting = true;
            for (const auto& [number, item] : d->items)
                if (item.type == host::DialogItem::Type::IntegerField)
                    SetDlgItemInt(window, number, static_cast<UINT>(item.value), TRUE);
            run->setting = false;
            HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                                        nullptr, nullptr, nullptr);
            for (const auto& [number, item] : d->items) AddHelp(window, tips, number, item.help);
            run->host->dialogs.history.push_back("dialog \"" + d->title + "\" opens");
            int32_t event = host::kDialogSetUpEvent;
            run->handler(run->dialog, &event, 0, run->userData);
            if (run->scripted) SetTimer(window, kScriptTimer, static_cast<UINT>(std::max(run->stepMs, 10)), nullptr);
            return TRUE;
        }
        case WM_TIMER:
            if (run && wParam == kScriptTimer) ScriptStep(*run);
            return TRUE;
        case WM_COMMAND: {
            if (run == nullptr) return FALSE;
            const int32_t item = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            host::DialogItem* value = ItemOf(*run, item);
            if (value == nullptr) return FALSE;
            if (value->type == host::DialogItem::Type::IntegerField) {
                if (code != EN_CHANGE || run->setting) return FALSE;
                value->value = ReadNumber(reinterpret_cast<HWND>(lParam));
                Operate(*run, item);
                return TRUE;
            }
            if (value->type == host::DialogItem::Type::Button && code == BN_CLICKED) {
                // While a script drives the dialog, only the script presses.
                if (!run->scripted) Operate(*run, item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            if (run && !run->scripted) Operate(*run, host::kCancelButton);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int32_t RunCountDialog(HWND owner, DialogRun& run) {
    const host::Dialog* dialog = run.host->dialogs.Find(run.dialog);
    if (dialog == nullptr) return 0;
    const DialogLayout layout = LayOut(*dialog);

    Template t;
    t.Header(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             static_cast<int>(layout.items.size() + layout.buttons.size()), layout.width, layout.height,
             Wide(dialog->title));
    for (const auto& [number, p] : layout.items) {
        const host::DialogItem& item = dialog->items.at(number);
        if (item.type == host::DialogItem::Type::IntegerField) {
            t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, p, static_cast<WORD>(number), kEditClass, L"");
        } else {
            Placed text = p;
            text.y += 3;  // level with the field's text
            text.cy = 8;
            t.Item(SS_LEFT, text, static_cast<WORD>(number), kStaticClass, Wide(item.text));
        }
    }
    for (const auto& [number, p] : layout.buttons) {
        const DWORD style = (number == host::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
        t.Item(style, p, static_cast<WORD>(number), kButtonClass, Wide(dialog->items.at(number).text));
    }
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Data(), owner, DialogProcedure,
                                                   reinterpret_cast<LPARAM>(&run));
    run.window = nullptr;
    return result > 0 ? static_cast<int32_t>(result) : 0;
}

void ShowItemNumber(DialogRun* open, int32_t dialog, int32_t item, int32_t value) {
    if (open == nullptr || open->window == nullptr || open->dialog != dialog) return;
    open->setting = true;
    SetDlgItemInt(open->window, item, static_cast<UINT>(value), TRUE);
    open->setting = false;
}

}  // namespace window
