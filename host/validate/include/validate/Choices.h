// Where a scenario's decisions come from: a seeded generator, so that a
// printed seed reproduces the scenario exactly, or (fuzz/events) the bytes of
// a fuzzer's input, so that the fuzzer steers the same decisions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace validate {

class Choices {
public:
    virtual ~Choices() = default;
    // 64 bits of decision.
    virtual uint64_t Next() = 0;

    // A whole number from 0 to n - 1 (0 when n is 0).
    virtual uint32_t Below(uint32_t n) { return n == 0 ? 0 : static_cast<uint32_t>(Next() % n); }
    // True with probability `percent` in 100.
    bool Percent(uint32_t percent) { return Below(100) < percent; }
    template <class T, std::size_t N>
    const T& Among(const T (&items)[N]) {
        return items[Below(static_cast<uint32_t>(N))];
    }
};

// splitmix64 over a state derived from the run's seed and the scenario's
// number: every scenario has a stream of its own.
class SeededChoices : public Choices {
public:
    SeededChoices(uint64_t seed, uint64_t scenario);
    uint64_t Next() override;

private:
    uint64_t fState;
};

}  // namespace validate
