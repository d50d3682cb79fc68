// The tool's 34 cursors as a test expects to find them in the plug-in's
// resources: id, hotspot and what the picture shows. Header-only, so a test
// of the .cur files and a test of the loaded library read the same table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>

namespace movedup::cursors {

enum class Figure : uint8_t {
    kNoSelection,  // white crossed figure with a black outline
    kPlanCross,    // cross-hair with four arms, its centre on the hotspot
    kSpaceCross,   // three arms (up and two falling sideways), meeting on the hotspot
    kLettersOnly,  // letters and marks, no cross-hair
};

struct CursorEntry {
    int32_t id;
    int hotspotX;
    int hotspotY;
    Figure figure;
};

// Names the case in test output.
inline void PrintTo(const CursorEntry& c, std::ostream* os) { *os << "cursor " << c.id; }

inline constexpr int kCursorSize = 32;
inline constexpr int32_t kSpatialOffset = 10;
inline constexpr int32_t kAlternateOffset = 100;

// clang-format off
inline constexpr std::array<CursorEntry, 34> kCursors = {{
    {17000, 16, 14, Figure::kNoSelection},
    {17001, 15, 15, Figure::kPlanCross},
    {17002, 15, 15, Figure::kPlanCross},
    {17003, 15, 15, Figure::kLettersOnly},
    {17004, 15, 15, Figure::kLettersOnly},
    {17005, 15, 15, Figure::kLettersOnly},
    {17006, 15, 15, Figure::kLettersOnly},
    {17007, 15, 15, Figure::kPlanCross},
    {17008, 15, 15, Figure::kLettersOnly},
    {17011, 14, 14, Figure::kSpaceCross},
    {17012, 14, 14, Figure::kSpaceCross},
    {17013, 15, 15, Figure::kLettersOnly},
    {17014, 15, 15, Figure::kLettersOnly},
    {17015, 15, 15, Figure::kLettersOnly},
    {17016, 15, 15, Figure::kLettersOnly},
    {17017, 15, 14, Figure::kSpaceCross},
    {17018, 15, 15, Figure::kLettersOnly},
    {17100, 16, 14, Figure::kNoSelection},
    {17101, 15, 15, Figure::kPlanCross},
    {17102, 15, 15, Figure::kPlanCross},
    {17103, 15, 15, Figure::kLettersOnly},
    {17104, 15, 15, Figure::kLettersOnly},
    {17105, 15, 15, Figure::kLettersOnly},
    {17106, 15, 15, Figure::kLettersOnly},
    {17107, 15, 15, Figure::kPlanCross},
    {17108, 15, 15, Figure::kLettersOnly},
    {17111, 14, 14, Figure::kSpaceCross},
    {17112, 14, 14, Figure::kSpaceCross},
    {17113, 15, 15, Figure::kLettersOnly},
    {17114, 15, 15, Figure::kLettersOnly},
    {17115, 15, 15, Figure::kLettersOnly},
    {17116, 15, 15, Figure::kLettersOnly},
    {17117, 15, 14, Figure::kSpaceCross},
    {17118, 15, 15, Figure::kLettersOnly},
}};
// clang-format on

// The alternate set (for dark backgrounds) draws in white what the base set
// draws in black.
constexpr bool IsAlternate(int32_t id) { return id >= 17000 + kAlternateOffset; }
constexpr int32_t BaseOf(int32_t id) { return IsAlternate(id) ? id - kAlternateOffset : id; }

constexpr std::optional<CursorEntry> FindCursor(int32_t id) {
    for (const CursorEntry& c : kCursors)
        if (c.id == id) return c;
    return std::nullopt;
}

}  // namespace movedup::cursors
