// Session scripts: reading, the check of every line before the run, and the
// runner's verdicts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "workbench/Runner.h"

namespace {

workbench::Script Read(const std::string& text) {
    std::istringstream in(text);
    return workbench::ReadScript(in, "s.session");
}

// The error the check reports, or "" when the script is good.
std::string CheckError(const std::string& text) {
    try {
        workbench::Runner::Check(Read(text));
        return "";
    } catch (const workbench::ScriptError& e) {
        return e.what();
    }
}

TEST(ScriptReading, DropsCommentsAndBlankLinesAndKeepsLineNumbers) {
    const workbench::Script s = Read("# heading\n\n  layer  Plan   plan  # the plan\r\nclick 1 2\n");
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].number, 3);
    EXPECT_EQ(s.lines[0].text, "layer  Plan   plan");
    EXPECT_THAT(s.lines[0].words, ::testing::ElementsAre("layer", "Plan", "plan"));
    EXPECT_EQ(s.lines[1].number, 4);
}

struct BadCase {
    const char* script;
    const char* error;
};

class BadScripts : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadScripts, AreRefusedWithTheirPlace) {
    EXPECT_THAT(CheckError(GetParam().script), ::testing::StartsWith(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadScripts,
    ::testing::Values(BadCase{"layer P\nfly 1 2\n", "s.session:2: unknown command 'fly'"},
                      BadCase{"layer P\nrect A 0 0 1\n", "s.session:2: missing y2 (usage: rect NAME X1 Y1 X2 Y2"},
                      BadCase{"layer P\nrect A 0 0 1 x\n", "s.session:2: y2 must be a number, not 'x'"},
                      BadCase{"layer P\nrect A 0 0 1 1 extra\n", "s.session:2: unexpected 'extra'"},
                      BadCase{"layer P\nrect A 0 0 1 1\nline A 0 0 1 1\n", "s.session:3: the name 'A' is taken"},
                      BadCase{"select Ghost\n", "s.session:1: nothing is called 'Ghost'"},
                      BadCase{"layer P\nrect A 0 0 1 1 in Q\n", "s.session:2: nothing is called 'Q'"},
                      BadCase{"mode circle\n", "s.session:1: the mode must be one of span, parts, path, not 'circle'"},
                      BadCase{"keys\n", "s.session:1: missing the keys held, or 'none'"},
                      BadCase{"keys duplicate shift\n", "s.session:1: a key must be one of duplicate, repeat, reverse"},
                      BadCase{"version 1 300 0\n",
                              "s.session:1: the major version must lie between 0 and 255, not 300"},
                      BadCase{"polyline L 0 0\n", "s.session:1: a polyline needs at least two points"},
                      BadCase{"dialog type 1.5\n", "s.session:1: the number must be a whole number, not '1.5'"},
                      BadCase{"expect cursor\n", "s.session:1: missing the number"},
                      BadCase{"click 1\n", "s.session:1: missing y"}));

TEST(ScriptCheck, AcceptsEveryCommandInItsForms) {
    EXPECT_EQ(CheckError("version 1 10 5\nversion 2 11 0 3\nalternate-cursors on\ncompletion refused\n"
                         "layer P\nlayer S space\ngroup G\ngroup H in S\nwork-in H\n"
                         "line L 0 0 1 1 z 2\nrect R 0 0 1 1 in G\nbox B 0 0 1 1 3 z 1\n"
                         "polyline Y 0 0 1 1 2 0 in P\nselect R B\nselect all\nselect none\ndeselect R\n"
                         "tool\nmode parts\nplan-choice plan\ncount-button\nsettings\n"
                         "dialog type -4\ndialog press ok\ndialog press cancel\ndialog press 5\n"
                         "keys duplicate reverse\nkeys none\npress repeat\nrelease repeat\n"
                         "move 1 2\nmove 1 2 3\nclick 0 0\nfinish\ncancel\nundo\nredo\nview space\n"
                         "expect cursor 17000\nexpect objects 2\nexpect selected 0\nexpect picked 0\n"
                         "expect field 5 2.5\nexpect undo Move/Duplicate\nexpect message Some text here\n"
                         "expect bounds 0 0 1 1\nput-away\ndispose\n"),
              "");
}

TEST(ScriptRun, ExpectationsThatFailMakeTheRunFailAndSayWhere) {
    std::ostringstream transcript;
    workbench::Runner runner(transcript);
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    const workbench::Script script = Read("layer P\nrect A 0 0 1 1\ntool\nexpect cursor 17000\nexpect objects 2\n");
    EXPECT_EQ(runner.Run(script, options), 1);
    EXPECT_THAT(transcript.str(), ::testing::HasSubstr("s.session:5: expected objects 2, got 1"));
    EXPECT_THAT(transcript.str(), ::testing::Not(::testing::HasSubstr("s.session:4")));
    EXPECT_THAT(transcript.str(), ::testing::HasSubstr("1 problem\n"));
}

TEST(ScriptRun, TheTranscriptShowsLinesEventsAndTheEnd) {
    std::ostringstream transcript;
    workbench::Runner runner(transcript);
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    options.calls = true;
    int after = 0;
    options.afterLine = [&](const workbench::Line&) { ++after; };
    const workbench::Script script = Read("layer P\nrect A 0 0 1 1\nselect A\ntool\nclick 0 0\nclick 2 0\n");
    EXPECT_EQ(runner.Run(script, options), 0);
    EXPECT_EQ(after, 6);
    const std::string text = transcript.str();
    EXPECT_THAT(text, ::testing::HasSubstr("> click 2 0\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("event 104 complete -> 0\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("  KS_MoveObject(A, 2, 0)\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("undo steps: \"Move/Duplicate\"\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("  A (selected): x 2..3, y 0..1\n"));
}

}  // namespace
