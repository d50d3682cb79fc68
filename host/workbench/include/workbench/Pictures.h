// The drawings of a run. After every line it takes what the drawing shows
// (frames wait in a temporary file, not in memory); at the end it fits one
// sheet to everything the run showed and writes the drawing of the end
// (--svg), one drawing per line (--frames) and the storyboard page (--html)
// on it, so that no frame jumps against another.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "workbench/Scene.h"
#include "workbench/SceneSpool.h"
#include "workbench/Script.h"

namespace workbench {

struct PictureOptions {
    std::string title;   // the script's file name, over every drawing and the page
    std::string svg;     // the drawing of the end
    std::string frames;  // a folder for frame-0001.svg, ...
    std::string html;    // the storyboard page
};

class Pictures {
public:
    explicit Pictures(PictureOptions options);

    bool Wanted() const { return !fOptions.svg.empty() || Frames(); }
    // After a line ran: `transcript` is what it wrote.
    void AfterLine(const Line& line, const host::Host& host, int32_t cursor, const std::string& transcript);
    // Writes every drawing asked for; `transcript` is what the end of the
    // run wrote (the storyboard's last page).
    void Write(const std::string& transcript);

private:
    bool Frames() const { return !fOptions.frames.empty() || !fOptions.html.empty(); }

    PictureOptions fOptions;
    Extent fExtent;
    std::unique_ptr<SceneSpool> fSpool;
    Scene fLast;
    bool fAny = false;
    // The points of the action in progress after the line before, and of
    // the action that completed last.
    std::vector<Point3D> fPicked, fLastPicked;
    std::size_t fLogMark = 0;
};

}  // namespace workbench
