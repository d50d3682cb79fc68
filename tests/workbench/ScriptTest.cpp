// Session scripts: reading, the check of every line before the run, and the
// runner's verdicts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "../kernel/TextPattern.h"
#include "workbench/Runner.h"

namespace {

workbench::Script Read(const std::string& text) {
    std::istringstream in(text);
    return workbench::ReadScript(in, "s.session");
}

// The error the check reports, or "" when the script is good.
std::string CheckError(const std::string& text, bool largeCounts = false) {
    try {
        workbench::Runner::Check(Read(text), largeCounts);
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
                      BadCase{"tool\nmode circle\n", "s.session:2: the mode must be one of span, parts, path, not 'circle'"},
                      BadCase{"tool\nkeys\n", "s.session:2: missing the keys held, or 'none'"},
                      BadCase{"tool\nkeys duplicate shift\n",
                              "s.session:2: a key must be one of duplicate, repeat, reverse"},
                      BadCase{"version 1 300 0\n",
                              "s.session:1: the major version must lie between 0 and 255, not 300"},
                      BadCase{"polyline L 0 0\n", "s.session:1: a polyline needs at least two points"},
                      BadCase{"dialog type 1.5\n", "s.session:1: the number must be a whole number, not '1.5'"},
                      BadCase{"expect cursor\n", "s.session:1: missing the number"},
                      BadCase{"tool\nclick 1\n", "s.session:2: missing y"}));

// The structure of a session: where objects go, what needs the tool, and
// numbers that cannot be coordinates. Each would otherwise fail half-way
// through the run or run with a value no drawing can hold.
INSTANTIATE_TEST_SUITE_P(
    Structure, BadScripts,
    ::testing::Values(
        BadCase{"rect A 0 0 1 1\n", "s.session:1: there is no layer to draw in: add one with 'layer NAME' first"},
        BadCase{"group G\n", "s.session:1: there is no layer to draw in"},
        BadCase{"polyline L 0 0 1 1\n", "s.session:1: there is no layer to draw in"},
        BadCase{"layer P\nrect A 0 0 1 1\nrect B 0 0 1 1 in A\n", "s.session:3: 'A' is not a layer or a group"},
        BadCase{"layer P\nrect A 0 0 1 1\npolyline B 0 0 1 1 in A\n", "s.session:3: 'A' is not a layer or a group"},
        BadCase{"layer P\nrect A 0 0 1 1\nwork-in A\n", "s.session:3: 'A' is not a layer or a group"},
        BadCase{"layer P\nmode path\ntool\n", "s.session:2: 'mode' acts on the tool: choose it with 'tool' first"},
        BadCase{"layer P\nclick 0 0\n", "s.session:2: 'click' acts on the tool"},
        BadCase{"undo\n", "s.session:1: 'undo' acts on the tool"},
        BadCase{"tool\nversion 1 11 0\n",
                "s.session:2: the tool reads the host's version when it is chosen: put 'version' before 'tool'"},
        BadCase{"tool\nclick nan 0\n", "s.session:2: x must be a finite number, not 'nan'"},
        BadCase{"tool\nclick inf 0\n", "s.session:2: x must be a finite number, not 'inf'"},
        BadCase{"tool\nmove 0 -inf\n", "s.session:2: y must be a finite number, not '-inf'"},
        BadCase{"layer P\nrect B nan 0 1 1\n", "s.session:2: x1 must be a finite number, not 'nan'"},
        BadCase{"tool\nclick 1e400 0\n", "s.session:2: x is out of range: '1e400'"},
        BadCase{"tool\nclick ++1 0\n", "s.session:2: x must be a number, not '++1'"},
        BadCase{"expect bounds nan nan nan nan\n", "s.session:1: a bound must be a finite number, not 'nan'"},
        BadCase{"expect field 6 nan\n", "s.session:1: the value must be a finite number, not 'nan'"},
        BadCase{"dialog type 99999999999999999999\n",
                "s.session:1: the number must lie between -2147483648 and 2147483647, not 99999999999999999999"}));

TEST(ScriptCheck, AcceptsSignedAndScientificNumbersAndAByteOrderMark) {
    EXPECT_EQ(CheckError("\xEF\xBB\xBFlayer P\nrect A +1 -1 1e3 2.5E-1\ntool\nclick +1 0\ndialog type +5\n"), "");
    EXPECT_EQ(Read("\xEF\xBB\xBFlayer P\n").lines.at(0).words.at(0), "layer");
}

TEST(ScriptCheck, AcceptsEveryCommandInItsForms) {
    EXPECT_EQ(CheckError("version 1 10 5\nversion 2 11 0 3\nalternate-cursors on\ncompletion refused\n"
                         "layer P\nlayer S space\ngroup G\ngroup H in S\nwork-in H\ngroup I in H\n"
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

TEST(ScriptCheck, RefusesACountAboveTheLimitUnlessConfirmed) {
    EXPECT_EQ(CheckError("dialog type 10001\n"),
              "s.session:1: a count of 10001 makes more than 10000 copies of each object: run with --yes to allow it");
    EXPECT_EQ(CheckError("dialog type 10000\n"), "");
    EXPECT_EQ(CheckError("dialog type 2147483647\n", true), "");
}

// A mouse movement over a large preview makes a million host calls: the run
// keeps them only where they are shown, the events always.
TEST(ScriptRun, KeepsTheHostCallsOnlyWhereTheyAreShown) {
    for (const bool calls : {false, true}) {
        std::ostringstream transcript;
        workbench::Runner runner(transcript);
        workbench::RunOptions options;
        options.plugin = MOVEDUP_PLUGIN_PATH;
        options.calls = calls;
        EXPECT_EQ(runner.Run(Read("layer P\nrect A 0 0 1 1\nselect A\ntool\nclick 0 0\nclick 2 0\n"), options), 0);
        std::size_t events = 0, hostCalls = 0;
        for (const host::LogEntry& entry : runner.Host().log.Entries()) {
            events += entry.type == host::LogEntry::Type::Event;
            hostCalls += entry.type == host::LogEntry::Type::Call;
        }
        EXPECT_GT(events, 5u);
        EXPECT_EQ(hostCalls != 0, calls);
        EXPECT_THAT(transcript.str(), ::testing::HasSubstr("event 104 complete -> 0\n"));
    }
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

// What the transcript tells beside the events: the count dialog, dialog
// actions never used, undo and redo. Each case runs after a rectangle A is
// selected and the tool chosen; the lines are those that start with '#',
// '=>' or 'warning' after that.
struct Story {
    const char* name;
    const char* script;
    std::vector<std::string> lines;
};

class StoryLines : public ::testing::TestWithParam<Story> {};

TEST_P(StoryLines, AreTold) {
    std::ostringstream transcript;
    workbench::Runner runner(transcript);
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    EXPECT_EQ(runner.Run(Read(std::string("layer P\nrect A 0 0 1 1\nselect A\ntool\n") + GetParam().script), options),
              0);
    std::istringstream in(transcript.str());
    std::vector<std::string> told;
    bool chosen = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "# the tool is chosen")
            chosen = true;
        else if (chosen && (line.rfind("#", 0) == 0 || line.rfind("=>", 0) == 0 || line.rfind("warning", 0) == 0))
            told.push_back(line);
    }
    EXPECT_EQ(told, GetParam().lines);
}

const std::string kOpens = "# dialog \"Copies and Parts\" opens: OK, Cancel, \"Copies or parts:\"";
const std::string kNeverUsed = " never used: a dialog takes the actions queued before the line that opens it";

INSTANTIATE_TEST_SUITE_P(
    Transcript, StoryLines,
    ::testing::Values(
        Story{"ClosedWithOkAfterRefusals",
              "dialog type 0\ndialog press ok\ndialog type 4\ndialog press ok\ncount-button\n",
              {kOpens, "#   types 0 into \"Copies or parts:\"", "#   refused: the dialog stays open", "#   presses OK",
               "#   refused: the dialog stays open", "#   types 4 into \"Copies or parts:\"", "#   presses OK",
               "#   closed with OK, \"Copies or parts:\" 4"}},
        Story{"ClosedWithCancel",
              "dialog type 9\ndialog press cancel\nsettings\n",
              {kOpens, "#   types 9 into \"Copies or parts:\"", "#   presses Cancel", "#   closed with Cancel"}},
        Story{"CancelledWhenTheActionsRunOut",
              "dialog type 2\nsettings\n",
              {kOpens, "#   types 2 into \"Copies or parts:\"",
               "#   warning: no dialog action left in the script: the dialog is cancelled"}},
        Story{
            "AnActionNeverUsed", "dialog press ok\n", {"warning: the dialog action queued on line 5 was" + kNeverUsed}},
        Story{"ActionsLeftOverAfterTheDialogClosed",
              "dialog press 3\ndialog press ok\nsettings\ndialog type 5\ndialog press cancel\n",
              {kOpens, "#   no item 3", "#   presses OK", "#   closed with OK, \"Copies or parts:\" 1",
               "warning: the dialog actions queued on lines 8, 9 were" + kNeverUsed}},
        Story{"UndoAndRedoOfAMove",
              "click 0 0\nclick 2 0\nundo\nundo\nredo\nredo\n",
              {"=> 1 object moved by (2, 0) (undo step \"Move/Duplicate\")",
               "=> undone: \"Move/Duplicate\" (1 object put back)", "# nothing to undo",
               "=> redone: \"Move/Duplicate\" (1 object moved again)", "# nothing to redo"}},
        Story{
            "UndoAndRedoOfCopiesInParts",
            "mode parts\ndialog type 4\ndialog press ok\nsettings\nkeys duplicate\nclick 0 0\nclick 8 0\nundo\nredo\n",
            {kOpens, "#   types 4 into \"Copies or parts:\"", "#   presses OK",
             "#   closed with OK, \"Copies or parts:\" 4",
             "=> 4 copies made, step (2, 0) (undo step \"Move/Duplicate in Parts\")",
             "=> undone: \"Move/Duplicate in Parts\" (4 copies taken away)",
             "=> redone: \"Move/Duplicate in Parts\" (4 copies made again)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// More copies than the limit: confirmed, they are made, and the transcript
// says how long it took; at the limit it does not.
TEST(ScriptRun, AnOperationOfMoreCopiesThanTheLimitSaysHowLongItTook) {
    for (const long count : {workbench::kCopyLimit, workbench::kCopyLimit + 1}) {
        std::ostringstream transcript;
        workbench::Runner runner(transcript);
        workbench::RunOptions options;
        options.plugin = MOVEDUP_PLUGIN_PATH;
        options.largeCounts = true;
        const std::string script = "layer P\nrect A 0 0 1 1\nselect A\ntool\ndialog type " + std::to_string(count) +
                                   "\ndialog press ok\nsettings\nkeys duplicate\nclick 0 0\nclick 1 0\n";
        EXPECT_EQ(runner.Run(Read(script), options), 0);
        const std::string text = transcript.str();
        const std::size_t at = text.find("\n=> ");
        ASSERT_NE(at, std::string::npos);
        const std::string told = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
        const std::string made = "=> " + std::to_string(count) + " copies made, step (1, 0)";
        EXPECT_THAT(told, ks::test::FitsDigitPattern(made + (count > workbench::kCopyLimit ? ", in #+.## s" : "") +
                                                     " (undo step \"Move/Duplicate\")"));
    }
}

}  // namespace
