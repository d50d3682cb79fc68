#include "Art.h"

#include <charconv>
#include <istream>
#include <set>
#include <sstream>

namespace cursorgen {

InputError::InputError(const Where& where, const std::string& what)
    : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": " + what) {}

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool ToInt(const std::string& s, int& value) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// "X,Y"
bool ToPoint(const std::string& s, int& x, int& y) {
    const auto comma = s.find(',');
    return comma != std::string::npos && ToInt(s.substr(0, comma), x) && ToInt(s.substr(comma + 1), y);
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// "(first at line 3)" or, from another file, "(first at FILE:3)"
std::string FirstAt(const Where& first, const Where& now) {
    const std::string line = std::to_string(first.line);
    return "(first at " + (first.file == now.file ? "line " + line : first.file + ":" + line) + ")";
}

Pixel ToPixel(char c, const Where& where) {
    switch (c) {
        case ' ':
            return Pixel::kTransparent;
        case '#':
            return Pixel::kInk;
        case '.':
            return Pixel::kPaper;
        case '~':
            return Pixel::kInverted;
        default:
            throw InputError(where, "unknown pixel " + Quoted(std::string(1, c)) +
                                        " (use '#' ink, '.' paper, ' ' transparent, '~' inverted)");
    }
}

void ParseGlyphHeader(const std::vector<std::string>& words, const Where& where, Glyph& glyph) {
    if (words.size() != 2 && !(words.size() == 4 && words[2] == "anchor"))
        throw InputError(where, "expected 'glyph NAME' or 'glyph NAME anchor X,Y'");
    glyph = Glyph{};
    glyph.name = words[1];
    glyph.where = where;
    if (words.size() == 4 && !ToPoint(words[3], glyph.anchorX, glyph.anchorY))
        throw InputError(where, "bad anchor " + Quoted(words[3]) + " (expected X,Y)");
}

void AddRow(const std::string& text, const Where& where, Glyph& glyph) {
    if (text.size() < 2 || text.back() != '|') throw InputError(where, "a picture row starts and ends with '|'");
    const std::string row = text.substr(1, text.size() - 2);
    if (glyph.height > 0 && static_cast<int>(row.size()) != glyph.width)
        throw InputError(where, "row is " + std::to_string(row.size()) + " pixels wide, glyph " + Quoted(glyph.name) +
                                    " is " + std::to_string(glyph.width));
    if (row.empty()) throw InputError(where, "empty picture row");
    glyph.width = static_cast<int>(row.size());
    for (char c : row) glyph.pixels.push_back(ToPixel(c, where));
    ++glyph.height;
}

Layer ParseLayer(const std::string& word, const Where& where) {
    Layer layer;
    if (word.size() > 1 && word[0] == '=') {
        layer.kind = Layer::Kind::kCopy;
        if (!ToInt(word.substr(1), layer.copyOf)) throw InputError(where, "bad cursor id in " + Quoted(word));
        return layer;
    }
    const auto at = word.rfind('@');
    if (at == std::string::npos || at == 0)
        throw InputError(where,
                         "bad layer " + Quoted(word) + " (expected GLYPH@X,Y, GLYPH@hotspot, \"TEXT\"@X,Y or =ID)");
    std::string what = word.substr(0, at);
    const std::string place = word.substr(at + 1);
    if (what.size() >= 2 && what.front() == '"' && what.back() == '"') {
        layer.kind = Layer::Kind::kText;
        what = what.substr(1, what.size() - 2);
        if (what.empty()) throw InputError(where, "empty text in " + Quoted(word));
    }
    layer.name = what;
    if (place == "hotspot")
        layer.atHotspot = true;
    else if (!ToPoint(place, layer.x, layer.y))
        throw InputError(where, "bad position " + Quoted(place) + " in " + Quoted(word) + " (expected X,Y or hotspot)");
    return layer;
}

void ParseCursor(const std::vector<std::string>& words, const Where& where, Art& art) {
    if (words.size() < 5) throw InputError(where, "expected 'cursor ID X,Y black|white LAYER...'");
    CursorDef def;
    def.where = where;
    if (!ToInt(words[1], def.id) || def.id < 1 || def.id > 0xFFFF)
        throw InputError(where, "bad cursor id " + Quoted(words[1]) + " (1 to 65535)");
    if (!ToPoint(words[2], def.hotspotX, def.hotspotY))
        throw InputError(where, "bad hotspot " + Quoted(words[2]) + " (expected X,Y)");
    if (def.hotspotX < 0 || def.hotspotX >= kSize || def.hotspotY < 0 || def.hotspotY >= kSize)
        throw InputError(where, "hotspot " + words[2] + " lies outside the 32x32 image");
    if (words[3] == "black")
        def.colours = ColourSet::kBlack;
    else if (words[3] == "white")
        def.colours = ColourSet::kWhite;
    else
        throw InputError(where, "unknown colour set " + Quoted(words[3]) + " (black or white)");
    for (size_t i = 4; i < words.size(); ++i) def.layers.push_back(ParseLayer(words[i], where));
    const auto [it, added] = art.cursors.emplace(def.id, def);
    if (!added)
        throw InputError(where,
                         "cursor " + std::to_string(def.id) + " is defined twice " + FirstAt(it->second.where, where));
}

void AddGlyph(Glyph glyph, Art& art) {
    if (glyph.anchorX < 0 || glyph.anchorX >= glyph.width || glyph.anchorY < 0 || glyph.anchorY >= glyph.height)
        throw InputError(glyph.where, "anchor of glyph " + Quoted(glyph.name) + " lies outside its picture");
    const auto [it, added] = art.glyphs.emplace(glyph.name, glyph);
    if (!added)
        throw InputError(glyph.where,
                         "glyph " + Quoted(glyph.name) + " is defined twice " + FirstAt(it->second.where, glyph.where));
}

}  // namespace

void ParseArt(std::istream& in, const std::string& fileName, Art& art) {
    Glyph glyph;
    bool inGlyph = false;
    auto closeGlyph = [&] {
        if (!inGlyph) return;
        if (glyph.height == 0) throw InputError(glyph.where, "glyph " + Quoted(glyph.name) + " has no picture rows");
        AddGlyph(glyph, art);
        inGlyph = false;
    };
    Where where{fileName, 0};
    for (std::string raw; std::getline(in, raw);) {
        ++where.line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = Trim(raw);
        if (!line.empty() && line[0] == '|') {
            if (!inGlyph) throw InputError(where, "picture row outside a glyph");
            AddRow(line, where, glyph);
            continue;
        }
        closeGlyph();
        if (line.empty() || line[0] == '#') continue;
        const auto words = Words(line);
        if (words[0] == "glyph") {
            ParseGlyphHeader(words, where, glyph);
            inGlyph = true;
        } else if (words[0] == "cursor") {
            ParseCursor(words, where, art);
        } else {
            throw InputError(where, "unknown statement " + Quoted(words[0]) + " (glyph or cursor)");
        }
    }
    closeGlyph();
}

namespace {

class Painter {
public:
    Painter(const Art& art, const CursorDef& def) : art_(art), def_(def) { cursor_.image.fill(Shade::kTransparent); }

    Cursor Paint() {
        cursor_.id = def_.id;
        cursor_.hotspotX = def_.hotspotX;
        cursor_.hotspotY = def_.hotspotY;
        PaintLayers(def_);
        return cursor_;
    }

private:
    // Copied layers are painted with this cursor's hotspot and colours.
    void PaintLayers(const CursorDef& from) {
        if (!visiting_.insert(from.id).second)
            throw InputError(def_.where, "cursor " + std::to_string(from.id) + " copies itself through '='");
        for (const Layer& layer : from.layers) {
            switch (layer.kind) {
                case Layer::Kind::kCopy: {
                    const auto it = art_.cursors.find(layer.copyOf);
                    if (it == art_.cursors.end())
                        throw InputError(from.where, "unknown cursor " + std::to_string(layer.copyOf) + " in '='");
                    PaintLayers(it->second);
                    break;
                }
                case Layer::Kind::kGlyph: {
                    const int x = layer.atHotspot ? def_.hotspotX : layer.x;
                    const int y = layer.atHotspot ? def_.hotspotY : layer.y;
                    const Glyph& glyph = Find(layer.name, from.where);
                    Place(glyph, x - glyph.anchorX, y - glyph.anchorY, from.where);
                    break;
                }
                case Layer::Kind::kText: {
                    // Letters sit side by side from their top left corners, one pixel apart.
                    int x = layer.atHotspot ? def_.hotspotX : layer.x;
                    const int y = layer.atHotspot ? def_.hotspotY : layer.y;
                    for (char c : layer.name) {
                        const Glyph& glyph = Find(std::string(1, c), from.where);
                        Place(glyph, x, y, from.where);
                        x += glyph.width + 1;
                    }
                    break;
                }
            }
        }
        visiting_.erase(from.id);
    }

    const Glyph& Find(const std::string& name, const Where& where) const {
        const auto it = art_.glyphs.find(name);
        if (it == art_.glyphs.end()) throw InputError(where, "unknown glyph " + Quoted(name));
        return it->second;
    }

    void Place(const Glyph& glyph, int left, int top, const Where& where) {
        if (left < 0 || top < 0 || left + glyph.width > kSize || top + glyph.height > kSize)
            throw InputError(where, "glyph " + Quoted(glyph.name) + " placed at " + std::to_string(left) + "," +
                                        std::to_string(top) + " reaches outside the 32x32 image");
        const bool blackInk = def_.colours == ColourSet::kBlack;
        for (int gy = 0; gy < glyph.height; ++gy) {
            for (int gx = 0; gx < glyph.width; ++gx) {
                Shade& out = cursor_.image[static_cast<size_t>((top + gy) * kSize + left + gx)];
                switch (glyph.At(gx, gy)) {
                    case Pixel::kTransparent:
                        break;
                    case Pixel::kInk:
                        out = blackInk ? Shade::kBlack : Shade::kWhite;
                        break;
                    case Pixel::kPaper:
                        out = blackInk ? Shade::kWhite : Shade::kBlack;
                        break;
                    case Pixel::kInverted:
                        out = Shade::kInverted;
                        break;
                }
            }
        }
    }

    const Art& art_;
    const CursorDef& def_;
    Cursor cursor_;
    std::set<int32_t> visiting_;
};

}  // namespace

std::vector<Cursor> Compose(const Art& art) {
    std::vector<Cursor> cursors;
    for (const auto& [id, def] : art.cursors) cursors.push_back(Painter(art, def).Paint());
    return cursors;
}

char ShadeChar(Shade shade) {
    switch (shade) {
        case Shade::kBlack:
            return '#';
        case Shade::kWhite:
            return '.';
        case Shade::kInverted:
            return '~';
        case Shade::kTransparent:
            break;
    }
    return ' ';
}

}  // namespace cursorgen
