#include "DataBarView.h"

#include "FieldText.h"
#include "WideText.h"

namespace window {

namespace {

constexpr wchar_t kClassName[] = L"MoveDuplicateDataBar";

void SetText(HWND control, const std::wstring& text) {
    wchar_t now[128] = {};
    GetWindowTextW(control, now, 128);
    if (text != now) SetWindowTextW(control, text.c_str());
}

}  // namespace

HWND DataBarView::Create(HWND parent, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    fWindow = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, kHeight, parent,
                              nullptr, instance, nullptr);
    return fWindow;
}

void DataBarView::Update(const host::Host& host, bool toolChosen) {
    std::vector<std::string> labels, values;
    if (toolChosen) {
        for (const auto& [number, field] : host.dataBar.shown) {
            labels.push_back(FieldLabel(field));
            values.push_back(FieldValue(field, host.points));
        }
    }
    if (labels != fLabels) {
        for (HWND control : fControls) DestroyWindow(control);
        fControls.clear();
        fLabels = labels;
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(fWindow, GWLP_HINSTANCE));
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        HDC dc = GetDC(fWindow);
        HGDIOBJ old = SelectObject(dc, font);
        int x = 8;
        for (const std::string& label : labels) {
            const std::wstring text = Utf16(label);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            HWND l = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_RIGHT, x, 8, size.cx + 2,
                                     16, fWindow, nullptr, instance, nullptr);
            x += size.cx + 6;
            HWND v = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_RIGHT, x,
                                     4, 72, 22, fWindow, nullptr, instance, nullptr);
            x += 72 + 14;
            SendMessageW(l, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SendMessageW(v, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            fControls.push_back(l);
            fControls.push_back(v);
        }
        SelectObject(dc, old);
        ReleaseDC(fWindow, dc);
    }
    for (std::size_t i = 0; i < values.size(); ++i) SetText(fControls[2 * i + 1], Utf16(values[i]));
}

}  // namespace window
