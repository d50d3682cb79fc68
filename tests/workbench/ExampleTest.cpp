// Every shipped session, run in-process against the built plug-in: it ends
// with its expectations holding, and its transcript is the reviewed one.
// The native build and the Windows build under Wine compare against the same
// files, so both libraries must behave alike event by event.
//
// After a deliberate change, renew the references from the native build:
//   tools/renew-transcripts
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "workbench/Runner.h"
#include "workbench/Script.h"

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    // A checkout on Windows may carry CR LF line ends.
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r') out += c;
    return out;
}

std::vector<std::string> ExampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(MOVEDUP_EXAMPLES_DIR))
        if (entry.path().extension() == ".session") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Example : public ::testing::TestWithParam<std::string> {};

TEST_P(Example, RunsToTheEndWithTheReviewedTranscript) {
    const std::filesystem::path session = std::filesystem::path(MOVEDUP_EXAMPLES_DIR) / (GetParam() + ".session");
    std::ifstream in(session);
    ASSERT_TRUE(in) << session;
    // Named as on the command line, so the transcript matches the program's.
    const workbench::Script script = workbench::ReadScript(in, "examples/" + GetParam() + ".session");
    workbench::Runner::Check(script);

    std::ostringstream transcript;
    workbench::Runner runner(transcript);
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    EXPECT_EQ(runner.Run(script, options), 0) << transcript.str();

    const std::filesystem::path reference =
        std::filesystem::path(MOVEDUP_TRANSCRIPTS_DIR) / (GetParam() + ".transcript");
    ASSERT_TRUE(std::filesystem::exists(reference)) << "no reviewed transcript " << reference;
    EXPECT_EQ(transcript.str(), ReadText(reference));
}

INSTANTIATE_TEST_SUITE_P(Shipped, Example, ::testing::ValuesIn(ExampleNames()), [](const auto& info) {
    std::string name = info.param;
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
});

}  // namespace
