// Bounded C-string helpers.
#include "platform/Text.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstring>
#endif

namespace ks::platform {

int32_t TextLength(const char* szText) {
    if (szText == nullptr) return 0;
#if defined(_WIN32)
    return lstrlenA(szText);
#else
    return static_cast<int32_t>(std::strlen(szText));
#endif
}

void CopyText(char* szDest, size_t destSize, const char* szSource) {
    if (szDest == nullptr || destSize == 0) return;
    if (szSource == nullptr) szSource = "";
#if defined(_WIN32)
    // lstrcpynA counts the terminator in its limit and always writes one.
    lstrcpynA(szDest, szSource, static_cast<int>(destSize));
#else
    size_t length = std::strlen(szSource);
    if (length > destSize - 1) length = destSize - 1;
    std::memcpy(szDest, szSource, length);
    szDest[length] = '\0';
#endif
}

void AppendText(char* szDest, size_t destSize, const char* szSource) {
    if (szDest == nullptr || destSize == 0) return;
    size_t used = 0;
    while (used < destSize && szDest[used] != '\0') ++used;
    if (used == destSize) return;  // not terminated within the buffer: leave it alone
    CopyText(szDest + used, destSize - used, szSource);
}

}  // namespace ks::platform
