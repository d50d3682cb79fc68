// The tool's cursors as the plug-in carries them, from the art in
// tool/resources/cursors (built into the workbench): their names for the
// transcript and their pictures for the drawings.
#pragma once

#include <cstdint>
#include <string>

namespace cursorgen {
struct Cursor;
}

namespace workbench {

// What a cursor shows, read from its letters and marks in the art:
// "duplicate", "repeat move in space", "path, white"; "" for an id the
// tool has no cursor for.
std::string CursorName(int32_t id);

// The composed 32 by 32 picture, or null for an unknown id.
const cursorgen::Cursor* CursorPicture(int32_t id);

// The cursor is drawn in white ink, for dark backgrounds (host setting 16).
bool CursorInWhite(int32_t id);

}  // namespace workbench
