// The Pascal and C string helpers: random calls against the model of
// HelperSteps.h, with every destination placed before guard bytes that must
// stay untouched, and the cases of the copy, append, insert, delete and
// compare rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "GuardedBuffer.h"
#include "HelperSteps.h"
#include "StringTestSupport.h"
#include "kernel/KSString.h"

namespace {

class HelperRandomInputs : public ::testing::TestWithParam<uint32_t> {};

TEST_P(HelperRandomInputs, CopiesAppendsInsertsAndComparisonsFollowTheModelWithinCapacity) {
    DebugCapture capture;  // "n <= 256" reports are expected here
    TRandomChoices choices(GetParam());
    for (int i = 0; i < 1500; ++i) {
        const TStep step = HelperStep(choices);
        ASSERT_EQ(step.mismatch, "") << "call " << i << ": " << step.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, HelperRandomInputs, ::testing::Range<uint32_t>(1, 11));

TEST(HelperCopies, TruncationAndTheCapacityReport) {
    DebugCapture capture;
    const auto ps20 = MakePascal("abcdefghijklmnopqrst");
    unsigned char dst[300];
    CopyPascalToPascal(ps20.data(), dst, 10);
    EXPECT_EQ(dst[0], 9);
    CopyPascalToPascal(ps20.data(), dst, 256);
    EXPECT_EQ(dst[0], 20);
    EXPECT_EQ(CountReports(capture), 0);

    const std::string text300(300, 'c');
    CopyCToPascal(text300.c_str(), dst, 256);
    EXPECT_EQ(dst[0], 255);
    CopyCToPascal(text300.c_str(), dst, 300);
    EXPECT_EQ(dst[0], 255);
    EXPECT_TRUE(Reported(capture, "n <= 256"));
    CopyTextToPascal(text300.data(), 300, dst, 300);
    EXPECT_EQ(dst[0], 255);  // the length byte holds the count, never 300 mod 256

    const unsigned char psNul[] = {5, 'a', 'b', 0, 'd', 'e'};
    char sz[256];
    std::fill(sz, sz + sizeof sz, 'x');
    CopyPascalToC(psNul, sz, 256);
    EXPECT_STREQ(sz, "ab");
    EXPECT_EQ(sz[4], '\0');  // the rest of the copied range is filled with NUL
    EXPECT_EQ(sz[6], 'x');

    unsigned char untouched[4] = {9, 9, 9, 9};
    CopyPascalToPascal(ps20.data(), untouched, 0);
    CopyCToPascal(nullptr, untouched, 4);
    EXPECT_EQ(untouched[0], 0);
    CopyPascalToC(nullptr, sz, 4);
    EXPECT_STREQ(sz, "");
    CopyTextToC(nullptr, 5, sz, 4);
    EXPECT_STREQ(sz, "");
}

TEST(HelperAppends, AFullDestinationIsLeftAlone) {
    unsigned char dst[256] = {9, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'};
    const auto ps = MakePascal("xyz");
    EXPECT_EQ(AppendPascalToPascal(dst, ps.data(), 10), dst);
    EXPECT_EQ(dst[0], 9);
    AppendCToPascal(dst, "xyz", 11);
    EXPECT_EQ(dst[0], 10);
    EXPECT_EQ(dst[10], 'x');
    // A capacity above 256 counts as 256: the length byte stops at 255.
    unsigned char full[256];
    CopyTextToPascal(std::string(250, 'f').data(), 250, full, 256);
    AppendTextToPascal(full, "0123456789", 10, 1000);
    EXPECT_EQ(full[0], 255);
    EXPECT_EQ(full[255], '4');
    EXPECT_EQ(AppendCToC(nullptr, "x", 4), nullptr);
}

TEST(HelperInsertDelete, Positions) {
    struct InsertCase {
        std::string dst;
        std::string src;
        uint8_t pos;
        std::string expected;
    };
    const InsertCase inserts[] = {
        {"abc", "XY", 2, "aXYbc"},
        {"abc", "XY", 1, "XYabc"},
        {"abc", "XY", 4, "abcXY"},
        {"abc", "XY", 9, "abcXY"},  // beyond the end: appended
        {"abc", "XY", 0, "abc"},
        {"", "XY", 1, "XY"},
        {std::string(250, 'd'), "0123456789", 3, "dd01234" + std::string(248, 'd')},
    };
    for (const InsertCase& c : inserts) {
        TGuarded dst(256, 0x11);
        const auto ps = MakePascal(c.dst);
        std::copy(ps.begin(), ps.end(), dst.P());
        InsertPascalIntoPascal(MakePascal(c.src).data(), dst.P(), c.pos);
        EXPECT_TRUE(dst.GuardsIntact());
        EXPECT_EQ(dst.Pascal(), c.expected) << c.dst << " at " << int(c.pos);
    }

    struct DeleteCase {
        uint8_t pos;
        uint8_t count;
        std::string expected;
    };
    for (const DeleteCase& c : {DeleteCase{3, 10, "ab"}, DeleteCase{5, 2, "abcd"}, DeleteCase{6, 1, "abcde"},
                                DeleteCase{1, 1, "bcde"}, DeleteCase{2, 0, "abcde"}, DeleteCase{0, 2, "abcde"}}) {
        auto ps = MakePascal("abcde");
        DeleteFromPascal(ps.data(), c.pos, c.count);
        EXPECT_EQ(std::string(ps.begin() + 1, ps.begin() + 1 + ps[0]), c.expected) << int(c.pos);
    }

    char sz[] = "abcde";
    DeleteFromC(sz, 2, 10);
    EXPECT_STREQ(sz, "ab");
    DeleteFromC(sz, 3, 1);
    EXPECT_STREQ(sz, "ab");
    DeleteFromC(sz, 0, 1);
    EXPECT_STREQ(sz, "b");
}

TEST(HelperCompare, ExactComparisonsAndEmptiness) {
    const auto abc = MakePascal("abc");
    const auto abd = MakePascal("abd");
    const auto empty = MakePascal("");
    EXPECT_TRUE(PascalEqualsPascal(nullptr, empty.data()));
    EXPECT_TRUE(PascalEqualsPascal(abc.data(), MakePascal("abc").data()));
    EXPECT_FALSE(PascalEqualsPascal(abc.data(), abd.data()));
    EXPECT_FALSE(PascalEqualsPascal(abc.data(), nullptr));
    EXPECT_FALSE(PascalEqualsC(abc.data(), "abcd"));
    EXPECT_FALSE(PascalEqualsC(abc.data(), "ab"));
    EXPECT_TRUE(PascalEqualsC(abc.data(), "abc"));
    EXPECT_TRUE(PascalEqualsC(nullptr, ""));
    const unsigned char psNul[] = {3, 'a', 0, 'b'};
    EXPECT_FALSE(PascalEqualsC(psNul, "a"));
    EXPECT_TRUE(CEqualsC(nullptr, ""));
    EXPECT_FALSE(CEqualsC("a", nullptr));
    EXPECT_TRUE(CEqualsC("a", "a"));
    EXPECT_EQ(PascalLength(abc.data()), 3);
    EXPECT_EQ(PascalLength(nullptr), 0);
    EXPECT_TRUE(PascalIsEmpty(empty.data()));
    EXPECT_TRUE(CIsEmpty(nullptr));
    EXPECT_FALSE(CIsEmpty("x"));
}

TEST(HelperFormat, PascalResultsKeep255CharactersAndNeverWriteMore) {
    TGuarded dst(256, 0x11);
    EXPECT_EQ(FormatToPascal(dst.P(), "%s-%d", std::string(300, 'w').c_str(), 5), 302);
    EXPECT_TRUE(dst.GuardsIntact());
    EXPECT_EQ(dst.Pascal(), std::string(255, 'w'));
    const auto format = MakePascal("%d+%d");
    EXPECT_EQ(FormatPascalToPascal(dst.P(), format.data(), 2, 3), 3);
    EXPECT_EQ(dst.Pascal(), "2+3");
    char sz[32];
    EXPECT_EQ(FormatPascalToC(sz, format.data(), 10, 20), 5);
    EXPECT_STREQ(sz, "10+20");
    EXPECT_EQ(FormatToC(sz, "%05.1f", 2.25), 5);
    EXPECT_STREQ(sz, "002.2");
    // The format may be the destination itself.
    auto inPlace = MakePascal("<%s>");
    inPlace.resize(256);
    FormatPascalToPascal(inPlace.data(), inPlace.data(), "x");
    EXPECT_EQ(std::string(inPlace.begin() + 1, inPlace.begin() + 1 + inPlace[0]), "<x>");
}

}  // namespace
