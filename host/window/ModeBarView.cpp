#include "ModeBarView.h"

#include <commctrl.h>

#include <vector>

namespace window {

namespace {

std::wstring Latin1(const std::string& text) {
    std::wstring out;
    for (unsigned char c : text) out += static_cast<wchar_t>(c);
    return out;
}

// What the toolbar shows, as text: a change means the buttons are rebuilt.
std::string Describe(const host::Host& host, bool toolChosen) {
    std::string d = toolChosen ? "tool" : "select";
    if (!toolChosen) return d;
    for (const host::ModeGroup& g : host.modeBar.groups) {
        d += g.type == host::ModeGroup::Type::Button ? "|b" : "|r" + std::to_string(g.choice);
        d += g.enabled ? "e" : "d";
        for (int16_t r : g.resources) d += "," + std::to_string(r);
        d += ":" + std::to_string(g.choiceCount);
    }
    return d;
}

void AddButton(HWND bar, int id, BYTE style, BYTE state, const std::wstring& text) {
    TBBUTTON b{};
    b.iBitmap = I_IMAGENONE;
    b.idCommand = id;
    b.fsState = state;
    b.fsStyle = style;
    b.iString = reinterpret_cast<INT_PTR>(text.c_str());
    SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

void AddSeparator(HWND bar) {
    TBBUTTON b{};
    b.iBitmap = 8;
    b.fsStyle = BTNS_SEP;
    SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

}  // namespace

bool ModeCommand(int id, int32_t& group, int32_t& choice) {
    if (id < kModeCommandBase + 10 || id >= kModeCommandBase + 1000) return false;
    group = (id - kModeCommandBase) / 10;
    choice = (id - kModeCommandBase) % 10;
    return true;
}

HWND ModeBarView::Create(HWND parent, HINSTANCE instance) {
    fWindow = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP | TBSTYLE_TOOLTIPS, 0, 0, 0,
                              0, parent, nullptr, instance, nullptr);
    SendMessageW(fWindow, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(fWindow, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(fWindow, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    return fWindow;
}

int ModeBarView::Height() const {
    RECT r{};
    GetWindowRect(fWindow, &r);
    return r.bottom - r.top;
}

void ModeBarView::Update(const host::Host& host, bool toolChosen) {
    const std::string now = Describe(host, toolChosen);
    if (now == fShown) return;
    fShown = now;
    SendMessageW(fWindow, WM_SETREDRAW, FALSE, 0);
    while (SendMessageW(fWindow, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(fWindow, TB_DELETEBUTTON, 0, 0);

    const BYTE on = TBSTATE_ENABLED | TBSTATE_CHECKED, off = TBSTATE_ENABLED;
    const BYTE tool = BTNS_CHECKGROUP | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    AddButton(fWindow, kSelectToolCommand, tool, toolChosen ? off : on, L"Select");
    AddButton(fWindow, kMoveToolCommand, tool, toolChosen ? on : off, L"Move/Duplicate");
    if (toolChosen) {
        for (std::size_t i = 0; i < host.modeBar.groups.size() && i < 99; ++i) {
            const host::ModeGroup& g = host.modeBar.groups[i];
            const int group = static_cast<int>(i) + 1;
            AddSeparator(fWindow);
            const BYTE enabled = g.enabled ? TBSTATE_ENABLED : 0;
            if (g.type == host::ModeGroup::Type::Button) {
                AddButton(fWindow, kModeCommandBase + group * 10, BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT, enabled,
                          Latin1(host.resources.ModeLabel(g.resources[0])));
                continue;
            }
            for (int choice = 1; choice <= g.choiceCount && choice <= 6; ++choice) {
                const BYTE checked = choice == g.choice ? TBSTATE_CHECKED : 0;
                AddButton(fWindow, kModeCommandBase + group * 10 + choice,
                          BTNS_CHECKGROUP | BTNS_AUTOSIZE | BTNS_SHOWTEXT, enabled | checked,
                          Latin1(host.resources.ModeLabel(g.resources[static_cast<std::size_t>(choice - 1)])));
            }
        }
    }
    SendMessageW(fWindow, TB_AUTOSIZE, 0, 0);
    SendMessageW(fWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fWindow, nullptr, TRUE);
}

}  // namespace window
