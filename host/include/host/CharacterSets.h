// The host's character sets: Windows-1252 (ANSI) and Mac OS Roman, with the
// conversion between them that the plug-in asks for (KS_Kludge 5678), and
// its rules for comparing texts (KS_EqualStrings, KS_CompareStrings).
//
// Conversion follows the published Unicode mappings of both sets (CP1252.TXT
// and ROMAN.TXT): a character that both sets hold keeps its identity, byte
// for byte. The characters one set lacks (25 in each direction, among them
// the five unassigned Windows-1252 positions 0x81, 0x8D, 0x8F, 0x90 and 0x9D)
// become kMissingCharacter, so one source byte always gives one byte.
//
// Comparison modes, bytes taken as unsigned:
//   1  exact: byte by byte.
//   2  ignoring case: ASCII letters A-Z compare as a-z.
//   any other mode compares as mode 1.
// A null text compares as the empty text.
#pragma once

#include <cstdint>
#include <string>

namespace host {

inline constexpr unsigned char kMissingCharacter = '?';

// The Unicode code point of a byte in each set; 0xFFFF for an unassigned one.
char16_t MacRomanToUnicode(unsigned char byte);
char16_t WindowsToUnicode(unsigned char byte);

unsigned char WindowsToMacRoman(unsigned char byte);
unsigned char MacRomanToWindows(unsigned char byte);

inline constexpr int16_t kCompareExact = 1;
inline constexpr int16_t kCompareIgnoringCase = 2;

bool TextsEqual(const char* a, const char* b, int16_t mode);
// -1, 0 or 1: the order of a relative to b.
int16_t CompareTexts(const char* a, const char* b, int16_t mode);

}  // namespace host
