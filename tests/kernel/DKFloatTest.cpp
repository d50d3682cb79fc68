// Classification, narrowing checks, decimal magnitudes and pinning.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "DebugCapture.h"
#include "FreshProcess.h"
#include "kernel/DKFloat.h"

namespace {

constexpr double kFloatMax = 3.4028234663852886e38;

TEST(Classify, EveryClass) {
    const struct {
        double x;
        int16_t expected;
    } cases[] = {
#if !defined(__i386__)  // 32-bit x86 moves doubles through the x87, which quiets a signalling NaN
        {std::numeric_limits<double>::signaling_NaN(), kDoubleSignalingNaN},
#endif
        {std::numeric_limits<double>::quiet_NaN(), kDoubleQuietNaN},
        {-std::numeric_limits<double>::infinity(), kDoubleInfinite},
        {-0.0, kDoubleZero},
        {0.0, kDoubleZero},
        {-1.5, kDoubleNormal},
        {DBL_MIN, kDoubleNormal},
        {DBL_TRUE_MIN, kDoubleSubnormal},
        {-DBL_MIN / 2, kDoubleSubnormal},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyDouble(c.x), c.expected) << c.x;
}

TEST(NarrowingDeathTest, EachCheckLooksAtItsFirstThreeCallsOnly) {
    ExpectInFreshProcess([] {
        DebugCapture capture;
        CheckNum2Short(40000.0);
        CheckNum2Short(-32767.0);  // within range, still counted
        CheckNum2Short(-32768.0);
        CheckNum2Short(40000.0);  // the fourth call: nothing
        ASSERT_EQ(capture.kludges.size(), 2u);
        EXPECT_EQ(capture.kludges[0].text, "Num2Short overflow: 40000.000000\n");
        EXPECT_EQ(capture.kludges[0].ownerName, "KernelNumerics");
        EXPECT_EQ(capture.kludges[1].text, "Num2Short overflow: -32768.000000\n");

        capture.Clear();
        for (int i = 0; i < 5; ++i) CheckDoubleToLong(3e9);
        ASSERT_EQ(capture.kludges.size(), 3u);
        EXPECT_EQ(capture.kludges[0].text, "DoubleToLong overflow: 3000000000.000000\n");
        EXPECT_EQ(capture.boxes.size(), 3u);
    });
}

TEST(DecimalMagnitude, CountIntegerDigits) {
    const struct {
        double x;
        int16_t digits;
    } cases[] = {{0.5, 0},   {-0.99, 0}, {1.0, 1},   {9.99, 1},    {-10.0, 2},        {99999.5, 5},
                 {1e15, 16}, {2e15, 16}, {1e16, 17}, {1e308, 309}, {std::nan(""), 0}, {HUGE_VAL, 0}};
    for (const auto& c : cases) EXPECT_EQ(CountIntegerDigits(c.x), c.digits) << c.x;
}

TEST(DecimalMagnitude, NextPowerOfTen) {
    const struct {
        double x, power;
    } cases[] = {{0, 1},        {0.999, 1},      {1, 10},      {-9.5, 10},  {10, 100},
                 {123456, 1e6}, {9.99e14, 1e15}, {1e15, 1e16}, {5e15, 1e16}};
    for (const auto& c : cases) EXPECT_EQ(NextPowerOfTen(c.x), c.power) << c.x;
}

TEST(DecimalMagnitude, SnapFraction) {
    const struct {
        double x, tolerance, fraction, intPart;
    } cases[] = {
        {2.9999999, 1e-6, 0.0, 3.0},   {-2.9999999, 1e-6, 0.0, -3.0}, {3.0000001, 1e-6, 0.0, 3.0},
        {-3.0000001, 1e-6, 0.0, -3.0}, {2.5, 1e-6, 0.5, 2.0},         {-2.5, 1e-6, -0.5, -2.0},
        {0.9999, 1e-6, 0.9999, 0.0},   {0.9999, 1e-3, 0.0, 1.0},      {1.5e15, 1e-6, 0.0, 1.5e15},
    };
    for (const auto& c : cases) {
        double intPart = -1;
        EXPECT_DOUBLE_EQ(SnapFraction(c.x, &intPart, c.tolerance), c.fraction) << c.x;
        EXPECT_EQ(intPart, c.intPart) << c.x;
    }
    EXPECT_DOUBLE_EQ(SnapFraction(4.25, nullptr, 1e-6), 0.25);
}

TEST(Pinning, ToFloatClampsAtTheFloatLimits) {
    const TDebugObject owner("Pia", 0x2, 0, false);
    EXPECT_EQ(PinToFloat(owner, 1e39), kFloatMax);
    EXPECT_EQ(PinToFloat(owner, -1e39), -kFloatMax);
    EXPECT_EQ(PinToFloat(owner, kFloatMax), kFloatMax);
    EXPECT_EQ(PinToFloat(owner, -HUGE_VAL), -kFloatMax);
    EXPECT_EQ(PinToFloat(owner, 1.25), 1.25);
    EXPECT_TRUE(std::isnan(PinToFloat(owner, std::nan(""))));
    EXPECT_EQ((PinValue<int16_t>(owner, 40000.0)), 32767.0);
    EXPECT_EQ((PinValue<int16_t>(owner, -40000.0)), -32768.0);
    EXPECT_EQ((PinValue<uint8_t>(owner, int32_t{-5})), 0);
}

TEST(Pinning, CheckedPinReportsWhatItChanged) {
    DebugCapture capture;
    EXPECT_EQ(PinDoubleToFloatChecked(2.5), 2.5f);
    EXPECT_TRUE(capture.boxes.empty());
    EXPECT_EQ(PinDoubleToFloatChecked(1e39), FLT_MAX);
    EXPECT_TRUE(std::isnan(PinDoubleToFloatChecked(std::nan(""))));
    ASSERT_EQ(capture.boxes.size(), 2u);
    EXPECT_NE(capture.boxes[0].text.find("Kernel/DKFloat.cpp("), std::string::npos);
    EXPECT_NE(capture.boxes[0].text.find("KernelNumerics: DEBUGSTOP ASSERT((pinnedDouble == dblVal)) failed!"),
              std::string::npos);
}

const std::string kClosing =
    "\nPlease remove the use of this pinning function,\n"
    "or submit a bug that includes steps on how to reproduce this assert.\n\n";

TEST(Pinning, MisusedPinsAreReportedWithTheirTextsAndLeaveTheValue) {
    DebugCapture capture;
    const TDebugObject owner("Pia", 0x2, 0, false);
    EXPECT_EQ((PinValue<long double>(owner, 1e300)), 1e300);
    EXPECT_EQ((PinValue<double>(owner, 1e300)), 1e300);
    EXPECT_EQ((PinValue<double>(owner, 2.5f)), 2.5f);
    ASSERT_EQ(capture.kludges.size(), 3u);
    EXPECT_EQ(capture.kludges[0].text,
              "PINNING WITH LARGER THAN SUPPORTED TYPE. PLEASE STOP AND EVALUATE.\n\n"
              "Pinning has occured where the size of one or both \n"
              "of the source and pin types is greater \n"
              "than the pinning function's maximum supported size \n"
              "of 8 bytes.\n" +
                  kClosing);
    EXPECT_EQ(capture.kludges[1].text,
              "PINNING BETWEEN IDENTICAL TYPES. PLEASE STOP AND EVALUATE.\n\n"
              "Pinning has occurred where no pin should be required.\n" +
                  kClosing);
    EXPECT_EQ(capture.kludges[2].text,
              "PINNING TO LARGER TYPE. PLEASE STOP AND EVALUATE.\n\n"
              "Pinning has occured where no pin should be required.\n" +
                  kClosing);
    EXPECT_EQ(capture.boxes.at(0).caption, "DSTOP from Pia");
}

}  // namespace
