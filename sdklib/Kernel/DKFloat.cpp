// Classification, narrowing checks, decimal magnitudes and pinning.
#include "kernel/DKFloat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "kernel/DKCoordTypes.h"
#include "kernel/KSDevelopers.h"
#include "platform/Text.h"

namespace {

struct TNarrowingCheck {
    const char* szTarget;
    double limit;
    int32_t budget;  // calls left that check anything
};

// Three checks each over the life of the process: enough to catch a fault,
// too few to flood the developer from a loop.
TNarrowingCheck gNum2ShortCheck{"Num2Short", 32767.0, 3};
TNarrowingCheck gDoubleToLongCheck{"DoubleToLong", 2147483647.0, 3};

void CheckNarrowing(TNarrowingCheck& check, double x) {
    if (check.budget <= 0) return;
    --check.budget;
    if (std::fabs(x) > check.limit)
        BreakIfAsked(DebugStop(DeveloperOwner(kDeveloperNumerics, false), "%s overflow: %f\n", check.szTarget, x));
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kPowerCount = sizeof kPowersOfTen / sizeof kPowersOfTen[0];

}  // namespace

int16_t ClassifyDouble(double x) {
    switch (std::fpclassify(x)) {
        case FP_NAN: {
            // The quiet bit is the top bit of the fraction.
            uint64_t bits;
            std::memcpy(&bits, &x, sizeof bits);
            return (bits & (uint64_t{1} << 51)) != 0 ? kDoubleQuietNaN : kDoubleSignalingNaN;
        }
        case FP_INFINITE:
            return kDoubleInfinite;
        case FP_ZERO:
            return kDoubleZero;
        case FP_NORMAL:
            return kDoubleNormal;
        case FP_SUBNORMAL:
            return kDoubleSubnormal;
        default:
            KS_ASSERT_TEXT(DeveloperOwner(kDeveloperFloat, false), "0");
            return kDoubleQuietNaN;
    }
}

void CheckNum2Short(double x) { CheckNarrowing(gNum2ShortCheck, x); }

void CheckDoubleToLong(double x) { CheckNarrowing(gDoubleToLongCheck, x); }

int16_t CountIntegerDigits(double x) {
    const double magnitude = std::fabs(x);
    if (!std::isfinite(magnitude) || magnitude < 1.0) return 0;
    for (int digits = 1; digits < kPowerCount; ++digits)
        if (magnitude < kPowersOfTen[digits]) return static_cast<int16_t>(digits);
    const double exponent = std::log10(magnitude);
    return static_cast<int16_t>(exponent == std::floor(exponent) ? exponent + 1.0 : std::ceil(exponent));
}

double NextPowerOfTen(double x) {
    const double magnitude = std::fabs(x);
    for (double power : kPowersOfTen)
        if (magnitude < power) return power;
    return 1e16;
}

double SnapFraction(double x, double* pIntPart, double tolerance) {
    double intPart = 0.0;
    const double fraction = std::modf(x, &intPart);
    const double power = NextPowerOfTen(x);
    double result = fraction;
    if (power == 1e16) {
        result = 0.0;
    } else {
        const double scaled = tolerance * power;
        if (ValuesNearlyEqual(fraction, 0.0, scaled)) {
            result = 0.0;
        } else if (ValuesNearlyEqual(std::fabs(fraction), 1.0, scaled)) {
            // Near the next whole number away from zero, on either side of zero.
            intPart += x < 0.0 ? -1.0 : 1.0;
            result = 0.0;
        }
    }
    if (pIntPart != nullptr) *pIntPart = intPart;
    return result;
}

// ---- pinning ------------------------------------------------------------------

void BuildPinReport(TPinMisuse misuse, char* szText, int32_t size) {
    using ks::platform::AppendText;
    if (szText == nullptr || size <= 0) return;
    szText[0] = '\0';
    const auto line = [&](const char* szLine) {
        AppendText(szText, static_cast<size_t>(size), szLine);
        AppendText(szText, static_cast<size_t>(size), "\n");
    };
    switch (misuse) {
        case kPinTooLarge: {
            line("PINNING WITH LARGER THAN SUPPORTED TYPE. PLEASE STOP AND EVALUATE.");
            line("");
            line("Pinning has occured where the size of one or both ");
            line("of the source and pin types is greater ");
            line("than the pinning function's maximum supported size ");
            char szSize[32];
            std::snprintf(szSize, sizeof szSize, "of %d bytes.", static_cast<int>(kMaxPinSize));
            line(szSize);
            break;
        }
        case kPinIdenticalTypes:
            line("PINNING BETWEEN IDENTICAL TYPES. PLEASE STOP AND EVALUATE.");
            line("");
            line("Pinning has occurred where no pin should be required.");
            break;
        case kPinToLargerType:
            line("PINNING TO LARGER TYPE. PLEASE STOP AND EVALUATE.");
            line("");
            line("Pinning has occured where no pin should be required.");
            break;
        default:
            return;
    }
    line("");
    line("Please remove the use of this pinning function,");
    line("or submit a bug that includes steps on how to reproduce this assert.");
    line("");
}

void ReportPinMisuse(const TDebugObject& owner, TPinMisuse misuse) {
    char szText[kBuf_size];
    BuildPinReport(misuse, szText, sizeof szText);
    BreakIfAsked(DebugStop(owner, "%s", szText));
}

float PinDoubleToFloatChecked(double dblVal) {
    const double pinnedDouble = PinToFloat(DeveloperOwner(kDeveloperPinning, true), dblVal);
    if (!(pinnedDouble == dblVal))
        KS_ASSERT_TEXT(DeveloperOwner(kDeveloperNumerics, false), "(pinnedDouble == dblVal)");
    return static_cast<float>(pinnedDouble);
}
