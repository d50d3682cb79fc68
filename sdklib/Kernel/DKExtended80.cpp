// Conversion between doubles and the 80-bit extended format.
#include <cfloat>
#include <cstring>

#include "kernel/DKFloat.h"

namespace {

constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kExtendedFraction = kIntegerBit - 1;
constexpr uint64_t kDoubleFraction = (uint64_t{1} << 52) - 1;
constexpr int32_t kExtendedBias = 16383;
constexpr int32_t kDoubleBias = 1023;
// Exponent of a subnormal double's value once written as an extended.
constexpr uint16_t kSubnormalExtendedExponent = 0x3C01;

// The bytes are read and written one by one, so the stored format is the
// same whatever the machine's own byte order.
uint64_t ReadSignificand(const TExtended80& extended) {
    uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) significand = (significand << 8) | extended.fBytes[i];
    return significand;
}

uint16_t ReadWord(const TExtended80& extended) {
    return static_cast<uint16_t>(extended.fBytes[8] | (extended.fBytes[9] << 8));
}

void WriteExtended(TExtended80& extended, bool bNegative, uint16_t exponent, uint64_t significand) {
    for (int i = 0; i < 8; ++i) extended.fBytes[i] = static_cast<uint8_t>(significand >> (8 * i));
    const uint16_t word = static_cast<uint16_t>(exponent | (bNegative ? 0x8000 : 0));
    extended.fBytes[8] = static_cast<uint8_t>(word);
    extended.fBytes[9] = static_cast<uint8_t>(word >> 8);
}

double MakeDouble(bool bNegative, uint64_t exponent, uint64_t fraction) {
    const uint64_t bits = (bNegative ? uint64_t{1} << 63 : 0) | (exponent << 52) | (fraction & kDoubleFraction);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

double x80tod(const TExtended80* pExtended) {
    if (pExtended == nullptr) return 0.0;
    const uint64_t significand = ReadSignificand(*pExtended);
    const uint16_t word = ReadWord(*pExtended);
    const bool negative = (word & 0x8000) != 0;
    const int32_t exponent = word & 0x7FFF;
    const bool integerBit = (significand & kIntegerBit) != 0;
    const uint64_t fraction = significand & kExtendedFraction;

    if (fraction == 0 && !integerBit && exponent <= 0x7FFE) return 0.0;
    if (exponent == 0x7FFF) {
        if (fraction == 0) {
            DebugMessage("### x80tod INF ###\n");
            return MakeDouble(negative, 2047, 0);
        }
        DebugMessage("### x80tod NaN ###\n");
        // A NaN whose payload lies only in the dropped bits stays a NaN, and
        // signalling, rather than turning into an infinity.
        const uint64_t payload = fraction >> 11;
        return MakeDouble(negative, 2047, payload != 0 ? payload : 1);
    }
    // An extended denormal (with or without its integer bit) lies far below
    // the smallest double.
    if (exponent == 0) return 0.0;

    const uint64_t kept = fraction >> 11;
    const int32_t e = exponent - kExtendedBias;
    if (e < 1 - kDoubleBias) {
        // The integer bit shifts into the fraction with the rest, so the
        // result is the value truncated; down to the smallest subnormal.
        const uint64_t subnormal = e >= -1074 ? ((integerBit ? uint64_t{1} << 52 : 0) | kept) >> (-1022 - e) : 0;
        if (e < -1073 && subnormal == 0) {
            DebugMessage("### x80tod underflow to 0.0 ###\n");
            return 0.0;
        }
        DebugMessage("### x80tod gradual underflow to denormal ###\n");
        return MakeDouble(negative, 0, subnormal);
    }
    if (e > kDoubleBias) {
        DebugMessage("### x80tod overflow ###\n");
        return negative ? -DBL_MAX : DBL_MAX;
    }
    if (integerBit) return MakeDouble(negative, static_cast<uint64_t>(e + kDoubleBias), kept);
    return 0.0;  // an unnormal in the double range
}

void dtox80(const double* pValue, TExtended80* pExtended) {
    if (pValue == nullptr || pExtended == nullptr) return;
    uint64_t bits;
    std::memcpy(&bits, pValue, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const uint32_t exponent = static_cast<uint32_t>(bits >> 52) & 0x7FF;
    const uint64_t fraction = bits & kDoubleFraction;

    if (exponent == 0 && fraction == 0) {
        WriteExtended(*pExtended, negative, 0, 0);
    } else if (exponent == 2047) {
        DebugMessageIf(fraction == 0, "### dtox80 INF ###\n");
        DebugMessageIf(fraction != 0, "### dtox80 NaN ###\n");
        WriteExtended(*pExtended, negative, 0x7FFF, (fraction << 11) | kIntegerBit);
    } else if (exponent != 0) {
        WriteExtended(*pExtended, negative, static_cast<uint16_t>(exponent + kExtendedBias - kDoubleBias),
                      (fraction << 11) | kIntegerBit);
    } else {
        WriteExtended(*pExtended, negative, kSubnormalExtendedExponent, fraction << 11);
    }
}

void SwapExtendedBytes(TExtended80* pExtended) {
    if (pExtended == nullptr) return;
    for (int i = 0; i < 5; ++i) {
        const uint8_t keep = pExtended->fBytes[i];
        pExtended->fBytes[i] = pExtended->fBytes[9 - i];
        pExtended->fBytes[9 - i] = keep;
    }
}
