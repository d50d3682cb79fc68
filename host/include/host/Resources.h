// The host's resources for the tool: string lists and mode-bar labels, with
// plain English texts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace host {

class Resources {
public:
    Resources();
    // The text, or an empty string when the list or index does not exist.
    std::string String(int16_t list, int16_t index) const;
    void SetString(int16_t list, int16_t index, std::string text);
    // The label of a mode-bar resource (11001-11006), or its number.
    std::string ModeLabel(int16_t resource) const;

private:
    std::map<std::pair<int16_t, int16_t>, std::string> fStrings;
    std::map<int16_t, std::string> fModeLabels;
};

}  // namespace host
