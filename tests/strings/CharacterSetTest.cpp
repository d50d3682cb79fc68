// Conversion between the Windows and Macintosh character sets through the
// substitute host, chunk by chunk, and the host's string comparisons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StringTestSupport.h"
#include "callbacks/KSCallbacks.h"
#include "host/CharacterSets.h"
#include "host/Host.h"
#include "interface/KSKludgeRecords.h"
#include "kernel/KSString.h"

namespace {

// Kernel code reaches the host through gCBP, as inside a host call.
class ServedByHost : public ::testing::Test {
protected:
    void SetUp() override {
        fSaved = gCBP;
        gCBP = host.Block();
    }
    void TearDown() override { gCBP = fSaved; }

    int ConversionCalls() const {
        int calls = 0;
        for (const host::LogEntry& entry : host.log.Entries())
            calls += entry.selector == 326 && entry.args.size() == 3 && entry.args[0] == "5678";
        return calls;
    }

    host::Host host;

private:
    CallbackBlock* fSaved = nullptr;
};

std::string AllBytesButNul() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(CharacterSetTables, PublishedPairsAndReplacements) {
    struct Pair {
        unsigned char windows;
        unsigned char mac;
    };
    // Euro, e acute, trade mark, dagger, OE ligature, no-break space, y diaeresis.
    for (const Pair& p : {Pair{0x80, 0xDB}, Pair{0xE9, 0x8E}, Pair{0x99, 0xAA}, Pair{0x86, 0xA0}, Pair{0x8C, 0xCE},
                          Pair{0xA0, 0xCA}, Pair{0xFF, 0xD8}, Pair{'A', 'A'}}) {
        EXPECT_EQ(host::WindowsToMacRoman(p.windows), p.mac) << int(p.windows);
        EXPECT_EQ(host::MacRomanToWindows(p.mac), p.windows) << int(p.mac);
    }
    // S caron, the unassigned 0x81, one half: Mac OS Roman lacks them. Not equal
    // sign, the Apple logo, dotless i: Windows-1252 lacks them.
    for (unsigned char b : {0x8A, 0x81, 0xBD}) EXPECT_EQ(host::WindowsToMacRoman(b), host::kMissingCharacter);
    for (unsigned char b : {0xAD, 0xF0, 0xF5}) EXPECT_EQ(host::MacRomanToWindows(b), host::kMissingCharacter);

    int missingToMac = 0;
    int missingToWindows = 0;
    std::vector<int> macUses(256, 0);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        missingToMac += host::WindowsToMacRoman(byte) == '?' && b != '?';
        missingToWindows += host::MacRomanToWindows(byte) == '?' && b != '?';
        if (host::WindowsToMacRoman(byte) != '?') ++macUses[host::WindowsToMacRoman(byte)];
    }
    EXPECT_EQ(missingToMac, 25);
    EXPECT_EQ(missingToWindows, 25);
    for (int b = 0; b < 256; ++b) EXPECT_LE(macUses[b], 1) << "two Windows bytes map to " << b;
}

TEST_F(ServedByHost, AllBytesRoundTripWhenBothSetsHoldThem) {
    const std::string windows = AllBytesButNul();
    TXString s(windows.c_str());
    EXPECT_EQ(s.AnsiToMac(), 255);
    EXPECT_EQ(ConversionCalls(), 8);  // 7 chunks of 32 and one of 31
    ASSERT_EQ(s.GetLength(), 255u);
    for (int b = 1; b < 256; ++b)
        EXPECT_EQ(static_cast<unsigned char>(s[b - 1]), host::WindowsToMacRoman(static_cast<unsigned char>(b)));
    EXPECT_EQ(s.MacToAnsi(), 255);
    int unchanged = 0;
    for (int b = 1; b < 256; ++b) {
        const auto back = static_cast<unsigned char>(s[b - 1]);
        const bool held = host::WindowsToMacRoman(static_cast<unsigned char>(b)) != '?' || b == '?';
        EXPECT_EQ(back, held ? b : '?') << b;
        unchanged += back == b;
    }
    EXPECT_EQ(unchanged, 230);  // 231 characters in common, less the NUL not in the text
    EXPECT_TRUE(host.faults.empty());
}

TEST_F(ServedByHost, NulAndTheMacDirectionThroughTheRecordItself) {
    const char source[3] = {'\0', '\xDB', 'x'};
    char destination[4] = {1, 1, 1, 1};
    TKludgeConversionRecord record{};
    record.fDirection = kConvertMacToAnsi;
    record.fMacSource = source;
    record.fAnsiDestination = destination;
    record.fCount = 3;
    int16_t copySize = 0;
    EXPECT_TRUE(KS_Kludge(host.Block(), kKludgeAlturaBufFunctionAccess, &record, &copySize));
    EXPECT_EQ(copySize, 3);
    EXPECT_EQ(destination[0], '\0');
    EXPECT_EQ(destination[1], '\x80');
    EXPECT_EQ(destination[2], 'x');
    EXPECT_EQ(destination[3], 1);
    record.fDirection = 7;
    EXPECT_FALSE(KS_Kludge(host.Block(), kKludgeAlturaBufFunctionAccess, &record, &copySize));
    int32_t untouched = 99;
    EXPECT_FALSE(KS_Kludge(host.Block(), 4321, &record, &untouched));
    EXPECT_EQ(untouched, 99);
}

TEST_F(ServedByHost, LongTextsGoInChunksAndEmptyOnesNotAtAll) {
    TXString empty;
    EXPECT_EQ(empty.AnsiToMac(), 0);
    EXPECT_EQ(ConversionCalls(), 0);
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "caf\xE9 "[i % 5];
    TXString s(text.c_str());
    EXPECT_EQ(s.AnsiToMac(), 1000);
    EXPECT_EQ(ConversionCalls(), 32);
    EXPECT_EQ(s.Find('\x8E'), 3);
    EXPECT_EQ(s.MacToAnsi(), 1000);
    EXPECT_EQ(Text(s), text);
}

TEST_F(ServedByHost, HostComparisonsPassTheModeAndTheTexts) {
    const unsigned char psAbc[] = {3, 'a', 'b', 'c'};
    const unsigned char psABC[] = {3, 'A', 'B', 'C'};
    EXPECT_TRUE(HostStringsEqual(psAbc, psABC));  // mode 2: case is ignored
    EXPECT_TRUE(HostStringsEqual(psAbc, "ABC"));
    EXPECT_FALSE(HostStringsEqual("abc", "abd"));
    EXPECT_GT(HostCompareStrings(psAbc, psABC), 0);  // mode 1: exact byte order
    EXPECT_LT(HostCompareStrings(psABC, "abc"), 0);
    EXPECT_EQ(HostCompareStrings("abc", "abc"), 0);
    EXPECT_EQ(HostCompareStringsMode2(psAbc, psABC), 0);
    EXPECT_EQ(HostCompareStringsMode2(psAbc, "ABD"), -1);
    EXPECT_EQ(HostCompareStringsMode2("b", "A"), 1);
    const std::vector<std::string> calls = host.log.Calls();
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[0], "KS_EqualStrings(\"abc\", \"ABC\", 2) -> 1");
    EXPECT_EQ(calls[3], "KS_CompareStrings(\"abc\", \"ABC\", 1) -> 1");

    host.Disable(ks::selector::kEqualStrings);
    host.Disable(ks::selector::kCompareStrings);
    EXPECT_FALSE(HostStringsEqual("a", "a"));
    EXPECT_EQ(HostCompareStrings("a", "b"), 0);
    gCBP = nullptr;
    EXPECT_FALSE(HostStringsEqual(psAbc, psAbc));
    EXPECT_EQ(HostCompareStringsMode2(psAbc, "x"), 0);
}

// A host that spells every character with three bytes fills AnsiToMac's
// scratch completely; the terminator still has its place.
std::vector<TKludgeConversionRecord> gRequests;

Boolean KS_CDECL TripleKludge(int16_t code, void* pInput, void* pOutput) {
    if (code != kKludgeAlturaBufFunctionAccess) return 0;
    const auto* record = static_cast<const TKludgeConversionRecord*>(pInput);
    gRequests.push_back(*record);
    const bool bToMac = record->fDirection == kConvertAnsiToMac;
    const char* source = bToMac ? record->fAnsiSource : record->fMacSource;
    char* destination = bToMac ? record->fMacDestination : record->fAnsiDestination;
    for (int i = 0; i < record->fCount * 3; ++i) destination[i] = source[i / 3];
    *static_cast<int16_t*>(pOutput) = static_cast<int16_t>(record->fCount * 3);
    return 1;
}

void* KS_CDECL TripleLookup(int32_t selector) {
    return selector == 326 ? reinterpret_cast<void*>(&TripleKludge) : nullptr;
}

TEST(CharacterSetConversion, AHostThatFillsTheScratchLeavesRoomForTheTerminator) {
    CallbackBlock block{TripleLookup};
    CallbackBlock* const saved = gCBP;
    gCBP = &block;
    gRequests.clear();
    TXString s(std::string(70, 'q').c_str());
    EXPECT_EQ(s.AnsiToMac(), 210);
    EXPECT_EQ(Text(s), std::string(210, 'q'));
    ASSERT_EQ(gRequests.size(), 3u);
    EXPECT_EQ(gRequests[0].fCount, 32);
    EXPECT_EQ(gRequests[2].fCount, 6);
    EXPECT_EQ(gRequests[1].fMacDestination - gRequests[0].fMacDestination, 96);  // advanced by what was produced
    EXPECT_EQ(gRequests[1].fAnsiSource - gRequests[0].fAnsiSource, 32);
    EXPECT_EQ(gRequests[0].fMacSource, nullptr);
    EXPECT_EQ(gRequests[0].fAnsiDestination, nullptr);
    gRequests.clear();
    s = "mac";
    EXPECT_EQ(s.MacToAnsi(), 9);
    ASSERT_EQ(gRequests.size(), 1u);
    EXPECT_EQ(gRequests[0].fDirection, kConvertMacToAnsi);
    EXPECT_EQ(gRequests[0].fReserved, 0);
    EXPECT_EQ(gRequests[0].fAnsiSource, nullptr);
    gCBP = saved;
}

TEST(CharacterSetConversion, AFailedHostCallIsReportedAndKeepsTheText) {
    DebugCapture capture;  // its host refuses code 5678
    TXString s("keep me");
    EXPECT_EQ(s.MacToAnsi(), 0);
    EXPECT_EQ(Text(s), "keep me");
    EXPECT_TRUE(Reported(capture, "KS_Kludge(gCBP, kKludgeAlturaBufFunctionAccess, &data, &copySize)"));
    CallbackBlock* const saved = gCBP;
    gCBP = nullptr;  // no host at all
    EXPECT_EQ(s.AnsiToMac(), 0);
    EXPECT_EQ(Text(s), "keep me");
    gCBP = saved;
}

}  // namespace
