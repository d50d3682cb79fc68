// Debug reporting: messages, stops and failed assertions addressed to the
// developer responsible for them.
//
// Every report names an owner (TDebugObject). An owner with no developer
// bits is nobody and silences the report; the owner with every developer bit
// is "Everyone". Output goes to the debugger channel and to message boxes
// (platform/DebugChannel.h) and, for stops and assertions, to the host
// through KS_Kludge while a callback block is in force. A report that
// returns true asks the caller to break into the debugger; the caller does
// so only while the break setting is on (BreakIfAsked).
#pragma once

#include <cstdint>

#include "interface/KSTypes.h"
#include "platform/DebugChannel.h"

// GCC's gnu_printf checks by the C99 rules on every target (MinGW's printf
// would mean msvcrt's); clang knows printf only.
#if defined(__clang__)
#define KS_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#elif defined(__GNUC__)
#define KS_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define KS_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

// Size of the formatting buffers of the debug facility, terminator included.
inline constexpr int32_t kBuf_size = 1024;

// Developer bits are all of the low mask and the low 24 bits of the high one.
inline constexpr uint32_t kDeveloperMaskHigh = 0x00FFFFFF;
inline constexpr int32_t kDeveloperBitCount = 56;
// Option bits of the high mask.
inline constexpr uint32_t kOwnerNeverShowsDialog = 0x20000000;  // bit 29
inline constexpr uint32_t kOwnerNeverStops = 0x40000000;        // bit 30

inline constexpr int32_t kOwnerNameSize = 50;  // at most 49 characters and the terminator

// The owner of a report: the responsible developer's name and bits.
class TDebugObject {
public:
    // The nobody owner "Unnamed": its reports are dropped until it is changed.
    TDebugObject();
    // Registers the name for its developer bits, then takes the values.
    TDebugObject(const char* szName, uint32_t maskLow, uint32_t maskHigh, Boolean bFlag);
    TDebugObject(const TDebugObject& other);
    TDebugObject& operator=(const TDebugObject& other);

    // Takes the values without registering them.
    void Set(const char* szName, uint32_t maskLow, uint32_t maskHigh, Boolean bFlag);

    bool IsNobody() const;
    bool IsEveryone() const;
    bool MayStop() const;
    bool MayShowDialog() const;

    // Moves the lowest developer bit of this owner into `out` (with the name
    // registered for that bit) and clears it here; false when none is left.
    bool TakeNextDeveloper(TDebugObject& out);

    const char* Name() const { return fName; }
    uint32_t MaskLow() const { return fMaskLow; }
    uint32_t MaskHigh() const { return fMaskHigh; }
    Boolean Flag() const { return fFlag; }

private:
    char fName[kOwnerNameSize];
    uint32_t fMaskLow;
    uint32_t fMaskHigh;
    Boolean fFlag;
};

// A copy of `a` with `b`'s masks added and either flag.
TDebugObject Combine(const TDebugObject& a, const TDebugObject& b);

// The owner that every developer receives: Everyone.
TDebugObject EveryoneOwner();

// The registry that maps a developer bit to the developer's name.
struct TDebugOwnerEntry {
    char fName[kOwnerNameSize];
    uint32_t fMaskLow;
    uint32_t fMaskHigh;  // developer bits only
};
inline constexpr int32_t kDebugOwnerEntryCount = 56;
const TDebugOwnerEntry& DebugOwnerEntry(int32_t index);

// ---- settings -------------------------------------------------------------

// Whether a report that asks for it breaks into the debugger (initially on).
Boolean BreakToDebugger();
Boolean SetBreakToDebugger(Boolean bBreak);  // returns the old setting

// Owner window of every message box of the debug facility (initially none).
ks::platform::WindowRef DebugParentWindow();
void SetDebugParentWindow(ks::platform::WindowRef parent);

// True while the debug-stop message box is open.
Boolean StopDialogShowing();

// Executes the breakpoint trap when `bAsked` and the break setting is on.
void BreakIfAsked(Boolean bAsked);

// ---- reports --------------------------------------------------------------
// The level is accepted and has no effect. Each returns true when the
// developer asks to break into the debugger (messages never do).

Boolean DebugMessage(const TDebugObject& owner, int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugMessage(int32_t level, const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugMessage(const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);
Boolean DebugMessage(int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);
Boolean DebugMessage(const char* szFmt, ...) KS_PRINTF_FORMAT(1, 2);

Boolean DebugMessageIf(Boolean bCond, const TDebugObject& owner, int32_t level, const char* szFmt, ...)
    KS_PRINTF_FORMAT(4, 5);
Boolean DebugMessageIf(Boolean bCond, int32_t level, const TDebugObject& owner, const char* szFmt, ...)
    KS_PRINTF_FORMAT(4, 5);
Boolean DebugMessageIf(Boolean bCond, const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugMessageIf(Boolean bCond, int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugMessageIf(Boolean bCond, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);

Boolean DebugStop(const TDebugObject& owner, int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugStop(int32_t level, const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugStop(const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);
Boolean DebugStop(int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);

Boolean DebugStopIf(Boolean bCond, const TDebugObject& owner, int32_t level, const char* szFmt, ...)
    KS_PRINTF_FORMAT(4, 5);
Boolean DebugStopIf(Boolean bCond, int32_t level, const TDebugObject& owner, const char* szFmt, ...)
    KS_PRINTF_FORMAT(4, 5);
Boolean DebugStopIf(Boolean bCond, const TDebugObject& owner, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugStopIf(Boolean bCond, int32_t level, const char* szFmt, ...) KS_PRINTF_FORMAT(3, 4);
Boolean DebugStopIf(Boolean bCond, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);

// The path the four families share: `szKind` captions the stop box
// ("Unknown" when null or empty), bStop makes the report a stop.
Boolean DebugReport(const char* szKind, const TDebugObject& owner, Boolean bStop, const char* szFmt, ...)
    KS_PRINTF_FORMAT(4, 5);

// ---- assertions -----------------------------------------------------------

// Reports the failed assertion `szExpression` at `szFile`(`line`); true when
// the developer asks to break (Retry). Abort ends the process with exit code 3.
Boolean AssertFailed(const TDebugObject& owner, const char* szFile, int32_t line, const char* szExpression);
// The report itself: host copy, debugger output and the Abort/Retry/Ignore box.
Boolean ReportAssertion(const TDebugObject& owner, const char* szFile, int32_t line, const char* szText);

// The exit code of a process ended with Abort in the assertion box: a failure.
inline constexpr uint32_t kAssertionAbortExitCode = 3;

// Source path below sdklib/, so reports name "Kernel/KSDebug.cpp" wherever
// the tree was built.
constexpr const char* KSPathBelowSdklib(const char* szPath) {
    const char* szResult = szPath;
    for (const char* p = szPath; *p != '\0'; ++p) {
        const bool bAtName = p == szPath || p[-1] == '/' || p[-1] == '\\';
        if (bAtName && p[0] == 's' && p[1] == 'd' && p[2] == 'k' && p[3] == 'l' && p[4] == 'i' && p[5] == 'b' &&
            (p[6] == '/' || p[6] == '\\'))
            szResult = p + 7;
    }
    return szResult;
}

// Kernel assertions: report the failed condition for `owner` and break when
// asked. KS_VERIFY is an expression whose value is the condition.
#define KS_ASSERT(owner, condition)                                                                               \
    do {                                                                                                          \
        if (!(condition)) BreakIfAsked(AssertFailed((owner), KSPathBelowSdklib(__FILE__), __LINE__, #condition)); \
    } while (0)
#define KS_ASSERT_TEXT(owner, szExpression) \
    BreakIfAsked(AssertFailed((owner), KSPathBelowSdklib(__FILE__), __LINE__, (szExpression)))
#define KS_VERIFY(owner, condition) ((condition) ? true : (KS_ASSERT_TEXT((owner), #condition), false))

// ---- host checks and forwarding (nothing is sent while gCBP is null) -------

// The host checks that `pBlock` may be written for `size` bytes; the result
// is whether the pointer is set. Breaks first when the host asks for it.
Boolean CheckWritableBlock(const TDebugObject& owner, const char* szFile, int32_t line, const char* szExpression,
                           const void* pBlock, int32_t size);
// The host checks five values; the result is whether the fourth is set.
Boolean CheckValues(const TDebugObject& owner, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                    int32_t value5);
// The host checks a C or Pascal string. Strict: the host's answer;
// otherwise whether the pointer is set. The two values go to the host as given.
Boolean CheckCString(Boolean bStrict, const TDebugObject& owner, const char* szFile, int32_t line,
                     const char* szExpression, const void* pString, int32_t value1, int32_t value2);
Boolean CheckPascalString(Boolean bStrict, const TDebugObject& owner, const char* szFile, int32_t line,
                          const char* szExpression, const void* pString, int32_t value1, int32_t value2);

// Sends an owner's name and a text to the host (2001).
void SendDebugText(const char* szOwnerName, const char* szText);
// Formats a text and sends it alone to the host (2002).
void HostDebugPrint(const char* szFmt, ...) KS_PRINTF_FORMAT(1, 2);
// Sends an owner's name alone to the host (2005).
void SendOwnerNotice(const TDebugObject& owner);

// ---- timing and system errors --------------------------------------------

// Measures from its construction to Report.
class TDebugTimer {
public:
    TDebugTimer();
    // Sends "Timer '<name>' took <s> seconds." as a message of `owner` and,
    // with bShowBox, shows it in a "Timer Results" box.
    void Report(const TDebugObject& owner, const char* szTimerName, Boolean bShowBox) const;

private:
    int64_t fStart;
    bool fStarted;
};

// The system's text for the last error, without trailing line ends.
class TSystemErrorText {
public:
    TSystemErrorText();
    ~TSystemErrorText();
    TSystemErrorText(const TSystemErrorText&) = delete;
    TSystemErrorText& operator=(const TSystemErrorText&) = delete;

    uint32_t Code() const { return fCode; }
    // The text, or "" when the system has none.
    const char* Text() const { return fText != nullptr ? fText : ""; }

private:
    uint32_t fCode;
    char* fText;
};
