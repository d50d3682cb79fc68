// Angle comparison: both angles brought into one turn, then compared.
#include <cmath>

#include "kernel/DKCoordTypes.h"
#include "kernel/KSDevelopers.h"

namespace {

// Steps `magnitude` down by kTwoPi while it is above `limit`, with the very
// result of the plain loop `while (magnitude > limit) magnitude -= kTwoPi`
// but in time that does not grow with the number of turns.
//
// Within one binade every step after the first rounds the same way (ties go
// to an even result, which keeps the parity), so a run of steps that stays
// clear of the binade's lower end subtracts one constant and is taken at
// once. Where a step no longer changes the value, the remainder takes over.
double StepDown(double magnitude, double limit) {
    while (magnitude > limit) {
        const double next = magnitude - kTwoPi;
        if (next == magnitude) {
            magnitude = std::fmod(magnitude, kTwoPi);
            continue;
        }
        int exponent = 0;
        std::frexp(magnitude, &exponent);
        const double binadeLow = std::ldexp(1.0, exponent - 1);
        const double ulp = std::ldexp(1.0, exponent - 53);
        const double after = next - kTwoPi;
        if (binadeLow > limit && next >= binadeLow + ulp && after >= binadeLow + ulp) {
            const double step = next - after;  // exact: both lie in the binade
            double count = std::floor((after - binadeLow - ulp) / step);
            while (count > 0 && after - count * step < binadeLow + ulp) count -= 1;
            magnitude = after - count * step;
        } else {
            magnitude = next;
        }
    }
    return magnitude;
}

}  // namespace

double AngleIntoTurn(double angle) {
    if (IsIllegal(angle)) return angle;
    // Adding a turn to a negative angle is subtracting it from its magnitude:
    // rounding to nearest is symmetric.
    if (angle < 0) angle = -StepDown(-angle, 0.0);
    return StepDown(angle, kTwoPi);
}

bool AnglesMatch(double angle1, double angle2) {
    if (IsIllegal(angle1) || IsIllegal(angle2)) {
        KS_ASSERT_TEXT(DeveloperOwner(kDeveloperAngles, true), "!::IsIllegal(angle1) && !::IsIllegal(angle2)");
        return false;
    }
    angle1 = AngleIntoTurn(angle1);
    angle2 = AngleIntoTurn(angle2);
    if (std::fabs(angle1 - kTwoPi) <= 1e-8) angle1 = 0.0;
    if (std::fabs(angle2 - kTwoPi) <= 1e-8) angle2 = 0.0;
    return std::fabs(angle1 - angle2) <= 1e-8;
}
