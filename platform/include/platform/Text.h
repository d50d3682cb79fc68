// C-string length, copy and append (lstrlenA, lstrcpyA, lstrcatA), always
// bounded by the size of the destination buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ks::platform {

// Length of a C string; 0 for null.
int32_t TextLength(const char* szText);

// Copies `szSource` into `szDest` (a buffer of `destSize` bytes), cutting it
// so that it and its terminator fit. Null source copies as empty.
void CopyText(char* szDest, size_t destSize, const char* szSource);

// Appends `szSource` to the C string in `szDest` within `destSize` bytes.
void AppendText(char* szDest, size_t destSize, const char* szSource);

}  // namespace ks::platform
