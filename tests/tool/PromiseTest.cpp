// The tool's promise: after the action completes, copy k lies exactly where
// the preview drew outline k (the moved selection where it drew the one
// outline), in every mode, with and without duplicating, for one copy and
// several, in the plan and in space.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "ToolHarness.h"

namespace {

std::vector<Cube3D> gOutlines;  // what the preview drew, in order
std::vector<std::array<Point3D, 2>> gLines3D;

void KS_CDECL CaptureRect(const Rect2D* r) {
    Cube3D c;
    c.minX = r->left;
    c.maxX = r->right;
    c.minY = r->bottom;
    c.maxY = r->top;
    c.minZ = c.maxZ = 0.0;
    gOutlines.push_back(c);
}

void KS_CDECL CaptureLine3D(const Point3D* from, const Point3D* to) { gLines3D.push_back({*from, *to}); }

// A box's edge runs along one axis; the span and path lines are chosen to run
// along none, so the edges can be told apart and taken twelve to a box.
bool AlongOneAxis(const std::array<Point3D, 2>& l) {
    return (l[0].x != l[1].x) + (l[0].y != l[1].y) + (l[0].z != l[1].z) == 1;
}

std::vector<Cube3D> BoxesFromEdges(const std::vector<std::array<Point3D, 2>>& lines) {
    std::vector<Cube3D> boxes;
    int edges = 0;
    for (const auto& line : lines) {
        if (!AlongOneAxis(line)) continue;
        if (edges++ % 12 == 0) boxes.emplace_back();
        Cube3D& c = boxes.back();
        for (const Point3D& p : line) {
            c.minX = std::min(c.minX, p.x);
            c.maxX = std::max(c.maxX, p.x);
            c.minY = std::min(c.minY, p.y);
            c.maxY = std::max(c.maxY, p.y);
            c.minZ = std::min(c.minZ, p.z);
            c.maxZ = std::max(c.maxZ, p.z);
        }
    }
    EXPECT_EQ(edges % 12, 0);
    return boxes;
}

std::tuple<double, double, double, double, double, double> Sides(const Cube3D& c, bool spatial) {
    return {c.minX, c.maxX, c.minY, c.maxY, spatial ? c.minZ : 0.0, spatial ? c.maxZ : 0.0};
}

using PromiseCase = std::tuple<int16_t /*mode*/, bool /*duplicate*/, int32_t /*count*/, bool /*spatial*/>;

class Promise : public ToolHarness, public ::testing::WithParamInterface<PromiseCase> {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        if (Spatial()) {
            layer->viewKind = host::kSpaceView;
            host.document.Detach(rectangle);
            rectangle = AddRectangle(0, 0, 2, 1, 1.5);
            host.document.Select(rectangle, true);
        }
        CreateAndSetUp();
        ASSERT_EQ(Record().planar, Spatial() ? 0 : 1);
    }
    bool Spatial() const { return std::get<3>(GetParam()); }
};

TEST_P(Promise, CopyKLandsWhereOutlineKWasDrawn) {
    const auto [mode, duplicate, count, spatial] = GetParam();
    Record().mode = mode;
    Record().duplicate = duplicate;
    Record().count = count;
    // Diagonal in every axis; the parts and z steps are inexact and exact in turn.
    std::vector<Point3D> points = {{1, 2, 0}, {4, 6, 3}, {9, 7, 6}};
    if (!spatial) {
        for (Point3D& p : points) p.z = 0.0;
    }
    if (mode != kModePath) points.pop_back();

    // The preview just before the last click: the cursor on the last point.
    host.points.picked.assign(points.begin(), points.end() - 1);
    host.points.cursor = points.back();
    gOutlines.clear();
    gLines3D.clear();
    host.Override<ks::selector::kDrawFeedbackRect>(&CaptureRect);
    host.Override<ks::selector::kDrawFeedbackLine3D>(&CaptureLine3D);
    Send(kToolEventDraw);
    host.Override<ks::selector::kDrawFeedbackRect>(nullptr);
    host.Override<ks::selector::kDrawFeedbackLine3D>(nullptr);
    const std::vector<Cube3D> outlines = spatial ? BoxesFromEdges(gLines3D) : gOutlines;

    host.points.picked = points;
    Send(kToolEventComplete);
    const std::vector<host::Object*> objects = host.document.AllObjects();
    const bool copies = duplicate || mode == kModePath;
    const std::vector<host::Object*> landed(objects.begin() + (copies ? 1 : 0), objects.end());

    const std::size_t places = mode == kModePath ? points.size() - 1 : duplicate ? count : 1;
    ASSERT_EQ(outlines.size(), places);
    ASSERT_EQ(landed.size(), places);
    for (std::size_t k = 0; k < places; ++k) {
        EXPECT_EQ(Sides(host::Document::SpaceBounds(*landed[k]), spatial), Sides(outlines[k], spatial))
            << "copy " << k + 1;
        EXPECT_TRUE(landed[k]->selected) << "copy " << k + 1;
    }
    if (copies) {
        EXPECT_FALSE(objects[0]->selected);  // only the copies stay selected
    }
    EXPECT_EQ(host.undo.Done().size(), 1u);
}

std::string CaseName(const ::testing::TestParamInfo<PromiseCase>& info) {
    const char* modes[] = {"", "Span", "Parts", "Path"};
    return std::string(modes[std::get<0>(info.param)]) + (std::get<1>(info.param) ? "Copies" : "Move") +
           std::to_string(std::get<2>(info.param)) + (std::get<3>(info.param) ? "InSpace" : "InPlan");
}

INSTANTIATE_TEST_SUITE_P(EveryModeCountAndKindOfWork, Promise,
                         ::testing::Combine(::testing::Values(kModeSpan, kModeParts, kModePath), ::testing::Bool(),
                                            ::testing::Values(1, 3), ::testing::Bool()),
                         CaseName);

}  // namespace
