// The workbench program as a user starts it: every input that cannot run is
// refused before the first line, with its message and status 2, and leaves no
// file behind; a crashing plug-in keeps the transcript up to the crash.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

using workbench_test::FileText;

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct Ran {
    int status = -1;
    std::string out, err;
};

// A scratch folder per test: the script is s.session in it, outputs go under out/.
class Program : public ::testing::Test {
protected:
    void SetUp() override {
        dir = workbench_test::ScratchFolder("program");
        fs::create_directories(dir / "out");
    }
    void TearDown() override { fs::remove_all(dir); }

    void Script(const std::string& text) { std::ofstream(dir / "s.session", std::ios::binary) << text; }

    // Runs the program in `dir`; "{dir}" in the arguments is the folder.
    Ran Run(const std::string& args) {
        // Under AddressSanitizer the program's own crash report must see the
        // signal, so the sanitizer leaves the fatal signals alone.
        const std::string command = "cd '" + dir.string() +
                                    "' && ASAN_OPTIONS=\"$ASAN_OPTIONS:handle_segv=0:handle_sigbus=0:handle_sigill=0:"
                                    "handle_sigfpe=0:handle_abort=0\" '" WORKBENCH_PROGRAM "' " +
                                    Replace(args, "{dir}", dir.string()) + " >stdout.txt 2>stderr.txt";
        Ran ran;
        const int raw = std::system(command.c_str());
        ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        ran.out = FileText(dir / "stdout.txt");
        ran.err = FileText(dir / "stderr.txt");
        return ran;
    }

    bool OutEmpty() const { return fs::is_empty(dir / "out"); }

    fs::path dir;
};

struct Refusal {
    const char* name;
    const char* script;  // written to s.session
    const char* args;
    const char* error;  // the whole of stderr; {dir} is the scratch folder
};

class Refused : public Program, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, WithItsMessageAndStatusTwoAndNothingWritten) {
    const Refusal& c = GetParam();
    Script(c.script);
    fs::create_directories(dir / "out" / "folder");
    std::ofstream(dir / "afile") << "x";
    fs::create_directories(dir / "adir");
    const Ran ran = Run(c.args);
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.err, Replace(c.error, "{dir}", dir.string()));
    EXPECT_EQ(ran.out, "");
    // Only the folder made for the case is there: no drawing, no part file.
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "out"))
        left.push_back(fs::relative(entry.path(), dir / "out").string());
    EXPECT_THAT(left, ::testing::ElementsAre("folder"));
}

constexpr const char* kGood = "layer P\nrect A 0 0 1 1\nselect A\ntool\nclick 0 0\nclick 2 0\n";
constexpr const char* kOutputs = " --svg out/a.svg --trace out/a.jsonl --html out/a.html";

INSTANTIATE_TEST_SUITE_P(
    Inputs, Refused,
    ::testing::Values(
        Refusal{"BadNumber", "layer P\nrect T 0 0 wide 2\n", "run s.session --svg out/a.svg",
                "s.session:2: x2 must be a number, not 'wide' (usage: rect NAME X1 Y1 X2 Y2 [z Z] [in CONTAINER])\n"},
        Refusal{"NotANumber", "layer P\ntool\nclick nan 0\n", "run s.session --svg out/a.svg",
                "s.session:3: x must be a finite number, not 'nan' (usage: click X Y [Z])\n"},
        Refusal{"Overflow", "layer P\ntool\nclick 1e400 0\n", "run s.session --svg out/a.svg",
                "s.session:3: x is out of range: '1e400' (usage: click X Y [Z])\n"},
        Refusal{"NotAContainer", "layer P\nrect A 0 0 1 1\nwork-in A\n", "run s.session --svg out/a.svg",
                "s.session:3: 'A' is not a layer or a group (usage: work-in CONTAINER)\n"},
        Refusal{"NoLayer", "rect A 0 0 1 1\n", "run s.session --svg out/a.svg",
                "s.session:1: there is no layer to draw in: add one with 'layer NAME' first "
                "(usage: rect NAME X1 Y1 X2 Y2 [z Z] [in CONTAINER])\n"},
        Refusal{"EventBeforeTool", "layer P\nmode path\n", "run s.session --svg out/a.svg",
                "s.session:2: 'mode' acts on the tool: choose it with 'tool' first\n"},
        Refusal{"VersionAfterTool", "layer P\ntool\nversion 1 11 0\n", "run s.session --svg out/a.svg",
                "s.session:3: the tool reads the host's version when it is chosen: put 'version' before 'tool' "
                "(usage: version CODE MAJOR MINOR [MAINTENANCE])\n"},
        Refusal{
            "CountAboveTheLimit", "layer P\ntool\ndialog type 20000\n", "run s.session --svg out/a.svg",
            "s.session:3: a count of 20000 makes more than 10000 copies of each object: run with --yes to allow it\n"},
        Refusal{"ScriptIsAFolder", kGood, "run adir --svg out/a.svg", "workbench: adir is a folder, not a script\n"},
        Refusal{"NoScript", kGood, "run missing.session --svg out/a.svg", "workbench: cannot read missing.session\n"},
        Refusal{"SvgInMissingFolder", kGood, "run s.session --svg out/none/a.svg",
                "workbench: --svg: the folder 'out/none' does not exist\n"},
        Refusal{"SvgOntoAFolder", kGood, "run s.session --svg out/folder",
                "workbench: --svg: 'out/folder' is a folder\n"},
        Refusal{"FramesOntoAFile", kGood, "run s.session --frames afile --svg out/a.svg",
                "workbench: --frames: 'afile' is a file, not a folder\n"},
        Refusal{"TraceOntoAFolder", kGood, "run s.session --trace out/folder --svg out/a.svg",
                "workbench: --trace: 'out/folder' is a folder\n"},
        Refusal{"HtmlInMissingFolder", kGood, "run s.session --html out/none/a.html --svg out/a.svg",
                "workbench: --html: the folder 'out/none' does not exist\n"},
        Refusal{"PluginMissing", kGood, "run s.session --plugin ./none.so --svg out/a.svg",
                "workbench: cannot load plug-in: ./none.so: cannot open shared object file: No such file or "
                "directory\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Program, RunsAGoodSessionAndWritesEveryOutputWhole) {
    Script(kGood);
    const Ran ran = Run(std::string("run s.session") + kOutputs);
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.err, "");
    EXPECT_THAT(ran.out, ::testing::HasSubstr("> click 2 0\n"));
    for (const char* name : {"a.svg", "a.jsonl", "a.html"}) EXPECT_TRUE(fs::exists(dir / "out" / name)) << name;
    for (const auto& entry : fs::directory_iterator(dir / "out"))
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

TEST_F(Program, YesLetsACountAboveTheLimitRun) {
    Script("layer P\ntool\ndialog type 20000\ndialog press ok\nsettings\n");
    const Ran ran = Run("run s.session --yes --svg out/a.svg");
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_THAT(ran.out, ::testing::HasSubstr("#   closed with OK, \"Copies or parts:\" 20000\n"));
    EXPECT_TRUE(fs::exists(dir / "out" / "a.svg"));
}

TEST_F(Program, ACrashInThePluginIsReportedWithTheEventAndTheLineAndTheTranscriptIsKept) {
    Script(kGood);
    const Ran ran = Run("run s.session --plugin '" CRASHING_PLUGIN "' --trace out/a.jsonl --svg out/a.svg");
    EXPECT_EQ(ran.status, 3);
    EXPECT_THAT(ran.out, ::testing::HasSubstr("> click 0 0\n"));
    EXPECT_THAT(ran.out, ::testing::EndsWith("the plug-in crashed in event 100 (script line 5)\n"));
    EXPECT_EQ(ran.err, "the plug-in crashed in event 100 (script line 5)\n");
    // The trace is kept up to the crash as well; the drawing of the end is not made.
    EXPECT_THAT(FileText(dir / "out" / "a.jsonl"), ::testing::HasSubstr("\"event\":105"));
    EXPECT_FALSE(fs::exists(dir / "out" / "a.svg"));
    EXPECT_FALSE(fs::exists(dir / "out" / "a.jsonl.part"));
}

}  // namespace
