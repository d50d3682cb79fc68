// The host's side of a tool action: how it asks the tool the way points are
// collected, reports mouse movements, clicks and keys, keeps the tool's
// preview on screen, and completes the action.
//
// The protocol, as the substitute host follows it:
//
// * Choosing the tool clears the tool's interface, creates the settings
//   record (event 1) when the tool has none, sets the tool up (event 3) and
//   asks for the cursor (event 5).
// * A mouse movement, while points are picked: erase the preview at the old
//   position (event 103: drawing the same figure again removes it), move the
//   cursor, draw the preview at the new position (event 103), then ask for
//   the cursor (event 5). The cursor event may itself erase and redraw the
//   preview around a count step; it always finds the current preview on
//   screen. Without points only the cursor moves and the cursor is asked.
// * A key change asks for the cursor again.
// * A click: the mouse moves there first. At the start of an action the host
//   asks how the tool collects points (event 105): its answer is one of the
//   values of KS_ToolBehaviorOneClick, ...TwoPoint, ...MultiPoint; anything
//   else leaves the click unused. The preview is erased, the point is added
//   and the click is reported (event 100). Reply 9 refuses it: the point is
//   taken back and the action ends. A one-click action completes at once, a
//   two-point action at its second point. In a series of points the host
//   asks after each click (event 102): reply 2 means the path cannot end yet,
//   8 that it may be finished. An action that goes on gets its preview drawn
//   (event 103) and the cursor asked for.
// * Completion: the preview is off screen; event 104 is sent, the picked
//   points are forgotten and the cursor is asked for.
// * Reply 8 to the cursor event means the tool switched between plan and
//   space and chose no cursor: the host asks once more.
// * Mode-bar changes (event 7) and the count dialog (event 8) can change the
//   preview, so while points are picked the host erases it before and draws
//   it again after.
// * A change of view repaints the drawing, which drops all feedback, and
//   abandons the action in progress.
#pragma once

#include <string>

#include "host/Host.h"

namespace host {

class Session {
public:
    enum class Collect { None, OneClick, TwoPoint, MultiPoint };

    explicit Session(Host& host) : fHost(host) {}

    void ChooseTool();
    void PutAway();  // event 4
    void Dispose();  // event 2

    void SetKeys(const ModifierKeys& keys);
    void MoveMouse(const Point3D& position);
    void Click(const Point3D& position);
    // Completes a series of points; false when none can be finished now.
    bool FinishPath();
    // Abandons the action in progress.
    void Cancel();

    // A change in the mode bar: the host marks the choice and tells the tool.
    void ChangeMode(int32_t group, int32_t choice);
    // The tool's settings (the count dialog).
    void EditSettings();
    // Sets the view kind of the current container's layer, as when the user
    // switches between a plan and a view in space.
    void SetView(int16_t viewKind);

    bool Undo();
    bool Redo();

    int32_t Cursor() const { return fCursor; }
    Collect Collecting() const { return fCollect; }
    bool Picking() const { return !fHost.points.picked.empty(); }
    bool PreviewShown() const { return fPreview; }
    bool CanFinish() const { return fCanFinish; }

private:
    int32_t Send(int32_t event, int32_t message1 = 0, int32_t message2 = 0);
    void Note(const std::string& text);
    void AskCursor();
    void TogglePreview();
    void ErasePreview();
    void Complete();
    void EndAction();

    Host& fHost;
    int32_t fCursor = 0;
    Collect fCollect = Collect::None;
    bool fPreview = false;
    bool fCanFinish = false;
};

}  // namespace host
