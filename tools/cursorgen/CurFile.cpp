#include "CurFile.h"

namespace cursorgen {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteSize = 2 * 4;
constexpr uint32_t kRowBytes = kSize / 8;  // 32 one-bit pixels: already a multiple of 4 bytes
constexpr uint32_t kMaskBytes = kRowBytes * kSize;
constexpr uint32_t kDirectorySize = 6 + 16;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The two masks decide a monochrome pixel: AND 0 draws the XOR colour
// (0 black, 1 white); AND 1 keeps the screen (XOR 0) or inverts it (XOR 1).
bool AndBit(Shade s) { return s == Shade::kTransparent || s == Shade::kInverted; }
bool XorBit(Shade s) { return s == Shade::kWhite || s == Shade::kInverted; }

void PutMask(std::vector<uint8_t>& out, const Cursor& cursor, bool (*bit)(Shade)) {
    for (int y = kSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < kSize / 8; ++byte) {
            uint8_t v = 0;
            for (int b = 0; b < 8; ++b)
                if (bit(cursor.At(byte * 8 + b, y))) v |= static_cast<uint8_t>(0x80 >> b);
            out.push_back(v);
        }
    }
}

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '"' || c == '\\') out += c;  // a resource script doubles them
        out += c;
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeCur(const Cursor& cursor) {
    const uint32_t imageSize = kInfoHeaderSize + kPaletteSize + 2 * kMaskBytes;
    std::vector<uint8_t> out;
    out.reserve(kDirectorySize + imageSize);
    // ICONDIR
    Put16(out, 0);  // reserved
    Put16(out, 2);  // cursor
    Put16(out, 1);  // one image
    // ICONDIRENTRY: for cursors the planes and bit-count words hold the hotspot
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(2);  // colours in the palette
    out.push_back(0);
    Put16(out, static_cast<uint32_t>(cursor.hotspotX));
    Put16(out, static_cast<uint32_t>(cursor.hotspotY));
    Put32(out, imageSize);
    Put32(out, kDirectorySize);
    // BITMAPINFOHEADER; the height counts both masks
    Put32(out, kInfoHeaderSize);
    Put32(out, kSize);
    Put32(out, 2 * kSize);
    Put16(out, 1);  // planes
    Put16(out, 1);  // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, 2 * kMaskBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 2);  // colours used
    Put32(out, 2);  // colours important
    // palette (blue, green, red, reserved): 0 black, 1 white
    Put32(out, 0x00000000);
    Put32(out, 0x00FFFFFF);
    PutMask(out, cursor, XorBit);
    PutMask(out, cursor, AndBit);
    return out;
}

std::string ResourceScript(const std::vector<Cursor>& cursors, const std::filesystem::path& dir) {
    const std::filesystem::path absolute = std::filesystem::absolute(dir);
    std::string rc = "// The tool's cursors, written by cursorgen; edit tool/resources/cursors instead.\n";
    rc += "LANGUAGE 9, 1\n";
    for (const Cursor& c : cursors) {
        const std::string id = std::to_string(c.id);
        rc += id + " CURSOR \"" + Escaped((absolute / (id + ".cur")).generic_string()) + "\"\n";
    }
    return rc;
}

}  // namespace cursorgen
