// The machine-readable trace beside the transcript: one JSON object per
// line for every event the host sent and every host call the plug-in made.
#pragma once

#include <cstddef>
#include <ostream>

#include "host/CallLog.h"

namespace workbench {

// Writes the log entries from `from` on, each with the script line that
// caused it:
//   {"line":5,"kind":"event","depth":0,"event":100,"name":"click","m1":0,"m2":0,"reply":0}
//   {"line":5,"kind":"call","depth":1,"selector":30,"name":"KS_HasSelection","args":[],"result":"1","notes":[]}
//   {"line":4,"kind":"note","depth":0,"text":"the tool is chosen"}
// An event still running (the plug-in crashed in it) has "reply":null.
void WriteTrace(std::ostream& out, const host::CallLog& log, std::size_t from, int line);

}  // namespace workbench
