// TXString: formatting with the C library's printf rules, bounded.
#include <cstdio>
#include <new>

#include "String.XChecks.h"

namespace {
// Characters a formatted text keeps: the format buffer less its terminator.
constexpr int32_t kFormatLimit = static_cast<int32_t>(TXString::kFormatBufferSize) - 1;
}  // namespace

void TXString::FormatList(const char* szFormat, va_list ap) {
    // A fresh buffer, because the arguments may point into the current one.
    auto* pNew = new (std::nothrow) unsigned char[kFormatBufferSize + 2];
    if (pNew == nullptr) return;
    char* szNew = reinterpret_cast<char*>(pNew + 1);
    int32_t n = std::vsnprintf(szNew, kFormatBufferSize, szFormat, ap);
    if (n < 0) {
        szNew[0] = '\0';
        n = 0;
    }
    if (n > kFormatLimit) {
        BreakIfAsked(DebugStop(ks::strings::BufferOwner(),
                               "TXString::Format() - exceeded maximum buffer length of %d by %d bytes.",
                               static_cast<int>(kFormatBufferSize), static_cast<int>(n - kFormatLimit)));
        n = kFormatLimit;  // vsnprintf kept the beginning
    }
    delete[] fData;
    fData = pNew;
    fCString = szNew;
    fBufferSize = kFormatBufferSize + 2;
    UpdateLength(static_cast<uint32_t>(n));
    Compact();
}

void TXString::Format(const char* szFormat, ...) {
    const char* szChecked = KS_CHECKED_C(szFormat);
    va_list ap;
    va_start(ap, szFormat);
    FormatList(szChecked, ap);
    va_end(ap);
}

void TXString::Format(const unsigned char* psFormat, ...) {
    const TXString format(KS_CHECKED_PASCAL(psFormat));
    va_list ap;
    va_start(ap, psFormat);
    FormatList(format.CString(), ap);
    va_end(ap);
}
