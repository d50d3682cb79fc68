// Text forms of the values that cross the interface, for the call log and
// the transcript.
#include <charconv>
#include <cstdio>

#include "host/CharacterSets.h"
#include "src/Serve.h"

namespace host {

namespace {
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
}  // namespace

std::string MacRomanToDisplay(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            AppendUtf8(out, MacRomanToUnicode(c));
        else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

std::string PascalToDisplay(const unsigned char* pascal) {
    return MacRomanToDisplay(std::string(reinterpret_cast<const char*>(pascal + 1), pascal[0]));
}

namespace detail {

// The shortest text that reads back as the same double. Between 1e-6 and
// 1e16 it is written without an exponent, so a count reads 100000, not
// 1e+05, and a coordinate 1234567.1 keeps every digit.
std::string FormatReal(double value) {
    char buffer[400];
    const double magnitude = value < 0 ? -value : value;
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-6 && magnitude < 1e16);
    const auto [end, error] = plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                                    : std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "?";
    return std::string(buffer, end);
}

std::string FormatPoint(const Point2D& p) { return "(" + FormatReal(p.x) + ", " + FormatReal(p.y) + ")"; }

std::string FormatPoint(const Point3D& p) {
    return "(" + FormatReal(p.x) + ", " + FormatReal(p.y) + ", " + FormatReal(p.z) + ")";
}

std::string FormatRect(const Rect2D& r) {
    return "[top " + FormatReal(r.top) + ", left " + FormatReal(r.left) + ", bottom " + FormatReal(r.bottom) +
           ", right " + FormatReal(r.right) + "]";
}

std::string FormatCube(const Cube3D& c) {
    return "[max " + FormatPoint(Point3D(c.maxX, c.maxY, c.maxZ)) + ", min " +
           FormatPoint(Point3D(c.minX, c.minY, c.minZ)) + "]";
}

std::string FormatObject(const Host& host, ObjectHandle handle) {
    if (handle == nullptr) return "null";
    const Object* object = host.document.FromHandle(handle);
    return object == nullptr ? "#?" : object->name;
}

}  // namespace detail
}  // namespace host
