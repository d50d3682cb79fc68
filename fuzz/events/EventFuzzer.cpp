// Events and host answers from the fuzzer's input: the first choice picks
// the family of hostile host, the rest steer every decision of the
// validator's scenario (which events, which answers, keys, points and
// dialogs). The plug-in is linked in, and all the validator's checks must
// hold: a fault aborts with its text, so the fuzzer keeps the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "tool/ToolEntry.h"
#include "validate/Scenario.h"

namespace {

// The validator's decisions read from the fuzz input.
class FuzzChoices : public validate::Choices {
public:
    explicit FuzzChoices(TFuzzInput& input) : fInput(input) {}
    uint64_t Next() override {
        uint64_t value = 0;
        for (int i = 0; i < 8; ++i) value = value << 8 | fInput.Byte();
        return value;
    }
    uint32_t Below(uint32_t n) override { return n == 0 ? 0 : fInput.Below(n); }

private:
    TFuzzInput& fInput;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    FuzzChoices choices(input);
    const auto& families = validate::Families();
    const validate::Family family = families[choices.Below(static_cast<uint32_t>(families.size()))].family;
    validate::PluginSource plugin;
    plugin.entry = &ToolMain;
    const validate::Outcome outcome = validate::RunScenarioWith(plugin, family, validate::kMaxStrictness, choices);
    if (outcome.faults.empty()) return 0;
    std::fprintf(stderr, "the validator's checks failed in family '%s' (%s):\n", validate::InfoOf(family).name,
                 outcome.variant.c_str());
    for (const validate::Fault& fault : outcome.faults)
        std::fprintf(stderr, "  %s: %s\n", validate::InfoOf(fault.check).name, fault.what.c_str());
    std::abort();
}
