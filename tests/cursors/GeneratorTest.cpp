// cursorgen on small inputs of our own: how it composes and encodes, and how
// it reports bad art without writing anything.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "CurReader.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string output;  // stdout and stderr
};

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / "cursorgen-test" / info->test_suite_name() / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }

    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    }

    static Outcome Generate(const std::string& arguments) {
        Outcome run;
        const std::string command = std::string("'") + MOVEDUP_CURSORGEN + "' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[512];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    Outcome GenerateInto(const fs::path& art) {
        return Generate("--out '" + (dir / "out").string() + "' '" + art.string() + "'");
    }

    fs::path dir;
};

// A glyph with one pixel of every kind, an anchored glyph, letters and copies.
constexpr const char* kSmallArt = R"(# comment
glyph kinds
|#.~ |

glyph dot anchor 1,1
|   |
| # |
|   |

glyph a
|##|
glyph b
|# |
| #|

cursor 100 5,6  black  kinds@0,0
cursor 101 5,6  white  =100
cursor 102 20,9 black  dot@hotspot "ab"@10,30
cursor 103 0,0  black  kinds@0,0  dot@1,1
)";

TEST_F(Generator, EncodesEveryPixelKindWithTheMaskBitsOfAMonochromeCursor) {
    const Outcome run = GenerateInto(Write("small.art", kSmallArt));
    ASSERT_EQ(run.status, 0) << run.output;
    const CurFile black = ReadCur(dir / "out" / "100.cur");
    ASSERT_EQ(black.bytes.size(), 326u);
    EXPECT_EQ(black.HotspotX(), 5);
    EXPECT_EQ(black.HotspotY(), 6);
    // The top row is the last of each mask; '#.~ ' is XOR 0110, AND 0011, the rest transparent.
    EXPECT_EQ(black.bytes[black.XorMask() + 31 * 4], 0x60);
    EXPECT_EQ(black.bytes[black.AndMask() + 31 * 4], 0x3F);
    EXPECT_EQ(black.bytes[black.XorMask()], 0x00);  // the bottom row comes first
    EXPECT_EQ(black.bytes[black.AndMask()], 0xFF);

    const CurFile white = ReadCur(dir / "out" / "101.cur");
    const Shade expectedBlack[] = {Shade::kBlack, Shade::kWhite, Shade::kInverted, Shade::kTransparent};
    const Shade expectedWhite[] = {Shade::kWhite, Shade::kBlack, Shade::kInverted, Shade::kTransparent};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(black.At(x, 0), expectedBlack[x]) << x;
        EXPECT_EQ(white.At(x, 0), expectedWhite[x]) << x;
    }
}

TEST_F(Generator, PlacesAnchorsHotspotsAndLettersAndPaintsLaterLayersOnTop) {
    ASSERT_EQ(GenerateInto(Write("small.art", kSmallArt)).status, 0);
    const CurFile placed = ReadCur(dir / "out" / "102.cur");
    EXPECT_EQ(placed.At(20, 9), Shade::kBlack) << "the anchor lands on the hotspot";
    EXPECT_EQ(placed.At(19, 8), Shade::kTransparent);
    // "ab" from 10,30: a at 10-11, one pixel apart, b at 13-14
    for (int x : {10, 11, 13, 14}) EXPECT_EQ(placed.At(x, 30), x == 14 ? Shade::kTransparent : Shade::kBlack) << x;
    EXPECT_EQ(placed.At(12, 30), Shade::kTransparent);
    EXPECT_EQ(placed.At(14, 31), Shade::kBlack);

    const CurFile layered = ReadCur(dir / "out" / "103.cur");
    EXPECT_EQ(layered.At(0, 0), Shade::kBlack) << "a transparent pixel on top keeps what is below";
    EXPECT_EQ(layered.At(1, 0), Shade::kWhite);
    EXPECT_EQ(layered.At(1, 1), Shade::kBlack) << "drawn by the later layer";
}

TEST_F(Generator, WritesAResourceScriptWithAbsolutePaths) {
    ASSERT_EQ(GenerateInto(Write("small.art", kSmallArt)).status, 0);
    std::ifstream in(dir / "out" / "Cursors.rc");
    std::stringstream rc;
    rc << in.rdbuf();
    const std::string out = fs::absolute(dir / "out").generic_string();
    EXPECT_NE(rc.str().find("LANGUAGE 9, 1\n100 CURSOR \"" + out + "/100.cur\"\n101 CURSOR"), std::string::npos)
        << rc.str();
    EXPECT_NE(rc.str().find("103 CURSOR \"" + out + "/103.cur\"\n"), std::string::npos) << rc.str();
}

struct BadArt {
    const char* name;
    const char* text;
    const char* message;
};

void PrintTo(const BadArt& bad, std::ostream* os) { *os << bad.name; }

class GeneratorRejects : public Generator, public ::testing::WithParamInterface<BadArt> {};

TEST_P(GeneratorRejects, BadArtWithItsPlaceAndWritesNothing) {
    const Outcome run = GenerateInto(Write("bad.art", GetParam().text));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(GetParam().message), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(dir / "out")) << "nothing is written";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, GeneratorRejects, ::testing::Values(
    BadArt{"RowWidth", "glyph g\n|## |\n|# |\n", "bad.art:3: row is 2 pixels wide, glyph 'g' is 3"},
    BadArt{"UnknownPixel", "glyph g\n|#x|\n", "bad.art:2: unknown pixel 'x'"},
    BadArt{"UnclosedRow", "glyph g\n|## \n", "bad.art:2: a picture row starts and ends with '|'"},
    BadArt{"RowOutsideGlyph", "\n|##|\n", "bad.art:2: picture row outside a glyph"},
    BadArt{"GlyphWithoutRows", "glyph g\ncursor 1 0,0 black g@0,0\n", "bad.art:1: glyph 'g' has no picture rows"},
    BadArt{"AnchorOutside", "glyph g anchor 2,0\n|##|\n", "bad.art:1: anchor of glyph 'g' lies outside its picture"},
    BadArt{"DuplicateGlyph", "glyph g\n|#|\nglyph g\n|.|\n", "bad.art:3: glyph 'g' is defined twice (first at line 1)"},
    BadArt{"UnknownGlyph", "glyph g\n|#|\n\ncursor 1 0,0 black nope@0,0\n", "bad.art:4: unknown glyph 'nope'"},
    BadArt{"UnknownLetter", "glyph a\n|#|\ncursor 1 0,0 black \"ab\"@0,0\n", "bad.art:3: unknown glyph 'b'"},
    BadArt{"DuplicateId", "glyph g\n|#|\ncursor 7 0,0 black g@0,0\ncursor 7 1,1 white g@0,0\n",
           "bad.art:4: cursor 7 is defined twice (first at line 3)"},
    BadArt{"HotspotOutside", "cursor 1 32,0 black g@0,0\n", "bad.art:1: hotspot 32,0 lies outside the 32x32 image"},
    BadArt{"GlyphOutside", "glyph g\n|##|\ncursor 1 0,0 black g@31,0\n",
           "bad.art:3: glyph 'g' placed at 31,0 reaches outside the 32x32 image"},
    BadArt{"UnknownColours", "cursor 1 0,0 grey g@0,0\n", "bad.art:1: unknown colour set 'grey'"},
    BadArt{"BadLayer", "cursor 1 0,0 black g\n", "bad.art:1: bad layer 'g'"},
    BadArt{"BadPosition", "cursor 1 0,0 black g@0;0\n", "bad.art:1: bad position '0;0'"},
    BadArt{"CopyOfUnknown", "cursor 1 0,0 black =2\n", "bad.art:1: unknown cursor 2"},
    BadArt{"CopyCycle", "cursor 1 0,0 black =2\ncursor 2 0,0 black =1\n", "copies itself"},
    BadArt{"UnknownStatement", "# fine\ncurser 1 0,0 black g@0,0\n", "bad.art:2: unknown statement 'curser'"},
    BadArt{"NoCursors", "glyph g\n|#|\n", "the art defines no cursor"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct CommandCase {
    const char* name;
    std::string arguments;  // $DIR: the test's folder, holding small.art
    int status;
    const char* output;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class GeneratorCommandLine : public Generator, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(GeneratorCommandLine, AnswersWithItsStatusAndMessage) {
    Write("small.art", kSmallArt);
    auto inDir = [this](std::string text) {
        for (size_t at; (at = text.find("$DIR")) != std::string::npos;) text.replace(at, 4, dir.string());
        return text;
    };
    const Outcome run = Generate(inDir(GetParam().arguments));
    EXPECT_EQ(run.status, GetParam().status) << run.output;
    EXPECT_NE(run.output.find(inDir(GetParam().output)), std::string::npos) << run.output;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, GeneratorCommandLine, ::testing::Values(
    CommandCase{"Help", "--help", 0, "usage: cursorgen --out DIR FILE..."},
    CommandCase{"Nothing", "", 2, "give one of --out DIR and --show ID"},
    CommandCase{"NoArt", "--out '$DIR/out'", 2, "no art files given"},
    CommandCase{"MissingFile", "--out '$DIR/out' '$DIR/missing.art'", 2, "cannot read $DIR/missing.art"},
    CommandCase{"UnknownOption", "--frobnicate", 2, "unknown option '--frobnicate'"},
    CommandCase{"BadShowId", "--show x '$DIR/small.art'", 2, "--show needs a cursor id, not 'x'"},
    CommandCase{"ShowUnknown", "--show 99 '$DIR/small.art'", 1, "no cursor 99"},
    CommandCase{"Show", "--show 102 '$DIR/small.art'", 0, "cursor 102 hotspot 20,9"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
