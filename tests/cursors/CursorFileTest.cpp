// The generated cursor files: the set of ids, the .cur layout, the hotspots,
// what the picture shows at the hotspot, and the alternate set.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "CurReader.h"
#include "CursorCatalogue.h"

namespace {

namespace fs = std::filesystem;
using movedup::cursors::CursorEntry;
using movedup::cursors::Figure;
using movedup::cursors::kCursors;
using movedup::cursors::kCursorSize;

const fs::path kDir = MOVEDUP_CURSORS_DIR;

fs::path PathOf(int32_t id) { return kDir / (std::to_string(id) + ".cur"); }

std::set<int32_t> CatalogueIds() {
    std::set<int32_t> ids;
    for (const CursorEntry& c : kCursors) ids.insert(c.id);
    return ids;
}

TEST(CursorFiles, OneFilePerCatalogueIdAndNoOthers) {
    std::set<int32_t> found;
    for (const auto& entry : fs::directory_iterator(kDir))
        if (entry.path().extension() == ".cur") found.insert(std::stoi(entry.path().stem().string()));
    EXPECT_EQ(found.size(), 34u);
    EXPECT_EQ(found, CatalogueIds());
}

TEST(CursorFiles, ResourceScriptNamesEveryCursorInUsEnglish) {
    std::ifstream in(kDir / "Cursors.rc");
    ASSERT_TRUE(in) << "no Cursors.rc in " << kDir;
    const std::regex cursorLine(R"re(^(\d+) CURSOR "([^"]+)"$)re");
    bool language = false;
    std::set<int32_t> ids;
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (line == "LANGUAGE 9, 1") {
            EXPECT_TRUE(ids.empty()) << "the language must come before the cursors";
            language = true;
        } else if (std::regex_match(line, m, cursorLine)) {
            const int32_t id = std::stoi(m[1]);
            EXPECT_TRUE(ids.insert(id).second) << id << " named twice";
            const fs::path path = m[2].str();
            EXPECT_TRUE(path.has_root_directory()) << line;  // on Windows: a root without a drive
            EXPECT_TRUE(fs::equivalent(path, PathOf(id))) << line;
        } else {
            EXPECT_TRUE(line.empty() || line.starts_with("//")) << "unexpected line: " << line;
        }
    }
    EXPECT_TRUE(language);
    EXPECT_EQ(ids, CatalogueIds());
}

// How many pixels of `shade` lie on a line from the hotspot in direction
// (dx, dy), counting from one step away, before the first other pixel.
int RunLength(const CurFile& cur, int dx, int dy, Shade shade) {
    int n = 0;
    for (int x = cur.HotspotX() + dx, y = cur.HotspotY() + dy;
         x >= 0 && y >= 0 && x < kCursorSize && y < kCursorSize && cur.At(x, y) == shade; x += dx, y += dy)
        ++n;
    return n;
}

// The first pixel from the hotspot in direction (dx, dy) that is not `shade`.
Shade FirstOtherThan(const CurFile& cur, int dx, int dy, Shade shade) {
    const int n = RunLength(cur, dx, dy, shade) + 1;
    const int x = cur.HotspotX() + n * dx, y = cur.HotspotY() + n * dy;
    if (x < 0 || y < 0 || x >= kCursorSize || y >= kCursorSize) return Shade::kTransparent;
    return cur.At(x, y);
}

bool AnyInBox(const CurFile& cur, int left, int top, int right, int bottom, Shade shade) {
    for (int y = std::max(top, 0); y <= std::min(bottom, kCursorSize - 1); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, kCursorSize - 1); ++x)
            if (cur.At(x, y) == shade) return true;
    return false;
}

int Count(const CurFile& cur, Shade shade) {
    int n = 0;
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) n += cur.At(x, y) == shade;
    return n;
}

class EachCursor : public ::testing::TestWithParam<CursorEntry> {
protected:
    void SetUp() override {
        cur = ReadCur(PathOf(GetParam().id));
        ASSERT_EQ(cur.bytes.size(), 22u + 40u + 8u + 2 * 128u) << PathOf(GetParam().id);
    }

    Shade Ink() const { return movedup::cursors::IsAlternate(GetParam().id) ? Shade::kWhite : Shade::kBlack; }

    CurFile cur;
};

TEST_P(EachCursor, IsOneMonochrome32By32ImageWithItsHotspot) {
    EXPECT_EQ(cur.Reserved(), 0);
    EXPECT_EQ(cur.Type(), 2);
    EXPECT_EQ(cur.Count(), 1);
    EXPECT_EQ(cur.Width(), 32);
    EXPECT_EQ(cur.Height(), 32);
    EXPECT_EQ(cur.HotspotX(), GetParam().hotspotX);
    EXPECT_EQ(cur.HotspotY(), GetParam().hotspotY);
    EXPECT_EQ(cur.ImageOffset(), 22u);
    EXPECT_EQ(cur.BytesInRes(), cur.bytes.size() - cur.ImageOffset());
    EXPECT_EQ(cur.HeaderSize(), 40u);
    EXPECT_EQ(cur.DibWidth(), 32);
    EXPECT_EQ(cur.DibHeight(), 64);  // both masks
    EXPECT_EQ(cur.Planes(), 1);
    EXPECT_EQ(cur.BitCount(), 1);
    EXPECT_EQ(cur.Compression(), 0u);
    EXPECT_EQ(cur.PaletteEntry(0), 0x000000u);
    EXPECT_EQ(cur.PaletteEntry(1), 0xFFFFFFu);
}

TEST_P(EachCursor, ShowsItsFigureAtTheHotspot) {
    const int hx = cur.HotspotX(), hy = cur.HotspotY();
    const Shade ink = Ink();
    switch (GetParam().figure) {
        case Figure::kNoSelection:
            // White inside, along the diagonal arms, and a black outline around.
            EXPECT_EQ(cur.At(hx, hy), Shade::kWhite);
            for (int dx : {-1, 1})
                for (int dy : {-1, 1}) EXPECT_GE(RunLength(cur, dx, dy, Shade::kWhite), 4) << dx << "," << dy;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                EXPECT_EQ(FirstOtherThan(cur, dx, dy, Shade::kWhite), Shade::kBlack) << dx << "," << dy;
            break;
        case Figure::kPlanCross:
            EXPECT_EQ(cur.At(hx, hy), ink);
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                EXPECT_GE(RunLength(cur, dx, dy, ink), 5) << "arm " << dx << "," << dy;
            for (int dx : {-1, 1})
                for (int dy : {-1, 1}) EXPECT_NE(cur.At(hx + dx, hy + dy), ink) << "the arms are one pixel thin";
            break;
        case Figure::kSpaceCross:
            EXPECT_EQ(cur.At(hx, hy), ink);
            EXPECT_GE(RunLength(cur, 0, -1, ink), 5) << "the upward arm";
            EXPECT_LE(RunLength(cur, 1, 0, ink) + RunLength(cur, -1, 0, ink), 2)
                << "no level arms: this is not the plan cross";
            EXPECT_EQ(cur.At(hx, hy + 2), Shade::kTransparent) << "no downward arm";
            EXPECT_TRUE(AnyInBox(cur, hx - 8, hy + 1, hx - 4, hy + 6, ink)) << "the arm falling to the left";
            EXPECT_TRUE(AnyInBox(cur, hx + 4, hy + 1, hx + 8, hy + 6, ink)) << "the arm falling to the right";
            break;
        case Figure::kLettersOnly:
            // No long line through the hotspot that could pass for a cross-hair.
            EXPECT_LE(RunLength(cur, 1, 0, ink) + RunLength(cur, -1, 0, ink) + 1, 7);
            EXPECT_LE(RunLength(cur, 0, 1, ink) + RunLength(cur, 0, -1, ink) + 1, 7);
            break;
    }
    if (GetParam().figure != Figure::kNoSelection) {
        const Shade paper = ink == Shade::kBlack ? Shade::kWhite : Shade::kBlack;
        EXPECT_GT(Count(cur, ink), 20);
        EXPECT_GT(Count(cur, ink), Count(cur, paper)) << "drawn mostly in the set's ink";
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EachCursor, ::testing::ValuesIn(kCursors),
                         [](const auto& info) { return std::to_string(info.param.id); });

TEST(AlternateCursors, AreTheBaseImagesWithBlackAndWhiteSwapped) {
    for (const CursorEntry& c : kCursors) {
        if (!movedup::cursors::IsAlternate(c.id) || c.figure == Figure::kNoSelection) continue;
        SCOPED_TRACE(c.id);
        const CurFile alt = ReadCur(PathOf(c.id)), base = ReadCur(PathOf(movedup::cursors::BaseOf(c.id)));
        EXPECT_EQ(alt.HotspotX(), base.HotspotX());
        EXPECT_EQ(alt.HotspotY(), base.HotspotY());
        int differences = 0;
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                Shade expected = base.At(x, y);
                if (expected == Shade::kBlack)
                    expected = Shade::kWhite;
                else if (expected == Shade::kWhite)
                    expected = Shade::kBlack;
                differences += alt.At(x, y) != expected;
            }
        }
        EXPECT_EQ(differences, 0);
    }
}

TEST(AlternateCursors, NoSelectionServesBothSetsUnchanged) {
    EXPECT_EQ(ReadCur(PathOf(17100)), ReadCur(PathOf(17000)));
}

TEST(CursorFiles, EveryStateHasAPictureOfItsOwn) {
    std::map<std::vector<uint8_t>, int32_t> seen;
    for (const CursorEntry& c : kCursors) {
        const CurFile cur = ReadCur(PathOf(c.id));
        const std::vector<uint8_t> pixels(cur.bytes.begin() + static_cast<long>(cur.XorMask()), cur.bytes.end());
        const auto [it, added] = seen.emplace(pixels, c.id);
        if (!added) {
            EXPECT_TRUE(it->second == 17000 && c.id == 17100) << c.id << " looks like " << it->second;
        }
    }
}

}  // namespace
