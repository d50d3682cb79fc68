// What the host shows for the active tool: mode bar, data bar, message line.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct ModeGroup {
    enum class Type { Radio, Button };
    Type type = Type::Radio;
    int16_t choice = 0;  // 1-based, radio groups only
    int16_t choiceCount = 0;
    std::array<int16_t, 6> resources{};
    bool enabled = true;
};

// Groups are numbered 1, 2, ... in the order the tool adds them.
struct ModeBar {
    std::vector<ModeGroup> groups;
    ModeGroup* Group(int32_t number) {
        return number >= 1 && number <= static_cast<int32_t>(groups.size()) ? &groups[number - 1] : nullptr;
    }
};

struct DataField {
    int32_t kind = 0;
    std::string label;  // bytes of the Pascal string, in the Mac OS Roman set
    std::optional<double> value;
    std::optional<double> length;
};

// Fields as the tool defines them, and what the user saw at the last refresh.
struct DataBar {
    std::map<int16_t, DataField> fields;
    std::map<int16_t, DataField> shown;
    int refreshes = 0;
};

struct ModifierKeys {
    bool first = false;   // duplicate; count up while picking
    bool second = false;  // repeat the last offset; count down while picking
    bool third = false;   // reverse the repeat
};

}  // namespace host
