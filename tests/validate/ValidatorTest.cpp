// The validator checked against plug-ins with one deliberate fault each: it
// must name that fault and no other, and find none in the tool.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "validate/Validate.h"

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

struct Validated {
    int status = -1;
    std::string table;
    std::map<std::string, int> failedByCheck;  // from the JSON report
};

Validated Validate(const std::string& library, std::vector<std::string> more) {
    const fs::path report = fs::temp_directory_path() / ("validator-test-" + std::to_string(::getpid()) + ".json");
    std::vector<std::string> args = {"validate", library, "--jobs", "2", "--report", report.string()};
    args.insert(args.end(), more.begin(), more.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::ostringstream out, err;
    Validated v;
    v.status = validate::Main(static_cast<int>(argv.size()), argv.data(), out, err);
    v.table = out.str() + err.str();
    std::ifstream in(report);
    std::stringstream json;
    json << in.rdbuf();
    fs::remove(report);
    static const std::regex kCheck("\"name\": \"([a-z -]+)\", \"level\": [0-9], \"failedScenarios\": ([0-9]+)");
    const std::string text = json.str();
    for (std::sregex_iterator it(text.begin(), text.end(), kCheck), end; it != end; ++it)
        if (std::stoi((*it)[2]) > 0) v.failedByCheck[(*it)[1]] = std::stoi((*it)[2]);
    return v;
}

struct FaultyCase {
    const char* library;
    std::vector<const char*> named;  // the checks it must fail, any of them, and no others
    std::vector<std::string> args;
};

class FaultyPlugin : public ::testing::TestWithParam<FaultyCase> {};

TEST_P(FaultyPlugin, FailsWithItsFaultNamedAndNoOther) {
    const FaultyCase& c = GetParam();
    const Validated v = Validate(c.library, c.args);
    EXPECT_EQ(v.status, 1) << v.table;
    ASSERT_FALSE(v.failedByCheck.empty()) << v.table;
    for (const auto& [check, scenarios] : v.failedByCheck)
        EXPECT_NE(std::find_if(c.named.begin(), c.named.end(), [&](const char* n) { return check == n; }),
                  c.named.end())
            << "unexpected " << check << " in " << scenarios << " scenarios\n"
            << v.table;
}

// A stale pointer is seen by the quarantine, or under AddressSanitizer by the
// sanitizer first; a crash under AddressSanitizer is its report.
INSTANTIATE_TEST_SUITE_P(
    Fixtures, FaultyPlugin,
    ::testing::Values(
        FaultyCase{FAULTY_STALE_POINTER, {kSanitized ? "sanitizer" : "stale memory"}, {"--seeds", "24"}},
        FaultyCase{FAULTY_LEAK, {"leak"}, {"--seeds", "12"}},
        FaultyCase{FAULTY_GCBP, {"callbacks"}, {"--seeds", "48"}},
        FaultyCase{FAULTY_CRASH, {kSanitized ? "sanitizer" : "crash"}, {"--seeds", "6"}},
        FaultyCase{FAULTY_HANG, {"hang"}, {"--seeds", "4", "--timeout", "1"}}),
    [](const ::testing::TestParamInfo<FaultyCase>& info) {
        const std::string path = info.param.library;
        std::string name = path.substr(path.rfind("faulty_") + 7);
        name = name.substr(0, name.find('.'));
        name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
        return name;
    });

TEST(Validator, FindsNoFaultInTheTool) {
    const Validated v = Validate(MOVEDUP_PLUGIN_PATH, {"--seeds", "60"});
    EXPECT_EQ(v.status, 0) << v.table;
    EXPECT_TRUE(v.failedByCheck.empty()) << v.table;
    // The table tells how near the time limit the longest scenario came.
    std::smatch longest;
    ASSERT_TRUE(std::regex_search(v.table, longest,
                                  std::regex("the longest, scenario [0-9]+, ran ([0-9.]+) s of the ([0-9]+) s")))
        << v.table;
    EXPECT_GT(std::stod(longest[1]), 0.0);
    EXPECT_LT(std::stod(longest[1]), std::stod(longest[2]));
}

// The printed seed and number are all it takes to see a scenario again: the
// same steps, the same host calls, the same findings.
TEST(Validator, ReplaysAScenarioExactly) {
    for (const char* number : {"3", "8", "11"}) {
        std::string told[2];
        for (std::string& text : told) {
            std::vector<std::string> args = {"validate", MOVEDUP_PLUGIN_PATH, "--seed", "5", "--scenario", number};
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            std::ostringstream out, err;
            validate::Main(static_cast<int>(argv.size()), argv.data(), out, err);
            text = out.str();
        }
        EXPECT_GT(told[0].size(), 1000u) << number;
        EXPECT_EQ(told[0], told[1]) << "scenario " << number;
    }
}

TEST(Validator, RefusesWhatCannotRun) {
    struct Case {
        std::vector<std::string> args;
        const char* said;
    };
    const Case cases[] = {
        {{"validate"}, "which LIBRARY"},
        {{"validate", MOVEDUP_PLUGIN_PATH, "--strictness", "6"}, "--strictness takes a whole number from 1 to 5"},
        {{"validate", MOVEDUP_PLUGIN_PATH, "--seeds", "ten"}, "not 'ten'"},
        {{"validate", "/no/such/library.so"}, "cannot load"},
    };
    for (Case c : cases) {
        std::vector<char*> argv;
        for (std::string& a : c.args) argv.push_back(a.data());
        std::ostringstream out, err;
        EXPECT_EQ(validate::Main(static_cast<int>(argv.size()), argv.data(), out, err), 2) << c.said;
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
    }
}

}  // namespace
