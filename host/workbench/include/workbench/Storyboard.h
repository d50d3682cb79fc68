// One self-contained HTML page that steps through the drawings of a run: a
// slider, the arrow keys (Home and End for the first and last frame), and
// under the picture the script line and its transcript.
#pragma once

#include <string>
#include <vector>

namespace workbench {

struct Frame {
    std::string title;       // "line 9: click 0 0"
    std::string svg;         // the drawing after the line
    std::string transcript;  // what the line wrote
};

std::string StoryboardHtml(const std::string& title, const std::vector<Frame>& frames);

}  // namespace workbench
