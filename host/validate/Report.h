// The validator's findings: counted by family and by check as scenarios end,
// printed as a table, and written as JSON for machines.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "Isolation.h"

namespace validate {

class Report {
public:
    explicit Report(const RunSettings& settings) : fSettings(settings) {}

    void Add(const Finished& finished);
    bool Clean() const { return fFailures.empty(); }
    int64_t Scenarios() const { return fScenarios; }

    // The command that runs scenario `number` again, alone, telling each step.
    std::string Reproduction(int64_t number) const;

    void WriteTable(std::ostream& out, double seconds) const;
    void WriteJson(std::ostream& out, double seconds) const;

private:
    struct Tally {
        int64_t scenarios = 0;
        int64_t failed = 0;
        int64_t hostCalls = 0;
    };
    RunSettings fSettings;
    int64_t fScenarios = 0;
    std::vector<Tally> fFamilies = std::vector<Tally>(Families().size());
    std::vector<int64_t> fByCheck = std::vector<int64_t>(Checks().size());
    std::vector<Finished> fFailures;  // in scenario order once the run ends
    // The scenario that ran longest, and for how long: how near the time
    // limit the run came.
    int64_t fSlowest = -1;
    double fSlowestSeconds = 0;
};

}  // namespace validate
