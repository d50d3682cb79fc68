// Points, rectangles, cubes, figures and matrices.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <vector>

#include "DebugCapture.h"
#include "FreshProcess.h"
#include "kernel/DKCoordTypes.h"

namespace {

template <class T>
std::vector<double> Memory(const T& value) {
    std::vector<double> doubles(sizeof(T) / sizeof(double));
    std::memcpy(doubles.data(), &value, sizeof(T));
    return doubles;
}

void ExpectPoint(const Point2D& p, double x, double y) {
    EXPECT_DOUBLE_EQ(p.x, x);
    EXPECT_DOUBLE_EQ(p.y, y);
}

TEST(CoordLayout, PointsStoreTheirFieldsInInterfaceOrder) {
    EXPECT_EQ(Memory(Point2D(1.0, 2.0)), (std::vector<double>{2.0, 1.0}));
    EXPECT_EQ(Memory(Point3D(Point2D(1.0, 2.0), 5.0)), (std::vector<double>{1.0, 2.0, 5.0}));
    ExpectPoint(Point2D(Point3D(1.0, 2.0, 3.0)), 1.0, 2.0);
}

TEST(CoordLayout, EmptySentinels) {
    EXPECT_EQ(Memory(Rect2D()), (std::vector<double>{-DBL_MAX, DBL_MAX, DBL_MAX, -DBL_MAX}));
    EXPECT_EQ(Memory(Cube3D()), (std::vector<double>{-DBL_MAX, -DBL_MAX, -DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX}));
    Rect2D rect(1, 0, 0, 1);
    rect.SetToEmpty(kEmptyReduced);
    EXPECT_EQ(Memory(rect), (std::vector<double>{-DBL_MAX / 10.0, DBL_MAX / 10.0, DBL_MAX / 10.0, -DBL_MAX / 10.0}));
    rect.SetToEmpty(2);
    EXPECT_EQ(Memory(rect), Memory(Rect2D()));
    Cube3D cube(Point3D(0, 0, 0), Point3D(1, 1, 1));
    cube.SetToEmpty(kEmptyReduced);
    EXPECT_EQ(cube.maxZ, -DBL_MAX / 10.0);
    EXPECT_EQ(cube.minX, DBL_MAX / 10.0);
    EXPECT_TRUE(cube.IsEmpty(true));
}

TEST(CoordPoints, Arithmetic) {
    const Point3D u(1, 2, 3), v(4, 5, 6);
    EXPECT_DOUBLE_EQ(Dot(u, v), 32.0);
    EXPECT_EQ(Memory(Cross(u, v)), (std::vector<double>{-3.0, 6.0, -3.0}));
    EXPECT_DOUBLE_EQ(u.LengthSquared(), 14.0);
    EXPECT_EQ(Memory(Point3D(-1, 2, -3).Abs()), (std::vector<double>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(Dot(Point2D(1, 2), Point2D(3, 4)), 11.0);
    ExpectPoint(-(Point2D(1, 2) - Point2D(3, 5)) * 2.0 / 4.0, 1.0, 1.5);
}

TEST(CoordPoints, Normalizing) {
    Point3D tiny(0, 0, 1e-14);
    tiny.Normalize();
    EXPECT_EQ(Memory(tiny), (std::vector<double>{0, 0, 1e-14}));
    const Point3D v(3, 0, 4);
    EXPECT_EQ(Memory(v.Normalized()), (std::vector<double>{0.6, 0.0, 0.8}));
    EXPECT_EQ(v.x, 3.0);
    EXPECT_TRUE(v.Normalized().IsNormalized());
    EXPECT_FALSE(Point3D(0.5, 0, 0).IsNormalized());
}

TEST(CoordRects, EmptinessIsStrict) {
    DebugCapture capture;
    EXPECT_FALSE(Rect2D(1, 0, 1, 0).IsEmpty(true));  // degenerate, not empty
    EXPECT_TRUE(Rect2D(0, 0, 1, 1).IsEmpty(true));
    EXPECT_TRUE(Rect2D(1, 1, 0, 0).IsEmpty(true));
    EXPECT_FALSE(Cube3D(Point3D(1, 1, 1), Point3D(1, 1, 1)).IsEmpty(true));
    EXPECT_TRUE(capture.boxes.empty());
}

// Budgets are process-wide and never reset: the reports are counted from load.
TEST(CoordEmptinessDeathTest, FourReportsOfEachKindAtMost) {
    ExpectInFreshProcess([] {
        DebugCapture capture;
        const Rect2D halfEmpty(0, 0, 1, 1);  // top < bottom, left <= right
        EXPECT_EQ(halfEmpty.Top(), 0.0);     // both reports
        EXPECT_EQ(capture.boxes.size(), 2u);
        EXPECT_EQ(capture.boxes[0].caption, "DSTOP from KernelNumerics");
        EXPECT_EQ(capture.boxes[0].text,
                  "Trying to operate on or access individual fields of an empty rect.\n\nBreak to debugger?");
        EXPECT_EQ(capture.boxes[1].text,
                  "If Rect is empty in one dimension it should be empty in the other dimension too\n\nBreak to "
                  "debugger?");
        EXPECT_TRUE(Rect2D().IsEmpty());  // empty both ways: one report
        EXPECT_EQ(capture.boxes.size(), 3u);
        EXPECT_TRUE(halfEmpty.IsEmpty());  // the fourth; the mixed one finds no budget
        EXPECT_TRUE(halfEmpty.IsEmpty());
        EXPECT_EQ(Rect2D().Left(), 0.0);
        EXPECT_EQ(capture.boxes.size(), 4u);
        EXPECT_EQ(Rect2D(3, 1, 2, 4).Top(), 3.0);

        // Cubes have a budget of their own.
        const Cube3D mixed = [] {
            Cube3D c(Point3D(0, 0, 0), Point3D(1, 1, 1));
            c.minZ = 2;
            return c;
        }();
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(mixed.IsEmpty());
        ASSERT_EQ(capture.boxes.size(), 8u);
        EXPECT_EQ(capture.boxes[4].caption, "DSTOP");  // the DKCoordTypes owner is everyone
        EXPECT_EQ(capture.boxes[4].text,
                  "Trying to operate on or access individual fields of an empty cube.\n\nBreak to debugger?");
        EXPECT_EQ(capture.boxes[5].text,
                  "If cube is empty in one dimension it should be empty in the other dimensions too\n\nBreak to "
                  "debugger?");
    });
}

TEST(CoordCubes, FromTwoCorners) {
    const Cube3D cube(Point3D(1, 5, 0), Point3D(3, 2, 0));
    EXPECT_EQ(Memory(cube), (std::vector<double>{3, 5, 0, 1, 2, 0}));
    // Nearly equal values keep q's value as the maximum.
    Cube3D near;
    near.SetCorners(Point3D(1.0 + 1e-15, 0, 0), Point3D(1.0, 0, 0));
    EXPECT_EQ(near.maxX, 1.0);
    EXPECT_EQ(near.minX, 1.0 + 1e-15);
}

TEST(CoordCubes, UnionSkipsEmptyCubes) {
    const Cube3D box(Point3D(0, 0, 0), Point3D(1, 2, 3));
    const Cube3D other(Point3D(-1, 1, 1), Point3D(0.5, 5, 2));
    EXPECT_EQ(Memory(Cube3D() | box), Memory(box));
    EXPECT_EQ(Memory(box | Cube3D()), Memory(box));
    EXPECT_EQ(Memory(box | other), (std::vector<double>{1, 5, 3, -1, 0, 0}));
    EXPECT_TRUE((Cube3D() | Cube3D()).IsEmpty(true));
}

Matrix43 Rotation90Shifted() {
    Matrix43 m{};
    m.m[0][1] = 1;   // x -> y
    m.m[1][0] = -1;  // y -> -x
    m.m[2][2] = 1;
    m.m[3][0] = 10;
    m.m[3][1] = 20;
    return m;
}

TEST(CoordFigures, TransformRectCorners) {
    DebugCapture capture;
    const Rect2D rect(4, 1, 2, 3);
    Quad2D quad;
    TransformRectCorners(IdentityMatrix(), rect, quad);
    ExpectPoint(quad.corner[0], 1, 4);
    ExpectPoint(quad.corner[1], 3, 4);
    ExpectPoint(quad.corner[2], 1, 2);
    ExpectPoint(quad.corner[3], 3, 2);
    TransformRectCorners(Rotation90Shifted(), rect, quad);
    ExpectPoint(quad.corner[1], 10 - 4, 20 + 3);
    EXPECT_EQ(Memory(quad.BoundingRect()), (std::vector<double>{23, 6, 21, 8}));

    const Quad2D before = quad;
    TransformRectCorners(IdentityMatrix(), Rect2D(), quad);
    EXPECT_EQ(Memory(quad), Memory(before));
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_NE(capture.boxes[0].text.find("DKCoordTypes: DEBUGSTOP ASSERT(!c.IsEmpty()) failed!"), std::string::npos);
}

TEST(CoordFigures, FromDiagonalAlongTheMatrixAxes) {
    Quad2D quad;
    quad.SetFromDiagonal(Point2D(1, 1), Point2D(4, 3), IdentityMatrix());
    ExpectPoint(quad.corner[0], 1, 3);
    ExpectPoint(quad.corner[1], 4, 3);
    ExpectPoint(quad.corner[2], 1, 1);
    ExpectPoint(quad.corner[3], 4, 1);
}

TEST(CoordMatrices, IdentityAndOrthonormality) {
    const Matrix43 identity = IdentityMatrix();
    EXPECT_TRUE(identity.IsIdentity());
    EXPECT_TRUE(identity.IsOrthonormal());
    const Matrix43 rotated = Rotation90Shifted();
    EXPECT_FALSE(rotated.IsIdentity());
    EXPECT_TRUE(rotated.IsOrthonormal());
    Matrix43 shifted = identity;
    shifted.m[3][2] = 1e-300;  // the offset row counts too
    EXPECT_FALSE(shifted.IsIdentity());
    Matrix43 sheared = identity;
    sheared.m[1][0] = 0.5;
    DebugCapture capture;  // a row's squared length of 1.25 is no normalized value: reported, then compared
    EXPECT_FALSE(sheared.IsOrthonormal());
    EXPECT_NE(capture.Joined().find("(IsANormalizedValue(n1) && IsANormalizedValue(n2))"), std::string::npos);
    const Matrix44 identity4 = IdentityMatrix4();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(identity4.m[r][c], r == c ? 1.0 : 0.0);
}

TEST(CoordBytes, ByteSwapReversesEveryDouble) {
    Cube3D cube(Point3D(1, 2, 3), Point3D(4, 5, 6));
    const Cube3D original = cube;
    ByteSwap(cube);
    unsigned char swapped[8], plain[8];
    std::memcpy(swapped, &cube.maxY, 8);
    std::memcpy(plain, &original.maxY, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(swapped[i], plain[7 - i]);
    ByteSwap(cube);
    EXPECT_EQ(Memory(cube), Memory(original));

    const Matrix43 rotation = Rotation90Shifted();
    Matrix43 m = rotation;
    ByteSwap(m);
    EXPECT_NE(std::memcmp(&m, &rotation, sizeof m), 0);
    ByteSwap(m);
    EXPECT_EQ(std::memcmp(&m, &rotation, sizeof m), 0);
    Point2D p(1, 2);
    ByteSwap(p);
    EXPECT_NE(p.y, 2.0);
}

}  // namespace
