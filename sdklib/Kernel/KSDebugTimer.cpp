// Timers for the developer and the text of the last system error.
#include <cstdio>

#include "kernel/KSDebug.h"
#include "platform/PerformanceCounter.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

using namespace ks::platform;

TDebugTimer::TDebugTimer() : fStart(0), fStarted(ReadPerformanceCounter(&fStart)) {}

void TDebugTimer::Report(const TDebugObject& owner, const char* szTimerName, Boolean bShowBox) const {
    int64_t now = 0;
    int64_t frequency = 0;
    if (!fStarted || !ReadPerformanceCounter(&now) || !ReadPerformanceFrequency(&frequency)) {
        DebugMessage(owner, "Performance counters not supported by hardware.\n");
        return;
    }
    char szLine[260];
    std::snprintf(szLine, sizeof szLine, "Timer '%s' took %.3f seconds.\n", szTimerName != nullptr ? szTimerName : "",
                  static_cast<double>(now - fStart) / static_cast<double>(frequency));
    DebugMessage(owner, "%s", szLine);
    if (bShowBox) DebugMessageBox(DebugParentWindow(), szLine, "Timer Results", kMBOk | kMBIconInformation);
}

TSystemErrorText::TSystemErrorText() : fCode(LastSystemError()), fText(AllocSystemErrorText(fCode)) {
    // The system ends its texts with a line break that a report adds itself.
    int32_t length = TextLength(fText);
    while (length > 0 && (fText[length - 1] == '\n' || fText[length - 1] == '\r')) fText[--length] = '\0';
}

TSystemErrorText::~TSystemErrorText() { FreeSystemErrorText(fText); }
