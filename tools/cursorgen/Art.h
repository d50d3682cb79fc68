// The cursor art: glyphs drawn as text, and cursors composed from them.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace cursorgen {

inline constexpr int kSize = 32;  // every cursor is 32 by 32 pixels

// A glyph pixel names a role, not a colour: the cursor's colour set decides
// what ink and paper become, so one glyph serves the black and the white set.
enum class Pixel : uint8_t { kTransparent, kInk, kPaper, kInverted };

// A cursor pixel as the screen shows it.
enum class Shade : uint8_t { kTransparent, kBlack, kWhite, kInverted };

struct Where {
    std::string file;
    int line = 0;
};

// Bad input; what() reads "FILE:LINE: what is wrong".
class InputError : public std::runtime_error {
public:
    InputError(const Where& where, const std::string& what);
};

struct Glyph {
    std::string name;
    int width = 0;
    int height = 0;
    int anchorX = 0;  // the pixel that lands on the placement point
    int anchorY = 0;
    std::vector<Pixel> pixels;  // row by row, top row first
    Where where;

    Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

struct Layer {
    enum class Kind { kGlyph, kText, kCopy };
    Kind kind = Kind::kGlyph;
    std::string name;  // the glyph's name, or the text
    int32_t copyOf = 0;
    bool atHotspot = false;
    int x = 0;
    int y = 0;
};

enum class ColourSet { kBlack, kWhite };  // the colour of the ink; paper is the other one

struct CursorDef {
    int32_t id = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    ColourSet colours = ColourSet::kBlack;
    std::vector<Layer> layers;  // painted in order, later ones on top
    Where where;
};

struct Art {
    std::map<std::string, Glyph> glyphs;
    std::map<int32_t, CursorDef> cursors;
};

using Image = std::array<Shade, kSize * kSize>;

struct Cursor {
    int32_t id = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    Image image{};

    Shade At(int x, int y) const { return image[static_cast<size_t>(y * kSize + x)]; }
};

// Adds the glyphs and cursors of one source file to `art`.
void ParseArt(std::istream& in, const std::string& fileName, Art& art);

// Paints every cursor; checks the references between glyphs and cursors.
std::vector<Cursor> Compose(const Art& art);

char ShadeChar(Shade shade);

}  // namespace cursorgen
