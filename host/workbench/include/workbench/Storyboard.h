// One self-contained HTML page that steps through the drawings of a run: a
// slider, the arrow keys (Home and End for the first and last frame), and
// under the picture the script line and its transcript. The page keeps the
// frame shown in document.body.dataset.frame (counted from 0).
#pragma once

#include <string>

namespace workbench {

struct Frame {
    std::string title;       // "line 9: click 0 0"
    std::string svg;         // the drawing after the line
    std::string transcript;  // what the line wrote
};

// The page in three parts, so that a run can write its frames one at a time
// and never hold them all: the head (which must know how many frames
// follow), each frame (counted from 0), the tail.
std::string StoryboardHead(const std::string& title, std::size_t frames);
std::string StoryboardFrame(std::size_t index, const Frame& frame);
std::string StoryboardTail();

}  // namespace workbench
