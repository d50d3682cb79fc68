#include "host/Session.h"

#include "src/Serve.h"

namespace host {

namespace {
constexpr int32_t kCreate = 1, kDispose = 2, kSetUp = 3, kSetDown = 4, kCursor = 5, kModeBar = 7, kSettings = 8,
                  kClick = 100, kPointQuery = 102, kDraw = 103, kComplete = 104, kBehavior = 105;
constexpr int32_t kRefused = 9;
constexpr int32_t kStateChanged = 8;
constexpr int32_t kMayNotEndYet = 2;
}  // namespace

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
    int32_t reply = Send(kCursor);
    if (reply == kStateChanged) reply = Send(kCursor);
    if (reply != kStateChanged) fCursor = reply;
}

void Session::TogglePreview() {
    Send(kDraw);
    fPreview = !fPreview;
}

void Session::ErasePreview() {
    if (fPreview) TogglePreview();
}

void Session::ChooseTool() {
    Note("the tool is chosen");
    fHost.ResetToolInterface();
    if (fHost.UserData() == nullptr && Send(kCreate) != 0) {
        Note("the tool could not create its settings");
        return;
    }
    Send(kSetUp);
    AskCursor();
}

void Session::PutAway() {
    Cancel();
    Send(kSetDown);
}

void Session::Dispose() {
    Cancel();
    Send(kDispose);
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
        const int32_t behavior = Send(kBehavior);
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
    if (Send(kClick) == kRefused) {
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
            fCanFinish = Send(kPointQuery) != kMayNotEndYet;
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
    Send(kComplete);
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
    Send(kModeBar, group, choice);
    if (redraw) TogglePreview();
    AskCursor();
}

void Session::EditSettings() {
    const bool redraw = fPreview;
    ErasePreview();
    Send(kSettings);
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
