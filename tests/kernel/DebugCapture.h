// Captures what the debug facility writes: every piece on the debugger
// channel, every message box (answered from a script) and every KS_Kludge
// request, through a fake host block served in gCBP. No GoogleTest here: the
// fuzzers use it too (FreshProcess.h and UnexpectedReports.cpp are the
// suites' side).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "callbacks/KSCallbacks.h"
#include "platform/DebugChannel.h"

struct TCapturedBox {
    ks::platform::WindowRef parent;
    std::string text;
    std::string caption;
    uint32_t style;
    bool stopDialogShowing;  // the facility's flag while the box was open
};

// One KS_Kludge request, decoded while the records are alive.
struct TCapturedKludge {
    int16_t code;
    std::string ownerName;
    std::string text;  // 2001, 2002, 2005
    std::string file;
    std::string expression;
    int32_t line = 0;
    const void* pointer = nullptr;
    int32_t values[5] = {};  // 2004: the five; 2003: size; 2007/2008: the two
    uint8_t strict = 0;
    bool hadOutput = false;
};

class DebugCapture : public ks::platform::TDebugHook {
public:
    // Installs the hook and the fake host, and switches breaking off.
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    void Output(const char* szText) override;
    int32_t AnswerMessageBox(ks::platform::WindowRef parent, const char* szText, const char* szCaption,
                             uint32_t style) override;

    std::string Joined() const;
    void Clear();

    std::vector<std::string> pieces;
    std::vector<TCapturedBox> boxes;
    std::deque<int32_t> answers;  // answers in turn, then unattended ones
    std::vector<TCapturedKludge> kludges;
    int32_t hostAnswer = 0;  // output long of the check requests

private:
    ks::platform::TDebugHook* fPrevious;
    CallbackBlock* fPreviousBlock;
    uint8_t fPreviousBreak;
};
