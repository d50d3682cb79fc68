// Coordinate value types shared by the kernel, the tool and the host, and the
// tolerance rules by which every geometric test compares doubles.
//
// The memory layout of Point2D, Point3D, Rect2D and Cube3D is an interface
// with the host: consecutive doubles, no padding, in the field order below.
// The other types follow the same rule so they can be swapped and copied as
// plain bytes.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using Coord = double;

inline constexpr double kTwoPi = 2.0 * 3.141592653589793;
inline constexpr double kValueTolerance = 1e-13;

// ---- scalars ----------------------------------------------------------------

// A NaN or an infinity: all eleven exponent bits set.
inline bool IsIllegal(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return (bits & 0x7FF0000000000000ull) == 0x7FF0000000000000ull;
}

// Near zero the difference is compared absolutely, elsewhere relative to the
// larger magnitude. Any NaN compares unequal.
inline bool ValuesNearlyEqual(double a, double b, double tolerance) {
    const double absA = std::fabs(a);
    const double absB = std::fabs(b);
    if (absA < 1e-13 || absB <= 1e-13) return std::fabs(a - b) <= tolerance;
    return std::fabs(a - b) <= tolerance * (absA > absB ? absA : absB);
}
inline bool ValuesNearlyEqual(double a, double b) { return ValuesNearlyEqual(a, b, kValueTolerance); }
inline bool ValueNearlyZero(double x) { return ValuesNearlyEqual(x, 0.0); }
inline bool ValueClearlyGreater(double a, double b) { return a > b && !ValuesNearlyEqual(a, b); }
inline bool IsANormalizedValue(double x) { return -(1.0 + 1e-6) <= x && x <= 1.0 + 1e-6; }

// For values expected in [-1, 1] (unit lengths, cosines); reports a value
// outside that range and compares it all the same.
bool NormalizedNearlyEqual(double n1, double n2);

// Whether two angles in radians name the same direction within 1e-8. An
// illegal angle is reported and matches nothing.
bool AnglesMatch(double angle1, double angle2);

// A finite angle brought into [0, kTwoPi] by whole turns: added while below
// 0, subtracted while above kTwoPi, so that exactly 0 and kTwoPi stay.
double AngleIntoTurn(double angle);

inline double Min(double a, double b) { return a < b ? a : b; }
inline double Max(double a, double b) { return a > b ? a : b; }
inline double Square(double x) { return x * x; }

// ---- points -----------------------------------------------------------------

struct Point3D;

// A 2-D point stored y first, but constructed from x and y.
struct Point2D {
    Coord y;
    Coord x;

    Point2D() = default;  // fields left uninitialised
    Point2D(Coord inX, Coord inY) : y(inY), x(inX) {}
    explicit Point2D(const Point3D& p);  // z dropped

    Point2D operator+(const Point2D& p) const { return Point2D(x + p.x, y + p.y); }
    Point2D operator-(const Point2D& p) const { return Point2D(x - p.x, y - p.y); }
    Point2D operator-() const { return Point2D(-x, -y); }
    Point2D operator/(double d) const { return Point2D(x / d, y / d); }
    Point2D operator*(double d) const { return Point2D(x * d, y * d); }
    Coord Length() const { return std::sqrt(x * x + y * y); }
};

struct Point3D {
    Coord x;
    Coord y;
    Coord z;

    Point3D() = default;  // fields left uninitialised
    Point3D(Coord inX, Coord inY, Coord inZ) : x(inX), y(inY), z(inZ) {}
    Point3D(const Point2D& p, Coord inZ) : x(p.x), y(p.y), z(inZ) {}

    Point3D operator+(const Point3D& p) const { return Point3D(x + p.x, y + p.y, z + p.z); }
    Point3D operator-(const Point3D& p) const { return Point3D(x - p.x, y - p.y, z - p.z); }
    Point3D operator-() const { return Point3D(-x, -y, -z); }
    Point3D operator/(double d) const { return Point3D(x / d, y / d, z / d); }
    Point3D operator*(double d) const { return Point3D(x * d, y * d, z * d); }
    Coord Length() const { return std::sqrt(x * x + y * y + z * z); }
    Coord LengthSquared() const { return x * x + y * y + z * z; }
    Point3D Abs() const { return Point3D(std::fabs(x), std::fabs(y), std::fabs(z)); }
    bool IsNearlyZero() const { return ValueNearlyZero(x) && ValueNearlyZero(y) && ValueNearlyZero(z); }

    // To unit length; a vector nearly zero has no direction and stays as it is.
    void Normalize() {
        if (IsNearlyZero()) return;
        const Coord length = Length();
        x /= length;
        y /= length;
        z /= length;
    }
    Point3D Normalized() const {
        Point3D copy = *this;
        copy.Normalize();
        return copy;
    }
    bool IsNormalized() const { return NormalizedNearlyEqual(LengthSquared(), 1.0); }
};

inline Point2D::Point2D(const Point3D& p) : y(p.y), x(p.x) {}

inline Coord Dot(const Point2D& a, const Point2D& b) { return a.x * b.x + a.y * b.y; }
inline Coord Dot(const Point3D& a, const Point3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3D Cross(const Point3D& u, const Point3D& v) {
    return Point3D(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
}

// ---- rectangles and boxes ----------------------------------------------------

// SetToEmpty kind 1 stores the empty sentinel with a tenth of DBL_MAX.
inline constexpr int16_t kEmptyReduced = 1;

// An axis-parallel rectangle with y growing upwards. It is empty when a
// maximum side lies below its minimum side; default construction gives the
// empty sentinel: the minimum sides at +DBL_MAX, the maximum sides at -DBL_MAX.
struct Rect2D {
    Coord top;
    Coord left;
    Coord bottom;
    Coord right;

    Rect2D() : top(-DBL_MAX), left(DBL_MAX), bottom(DBL_MAX), right(-DBL_MAX) {}
    Rect2D(Coord inTop, Coord inLeft, Coord inBottom, Coord inRight)
        : top(inTop), left(inLeft), bottom(inBottom), right(inRight) {}

    void SetToEmpty(int16_t kind = 0);
    // With bQuiet false an empty or half-empty rectangle is reported first
    // (at most four reports in the life of the process).
    bool IsEmpty(bool bQuiet = false) const;

    // The field, or 0.0 (after a report) when the rectangle is empty.
    Coord Top() const { return IsEmpty(false) ? 0.0 : top; }
    Coord Left() const { return IsEmpty(false) ? 0.0 : left; }
    Coord Bottom() const { return IsEmpty(false) ? 0.0 : bottom; }
    Coord Right() const { return IsEmpty(false) ? 0.0 : right; }
};

// An axis-parallel box: the maximum corner, then the minimum corner. Default
// construction gives the empty sentinel like Rect2D.
struct Cube3D {
    Coord maxX;
    Coord maxY;
    Coord maxZ;
    Coord minX;
    Coord minY;
    Coord minZ;

    Cube3D() : maxX(-DBL_MAX), maxY(-DBL_MAX), maxZ(-DBL_MAX), minX(DBL_MAX), minY(DBL_MAX), minZ(DBL_MAX) {}
    Cube3D(const Point3D& p, const Point3D& q) { SetCorners(p, q); }

    void SetToEmpty(int16_t kind = 0);
    // Per dimension the clearly larger value goes to the maximum corner;
    // nearly equal values keep q's as the maximum.
    void SetCorners(const Point3D& p, const Point3D& q);
    bool IsEmpty(bool bQuiet = false) const;
    // Grows to hold `other`; empty cubes add nothing.
    void Union(const Cube3D& other);
};

inline Cube3D operator|(const Cube3D& a, const Cube3D& b) {
    Cube3D result = a;
    result.Union(b);
    return result;
}

// ---- figures and matrices -------------------------------------------------------

// A point is a row vector multiplied from the left: rows 0-2 are the linear
// part, row 3 the offset.
struct Matrix43 {
    Coord m[4][3];

    bool IsIdentity() const;
    bool IsOrthonormal() const;
};

struct Matrix44 {
    Coord m[4][4];
};

Matrix43 IdentityMatrix();
Matrix44 IdentityMatrix4();

// Four corners in sequence.
struct Quad2D {
    Point2D corner[4];

    Rect2D BoundingRect() const;
    // The figure with the opposite corners a and b whose axes are the first
    // two rows of m, taken as given: 0 = along v from a, 1 = b, 2 = a,
    // 3 = along u from a.
    void SetFromDiagonal(const Point2D& a, const Point2D& b, const Matrix43& m);
};

// The corners of c under m in the order top-left, top-right, bottom-left,
// bottom-right. An empty c is reported and leaves `out` untouched.
void TransformRectCorners(const Matrix43& m, const Rect2D& c, Quad2D& out);

// Reverses the bytes of every double, converting between little-endian and
// big-endian storage.
void ByteSwap(Point2D& value);
void ByteSwap(Point3D& value);
void ByteSwap(Rect2D& value);
void ByteSwap(Cube3D& value);
void ByteSwap(Matrix43& value);

static_assert(sizeof(Point2D) == 16 && offsetof(Point2D, y) == 0 && offsetof(Point2D, x) == 8);
static_assert(sizeof(Point3D) == 24 && offsetof(Point3D, x) == 0 && offsetof(Point3D, y) == 8 &&
              offsetof(Point3D, z) == 16);
static_assert(sizeof(Rect2D) == 32 && offsetof(Rect2D, top) == 0 && offsetof(Rect2D, left) == 8 &&
              offsetof(Rect2D, bottom) == 16 && offsetof(Rect2D, right) == 24);
static_assert(sizeof(Cube3D) == 48 && offsetof(Cube3D, maxX) == 0 && offsetof(Cube3D, maxY) == 8 &&
              offsetof(Cube3D, maxZ) == 16 && offsetof(Cube3D, minX) == 24 && offsetof(Cube3D, minY) == 32 &&
              offsetof(Cube3D, minZ) == 40);
static_assert(sizeof(Quad2D) == 64 && sizeof(Matrix43) == 96 && sizeof(Matrix44) == 128);
