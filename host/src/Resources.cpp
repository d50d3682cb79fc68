#include "host/Resources.h"

namespace host {

Resources::Resources() {
    // Messages of the tool.
    fStrings[{20001, 1}] = "Select the objects to move or duplicate first.";
    fStrings[{20001, 2}] = "Span: click the start and the end of the offset.";
    fStrings[{20001, 3}] = "Parts: click the start and the end of the span to divide.";
    fStrings[{20001, 4}] = "Path: click the vertices of the path, then finish it.";
    // The count dialog.
    fStrings[{20002, 1}] = "Copies and Parts";
    fStrings[{20002, 2}] = "OK";
    fStrings[{20002, 3}] = "Cancel";
    fStrings[{20002, 4}] = "Copies or parts:";
    fStrings[{20002, 5}] = "Use this number of copies or parts.";
    fStrings[{20002, 6}] = "Keep the number as it was.";
    fStrings[{20002, 7}] = "How many copies to make, or parts to divide the span into (1 or more).";
    // Undo-step names.
    fStrings[{20003, 1}] = "Move/Duplicate";
    fStrings[{20003, 2}] = "Move/Duplicate in Parts";
    fStrings[{20003, 3}] = "Duplicate along Path";

    fModeLabels = {{11001, "Span"},     {11002, "Parts"},       {11003, "Path"},
                   {11004, "Count..."}, {11005, "Follow View"}, {11006, "Plan"}};
}

std::string Resources::String(int16_t list, int16_t index) const {
    auto it = fStrings.find({list, index});
    return it == fStrings.end() ? std::string() : it->second;
}

void Resources::SetString(int16_t list, int16_t index, std::string text) { fStrings[{list, index}] = std::move(text); }

std::string Resources::ModeLabel(int16_t resource) const {
    auto it = fModeLabels.find(resource);
    return it == fModeLabels.end() ? std::to_string(resource) : it->second;
}

}  // namespace host
