// One glue call against a direct call of the same host function through a
// function pointer, and a glue call of a function the host lacks.
#include <benchmark/benchmark.h>

#include "callbacks/KSCallbacks.h"
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

// The floor of any glue call: the lookup and the host function, two
// dependent indirect calls.
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

}  // namespace
