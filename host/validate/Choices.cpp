#include "validate/Choices.h"

namespace validate {

namespace {
uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
constexpr uint64_t kGolden = 0x9E3779B97F4A7C15ull;
}  // namespace

SeededChoices::SeededChoices(uint64_t seed, uint64_t scenario) : fState(Mix(seed + kGolden) ^ Mix(scenario * kGolden)) {}

uint64_t SeededChoices::Next() {
    fState += kGolden;
    return Mix(fState);
}

}  // namespace validate
