// Comparisons by the host's rules and the printf-style formatters of the
// Pascal and C string helpers.
#include <cstdarg>
#include <cstdio>

#include "callbacks/KSCallbacks.h"
#include "kernel/KSString.X.h"
#include "kernel/KSString.h"

namespace {

constexpr int16_t kHostEqualMode = 2;
constexpr int16_t kHostOrderMode = 1;
constexpr int16_t kHostOrderMode2 = 2;

// A Pascal argument as the C string the host reads.
struct TCForm {
    char fText[kPascalBufferSize];
    explicit TCForm(const unsigned char* ps) { CopyPascalToC(ps, fText, sizeof fText); }
};

// Outside a host call there is no host to ask: the answer is the default.
bool AskEqual(const char* szA, const char* szB) {
    return gCBP != nullptr && KS_EqualStrings(gCBP, szA, szB, kHostEqualMode) != 0;
}

int16_t AskOrder(const char* szA, const char* szB, int16_t mode) {
    return gCBP != nullptr ? KS_CompareStrings(gCBP, szA, szB, mode) : 0;
}

// Writes the Pascal form of `text` over psDst; the host checks the block first.
int32_t StorePascal(unsigned char* psDst, const TXString& text) {
    const unsigned char* psText = text.PascalString();
    if (CheckWritableBlock(text, KSPathBelowSdklib(__FILE__), __LINE__, "psDst", psDst, psText[0] + 1))
        CopyPascalToPascal(psText, psDst, kPascalBufferSize);
    return static_cast<int32_t>(text.GetLength());
}

int32_t FormatListToPascal(unsigned char* psDst, const char* szFmt, va_list ap) KS_PRINTF_FORMAT(2, 0);
int32_t FormatListToPascal(unsigned char* psDst, const char* szFmt, va_list ap) {
    TXString text;
    text.FormatList(szFmt != nullptr ? szFmt : "", ap);
    return StorePascal(psDst, text);
}

int32_t FormatListToC(char* szDst, const char* szFmt, va_list ap) KS_PRINTF_FORMAT(2, 0);
int32_t FormatListToC(char* szDst, const char* szFmt, va_list ap) {
    if (szDst == nullptr) return 0;
    const int length = std::vsprintf(szDst, szFmt != nullptr ? szFmt : "", ap);
    return length < 0 ? 0 : length;
}

}  // namespace

bool HostStringsEqual(const unsigned char* psA, const unsigned char* psB) {
    return AskEqual(TCForm(psA).fText, TCForm(psB).fText);
}
bool HostStringsEqual(const unsigned char* psA, const char* szB) { return AskEqual(TCForm(psA).fText, szB); }
bool HostStringsEqual(const char* szA, const char* szB) { return AskEqual(szA, szB); }

int16_t HostCompareStrings(const unsigned char* psA, const unsigned char* psB) {
    return AskOrder(TCForm(psA).fText, TCForm(psB).fText, kHostOrderMode);
}
int16_t HostCompareStrings(const unsigned char* psA, const char* szB) {
    return AskOrder(TCForm(psA).fText, szB, kHostOrderMode);
}
int16_t HostCompareStrings(const char* szA, const char* szB) { return AskOrder(szA, szB, kHostOrderMode); }

int16_t HostCompareStringsMode2(const unsigned char* psA, const unsigned char* psB) {
    return AskOrder(TCForm(psA).fText, TCForm(psB).fText, kHostOrderMode2);
}
int16_t HostCompareStringsMode2(const unsigned char* psA, const char* szB) {
    return AskOrder(TCForm(psA).fText, szB, kHostOrderMode2);
}
int16_t HostCompareStringsMode2(const char* szA, const char* szB) { return AskOrder(szA, szB, kHostOrderMode2); }

int32_t FormatToC(char* szDst, const char* szFmt, ...) {
    va_list ap;
    va_start(ap, szFmt);
    const int32_t length = FormatListToC(szDst, szFmt, ap);
    va_end(ap);
    return length;
}

int32_t FormatToPascal(unsigned char* psDst, const char* szFmt, ...) {
    va_list ap;
    va_start(ap, szFmt);
    const int32_t length = FormatListToPascal(psDst, szFmt, ap);
    va_end(ap);
    return length;
}

int32_t FormatPascalToC(char* szDst, const unsigned char* psFmt, ...) {
    const TCForm format(psFmt);
    va_list ap;
    va_start(ap, psFmt);
    const int32_t length = FormatListToC(szDst, format.fText, ap);
    va_end(ap);
    return length;
}

int32_t FormatPascalToPascal(unsigned char* psDst, const unsigned char* psFmt, ...) {
    const TCForm format(psFmt);
    va_list ap;
    va_start(ap, psFmt);
    const int32_t length = FormatListToPascal(psDst, format.fText, ap);
    va_end(ap);
    return length;
}
