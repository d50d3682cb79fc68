// The last system error and its text.
#include "platform/SystemError.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace ks::platform {

uint32_t LastSystemError() {
#if defined(_WIN32)
    return GetLastError();
#else
    return static_cast<uint32_t>(errno);
#endif
}

char* AllocSystemErrorText(uint32_t code) {
#if defined(_WIN32)
    // Inserts are ignored: the texts are shown, not filled in, and a text
    // with %1 in it would otherwise read arguments that are not there.
    char* szText = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&szText), 0, nullptr);
    return length == 0 ? nullptr : szText;
#else
    const char* szSystem = std::strerror(static_cast<int>(code));
    if (szSystem == nullptr) return nullptr;
    const size_t size = std::strlen(szSystem) + 1;
    char* szText = static_cast<char*>(std::malloc(size));
    if (szText != nullptr) std::memcpy(szText, szSystem, size);
    return szText;
#endif
}

void FreeSystemErrorText(char* szText) {
    if (szText == nullptr) return;
#if defined(_WIN32)
    LocalFree(szText);
#else
    std::free(szText);
#endif
}

}  // namespace ks::platform
