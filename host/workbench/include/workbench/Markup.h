// Text and numbers as the SVG drawings and the HTML page write them.
#pragma once

#include <string>

namespace workbench {

// Text made safe for XML and HTML: the five markup characters as entities,
// and what is not well-formed UTF-8 or is a control character (a script may
// name an object with any bytes) as U+FFFD, so the file still parses.
std::string EscapeMarkup(const std::string& text);

// A sheet coordinate with two decimals; "-0.00" reads "0.00", and anything
// beyond a million pixels is held there, so a far-off point cannot make a
// number of three hundred digits.
std::string SheetNumber(double value);

}  // namespace workbench
