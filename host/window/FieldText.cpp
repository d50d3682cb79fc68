#include "FieldText.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace window {

namespace {

// The host's field kinds that it fills itself.
enum : int32_t {
    kCursorX = 1,
    kCursorY = 2,
    kDeltaX = 3,
    kDeltaY = 4,
    kLength = 5,
    kAngle = 6,
    kCursorX3D = 34,
    kCursorY3D = 35,
    kCursorZ3D = 36,
    kLength3D = 42,
    kDeltaX3D = 69,
    kDeltaY3D = 70,
    kDeltaZ3D = 71,
};

}  // namespace

std::string FormatNumber(double value) {
    if (!std::isfinite(value)) return value != value ? "-" : (value > 0 ? "inf" : "-inf");
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string FieldLabel(const host::DataField& field) { return host::MacRomanToDisplay(field.label); }

std::string FieldValue(const host::DataField& field, const host::ToolPoints& points) {
    if (field.value) return FormatNumber(*field.value);
    if (field.length) return FormatNumber(*field.length);
    const Point3D& c = points.cursor;
    // The span runs from the last picked point to the cursor.
    const Point3D from = points.picked.empty() ? c : points.picked.back();
    const double dx = c.x - from.x, dy = c.y - from.y, dz = c.z - from.z;
    switch (field.kind) {
        case kCursorX:
        case kCursorX3D:
            return FormatNumber(c.x);
        case kCursorY:
        case kCursorY3D:
            return FormatNumber(c.y);
        case kCursorZ3D:
            return FormatNumber(c.z);
        case kDeltaX:
        case kDeltaX3D:
            return FormatNumber(dx);
        case kDeltaY:
        case kDeltaY3D:
            return FormatNumber(dy);
        case kDeltaZ3D:
            return FormatNumber(dz);
        case kLength:
            return FormatNumber(std::hypot(dx, dy));
        case kLength3D:
            return FormatNumber(std::sqrt(dx * dx + dy * dy + dz * dz));
        case kAngle:
            return dx == 0.0 && dy == 0.0 ? "0" : FormatNumber(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
        default:
            return "";
    }
}

}  // namespace window
