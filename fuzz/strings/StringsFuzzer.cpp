// The strings fuzzer: the input is a sequence of steps, each an edit of one
// TXString (TXStringSteps.h) or a call of a Pascal or C string helper
// (HelperSteps.h), checked against the model the strings suites use. A
// difference aborts with the step and what differed, so libFuzzer keeps the
// input; the kernel's own reports are captured and the run goes on.
#include <cstdio>
#include <cstdlib>

#include "StringsRun.h"

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
