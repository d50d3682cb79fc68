// Writes the strings fuzzer's seed corpus into the folder given: random step
// sequences as the strings suites make them, recorded in the encoding the
// fuzzer reads (FuzzInput.h). One file per TXString edit and per helper
// family, that step taken six times, and a few mixed runs. Every sequence is
// checked against the model while it is recorded.
//   strings_fuzz_seeds fuzz/corpus/strings
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzInput.h"
#include "StringsRun.h"

namespace {

class TRecorder : public TChoices {
public:
    explicit TRecorder(uint32_t seed) : fRandom(seed) {}

    uint32_t Below(uint32_t n) override {
        uint32_t value = fRandom.Below(n);
        if (!forced.empty()) {
            if (forced.front() < n) value = forced.front();
            forced.pop_front();
        }
        TFuzzInput::PutBelow(bytes, value, n);
        return value;
    }
    std::string Text(uint32_t maxLength) override {
        const std::string text = fRandom.Text(maxLength);
        TFuzzInput::PutBelow(bytes, static_cast<uint32_t>(text.size()), maxLength + 1);
        bytes += text;
        return text;
    }

    std::string bytes;
    std::deque<uint32_t> forced;  // the answers of the next Below calls

private:
    TRandomChoices fRandom;
};

// The step's kind, as its name begins: "Append", "CopyCToPascal", ...
std::string Kind(const std::string& name) { return name.substr(0, name.find_first_of("( ,")); }

// `engine` and `kind` force each step's first two choices (-1: random).
bool Write(const std::filesystem::path& folder, const std::string& prefix, uint32_t seed, int engine, int kind,
           int steps) {
    DebugCapture capture;
    TRecorder recorder(seed);
    std::string firstKind;
    int left = steps;
    const TStep failed = RunStrings(recorder, capture, [&](const TStep& previous) {
        if (firstKind.empty()) firstKind = Kind(previous.name);
        if (engine >= 0) recorder.forced = {static_cast<uint32_t>(engine), static_cast<uint32_t>(kind)};
        return left-- > 0;
    });
    if (!failed.mismatch.empty()) {
        std::fprintf(stderr, "strings_fuzz_seeds: %s: %s\n", failed.name.c_str(), failed.mismatch.c_str());
        return false;
    }
    const std::string name = prefix + (engine >= 0 ? "-" + firstKind : std::string());
    std::ofstream(folder / name, std::ios::binary) << recorder.bytes;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: strings_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bool ok = true;
    char prefix[32];
    for (uint32_t edit = 0; edit < TXStringEditCount(); ++edit) {
        std::snprintf(prefix, sizeof prefix, "edit-%02u", static_cast<unsigned>(edit));
        ok = Write(folder, prefix, 100 + edit, 0, static_cast<int>(edit), 6) && ok;
    }
    for (uint32_t family = 0; family < HelperFamilyCount(); ++family) {
        std::snprintf(prefix, sizeof prefix, "helper-%u", static_cast<unsigned>(family));
        ok = Write(folder, prefix, 200 + family, 1, static_cast<int>(family), 6) && ok;
    }
    for (uint32_t run = 0; run < 6; ++run) {
        std::snprintf(prefix, sizeof prefix, "mixed-%u", static_cast<unsigned>(run));
        ok = Write(folder, prefix, 300 + run, -1, -1, 40) && ok;
    }
    return ok ? 0 : 1;
}
