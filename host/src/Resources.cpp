#include "host/Resources.h"

#include "interface/ToolProtocol.h"

namespace host {

Resources::Resources() {
    // Messages of the tool.
    constexpr int16_t kMessages = kMessageStrings;
    fStrings[{kMessages, kMessageNothingSelected}] = "Select the objects to move or duplicate first.";
    fStrings[{kMessages, kMessageFirstMode + kModeSpan - 1}] = "Span: click the start and the end of the offset.";
    fStrings[{kMessages, kMessageFirstMode + kModeParts - 1}] =
        "Parts: click the start and the end of the span to divide.";
    fStrings[{kMessages, kMessageFirstMode + kModePath - 1}] = "Path: click the vertices of the path, then finish it.";
    // The count dialog.
    constexpr int16_t kDialog = kCountDialogStrings;
    fStrings[{kDialog, kCountDialogTitle}] = "Copies and Parts";
    fStrings[{kDialog, kCountDialogDefaultText}] = "OK";
    fStrings[{kDialog, kCountDialogCancelText}] = "Cancel";
    fStrings[{kDialog, kCountDialogLabel}] = "Copies or parts:";
    fStrings[{kDialog, kCountDialogDefaultHelp}] = "Use this number of copies or parts.";
    fStrings[{kDialog, kCountDialogCancelHelp}] = "Keep the number as it was.";
    fStrings[{kDialog, kCountDialogNumberHelp}] =
        "How many copies to make, or parts to divide the span into (1 or more).";
    // Undo-step names.
    fStrings[{kUndoNameStrings, kUndoNameSpan}] = "Move/Duplicate";
    fStrings[{kUndoNameStrings, kUndoNameParts}] = "Move/Duplicate in Parts";
    fStrings[{kUndoNameStrings, kUndoNamePath}] = "Duplicate along Path";

    fModeLabels = {{kModeSpanResource, "Span"},          {kModePartsResource, "Parts"},
                   {kModePathResource, "Path"},          {kCountButtonResource, "Count..."},
                   {kFollowViewResource, "Follow View"}, {kPlanResource, "Plan"}};
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
