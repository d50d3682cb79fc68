// Readable text of what happened between the host and the plug-in.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "host/Host.h"

namespace host {

struct TranscriptOptions {
    bool calls = true;  // every host call under its event, not just the events
    // The name shown beside a cursor id ("duplicate"); none when empty.
    std::function<std::string(int32_t)> cursorName;
};

// "click" for event 100; "" for a number that is no tool event.
std::string EventName(int32_t event);

// A number as the transcript writes it: the shortest text that reads back
// as the same double, whole numbers and everyday magnitudes without an
// exponent (100000, 0.001, 1234567.1; 1e-09, 1e+20).
std::string FormatNumber(double value);

// Writes the log entries from `from` on: events with their replies and,
// indented below them, the host calls they made. An event the plug-in never
// returned from reads "-> (no reply)".
void WriteLog(std::ostream& out, const CallLog& log, std::size_t from, const TranscriptOptions& options = {});

// The tool's user interface as the host shows it now: message line, mode
// bar and data bar.
void WriteInterface(std::ostream& out, const Host& host);

}  // namespace host
