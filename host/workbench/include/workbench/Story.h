// The sentences of the transcript that say what an operation did, in words
// and in numbers that read back exactly.
#pragma once

#include <optional>
#include <string>

#include "host/Host.h"

namespace workbench {

// "(2, 0)", or "(2, 0, 3)" when there is a z.
std::string OffsetText(const Point3D& offset);

// What the undo step just made did: "2 copies made, step (3, 1)",
// "1 object moved by (2, 0)", with the step's name; with `seconds`, how long
// it took ("100000 copies made, step (1, 0), in 0.78 s").
std::string OperationText(const host::UndoStep& step, std::optional<double> seconds = std::nullopt);

// What undo or redo of a step did: "undone: \"Move/Duplicate\" (2 copies
// taken away)".
std::string UndoText(const host::UndoStep& step, bool redo);

// The data-bar fields that show a value, with their labels:
// "∆X: 10, ∆Y: 0, L: 10, A: 0"; "" when none shows one.
std::string DataBarText(const host::Host& host);

// Whether the host completed an action (sent event 104 from the top) in the
// log entries from `from` on.
bool CompletedSince(const host::CallLog& log, std::size_t from);

// The label of a data-bar field ("Parts:"), or "" when it has none.
std::string FieldLabel(const host::Host& host, int16_t field);

}  // namespace workbench
