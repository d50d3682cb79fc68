// The debugger output channel and modal message boxes.
//
// Both go through one replaceable hook, so a test (or a host without a
// desktop) can take every piece written to the debugger and answer every box
// without a window. With no hook installed, Windows uses OutputDebugStringA
// and MessageBoxA; elsewhere the output goes to standard error and a box
// answers at once as if nobody were there to click it.
#pragma once

#include <cstdint>

namespace ks::platform {

using WindowRef = void*;

// Box styles and answers carry the values of the Windows API, so they pass
// to MessageBoxA unchanged.
inline constexpr uint32_t kMBOk = 0x0;
inline constexpr uint32_t kMBOkCancel = 0x1;
inline constexpr uint32_t kMBAbortRetryIgnore = 0x2;
inline constexpr uint32_t kMBYesNoCancel = 0x3;
inline constexpr uint32_t kMBYesNo = 0x4;
inline constexpr uint32_t kMBRetryCancel = 0x5;
inline constexpr uint32_t kMBTypeMask = 0xF;
inline constexpr uint32_t kMBIconError = 0x10;
inline constexpr uint32_t kMBIconInformation = 0x40;
inline constexpr uint32_t kMBSystemModal = 0x1000;
inline constexpr uint32_t kMBSetForeground = 0x10000;

inline constexpr int32_t kIDOk = 1;
inline constexpr int32_t kIDCancel = 2;
inline constexpr int32_t kIDAbort = 3;
inline constexpr int32_t kIDRetry = 4;
inline constexpr int32_t kIDIgnore = 5;
inline constexpr int32_t kIDYes = 6;
inline constexpr int32_t kIDNo = 7;

// Receives what would go to the debugger and answers the boxes.
class TDebugHook {
public:
    virtual void Output(const char* szText) = 0;
    virtual int32_t AnswerMessageBox(WindowRef parent, const char* szText, const char* szCaption, uint32_t style) = 0;

protected:
    ~TDebugHook() = default;
};

// Installs `hook` (null: the system's own channel) and returns the one it
// replaces, so callers can put it back.
TDebugHook* SetDebugHook(TDebugHook* hook);

// OutputDebugStringA through the hook.
void DebugOutput(const char* szText);

// MessageBoxA through the hook; returns one of the kID answers.
int32_t DebugMessageBox(WindowRef parent, const char* szText, const char* szCaption, uint32_t style);

// The answer of a box that nobody can click: No, Ignore, Cancel or OK, the
// choice that changes nothing. A box never blocks on a machine without a
// desktop.
int32_t UnattendedAnswer(uint32_t style);

}  // namespace ks::platform
