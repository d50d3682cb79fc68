#include "host/Session.h"

#include "interface/ToolProtocol.h"
#include "src/Serve.h"

namespace host {

int32_t Session::Send(int32_t event, int32_t message1, int32_t message2) {
    return fHost.SendEvent(event, message1, message2);
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
