#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <set>

namespace validate {

namespace {

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Described(const Outcome& outcome) {
    std::string text = InfoOf(outcome.family).name;
    if (!outcome.variant.empty()) text += ": " + outcome.variant;
    return text;
}

}  // namespace

void Report::Add(const Finished& finished) {
    ++fScenarios;
    Tally& family = fFamilies[IndexOf(finished.outcome.family)];
    ++family.scenarios;
    family.hostCalls += finished.outcome.hostCalls;
    if (fSlowest < 0 || finished.outcome.seconds > fSlowestSeconds) {
        fSlowest = finished.number;
        fSlowestSeconds = finished.outcome.seconds;
    }
    if (finished.outcome.faults.empty()) return;
    ++family.failed;
    std::set<Check> checks;
    for (const Fault& fault : finished.outcome.faults) checks.insert(fault.check);
    for (Check check : checks) ++fByCheck[IndexOf(check)];
    const auto at = std::lower_bound(fFailures.begin(), fFailures.end(), finished.number,
                                     [](const Finished& f, int64_t number) { return f.number < number; });
    fFailures.insert(at, finished);
}

std::string Report::Reproduction(int64_t number) const {
    return "workbench validate " + fSettings.plugin.path + " --seed " + std::to_string(fSettings.seed) +
           " --strictness " + std::to_string(fSettings.strictness) + " --scenario " + std::to_string(number);
}

void Report::WriteTable(std::ostream& out, double seconds) const {
    out << std::left << std::setw(24) << "family" << std::right << std::setw(10) << "scenarios" << std::setw(8)
        << "failed" << std::setw(14) << "host calls" << "\n";
    Tally all;
    for (std::size_t i = 0; i < fFamilies.size(); ++i) {
        if (Families()[i].level > fSettings.strictness) continue;
        const Tally& t = fFamilies[i];
        out << std::left << std::setw(24) << Families()[i].name << std::right << std::setw(10) << t.scenarios
            << std::setw(8) << t.failed << std::setw(14) << t.hostCalls << "\n";
        all.scenarios += t.scenarios;
        all.failed += t.failed;
        all.hostCalls += t.hostCalls;
    }
    out << std::left << std::setw(24) << "all" << std::right << std::setw(10) << all.scenarios << std::setw(8)
        << all.failed << std::setw(14) << all.hostCalls << "\n\n";

    out << std::left << std::setw(24) << "faults by kind" << std::right << std::setw(10) << "scenarios" << "\n";
    for (std::size_t i = 0; i < fByCheck.size(); ++i)
        if (Checks()[i].level <= fSettings.strictness)
            out << std::left << std::setw(24) << Checks()[i].name << std::right << std::setw(10) << fByCheck[i]
                << "\n";

    char pace[64];
    const double rate = seconds > 0 ? static_cast<double>(fScenarios) / seconds : 0.0;
    std::snprintf(pace, sizeof pace, rate < 10 ? "%.1f s, %.2f scenarios a second" : "%.1f s, %.0f scenarios a second",
                  seconds, rate);
    out << "\nseed " << fSettings.seed << ", strictness " << fSettings.strictness << ", " << pace << "\n";
    if (fSlowest >= 0) {
        char slowest[128];
        std::snprintf(slowest, sizeof slowest, "the longest, scenario %lld, ran %.2f s of the %g s it may run\n",
                      static_cast<long long>(fSlowest), fSlowestSeconds, fSettings.timeoutSeconds);
        out << slowest;
    }

    constexpr std::size_t kShown = 40;
    for (std::size_t i = 0; i < fFailures.size() && i < kShown; ++i) {
        const Finished& f = fFailures[i];
        out << "\nFAIL scenario " << f.number << " (" << Described(f.outcome) << ")\n";
        for (const Fault& fault : f.outcome.faults) out << "  " << InfoOf(fault.check).name << ": " << fault.what << "\n";
        out << "  reproduce: " << Reproduction(f.number) << "\n";
    }
    if (fFailures.size() > kShown) out << "\n... and " << fFailures.size() - kShown << " more failed scenarios\n";
    out << (fFailures.empty() ? "\nno fault found\n" : "\n" + std::to_string(fFailures.size()) + " scenarios failed\n");
}

void Report::WriteJson(std::ostream& out, double seconds) const {
    out << "{\n  \"library\": " << Json(fSettings.plugin.path) << ",\n  \"seed\": " << fSettings.seed
        << ",\n  \"strictness\": " << fSettings.strictness << ",\n  \"scenarios\": " << fScenarios
        << ",\n  \"seconds\": " << seconds << ",\n  \"timeoutSeconds\": " << fSettings.timeoutSeconds
        << ",\n  \"longest\": {\"scenario\": " << fSlowest << ", \"seconds\": " << fSlowestSeconds
        << "},\n  \"families\": [";
    bool first = true;
    for (std::size_t i = 0; i < fFamilies.size(); ++i) {
        if (Families()[i].level > fSettings.strictness) continue;
        out << (first ? "\n" : ",\n") << "    {\"name\": " << Json(Families()[i].name)
            << ", \"level\": " << Families()[i].level << ", \"scenarios\": " << fFamilies[i].scenarios
            << ", \"failed\": " << fFamilies[i].failed << ", \"hostCalls\": " << fFamilies[i].hostCalls << "}";
        first = false;
    }
    out << "\n  ],\n  \"checks\": [";
    first = true;
    for (std::size_t i = 0; i < fByCheck.size(); ++i) {
        if (Checks()[i].level > fSettings.strictness) continue;
        out << (first ? "\n" : ",\n") << "    {\"name\": " << Json(Checks()[i].name)
            << ", \"level\": " << Checks()[i].level << ", \"failedScenarios\": " << fByCheck[i] << "}";
        first = false;
    }
    out << "\n  ],\n  \"failures\": [";
    for (std::size_t i = 0; i < fFailures.size(); ++i) {
        const Finished& f = fFailures[i];
        out << (i == 0 ? "\n" : ",\n") << "    {\"scenario\": " << f.number
            << ", \"family\": " << Json(InfoOf(f.outcome.family).name) << ", \"variant\": " << Json(f.outcome.variant)
            << ", \"reproduce\": " << Json(Reproduction(f.number)) << ", \"faults\": [";
        for (std::size_t k = 0; k < f.outcome.faults.size(); ++k)
            out << (k == 0 ? "" : ", ") << "{\"check\": " << Json(InfoOf(f.outcome.faults[k].check).name)
                << ", \"what\": " << Json(f.outcome.faults[k].what) << "}";
        out << "]}";
    }
    out << "\n  ]\n}\n";
}

}  // namespace validate
