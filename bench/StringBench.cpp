// The kernel's TXString against std::string doing the same work: appending
// one character or 100-character chunks, finding, replacing, formatting.
// The buffer grows to the next multiple of 16 bytes, so one-character
// appends copy the whole text once every 16 characters.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "kernel/KSString.X.h"

namespace {

const std::string kChunk(100, 'x');

template <class S>
void AppendOneCharacter(benchmark::State& state) {
    const auto n = state.range(0);
    for (auto _ : state) {
        S text;
        for (int64_t i = 0; i < n; ++i) text += 'a';
        benchmark::DoNotOptimize(text);
    }
    state.counters["per_char"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_TEMPLATE(AppendOneCharacter, TXString)->RangeMultiplier(8)->Range(64, 1 << 15);
BENCHMARK_TEMPLATE(AppendOneCharacter, std::string)->RangeMultiplier(8)->Range(64, 1 << 15);

template <class S>
void AppendChunks(benchmark::State& state) {
    const auto n = state.range(0);
    for (auto _ : state) {
        S text;
        for (int64_t i = 0; i < n; ++i) text += kChunk.c_str();
        benchmark::DoNotOptimize(text);
    }
    state.counters["per_char"] = benchmark::Counter(
        static_cast<double>(n) * 100, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_TEMPLATE(AppendChunks, TXString)->RangeMultiplier(8)->Range(8, 512);
BENCHMARK_TEMPLATE(AppendChunks, std::string)->RangeMultiplier(8)->Range(8, 512);

// A needle at the end of a 4000-character text.
std::string Haystack() { return std::string(4000, 'a') + "needle"; }

void FindTXString(benchmark::State& state) {
    const TXString text(Haystack().c_str());
    for (auto _ : state) benchmark::DoNotOptimize(text.Find("needle"));
}
BENCHMARK(FindTXString);

void FindStdString(benchmark::State& state) {
    const std::string text = Haystack();
    for (auto _ : state) benchmark::DoNotOptimize(text.find("needle"));
}
BENCHMARK(FindStdString);

// Every "ab" in a 4000-character text becomes "xyz".
const std::string kPairs = [] {
    std::string s;
    for (int i = 0; i < 2000; ++i) s += "ab";
    return s;
}();

void ReplaceTXString(benchmark::State& state) {
    for (auto _ : state) {
        TXString text(kPairs.c_str());
        benchmark::DoNotOptimize(text.Replace("ab", "xyz"));
    }
}
BENCHMARK(ReplaceTXString);

void ReplaceStdString(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = kPairs, out;
        out.reserve(text.size() * 3 / 2);
        for (std::size_t at = 0;;) {
            const std::size_t next = text.find("ab", at);
            out.append(text, at, next == std::string::npos ? std::string::npos : next - at);
            if (next == std::string::npos) break;
            out += "xyz";
            at = next + 2;
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(ReplaceStdString);

void FormatTXString(benchmark::State& state) {
    TXString text;
    for (auto _ : state) {
        text.Format("copy %d of %d at (%.3f, %.3f)", 17, 100, 12.5, -3.25);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(FormatTXString);

void FormatStdString(benchmark::State& state) {
    std::string text;
    for (auto _ : state) {
        char buffer[64];
        const int n = std::snprintf(buffer, sizeof buffer, "copy %d of %d at (%.3f, %.3f)", 17, 100, 12.5, -3.25);
        text.assign(buffer, static_cast<std::size_t>(n));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(FormatStdString);

}  // namespace
