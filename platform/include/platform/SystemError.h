// The system's last error and its text (GetLastError, FormatMessageA and
// LocalFree; errno and the C library's text elsewhere).
#pragma once

#include <cstdint>

namespace ks::platform {

uint32_t LastSystemError();

// The system's text for `code`, in a block the caller frees with
// FreeSystemErrorText; null when the system has no text for it.
char* AllocSystemErrorText(uint32_t code);
void FreeSystemErrorText(char* szText);

}  // namespace ks::platform
