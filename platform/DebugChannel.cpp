// The debugger channel and message boxes, through the replaceable hook.
#include "platform/DebugChannel.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#endif

namespace ks::platform {

namespace {
TDebugHook* gDebugHook = nullptr;
}

#if defined(_WIN32)
static_assert(kMBAbortRetryIgnore == MB_ABORTRETRYIGNORE && kMBYesNoCancel == MB_YESNOCANCEL &&
              kMBIconError == MB_ICONERROR && kMBIconInformation == MB_ICONINFORMATION &&
              kMBSystemModal == MB_SYSTEMMODAL && kMBSetForeground == MB_SETFOREGROUND);
static_assert(kIDAbort == IDABORT && kIDRetry == IDRETRY && kIDIgnore == IDIGNORE && kIDYes == IDYES && kIDNo == IDNO &&
              kIDCancel == IDCANCEL && kIDOk == IDOK);
#endif

TDebugHook* SetDebugHook(TDebugHook* hook) {
    TDebugHook* const previous = gDebugHook;
    gDebugHook = hook;
    return previous;
}

void DebugOutput(const char* szText) {
    if (szText == nullptr) return;
    if (gDebugHook != nullptr) {
        gDebugHook->Output(szText);
        return;
    }
#if defined(_WIN32)
    OutputDebugStringA(szText);
#else
    std::fputs(szText, stderr);
#endif
}

int32_t UnattendedAnswer(uint32_t style) {
    switch (style & kMBTypeMask) {
        case kMBAbortRetryIgnore:
            return kIDIgnore;
        case kMBYesNoCancel:
        case kMBYesNo:
            return kIDNo;
        case kMBOkCancel:
        case kMBRetryCancel:
            return kIDCancel;
        default:
            return kIDOk;
    }
}

int32_t DebugMessageBox(WindowRef parent, const char* szText, const char* szCaption, uint32_t style) {
    if (gDebugHook != nullptr) return gDebugHook->AnswerMessageBox(parent, szText, szCaption, style);
#if defined(_WIN32)
    // MessageBoxA fails (0) where no desktop can show it; answer as nobody.
    const int answer = MessageBoxA(static_cast<HWND>(parent), szText, szCaption, style);
    return answer != 0 ? answer : UnattendedAnswer(style);
#else
    (void)parent;
    (void)szText;
    (void)szCaption;
    return UnattendedAnswer(style);
#endif
}

}  // namespace ks::platform
