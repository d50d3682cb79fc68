// What the tool costs on its hot paths: one glue call against a direct call
// of the same host function, the cursor event the host sends on every mouse
// movement, and a preview with many outlines.
#include <benchmark/benchmark.h>

#include "callbacks/KSCallbacks.h"
#include "host/Host.h"
#include "host/Session.h"
#include "interface/ToolProtocol.h"

namespace {

int32_t gPoints = 0;
int32_t KS_CDECL PointCount() { return benchmark::DoNotOptimize(gPoints), gPoints; }
void* KS_CDECL Lookup(int32_t selector) {
    return selector == ks::selector::kGetToolPointCount ? reinterpret_cast<void*>(&PointCount) : nullptr;
}
CallbackBlock gBlock{Lookup};

// The block is hidden from the optimiser, as the host's block is in the
// plug-in: the lookup cannot be inlined away.
CallbackBlock* Opaque() {
    CallbackBlock* block = &gBlock;
    benchmark::DoNotOptimize(block);
    return block;
}

void DirectHostCall(benchmark::State& state) {
    for (auto _ : state) {
        auto fn = reinterpret_cast<int32_t(KS_CDECL*)()>(Opaque()->lookup(ks::selector::kGetToolPointCount));
        benchmark::DoNotOptimize(fn());
    }
}
BENCHMARK(DirectHostCall);

// Lookup, test, gCBP saved and restored, call: every KS_ wrapper.
void GlueCall(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(KS_GetToolPointCount(Opaque()));
}
BENCHMARK(GlueCall);

void GlueCallOfAnAbsentFunction(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(KS_HasSelection(Opaque()));
}
BENCHMARK(GlueCallOfAnAbsentFunction);

// A host with the plug-in loaded and one selected rectangle; the call log
// is off so that it does not grow without end.
struct Bench {
    host::Host host;
    host::Session session{host};
    explicit Bench(bool spatial) {
        host.LoadPlugin(MOVEDUP_PLUGIN_PATH);
        host.log.enabled = false;
        if (!spatial) host.version = {1, 10, 4, 0};
        host::Object* layer = host.document.AddLayer("Plan", spatial ? host::kSpaceView : host::kPlanView);
        host.document.Select(host.document.AddShape(layer, host::Kind::Rectangle, "R",
                                                    {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, true),
                             true);
        session.ChooseTool();
    }
};

void CursorEventBeforeTheFirstClick(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(b.host.SendEvent(kToolEventGetCursor));
}
BENCHMARK(CursorEventBeforeTheFirstClick)->Arg(0)->Arg(1)->ArgName("spatial");

// While picking, a mouse movement erases and redraws the preview and asks
// for the cursor, which erases and redraws it once more.
void MouseMovementWhilePickingCopies(benchmark::State& state) {
    Bench b(false);
    b.host.keys.first = true;
    b.session.Click(Point3D(0, 0, 0));
    b.host.keys.first = false;
    b.session.MoveMouse(Point3D(1, 0, 0));
    b.host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, static_cast<int32_t>(state.range(0))});
    b.host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    b.session.EditSettings();
    double x = 1.0;
    for (auto _ : state) b.session.MoveMouse(Point3D(x += 0.001, 0, 0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(MouseMovementWhilePickingCopies)->Arg(1)->Arg(10)->Arg(100)->ArgName("copies");

}  // namespace

BENCHMARK_MAIN();
