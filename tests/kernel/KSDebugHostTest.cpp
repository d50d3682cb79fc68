// Requests to the host: the check records, forwarded texts, and what holds
// without a host. Also the timer and the system error text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "DebugCapture.h"
#include "TextPattern.h"
#include "interface/KSKludgeRecords.h"
#include "kernel/KSDebug.h"

using namespace ks::platform;

namespace {

class HostChecks : public ::testing::Test {
protected:
    DebugCapture capture;
    TDebugObject owner{"Hana", 0x100000, 0, false};
    char block[8] = {};
};

TEST_F(HostChecks, WritableBlockSendsItsRecordAndAnswersWhetherThePointerIsSet) {
    capture.hostAnswer = 1;  // the host asks to break; breaking is off
    EXPECT_EQ(CheckWritableBlock(owner, "Kernel/KSString.cpp", 77, "sz", block, 8), 1);
    EXPECT_EQ(CheckWritableBlock(owner, "Kernel/KSString.cpp", 78, "sz", nullptr, 1), 0);
    ASSERT_EQ(capture.kludges.size(), 2u);
    const TCapturedKludge& call = capture.kludges[0];
    EXPECT_EQ(call.code, kKludgeCheckBlock);
    EXPECT_EQ(call.ownerName, "Hana");
    EXPECT_EQ(call.file, "Kernel/KSString.cpp");
    EXPECT_EQ(call.line, 77);
    EXPECT_EQ(call.expression, "sz");
    EXPECT_EQ(call.pointer, block);
    EXPECT_EQ(call.values[0], 8);
    EXPECT_TRUE(call.hadOutput);
}

TEST_F(HostChecks, ValuesAnswerWhetherTheFourthIsSet) {
    EXPECT_EQ(CheckValues(owner, 1, 2, 3, 4, 5), 1);
    EXPECT_EQ(CheckValues(owner, 1, 2, 3, 0, 5), 0);
    ASSERT_EQ(capture.kludges.size(), 2u);
    EXPECT_EQ(capture.kludges[0].code, kKludgeCheckValues);
    EXPECT_EQ(std::vector<int32_t>(capture.kludges[0].values, capture.kludges[0].values + 5),
              (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST_F(HostChecks, StringChecksAnswerByStrictness) {
    using Check =
        Boolean (*)(Boolean, const TDebugObject&, const char*, int32_t, const char*, const void*, int32_t, int32_t);
    const struct {
        Check check;
        int16_t code;
    } checks[] = {{CheckCString, kKludgeCheckCString}, {CheckPascalString, kKludgeCheckPascalString}};
    for (const auto& c : checks) {
        SCOPED_TRACE(c.code);
        capture.Clear();
        capture.hostAnswer = 0;
        EXPECT_EQ(c.check(1, owner, "f.cpp", 5, "ps", block, 10, 20), 0);  // strict: the host's word
        EXPECT_EQ(c.check(0, owner, "f.cpp", 5, "ps", block, 10, 20), 1);  // otherwise: pointer set
        EXPECT_EQ(c.check(0, owner, "f.cpp", 5, "ps", nullptr, 10, 20), 0);
        capture.hostAnswer = 7;
        EXPECT_EQ(c.check(1, owner, "f.cpp", 5, "ps", nullptr, 10, 20), 1);
        ASSERT_EQ(capture.kludges.size(), 4u);
        const TCapturedKludge& call = capture.kludges[0];
        EXPECT_EQ(call.code, c.code);
        EXPECT_EQ(call.strict, 1);
        EXPECT_EQ(call.ownerName, "Hana");
        EXPECT_EQ(call.file, "f.cpp");
        EXPECT_EQ(call.line, 5);
        EXPECT_EQ(call.expression, "ps");
        EXPECT_EQ(call.pointer, block);
        EXPECT_EQ(call.values[0], 10);
        EXPECT_EQ(call.values[1], 20);
        EXPECT_EQ(capture.kludges[1].strict, 0);
    }
}

TEST_F(HostChecks, WithoutAHostNothingIsSentAndPlainResultsHold) {
    gCBP = nullptr;
    EXPECT_EQ(CheckWritableBlock(owner, "f", 1, "sz", block, 1), 1);
    EXPECT_EQ(CheckValues(owner, 0, 0, 0, 1, 0), 1);
    EXPECT_EQ(CheckCString(0, owner, "f", 1, "sz", block, 0, 0), 1);
    EXPECT_EQ(CheckCString(1, owner, "f", 1, "sz", block, 0, 0), 0);
    SendDebugText("Hana", "t");
    HostDebugPrint("t");
    SendOwnerNotice(owner);
    EXPECT_TRUE(capture.kludges.empty());
}

TEST_F(HostChecks, ForwardedTexts) {
    SendDebugText("Hana", "text");
    HostDebugPrint("%s=%d", "n", 4);
    HostDebugPrint("%s", std::string(3000, 'p').c_str());
    SendOwnerNotice(owner);
    ASSERT_EQ(capture.kludges.size(), 4u);
    EXPECT_EQ(capture.kludges[0].code, kKludgeDebugText);
    EXPECT_EQ(capture.kludges[0].ownerName, "Hana");
    EXPECT_EQ(capture.kludges[0].text, "text");
    EXPECT_EQ(capture.kludges[1].code, kKludgeDebugPrint);
    EXPECT_EQ(capture.kludges[1].text, "n=4");
    EXPECT_EQ(capture.kludges[2].text, std::string(1023, 'p'));
    EXPECT_EQ(capture.kludges[3].code, kKludgeOwnerNotice);
    EXPECT_EQ(capture.kludges[3].text, "Hana");
    for (const TCapturedKludge& call : capture.kludges) EXPECT_FALSE(call.hadOutput);
}

TEST(DebugTimer, ReportsItsLineAndOptionallyABox) {
    DebugCapture capture;
    const TDebugObject owner("Hana", 0x100000, 0, false);
    const TDebugTimer timer;
    timer.Report(owner, "load", 0);
    timer.Report(owner, "load", 1);
    ASSERT_EQ(capture.pieces.size(), 2u);
    EXPECT_THAT(capture.pieces[0], ks::test::FitsDigitPattern("Timer 'load' took #+.### seconds.\n"));
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_EQ(capture.boxes[0].caption, "Timer Results");
    EXPECT_EQ(capture.boxes[0].text, capture.pieces[1]);
    EXPECT_EQ(capture.boxes[0].style, kMBOk | kMBIconInformation);
}

// "File not found" as the system numbers it, made the last error, and the
// system's own text for it with the line ends it carries on Windows.
#if defined(_WIN32)
constexpr uint32_t kFileNotFound = ERROR_FILE_NOT_FOUND;
void MakeLastError(uint32_t code) { SetLastError(code); }
std::string SystemTextOf(uint32_t code) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    return text;
}
#else
constexpr uint32_t kFileNotFound = ENOENT;
void MakeLastError(uint32_t code) { errno = static_cast<int>(code); }
std::string SystemTextOf(uint32_t code) { return std::strerror(static_cast<int>(code)); }
#endif

TEST(SystemErrorText, TextOfTheLastErrorWithoutLineEnds) {
    std::string expected = SystemTextOf(kFileNotFound);
    ASSERT_FALSE(expected.empty());
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) expected.pop_back();
    MakeLastError(kFileNotFound);
    const TSystemErrorText error;
    EXPECT_EQ(error.Code(), kFileNotFound);
    EXPECT_EQ(std::string(error.Text()), expected);
}

}  // namespace
