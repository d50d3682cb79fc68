// Owners: their predicates, copies and combinations, and the registry that
// maps developer bits to names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DebugCapture.h"
#include "FreshProcess.h"
#include "kernel/KSDebug.h"

namespace {

struct OwnerCase {
    uint32_t low, high;
    bool nobody, everyone, mayStop, mayShowDialog;
};

TEST(Owner, Predicates) {
    const OwnerCase cases[] = {
        {0, 0, true, false, false, false},
        {0, 0x60000000, true, false, false, false},  // option bits alone are nobody
        {0x1, 0, false, false, true, true},
        {0, 0x800000, false, false, true, true},    // developer bit 55
        {0, 0x1000000, true, false, false, false},  // bit 24 of the high mask is no developer
        {0x1, 0x20000000, false, false, true, false},
        {0x1, 0x40000000, false, false, false, true},
        {0xFFFFFFFF, 0xFFFFFF, false, true, true, true},
        {0xFFFFFFFF, 0x7FFFFF, false, false, true, true},
        {0xFFFFFFFF, 0x40FFFFFF, false, true, false, true},
    };
    for (const OwnerCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.low << " " << c.high);
        TDebugObject owner;
        owner.Set("x", c.low, c.high, false);
        EXPECT_EQ(owner.IsNobody(), c.nobody);
        EXPECT_EQ(owner.IsEveryone(), c.everyone);
        EXPECT_EQ(owner.MayStop(), c.mayStop);
        EXPECT_EQ(owner.MayShowDialog(), c.mayShowDialog);
    }
}

TEST(Owner, NameKeepsAtMost49Characters) {
    const std::string longName(80, 'n');
    TDebugObject owner;
    owner.Set(longName.c_str(), 1, 0, false);
    EXPECT_EQ(std::string(owner.Name()), longName.substr(0, 49));
    owner.Set(nullptr, 1, 0, false);
    EXPECT_STREQ(owner.Name(), "");
}

TEST(Owner, DefaultIsUnnamedNobody) {
    const TDebugObject owner;
    EXPECT_STREQ(owner.Name(), "Unnamed");
    EXPECT_TRUE(owner.IsNobody());
    EXPECT_EQ(owner.Flag(), 1);
}

TEST(Owner, CombineAddsMasksAndFlags) {
    TDebugObject a, b;
    a.Set("a", 0x1, 0x20000000, false);
    b.Set("b", 0x4, 0x2, true);
    const TDebugObject both = Combine(a, b);
    EXPECT_STREQ(both.Name(), "a");
    EXPECT_EQ(both.MaskLow(), 0x5u);
    EXPECT_EQ(both.MaskHigh(), 0x20000002u);
    EXPECT_EQ(both.Flag(), 1);
}

std::vector<TDebugOwnerEntry> Registry() {
    std::vector<TDebugOwnerEntry> entries;
    for (int32_t i = 0; i < kDebugOwnerEntryCount; ++i) entries.push_back(DebugOwnerEntry(i));
    return entries;
}

bool SameRegistry(const std::vector<TDebugOwnerEntry>& a, const std::vector<TDebugOwnerEntry>& b) {
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(TDebugOwnerEntry)) == 0;
}

TEST(OwnerRegistryDeathTest, FillsInOrderAndKeepsTheFirstNameOfABit) {
    ExpectInFreshProcess([] {
        EXPECT_EQ(BreakToDebugger(), 1);  // the setting at load
        TDebugObject("Everyone", 0xFFFFFFFF, 0xFFFFFF, true);
        TDebugObject("Nobody", 0, 0x20000000, true);
        EXPECT_EQ(DebugOwnerEntry(0).fMaskLow, 0u);

        TDebugObject("Ada", 0x10, 0x20000000, false);  // option bits are not stored
        TDebugObject("Bo", 0, 0x100, false);
        TDebugObject("Ada again", 0x30, 0, false);  // shares bit 4: already registered
        EXPECT_STREQ(DebugOwnerEntry(0).fName, "Ada");
        EXPECT_EQ(DebugOwnerEntry(0).fMaskLow, 0x10u);
        EXPECT_EQ(DebugOwnerEntry(0).fMaskHigh, 0u);
        EXPECT_STREQ(DebugOwnerEntry(1).fName, "Bo");
        EXPECT_EQ(DebugOwnerEntry(1).fMaskHigh, 0x100u);
        EXPECT_EQ(DebugOwnerEntry(2).fMaskLow, 0u);

        // Set does not register.
        TDebugObject set;
        set.Set("Cy", 0x40, 0, false);
        EXPECT_EQ(DebugOwnerEntry(2).fMaskLow, 0u);

        // The next developer of an owner carries its registered name; bit 6
        // has none, since "team" shared bit 4 with Ada and registered nothing.
        TDebugObject team("team", 0x50, 0x100, true);
        TDebugObject next;
        std::vector<std::string> names;
        std::vector<uint32_t> lows, highs;
        while (team.TakeNextDeveloper(next)) {
            names.push_back(next.Name());
            lows.push_back(next.MaskLow());
            highs.push_back(next.MaskHigh());
            EXPECT_EQ(next.Flag(), 1);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"Ada", "", "Bo"}));
        EXPECT_EQ(lows, (std::vector<uint32_t>{0x10, 0x40, 0}));
        EXPECT_EQ(highs, (std::vector<uint32_t>{0, 0, 0x100}));
        EXPECT_TRUE(team.IsNobody());
    });
}

TEST(OwnerRegistryDeathTest, UnregisteredBitHasNoName) {
    ExpectInFreshProcess([] {
        TDebugObject stranger;
        stranger.Set("stranger", 0x8, 0, false);
        TDebugObject next;
        ASSERT_TRUE(stranger.TakeNextDeveloper(next));
        EXPECT_STREQ(next.Name(), "");
    });
}

TEST(OwnerRegistryDeathTest, FullRegistryStaysUnchangedAndItsOwnersStillReport) {
    ExpectInFreshProcess([] {
        for (int bit = 0; bit < 56; ++bit) {
            const std::string name = "dev" + std::to_string(bit);
            TDebugObject(name.c_str(), bit < 32 ? 1u << bit : 0, bit < 32 ? 0 : 1u << (bit - 32), false);
        }
        EXPECT_STREQ(DebugOwnerEntry(55).fName, "dev55");
        const std::vector<TDebugOwnerEntry> full = Registry();

        // A 57th developer finds every bit taken.
        const TDebugObject late("late", 0x1, 0x800000, false);
        const TDebugObject wide("wide", 0xFFFF0000, 0, false);
        EXPECT_TRUE(SameRegistry(Registry(), full));

        DebugCapture capture;
        DebugMessage(late, "still heard");
        EXPECT_EQ(capture.Joined(), "still heard");
    });
}

}  // namespace
