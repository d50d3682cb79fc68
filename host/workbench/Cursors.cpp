#include "workbench/Cursors.h"

#include <map>
#include <sstream>
#include <vector>

#include "Art.h"
#include "CursorArtText.h"

namespace workbench {

namespace {

struct Table {
    cursorgen::Art art;
    std::map<int32_t, cursorgen::Cursor> pictures;
};

const Table& TheTable() {
    static const Table table = [] {
        Table t;
        std::istringstream glyphs(kGlyphArt), cursors(kCursorArt);
        cursorgen::ParseArt(glyphs, "glyphs.txt", t.art);
        cursorgen::ParseArt(cursors, "cursors.txt", t.art);
        for (const cursorgen::Cursor& c : cursorgen::Compose(t.art)) t.pictures.emplace(c.id, c);
        return t;
    }();
    return table;
}

// The letters a cursor writes and the glyphs it paints, through its copies.
void Collect(const cursorgen::Art& art, int32_t id, std::vector<std::string>& texts, std::vector<std::string>& marks) {
    auto it = art.cursors.find(id);
    if (it == art.cursors.end()) return;
    for (const cursorgen::Layer& layer : it->second.layers) {
        if (layer.kind == cursorgen::Layer::Kind::kCopy)
            Collect(art, layer.copyOf, texts, marks);
        else if (layer.kind == cursorgen::Layer::Kind::kText)
            texts.push_back(layer.name);
        else
            marks.push_back(layer.name);
    }
}

}  // namespace

std::string CursorName(int32_t id) {
    const cursorgen::Art& art = TheTable().art;
    auto it = art.cursors.find(id);
    if (it == art.cursors.end()) return "";
    std::vector<std::string> texts, marks;
    Collect(art, id, texts, marks);
    // What the letters say, as the tool's instructions name the actions.
    static const std::map<std::string, std::string> kMeaning = {
        {"", "nothing selected"},         {"M", "move"},
        {"D", "duplicate"},               {"AM", "repeat move"},
        {"AD", "repeat duplicate"},       {"-AM", "reverse move"},
        {"-AD", "reverse duplicate"},     {"PATH", "path"},
        {"A PATH", "repeat path"},
    };
    std::string letters;
    for (const std::string& t : texts) letters += (letters.empty() ? "" : " ") + t;
    auto meaning = kMeaning.find(letters);
    std::string name = meaning != kMeaning.end() ? meaning->second : "\"" + letters + "\"";
    for (const std::string& mark : marks)
        if (mark.rfind("space-", 0) == 0) {
            name += " in space";
            break;
        }
    if (CursorInWhite(id)) name += ", white";
    return name;
}

const cursorgen::Cursor* CursorPicture(int32_t id) {
    const auto& pictures = TheTable().pictures;
    auto it = pictures.find(id);
    return it == pictures.end() ? nullptr : &it->second;
}

bool CursorInWhite(int32_t id) {
    const cursorgen::Art& art = TheTable().art;
    auto it = art.cursors.find(id);
    return it != art.cursors.end() && it->second.colours == cursorgen::ColourSet::kWhite;
}

}  // namespace workbench
