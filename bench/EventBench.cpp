// The events that run while the user moves the mouse: the cursor event
// (5) and the preview (103), in the substitute host and in the quiet host
// that leaves the plug-in's own cost.
#include <benchmark/benchmark.h>

#include "BenchHost.h"
#include "QuietHost.h"
#include "interface/ToolProtocol.h"

namespace {

using bench::BenchHost;

// The quiet host answering as the substitute host would for an action
// with its first point at the origin and the cursor at (1, 0).
void QuietPicking() {
    quiet::State& q = quiet::Current();
    q = quiet::State{};
    q.pointCount = 1;
    q.cursor = Point3D(1.0, 0.0, 0.0);
}

int32_t SendQuiet(BenchHost& b, int32_t event) {
    return b.host.SendEventWith(quiet::Block(), &b.host.UserData(), event);
}

void Calls(benchmark::State& state, long calls) { state.counters["host_calls"] = static_cast<double>(calls); }

void CursorEventBeforeTheFirstClick(benchmark::State& state) {
    BenchHost b(state.range(0) != 0);
    Calls(state, b.CallsOf(kToolEventGetCursor));
    for (auto _ : state) benchmark::DoNotOptimize(b.host.SendEvent(kToolEventGetCursor));
}
BENCHMARK(CursorEventBeforeTheFirstClick)->Arg(0)->Arg(1)->ArgName("spatial");

// With a point picked the cursor event erases the preview and draws it
// again: in parts mode, duplicating, the span line and ten outlines twice.
void CursorEventWhilePickingParts(benchmark::State& state) {
    BenchHost b;
    b.StartDuplicating(bench::kPartsMode, 10);
    Calls(state, b.CallsOf(kToolEventGetCursor));
    const long draws = b.host.feedback.Draws();
    for (auto _ : state) benchmark::DoNotOptimize(b.host.SendEvent(kToolEventGetCursor));
    state.counters["figures"] =
        benchmark::Counter(static_cast<double>(b.host.feedback.Draws() - draws), benchmark::Counter::kAvgIterations);
}
BENCHMARK(CursorEventWhilePickingParts);

void CursorEventWhilePickingPartsQuietHost(benchmark::State& state) {
    BenchHost b;
    b.StartDuplicating(bench::kPartsMode, 10);
    QuietPicking();
    for (auto _ : state) benchmark::DoNotOptimize(SendQuiet(b, kToolEventGetCursor));
    state.counters["host_calls"] =
        benchmark::Counter(static_cast<double>(quiet::Current().calls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(CursorEventWhilePickingPartsQuietHost);

// The preview of `count` copies along a span: the span line and an outline
// at every landing place (10^4 at most, the preview's limit). Each event
// draws it; the next one erases it.
void PreviewEvent(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    BenchHost b;
    b.StartDuplicating(bench::kSpanMode, count);
    Calls(state, b.CallsOf(kToolEventDraw));
    for (auto _ : state) benchmark::DoNotOptimize(b.host.SendEvent(kToolEventDraw));
    state.counters["per_outline"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(PreviewEvent)->Arg(10)->Arg(100)->Arg(10000)->ArgName("count")->Unit(benchmark::kMicrosecond);

void PreviewEventQuietHost(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    BenchHost b;
    b.StartDuplicating(bench::kSpanMode, count);
    QuietPicking();
    for (auto _ : state) benchmark::DoNotOptimize(SendQuiet(b, kToolEventDraw));
    state.counters["per_outline"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(PreviewEventQuietHost)->Arg(10)->Arg(100)->Arg(10000)->ArgName("count")->Unit(benchmark::kMicrosecond);

}  // namespace
