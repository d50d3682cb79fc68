// Emptiness checks, boxes, figures, matrices and byte order of the
// coordinate types.
#include "kernel/DKCoordTypes.h"

#include "kernel/KSDevelopers.h"
#include "platform/Process.h"

namespace {

// Reports of empty figures: at most four of each kind in the life of the
// process, so a loop over an empty figure cannot bury the developer.
int32_t gRectEmptyReportBudget = 4;
int32_t gCubeEmptyReportBudget = 4;

TDebugObject CoordTypesOwner() { return TDebugObject("DKCoordTypes", 0xFFFFFFFF, kDeveloperMaskHigh, true); }

// Runs the two emptiness reports of one kind of figure while its budget lasts.
void CheckEmptiness(int32_t& budget, const TDebugObject& owner, bool bEmpty, bool bEmptyEverywhere,
                    const char* szEmptyText, const char* szMixedText) {
    if (budget <= 0) return;
    Boolean asked = 0;
    if (bEmpty) {
        --budget;
        asked |= DebugStop(owner, "%s", szEmptyText);
    }
    if (bEmpty != bEmptyEverywhere && budget > 0) {
        --budget;
        asked |= DebugStop(owner, "%s", szMixedText);
    }
    if (asked && ks::platform::DebuggerAttached()) ks::platform::BreakIntoDebugger();
}

void StoreEmpty(int16_t kind, Coord* minSides[], Coord* maxSides[], int count) {
    const Coord magnitude = kind == kEmptyReduced ? DBL_MAX / 10.0 : DBL_MAX;
    for (int i = 0; i < count; ++i) {
        *minSides[i] = magnitude;
        *maxSides[i] = -magnitude;
    }
}

void SwapBytes(Coord& value) {
    unsigned char bytes[sizeof(Coord)];
    std::memcpy(bytes, &value, sizeof bytes);
    for (size_t b = 0; b < sizeof bytes / 2; ++b) {
        const unsigned char keep = bytes[b];
        bytes[b] = bytes[sizeof bytes - 1 - b];
        bytes[sizeof bytes - 1 - b] = keep;
    }
    std::memcpy(&value, bytes, sizeof bytes);
}

template <class... Fields>
void SwapEach(Fields&... fields) {
    (SwapBytes(fields), ...);
}

}  // namespace

bool NormalizedNearlyEqual(double n1, double n2) {
    KS_ASSERT(DeveloperOwner(kDeveloperNumerics, false), (IsANormalizedValue(n1) && IsANormalizedValue(n2)));
    const double difference = std::fabs(n1 - n2);
    if (n1 == 0.0 || n2 == 0.0) return difference <= 1e-6;
    return difference <= 1e-6 * Max(std::fabs(n1), std::fabs(n2));
}

// ---- Rect2D -------------------------------------------------------------------

void Rect2D::SetToEmpty(int16_t kind) {
    Coord* minSides[] = {&left, &bottom};
    Coord* maxSides[] = {&right, &top};
    StoreEmpty(kind, minSides, maxSides, 2);
}

bool Rect2D::IsEmpty(bool bQuiet) const {
    const bool emptyY = top < bottom;
    const bool emptyX = right < left;
    if (!bQuiet)
        CheckEmptiness(gRectEmptyReportBudget, DeveloperOwner(kDeveloperNumerics, false), emptyY || emptyX,
                       emptyY && emptyX, "Trying to operate on or access individual fields of an empty rect.",
                       "If Rect is empty in one dimension it should be empty in the other dimension too");
    return emptyY || emptyX;
}

// ---- Cube3D -------------------------------------------------------------------

void Cube3D::SetToEmpty(int16_t kind) {
    Coord* minSides[] = {&minX, &minY, &minZ};
    Coord* maxSides[] = {&maxX, &maxY, &maxZ};
    StoreEmpty(kind, minSides, maxSides, 3);
}

void Cube3D::SetCorners(const Point3D& p, const Point3D& q) {
    struct Dimension {
        Coord p, q;
        Coord *max, *min;
    };
    const Dimension dimensions[] = {{p.y, q.y, &maxY, &minY}, {p.x, q.x, &maxX, &minX}, {p.z, q.z, &maxZ, &minZ}};
    for (const Dimension& d : dimensions) {
        const bool pIsMax = ValueClearlyGreater(d.p, d.q);
        *d.max = pIsMax ? d.p : d.q;
        *d.min = pIsMax ? d.q : d.p;
    }
}

bool Cube3D::IsEmpty(bool bQuiet) const {
    const bool emptyX = minX > maxX;
    const bool emptyY = minY > maxY;
    const bool emptyZ = minZ > maxZ;
    const bool empty = emptyX || emptyY || emptyZ;
    if (!bQuiet)
        CheckEmptiness(gCubeEmptyReportBudget, CoordTypesOwner(), empty, emptyX && emptyY && emptyZ,
                       "Trying to operate on or access individual fields of an empty cube.",
                       "If cube is empty in one dimension it should be empty in the other dimensions too");
    return empty;
}

void Cube3D::Union(const Cube3D& other) {
    if (IsEmpty(true)) {
        *this = other;
        return;
    }
    if (other.IsEmpty(true)) return;
    maxX = Max(maxX, other.maxX);
    maxY = Max(maxY, other.maxY);
    maxZ = Max(maxZ, other.maxZ);
    minX = Min(minX, other.minX);
    minY = Min(minY, other.minY);
    minZ = Min(minZ, other.minZ);
}

// ---- figures and matrices --------------------------------------------------------

Rect2D Quad2D::BoundingRect() const {
    Rect2D bounds(corner[0].y, corner[0].x, corner[0].y, corner[0].x);
    for (const Point2D& p : corner) {
        bounds.left = Min(bounds.left, p.x);
        bounds.right = Max(bounds.right, p.x);
        bounds.top = Max(bounds.top, p.y);
        bounds.bottom = Min(bounds.bottom, p.y);
    }
    return bounds;
}

void Quad2D::SetFromDiagonal(const Point2D& a, const Point2D& b, const Matrix43& m) {
    const Point2D u(m.m[0][0], m.m[0][1]);
    const Point2D v(m.m[1][0], m.m[1][1]);
    const Point2D d = b - a;
    corner[0] = a + v * Dot(v, d);
    corner[1] = b;
    corner[2] = a;
    corner[3] = a + u * Dot(u, d);
}

void TransformRectCorners(const Matrix43& m, const Rect2D& c, Quad2D& out) {
    if (c.IsEmpty(true)) {
        KS_ASSERT_TEXT(CoordTypesOwner(), "!c.IsEmpty()");
        return;
    }
    const Point2D corners[4] = {Point2D(c.left, c.top), Point2D(c.right, c.top), Point2D(c.left, c.bottom),
                                Point2D(c.right, c.bottom)};
    for (int i = 0; i < 4; ++i) {
        const Point2D& p = corners[i];
        out.corner[i] =
            Point2D(p.x * m.m[0][0] + p.y * m.m[1][0] + m.m[3][0], p.x * m.m[0][1] + p.y * m.m[1][1] + m.m[3][1]);
    }
}

bool Matrix43::IsIdentity() const {
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column)
            if (m[row][column] != (row == column ? 1.0 : 0.0)) return false;
    return true;
}

bool Matrix43::IsOrthonormal() const {
    const Point3D row0(m[0][0], m[0][1], m[0][2]);
    const Point3D row1(m[1][0], m[1][1], m[1][2]);
    const Point3D row2(m[2][0], m[2][1], m[2][2]);
    return row0.IsNormalized() && row1.IsNormalized() && row2.IsNormalized() &&
           NormalizedNearlyEqual(std::fabs(Dot(Cross(row0, row1), row2)), 1.0);
}

namespace {
// Each identity is filled once, on first use, and handed out as copies.
template <class TMatrix, int kSize>
TMatrix MakeIdentity() {
    TMatrix identity{};
    for (int i = 0; i < kSize; ++i) identity.m[i][i] = 1.0;
    return identity;
}
}  // namespace

Matrix43 IdentityMatrix() {
    static const Matrix43 kIdentity = MakeIdentity<Matrix43, 3>();
    return kIdentity;
}

Matrix44 IdentityMatrix4() {
    static const Matrix44 kIdentity = MakeIdentity<Matrix44, 4>();
    return kIdentity;
}

// ---- byte order -------------------------------------------------------------------

void ByteSwap(Point2D& value) { SwapEach(value.y, value.x); }
void ByteSwap(Point3D& value) { SwapEach(value.x, value.y, value.z); }
void ByteSwap(Rect2D& value) { SwapEach(value.top, value.left, value.bottom, value.right); }
void ByteSwap(Cube3D& value) { SwapEach(value.maxX, value.maxY, value.maxZ, value.minX, value.minY, value.minZ); }
void ByteSwap(Matrix43& value) {
    for (auto& row : value.m)
        for (Coord& entry : row) SwapBytes(entry);
}
