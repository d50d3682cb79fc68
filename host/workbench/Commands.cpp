// The script commands. Each reads its arguments first (which is all the
// check before the run does) and then, with a runner, acts.
#include <cmath>
#include <sstream>

#include "host/Transcript.h"
#include "interface/ToolProtocol.h"
#include "workbench/Cursors.h"
#include "workbench/Runner.h"
#include "workbench/Story.h"

namespace workbench {

namespace {

using host::Object;

Object* Named(Runner& r, const std::string& name) {
    Object* object = r.Host().document.FindByName(name);
    if (object == nullptr) throw BadLine("nothing is called '" + name + "' any more");
    return object;
}

// Where a new object goes: "in CONTAINER", or the current container. The
// check has made sure that either exists.
Object* Container(Args& a, Runner* r) {
    std::string name;
    if (a.Keyword("in"))
        name = a.KnownContainer();
    else
        a.NeedLayer();
    if (r == nullptr) return nullptr;
    return name.empty() ? r->Host().document.CurrentContainer() : Named(*r, name);
}

Point3D ReadPoint(Args& a, bool allowZ) {
    const double x = a.Number("x");
    const double y = a.Number("y");
    double z = 0.0;
    if (allowZ && a.More()) z = a.Number("z");
    return Point3D(x, y, z);
}

void AddShape(Args& a, Runner* r, host::Kind kind, bool withHeight) {
    const std::string name = a.NewName();
    const double x1 = a.Number("x1"), y1 = a.Number("y1"), x2 = a.Number("x2"), y2 = a.Number("y2");
    const double height = withHeight ? a.Number("height") : 0.0;
    const double z = a.Keyword("z") ? a.Number("z") : 0.0;
    Object* parent = Container(a, r);
    if (r == nullptr) return;
    std::vector<Point3D> vertices;
    bool closed = true;
    if (kind == host::Kind::Line) {
        vertices = {{x1, y1, z}, {x2, y2, z}};
        closed = false;
    } else {
        const double left = std::fmin(x1, x2), right = std::fmax(x1, x2);
        const double bottom = std::fmin(y1, y2), top = std::fmax(y1, y2);
        vertices = {{left, bottom, z}, {right, bottom, z}, {right, top, z}, {left, top, z}};
    }
    r->Host().document.AddShape(parent, kind, name, std::move(vertices), closed, height);
}

void Layer(Args& a, Runner* r) {
    const std::string name = a.NewName(true);
    const int view = a.More() ? a.Choice("the view", {"plan", "space"}) : 0;
    a.State().layer = true;
    if (r) r->Host().document.AddLayer(name, view == 0 ? host::kPlanView : host::kSpaceView);
}

void Group(Args& a, Runner* r) {
    const std::string name = a.NewName(true);
    Object* parent = Container(a, r);
    if (r) r->Host().document.AddGroup(parent, name);
}

void WorkIn(Args& a, Runner* r) {
    const std::string name = a.KnownContainer();
    if (r) r->Host().document.SetCurrentContainer(Named(*r, name));
}

void AddLine(Args& a, Runner* r) { AddShape(a, r, host::Kind::Line, false); }
void Rect(Args& a, Runner* r) { AddShape(a, r, host::Kind::Rectangle, false); }
void Box(Args& a, Runner* r) { AddShape(a, r, host::Kind::Box, true); }

void Polyline(Args& a, Runner* r) {
    const std::string name = a.NewName();
    std::vector<Point3D> vertices;
    while (a.More() && a.Peek() != "in") {
        const double x = a.Number("x");
        vertices.push_back(Point3D(x, a.Number("y"), 0.0));
    }
    if (vertices.size() < 2) throw BadLine("a polyline needs at least two points");
    Object* parent = Container(a, r);
    if (r == nullptr) return;
    r->Host().document.AddShape(parent, host::Kind::Polyline, name, std::move(vertices), false);
}

void SelectObjects(Args& a, Runner* r, bool selected) {
    std::vector<std::string> names;
    bool all = false, none = false;
    while (a.More()) {
        if (a.Keyword("all"))
            all = true;
        else if (a.Keyword("none"))
            none = true;
        else
            names.push_back(a.KnownName());
    }
    if (!all && !none && names.empty()) throw BadLine("missing the objects to select");
    if (r == nullptr) return;
    host::Document& doc = r->Host().document;
    if (none) doc.ClearSelection();
    if (all)
        for (Object* object : doc.AllObjects()) doc.Select(object, selected);
    for (const std::string& name : names) doc.Select(Named(*r, name), selected);
}

void Select(Args& a, Runner* r) { SelectObjects(a, r, true); }
void Deselect(Args& a, Runner* r) { SelectObjects(a, r, false); }

void Version(Args& a, Runner* r) {
    if (a.State().tool)
        throw BadLine("the tool reads the host's version when it is chosen: put 'version' before 'tool'");
    const auto code = static_cast<int16_t>(a.Integer("the host code", -32768, 32767));
    const auto major = static_cast<uint8_t>(a.Integer("the major version", 0, 255));
    const auto minor = static_cast<uint8_t>(a.Integer("the minor version", 0, 255));
    const auto maintenance = static_cast<uint8_t>(a.More() ? a.Integer("the maintenance version", 0, 255) : 0);
    if (r) r->Host().version = {code, major, minor, maintenance};
}

void AlternateCursors(Args& a, Runner* r) {
    const int on = a.Choice("the setting", {"off", "on"});
    if (r) r->Host().variables[kHostSettingAltCursors] = {static_cast<uint8_t>(on)};
}

void Completion(Args& a, Runner* r) {
    const int allowed = a.Choice("the setting", {"refused", "allowed"});
    if (r) r->Host().completionAllowed = allowed == 1;
}

void Tool(Args& a, Runner* r) {
    a.State().tool = true;
    if (r) r->Session().ChooseTool();
}
void PutAway(Args&, Runner* r) {
    if (r) r->Session().PutAway();
}
void Dispose(Args&, Runner* r) {
    if (r) r->Session().Dispose();
}

void Mode(Args& a, Runner* r) {
    const int mode = a.Choice("the mode", {"span", "parts", "path"}) + 1;
    if (r) r->Session().ChangeMode(kGroupMode, mode);
}

void PlanChoice(Args& a, Runner* r) {
    const int choice = a.Choice("the choice", {"follow-view", "plan"}) + 1;
    if (r) r->Session().ChangeMode(kGroupPlanOrSpace, choice);
}

void CountButton(Args&, Runner* r) {
    if (r) r->Session().ChangeMode(kGroupCount, 0);
}

void Settings(Args&, Runner* r) {
    if (r) r->Session().EditSettings();
}

void Dialog(Args& a, Runner* r) {
    host::DialogAction action;
    const int what = a.Choice("the dialog action", {"type", "press"});
    if (what == 0) {
        action.type = host::DialogAction::Type::TypeNumber;
        action.item = kCountNumberItem;
        action.value = static_cast<int32_t>(a.Integer("the number", INT32_MIN, INT32_MAX));
        if (action.value > kCopyLimit && !a.State().largeCounts)
            throw Unconfirmed("a count of " + std::to_string(action.value) + " makes more than " +
                              std::to_string(kCopyLimit) + " copies of each object: run with --yes to allow it");
    } else {
        action.type = host::DialogAction::Type::Press;
        if (a.Keyword("ok"))
            action.item = host::kDefaultButton;
        else if (a.Keyword("cancel"))
            action.item = host::kCancelButton;
        else
            action.item = static_cast<int32_t>(a.Integer("the item", 1, 1000));
    }
    if (r) r->Host().dialogs.Script().push_back(action);
}

const std::vector<std::string> kKeyNames = {"duplicate", "repeat", "reverse"};

bool& Key(host::ModifierKeys& keys, int index) {
    return index == 0 ? keys.first : index == 1 ? keys.second : keys.third;
}

void Keys(Args& a, Runner* r) {
    host::ModifierKeys keys;
    if (!a.Keyword("none")) {
        if (!a.More()) throw BadLine("missing the keys held, or 'none'");
        while (a.More()) Key(keys, a.Choice("a key", kKeyNames)) = true;
    }
    if (r) r->Session().SetKeys(keys);
}

void PressOrRelease(Args& a, Runner* r, bool down) {
    const int key = a.Choice("the key", kKeyNames);
    if (r == nullptr) return;
    host::ModifierKeys keys = r->Host().keys;
    Key(keys, key) = down;
    r->Session().SetKeys(keys);
}

void Press(Args& a, Runner* r) { PressOrRelease(a, r, true); }
void Release(Args& a, Runner* r) { PressOrRelease(a, r, false); }

void Move(Args& a, Runner* r) {
    const Point3D p = ReadPoint(a, true);
    if (r) r->Session().MoveMouse(p);
}

void Click(Args& a, Runner* r) {
    const Point3D p = ReadPoint(a, true);
    if (r) r->Session().Click(p);
}

void Finish(Args&, Runner* r) {
    if (r && !r->Session().FinishPath()) r->Out() << "# no path can be finished now\n";
}

void Cancel(Args&, Runner* r) {
    if (r) r->Session().Cancel();
}

void Undo(Args&, Runner* r) {
    if (r && !r->Session().Undo()) r->Out() << "# nothing to undo\n";
}

void Redo(Args&, Runner* r) {
    if (r && !r->Session().Redo()) r->Out() << "# nothing to redo\n";
}

void View(Args& a, Runner* r) {
    const int view = a.Choice("the view", {"plan", "space"});
    if (r) r->Session().SetView(view == 0 ? host::kPlanView : host::kSpaceView);
}

std::string Number(double value) { return host::FormatNumber(value); }

void Expect(Args& a, Runner* r) {
    const int what =
        a.Choice("what to expect", {"cursor", "objects", "selected", "field", "undo", "message", "bounds", "picked"});
    long expectedCount = 0, field = 0;
    double fieldValue = 0.0;
    std::string text;
    double box[4] = {};
    switch (what) {
        case 0:
        case 1:
        case 2:
        case 7:
            expectedCount = a.Integer("the number", 0, 1000000);
            break;
        case 3:
            field = a.Integer("the field", 1, 32);
            fieldValue = a.Number("the value");
            break;
        case 4:
        case 5:
            text = a.Rest();
            break;
        default:
            for (double& v : box) v = a.Number("a bound");
    }
    if (r == nullptr) return;
    host::Host& h = r->Host();
    auto count = [&](const char* name, long actual) {
        if (actual != expectedCount)
            r->Fail(std::string("expected ") + name + " " + std::to_string(expectedCount) + ", got " +
                    std::to_string(actual));
    };
    switch (what) {
        case 0:
            if (const int32_t cursor = r->Session().Cursor(); cursor != expectedCount)
                r->Fail("expected cursor " + std::to_string(expectedCount) + " (" + CursorName(static_cast<int32_t>(expectedCount)) +
                        "), got " + std::to_string(cursor) + " (" + CursorName(cursor) + ")");
            break;
        case 1:
            count("objects", static_cast<long>(h.document.AllObjects().size()));
            break;
        case 2:
            count("selected", static_cast<long>(h.document.Selected().size()));
            break;
        case 7:
            count("picked", static_cast<long>(h.points.picked.size()));
            break;
        case 3: {
            auto it = h.dataBar.shown.find(static_cast<int16_t>(field));
            const bool has = it != h.dataBar.shown.end() && (it->second.value || it->second.length);
            const double actual = !has ? NAN : it->second.value ? *it->second.value : *it->second.length;
            if (!has || std::fabs(actual - fieldValue) > 1e-9) {
                const std::string label = FieldLabel(h, static_cast<int16_t>(field));
                r->Fail("expected field " + std::to_string(field) + (label.empty() ? "" : " (" + label + ")") + " " +
                        Number(fieldValue) + ", got " + (has ? Number(actual) : "nothing"));
            }
            break;
        }
        case 4: {
            const std::string actual =
                h.undo.Done().empty() ? "(none)" : host::MacRomanToDisplay(h.undo.Done().back().name);
            if (actual != text) r->Fail("expected undo step \"" + text + "\", got \"" + actual + "\"");
            break;
        }
        case 5: {
            const std::string actual = host::MacRomanToDisplay(h.messageLine);
            if (actual != text) r->Fail("expected message \"" + text + "\", got \"" + actual + "\"");
            break;
        }
        default: {
            const Rect2D b = h.document.SelectionBounds();
            const double actual[4] = {b.left, b.bottom, b.right, b.top};
            for (int i = 0; i < 4; ++i) {
                if (std::fabs(actual[i] - box[i]) > 1e-9) {
                    r->Fail("expected the selection's bounds " + Number(box[0]) + " " + Number(box[1]) + " " +
                            Number(box[2]) + " " + Number(box[3]) + ", got " + Number(actual[0]) + " " +
                            Number(actual[1]) + " " + Number(actual[2]) + " " + Number(actual[3]));
                    break;
                }
            }
        }
    }
}

}  // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"version", "version CODE MAJOR MINOR [MAINTENANCE]", "the host's version (before 'tool')", Version},
        {"alternate-cursors", "alternate-cursors on|off", "host setting 16: cursors drawn in white", AlternateCursors},
        {"completion", "completion allowed|refused", "whether the host lets an action complete", Completion},
        {"layer", "layer NAME [plan|space]", "adds a layer; the first one is where new objects go", Layer},
        {"group", "group NAME [in CONTAINER]", "adds a group", Group},
        {"work-in", "work-in CONTAINER", "makes a layer or group the current container", WorkIn},
        {"line", "line NAME X1 Y1 X2 Y2 [z Z] [in CONTAINER]", "adds a line", AddLine},
        {"rect", "rect NAME X1 Y1 X2 Y2 [z Z] [in CONTAINER]", "adds a rectangle", Rect},
        {"box", "box NAME X1 Y1 X2 Y2 HEIGHT [z Z] [in CONTAINER]", "adds a box standing on the rectangle", Box},
        {"polyline", "polyline NAME X Y X Y ... [in CONTAINER]", "adds an open polyline", Polyline},
        {"select", "select NAME ...|all|none", "selects objects (none: clears the selection)", Select},
        {"deselect", "deselect NAME ...|all", "deselects objects", Deselect},
        {"tool", "tool", "chooses the tool: creates it when needed and sets it up", Tool},
        {"put-away", "put-away", "puts the tool away (set-down)", PutAway, true},
        {"dispose", "dispose", "disposes of the tool's settings", Dispose, true},
        {"mode", "mode span|parts|path", "chooses a mode in the mode bar", Mode, true},
        {"plan-choice", "plan-choice follow-view|plan", "the mode bar's plan/space choice", PlanChoice, true},
        {"count-button", "count-button", "presses the mode bar's count button (opens the dialog)", CountButton, true},
        {"settings", "settings", "asks for the tool's settings (opens the count dialog)", Settings, true},
        {"dialog", "dialog type N | dialog press ok|cancel|ITEM", "queues what the user does in the next dialog",
         Dialog},
        {"keys", "keys duplicate|repeat|reverse ... | keys none", "holds exactly these modifier keys", Keys, true},
        {"press", "press duplicate|repeat|reverse", "presses one modifier key", Press, true},
        {"release", "release duplicate|repeat|reverse", "releases one modifier key", Release, true},
        {"move", "move X Y [Z]", "moves the mouse", Move, true},
        {"click", "click X Y [Z]", "moves the mouse there and clicks", Click, true},
        {"finish", "finish", "finishes the path being picked", Finish, true},
        {"cancel", "cancel", "abandons the action in progress", Cancel, true},
        {"undo", "undo", "undoes the last operation", Undo, true},
        {"redo", "redo", "redoes what was undone last", Redo, true},
        {"view", "view plan|space", "switches the current layer's view", View, true},
        {"expect",
         "expect cursor|objects|selected|picked N | field F V | undo TEXT | message TEXT | bounds X1 Y1 X2 Y2",
         "checks the state; a failed check makes the run fail", Expect},
    };
    return commands;
}

}  // namespace workbench
