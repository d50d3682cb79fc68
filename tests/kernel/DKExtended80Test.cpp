// The 80-bit extended format, checked against the machine's own where
// long double is that format (x86), and through its special cases.
#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "DebugCapture.h"
#include "kernel/DKFloat.h"

namespace {

TExtended80 Extended(bool negative, uint16_t exponent, uint64_t significand) {
    TExtended80 e;
    std::memcpy(e.fBytes, &significand, 8);  // x86 stores little-endian
    const uint16_t word = static_cast<uint16_t>(exponent | (negative ? 0x8000 : 0));
    std::memcpy(e.fBytes + 8, &word, 2);
    return e;
}

uint64_t Bits(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

constexpr uint64_t kJ = uint64_t{1} << 63;

// A signalling NaN as the caller receives it: 32-bit x86 returns a double on
// the x87 stack, and loading it there sets the quiet bit.
constexpr uint64_t AsReturned(uint64_t nanBits) {
#if defined(__i386__)
    return nanBits | (uint64_t{1} << 51);
#else
    return nanBits;
#endif
}

class Extended80 : public ::testing::Test {
protected:
    DebugCapture capture;  // takes the informational messages
};

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
TEST_F(Extended80, DoubleToExtendedIsTheMachinesOwnConversion) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = random();
        if (((bits >> 52) & 0x7FF) == 0 || ((bits >> 52) & 0x7FF) == 0x7FF) bits ^= uint64_t{0x400} << 52;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        TExtended80 ours;
        dtox80(&d, &ours);
        const volatile long double machine = d;
        ASSERT_EQ(std::memcmp(ours.fBytes, const_cast<const long double*>(&machine), 10), 0) << std::hexfloat << d;
        ASSERT_EQ(Bits(x80tod(&ours)), bits) << std::hexfloat << d;
    }
}

// Globals, so the conversion is stored before the rounding mode changes back.
volatile long double gMachineExtended;
volatile double gMachineDouble;

// The machine's conversion rounding toward zero drops the low bits exactly
// as the truncation does; also where the result is subnormal.
TEST_F(Extended80, ExtendedToDoubleTruncatesLikeTheMachineTowardZero) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> exponents(16383 - 1074, 16383 + 1023);
    const int savedRounding = std::fegetround();
    for (int i = 0; i < 20000; ++i) {
        const TExtended80 e = Extended(random() & 1, static_cast<uint16_t>(exponents(random)), random() | kJ);
        long double value = 0;
        std::memcpy(&value, e.fBytes, 10);
        gMachineExtended = value;
        std::fesetround(FE_TOWARDZERO);
        gMachineDouble = static_cast<double>(gMachineExtended);
        std::fesetround(savedRounding);
        ASSERT_EQ(Bits(x80tod(&e)), Bits(gMachineDouble)) << std::hexfloat << value;
    }
}
#endif

TEST_F(Extended80, ExtendedToDoubleSpecialCases) {
    const double kSmallestSubnormal = DBL_TRUE_MIN;
    const struct {
        const char* what;
        TExtended80 e;
        uint64_t bits;
        const char* message;
    } cases[] = {
        {"-0", Extended(true, 0, 0), Bits(0.0), nullptr},
        {"+inf", Extended(false, 0x7FFF, kJ), Bits(HUGE_VAL), "### x80tod INF ###\n"},
        {"-inf", Extended(true, 0x7FFF, kJ), Bits(-HUGE_VAL), "### x80tod INF ###\n"},
        {"quiet NaN", Extended(true, 0x7FFF, kJ | (uint64_t{3} << 61)), 0xFFFC000000000000ull, "### x80tod NaN ###\n"},
        {"NaN in the dropped bits", Extended(false, 0x7FFF, kJ | 1), AsReturned(0x7FF0000000000001ull),
         "### x80tod NaN ###\n"},
        {"subnormal", Extended(false, 16383 - 1030, kJ), Bits(std::ldexp(1.0, -1030)),
         "### x80tod gradual underflow to denormal ###\n"},
        {"smallest subnormal", Extended(true, 16383 - 1074, kJ | 5), Bits(-kSmallestSubnormal),
         "### x80tod gradual underflow to denormal ###\n"},
        {"below the smallest", Extended(true, 16383 - 1080, kJ), Bits(0.0), "### x80tod underflow to 0.0 ###\n"},
        {"overflow", Extended(false, 16383 + 1024, kJ), Bits(DBL_MAX), "### x80tod overflow ###\n"},
        {"negative overflow", Extended(true, 16383 + 1024, kJ), Bits(-DBL_MAX), "### x80tod overflow ###\n"},
        {"unnormal", Extended(false, 16383, uint64_t{1} << 62), Bits(0.0), nullptr},
        {"unnormal subnormal", Extended(false, 16383 - 1023, uint64_t{1} << 62), Bits(std::ldexp(1.0, -1024)),
         "### x80tod gradual underflow to denormal ###\n"},
        {"pseudo-denormal", Extended(false, 0, kJ | 1), Bits(0.0), nullptr},
        {"one", Extended(false, 16383, kJ | 0x7FF), Bits(1.0), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        capture.Clear();
        EXPECT_EQ(Bits(x80tod(&c.e)), c.bits);
        if (c.message == nullptr)
            EXPECT_TRUE(capture.pieces.empty());
        else
            EXPECT_EQ(capture.Joined(), c.message);
    }
}

TEST_F(Extended80, DoubleToExtendedSpecialCases) {
    const struct {
        const char* what;
        double d;
        TExtended80 e;
        const char* message;
    } cases[] = {
        {"-0", -0.0, Extended(true, 0, 0), nullptr},
        {"-inf", -HUGE_VAL, Extended(true, 0x7FFF, kJ), "### dtox80 INF ###\n"},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), Extended(false, 0x7FFF, kJ | (uint64_t{1} << 62)),
         "### dtox80 NaN ###\n"},
        {"smallest subnormal", DBL_TRUE_MIN, Extended(false, 0x3C01, 2048), nullptr},
        {"largest subnormal", -(DBL_MIN - DBL_TRUE_MIN), Extended(true, 0x3C01, ((uint64_t{1} << 52) - 1) << 11),
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        capture.Clear();
        TExtended80 e;
        dtox80(&c.d, &e);
        EXPECT_EQ(std::memcmp(e.fBytes, c.e.fBytes, 10), 0);
        EXPECT_EQ(capture.Joined(), c.message != nullptr ? c.message : "");
    }
}

TEST_F(Extended80, NormalDoublesSurviveTheRoundTrip) {
    for (double d : {1.0, -1.0, DBL_MIN, -DBL_MAX, DBL_MAX, 3.141592653589793, 1e-300, -123456.789}) {
        TExtended80 e;
        dtox80(&d, &e);
        EXPECT_EQ(Bits(x80tod(&e)), Bits(d)) << d;
    }
}

TEST(Extended80Bytes, SwapReversesAllTenBytes) {
    TExtended80 e;
    for (int i = 0; i < 10; ++i) e.fBytes[i] = static_cast<uint8_t>(i);
    SwapExtendedBytes(&e);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(e.fBytes[i], 9 - i);
}

}  // namespace
