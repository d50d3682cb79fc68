// The completion (event 104) making many copies: in the substitute host
// (plug-in and host together, with the heap's peak), in the quiet host (the
// plug-in alone) and the host's share alone, the same host functions called
// directly in the order the plug-in calls them. Then a path of many
// vertices, and undo and redo of a large operation.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchHost.h"
#include "QuietHost.h"
#include "interface/HostFunctions.h"
#include "interface/ToolProtocol.h"

namespace {

// The copy counts of the completion benchmarks, 10^2 to 10^5.
void CopyCounts(benchmark::internal::Benchmark* b) {
    for (const int copies : {100, 1000, 10000, 100000}) b->Arg(copies);
    b->ArgName("copies")->Unit(benchmark::kMillisecond);
}

using bench::BenchHost;

void PerCopy(benchmark::State& state, double copies) {
    state.counters["per_copy"] =
        benchmark::Counter(copies, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Each pass starts from a drawing with the one rectangle, ready to complete
// a span of (1, 0) duplicated `count` times.
std::unique_ptr<BenchHost> ReadyToComplete(int32_t count) {
    auto b = std::make_unique<BenchHost>();
    b->StartDuplicating(bench::kSpanMode, count);
    b->host.points.picked.push_back(Point3D(1.0, 0.0, 0.0));
    return b;
}

void DuplicateInTheHost(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    std::size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto b = ReadyToComplete(count);
        const std::size_t before = bench::HeapInUse();
        bench::ResetHeapPeak();
        state.ResumeTiming();
        b->host.SendEvent(kToolEventComplete);
        state.PauseTiming();
        peak = bench::HeapPeak() - before;
        if (b->host.document.AllObjects().size() != static_cast<std::size_t>(count) + 1 || !b->host.faults.empty())
            state.SkipWithError("the completion did not make its copies");
        b.reset();
        state.ResumeTiming();
    }
    PerCopy(state, count);
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["bytes_per_copy"] = static_cast<double>(peak) / count;
}
BENCHMARK(DuplicateInTheHost)->Apply(CopyCounts);

void DuplicateInTheQuietHost(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    auto b = ReadyToComplete(count);
    quiet::State& q = quiet::Current();
    q = quiet::State{};
    q.pointCount = 2;
    q.points[1] = Point3D(1.0, 0.0, 0.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(b->host.SendEventWith(quiet::Block(), &b->host.UserData(), kToolEventComplete));
    if (q.duplicates != static_cast<long>(state.iterations()) * count) state.SkipWithError("copies missing");
    PerCopy(state, count);
    state.counters["calls_per_copy"] = static_cast<double>(q.calls) / static_cast<double>(state.iterations()) / count;
}
BENCHMARK(DuplicateInTheQuietHost)->Apply(CopyCounts);

// A host function as the plug-in finds it: through the block's lookup,
// which also tells the host functions which host serves them.
template <int32_t Selector>
ks::iface::HostFunctionOf<Selector> Find(host::Host& host) {
    return reinterpret_cast<ks::iface::HostFunctionOf<Selector>>(host.Block()->lookup(Selector));
}

// The host's share of a completion: the undo step, then per copy a
// duplicate, its insertion, its undo record, selection and move.
void HostShareOfDuplicating(benchmark::State& state) {
    namespace s = ks::selector;
    const auto count = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<BenchHost>();
        host::Host& h = b->host;
        ObjectHandle source = host::Document::ToHandle(h.document.Selected().front());
        state.ResumeTiming();
        Find<s::kBeginUndoStep>(h)(kUndoKindMoveDuplicate);
        const double dx = 1.0, dy = 0.0;
        Find<s::kForEachObject>(h)(
            kVisitSelected, [](ObjectHandle, CallbackBlock*, void*) {}, nullptr, h.Block());
        Find<s::kSetObjectSelected>(h)(source, 0);
        for (int32_t k = 0; k < count; ++k) {
            const ObjectHandle copy = Find<s::kDuplicateObject>(h)(source);
            Find<s::kInsertObjectAfter>(h)(copy, source);
            Find<s::kUndoRecordNewObject>(h)(copy);
            Find<s::kSetObjectSelected>(h)(copy, 1);
            Find<s::kMoveObject>(h)(copy, &dx, &dy);
            source = copy;
        }
        state.PauseTiming();
        if (!h.faults.empty()) state.SkipWithError(h.faults.front().c_str());
        b.reset();
        state.ResumeTiming();
    }
    PerCopy(state, count);
}
BENCHMARK(HostShareOfDuplicating)->Apply(CopyCounts);

// A path of `vertices` picked points: a copy at every vertex after the first.
void PathInTheHost(benchmark::State& state) {
    const auto vertices = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<BenchHost>();
        b->session.ChangeMode(bench::kModeGroup, bench::kPathMode);
        for (int32_t i = 0; i < vertices; ++i) b->host.points.picked.push_back(Point3D(3.0 * i, i % 2, 0.0));
        state.ResumeTiming();
        b->host.SendEvent(kToolEventComplete);
        state.PauseTiming();
        if (b->host.document.AllObjects().size() != static_cast<std::size_t>(vertices) || !b->host.faults.empty())
            state.SkipWithError("the path did not make its copies");
        b.reset();
        state.ResumeTiming();
    }
    PerCopy(state, vertices - 1);
}
BENCHMARK(PathInTheHost)->Arg(10000)->ArgName("vertices")->Unit(benchmark::kMillisecond);

// Undo takes the copies out and puts the selection back; redo reverses it.
void UndoAndRedo(benchmark::State& state, bool timeUndo) {
    const auto count = static_cast<int32_t>(state.range(0));
    auto b = ReadyToComplete(count);
    b->host.SendEvent(kToolEventComplete);
    for (auto _ : state) {
        if (!timeUndo) state.PauseTiming();
        const bool undone = b->session.Undo();
        if (timeUndo) state.PauseTiming();
        if (!timeUndo) state.ResumeTiming();
        const bool redone = b->session.Redo();
        if (timeUndo) state.ResumeTiming();
        if (!undone || !redone) state.SkipWithError("nothing to undo or redo");
    }
    if (b->host.document.AllObjects().size() != static_cast<std::size_t>(count) + 1)
        state.SkipWithError("undo and redo lost objects");
    PerCopy(state, count);
}
void UndoOfACopyOperation(benchmark::State& state) { UndoAndRedo(state, true); }
void RedoOfACopyOperation(benchmark::State& state) { UndoAndRedo(state, false); }
BENCHMARK(UndoOfACopyOperation)->Arg(10000)->ArgName("copies")->Unit(benchmark::kMillisecond);
BENCHMARK(RedoOfACopyOperation)->Arg(10000)->ArgName("copies")->Unit(benchmark::kMillisecond);

}  // namespace
