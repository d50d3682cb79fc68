// One scenario of the validator: a hostile host, a session or a sequence of
// events against a plug-in of this interface, and the properties checked
// after it. A scenario is fixed by the run's seed, its number and the
// strictness, so any failure can be run again alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/PluginLibrary.h"
#include "validate/Choices.h"

namespace validate {

// The families of hostile hosts, each from the strictness level named in
// its row of Families().
enum class Family { Lifecycle, SelectorsAbsent, Edges, Reentry, Relocation, RandomEvents };

struct FamilyInfo {
    Family family;
    const char* name;
    int level;
    const char* what;
};
const std::vector<FamilyInfo>& Families();
std::size_t IndexOf(Family family);  // its row in Families()
const FamilyInfo& InfoOf(Family family);

// What a failed scenario broke, each checked from the strictness level in
// its row of Checks(). Crashes, sanitizer reports and hangs are seen by the
// process that runs the scenario's child.
enum class Check {
    Crash,
    Sanitizer,
    Hang,
    Protocol,
    NonFinite,
    Leak,
    Callbacks,
    StaleMemory,
    Overlay,
    Undo,
    Copies,
};

struct CheckInfo {
    Check check;
    const char* name;
    int level;
    const char* what;
};
const std::vector<CheckInfo>& Checks();
std::size_t IndexOf(Check check);  // its row in Checks()
const CheckInfo& InfoOf(Check check);

struct Fault {
    Check check;
    std::string what;
};

inline constexpr int kMinStrictness = 1;
inline constexpr int kMaxStrictness = 5;

// Where the plug-in comes from: a library to load (each scenario loads it
// afresh, so its globals start as a host finds them), or an entry linked
// into this program (the fuzzer).
struct PluginSource {
    std::string path;
    host::PluginEntry entry = nullptr;
};

struct ScenarioId {
    uint64_t seed = 1;
    int64_t number = 0;
    int strictness = kMaxStrictness;
};

// The family of scenario `number`: the families of the strictness level in
// turn, so every family gets its share of any run.
Family FamilyOf(const ScenarioId& id);

struct Outcome {
    Family family = Family::Lifecycle;
    std::string variant;  // which hostility of the family ("withholds 621", "point count -1")
    std::vector<Fault> faults;
    long hostCalls = 0;
    double seconds = 0;  // how long the scenario ran (as its process saw it)
};

// Runs one scenario in this process. With `verbose`, tells each step and the
// host calls it made. `announce`, when given, hears the family's variant as
// soon as it is chosen, before anything runs (a child process says it before
// it may crash).
Outcome RunScenario(const PluginSource& plugin, const ScenarioId& id, std::ostream* verbose = nullptr,
                    void (*announce)(const std::string& variant) = nullptr);

// The same with the decisions taken from `choices` (a fuzzer's input) and
// the family given.
Outcome RunScenarioWith(const PluginSource& plugin, Family family, int strictness, Choices& choices,
                        std::ostream* verbose = nullptr);

}  // namespace validate
