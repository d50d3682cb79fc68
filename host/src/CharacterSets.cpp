// The two 8-bit character sets by their Unicode mappings, the conversion
// derived from them and the comparison rules.
#include "host/CharacterSets.h"

#include <array>

namespace host {

namespace {

constexpr char16_t kUnassigned = 0xFFFF;

// Mac OS Roman 0x80-0xFF (ROMAN.TXT; 0xDB is the euro sign, 0xF0 the Apple logo).
constexpr char16_t kMacRomanHigh[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

// Windows-1252 0x80-0x9F (CP1252.TXT); 0xA0-0xFF are Latin-1, the code
// point equal to the byte.
constexpr char16_t kWindows80To9F[32] = {
    0x20AC, kUnassigned, 0x201A,      0x0192, 0x201E,      0x2026,      0x2020, 0x2021,      0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152,      kUnassigned, 0x017D, kUnassigned, kUnassigned, 0x2018, 0x2019,      0x201C, 0x201D, 0x2022,
    0x2013, 0x2014,      0x02DC,      0x2122, 0x0161,      0x203A,      0x0153, kUnassigned, 0x017E, 0x0178};

using TByteMap = std::array<unsigned char, 256>;

// For every byte of one set, the byte of the other set with the same code
// point, or kMissingCharacter.
template <class FromSet, class ToSet>
TByteMap BuildMap(FromSet from, ToSet to) {
    TByteMap map{};
    for (int b = 0; b < 256; ++b) {
        const char16_t code = from(static_cast<unsigned char>(b));
        map[b] = kMissingCharacter;
        if (code == kUnassigned) continue;
        for (int c = 0; c < 256; ++c) {
            if (to(static_cast<unsigned char>(c)) == code) {
                map[b] = static_cast<unsigned char>(c);
                break;
            }
        }
    }
    return map;
}

const TByteMap& WindowsToMacMap() {
    static const TByteMap map = BuildMap(WindowsToUnicode, MacRomanToUnicode);
    return map;
}

const TByteMap& MacToWindowsMap() {
    static const TByteMap map = BuildMap(MacRomanToUnicode, WindowsToUnicode);
    return map;
}

unsigned char Fold(unsigned char c, int16_t mode) {
    return mode == kCompareIgnoringCase && c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

char16_t MacRomanToUnicode(unsigned char byte) { return byte < 0x80 ? byte : kMacRomanHigh[byte - 0x80]; }

char16_t WindowsToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kWindows80To9F[byte - 0x80];
    return byte;
}

unsigned char WindowsToMacRoman(unsigned char byte) { return WindowsToMacMap()[byte]; }

unsigned char MacRomanToWindows(unsigned char byte) { return MacToWindowsMap()[byte]; }

int16_t CompareTexts(const char* a, const char* b, int16_t mode) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a != nullptr ? a : "");
    const auto* pb = reinterpret_cast<const unsigned char*>(b != nullptr ? b : "");
    for (;; ++pa, ++pb) {
        const unsigned char ca = Fold(*pa, mode);
        const unsigned char cb = Fold(*pb, mode);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

bool TextsEqual(const char* a, const char* b, int16_t mode) { return CompareTexts(a, b, mode) == 0; }

}  // namespace host
