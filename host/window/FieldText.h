// What a data-bar field shows: its label as UTF-8, and its value: the number
// the tool wrote into it, or else what the host itself shows for the field's
// kind (the cursor position, the span from the last picked point, its length
// and angle).
#pragma once

#include <string>

#include "host/Host.h"

namespace window {

std::string FieldLabel(const host::DataField& field);
std::string FieldValue(const host::DataField& field, const host::ToolPoints& points);

// A number as the data bar shows it: at most four decimals, no trailing
// zeros, no negative zero.
std::string FormatNumber(double value);

}  // namespace window
