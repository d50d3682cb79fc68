// Debug messages, stops and failed assertions.
#include "kernel/KSDebug.h"

#include <cstdarg>
#include <cstdio>

#include "kernel/KSDevelopers.h"
#include "platform/Process.h"
#include "platform/Text.h"

using namespace ks::platform;

namespace {

Boolean gBreakToDebugger = 1;
WindowRef gDebugParentWindow = nullptr;
Boolean gStopDialogShowing = 0;

// The assertion box's text, one buffer for the whole facility.
char gAssertDialogText[kBuf_size];

constexpr int32_t kCaptionSize = 260;
// Room behind a full message for the line feed and "\nBreak to debugger?".
constexpr int32_t kStopSuffixRoom = 32;

constexpr char kBreakQuestion[] = "\nBreak to debugger?";
constexpr char kAssertionCaption[] = "Assertion Failed!";
constexpr char kDataTooBig[] = "MAYDAY!!!  Your assertion message is too big. IT IS CORRUPTING DATA !!!";
constexpr char kDialogTooBig[] = "MAYDAY!!!  Your assertion message is too big. IT IS CORRUPTING THE DATA SEGMENT.";
// An assertion box text longer than this is reported as too big.
constexpr int32_t kDialogTextLimit = 511;

constexpr char kMessageKind[] = "DMSG";
constexpr char kMessageIfKind[] = "DMSG w/IF";
constexpr char kStopKind[] = "DSTOP";
constexpr char kStopIfKind[] = "DSTOP w/IF";

// Formats into `szBuffer` of `size` bytes, cutting at the end; returns the
// length the whole text would have had.
int32_t FormatBounded(char* szBuffer, int32_t size, const char* szFmt, va_list ap) KS_PRINTF_FORMAT(3, 0);
int32_t FormatBounded(char* szBuffer, int32_t size, const char* szFmt, va_list ap) {
    const int length = std::vsnprintf(szBuffer, static_cast<size_t>(size), szFmt != nullptr ? szFmt : "", ap);
    if (length < 0) {
        szBuffer[0] = '\0';
        return 0;
    }
    return length;
}

int32_t FormatBounded(char* szBuffer, int32_t size, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
int32_t FormatBounded(char* szBuffer, int32_t size, const char* szFmt, ...) {
    va_list ap;
    va_start(ap, szFmt);
    const int32_t length = FormatBounded(szBuffer, size, szFmt, ap);
    va_end(ap);
    return length;
}

// Reported whenever an assertion's text did not fit its buffer.
void ReportTooBig(const TDebugObject& owner, const char* szMessage) {
    BreakIfAsked(DebugStopIf(true, owner, "%s", szMessage));
}

Boolean AskToBreak(const char* szKind, const TDebugObject& owner, char* szText, int32_t textSize) {
    char szCaption[kCaptionSize];
    CopyText(szCaption, sizeof szCaption, szKind != nullptr && szKind[0] != '\0' ? szKind : "Unknown");
    if (!owner.IsEveryone()) {
        AppendText(szCaption, sizeof szCaption, " from ");
        AppendText(szCaption, sizeof szCaption, owner.Name());
    }
    AppendText(szText, static_cast<size_t>(textSize), kBreakQuestion);

    const Boolean wasShowing = gStopDialogShowing;
    gStopDialogShowing = 1;
    const int32_t answer = DebugMessageBox(gDebugParentWindow, szText, szCaption,
                                           kMBYesNoCancel | kMBIconError | kMBSystemModal | kMBSetForeground);
    gStopDialogShowing = wasShowing;
    return answer == kIDYes;
}

// The path shared by messages and stops.
Boolean Report(const char* szKind, const TDebugObject& owner, bool bStop, const char* szFmt, va_list ap) {
    if (owner.IsNobody()) return false;

    char szMsg[kBuf_size + kStopSuffixRoom];
    if (FormatBounded(szMsg, kBuf_size, szFmt, ap) >= kBuf_size)
        KS_ASSERT_TEXT(DeveloperOwner(kDeveloperDebug, false), "vsprintf(szMsg, szFmt, ap) < kBuf_size");

    if (bStop) {
        SendDebugText(owner.Name(), szMsg);
        const int32_t length = TextLength(szMsg);
        if (length == 0 || szMsg[length - 1] != '\n') AppendText(szMsg, sizeof szMsg, "\n");
        DebugOutput("DEBUGSTOP DSTOP");
        if (!owner.IsEveryone()) {
            DebugOutput("(");
            DebugOutput(owner.Name());
            DebugOutput(")");
        }
        DebugOutput(": ");
    }
    DebugOutput(szMsg);

    if (!bStop || !owner.MayStop()) return false;
    if (!owner.MayShowDialog()) return true;
    return AskToBreak(szKind, owner, szMsg, sizeof szMsg);
}

}  // namespace

// ---- settings ---------------------------------------------------------------

Boolean BreakToDebugger() { return gBreakToDebugger; }

Boolean SetBreakToDebugger(Boolean bBreak) {
    const Boolean old = gBreakToDebugger;
    gBreakToDebugger = bBreak;
    return old;
}

WindowRef DebugParentWindow() { return gDebugParentWindow; }

void SetDebugParentWindow(WindowRef parent) { gDebugParentWindow = parent; }

Boolean StopDialogShowing() { return gStopDialogShowing; }

void BreakIfAsked(Boolean bAsked) {
    if (bAsked && gBreakToDebugger) BreakIntoDebugger();
}

// ---- the four report families ---------------------------------------------------

// Each form gathers its arguments and hands them to Report.
#define KS_REPORT_FORWARD(condition, kind, owner, stop)                    \
    {                                                                      \
        if (!(condition)) return false;                                    \
        va_list ap;                                                        \
        va_start(ap, szFmt);                                               \
        const Boolean result = Report((kind), (owner), (stop), szFmt, ap); \
        va_end(ap);                                                        \
        return result;                                                     \
    }

// clang-format off
Boolean DebugMessage(const TDebugObject& owner, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(true, kMessageKind, owner, false)
Boolean DebugMessage(int32_t, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(true, kMessageKind, owner, false)
Boolean DebugMessage(const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(true, kMessageKind, owner, false)
Boolean DebugMessage(int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(true, kMessageKind, EveryoneOwner(), false)
Boolean DebugMessage(const char* szFmt, ...) KS_REPORT_FORWARD(true, kMessageKind, EveryoneOwner(), false)

Boolean DebugMessageIf(Boolean bCond, const TDebugObject& owner, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kMessageIfKind, owner, false)
Boolean DebugMessageIf(Boolean bCond, int32_t, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kMessageIfKind, owner, false)
Boolean DebugMessageIf(Boolean bCond, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kMessageIfKind, owner, false)
Boolean DebugMessageIf(Boolean bCond, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kMessageIfKind, EveryoneOwner(), false)
Boolean DebugMessageIf(Boolean bCond, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kMessageIfKind, EveryoneOwner(), false)

Boolean DebugStop(const TDebugObject& owner, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(true, kStopKind, owner, true)
Boolean DebugStop(int32_t, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(true, kStopKind, owner, true)
Boolean DebugStop(const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(true, kStopKind, owner, true)
Boolean DebugStop(int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(true, kStopKind, EveryoneOwner(), true)

Boolean DebugStopIf(Boolean bCond, const TDebugObject& owner, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kStopIfKind, owner, true)
Boolean DebugStopIf(Boolean bCond, int32_t, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kStopIfKind, owner, true)
Boolean DebugStopIf(Boolean bCond, const TDebugObject& owner, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kStopIfKind, owner, true)
Boolean DebugStopIf(Boolean bCond, int32_t, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kStopIfKind, EveryoneOwner(), true)
Boolean DebugStopIf(Boolean bCond, const char* szFmt, ...) KS_REPORT_FORWARD(bCond, kStopIfKind, EveryoneOwner(), true)

Boolean DebugReport(const char* szKind, const TDebugObject& owner, Boolean bStop, const char* szFmt, ...) KS_REPORT_FORWARD(true, szKind, owner, bStop != 0)
// clang-format on

#undef KS_REPORT_FORWARD

    // ---- assertions -------------------------------------------------------------

    Boolean AssertFailed(const TDebugObject& owner, const char* szFile, int32_t line, const char* szExpression) {
    char szText[kBuf_size];
    if (FormatBounded(szText, sizeof szText, "DEBUGSTOP ASSERT(%s) failed!",
                      szExpression != nullptr ? szExpression : "") >= kBuf_size)
        ReportTooBig(owner, kDataTooBig);
    return ReportAssertion(owner, szFile, line, szText);
}

Boolean ReportAssertion(const TDebugObject& owner, const char* szFile, int32_t line, const char* szText) {
    if (owner.IsNobody()) return false;
    if (szFile == nullptr) szFile = "";

    char szHostCopy[kBuf_size];
    const int32_t hostLength =
        szText != nullptr
            ? FormatBounded(szHostCopy, sizeof szHostCopy, "%s\r  file %s && line %d\r", szText, szFile,
                            static_cast<int>(line))
            : FormatBounded(szHostCopy, sizeof szHostCopy, "  file %s && line %d\r", szFile, static_cast<int>(line));
    if (hostLength >= kBuf_size) ReportTooBig(owner, kDataTooBig);
    SendDebugText(owner.Name(), szHostCopy);

    const int32_t dialogLength = szText != nullptr
                                     ? FormatBounded(gAssertDialogText, sizeof gAssertDialogText, "%s(%d):\n  %s: %s",
                                                     szFile, static_cast<int>(line), owner.Name(), szText)
                                     : FormatBounded(gAssertDialogText, sizeof gAssertDialogText, "%s(%d):\n  %s",
                                                     szFile, static_cast<int>(line), owner.Name());
    if (dialogLength > kDialogTextLimit) ReportTooBig(owner, kDialogTooBig);

    DebugOutput(gAssertDialogText);
    DebugOutput(", ");
    DebugOutput(kAssertionCaption);
    DebugOutput("\n");

    if (!owner.MayShowDialog()) return true;
    switch (DebugMessageBox(gDebugParentWindow, gAssertDialogText, kAssertionCaption,
                            kMBAbortRetryIgnore | kMBIconError | kMBSystemModal)) {
        case kIDAbort:
            // A developer who aborts has seen a failure: the exit code says so.
            ExitProcessNow(kAssertionAbortExitCode);
        case kIDRetry:
            return true;
        default:
            return false;
    }
}
