// The main of a fuzz target in the builds without libFuzzer: runs
// LLVMFuzzerTestOneInput once on every file in the folders (or the files)
// named on the command line, as libFuzzer replays a corpus, so the seed
// corpus and the committed regressions are a test of the ordinary suite. A
// folder that does not exist is empty (a target without findings has no
// regressions yet); a run that finds no input at all fails. A finding ends
// the run as it ends libFuzzer's, by abort or a sanitizer's report, after
// the name of the file that caused it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

void Collect(const fs::path& path, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
        return;
    }
    if (!fs::is_directory(path, error)) return;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
        if (entry.is_regular_file(error) && entry.path().filename().string()[0] != '.') inputs.push_back(entry.path());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) Collect(argv[i], inputs);
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no input in the folders given\n");
        return 1;
    }
    for (const fs::path& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file.good() && !file.eof()) {
            std::fprintf(stderr, "replay: cannot read %s\n", path.string().c_str());
            return 1;
        }
        std::fprintf(stderr, "replay: %s\n", path.string().c_str());
        std::fflush(stderr);
        bytes.reserve(1);  // libFuzzer never passes a null pointer
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs, no finding\n", inputs.size());
    return 0;
}
