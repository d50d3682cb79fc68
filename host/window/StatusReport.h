// The window's state as plain text, one "key value" pair a line, written
// after everything the window does (--status FILE): what a test driving the
// window with the mouse reads to know where the drawing lies on screen and
// what the host and the tool are doing.
#pragma once

#include <cstdint>
#include <string>

#include "View.h"
#include "host/Host.h"
#include "host/Session.h"

namespace window {

struct WindowFacts {
    long sequence = 0;
    bool toolChosen = false;
    std::string script = "none";  // none, running, done
    int line = 0;                 // the script line that ran last
    bool cursorLoaded = false;    // the tool's cursor came from the plug-in's resources
    std::size_t onScreen = 0;     // feedback figures drawn and not yet erased
    bool dialogOpen = false;
    int exitStatus = -1;  // the program's exit status once the window has closed
    Pixel origin;         // the screen pixel of the world's origin
    int canvasLeft = 0, canvasTop = 0, canvasWidth = 0, canvasHeight = 0;  // on screen
    double scale = 1.0;
    double snap = 1.0;
};

std::string StatusText(const WindowFacts& facts, const host::Host& host, const host::Session& session);

}  // namespace window
