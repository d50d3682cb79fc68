// The Pascal and C string helpers: random inputs against a small model, with
// every destination placed before guard bytes that must stay untouched, and
// the cases of the copy, append, insert, delete and compare rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "StringTestSupport.h"
#include "kernel/KSString.h"

namespace {

constexpr unsigned char kGuard = 0xA5;
constexpr size_t kGuardSize = 64;

// A destination of exactly `capacity` bytes followed by guard bytes.
class TGuarded {
public:
    TGuarded(uint32_t capacity, unsigned char fill) : fCapacity(capacity), fBytes(capacity + kGuardSize, kGuard) {
        std::fill(fBytes.begin(), fBytes.begin() + capacity, fill);
    }
    unsigned char* P() { return fBytes.data(); }
    char* C() { return reinterpret_cast<char*>(fBytes.data()); }
    bool GuardsIntact() const {
        return std::all_of(fBytes.begin() + fCapacity, fBytes.end(), [](unsigned char b) { return b == kGuard; });
    }
    std::string Pascal() const { return std::string(fBytes.begin() + 1, fBytes.begin() + 1 + fBytes[0]); }
    std::string CText() const { return std::string(reinterpret_cast<const char*>(fBytes.data())); }

private:
    uint32_t fCapacity;
    std::vector<unsigned char> fBytes;
};

std::vector<unsigned char> MakePascal(const std::string& text) {
    std::vector<unsigned char> ps(1 + text.size());
    ps[0] = static_cast<unsigned char>(text.size());
    std::copy(text.begin(), text.end(), ps.begin() + 1);
    return ps;
}

class TRandomTexts {
public:
    explicit TRandomTexts(uint32_t seed) : fRandom(seed) {}
    uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(fRandom); }
    std::string Text(uint32_t maxLength) {
        std::string text(Below(maxLength + 1), 'a');
        for (char& c : text) c = static_cast<char>('a' + Below(26));
        return text;
    }
    // Small, boundary and oversized capacities.
    uint32_t Capacity() {
        static const uint32_t kCapacities[] = {0, 1, 2, 3, 10, 255, 256, 257, 300};
        return Below(3) == 0 ? kCapacities[Below(9)] : 1 + Below(260);
    }

private:
    std::mt19937 fRandom;
};

class HelperRandomInputs : public ::testing::TestWithParam<uint32_t> {};

TEST_P(HelperRandomInputs, CopiesAndAppendsFollowTheModelWithinCapacity) {
    DebugCapture capture;  // "n <= 256" reports are expected here
    TRandomTexts r(GetParam());
    for (int i = 0; i < 300; ++i) {
        const std::string src = r.Text(r.Below(4) == 0 ? 255 : 20);
        const uint32_t n = r.Capacity();
        const uint32_t pascalCap = std::min<uint32_t>(n, 256);
        const auto ps = MakePascal(src);
        SCOPED_TRACE("source length " + std::to_string(src.size()) + ", n " + std::to_string(n));
        auto keep = [&](uint32_t room) { return src.substr(0, std::min<size_t>(src.size(), room)); };

        TGuarded p2p(pascalCap, 0x11);
        CopyPascalToPascal(ps.data(), p2p.P(), n);
        EXPECT_TRUE(p2p.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(p2p.Pascal(), src.empty() ? "" : keep(pascalCap - 1));
        }

        TGuarded c2p(pascalCap, 0x11);
        CopyCToPascal(src.c_str(), c2p.P(), n);
        EXPECT_TRUE(c2p.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(c2p.Pascal(), keep(pascalCap - 1));
        }

        const std::string longText = src + src;  // up to 510 characters
        TGuarded t2p(pascalCap, 0x11);
        CopyTextToPascal(longText.data(), static_cast<uint32_t>(longText.size()), t2p.P(), n);
        EXPECT_TRUE(t2p.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(t2p.Pascal(), longText.substr(0, std::min<size_t>(longText.size(), pascalCap - 1)));
        }

        TGuarded p2c(pascalCap, 0x11);
        CopyPascalToC(ps.data(), p2c.C(), n);
        EXPECT_TRUE(p2c.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(p2c.CText(), keep(pascalCap - 1));
        }

        TGuarded c2c(n, 0x11);
        CopyCToC(longText.c_str(), c2c.C(), n);
        EXPECT_TRUE(c2c.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(c2c.CText(), longText.substr(0, std::min<size_t>(longText.size(), n - 1)));
        }

        TGuarded tx2c(n, 0x11);
        CopyTextToC(longText.data(), static_cast<uint32_t>(longText.size()), tx2c.C(), n);
        EXPECT_TRUE(tx2c.GuardsIntact());
        if (n > 0) {
            EXPECT_EQ(tx2c.CText(), longText.substr(0, std::min<size_t>(longText.size(), n - 1)));
        }

        // Appends to a destination that already holds text.
        const std::string head = r.Text(std::min<uint32_t>(pascalCap > 0 ? pascalCap - 1 : 0, 30));
        const auto psHead = MakePascal(head);
        auto fitted = [&](uint32_t capacity) {
            const size_t room = head.size() + 1 >= capacity ? 0 : capacity - 1 - head.size();
            return head + src.substr(0, std::min(room, src.size()));
        };
        for (int kind = 0; kind < 3; ++kind) {
            TGuarded app(std::max<uint32_t>(pascalCap, 1), 0x11);
            std::copy(psHead.begin(), psHead.end(), app.P());
            if (kind == 0) AppendPascalToPascal(app.P(), ps.data(), n);
            if (kind == 1) AppendCToPascal(app.P(), src.c_str(), n);
            if (kind == 2) AppendTextToPascal(app.P(), src.data(), static_cast<uint32_t>(src.size()), n);
            EXPECT_TRUE(app.GuardsIntact()) << "append kind " << kind;
            EXPECT_EQ(app.Pascal(), head.empty() && pascalCap == 0 ? "" : fitted(pascalCap)) << "append kind " << kind;
        }
        if (n > head.size()) {
            for (int kind = 0; kind < 3; ++kind) {
                TGuarded app(n, 0x11);
                std::copy(head.c_str(), head.c_str() + head.size() + 1, app.C());
                char* result = nullptr;
                if (kind == 0) result = AppendPascalToC(app.C(), ps.data(), n);
                if (kind == 1) result = AppendCToC(app.C(), src.c_str(), n);
                if (kind == 2) result = AppendTextToC(app.C(), src.data(), static_cast<uint32_t>(src.size()), n);
                EXPECT_TRUE(app.GuardsIntact()) << "C append kind " << kind;
                EXPECT_EQ(app.CText(), fitted(std::min<uint32_t>(n, kind == 0 ? head.size() + 256 : n)))
                    << "C append kind " << kind;
                EXPECT_EQ(result, kind == 0 ? app.C() + head.size() : app.C());
            }
        }
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
