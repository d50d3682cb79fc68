#include "host/Session.h"

#include "interface/ToolProtocol.h"
#include "src/Serve.h"

namespace host {

namespace {

// What a person sees of an item: a button's or text's words, for a field the
// text it stands beside.
std::string ItemName(const Dialog* dialog, int32_t item) {
    if (dialog == nullptr || dialog->items.count(item) == 0) return "item " + std::to_string(item);
    const DialogItem& it = dialog->items.at(item);
    if (it.type == DialogItem::Type::IntegerField && dialog->items.count(it.rightOf))
        return "\"" + MacRomanToDisplay(dialog->items.at(it.rightOf).text) + "\"";
    if (it.type == DialogItem::Type::IntegerField) return "field " + std::to_string(item);
    return it.type == DialogItem::Type::Button ? MacRomanToDisplay(it.text)
                                               : "\"" + MacRomanToDisplay(it.text) + "\"";
}

int32_t Number(const std::string& text, const std::string& after) {
    const std::size_t at = text.find(after);
    if (at == std::string::npos) return 0;
    try {
        return std::stoi(text.substr(at + after.size()));
    } catch (const std::exception&) {
        return 0;
    }
}

// One line of the dialogs' history as the transcript tells it.
std::string DialogStory(Dialogs& dialogs, const std::string& line, const Dialog*& open) {
    if (line.rfind("dialog \"", 0) == 0) {
        const std::string title = line.substr(8, line.rfind('"') - 8);
        open = nullptr;
        // The newest dialog of that title is the one running.
        for (int32_t id = 1; dialogs.Find(id) != nullptr; ++id)
            if (dialogs.Find(id)->title == title) open = dialogs.Find(id);
        std::string items;
        if (open != nullptr)
            for (const auto& [number, item] : open->items)
                if (item.type != DialogItem::Type::StaticText)
                    items += (items.empty() ? ": " : ", ") + ItemName(open, number);
        return "dialog \"" + title + "\" opens" + items;
    }
    if (line.find("types ") != std::string::npos)
        return "  types " + std::to_string(Number(line, "types ")) + " into " + ItemName(open, Number(line, "into item "));
    if (line.find("presses item ") != std::string::npos) return "  presses " + ItemName(open, Number(line, "item "));
    if (line.find("closes with item ") != std::string::npos) {
        std::string fields;
        if (open != nullptr && Number(line, "item ") == kDefaultButton)
            for (const auto& [number, item] : open->items)
                if (item.type == DialogItem::Type::IntegerField)
                    fields += ", " + ItemName(open, number) + " " + std::to_string(item.value);
        return "  closed with " + ItemName(open, Number(line, "item ")) + fields;
    }
    if (line.find("refused") != std::string::npos) return "  refused: the dialog stays open";
    if (line.find("no scripted action left") != std::string::npos)
        return "  warning: no dialog action left in the script: the dialog is cancelled";
    return line;
}

}  // namespace

int32_t Session::Send(int32_t event, int32_t message1, int32_t message2) {
    const std::size_t told = fHost.dialogs.history.size();
    const int32_t reply = fHost.SendEvent(event, message1, message2);
    const Dialog* open = nullptr;
    for (std::size_t i = told; i < fHost.dialogs.history.size(); ++i)
        Note(DialogStory(fHost.dialogs, fHost.dialogs.history[i], open));
    return reply;
}

void Session::Note(const std::string& text) {
    LogEntry entry;
    entry.type = LogEntry::Type::Note;
    entry.name = text;
    fHost.log.Finish(fHost.log.Begin(std::move(entry)), "");
}

void Session::AskCursor() {
    int32_t reply = Send(kToolEventGetCursor);
    if (reply == kReplyStateChanged) reply = Send(kToolEventGetCursor);
    if (reply != kReplyStateChanged) fCursor = reply;
}

void Session::TogglePreview() {
    Send(kToolEventDraw);
    fPreview = !fPreview;
}

void Session::ErasePreview() {
    if (fPreview) TogglePreview();
}

void Session::ChooseTool() {
    Note("the tool is chosen");
    fHost.ResetToolInterface();
    if (fHost.UserData() == nullptr && Send(kToolEventCreate) != 0) {
        Note("the tool could not create its settings");
        return;
    }
    Send(kToolEventSetUp);
    AskCursor();
}

void Session::PutAway() {
    Cancel();
    Send(kToolEventSetDown);
}

void Session::Dispose() {
    Cancel();
    Send(kToolEventDispose);
}

void Session::SetKeys(const ModifierKeys& keys) {
    fHost.keys = keys;
    AskCursor();
}

void Session::MoveMouse(const Point3D& position) {
    ErasePreview();
    fHost.points.cursor = position;
    if (Picking()) TogglePreview();
    AskCursor();
}

void Session::Click(const Point3D& position) {
    MoveMouse(position);
    if (!Picking()) {
        const int32_t behavior = Send(kToolEventGetBehavior);
        if (behavior == fHost.behavior.oneClick)
            fCollect = Collect::OneClick;
        else if (behavior == fHost.behavior.twoPoint)
            fCollect = Collect::TwoPoint;
        else if (behavior == fHost.behavior.multiPoint)
            fCollect = Collect::MultiPoint;
        else {
            Note("the tool gave no way to collect points: the click is not used");
            return;
        }
    }
    ErasePreview();
    fHost.points.picked.push_back(position);
    if (Send(kToolEventClick) == kReplyNothingSelected) {
        Note("the tool refused the click");
        EndAction();
        AskCursor();
        return;
    }

    bool complete = false;
    switch (fCollect) {
        case Collect::OneClick:
            complete = true;
            break;
        case Collect::TwoPoint:
            complete = fHost.points.picked.size() >= 2;
            break;
        case Collect::MultiPoint:
            fCanFinish = Send(kToolEventPointQuery) != kReplyOnePointPicked;
            break;
        case Collect::None:
            break;
    }
    if (complete) {
        Complete();
    } else {
        TogglePreview();
        AskCursor();
    }
}

bool Session::FinishPath() {
    if (fCollect != Collect::MultiPoint || !fCanFinish) return false;
    ErasePreview();
    Complete();
    return true;
}

void Session::Complete() {
    Send(kToolEventComplete);
    EndAction();
    AskCursor();
}

void Session::EndAction() {
    fHost.points.picked.clear();
    fCollect = Collect::None;
    fCanFinish = false;
}

void Session::Cancel() {
    ErasePreview();
    EndAction();
}

void Session::ChangeMode(int32_t group, int32_t choice) {
    if (ModeGroup* g = fHost.modeBar.Group(group); g != nullptr && g->type == ModeGroup::Type::Radio)
        g->choice = static_cast<int16_t>(choice);
    const bool redraw = fPreview;
    ErasePreview();
    Send(kToolEventModeBar, group, choice);
    if (redraw) TogglePreview();
    AskCursor();
}

void Session::EditSettings() {
    const bool redraw = fPreview;
    ErasePreview();
    Send(kToolEventSettings);
    if (redraw) TogglePreview();
    AskCursor();
}

void Session::SetView(int16_t viewKind) {
    Object* layer = Document::LayerOf(fHost.document.CurrentContainer());
    if (layer == nullptr) return;
    layer->viewKind = viewKind;
    // The drawing is repainted: the feedback is gone and the action with it.
    fHost.feedback.Clear();
    fPreview = false;
    EndAction();
    AskCursor();
}

bool Session::Undo() {
    Cancel();
    const bool done = fHost.undo.Undo(fHost.document);
    AskCursor();
    return done;
}

bool Session::Redo() {
    Cancel();
    const bool done = fHost.undo.Redo(fHost.document);
    AskCursor();
    return done;
}

}  // namespace host
