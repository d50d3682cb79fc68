// Text between the host's UTF-8 and the Win32 API's UTF-16.
#pragma once

#include <string>

namespace window {

std::wstring Utf16(const std::string& utf8);
// A file name from a Win32 dialog, in the code page the C runtime opens
// files with.
std::string AnsiFileName(const std::wstring& name);

}  // namespace window
