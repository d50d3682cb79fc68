// The window's view of the drawing: pixels and world points agree both
// ways, zooming keeps the point under the mouse, fitting shows the whole
// drawing, and the mouse snaps to exact grid points.
#include <gtest/gtest.h>

#include <cmath>

#include "View.h"

namespace {

using window::Pixel;
using window::View;

View Sized(int width, int height) {
    View view;
    view.Resize(width, height);
    return view;
}

TEST(View, PixelsAndWorldPointsAgreeBothWaysWithYUpwards) {
    View view = Sized(800, 600);
    view.Fit(window::Extent{0, 0, 10, 5, false}, 0);
    const Pixel low = view.ToPixel(0, 0), high = view.ToPixel(10, 5);
    EXPECT_LT(low.x, high.x);
    EXPECT_GT(low.y, high.y);  // up in the drawing is up on screen
    for (const Pixel p : {Pixel{0, 0}, Pixel{123.5, 77.25}, Pixel{800, 600}}) {
        const Point3D w = view.ToWorld(p);
        const Pixel back = view.ToPixel(w.x, w.y);
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
    }
}

TEST(View, FitShowsTheWholeExtentCentredWithinTheMargin) {
    View view = Sized(1000, 700);
    view.Fit(window::Extent{-2, -1, 30, 2, false}, 40);
    const Pixel a = view.ToPixel(-2, 2), b = view.ToPixel(30, -1);
    EXPECT_NEAR(a.x, 40, 1e-9);  // the wide side fills the room
    EXPECT_NEAR(b.x, 960, 1e-9);
    EXPECT_NEAR((a.y + b.y) / 2, 350, 1e-9);  // the short side is centred
    EXPECT_GE(a.y, 40);
    EXPECT_LE(b.y, 660);
}

TEST(View, FitOfNothingOrOnePointKeepsAUsableScale) {
    for (const window::Extent& e : {window::Extent{}, window::Extent{3, 4, 3, 4, false}}) {
        View view = Sized(400, 300);
        view.Fit(e);
        EXPECT_DOUBLE_EQ(view.Scale(), 20.0);
        EXPECT_TRUE(std::isfinite(view.ToPixel(0, 0).x));
    }
}

TEST(View, ZoomKeepsTheWorldPointUnderTheMouseAndStaysWithinLimits) {
    View view = Sized(800, 600);
    view.Fit(window::Extent{0, 0, 10, 10, false});
    const Pixel mouse{600, 150};
    const Point3D before = view.ToWorld(mouse);
    view.ZoomAt(mouse, 1.25);
    const Point3D after = view.ToWorld(mouse);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    for (int i = 0; i < 500; ++i) view.ZoomAt(mouse, 10.0);
    EXPECT_LE(view.Scale(), View::kMaxScale);
    for (int i = 0; i < 500; ++i) view.ZoomAt(mouse, 0.1);
    EXPECT_GE(view.Scale(), View::kMinScale);
    view.ZoomAt(mouse, 0.0);  // refused, not a collapse to nothing
    EXPECT_GE(view.Scale(), View::kMinScale);
}

TEST(View, PanMovesTheDrawingWithTheMouse) {
    View view = Sized(800, 600);
    const Pixel before = view.ToPixel(1, 1);
    view.Pan(30, -20);
    const Pixel after = view.ToPixel(1, 1);
    EXPECT_NEAR(after.x - before.x, 30, 1e-9);
    EXPECT_NEAR(after.y - before.y, -20, 1e-9);
}

TEST(View, NiceStepsAreOneTwoOrFiveTimesAPowerOfTen) {
    const struct {
        double least, step;
    } cases[] = {{0.3, 0.5}, {0.5, 0.5}, {0.51, 1}, {1, 1}, {1.5, 2}, {3, 5}, {7, 10}, {0.0123, 0.02}, {260, 500}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(window::NiceStep(c.least), c.step) << c.least;
    EXPECT_DOUBLE_EQ(window::NiceStep(0.0), 1.0);
    EXPECT_DOUBLE_EQ(window::NiceStep(NAN), 1.0);
}

TEST(View, SnappedPointsAreExactGridPointsWithoutNegativeZero) {
    View view = Sized(1000, 700);
    view.Fit(window::Extent{-2, -1, 30, 2, false});  // about 29 pixels a unit: steps of 0.5
    ASSERT_DOUBLE_EQ(view.SnapStep(), 0.5);
    for (double x : {0.0, 6.0, -1.5, 22.5}) {
        const Pixel p = view.ToPixel(x, 1.0);
        const Point3D s = view.Snapped({p.x + 2.4, p.y - 3.1});  // a few pixels off
        EXPECT_EQ(s.x, x);
        EXPECT_EQ(s.y, 1.0);
    }
    const Pixel zero = view.ToPixel(-0.01, -0.01);
    EXPECT_FALSE(std::signbit(view.Snapped(zero).x));
    EXPECT_FALSE(std::signbit(view.Snapped(zero).y));

    // Fine steps come out as the nearest doubles of their decimals.
    view.ZoomAt({500, 350}, 20.0);
    ASSERT_LT(view.SnapStep(), 0.1);
    const double step = view.SnapStep();
    const Pixel p = view.ToPixel(3 * step, 7 * step);
    const Point3D s = view.Snapped(p);
    EXPECT_EQ(s.x, std::round(3 * step / step) / std::round(1 / step));
}

}  // namespace
