// Coordinate value types shared by the kernel, the tool and the host.
//
// The memory layout of Point2D, Point3D, Rect2D and Cube3D is an interface
// with the host: consecutive doubles, no padding, in the field order below.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>

using Coord = double;

// A 2-D point stored y first, but constructed from x and y.
struct Point2D {
    Coord y;
    Coord x;

    Point2D() = default;  // fields left uninitialised
    Point2D(Coord inX, Coord inY) : y(inY), x(inX) {}

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
    Coord Length() const { return std::sqrt(x * x + y * y + z * z); }
};

// An axis-parallel rectangle with y growing upwards. Default construction
// gives the empty sentinel: the minimum sides at +DBL_MAX, the maximum sides
// at -DBL_MAX.
struct Rect2D {
    Coord top;
    Coord left;
    Coord bottom;
    Coord right;

    Rect2D() : top(-DBL_MAX), left(DBL_MAX), bottom(DBL_MAX), right(-DBL_MAX) {}
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
};

static_assert(sizeof(Point2D) == 16 && offsetof(Point2D, y) == 0 && offsetof(Point2D, x) == 8);
static_assert(sizeof(Point3D) == 24 && offsetof(Point3D, x) == 0 && offsetof(Point3D, y) == 8 &&
              offsetof(Point3D, z) == 16);
static_assert(sizeof(Rect2D) == 32 && offsetof(Rect2D, top) == 0 && offsetof(Rect2D, left) == 8 &&
              offsetof(Rect2D, bottom) == 16 && offsetof(Rect2D, right) == 24);
static_assert(sizeof(Cube3D) == 48 && offsetof(Cube3D, maxX) == 0 && offsetof(Cube3D, maxZ) == 16 &&
              offsetof(Cube3D, minX) == 24 && offsetof(Cube3D, minZ) == 40);
