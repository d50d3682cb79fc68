#include "Canvas.h"

#include <cmath>
#include <string>
#include <vector>

#include "WideText.h"

namespace window {

namespace {

constexpr wchar_t kClassName[] = L"MoveDuplicateCanvas";
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kGrid = RGB(200, 200, 200);
constexpr COLORREF kObject = RGB(51, 51, 51);
constexpr COLORREF kSelected = RGB(21, 101, 192);
constexpr COLORREF kPicked = RGB(46, 125, 50);
constexpr COLORREF kLabel = RGB(110, 110, 110);
// Figures farther out than this (the empty rectangle the host hands out
// with nothing selected, say) are off any screen; GDI is not asked to draw them.
constexpr double kFarPixels = 1e6;

bool Near(const Pixel& p) { return std::fabs(p.x) < kFarPixels && std::fabs(p.y) < kFarPixels; }

POINT Round(const Pixel& p) { return POINT{static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))}; }

void PaintGrid(HDC dc, const View& view) {
    // Dots at every fifth snap step, where they are far enough apart to help.
    const double step = view.SnapStep() * 5.0;
    if (step * view.Scale() < 12.0) return;
    const Point3D topLeft = view.ToWorld({0.0, 0.0});
    const Point3D bottomRight = view.ToWorld({static_cast<double>(view.Width()), static_cast<double>(view.Height())});
    for (double x = std::ceil(topLeft.x / step) * step; x <= bottomRight.x; x += step)
        for (double y = std::ceil(bottomRight.y / step) * step; y <= topLeft.y; y += step) {
            const POINT p = Round(view.ToPixel(x, y));
            SetPixel(dc, p.x, p.y, kGrid);
        }
}

void PaintObject(HDC dc, const View& view, const host::Object& object) {
    if (object.vertices.empty()) return;
    std::vector<POINT> points;
    for (const Point3D& v : object.vertices) {
        const Pixel p = view.ToPixel(v.x, v.y);
        if (!Near(p)) return;
        points.push_back(Round(p));
    }
    if (object.closed) points.push_back(points.front());
    HPEN pen = CreatePen(PS_SOLID, object.selected ? 2 : 1, object.selected ? kSelected : kObject);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points.data(), static_cast<int>(points.size()));
    SelectObject(dc, old);
    DeleteObject(pen);

    const Rect2D b = host::Document::PlanBounds(object);
    const POINT at = Round(view.ToPixel(b.left, b.top));
    std::wstring label = Utf16(object.name);
    SetTextColor(dc, kLabel);
    TextOutW(dc, at.x, at.y - 15, label.c_str(), static_cast<int>(label.size()));
}

void PaintDot(HDC dc, const Pixel& p, int radius, COLORREF colour) {
    if (!Near(p)) return;
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const POINT c = Round(p);
    Ellipse(dc, c.x - radius, c.y - radius, c.x + radius + 1, c.y + radius + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void PaintCursorMark(HDC dc, const Pixel& p) {
    if (!Near(p)) return;
    const POINT c = Round(p);
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, c.x - 8, c.y, nullptr);
    LineTo(dc, c.x + 9, c.y);
    MoveToEx(dc, c.x, c.y - 8, nullptr);
    LineTo(dc, c.x, c.y + 9);
    SelectObject(dc, old);
}

}  // namespace

void Canvas::Register(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;  // a double-click finishes a path
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = nullptr;  // the tool's cursor is set on every movement
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

HWND Canvas::Create(HWND parent, HINSTANCE instance, void* owner) {
    fWindow = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                              parent, nullptr, instance, owner);
    return fWindow;
}

void Canvas::Invalidate() const { InvalidateRect(fWindow, nullptr, FALSE); }

void Canvas::DrawFigure(HDC dc, const host::Figure& figure) const {
    using Type = host::Figure::Type;
    const auto& v = figure.v;
    std::vector<Pixel> points;
    if (figure.type == Type::Line)
        points = {fView.ToPixel(v[0], v[1]), fView.ToPixel(v[2], v[3])};
    else if (figure.type == Type::Line3D)  // seen from above
        points = {fView.ToPixel(v[0], v[1]), fView.ToPixel(v[3], v[4])};
    else  // top, left, bottom, right
        points = {fView.ToPixel(v[1], v[0]), fView.ToPixel(v[3], v[0]), fView.ToPixel(v[3], v[2]),
                  fView.ToPixel(v[1], v[2]), fView.ToPixel(v[1], v[0])};
    std::vector<POINT> pixels;
    for (const Pixel& p : points) {
        if (!Near(p)) return;
        pixels.push_back(Round(p));
    }
    // One Polyline per figure: every pixel of it is inverted once, so the
    // same figure drawn again restores the paper exactly.
    const int oldMode = SetROP2(dc, R2_NOTXORPEN);
    HPEN pen = CreatePen(PS_SOLID, 1, kFeedbackColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polyline(dc, pixels.data(), static_cast<int>(pixels.size()));
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SetROP2(dc, oldMode);
}

void Canvas::DrawNow(const host::Figure& figure) {
    fOnScreen.Draw(figure);
    HDC dc = GetDC(fWindow);
    DrawFigure(dc, figure);
    ReleaseDC(fWindow, dc);
}

void Canvas::Paint(HDC target, const host::Host& host, bool showCursor) {
    RECT client;
    GetClientRect(fWindow, &client);
    const int width = client.right, height = client.bottom;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH paper = CreateSolidBrush(kPaper);
    FillRect(dc, &client, paper);
    DeleteObject(paper);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));

    PaintGrid(dc, fView);
    for (const host::Object* object : host.document.AllObjects()) PaintObject(dc, fView, *object);
    for (const Point3D& p : host.points.picked) PaintDot(dc, fView.ToPixel(p.x, p.y), 3, kPicked);
    if (showCursor) PaintCursorMark(dc, fView.ToPixel(host.points.cursor.x, host.points.cursor.y));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const host::Figure& figure : host.feedback.Shown()) DrawFigure(dc, figure);
    fOnScreen.Clear();
    for (const host::Figure& figure : host.feedback.Shown()) fOnScreen.Draw(figure);

    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void Canvas::ToggleMarquee(POINT from, POINT to) const {
    RECT r{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1, std::max(from.y, to.y) + 1};
    HDC dc = GetDC(fWindow);
    DrawFocusRect(dc, &r);
    ReleaseDC(fWindow, dc);
}

}  // namespace window
