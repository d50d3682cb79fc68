// The drawing area: paints the document with GDI (layers in order, the
// selection in blue, picked points) and the tool's feedback on top with an
// exclusive-or pen, so that drawing a figure a second time takes it off the
// screen again, as the plug-in expects of its host.
#pragma once

#include <windows.h>

#include "View.h"
#include "host/Feedback.h"
#include "host/Host.h"

namespace window {

class Canvas {
public:
    // The colour of the feedback pen on the white paper.
    static constexpr COLORREF kFeedbackColour = RGB(255, 0, 0);

    static void Register(HINSTANCE instance, WNDPROC procedure);
    HWND Create(HWND parent, HINSTANCE instance, void* owner);
    HWND Handle() const { return fWindow; }

    View& GetView() { return fView; }
    const View& GetView() const { return fView; }

    // Paints the whole area: paper, grid, objects, picked points, the
    // script's cursor mark when `showCursor`, and the feedback on screen.
    void Paint(HDC target, const host::Host& host, bool showCursor);
    // Draws one feedback figure onto the screen now, with the exclusive-or pen.
    void DrawNow(const host::Figure& figure);
    // Whether the screen holds exactly the figures the host has on screen;
    // when not (the host dropped its feedback), the area must be painted anew.
    bool InStep(const host::FeedbackOverlay& feedback) const { return fOnScreen.Shown() == feedback.Shown(); }
    std::size_t OnScreen() const { return fOnScreen.Shown().size(); }
    void Invalidate() const;

    // The selection rectangle being dragged, drawn and taken off by inverting.
    void ToggleMarquee(POINT from, POINT to) const;

private:
    void DrawFigure(HDC dc, const host::Figure& figure) const;

    HWND fWindow = nullptr;
    View fView;
    host::FeedbackOverlay fOnScreen;  // what this window has drawn and not erased
};

}  // namespace window
