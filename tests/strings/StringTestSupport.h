// Shared by the string tests: an owner whose reports are heard, a look into
// a TXString's buffer, and the reports a DebugCapture collected.
#pragma once

#include <cstring>
#include <string>

#include "../kernel/DebugCapture.h"
#include "kernel/KSString.X.h"

// A developer that never gets a dialog, so its reports only go to the output
// and to the host.
inline TDebugObject HeardOwner() { return TDebugObject("StringTester", 0x80000000u, kOwnerNeverShowsDialog, false); }

// Whether any text the debug facility sent to the host holds `text`.
inline bool Reported(const DebugCapture& capture, const std::string& text) {
    for (const TCapturedKludge& call : capture.kludges)
        if (call.code == 2001 && call.text.find(text) != std::string::npos) return true;
    return false;
}

inline int CountReports(const DebugCapture& capture) {
    int count = 0;
    for (const TCapturedKludge& call : capture.kludges) count += call.code == 2001;
    return count;
}

// The bytes of the buffer: length byte, characters, terminator.
inline std::string Text(const TXString& s) { return std::string(s.CString(), s.GetLength()); }

// The Pascal view without a report: the length byte read directly.
inline unsigned LengthByte(const TXString& s) { return static_cast<unsigned char>(s.CString()[-1]); }
