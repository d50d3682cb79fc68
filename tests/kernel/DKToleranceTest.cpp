// Tolerance rules and angle comparison.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "DebugCapture.h"
#include "kernel/DKCoordTypes.h"

namespace {

constexpr double kPi = 3.141592653589793;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Tolerance, IllegalValuesAreNaNsAndInfinities) {
    EXPECT_TRUE(IsIllegal(kNaN));
    EXPECT_TRUE(IsIllegal(std::numeric_limits<double>::signaling_NaN()));
    EXPECT_TRUE(IsIllegal(-kInf));
    for (double legal : {0.0, -0.0, 1.0, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN}) EXPECT_FALSE(IsIllegal(legal)) << legal;
}

struct NearlyCase {
    double a, b;
    bool equal;
};

TEST(Tolerance, ValuesNearlyEqual) {
    const NearlyCase cases[] = {
        {1e-14, 0.0, true},       {0.0, 1e-13, true},       {0.0, 1.1e-13, false},     {1.0, 1.0 + 1e-12, false},
        {1.0, 1.0 + 5e-14, true}, {1e20, 1e20 + 1e6, true}, {1e20, 1e20 + 1e8, false}, {-1e20, -1e20 - 1e6, true},
        {5e-14, -5e-14, true},    {kNaN, kNaN, false},      {kNaN, 0.0, false},        {kInf, kInf, false},
    };
    for (const NearlyCase& c : cases) EXPECT_EQ(ValuesNearlyEqual(c.a, c.b), c.equal) << c.a << " " << c.b;
    EXPECT_TRUE(ValueNearlyZero(-1e-13));
    EXPECT_FALSE(ValueNearlyZero(2e-13));
    EXPECT_TRUE(ValuesNearlyEqual(100.0, 100.5, 0.01));
}

TEST(Tolerance, ClearlyGreater) {
    EXPECT_FALSE(ValueClearlyGreater(1.0, 1.0 + 1e-15));
    EXPECT_FALSE(ValueClearlyGreater(1.0 + 1e-15, 1.0));
    EXPECT_TRUE(ValueClearlyGreater(1.0 + 1e-9, 1.0));
    EXPECT_FALSE(ValueClearlyGreater(kNaN, 0.0));
    EXPECT_FALSE(ValueClearlyGreater(0.0, kNaN));
}

TEST(Tolerance, NormalizedValuesComparedRelativelyAndReportedOutOfRange) {
    DebugCapture capture;
    EXPECT_TRUE(IsANormalizedValue(-1.0 - 1e-6));
    EXPECT_FALSE(IsANormalizedValue(1.0 + 2e-6));
    EXPECT_TRUE(NormalizedNearlyEqual(0.0, 1e-6));
    EXPECT_FALSE(NormalizedNearlyEqual(0.0, 2e-6));
    EXPECT_TRUE(NormalizedNearlyEqual(0.5, 0.5 + 4e-7));
    EXPECT_FALSE(NormalizedNearlyEqual(0.5, 0.5 + 6e-7));
    EXPECT_TRUE(capture.boxes.empty());

    EXPECT_TRUE(NormalizedNearlyEqual(4.0, 4.0));  // reported, compared all the same
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_NE(capture.boxes[0].text.find("KernelNumerics: DEBUGSTOP ASSERT((IsANormalizedValue(n1) && "
                                         "IsANormalizedValue(n2))) failed!"),
              std::string::npos);
}

struct AngleCase {
    double a, b;
    bool match;
};

TEST(Angles, Match) {
    const AngleCase cases[] = {
        {0.0, kTwoPi - 1e-9, true},
        {-kPi / 2, 3 * kPi / 2, true},
        {0.0, kTwoPi, true},
        {kTwoPi + 1e-9, 0.0, true},
        {-kTwoPi, 0.0, true},
        {7 * kTwoPi + 1.0, 1.0, true},
        {-5 * kTwoPi - 1.0, kTwoPi - 1.0, true},
        {1.0, 1.0 + 2e-8, false},
        {0.0, kPi, false},
        {1e300, std::fmod(1e300, kTwoPi), true},
        {-1e300, kTwoPi - std::fmod(1e300, kTwoPi), true},
    };
    for (const AngleCase& c : cases) EXPECT_EQ(AnglesMatch(c.a, c.b), c.match) << c.a << " " << c.b;
}

TEST(Angles, IllegalAngleIsReportedAndMatchesNothing) {
    DebugCapture capture;
    capture.answers = {ks::platform::kIDRetry};  // whatever the report returns
    EXPECT_FALSE(AnglesMatch(kNaN, 0.0));
    EXPECT_FALSE(AnglesMatch(0.0, kInf));
    ASSERT_EQ(capture.boxes.size(), 2u);
    EXPECT_NE(capture.boxes[0].text.find("KernelAngles: DEBUGSTOP ASSERT(!::IsIllegal(angle1) && "
                                         "!::IsIllegal(angle2)) failed!"),
              std::string::npos);
}

// The plain loops that the reduction must reproduce.
double NaiveIntoTurn(double angle) {
    while (angle < 0) angle += kTwoPi;
    while (angle > kTwoPi) angle -= kTwoPi;
    return angle;
}

TEST(Angles, ReductionGivesTheResultOfTheStepwiseLoop) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> wide(-2e5, 2e5);
    std::uniform_real_distribution<double> tieBinade(64.0, 128.0);  // 2 pi lies half-way between its steps
    for (int i = 0; i < 4000; ++i) {
        const double angle = i % 2 == 0 ? wide(random) : (i % 4 == 1 ? 1 : -1) * tieBinade(random);
        ASSERT_EQ(AngleIntoTurn(angle), NaiveIntoTurn(angle)) << std::hexfloat << angle;
    }
    for (int exponent = 2; exponent < 18; ++exponent) {  // binade edges
        const double edge = std::ldexp(1.0, exponent);
        for (double angle : {edge, std::nextafter(edge, 0.0), std::nextafter(edge, 1e9), -edge})
            ASSERT_EQ(AngleIntoTurn(angle), NaiveIntoTurn(angle)) << std::hexfloat << angle;
    }
}

TEST(Angles, HugeAnglesEndInsideOneTurn) {
    for (double angle : {1e17, -1e17, 1e300, -DBL_MAX, DBL_MAX}) {
        const double reduced = AngleIntoTurn(angle);
        EXPECT_GE(reduced, 0.0) << angle;
        EXPECT_LE(reduced, kTwoPi) << angle;
    }
}

}  // namespace
