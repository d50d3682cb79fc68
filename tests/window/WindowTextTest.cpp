// What the window writes: the data bar's field texts, the command line it
// accepts and the status a test reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FieldText.h"
#include "Options.h"
#include "StatusReport.h"

namespace {

host::DataField Field(int32_t kind, std::string label = "") {
    host::DataField f;
    f.kind = kind;
    f.label = std::move(label);
    return f;
}

TEST(FieldText, TheToolsNumberWinsOverWhatTheHostWouldShow) {
    host::ToolPoints points;
    points.cursor = Point3D(6, 8, 0);
    host::DataField f = Field(1);
    f.value = 3;
    EXPECT_EQ(window::FieldValue(f, points), "3");
    f.value.reset();
    f.length = 2.5;
    EXPECT_EQ(window::FieldValue(f, points), "2.5");
}

TEST(FieldText, HostKindsShowTheCursorAndTheSpanFromTheLastPickedPoint) {
    host::ToolPoints points;
    points.cursor = Point3D(6, 8, 2);
    EXPECT_EQ(window::FieldValue(Field(1), points), "6");
    EXPECT_EQ(window::FieldValue(Field(36), points), "2");
    EXPECT_EQ(window::FieldValue(Field(5), points), "0");  // no span yet
    points.picked = {Point3D(100, 100, 0), Point3D(3, 4, 0)};
    const struct {
        int32_t kind;
        const char* text;
    } cases[] = {{3, "3"},  {4, "4"},       {5, "5"}, {6, "53.1301"}, {69, "3"},
                 {71, "2"}, {42, "5.3852"}, {15, ""}, {65, ""}};
    for (const auto& c : cases) EXPECT_EQ(window::FieldValue(Field(c.kind), points), c.text) << c.kind;
}

TEST(FieldText, LabelsAreShownInUnicodeAndNumbersWithoutClutter) {
    EXPECT_EQ(window::FieldLabel(Field(3, "\xC6X:")), "∆X:");
    EXPECT_EQ(window::FieldLabel(Field(65, "Lenght/Parts:")), "Lenght/Parts:");
    const struct {
        double value;
        const char* text;
    } cases[] = {{2.5, "2.5"}, {-0.00001, "0"}, {1.0 / 3, "0.3333"}, {-12, "-12"}, {1e6, "1000000"}};
    for (const auto& c : cases) EXPECT_EQ(window::FormatNumber(c.value), c.text);
}

TEST(Options, TheCommandLineIsReadWholeOrRefused) {
    const window::Options o = window::ParseOptions({"--plugin", "P.dll", "s.session", "--dump", "d.txt", "--step-ms",
                                                    "0", "--exit-when-done", "--size", "640x480"});
    EXPECT_EQ(o.plugin, "P.dll");
    EXPECT_EQ(o.script, "s.session");
    EXPECT_EQ(o.dump, "d.txt");
    EXPECT_EQ(o.stepMs, 0);
    EXPECT_TRUE(o.exitWhenDone);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);

    const std::vector<std::vector<std::string>> bad = {
        {"--plugin"},        {"--step-ms", "-1"}, {"--step-ms", "x"}, {"--size", "100"},
        {"--size", "10x10"}, {"a", "b"},          {"--frobnicate"},   {"--exit-when-done"},
    };
    for (const auto& args : bad) EXPECT_THROW(window::ParseOptions(args), window::UsageError) << args[0];
}

TEST(StatusReport, SaysWhereTheDrawingIsAndWhatTheToolDoes) {
    host::Host h;
    host::Session session(h);
    h.points.picked = {Point3D(0, 0, 0)};
    window::WindowFacts facts;
    facts.toolChosen = true;
    facts.script = "done";
    facts.origin = {103.5, 457.25};
    facts.scale = 28.75;
    facts.snap = 0.5;
    const std::string text = window::StatusText(facts, h, session);
    for (const char* line : {"tool move-duplicate\n", "script done\n", "picked 1\n", "collect none\n", "preview 0\n",
                             "origin 103.5 457.25\n", "scale 28.75\n", "snap 0.5\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

}  // namespace
