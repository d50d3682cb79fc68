// Writes inputs of the strings fuzzer, in the encoding it reads (FuzzInput.h):
//
//   strings_fuzz_inputs FOLDER                the seed corpus: random step
//       sequences as the strings suites make them, one file per TXString
//       edit and per helper family (that step taken six times) and six mixed
//       runs, each checked against the model while it is written;
//   strings_fuzz_inputs --canonical IN OUT    IN with every choice written as
//       its value below its range, so it keeps its meaning when a step table
//       grows at its end: the form to commit to fuzz/regressions/strings
//       (run it once the fault is fixed, as it runs the steps).
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "StringsRun.h"

namespace {

// Passes on the choices of `source`, the next ones `forced` where given, and
// records each in the fuzz input's encoding.
class TRecorder : public TChoices {
public:
    explicit TRecorder(TChoices& source) : fSource(source) {}

    uint32_t Below(uint32_t n) override {
        uint32_t value = fSource.Below(n);
        if (!forced.empty()) {
            if (forced.front() < n) value = forced.front();
            forced.pop_front();
        }
        TFuzzInput::PutBelow(bytes, value, n);
        return value;
    }
    std::string Text(uint32_t maxLength) override {
        const std::string text = fSource.Text(maxLength);
        TFuzzInput::PutBelow(bytes, static_cast<uint32_t>(text.size()), maxLength + 1);
        bytes += text;
        return text;
    }

    std::string bytes;
    std::deque<uint32_t> forced;

private:
    TChoices& fSource;
};

// The step's kind, as its name begins: "Append", "CopyCToPascal", ...
std::string Kind(const std::string& name) { return name.substr(0, name.find_first_of("( ,")); }

bool Written(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (file.good()) return true;
    std::fprintf(stderr, "strings_fuzz_inputs: cannot write %s\n", path.string().c_str());
    return false;
}

// `engine` and `kind` force each step's first two choices (-1: random).
bool WriteSeed(const std::filesystem::path& folder, const char* prefix, uint32_t seed, int engine, int kind,
               int steps) {
    DebugCapture capture;
    TRandomChoices random(seed);
    TRecorder recorder(random);
    std::string firstKind;
    int left = steps;
    const TStep failed = RunStrings(recorder, capture, [&](const TStep& previous) {
        if (firstKind.empty()) firstKind = Kind(previous.name);
        if (engine >= 0) recorder.forced = {static_cast<uint32_t>(engine), static_cast<uint32_t>(kind)};
        return left-- > 0;
    });
    if (!failed.mismatch.empty()) {
        std::fprintf(stderr, "strings_fuzz_inputs: %s: %s\n", failed.name.c_str(), failed.mismatch.c_str());
        return false;
    }
    return Written(folder / (prefix + (engine >= 0 ? "-" + firstKind : std::string())), recorder.bytes);
}

int WriteSeeds(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    bool ok = true;
    char prefix[32];
    for (uint32_t edit = 0; edit < TXStringEditCount(); ++edit) {
        std::snprintf(prefix, sizeof prefix, "edit-%02u", static_cast<unsigned>(edit));
        ok = WriteSeed(folder, prefix, 100 + edit, 0, static_cast<int>(edit), 6) && ok;
    }
    for (uint32_t family = 0; family < HelperFamilyCount(); ++family) {
        std::snprintf(prefix, sizeof prefix, "helper-%u", static_cast<unsigned>(family));
        ok = WriteSeed(folder, prefix, 200 + family, 1, static_cast<int>(family), 6) && ok;
    }
    for (uint32_t run = 0; run < 6; ++run) {
        std::snprintf(prefix, sizeof prefix, "mixed-%u", static_cast<unsigned>(run));
        ok = WriteSeed(folder, prefix, 300 + run, -1, -1, 40) && ok;
    }
    return ok ? 0 : 1;
}

int WriteCanonical(const char* szIn, const char* szOut) {
    std::ifstream file(szIn, std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "strings_fuzz_inputs: cannot read %s\n", szIn);
        return 1;
    }
    DebugCapture capture;
    TFuzzChoices choices(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    TRecorder recorder(choices);
    const TStep failed = RunStrings(recorder, capture, [&](const TStep&) { return !choices.Exhausted(); });
    if (!failed.mismatch.empty())
        std::fprintf(stderr, "strings_fuzz_inputs: still differs: %s: %s\n", failed.name.c_str(),
                     failed.mismatch.c_str());
    return Written(szOut, recorder.bytes) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && argv[1][0] != '-') return WriteSeeds(argv[1]);
    if (argc == 4 && std::strcmp(argv[1], "--canonical") == 0) return WriteCanonical(argv[2], argv[3]);
    std::fprintf(stderr, "usage: strings_fuzz_inputs FOLDER | --canonical IN OUT\n");
    return 2;
}
