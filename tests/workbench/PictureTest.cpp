// The drawings: one view for a whole run, the points of the last action kept,
// labels that give way, the elevation when something stands up, the tool's
// own cursor picture and the status line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "Art.h"
#include "TestFiles.h"
#include "workbench/Cursors.h"
#include "workbench/Labels.h"
#include "workbench/Markup.h"
#include "workbench/Pictures.h"
#include "workbench/Runner.h"
#include "workbench/Svg.h"

namespace {

namespace fs = std::filesystem;

using workbench_test::FileText;

// The start of every element of one kind inside the groups of one class
// (nested groups included).
std::vector<std::string> InGroup(const std::string& svg, const std::string& group, const std::string& element) {
    std::vector<std::string> found;
    for (std::size_t at = svg.find("<g class=\"" + group + "\""); at != std::string::npos;
         at = svg.find("<g class=\"" + group + "\"", at + 1)) {
        std::size_t end = at + 1;
        for (int depth = 1; depth > 0;) {
            const std::size_t open = svg.find("<g ", end), close = svg.find("</g>", end);
            depth += open < close ? 1 : -1;
            end = std::min(open, close) + 1;
        }
        for (std::size_t e = svg.find("<" + element + " ", at); e < end; e = svg.find("<" + element + " ", e + 1))
            found.push_back(svg.substr(e, svg.find('>', e) - e));
    }
    return found;
}

// Runs a script in-process with its drawings written to a scratch folder.
class Drawings : public ::testing::Test {
protected:
    void SetUp() override {
        dir = workbench_test::ScratchFolder("pictures");
        fs::create_directories(dir / "frames");
    }
    void TearDown() override { fs::remove_all(dir); }

    void Run(const std::string& text) {
        std::istringstream in(text);
        const workbench::Script script = workbench::ReadScript(in, "s.session");
        std::ostringstream transcript;
        workbench::Runner runner(transcript);
        workbench::RunOptions options;
        options.plugin = MOVEDUP_PLUGIN_PATH;
        workbench::Pictures pictures(
            {"s.session", (dir / "end.svg").string(), (dir / "frames").string(), (dir / "page.html").string()});
        runner.Begin(script, options);
        for (const workbench::Line& line : script.lines) {
            runner.RunLine(line);
            pictures.AfterLine(line, runner.Host(), runner.Session().Cursor(), "");
        }
        ASSERT_EQ(runner.End(), 0) << transcript.str();
        pictures.Write("");
    }
    std::string Frame(int n) const {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%04d.svg", n);
        return FileText(dir / "frames" / name);
    }

    fs::path dir;
};

constexpr const char* kCopies =
    "layer P\nrect Table 0 0 4 2\nselect Table\ntool\nkeys duplicate\nclick 0 0\nmove 3 1\nmove 6 0\n"
    "click 6 0\nmove 40 30\nkeys none\nclick 1 1\n";

TEST_F(Drawings, EveryFrameOfARunHasOneViewAndTheEndIsTheLastFrame) {
    Run(kCopies);
    // The table never moves: it lies at the same place on every frame, though
    // the copies and the cursor far off came later.
    auto table = [](const std::string& frame) {
        const std::string element = InGroup(frame, "objects", "polygon").at(0);
        return element.substr(0, element.find("\" "));
    };
    for (int n = 2; n <= 12; ++n) {
        const std::string frame = Frame(n);
        EXPECT_EQ(table(frame), table(Frame(2))) << "frame " << n;
        EXPECT_THAT(frame, ::testing::HasSubstr("viewBox=\"0 0 800.00 640.00\""));
    }
    EXPECT_EQ(FileText(dir / "end.svg"), Frame(12));
    EXPECT_THAT(FileText(dir / "page.html"), ::testing::HasSubstr("data-frames=\"13\""));
}

TEST_F(Drawings, KeepThePointsOfTheLastActionUntilTheNextOneStarts) {
    Run(kCopies);
    struct Expected {
        int frame;
        std::size_t picked, last;
    };
    for (const Expected& e : {Expected{6, 1, 0},    // click 0 0: picking
                              Expected{8, 1, 0},    // move 6 0
                              Expected{9, 0, 2},    // click 6 0: done, the span kept
                              Expected{11, 0, 2},   // moves and keys leave it
                              Expected{12, 1, 0}})  // click 1 1: a new action
    {
        const std::string frame = Frame(e.frame);
        EXPECT_EQ(InGroup(frame, "picked", "circle").size(), e.picked) << "frame " << e.frame;
        EXPECT_EQ(InGroup(frame, "last-picked", "circle").size(), e.last) << "frame " << e.frame;
    }
}

TEST_F(Drawings, AnElevationWhenSomethingStandsAboveThePlan) {
    Run("layer P\nrect Flat 0 0 1 1\n");
    EXPECT_THAT(FileText(dir / "end.svg"), ::testing::Not(::testing::HasSubstr("class=\"elevation\"")));
    Run("version 1 11 0\nlayer M space\nbox Crate 0 0 2 2 1\nselect Crate\ntool\nkeys duplicate\nclick 0 0 0\n"
        "keys none\nclick 0 0 3\n");
    const std::string end = FileText(dir / "end.svg");
    // The copy stacked above the crate hides it in the plan; the elevation
    // shows both, the copy 3 above.
    const std::vector<std::string> side = InGroup(end, "elevation", "polygon");
    ASSERT_EQ(side.size(), 2u);
    EXPECT_NE(side[0], side[1]);
    EXPECT_EQ(InGroup(end, "elevation", "circle").size(), 2u);  // the span, from z 0 to z 3
}

TEST(CursorArt, IsTheToolsPictureWithItsHotspotOnThePoint) {
    workbench::Scene scene;
    scene.cursorId = 17002;
    scene.cursor = Point3D(5, 5, 0);
    workbench::Extent extent;
    extent.Add(Point3D(0, 0, 0));
    extent.Add(Point3D(10, 10, 0));
    const workbench::Sheet sheet = workbench::FitSheet(extent);
    const std::string svg = workbench::DrawingSvg(scene, sheet, "t");
    const cursorgen::Cursor& picture = *workbench::CursorPicture(17002);
    int inked = 0;
    for (cursorgen::Shade shade : picture.image) inked += shade != cursorgen::Shade::kTransparent;

    // The cursor group after the legend's is the one at the point.
    const std::size_t group = svg.find("<g class=\"cursor\"", svg.find("<g class=\"labels\""));
    const std::string art = svg.substr(group, svg.find("</g>", group) - group);
    const std::regex run("M([0-9.]+) ([0-9.]+)h([0-9.]+)");
    int pixels = 0;
    double left = 1e9, top = 1e9;
    for (std::sregex_iterator it(art.begin(), art.end(), run), end; it != end; ++it) {
        left = std::min(left, std::stod((*it)[1]));
        top = std::min(top, std::stod((*it)[2]));
        pixels += static_cast<int>(std::stod((*it)[3]));
    }
    EXPECT_EQ(pixels, inked);
    const workbench::SheetPoint at = sheet.plan.At(scene.cursor);
    // The picture's first inked column and row lie where the hotspot puts them.
    int firstX = cursorgen::kSize, firstY = cursorgen::kSize;
    for (int y = 0; y < cursorgen::kSize; ++y)
        for (int x = 0; x < cursorgen::kSize; ++x)
            if (picture.At(x, y) != cursorgen::Shade::kTransparent)
                firstX = std::min(firstX, x), firstY = std::min(firstY, y);
    EXPECT_NEAR(left, at.x - picture.hotspotX + firstX, 0.01);
    EXPECT_NEAR(top, at.y - picture.hotspotY + firstY, 0.01);
}

TEST(Labels, TakeTheFirstFreePlaceAroundTheirObjectOrAreDropped) {
    workbench::LabelPlacer placer;
    const workbench::SheetBox panel{0, 0, 400, 400};
    const workbench::SheetBox object{100, 100, 140, 120};
    std::vector<workbench::SheetBox> placed;
    for (int i = 0; i < 5; ++i)
        if (auto box = placer.Place(object, 30, 12, panel)) placed.push_back(*box);
    // Above, below, right, left: the fifth label has nowhere to go.
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_LT(placed[0].bottom, object.top);
    EXPECT_GT(placed[1].top, object.bottom);
    EXPECT_GT(placed[2].left, object.right);
    EXPECT_LT(placed[3].right, object.left);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        EXPECT_TRUE(placed[i].Inside(panel));
        for (std::size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].Overlaps(placed[j]));
    }
    // Near the panel's top the place above is not on the panel.
    EXPECT_GT(placer.Place({300, 2, 320, 20}, 30, 12, panel)->top, 20);
}

TEST(Sheet, HoldsTheWholeExtentInItsPanels) {
    struct Case {
        std::vector<Point3D> points;
        bool elevation;
    };
    const Case cases[] = {
        {{{0, 0, 0}}, false},                         // a single point
        {{{-2, -1, 0}, {30, -1, 0}}, false},          // a line
        {{{0, 0, 0}, {2, 2, 0}, {0, 0, 4}}, true},    // a stack: the elevation beside
        {{{0, 0, 0}, {300, 2, 0}, {0, 0, 1}}, true},  // long and low: the elevation below
        {{{-1e11, 0, 0}, {1e11, 1e-300, 0}}, false},  // far and flat
    };
    for (const Case& c : cases) {
        workbench::Extent extent;
        for (const Point3D& p : c.points) extent.Add(p);
        const workbench::Sheet sheet = workbench::FitSheet(extent);
        EXPECT_EQ(sheet.elevation.has_value(), c.elevation);
        EXPECT_GT(sheet.scaleBar * sheet.scale, 40);
        EXPECT_LE(sheet.scaleBar * sheet.scale, 120);
        for (const Point3D& p : c.points) {
            std::vector<const workbench::Panel*> panels = {&sheet.plan};
            if (sheet.elevation) panels.push_back(&*sheet.elevation);
            for (const workbench::Panel* panel : panels) {
                const workbench::SheetPoint s = panel->At(p);
                EXPECT_TRUE(s.x >= panel->box.left && s.x <= panel->box.right && s.y >= panel->box.top &&
                            s.y <= panel->box.bottom)
                    << p.x << " " << p.y << " " << p.z;
            }
        }
    }
}

TEST(StatusLine, SaysModeCountWhatTheToolWillDoAndTheCursor) {
    struct Case {
        int mode;
        std::optional<double> count;
        int32_t cursor;
        const char* status;
    };
    const Case cases[] = {
        {1, 3, 17002, "mode span · count 3 · duplicate · cursor 17002 (duplicate)"},
        {2, 5, 17006, "mode parts · count 5 · duplicate, repeat, reverse · cursor 17006 (reverse duplicate)"},
        {1, std::nullopt, 17013, "mode span · count - · move, repeat · cursor 17013 (repeat move in space)"},
        {3, std::nullopt, 17008, "mode path · count - · duplicate, repeat · cursor 17008 (repeat path)"},
        {0, std::nullopt, 17000, "mode - · count - · - · cursor 17000 (nothing selected)"},
        {9, std::nullopt, 0, "mode - · count - · - · cursor 0"},
    };
    for (const Case& c : cases) {
        workbench::Scene scene;
        scene.mode = c.mode;
        scene.count = c.count;
        scene.cursorId = c.cursor;
        EXPECT_EQ(workbench::StatusText(scene), c.status);
    }
}

TEST(Markup, EscapesMarkupAndRepairsWhatIsNotText) {
    const std::pair<std::string, std::string> cases[] = {
        {"<a & \"b\">", "&lt;a &amp; &quot;b&quot;&gt;"},
        {"\xE2\x88\x86X: 1", "\xE2\x88\x86X: 1"},  // well-formed UTF-8 stays
        {"a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},                                                     // a stray byte
        {"\xE2\x88", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // a cut sequence
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"tab\tline\n\x01", "tab\tline\n\xEF\xBF\xBD"},            // a control character
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(workbench::EscapeMarkup(text), escaped);
    EXPECT_EQ(workbench::SheetNumber(-0.001), "0.00");
    EXPECT_EQ(workbench::SheetNumber(1e300), "1000000.00");
}

}  // namespace
