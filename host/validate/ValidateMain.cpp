#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "Isolation.h"
#include "Report.h"
#include "host/PluginLibrary.h"
#include "validate/Validate.h"

namespace validate {

namespace {

const char* kUsage = R"(usage: workbench validate LIBRARY [--seeds N] [--seed S] [--strictness 1-5] [--jobs N]
                          [--report FILE] [--timeout SECONDS]
       workbench validate LIBRARY [--seed S] [--strictness 1-5] --scenario N

Runs a plug-in library of this interface against hostile hosts and reports
what it broke. Every scenario runs in a child process with a time limit, so
a crash, a sanitizer report or a hang fails that scenario alone.

  LIBRARY         the plug-in (a shared library exporting `main`)
  --seeds N       how many scenarios to run (default 1200), each seeded from
                  the run's seed and its own number
  --seed S        the run's seed (default 1)
  --strictness L  1 to 5 (default 5): which families of hosts run and which
                  checks apply; every level adds to the one before
  --jobs N        child processes at once (default: the processors)
  --report FILE   also writes the findings as JSON
  --timeout T     seconds a scenario may run before it counts as a hang
                  (default 20; 60 in a build with AddressSanitizer)
  --scenario N    runs scenario N alone, in this process, telling each step
                  and every host call: the reproduction of a failure

Exit status: 0 when no scenario found a fault, 1 when one did, 2 when
nothing could run.
)";

void WriteLevels(std::ostream& out) {
    out << "\nFamilies of hosts, from the strictness level given:\n";
    for (const FamilyInfo& f : Families()) out << "  " << f.level << "  " << f.name << ": " << f.what << "\n";
    out << "\nChecks, from the strictness level given:\n";
    for (const CheckInfo& c : Checks()) out << "  " << c.level << "  " << c.name << ": " << c.what << "\n";
}

int64_t Whole(const std::string& flag, const std::string& text, int64_t least, int64_t most) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || value < least || value > most)
        throw std::invalid_argument(flag + " takes a whole number from " + std::to_string(least) + " to " +
                                    std::to_string(most) + ", not '" + text + "'");
    return value;
}

}  // namespace

int Main(int argc, char** argv, std::ostream& out, std::ostream& err) {
    RunSettings settings;
    settings.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    int64_t scenarios = 1200, only = -1, workerFirst = -1, workerCount = 0;
    std::string report;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
                return argv[++i];
            };
            if (arg == "--help" || arg == "-h") {
                out << kUsage;
                WriteLevels(out);
                return 0;
            } else if (arg == "--seeds")
                scenarios = Whole(arg, value(), 1, 100000000);
            else if (arg == "--seed")
                settings.seed = static_cast<uint64_t>(Whole(arg, value(), 0, INT64_MAX));
            else if (arg == "--strictness")
                settings.strictness = static_cast<int>(Whole(arg, value(), kMinStrictness, kMaxStrictness));
            else if (arg == "--jobs")
                settings.jobs = static_cast<int>(Whole(arg, value(), 1, 256));
            else if (arg == "--timeout")
                settings.timeoutSeconds = static_cast<double>(Whole(arg, value(), 1, 86400));
            else if (arg == "--report")
                report = value();
            else if (arg == "--scenario")
                only = Whole(arg, value(), 0, INT64_MAX);
            else if (arg == "--worker") {
                workerFirst = Whole(arg, value(), 0, INT64_MAX);
                workerCount = Whole(arg, value(), 1, INT64_MAX);
            } else if (settings.plugin.path.empty() && (arg.empty() || arg[0] != '-'))
                settings.plugin.path = arg;
            else
                throw std::invalid_argument("unexpected argument '" + arg + "'");
        }
        if (settings.plugin.path.empty()) throw std::invalid_argument("which LIBRARY to validate?");
    } catch (const std::invalid_argument& e) {
        err << "workbench validate: " << e.what() << "\n\n" << kUsage;
        return 2;
    }

    if (workerFirst >= 0) {
        RunWorker(settings, workerFirst, workerCount);
        return 0;
    }
    try {
        host::PluginLibrary check(settings.plugin.path);  // loads, finds `main`, unloads
    } catch (const std::exception& e) {
        err << "workbench validate: " << e.what() << "\n";
        return 2;
    }
    std::ofstream reportFile;
    if (!report.empty()) {
        reportFile.open(report, std::ios::binary | std::ios::trunc);
        if (!reportFile) {
            err << "workbench validate: cannot write '" << report << "'\n";
            return 2;
        }
    }

    if (only >= 0) {
        const ScenarioId id{settings.seed, only, settings.strictness};
        const Outcome outcome = RunScenario(settings.plugin, id, &out);
        out << "\nscenario " << only << ": " << InfoOf(outcome.family).name
            << (outcome.variant.empty() ? "" : " (" + outcome.variant + ")") << ", " << outcome.hostCalls
            << " host calls\n";
        for (const Fault& fault : outcome.faults) out << "  " << InfoOf(fault.check).name << ": " << fault.what << "\n";
        out << (outcome.faults.empty() ? "no fault found\n" : "");
        return outcome.faults.empty() ? 0 : 1;
    }

    out << "validating " << settings.plugin.path << ": " << scenarios << " scenarios, seed " << settings.seed
        << ", strictness " << settings.strictness << ", " << settings.jobs << " jobs, "
        << static_cast<int>(settings.timeoutSeconds) << " s each at most\n\n";
    out.flush();
    Report findings(settings);
    const auto start = std::chrono::steady_clock::now();
    try {
        RunIsolated(settings, 0, scenarios, [&](const Finished& f) { findings.Add(f); });
    } catch (const std::exception& e) {
        err << "workbench validate: " << e.what() << "\n";
        return 2;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    findings.WriteTable(out, seconds);
    if (reportFile.is_open()) {
        findings.WriteJson(reportFile, seconds);
        reportFile.close();
        if (!reportFile) {
            err << "workbench validate: cannot write '" << report << "'\n";
            return 2;
        }
    }
    return findings.Clean() ? 0 : 1;
}

}  // namespace validate
