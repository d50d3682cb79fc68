// The preview: exact call orders, the figures it leaves on screen, and the
// erase-and-redraw pairs of the cursor event.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolHarness.h"
#include "host/Feedback.h"
#include "host/Session.h"

namespace {

using host::Figure;
using ::testing::ElementsAre;

Rect2D R(double left, double bottom, double right, double top) {
    Rect2D r;
    r.top = top;
    r.left = left;
    r.bottom = bottom;
    r.right = right;
    return r;
}

class Feedback : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        host.version = {1, 10, 4, 0};  // plan work unless a test says otherwise
        CreateAndSetUp();
    }
    // Draws the preview once on an empty screen.
    std::set<Figure> DrawOnce() {
        host.feedback.Clear();
        Send(kToolEventDraw);
        return host.feedback.Shown();
    }
};

TEST_F(Feedback, PartsWithDuplicatesInTheOrderOfTheHostCalls) {
    Record().mode = kModeParts;
    Record().duplicate = 1;
    Record().count = 3;
    Pick(0, 0);
    MoveCursor(6, 3);
    Send(kToolEventDraw);
    EXPECT_THAT(CallNames(), ElementsAre("KS_GetToolPointCount", "KS_GetSelectionBounds", "KS_GetToolPoint",
                                         "KS_GetCurrentToolPoint", "KS_SetDataFieldLength", "KS_DrawFeedbackLine",
                                         "KS_DrawFeedbackRect", "KS_DrawFeedbackRect", "KS_DrawFeedbackRect"));
    EXPECT_EQ(Calls()[4], "KS_SetDataFieldLength(6, 2.23606797749979)");
    EXPECT_EQ(Calls()[5], "KS_DrawFeedbackLine((0, 0), (2, 1))");
    // The rectangle (0,0)-(2,1) shifted by one, two and three parts; the last lies at the cursor.
    EXPECT_EQ(host.feedback.Shown(),
              (std::set<Figure>{Figure::Line(Point2D(0, 0), Point2D(2, 1)), Figure::Rect(R(2, 1, 4, 2)),
                                Figure::Rect(R(4, 2, 6, 3)), Figure::Rect(R(6, 3, 8, 4))}));
}

// Where the outlines lie is the promise (PromiseTest.cpp); the preview's
// lines and its part length are its own.
TEST_F(Feedback, TheLineRunsToTheCursorInSpanModeAndOverTheFirstPartInPartsMode) {
    Record().count = 4;
    Pick(0, 0);
    MoveCursor(10, 0);
    EXPECT_TRUE(DrawOnce().count(Figure::Line({0, 0}, {10, 0})));
    EXPECT_EQ(host.dataBar.shown.count(kPartLengthField), 0u);

    Record().mode = kModeParts;
    EXPECT_TRUE(DrawOnce().count(Figure::Line({0, 0}, {2.5, 0})));
    EXPECT_DOUBLE_EQ(host.dataBar.shown[kPartLengthField].length.value(), 2.5);
}

TEST_F(Feedback, APathHasALineThroughEveryVertexToTheCursor) {
    Record().mode = kModePath;
    Pick(0, 0);
    Pick(5, 0);
    Pick(5, 5);
    MoveCursor(0, 5);
    const std::set<Figure> shown = DrawOnce();
    for (const Figure& line :
         {Figure::Line({0, 0}, {5, 0}), Figure::Line({5, 0}, {5, 5}), Figure::Line({5, 5}, {0, 5})})
        EXPECT_TRUE(shown.count(line));
    EXPECT_EQ(shown.size(), 6u);  // and an outline per segment
}

TEST_F(Feedback, AZeroSpanPutsEveryOutlineOnTheSelection) {
    Record().duplicate = 1;
    Record().count = 2;
    Pick(3, 3);
    MoveCursor(3, 3);
    // Two outlines on the same place cancel out on an exclusive-or screen.
    EXPECT_EQ(DrawOnce(), (std::set<Figure>{Figure::Line({3, 3}, {3, 3})}));
}

TEST_F(Feedback, AModeOutsideOneToThreeDrawsNothing) {
    Record().mode = 4;
    Pick(0, 0);
    MoveCursor(1, 1);
    EXPECT_TRUE(DrawOnce().empty());
}

TEST_F(Feedback, NothingIsDrawnBeforeTheFirstPointOrWhileRepeating) {
    MoveCursor(5, 5);
    Send(kToolEventDraw);
    EXPECT_THAT(CallNames(), ElementsAre("KS_GetToolPointCount"));
    Pick(0, 0);
    Record().repeatLast = 1;
    Send(kToolEventDraw);
    EXPECT_THAT(CallNames(), ElementsAre("KS_GetToolPointCount"));
    EXPECT_TRUE(host.feedback.Empty());
}

TEST_F(Feedback, NothingSelectedShiftsTheEmptySentinel) {
    host.document.ClearSelection();
    Pick(0, 0);
    MoveCursor(1, 0);
    const std::set<Figure> shown = DrawOnce();
    ASSERT_EQ(shown.size(), 2u);
    // Shifting the sentinel leaves it where it was: nothing is reported.
    EXPECT_TRUE(shown.count(Figure::Rect(Rect2D())));
}

TEST_F(Feedback, DrawingTwiceWithNothingChangedMakesTheSameCalls) {
    Record().mode = kModePath;
    Pick(0, 0);
    Pick(3, 4);
    MoveCursor(7, 7);
    Send(kToolEventDraw);
    const std::vector<std::string> first = Calls();
    Send(kToolEventDraw);
    EXPECT_EQ(Calls(), first);
    EXPECT_TRUE(host.feedback.Empty());
}

class SpatialFeedback : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        layer->viewKind = host::kSpaceView;
        host.document.Detach(rectangle);
        box = AddRectangle(0, 0, 2, 1, 3.0);  // a box 2 by 1 by 3
        host.document.Select(box, true);
        CreateAndSetUp();
        ASSERT_EQ(Record().planar, 0);
    }
    host::Object* box = nullptr;
};

TEST_F(SpatialFeedback, TwelveEdgesInOrderPerOutline) {
    Pick(0, 0, 0);
    MoveCursor(1, 2, 3);
    Send(kToolEventDraw);
    std::vector<std::string> calls = Calls();
    ASSERT_EQ(calls.size(), 2u + 2u + 1u + 12u);
    EXPECT_EQ(calls[2], "KS_GetToolPoint3D(0, &out) -> 1 [(0, 0, 0)]");
    EXPECT_EQ(calls[3], "KS_GetCurrentToolPoint3D(&out) -> 1 [(1, 2, 3)]");
    EXPECT_EQ(calls[4], "KS_DrawFeedbackLine3D((0, 0, 0), (1, 2, 3))");
    // The box moved to x 1..3, y 2..3, z 3..6: the face at the top, the face
    // at the bottom, then the four edges between them.
    const std::vector<std::string> edges(calls.begin() + 5, calls.end());
    EXPECT_THAT(
        edges,
        ElementsAre("KS_DrawFeedbackLine3D((1, 2, 6), (3, 2, 6))", "KS_DrawFeedbackLine3D((3, 2, 6), (3, 3, 6))",
                    "KS_DrawFeedbackLine3D((3, 3, 6), (1, 3, 6))", "KS_DrawFeedbackLine3D((1, 3, 6), (1, 2, 6))",
                    "KS_DrawFeedbackLine3D((1, 2, 3), (3, 2, 3))", "KS_DrawFeedbackLine3D((3, 2, 3), (3, 3, 3))",
                    "KS_DrawFeedbackLine3D((3, 3, 3), (1, 3, 3))", "KS_DrawFeedbackLine3D((1, 3, 3), (1, 2, 3))",
                    "KS_DrawFeedbackLine3D((1, 2, 6), (1, 2, 3))", "KS_DrawFeedbackLine3D((3, 2, 6), (3, 2, 3))",
                    "KS_DrawFeedbackLine3D((3, 3, 6), (3, 3, 3))", "KS_DrawFeedbackLine3D((1, 3, 6), (1, 3, 3))"));
}

TEST_F(SpatialFeedback, PartsInSpaceShowTheSpatialPartLength) {
    Record().mode = kModeParts;
    Record().count = 2;
    Pick(0, 0, 0);
    MoveCursor(2, 4, 4);
    Send(kToolEventDraw);
    EXPECT_DOUBLE_EQ(host.dataBar.shown[6].length.value(), 3.0);
    EXPECT_EQ(host.feedback.Shown().size(), 13u);
}

// Following the view again while a point is picked turns the preview from
// plan to space: the plan figure must not stay behind on screen.
TEST_F(SpatialFeedback, SwitchingToSpaceWhilePickingTakesThePlanPreviewAlong) {
    host::Session session(host);
    session.ChangeMode(kGroupPlanOrSpace, kPlanChoicePlan);
    ASSERT_EQ(Record().planar, 1);
    session.ChangeMode(kGroupMode, kModePath);
    session.Click(Point3D(0, 0, 0));
    session.MoveMouse(Point3D(4, 0, 0));
    session.ChangeMode(kGroupPlanOrSpace, kPlanChoiceFollowView);
    ASSERT_EQ(Record().planar, 0);
    session.PutAway();
    EXPECT_TRUE(host.feedback.Empty()) << host.feedback.Shown().size() << " figures left";
}

// ---- the screen while the user picks ------------------------------------------

// What the preview should be for the state the record and the host hold now,
// worked out independently of the tool.
std::set<Figure> ExpectedPreview(const ToolSettings& r, const host::Host& h) {
    std::vector<Figure> figures;
    const auto& picked = h.points.picked;
    if (picked.empty() || r.repeatLast) return {};
    const Rect2D bounds = h.document.SelectionBounds();
    auto shifted = [&](double dx, double dy) {
        Rect2D s = bounds;
        s.left += dx;
        s.right += dx;
        s.top += dy;
        s.bottom += dy;
        return Figure::Rect(s);
    };
    const Point2D a(picked[0].x, picked[0].y);
    const Point2D cursor(h.points.cursor.x, h.points.cursor.y);
    if (r.mode == kModeSpan || r.mode == kModeParts) {
        const double parts = r.mode == kModeParts ? r.count : 1.0;
        const Point2D d = (cursor - a) / parts;
        figures.push_back(Figure::Line(a, r.mode == kModeParts ? a + d : cursor));
        const int outlines = r.duplicate ? r.count : 1;
        Point2D at = d;
        for (int k = 1; k <= outlines; ++k, at = at + d) figures.push_back(shifted(at.x, at.y));
    } else if (r.mode == kModePath) {
        Point2D total(0, 0);
        for (std::size_t i = 0; i < picked.size(); ++i) {
            const Point2D from(picked[i].x, picked[i].y);
            const Point2D to = i + 1 == picked.size() ? cursor : Point2D(picked[i + 1].x, picked[i + 1].y);
            if (to.x == from.x && to.y == from.y) continue;  // a vertex on the one before makes no step
            figures.push_back(Figure::Line(from, to));
            total = total + (to - from);
            figures.push_back(shifted(total.x, total.y));
        }
    }
    return host::FeedbackOverlay::Xor(figures);
}

struct Gesture {
    enum Type { Move, Click, Keys } type;
    double x = 0, y = 0;
    host::ModifierKeys keys{};
};

class ScreenWhilePicking : public ToolHarness,
                           public ::testing::WithParamInterface<std::pair<int16_t, std::vector<Gesture>>> {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        host.version = {1, 10, 4, 0};
    }
};

TEST_P(ScreenWhilePicking, HoldsExactlyThePreviewOfTheCurrentState) {
    host::Session session(host);
    session.ChooseTool();
    session.ChangeMode(kGroupMode, GetParam().first);
    int step = 0;
    for (const Gesture& g : GetParam().second) {
        ++step;
        if (g.type == Gesture::Move)
            session.MoveMouse(Point3D(g.x, g.y, 0));
        else if (g.type == Gesture::Click)
            session.Click(Point3D(g.x, g.y, 0));
        else
            session.SetKeys(g.keys);
        ASSERT_EQ(host.feedback.Shown(), ExpectedPreview(Record(), host)) << "after gesture " << step;
    }
}

Gesture M(double x, double y) { return {Gesture::Move, x, y, {}}; }
Gesture C(double x, double y) { return {Gesture::Click, x, y, {}}; }
Gesture K(bool first, bool second, bool third = false) { return {Gesture::Keys, 0, 0, {first, second, third}}; }

INSTANTIATE_TEST_SUITE_P(
    Gestures, ScreenWhilePicking,
    ::testing::Values(
        // Duplicating along a span while stepping the count up and down.
        std::make_pair(kModeSpan,
                       std::vector<Gesture>{K(true, false), M(1, 1), C(1, 1), K(false, false), M(4, 1), K(true, false),
                                            M(5, 2), M(6, 2), K(false, false), K(true, false), K(false, true),
                                            K(false, false), M(7, 3), C(7, 3), M(8, 8)}),
        // Parts, where the keys step the count without duplicating.
        std::make_pair(kModeParts,
                       std::vector<Gesture>{M(0, 0), C(0, 0), M(8, 0), K(true, false), K(false, false), M(9, 1),
                                            K(false, true), K(false, false), K(false, true), M(12, 3), C(12, 3)}),
        // A path: every click adds a segment and an outline.
        std::make_pair(kModePath, std::vector<Gesture>{C(0, 0), M(3, 0), C(3, 0), M(3, 3), K(true, true), C(3, 3),
                                                       M(6, 6), M(0, 9)})));

}  // namespace
