// Windows .cur files and the resource script that names them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Art.h"

namespace cursorgen {

// One monochrome 32x32 image: ICONDIR of type 2 with the hotspot in its
// entry, a 1-bit DIB of double height (XOR mask, then AND mask), rows bottom-up.
std::vector<uint8_t> EncodeCur(const Cursor& cursor);

// `LANGUAGE 9, 1` (English, US) and one CURSOR line per cursor naming
// `<dir>/<id>.cur` by its absolute path.
std::string ResourceScript(const std::vector<Cursor>& cursors, const std::filesystem::path& dir);

}  // namespace cursorgen
