// The strings fuzzer: the input is a sequence of steps, each an edit of one
// TXString (TXStringSteps.h) or a call of a Pascal or C string helper
// (HelperSteps.h), checked against the model the strings suites use. A
// difference aborts with the step and what differed, so libFuzzer keeps the
// input; the kernel's own reports are captured and the run goes on.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "StringsRun.h"

namespace {

// Texts take any byte but NUL, which reads as 'a': a C text ends at its NUL,
// and the steps bring a NUL in where the rules say what it does.
class TFuzzChoices : public TChoices {
public:
    TFuzzChoices(const uint8_t* data, size_t size) : fInput(data, size) {}

    bool Exhausted() const { return fInput.Exhausted(); }
    uint32_t Below(uint32_t n) override { return fInput.Below(n); }
    std::string Text(uint32_t maxLength) override {
        std::string text = fInput.Bytes(fInput.Below(maxLength + 1));
        std::replace(text.begin(), text.end(), '\0', 'a');
        return text;
    }

private:
    TFuzzInput fInput;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DebugCapture capture;
    TFuzzChoices choices(data, size);
    const TStep failed = RunStrings(choices, capture, [&](const TStep&) { return !choices.Exhausted(); });
    if (!failed.mismatch.empty()) {
        std::fprintf(stderr, "strings fuzzer: %s: %s\n", failed.name.c_str(), failed.mismatch.c_str());
        std::abort();
    }
    return 0;
}
