#include "DebugCapture.h"

#include "interface/KSKludgeRecords.h"
#include "kernel/KSDebug.h"

namespace {

DebugCapture* gActive = nullptr;

std::string Text(const char* sz) { return sz != nullptr ? sz : "<null>"; }

Boolean KS_CDECL FakeKludge(int16_t code, void* pInput, void* pOutput) {
    if (gActive == nullptr) return 0;
    TCapturedKludge call{};
    call.code = code;
    call.hadOutput = pOutput != nullptr;
    switch (code) {
        case kKludgeDebugText: {
            const auto* record = static_cast<const TKludgeDebugTextRecord*>(pInput);
            call.ownerName = Text(record->fOwnerName);
            call.text = Text(record->fText);
            break;
        }
        case kKludgeDebugPrint:
        case kKludgeOwnerNotice:
            call.text = Text(static_cast<const char*>(pInput));
            break;
        case kKludgeCheckBlock: {
            const auto* record = static_cast<const TKludgeCheckBlockRecord*>(pInput);
            call.ownerName = Text(record->fOwnerName);
            call.file = Text(record->fFile);
            call.line = record->fLine;
            call.expression = Text(record->fExpression);
            call.pointer = record->fBlock;
            call.values[0] = record->fSize;
            break;
        }
        case kKludgeCheckValues: {
            const auto* record = static_cast<const TKludgeCheckValuesRecord*>(pInput);
            call.ownerName = Text(record->fOwnerName);
            for (int i = 0; i < 5; ++i) call.values[i] = record->fValues[i];
            break;
        }
        case kKludgeCheckCString:
        case kKludgeCheckPascalString: {
            const auto* record = static_cast<const TKludgeCheckStringRecord*>(pInput);
            call.strict = record->fStrict;
            call.ownerName = Text(record->fOwnerName);
            call.file = Text(record->fFile);
            call.line = record->fLine;
            call.expression = Text(record->fExpression);
            call.pointer = record->fString;
            call.values[0] = record->fValue1;
            call.values[1] = record->fValue2;
            break;
        }
        default:
            break;
    }
    gActive->kludges.push_back(call);
    // Only the check requests have a 32-bit answer; other codes' outputs are
    // records of their own and stay as the caller left them.
    const bool bCheck = code == kKludgeCheckBlock || code == kKludgeCheckValues || code == kKludgeCheckCString ||
                        code == kKludgeCheckPascalString;
    if (bCheck && pOutput != nullptr) *static_cast<int32_t*>(pOutput) = gActive->hostAnswer;
    return bCheck || code == kKludgeDebugText || code == kKludgeDebugPrint || code == kKludgeOwnerNotice;
}

void* KS_CDECL Lookup(int32_t selector) { return selector == 326 ? reinterpret_cast<void*>(&FakeKludge) : nullptr; }

CallbackBlock gFakeHost{Lookup};

}  // namespace

DebugCapture::DebugCapture()
    : fPrevious(ks::platform::SetDebugHook(this)), fPreviousBlock(gCBP), fPreviousBreak(SetBreakToDebugger(0)) {
    gActive = this;
    gCBP = &gFakeHost;
}

DebugCapture::~DebugCapture() {
    gActive = nullptr;
    gCBP = fPreviousBlock;
    SetBreakToDebugger(fPreviousBreak);
    ks::platform::SetDebugHook(fPrevious);
}

void DebugCapture::Output(const char* szText) { pieces.emplace_back(szText); }

int32_t DebugCapture::AnswerMessageBox(ks::platform::WindowRef parent, const char* szText, const char* szCaption,
                                       uint32_t style) {
    boxes.push_back({parent, Text(szText), Text(szCaption), style, StopDialogShowing() != 0});
    if (answers.empty()) return ks::platform::UnattendedAnswer(style);
    const int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string DebugCapture::Joined() const {
    std::string all;
    for (const std::string& piece : pieces) all += piece;
    return all;
}

void DebugCapture::Clear() {
    pieces.clear();
    boxes.clear();
    kludges.clear();
}
