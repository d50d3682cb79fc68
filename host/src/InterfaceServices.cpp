// Mode bar, message line, data bar, modifier keys and tool points.
#include <type_traits>

#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail::services {

void AddModeButton(Host& host, int16_t resource) {
    ModeGroup group;
    group.type = ModeGroup::Type::Button;
    group.resources[0] = resource;
    host.modeBar.groups.push_back(group);
}

void AddModeRadioGroup(Host& host, int16_t initialChoice, int16_t choiceCount, int16_t r1, int16_t r2, int16_t r3,
                       int16_t r4, int16_t r5, int16_t r6) {
    ModeGroup group;
    group.type = ModeGroup::Type::Radio;
    group.choice = initialChoice;
    group.choiceCount = choiceCount;
    group.resources = {r1, r2, r3, r4, r5, r6};
    host.modeBar.groups.push_back(group);
}

void EnableModeGroup(Host& host, int16_t group, Boolean enabled) {
    if (ModeGroup* g = host.modeBar.Group(group))
        g->enabled = enabled != 0;
    else
        host.Fault("KS_EnableModeGroup of group " + std::to_string(group) + ", which does not exist");
}

void SetMessageText(Host& host, const unsigned char* text) { host.messageLine = FromPascal(text); }

void ClearDataBar(Host& host) { host.dataBar.fields.clear(); }

void SetDataField(Host& host, int16_t field, int32_t kind, const unsigned char* label) {
    DataField value;
    value.kind = kind;
    value.label = FromPascal(label);
    host.dataBar.fields[field] = value;
}

void SetDataFieldValue(Host& host, int16_t field, double value, int16_t) {
    host.dataBar.fields[field].value = value;
    host.dataBar.shown[field].value = value;  // a value shows at once
}

void SetDataFieldLength(Host& host, int16_t field, const double* value) {
    if (value == nullptr) return;
    host.dataBar.fields[field].length = *value;
    host.dataBar.shown[field].length = *value;
}

void RefreshDataBar(Host& host, Boolean) {
    host.dataBar.shown = host.dataBar.fields;
    ++host.dataBar.refreshes;
}

void GetModifierKeys(Host& host, Boolean* first, Boolean* second, Boolean* third) {
    if (first) *first = host.keys.first ? 1 : 0;
    if (second) *second = host.keys.second ? 1 : 0;
    if (third) *third = host.keys.third ? 1 : 0;
    host.log.Note(host.log.Current(), std::string("keys ") + (host.keys.first ? "1" : "0") +
                                          (host.keys.second ? "1" : "0") + (host.keys.third ? "1" : "0"));
}

int32_t GetToolPointCount(Host& host) { return static_cast<int32_t>(host.points.picked.size()); }

namespace {
// Picked point `index`, or null (and a fault: the tool asked beyond the
// points picked so far).
const Point3D* Picked(Host& host, int32_t index, const char* function) {
    if (index < 0 || index >= static_cast<int32_t>(host.points.picked.size())) {
        host.Fault(std::string(function) + "(" + std::to_string(index) + ") beyond the picked points");
        return nullptr;
    }
    return &host.points.picked[static_cast<std::size_t>(index)];
}

template <class Point>
Boolean Answer(Host& host, Point* out, const Point3D* value) {
    if (out == nullptr || value == nullptr) return 0;
    if constexpr (std::is_same_v<Point, Point2D>)
        *out = Point2D(value->x, value->y);
    else
        *out = *value;
    host.log.Note(host.log.Current(), FormatPoint(*out));
    return 1;
}
}  // namespace

Boolean GetToolPoint(Host& host, int32_t index, Point2D* point) {
    return Answer(host, point, Picked(host, index, "KS_GetToolPoint"));
}

Boolean GetCurrentToolPoint(Host& host, Point2D* point) { return Answer(host, point, &host.points.cursor); }

Boolean GetToolPoint3D(Host& host, int32_t index, Point3D* point) {
    return Answer(host, point, Picked(host, index, "KS_GetToolPoint3D"));
}

Boolean GetCurrentToolPoint3D(Host& host, Point3D* point) { return Answer(host, point, &host.points.cursor); }

int32_t ToolBehaviorOneClick(Host& host) { return host.behavior.oneClick; }
int32_t ToolBehaviorTwoPoint(Host& host) { return host.behavior.twoPoint; }
int32_t ToolBehaviorMultiPoint(Host& host) { return host.behavior.multiPoint; }
int32_t ToolCompletionAllowed(Host& host) { return host.completionAllowed ? 1 : 0; }

}  // namespace host::detail::services
