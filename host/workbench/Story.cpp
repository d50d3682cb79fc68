#include "workbench/Story.h"

#include <cstdio>
#include <set>
#include <vector>

#include "host/Transcript.h"
#include "interface/ToolProtocol.h"

namespace workbench {

namespace {

using host::FormatNumber;
using host::Object;

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Where an object starts: its lowest corner in space.
Point3D Corner(const Object& object) {
    const Cube3D c = host::Document::SpaceBounds(object);
    return Point3D(c.minX, c.minY, c.minZ);
}

Point3D Corner(const std::vector<Point3D>& vertices) {
    Point3D corner = vertices.front();
    for (const Point3D& v : vertices) {
        corner.x = std::min(corner.x, v.x);
        corner.y = std::min(corner.y, v.y);
        corner.z = std::min(corner.z, v.z);
    }
    return corner;
}

Point3D Minus(const Point3D& a, const Point3D& b) { return Point3D(a.x - b.x, a.y - b.y, a.z - b.z); }

bool Same(const Point3D& a, const Point3D& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

std::string StepsText(const std::vector<Point3D>& steps, const char* one, const char* many) {
    bool even = true;
    for (const Point3D& s : steps) even = even && Same(s, steps.front());
    if (even) return std::string(one) + " " + OffsetText(steps.front());
    std::string text = many;
    const std::size_t shown = std::min<std::size_t>(steps.size(), 6);
    for (std::size_t i = 0; i < shown; ++i) text += " " + OffsetText(steps[i]);
    if (shown < steps.size()) text += " ... (" + std::to_string(steps.size()) + " in all)";
    return text;
}

}  // namespace

std::string OffsetText(const Point3D& offset) {
    std::string text = "(" + FormatNumber(offset.x) + ", " + FormatNumber(offset.y);
    if (offset.z != 0.0) text += ", " + FormatNumber(offset.z);
    return text + ")";
}

std::string OperationText(const host::UndoStep& step, std::optional<double> seconds) {
    std::vector<std::string> parts;
    if (!step.created.empty()) {
        // A copy is inserted right after the object it was duplicated from:
        // the first copies of a chain give the steps.
        const std::set<const Object*> created(step.created.begin(), step.created.end());
        std::vector<Point3D> steps;
        for (const Object* copy : step.created) {
            const Object* source = host::Document::Previous(copy);
            if (source == nullptr) continue;
            if (!steps.empty() && !created.count(source)) break;  // the next object's chain
            Point3D from = Corner(*source);
            for (const auto& [moved, state] : step.moved)
                if (moved == source && !state.vertices.empty()) from = Corner(state.vertices);
            steps.push_back(Minus(Corner(*copy), from));
        }
        std::string text = Plural(step.created.size(), "copy made", "copies made");
        if (!steps.empty()) text += ", " + StepsText(steps, "step", "steps");
        parts.push_back(text);
    }
    if (!step.moved.empty()) {
        std::vector<Point3D> offsets;
        for (const auto& [object, state] : step.moved)
            if (!state.vertices.empty() && !object->vertices.empty())
                offsets.push_back(Minus(Corner(object->vertices), Corner(state.vertices)));
        std::string text = Plural(step.moved.size(), "object moved", "objects moved");
        if (!offsets.empty()) text += " " + StepsText(offsets, "by", "by");
        parts.push_back(text);
    }
    std::string text;
    for (const std::string& p : parts) text += (text.empty() ? "" : "; ") + p;
    if (text.empty()) text = "nothing changed";
    if (seconds) {
        char took[32];
        std::snprintf(took, sizeof took, ", in %.2f s", *seconds);
        text += took;
    }
    return text + " (undo step \"" + host::MacRomanToDisplay(step.name) + "\")";
}

std::string UndoText(const host::UndoStep& step, bool redo) {
    std::string text = std::string(redo ? "redone" : "undone") + ": \"" + host::MacRomanToDisplay(step.name) + "\"";
    std::vector<std::string> parts;
    if (!step.created.empty())
        parts.push_back(Plural(step.created.size(), redo ? "copy made again" : "copy taken away",
                               redo ? "copies made again" : "copies taken away"));
    if (!step.moved.empty())
        parts.push_back(Plural(step.moved.size(), redo ? "object moved again" : "object put back",
                               redo ? "objects moved again" : "objects put back"));
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? " (" : ", ") + parts[i];
    return parts.empty() ? text : text + ")";
}

bool CompletedSince(const host::CallLog& log, std::size_t from) {
    const auto& entries = log.Entries();
    for (std::size_t i = from; i < entries.size(); ++i)
        if (entries[i].type == host::LogEntry::Type::Event && entries[i].depth == 0 &&
            entries[i].selector == kToolEventComplete)
            return true;
    return false;
}

std::string FieldLabel(const host::Host& host, int16_t field) {
    auto it = host.dataBar.shown.find(field);
    return it == host.dataBar.shown.end() ? std::string() : host::MacRomanToDisplay(it->second.label);
}

std::string DataBarText(const host::Host& host) {
    std::string text;
    for (const auto& [field, value] : host.dataBar.shown) {
        if (!value.value && !value.length) continue;
        const std::string label = host::MacRomanToDisplay(value.label);
        text += (text.empty() ? "" : ", ") + (label.empty() ? "field " + std::to_string(field) + ":" : label) + " " +
                FormatNumber(value.value ? *value.value : *value.length);
    }
    return text;
}

}  // namespace workbench
