#include "HostHooks.h"

#include "interface/HostFunctions.h"

namespace window {

namespace {

template <int32_t Selector>
using HostFn = ks::iface::HostFunctionOf<Selector>;

constexpr int32_t kDrawLine = ks::selector::kDrawFeedbackLine, kDrawRect = ks::selector::kDrawFeedbackRect,
                  kDrawLine3D = ks::selector::kDrawFeedbackLine3D, kRunDialog = ks::selector::kRunDialog,
                  kSetItemLong = ks::selector::kSetDialogItemLong;

HostHooks gHooks;
HostFn<kDrawLine> gDrawLine = nullptr;
HostFn<kDrawRect> gDrawRect = nullptr;
HostFn<kDrawLine3D> gDrawLine3D = nullptr;
HostFn<kRunDialog> gRunDialog = nullptr;
HostFn<kSetItemLong> gSetItemLong = nullptr;
host::Host* gHost = nullptr;

void Show(const host::Figure& figure) {
    if (gHooks.drawFigure) gHooks.drawFigure(figure);
}

void KS_CDECL DrawLine(const Point2D* from, const Point2D* to) {
    gDrawLine(from, to);
    if (from && to) Show(host::Figure::Line(*from, *to));
}

void KS_CDECL DrawRect(const Rect2D* rect) {
    gDrawRect(rect);
    if (rect) Show(host::Figure::Rect(*rect));
}

void KS_CDECL DrawLine3D(const Point3D* from, const Point3D* to) {
    gDrawLine3D(from, to);
    if (from && to) Show(host::Figure::Line3D(*from, *to));
}

int32_t KS_CDECL RunDialog(int32_t dialog, DialogHandler handler, void* userData) {
    // A dialog that does not verify, or no handler: the host's own answer
    // (it notes the fault).
    if (!gHooks.runDialog || handler == nullptr || !gHost->dialogs.Verify(dialog))
        return gRunDialog(dialog, handler, userData);
    host::LogEntry entry;
    entry.type = host::LogEntry::Type::Call;
    entry.selector = kRunDialog;
    entry.name = "KS_RunDialog";
    entry.args = {std::to_string(dialog), "fn", userData ? "ptr" : "null"};
    const std::size_t index = gHost->log.Begin(std::move(entry));
    const int32_t item = gHooks.runDialog(dialog, handler, userData);
    gHost->log.Finish(index, std::to_string(item));
    return item;
}

void KS_CDECL SetItemLong(int32_t dialog, int32_t item, int32_t value) {
    gSetItemLong(dialog, item, value);
    if (gHooks.itemSet) gHooks.itemSet(dialog, item, value);
}

template <int32_t Selector>
void Hook(host::Host& host, HostFn<Selector>& original, HostFn<Selector> replacement) {
    original = reinterpret_cast<HostFn<Selector>>(host.FunctionFor(Selector));
    if (original != nullptr) host.Override<Selector>(replacement);
}

}  // namespace

void InstallHooks(host::Host& host, HostHooks hooks) {
    gHooks = std::move(hooks);
    gHost = &host;
    Hook<kDrawLine>(host, gDrawLine, &DrawLine);
    Hook<kDrawRect>(host, gDrawRect, &DrawRect);
    Hook<kDrawLine3D>(host, gDrawLine3D, &DrawLine3D);
    Hook<kRunDialog>(host, gRunDialog, &RunDialog);
    Hook<kSetItemLong>(host, gSetItemLong, &SetItemLong);
}

}  // namespace window
