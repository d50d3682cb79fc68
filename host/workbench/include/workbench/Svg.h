// The drawing as SVG, seen from above: the objects, the selection, the
// tool's feedback on screen, the picked points and the cursor.
#pragma once

#include <string>

#include "host/Host.h"

namespace workbench {

// A caption line under the drawing (the script line, the cursor) is given by
// the caller. The output depends only on the state: the same state always
// gives the same bytes.
std::string DrawingSvg(const host::Host& host, const std::string& caption);

}  // namespace workbench
