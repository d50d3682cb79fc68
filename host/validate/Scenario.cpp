// One scenario: a drawing, a hostile host of the scenario's family, a user's
// session (or a stream of raw events) against the plug-in, and the checks
// that hold after every step and at the end.
#include "validate/Scenario.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <set>

#include "Hostile.h"
#include "host/Host.h"
#include "host/Session.h"
#include "host/Transcript.h"
#include "interface/HostFunctions.h"
#include "interface/ToolProtocol.h"

namespace validate {

namespace {

namespace sel = ks::selector;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---- the drawing as undo must put it back ------------------------------------------

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct ObjectRecord {
    int id = 0;
    int parent = 0;
    std::vector<uint64_t> geometry;  // the bits of every coordinate and the height
    bool selected = false;
    bool operator==(const ObjectRecord&) const = default;
};
using Drawing = std::vector<ObjectRecord>;

Drawing Snap(const host::Document& document) {
    Drawing drawing;
    for (const host::Object* o : document.AllObjects()) {
        ObjectRecord r;
        r.id = o->id;
        r.parent = o->parent != nullptr ? o->parent->id : 0;
        for (const Point3D& v : o->vertices) r.geometry.insert(r.geometry.end(), {Bits(v.x), Bits(v.y), Bits(v.z)});
        r.geometry.push_back(Bits(o->height));
        r.selected = o->selected;
        drawing.push_back(std::move(r));
    }
    return drawing;
}

std::string Difference(const Drawing& expected, const Drawing& got) {
    if (expected.size() != got.size())
        return std::to_string(got.size()) + " objects where there were " + std::to_string(expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].id != got[i].id) return "object #" + std::to_string(got[i].id) + " in the place of #" +
                                                std::to_string(expected[i].id);
        if (expected[i].geometry != got[i].geometry) return "object #" + std::to_string(got[i].id) + " lies elsewhere";
        if (expected[i] != got[i]) return "object #" + std::to_string(got[i].id) + " is selected otherwise";
    }
    return "no difference";
}

// ---- faults a host's own lack explains ---------------------------------------------

// A fault that the host function `noticedBy` found is the host's own doing
// when one of `needed` was withheld: the plug-in could not have done better.
struct Needs {
    int32_t noticedBy;  // -1: the host itself, after an event
    std::vector<int32_t> needed;
};
const std::vector<Needs>& NeedsTable() {
    static const std::vector<Needs> kNeeds = {
        {sel::kEnableModeGroup, {sel::kAddModeRadioGroup, sel::kAddModeButton}},
        {sel::kSetItemHelpText, {sel::kAddStaticText, sel::kAddIntegerField}},
        {sel::kSetDialogItemLong, {sel::kAddIntegerField}},
        {sel::kRunDialog, {sel::kAddStaticText, sel::kAddIntegerField, sel::kSetFirstLayoutItem, sel::kPlaceItemRightOf}},
        {sel::kNameUndoStep, {sel::kBeginUndoStep}},
        {sel::kUndoRecordMove, {sel::kBeginUndoStep}},
        {sel::kUndoRecordMove3D, {sel::kBeginUndoStep}},
        {sel::kUndoRecordNewObject, {sel::kBeginUndoStep, sel::kInsertObjectAfter}},
        {sel::kMoveObject, {sel::kBeginUndoStep, sel::kUndoRecordMove, sel::kUndoRecordNewObject}},
        {sel::kMoveObject3D, {sel::kBeginUndoStep, sel::kUndoRecordMove3D, sel::kUndoRecordNewObject}},
        {-1, {sel::kInsertObjectAfter}},
    };
    return kNeeds;
}

bool Excused(const host::Host::FaultOrigin& origin, const std::bitset<host::kSelectorCount>& withheld,
             bool inOrder) {
    if (origin.kind == host::FaultKind::Callbacks || origin.kind == host::FaultKind::NonFinite) return false;
    // A host that sends mode-bar events before the set-up that builds the
    // mode bar hears about groups it never got.
    if (!inOrder && origin.selector == sel::kEnableModeGroup) return true;
    for (const Needs& n : NeedsTable())
        if (n.noticedBy == origin.selector)
            for (int32_t needed : n.needed)
                if (withheld.test(static_cast<std::size_t>(needed))) return true;
    return false;
}

Check CheckOf(host::FaultKind kind) {
    switch (kind) {
        case host::FaultKind::Undo: return Check::Undo;
        case host::FaultKind::Callbacks: return Check::Callbacks;
        case host::FaultKind::NonFinite: return Check::NonFinite;
        case host::FaultKind::Protocol: break;
    }
    return Check::Protocol;
}

// ---- the answers at the edges, in turn ------------------------------------------------

struct EdgeCase {
    const char* name;
    int level;
    void (*apply)(Hostility&, host::Host&);
};

void LiePointCount(Hostility& h, int32_t count) {
    h.lieAboutPointCount = true;
    h.pointCount = count;
    h.steady = h.coherent = false;  // the host's preview no longer follows its points
}
void EdgeCoordinate(Hostility& h, double value) {
    h.edgeCoordinates = {value};
    h.edgeOnEveryAnswer = true;
}

const EdgeCase kEdges[] = {
    {"point count -1", 2, [](Hostility& h, host::Host&) { LiePointCount(h, -1); }},
    {"point count 0", 2, [](Hostility& h, host::Host&) { LiePointCount(h, 0); }},
    {"point count 1", 2, [](Hostility& h, host::Host&) { LiePointCount(h, 1); }},
    {"point count 2", 2, [](Hostility& h, host::Host&) { LiePointCount(h, 2); }},
    {"host version 0", 2, [](Hostility&, host::Host& host) { host.version = {0, 0, 0, 0}; }},
    {"host version 255", 2, [](Hostility&, host::Host& host) { host.version = {255, 255, 255, 255}; }},
    {"host code 1, version 255.255", 2, [](Hostility&, host::Host& host) { host.version = {1, 255, 255, 255}; }},
    {"odd dialogs", 2, [](Hostility& h, host::Host&) { h.oddDialogs = true; }},
    {"duplication failing at random", 2, [](Hostility& h, host::Host&) { h.nullDuplicatePercent = 30; }},
    {"point count huge", 5, [](Hostility& h, host::Host&) { LiePointCount(h, INT_MAX); }},
    {"point count 10^6", 5, [](Hostility& h, host::Host&) { LiePointCount(h, 1000000); }},
    {"point counts changing on every call", 5,
     [](Hostility& h, host::Host&) {
         h.pointCountEachCall = true;
         LiePointCount(h, 0);
     }},
    {"coordinates NaN", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, kNaN); }},
    {"coordinates +infinity", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, kInf); }},
    {"coordinates -infinity", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, -kInf); }},
    {"coordinates 1e308", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, 1e308); }},
    {"coordinates -1e308", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, -1e308); }},
    {"coordinates subnormal", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, 4.9e-324); }},
    {"coordinates -0.0", 5, [](Hostility& h, host::Host&) { EdgeCoordinate(h, -0.0); }},
    {"coordinates at random edges", 5,
     [](Hostility& h, host::Host&) {
         h.edgeCoordinates = {kNaN, kInf, -kInf, 1e308, -1e308, 4.9e-324, -0.0};
         h.edgePercent = 30;
         h.steady = h.coherent = false;
     }},
    {"null container", 5, [](Hostility& h, host::Host&) { h.nullContainer = true; }},
    {"null parents", 5, [](Hostility& h, host::Host&) { h.nullParent = true; }},
    {"null duplicates", 5, [](Hostility& h, host::Host&) { h.nullDuplicatePercent = 100; }},
    {"allocation 1 failing", 5, [](Hostility& h, host::Host&) { h.allocationFailsAt = 1; }},
    {"allocation 2 failing", 5, [](Hostility& h, host::Host&) { h.allocationFailsAt = 2; }},
    {"allocation 3 failing", 5, [](Hostility& h, host::Host&) { h.allocationFailsAt = 3; }},
    {"keys changing between every call", 5,
     [](Hostility& h, host::Host&) {
         h.keysFlicker = true;
         h.steady = false;
     }},
};

std::string Number(double value) { return host::FormatNumber(value); }
std::string Point(const Point3D& p) { return "(" + Number(p.x) + ", " + Number(p.y) + ", " + Number(p.z) + ")"; }

class Scenario {
public:
    Scenario(const PluginSource& plugin, Family family, int strictness, int64_t turn, Choices& choices,
             std::ostream* verbose, void (*announce)(const std::string&))
        : fPlugin(plugin),
          fStrictness(strictness),
          fTurn(turn),
          fChoices(choices),
          fVerbose(verbose),
          fAnnounce(announce) {
        fOutcome.family = family;
    }

    Outcome Run();

private:
    bool Checked(Check check) const { return InfoOf(check).level <= fStrictness; }
    void Add(Check check, std::string what);
    void Load(host::Host& host);
    void BuildDrawing(host::Host& host);
    void Configure();
    void WithholdSelectors();
    void ApplyEdges();

    void Session();
    void RandomEvents();
    template <class Action>
    void Step(const std::string& said, bool completes, Action action);
    void CheckOperation(const Drawing& before, std::size_t stepsBefore, std::size_t objectsBefore,
                        std::size_t selectedBefore);
    void CheckSteadyCursor();
    void PutAway();
    void Dispose();
    void CheckDisposed(host::Host& host, const char* whose);
    void Reenter();
    void Collect(host::Host& host, const std::string& whose);

    Point3D Anywhere();
    host::ModifierKeys AnyKeys();
    void SetKeys(const host::ModifierKeys& keys);
    void SelectSome(host::Host& host);

    PluginSource fPlugin;
    int fStrictness;
    int64_t fTurn;  // which case of the family's table, or -1 to choose one
    Choices& fChoices;
    std::ostream* fVerbose;
    void (*fAnnounce)(const std::string&);
    Outcome fOutcome;
    Hostility fHostility;
    bool fSpace = false;
    host::Host fHost;
    std::unique_ptr<host::Session> fSession;
    std::unique_ptr<Interposer> fInterposer;
    std::unique_ptr<host::Host> fNested;  // the host of the re-entered tool
    std::set<std::string> fSaid;          // each fault once
};

void Scenario::Add(Check check, std::string what) {
    if (!Checked(check) || fOutcome.faults.size() >= 12 || !fSaid.insert(what).second) return;
    fOutcome.faults.push_back({check, std::move(what)});
}

void Scenario::Load(host::Host& host) {
    if (fPlugin.entry != nullptr)
        host.AttachPlugin(fPlugin.entry);
    else
        host.LoadPlugin(fPlugin.path);
    host.log.enabled = fVerbose != nullptr;
    host.checkLookups = fStrictness >= InfoOf(Check::Callbacks).level;
    host.maxObjects = 4000;  // a count of any size ends soon
    host.memory.LimitBlockSize(1 << 24);
}

Point3D Scenario::Anywhere() {
    const auto coordinate = [&](int range) {
        const double whole = static_cast<double>(fChoices.Below(2 * range + 1)) - range;
        return fChoices.Percent(20) ? whole + 0.5 : whole;
    };
    return Point3D(coordinate(20), coordinate(20), fSpace ? coordinate(5) : 0.0);
}

host::ModifierKeys Scenario::AnyKeys() {
    const uint32_t bits = fChoices.Below(8);
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

void Scenario::SetKeys(const host::ModifierKeys& keys) {
    fInterposer->NoteKeys(keys);
    fHost.keys = keys;
}

void Scenario::SelectSome(host::Host& host) {
    host.document.ClearSelection();
    for (host::Object* o : host.document.AllObjects())
        if (o->kind != host::Kind::Group && fChoices.Percent(60)) host.document.Select(o, true);
}

// A layer in plan or in space, one to four rectangles and boxes, some in a
// group, most of them selected.
void Scenario::BuildDrawing(host::Host& host) {
    host::Object* layer = host.document.AddLayer("Layer", fSpace ? host::kSpaceView : host::kPlanView);
    host::Object* group = fChoices.Percent(30) ? host.document.AddGroup(layer, "Group") : nullptr;
    const uint32_t objects = 1 + fChoices.Below(4);
    for (uint32_t i = 0; i < objects; ++i) {
        const Point3D at = Anywhere();
        const double w = 1 + fChoices.Below(3), d = 1 + fChoices.Below(2);
        const bool box = fSpace && fChoices.Percent(50);
        host::Object* parent = group != nullptr && fChoices.Percent(50) ? group : layer;
        host.document.AddShape(parent, box ? host::Kind::Box : host::Kind::Rectangle, "O" + std::to_string(i + 1),
                               {{at.x, at.y, at.z}, {at.x + w, at.y, at.z}, {at.x + w, at.y + d, at.z},
                                {at.x, at.y + d, at.z}},
                               true, box ? 1.0 + fChoices.Below(3) : 0.0);
    }
    SelectSome(host);
    if (!host.document.HasSelection() && fChoices.Percent(80))
        host.document.Select(host.document.AllObjects().back(), true);
    host.document.SetCurrentContainer(group != nullptr && fChoices.Percent(50) ? group : layer);
    host.version = fChoices.Percent(70) ? host::HostVersion{1, 11, 0, 0} : host::HostVersion{1, 10, 4, 0};
}

void Scenario::WithholdSelectors() {
    const auto& rows = ks::iface::kRows;
    const auto count = static_cast<int64_t>(std::size(rows));
    const int64_t turn = fTurn >= 0 ? fTurn : fChoices.Below(static_cast<uint32_t>(count + 8));
    if (turn == 0) {
        for (const auto& row : rows) fHostility.withheld.set(static_cast<std::size_t>(row.selector));
        fOutcome.variant = "every host function withheld";
    } else if (turn <= count) {
        const auto& row = rows[turn - 1];
        fHostility.withheld.set(static_cast<std::size_t>(row.selector));
        fOutcome.variant = std::string(row.name) + " (" + std::to_string(row.selector) + ") withheld";
    } else {
        static const uint32_t kPercents[] = {5, 20, 50};
        const uint32_t percent = fChoices.Among(kPercents);
        std::string which;
        for (const auto& row : rows)
            if (fChoices.Percent(percent)) {
                fHostility.withheld.set(static_cast<std::size_t>(row.selector));
                which += (which.empty() ? "" : " ") + std::to_string(row.selector);
            }
        fOutcome.variant = "each withheld at " + std::to_string(percent) + "%: " + (which.empty() ? "none" : which);
    }
}

void Scenario::ApplyEdges() {
    std::vector<const EdgeCase*> cases;
    for (const EdgeCase& e : kEdges)
        if (e.level <= fStrictness) cases.push_back(&e);
    const auto pick = [&](int64_t turn) { return cases[static_cast<std::size_t>(turn) % cases.size()]; };
    const EdgeCase* first = pick(fTurn >= 0 ? fTurn : fChoices.Below(static_cast<uint32_t>(cases.size())));
    first->apply(fHostility, fHost);
    fOutcome.variant = first->name;
    if (fChoices.Percent(30)) {
        const EdgeCase* second = pick(fChoices.Below(static_cast<uint32_t>(cases.size())));
        second->apply(fHostility, fHost);
        if (second != first) fOutcome.variant += std::string(", ") + second->name;
    }
}

void Scenario::Configure() {
    switch (fOutcome.family) {
        case Family::Lifecycle:
        case Family::RandomEvents:
            break;
        case Family::SelectorsAbsent:
            WithholdSelectors();
            break;
        case Family::Edges:
            ApplyEdges();
            break;
        case Family::Reentry: {
            const uint32_t where = fChoices.Below(3);
            fHostility.reenterVisit = where != 1;
            fHostility.reenterDialog = where != 0;
            fOutcome.variant = where == 0 ? "from the visit" : where == 1 ? "from the dialog" : "from both";
            break;
        }
        case Family::Relocation:
            fHost.memory.SetRelocating(true);
            fHost.memory.SetQuarantine(true);
            break;
    }
    // From the level of the relocation family on, half the others relocate too.
    if (fStrictness >= InfoOf(Family::Relocation).level && fChoices.Percent(50)) {
        fHost.memory.SetRelocating(true);
        fHost.memory.SetQuarantine(true);
    }
    if (fOutcome.family == Family::RandomEvents) fHostility.steady = fHostility.coherent = false;
}

// ---- the checks -----------------------------------------------------------------------

int64_t CopyBound(const Observed& seen) { return std::max<int64_t>(1, seen.largestCountShown) + seen.firstKeyPresses; }

void Scenario::CheckOperation(const Drawing& before, std::size_t stepsBefore, std::size_t objectsBefore,
                              std::size_t selectedBefore) {
    const auto created = static_cast<int64_t>(fHost.document.ObjectCount()) - static_cast<int64_t>(objectsBefore);
    const int64_t each = CopyBound(fInterposer->Seen());
    if (created > static_cast<int64_t>(selectedBefore) * each)
        Add(Check::Copies, "an operation made " + std::to_string(created) + " copies of " +
                               std::to_string(selectedBefore) + " selected objects, more than the " +
                               std::to_string(each) + " each that the host's counts, points and keys asked for");

    for (int32_t selector : {sel::kBeginUndoStep, sel::kUndoRecordMove, sel::kUndoRecordMove3D,
                             sel::kUndoRecordNewObject, sel::kInsertObjectAfter})
        if (fHostility.withheld.test(static_cast<std::size_t>(selector))) return;  // nothing for undo to hold
    const std::size_t steps = fHost.undo.Done().size() - stepsBefore;
    if (steps > 1) Add(Check::Undo, "one operation made " + std::to_string(steps) + " undo steps");
    if (steps != 1) return;
    const Drawing after = Snap(fHost.document);
    fHost.undo.Undo(fHost.document);
    const Drawing undone = Snap(fHost.document);
    if (undone != before) Add(Check::Undo, "undo did not restore the drawing: " + Difference(before, undone));
    fHost.undo.Redo(fHost.document);
    const Drawing redone = Snap(fHost.document);
    if (redone != after) Add(Check::Undo, "redo did not reapply the operation: " + Difference(after, redone));
}

// A cursor event that finds the host exactly as the previous one left it has
// nothing to change on screen.
void Scenario::CheckSteadyCursor() {
    if (!Checked(Check::Overlay) || !fHostility.steady) return;
    const std::set<host::Figure> shown = fHost.feedback.Shown();
    const int32_t reply = fHost.SendEvent(kToolEventGetCursor);
    if (reply != kReplyStateChanged && fHost.feedback.Shown() != shown)
        Add(Check::Overlay, "an event 5 that found the host as the previous one left it changed the feedback (" +
                                std::to_string(shown.size()) + " figures before, " +
                                std::to_string(fHost.feedback.Shown().size()) + " after)");
}

void Scenario::PutAway() {
    fSession->PutAway();
    if (fHostility.coherent && !fHost.feedback.Empty())
        Add(Check::Overlay,
            std::to_string(fHost.feedback.Shown().size()) + " feedback figures left on screen after event 4");
}

void Scenario::Dispose() {
    PutAway();
    fSession->Dispose();
    CheckDisposed(fHost, "the tool");
}

void Scenario::CheckDisposed(host::Host& host, const char* whose) {
    if (&host == &fHost && fHostility.withheld.test(static_cast<std::size_t>(sel::kFreeHandle))) return;
    if (host.memory.LiveCount() != 0)
        Add(Check::Leak, std::string(whose) + ": " + std::to_string(host.memory.LiveCount()) +
                             " memory blocks still allocated after event 2");
}

void Scenario::Collect(host::Host& host, const std::string& whose) {
    for (std::size_t i = 0; i < host.faults.size(); ++i) {
        const host::Host::FaultOrigin& origin = host.faultOrigins[i];
        if (&host == &fHost && Excused(origin, fHostility.withheld, fOutcome.family != Family::RandomEvents)) continue;
        Add(CheckOf(origin.kind), whose + host.faults[i]);
    }
    if (host.memory.Quarantined())
        if (const int writes = host.memory.StaleWrites(); writes != 0)
            Add(Check::StaleMemory,
                whose + std::to_string(writes) + " blocks written through a pointer after they moved or were freed");
}

// ---- re-entry: another tool of the same plug-in, with its own block and host ------

void Scenario::Reenter() {
    if (!fNested) {
        fNested = std::make_unique<host::Host>();
        Load(*fNested);
        BuildDrawing(*fNested);
        fNested->memory.SetRelocating(fHost.memory.Relocating());
        fNested->memory.SetQuarantine(fHost.memory.Quarantined());
    }
    host::Host& nested = *fNested;
    if (fVerbose != nullptr) *fVerbose << "  (the plug-in is called again with another block)\n";
    if (nested.UserData() == nullptr) {
        nested.ResetToolInterface();
        nested.SendEvent(kToolEventCreate);
        nested.SendEvent(kToolEventSetUp);
        return;
    }
    static const int32_t kEvents[] = {kToolEventGetCursor, kToolEventGetCursor, kToolEventModeBar, kToolEventSettings,
                                      kToolEventDraw,      kToolEventDraw,      kToolEventGetBehavior,
                                      kToolEventPointQuery, kToolEventClick,    kToolEventSetDown,
                                      kToolEventDispose};
    const int32_t event = fChoices.Among(kEvents);
    nested.points.picked.assign(fChoices.Below(3), Anywhere());
    nested.points.cursor = Anywhere();
    auto& script = nested.dialogs.Script();
    script.clear();
    script.push_back({host::DialogAction::Type::TypeNumber, kCountNumberItem, static_cast<int32_t>(1 + fChoices.Below(5))});
    script.push_back({host::DialogAction::Type::Press, kDefaultButton, 0});
    const int32_t group = static_cast<int32_t>(1 + fChoices.Below(3));
    nested.SendEvent(event, event == kToolEventModeBar ? group : 0,
                     event == kToolEventModeBar ? static_cast<int32_t>(1 + fChoices.Below(2)) : 0);
    if (event == kToolEventDispose) CheckDisposed(nested, "the re-entered tool");
}

// ---- the steps --------------------------------------------------------------------------

template <class Action>
void Scenario::Step(const std::string& said, bool completes, Action action) {
    const std::size_t mark = fHost.log.Size();
    if (fVerbose != nullptr) *fVerbose << "> " << said << std::endl;
    Drawing before;
    std::size_t steps = 0, objects = 0, selected = 0;
    if (completes) {
        before = Snap(fHost.document);
        steps = fHost.undo.Done().size();
        objects = fHost.document.ObjectCount();
        selected = fHost.document.Selected().size();
    }
    action();
    if (completes) CheckOperation(before, steps, objects, selected);
    if (fVerbose != nullptr) {
        host::WriteLog(*fVerbose, fHost.log, mark);
        *fVerbose << "  = " << fHost.points.picked.size() << " points picked, " << fHost.feedback.Shown().size()
                  << " figures on screen\n";
    }
}

void Scenario::Session() {
    fSession = std::make_unique<host::Session>(fHost);
    Step("choose the tool", false, [&] { fSession->ChooseTool(); });
    struct Action {
        uint32_t weight;
        bool completes;
        std::string (*run)(Scenario&);
    };
    static const Action kActions[] = {
        {25, false, [](Scenario& s) {
             const Point3D p = s.Anywhere();
             s.fSession->MoveMouse(p);
             return "move " + Point(p);
         }},
        {20, true, [](Scenario& s) {
             const Point3D p = s.Anywhere();
             s.fSession->Click(p);
             return "click " + Point(p);
         }},
        {14, false, [](Scenario& s) {
             const host::ModifierKeys k = s.AnyKeys();
             s.fInterposer->NoteKeys(k);
             s.fSession->SetKeys(k);
             return std::string("keys ") + (k.first ? "1" : "0") + (k.second ? "1" : "0") + (k.third ? "1" : "0");
         }},
        {5, true, [](Scenario& s) {
             s.fSession->FinishPath();
             return std::string("finish");
         }},
        {3, false, [](Scenario& s) {
             s.fSession->Cancel();
             return std::string("cancel");
         }},
        {6, false, [](Scenario& s) {
             const auto mode = static_cast<int32_t>(1 + s.fChoices.Below(3));
             s.fSession->ChangeMode(kGroupMode, mode);
             return "mode " + std::to_string(mode);
         }},
        {3, false, [](Scenario& s) {
             s.fSession->ChangeMode(kGroupCount, 1);
             return std::string("count button");
         }},
        {2, false, [](Scenario& s) {
             const auto choice = static_cast<int32_t>(1 + s.fChoices.Below(2));
             s.fSession->ChangeMode(kGroupPlanOrSpace, choice);
             return "plan choice " + std::to_string(choice);
         }},
        {3, false, [](Scenario& s) {
             s.fSession->EditSettings();
             return std::string("settings");
         }},
        {3, false, [](Scenario& s) {
             const bool plan = s.fChoices.Percent(50);
             s.fSession->SetView(plan ? host::kPlanView : host::kSpaceView);
             return std::string(plan ? "view plan" : "view space");
         }},
        {3, false, [](Scenario& s) {
             s.fSession->Undo();
             return std::string("undo");
         }},
        {2, false, [](Scenario& s) {
             s.fSession->Redo();
             return std::string("redo");
         }},
        {5, false, [](Scenario& s) {
             if (s.fSession->Picking()) return std::string("(no selection change while picking)");
             s.SelectSome(s.fHost);
             return "select " + std::to_string(s.fHost.document.Selected().size()) + " objects";
         }},
        {3, false, [](Scenario& s) {
             s.PutAway();
             s.fSession->ChooseTool();
             return std::string("put the tool away and choose it again");
         }},
        {3, false, [](Scenario& s) {
             s.Dispose();
             s.fSession->ChooseTool();
             return std::string("dispose of the tool and choose it again");
         }},
    };
    uint32_t total = 0;
    for (const Action& a : kActions) total += a.weight;

    const uint32_t steps = 15 + fChoices.Below(40);
    for (uint32_t i = 0; i < steps; ++i) {
        uint32_t roll = fChoices.Below(total);
        const Action* action = kActions;
        while (roll >= action->weight) roll -= (action++)->weight;
        std::string said;
        Step("step " + std::to_string(i + 1), action->completes, [&] { said = action->run(*this); });
        if (fVerbose != nullptr) *fVerbose << "  (" << said << ")\n";
        CheckSteadyCursor();
    }
    Step("the host ends the tool's life", false, [&] { Dispose(); });
}

// Events in any order, with any messages, while the host's state changes
// under them.
void Scenario::RandomEvents() {
    static const int32_t kEvents[] = {kToolEventCreate,  kToolEventDispose,    kToolEventSetUp,    kToolEventSetDown,
                                      kToolEventGetCursor, kToolEventGetCursor, kToolEventGetCursor, kToolEventModeBar,
                                      kToolEventModeBar, kToolEventSettings,   kToolEventClick,     kToolEventPointQuery,
                                      kToolEventDraw,    kToolEventDraw,       kToolEventComplete,  kToolEventComplete,
                                      kToolEventGetBehavior};
    static const int32_t kUnknown[] = {0, 6, 9, 50, 99, 101, 106, 200, -1, -105, INT_MIN, INT_MAX};
    static const int32_t kGroups[] = {1, 2, 3, 0, 4, -1, 0x10001};
    static const int32_t kChoices[] = {1, 2, 3, 0, -1, 4, 0x10001, 0xFFFF, 0x8000, INT_MIN, INT_MAX};
    const uint32_t steps = 20 + fChoices.Below(60);
    for (uint32_t i = 0; i < steps; ++i) {
        std::string said;
        if (fChoices.Percent(35)) {
            switch (fChoices.Below(6)) {
                case 0: {
                    fHost.points.picked.clear();
                    for (uint32_t n = fChoices.Below(5); n > 0; --n) fHost.points.picked.push_back(Anywhere());
                    said = std::to_string(fHost.points.picked.size()) + " points picked; ";
                    break;
                }
                case 1: fHost.points.cursor = Anywhere(); said = "cursor " + Point(fHost.points.cursor) + "; "; break;
                case 2: SetKeys(AnyKeys()); said = "keys change; "; break;
                case 3: SelectSome(fHost); said = "selection changes; "; break;
                case 4: fHost.completionAllowed = !fHost.completionAllowed; said = "completion allowed changes; "; break;
                default: {
                    host::Object* layer = fHost.document.Layers().front().get();
                    layer->viewKind = layer->viewKind == host::kPlanView ? host::kSpaceView : host::kPlanView;
                    fHost.feedback.Clear();
                    said = "the view changes; ";
                }
            }
        }
        const int32_t event = fChoices.Percent(85) ? fChoices.Among(kEvents) : fChoices.Among(kUnknown);
        int32_t m1 = 0, m2 = 0;
        if (event == kToolEventModeBar) {
            m1 = fChoices.Among(kGroups);
            m2 = fChoices.Among(kChoices);
        } else if (fChoices.Percent(20)) {
            m1 = static_cast<int32_t>(fChoices.Next());
            m2 = static_cast<int32_t>(fChoices.Next());
        }
        said += "event " + std::to_string(event) + " (" + std::to_string(m1) + ", " + std::to_string(m2) + ")";
        Step(said, event == kToolEventComplete, [&] { fHost.SendEvent(event, m1, m2); });
        if (event == kToolEventDispose) CheckDisposed(fHost, "the tool");
    }
    Step("the host sets the tool down and disposes of it", false, [&] {
        fHost.SendEvent(kToolEventSetDown);
        fHost.SendEvent(kToolEventDispose);
    });
    CheckDisposed(fHost, "the tool");
}

Outcome Scenario::Run() {
    Load(fHost);
    fSpace = fChoices.Percent(40);
    BuildDrawing(fHost);
    Configure();
    if (fAnnounce != nullptr) fAnnounce(fOutcome.variant);
    if (fVerbose != nullptr)
        *fVerbose << "family: " << InfoOf(fOutcome.family).name
                  << (fOutcome.variant.empty() ? "" : " (" + fOutcome.variant + ")") << "\n";
    fInterposer = std::make_unique<Interposer>(fHost, fHostility, fChoices, [this] { Reenter(); });
    if (fOutcome.family == Family::RandomEvents)
        RandomEvents();
    else
        Session();
    if (fNested && fNested->UserData() != nullptr) {
        fNested->SendEvent(kToolEventSetDown);
        fNested->SendEvent(kToolEventDispose);
        CheckDisposed(*fNested, "the re-entered tool");
    }
    Collect(fHost, "");
    if (fNested) Collect(*fNested, "the re-entered tool: ");
    fOutcome.hostCalls = fInterposer->Seen().hostCalls;
    fInterposer.reset();
    return fOutcome;
}

}  // namespace

Outcome RunScenario(const PluginSource& plugin, const ScenarioId& id, std::ostream* verbose,
                    void (*announce)(const std::string&)) {
    SeededChoices choices(id.seed, static_cast<uint64_t>(id.number));
    const auto families = static_cast<int64_t>(
        std::count_if(Families().begin(), Families().end(), [&](const FamilyInfo& f) { return f.level <= id.strictness; }));
    Scenario scenario(plugin, FamilyOf(id), id.strictness, id.number / families, choices, verbose, announce);
    return scenario.Run();
}

Outcome RunScenarioWith(const PluginSource& plugin, Family family, int strictness, Choices& choices,
                        std::ostream* verbose) {
    Scenario scenario(plugin, family, strictness, -1, choices, verbose, nullptr);
    return scenario.Run();
}

}  // namespace validate
