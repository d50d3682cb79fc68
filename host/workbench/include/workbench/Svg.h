// The drawing of one scene as SVG, on the sheet fitted to the whole run:
// the title (the script's name), a legend, the plan and, when the sheet has
// one, the elevation, each with the objects and their labels, the tool's
// preview, the picked points, the points of the last action and the tool's
// own cursor picture; under them a status line and the caption.
#pragma once

#include <string>

#include "workbench/Scene.h"
#include "workbench/Sheet.h"

namespace workbench {

// The same scene on the same sheet always gives the same bytes.
std::string DrawingSvg(const Scene& scene, const Sheet& sheet, const std::string& title);

// The status line: the mode, the count, what the tool will do (from its
// cursor: move or duplicate, repeat, reverse) and the cursor;
// "mode span · count 3 · duplicate · cursor 17002 (duplicate)".
std::string StatusText(const Scene& scene);

}  // namespace workbench
