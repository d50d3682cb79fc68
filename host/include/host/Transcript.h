// Readable text of what happened between the host and the plug-in.
#pragma once

#include <ostream>

#include "host/Host.h"

namespace host {

struct TranscriptOptions {
    bool calls = true;  // every host call under its event, not just the events
};

// Writes the log entries from `from` on: events with their replies and,
// indented below them, the host calls they made.
void WriteLog(std::ostream& out, const CallLog& log, std::size_t from, const TranscriptOptions& options = {});

// The tool's user interface as the host shows it now: message line, mode
// bar and data bar.
void WriteInterface(std::ostream& out, const Host& host);

}  // namespace host
