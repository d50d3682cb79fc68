#include "Hostile.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "interface/HostFunctions.h"
#include "interface/ToolProtocol.h"

namespace validate {

namespace {

Interposer* gCurrent = nullptr;

template <int32_t Selector>
using At = std::integral_constant<int32_t, Selector>;
namespace sel = ks::selector;

// ---- the answers that differ from the host's own --------------------------------
// Each takes the host's own function (`serve`) and decides whether and how
// to call it. Every other row goes straight through (the template below).

template <int32_t Selector, class Fn, class... A>
auto Answer(At<Selector>, Interposer&, Fn serve, A... args) {
    return serve(args...);
}

int32_t Answer(At<sel::kGetToolPointCount>, Interposer& in, int32_t(KS_CDECL* serve)()) {
    const Hostility& h = in.Hostile();
    int32_t count = h.lieAboutPointCount ? h.pointCount : serve();
    if (h.pointCountEachCall) {
        static const int32_t kCounts[] = {-1, 0, 1, 2, 3, 7, INT_MAX};
        count = in.Choose().Among(kCounts);
    }
    in.NoteCountShown(count);
    return count;
}

// A point the host never picked, answered when the host claims more points
// than it has: the same for the same index, so the preview still erases.
template <class Point>
Point MadeUp(int32_t index) {
    if constexpr (std::is_same_v<Point, Point2D>)
        return Point2D(index, -index);
    else
        return Point3D(index, -index, 0.5 * index);
}

template <class Point>
void Disturb(Interposer& in, Point* point) {
    if (point == nullptr) return;
    point->x = in.Edge(point->x);
    point->y = in.Edge(point->y);
    if constexpr (std::is_same_v<Point, Point3D>) point->z = in.Edge(point->z);
}

template <class Point>
Boolean PickedPoint(Interposer& in, Boolean(KS_CDECL* serve)(int32_t, Point*), int32_t index, Point* point) {
    const auto picked = static_cast<int32_t>(in.Host().points.picked.size());
    Boolean answered;
    if (in.Hostile().lieAboutPointCount && (index < 0 || index >= picked)) {
        if (point != nullptr) *point = MadeUp<Point>(index);
        answered = 1;
    } else {
        answered = serve(index, point);
    }
    if (index > 0) Disturb(in, point);  // the first point stays put: spans reach the edge from it
    return answered;
}

Boolean Answer(At<sel::kGetToolPoint>, Interposer& in, Boolean(KS_CDECL* serve)(int32_t, Point2D*), int32_t index,
               Point2D* point) {
    return PickedPoint(in, serve, index, point);
}
Boolean Answer(At<sel::kGetToolPoint3D>, Interposer& in, Boolean(KS_CDECL* serve)(int32_t, Point3D*), int32_t index,
               Point3D* point) {
    return PickedPoint(in, serve, index, point);
}
Boolean Answer(At<sel::kGetCurrentToolPoint>, Interposer& in, Boolean(KS_CDECL* serve)(Point2D*), Point2D* point) {
    const Boolean answered = serve(point);
    Disturb(in, point);
    return answered;
}
Boolean Answer(At<sel::kGetCurrentToolPoint3D>, Interposer& in, Boolean(KS_CDECL* serve)(Point3D*), Point3D* point) {
    const Boolean answered = serve(point);
    Disturb(in, point);
    return answered;
}

ObjectHandle Answer(At<sel::kGetCurrentContainer>, Interposer& in, ObjectHandle(KS_CDECL* serve)()) {
    return in.Hostile().nullContainer ? nullptr : serve();
}
ObjectHandle Answer(At<sel::kGetParentObject>, Interposer& in, ObjectHandle(KS_CDECL* serve)(ObjectHandle),
                    ObjectHandle object) {
    return in.Hostile().nullParent ? nullptr : serve(object);
}
ObjectHandle Answer(At<sel::kDuplicateObject>, Interposer& in, ObjectHandle(KS_CDECL* serve)(ObjectHandle),
                    ObjectHandle source) {
    if (in.Hostile().nullDuplicatePercent != 0 && in.Choose().Percent(in.Hostile().nullDuplicatePercent))
        return nullptr;
    return serve(source);
}
Handle Answer(At<sel::kAllocHandle>, Interposer& in, Handle(KS_CDECL* serve)(int32_t), int32_t size) {
    if (++in.allocations == in.Hostile().allocationFailsAt) return nullptr;
    return serve(size);
}
void Answer(At<sel::kSetDataFieldValue>, Interposer& in, void(KS_CDECL* serve)(int16_t, double, int16_t),
            int16_t field, double value, int16_t option) {
    serve(field, value, option);
    if (value >= 0 && value < 1e18) in.NoteCountShown(static_cast<int64_t>(value));
}

// The visit calls the plug-in again before each object.
struct VisitThrough {
    ObjectVisitor visit;
    void* env;
};
void KS_CDECL ReenteringVisit(ObjectHandle object, CallbackBlock* block, void* env) {
    const auto* through = static_cast<const VisitThrough*>(env);
    Interposer::Current().Reenter();
    through->visit(object, block, through->env);
}
void Answer(At<sel::kForEachObject>, Interposer& in,
            void(KS_CDECL* serve)(int16_t, ObjectVisitor, void*, CallbackBlock*), int16_t which, ObjectVisitor visit,
            void* env, CallbackBlock* block) {
    if (!in.Hostile().reenterVisit || visit == nullptr) return serve(which, visit, env, block);
    in.Reenter();
    VisitThrough through{visit, env};
    serve(which, &ReenteringVisit, &through, block);
}

// The dialog hands the plug-in's handler items it does not have, and calls
// the plug-in again from inside.
struct HandlerThrough {
    DialogHandler handler;
    void* userData;
};
void KS_CDECL HostileHandler(int32_t dialog, int32_t* item, int32_t data, void* userData) {
    const auto* through = static_cast<const HandlerThrough*>(userData);
    Interposer& in = Interposer::Current();
    if (in.Hostile().reenterDialog && in.Choose().Percent(50)) in.Reenter();
    if (in.Hostile().oddDialogs && *item != kDialogSetUpEvent && in.Choose().Percent(40)) {
        static const int32_t kOdd[] = {0, -1, 3, 4, 6, 99, -2605, INT_MIN, INT_MAX};
        int32_t odd = in.Choose().Among(kOdd);
        through->handler(dialog, &odd, data, through->userData);
    }
    through->handler(dialog, item, data, through->userData);
}
int32_t Answer(At<sel::kRunDialog>, Interposer& in, int32_t(KS_CDECL* serve)(int32_t, DialogHandler, void*),
               int32_t dialog, DialogHandler handler, void* userData) {
    in.QueueDialogActions(dialog);
    if (handler == nullptr || !(in.Hostile().oddDialogs || in.Hostile().reenterDialog))
        return serve(dialog, handler, userData);
    HandlerThrough through{handler, userData};
    return serve(dialog, &HostileHandler, &through);
}

// ---- every row: count, disturb, then the answer above ------------------------------

template <int32_t Selector, class Fn = ks::iface::HostFunctionOf<Selector>>
struct Through;
template <int32_t Selector, class R, class... A>
struct Through<Selector, R(KS_CDECL*)(A...)> {
    static R KS_CDECL Call(A... args) {
        Interposer& in = Interposer::Current();
        in.BeforeCall();
        const auto serve = reinterpret_cast<R(KS_CDECL*)(A...)>(host::Host::ServiceFunction(Selector));
        return Answer(At<Selector>{}, in, serve, args...);
    }
};

void Install(host::Host& host, const Hostility& hostility) {
#define KS_INTERPOSE(selector, name, shape, contract)     \
    if (hostility.withheld.test(selector))                \
        host.Disable(selector);                           \
    else                                                  \
        host.Override<selector>(&Through<selector>::Call);
    KS_HOST_FUNCTIONS(KS_INTERPOSE)
#undef KS_INTERPOSE
}

}  // namespace

Interposer::Interposer(host::Host& host, const Hostility& hostility, Choices& choices, std::function<void()> reenter)
    : fHost(host), fHostility(hostility), fChoices(choices), fReenter(std::move(reenter)), fPrevious(gCurrent) {
    gCurrent = this;
    Install(host, hostility);
}

Interposer::~Interposer() { gCurrent = fPrevious; }

Interposer& Interposer::Current() {
    if (gCurrent == nullptr) {
        std::fputs("validator: a hostile host function ran with no scenario\n", stderr);
        std::abort();
    }
    return *gCurrent;
}

void Interposer::NoteCountShown(int64_t count) {
    if (count > fSeen.largestCountShown) fSeen.largestCountShown = count;
}

void Interposer::NoteKeys(const host::ModifierKeys& keys) {
    if (keys.first && !fHost.keys.first) ++fSeen.firstKeyPresses;
}

void Interposer::BeforeCall() {
    ++fSeen.hostCalls;
    if (!fHostility.keysFlicker) return;
    host::ModifierKeys keys = fHost.keys;
    switch (fChoices.Below(4)) {
        case 0: keys.first = !keys.first; break;
        case 1: keys.second = !keys.second; break;
        case 2: keys.third = !keys.third; break;
        default: break;
    }
    NoteKeys(keys);
    fHost.keys = keys;
}

void Interposer::Reenter() {
    if (fReentering || !fReenter) return;
    fReentering = true;
    fReenter();
    fReentering = false;
    host::Host::ServeNext(fHost);  // the nested events were served by another host
}

double Interposer::Edge(double value) {
    const std::vector<double>& edges = fHostility.edgeCoordinates;
    if (edges.empty()) return value;
    if (fHostility.edgeOnEveryAnswer) return edges.front();
    if (!fChoices.Percent(fHostility.edgePercent)) return value;
    return edges[fChoices.Below(static_cast<uint32_t>(edges.size()))];
}

// What the user does in a dialog: normally types a small number into one of
// its number fields and presses OK or Cancel; in a hostile host, odd numbers,
// presses of items that do not exist, and sometimes no confirmation at all
// (the host then closes the dialog with Cancel).
void Interposer::QueueDialogActions(int32_t dialog) {
    std::vector<int32_t> fields;
    if (const host::Dialog* d = fHost.dialogs.Find(dialog))
        for (const auto& [number, item] : d->items)
            if (item.type == host::DialogItem::Type::IntegerField) fields.push_back(number);
    if (fields.empty()) fields.push_back(kCountNumberItem);
    const auto field = [&] { return fields[fChoices.Below(static_cast<uint32_t>(fields.size()))]; };

    std::deque<host::DialogAction>& script = fHost.dialogs.Script();
    script.clear();
    using Action = host::DialogAction;
    if (!fHostility.oddDialogs) {
        const int32_t value = static_cast<int32_t>(1 + fChoices.Below(6));
        NoteCountShown(value);
        script.push_back({Action::Type::TypeNumber, field(), value});
        script.push_back({Action::Type::Press, fChoices.Percent(80) ? kDefaultButton : kCancelButton, 0});
        return;
    }
    static const int32_t kItems[] = {kDefaultButton, kCancelButton, 0, -1, 3, 4, 99, INT_MIN};
    static const int32_t kNumbers[] = {0, -1, 1, 7, 1000, INT_MIN, INT_MAX, 100000};
    const uint32_t actions = 1 + fChoices.Below(6);
    for (uint32_t i = 0; i < actions; ++i) {
        if (fChoices.Percent(50)) {
            const int32_t value = fChoices.Among(kNumbers);
            NoteCountShown(value);
            script.push_back({Action::Type::TypeNumber, field(), value});
        } else {
            script.push_back({Action::Type::Press, fChoices.Among(kItems), 0});
        }
    }
}

}  // namespace validate
