// One run of the strings fuzzer over any source of choices, so the fuzzer
// and the seed generator read and write inputs alike. The first choice is
// whose reports the string makes (nobody's or a developer's); then each
// step is a TXString edit or a helper call, the first choice of each step
// saying which. more(previous) is asked before every step.
#pragma once

#include <algorithm>
#include <string>

#include "FuzzInput.h"
#include "HelperSteps.h"
#include "TXStringSteps.h"

// The fuzz input as the steps' choices. Texts take any byte but NUL, which
// reads as 'a': a C text ends at its NUL, and the steps bring a NUL in where
// the rules say what it does.
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

// The first step that differed from the model, its index in its name; an
// empty step when none did.
template <class TMore>
TStep RunStrings(TChoices& choices, DebugCapture& capture, TMore more) {
    TXString s = choices.Below(2) == 0 ? TXString() : TXString(HeardOwner(), TXString::kDefaultCapacity);
    TModel model;
    TStep step;
    for (uint32_t index = 0; more(static_cast<const TStep&>(step)); ++index) {
        step = choices.Below(2) == 0 ? TXStringStep(choices, s, model) : HelperStep(choices);
        if (!step.mismatch.empty()) {
            step.name = "step " + std::to_string(index) + ", " + step.name;
            return step;
        }
        capture.Clear();  // a long run keeps no record of what it reported
    }
    return TStep();
}
