// Numeric services beside the coordinate types: classification of doubles,
// overflow checks before narrowing, the 80-bit extended format, decimal
// magnitudes and pinning a value into the range of a narrower type. Reports
// go to the debug facility and never change a result.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

#include "kernel/KSDebug.h"

// ---- classification -------------------------------------------------------

enum : int16_t {
    kDoubleSignalingNaN = 0,
    kDoubleQuietNaN = 1,
    kDoubleInfinite = 2,  // either sign, as are the classes below
    kDoubleZero = 3,
    kDoubleNormal = 4,
    kDoubleSubnormal = 5,
};

int16_t ClassifyDouble(double x);

// ---- narrowing ------------------------------------------------------------------

// Report (as a debug stop) a value beyond the range of a 16-bit or 32-bit
// whole number. Each check looks at its first three calls only in the life
// of the process.
void CheckNum2Short(double x);
void CheckDoubleToLong(double x);

// ---- the 80-bit extended format ---------------------------------------------------

// Little-endian: a 64-bit significand whose top bit is the explicit integer
// bit, then a 16-bit word with the sign in bit 15 and the exponent (bias
// 16383) below it.
struct TExtended80 {
    uint8_t fBytes[10];
};
static_assert(sizeof(TExtended80) == 10);

// Extended to double, truncating: the 11 lowest fraction bits are dropped.
// Values beyond the double range give the largest double of their sign.
double x80tod(const TExtended80* pExtended);
// Double to extended, exactly; a subnormal double keeps its value in an
// unnormalised extended with the integer bit clear.
void dtox80(const double* pValue, TExtended80* pExtended);
// Reverses the 10 bytes in place.
void SwapExtendedBytes(TExtended80* pExtended);

// ---- decimal magnitudes ---------------------------------------------------------

// Decimal digits of the integer part of |x|: 0 below 1 and for non-finite x.
int16_t CountIntegerDigits(double x);
// The smallest power of ten above |x|, from 1 up to 1e16.
double NextPowerOfTen(double x);
// The fraction of x, with the integer part in *pIntPart (both with the sign
// of x). A fraction within tolerance (scaled by NextPowerOfTen(x)) of a
// whole number snaps to it and comes back 0.0; from 1e15 on it is dropped.
double SnapFraction(double x, double* pIntPart, double tolerance);

// ---- pinning --------------------------------------------------------------------

inline constexpr int32_t kMaxPinSize = 8;  // bytes of the largest source or pin type

enum TPinMisuse : int32_t { kPinSupported, kPinTooLarge, kPinIdenticalTypes, kPinToLargerType };

// The report text of a misused pin, built line by line into szText.
void BuildPinReport(TPinMisuse misuse, char* szText, int32_t size);
// Reports a misused pin to `owner` as a debug stop.
void ReportPinMisuse(const TDebugObject& owner, TPinMisuse misuse);

template <class TPin, class TSource>
constexpr TPinMisuse PinMisuse() {
    if (sizeof(TPin) > kMaxPinSize || sizeof(TSource) > kMaxPinSize) return kPinTooLarge;
    if (std::is_same_v<TPin, TSource>) return kPinIdenticalTypes;
    if (sizeof(TPin) > sizeof(TSource)) return kPinToLargerType;
    return kPinSupported;
}

// x clamped into the range of TPin (for floating types [-max, max]); a NaN
// passes unchanged. A pin that cannot be needed or supported is reported to
// `owner` and leaves x alone.
template <class TPin, class TSource>
TSource PinValue(const TDebugObject& owner, TSource x) {
    constexpr TPinMisuse kMisuse = PinMisuse<TPin, TSource>();
    if constexpr (kMisuse != kPinSupported) {
        ReportPinMisuse(owner, kMisuse);
        return x;
    } else {
        constexpr TSource kMax = static_cast<TSource>(std::numeric_limits<TPin>::max());
        constexpr TSource kMin =
            std::is_floating_point_v<TPin> ? -kMax : static_cast<TSource>(std::numeric_limits<TPin>::lowest());
        if (x > kMax) return kMax;
        if (x < kMin) return kMin;
        return x;
    }
}

// x clamped to [-FLT_MAX, FLT_MAX].
inline double PinToFloat(const TDebugObject& owner, double x) { return PinValue<float>(owner, x); }

// PinToFloat that reports any value it had to change.
float PinDoubleToFloatChecked(double dblVal);
