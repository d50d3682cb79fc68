// The workbench running each shipped example end to end: reading and
// checking the script, running it with the transcript, and drawing the SVG.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "workbench/Runner.h"
#include "workbench/Scene.h"
#include "workbench/Sheet.h"
#include "workbench/Svg.h"

namespace {

void RunExample(benchmark::State& state, const std::filesystem::path& file) {
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    for (auto _ : state) {
        std::ifstream in(file);
        const workbench::Script script = workbench::ReadScript(in, file.string());
        workbench::Runner::Check(script);
        std::ostringstream transcript;
        workbench::Runner runner(transcript);
        runner.Run(script, options);
        const workbench::Scene scene = workbench::TakeScene(runner.Host(), runner.Session().Cursor(), {}, "end");
        workbench::Extent extent;
        extent.Add(scene);
        benchmark::DoNotOptimize(workbench::DrawingSvg(scene, workbench::FitSheet(extent), file.string()));
    }
}

const int kRegistered = [] {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(MOVEDUP_EXAMPLES_DIR))
        if (entry.path().extension() == ".session") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        benchmark::RegisterBenchmark(("Workbench/" + file.stem().string()).c_str(), RunExample, file)
            ->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
