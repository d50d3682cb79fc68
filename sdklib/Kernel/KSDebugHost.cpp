// Debug texts forwarded to the host and the checks the host performs.
#include <cstdarg>
#include <cstdio>

#include "callbacks/KSCallbacks.h"
#include "interface/KSKludgeRecords.h"
#include "kernel/KSDebug.h"

namespace {

// Kernel code may run outside a host call; without a block nothing is sent
// and the answer stays 0 (no break).
int32_t AskHost(int16_t code, void* pInput) {
    int32_t answer = 0;
    if (gCBP != nullptr) KS_Kludge(gCBP, code, pInput, &answer);
    return answer;
}

void TellHost(int16_t code, const void* pInput) {
    if (gCBP != nullptr) KS_Kludge(gCBP, code, const_cast<void*>(pInput), nullptr);
}

int32_t CheckString(int16_t code, Boolean bStrict, const TDebugObject& owner, const char* szFile, int32_t line,
                    const char* szExpression, const void* pString, int32_t value1, int32_t value2) {
    TKludgeCheckStringRecord record{bStrict, 0, owner.Name(), szFile, line, szExpression, pString, value1, value2};
    return AskHost(code, &record);
}

}  // namespace

Boolean CheckWritableBlock(const TDebugObject& owner, const char* szFile, int32_t line, const char* szExpression,
                           const void* pBlock, int32_t size) {
    TKludgeCheckBlockRecord record{0, owner.Name(), szFile, line, szExpression, pBlock, size};
    BreakIfAsked(AskHost(kKludgeCheckBlock, &record) != 0);
    return pBlock != nullptr;
}

Boolean CheckValues(const TDebugObject& owner, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                    int32_t value5) {
    TKludgeCheckValuesRecord record{0, owner.Name(), {value1, value2, value3, value4, value5}};
    BreakIfAsked(AskHost(kKludgeCheckValues, &record) != 0);
    return value4 != 0;
}

Boolean CheckCString(Boolean bStrict, const TDebugObject& owner, const char* szFile, int32_t line,
                     const char* szExpression, const void* pString, int32_t value1, int32_t value2) {
    const int32_t answer =
        CheckString(kKludgeCheckCString, bStrict, owner, szFile, line, szExpression, pString, value1, value2);
    return bStrict ? answer != 0 : pString != nullptr;
}

Boolean CheckPascalString(Boolean bStrict, const TDebugObject& owner, const char* szFile, int32_t line,
                          const char* szExpression, const void* pString, int32_t value1, int32_t value2) {
    const int32_t answer =
        CheckString(kKludgeCheckPascalString, bStrict, owner, szFile, line, szExpression, pString, value1, value2);
    return bStrict ? answer != 0 : pString != nullptr;
}

void SendDebugText(const char* szOwnerName, const char* szText) {
    const TKludgeDebugTextRecord record{szOwnerName, szText};
    TellHost(kKludgeDebugText, &record);
}

void HostDebugPrint(const char* szFmt, ...) {
    // A text longer than the buffer reaches the host cut at its end.
    char szText[kBuf_size];
    va_list ap;
    va_start(ap, szFmt);
    if (std::vsnprintf(szText, sizeof szText, szFmt != nullptr ? szFmt : "", ap) < 0) szText[0] = '\0';
    va_end(ap);
    TellHost(kKludgeDebugPrint, szText);
}

void SendOwnerNotice(const TDebugObject& owner) { TellHost(kKludgeOwnerNotice, owner.Name()); }
