// Move and duplicate along the span. The record and the path list live in
// host memory that may move during any host call: every access goes through
// the handle again.
#include "tool/MoveDuplicate.h"

#include <limits>
#include <type_traits>

#include "Landings.h"
#include "PascalLiteral.h"
#include "WorkSpace.h"

namespace {

struct UndoName {
    PascalBuffer text;
    void Fetch(CallbackBlock* callbacks, int16_t index) {
        KS_GetIndexedString(callbacks, kUndoNameStrings, index, text.get(), 1);
    }
    void Apply(CallbackBlock* callbacks) { KS_NameUndoStep(callbacks, text.get()); }
};

PathEntry& EntryAt(Handle list, int32_t index) { return static_cast<PathEntry*>(*list)[index]; }

// Asks the count in the dialog when it is below 1; true when it is 1 or more
// afterwards.
bool AskCount(CallbackBlock* callbacks, Handle settings) {
    if (Settings(settings).count >= 1) return true;
    Handle slot = settings;
    const int32_t count = RunCountDialog(callbacks, &slot, Settings(settings).count);
    Settings(settings).count = count;
    return count >= 1;
}

template <class Work>
void KS_CDECL Move(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    const auto settings = static_cast<Handle>(env);
    const typename Work::Point v = Work::Offset(Settings(settings));
    Work::RecordMove(callbacks, object, v);
    Work::Move(callbacks, object, v);
}

// The sequence every copy step shares: copies of the object are made one
// after another, each from the previous one, placed after its source,
// recorded for undo, selected and moved by step(k); more(k) says whether copy
// k is to be made. The object itself is deselected first, so that only the
// copies end up selected.
template <class Work, class More, class Step>
void CopyChain(CallbackBlock* callbacks, ObjectHandle object, More more, Step step) {
    KS_SetObjectSelected(callbacks, object, 0);
    ObjectHandle source = object;
    for (int32_t k = 1; more(k); ++k) {
        const ObjectHandle copy = KS_DuplicateObject(callbacks, source);
        if (copy == nullptr) return;  // no further copies of this object
        KS_InsertObjectAfter(callbacks, copy, source);
        KS_UndoRecordNewObject(callbacks, copy);
        KS_SetObjectSelected(callbacks, copy, 1);
        Work::Move(callbacks, copy, step(k));
        source = copy;
        if (k == std::numeric_limits<int32_t>::max()) return;  // no copy number after this one
    }
}

// Copy k lies k steps from the object; the count is read on every pass.
template <class Work>
void KS_CDECL Copy(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    const auto settings = static_cast<Handle>(env);
    CopyChain<Work>(
        callbacks, object, [&](int32_t k) { return k <= Settings(settings).count; },
        [&](int32_t) { return Work::Offset(Settings(settings)); });
}

template <class Work>
typename Work::Point StepOf(const PathEntry& e) {
    if constexpr (std::is_same_v<Work, PlanWork>)
        return Point2D(e.x, e.y);
    else
        return Point3D(e.x, e.y, e.z);
}

// Copy k lies at the sum of the first k path vectors from the object. The
// list holds no zero vector but its end marker, which ends the path.
template <class Work>
void KS_CDECL PathCopy(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    const auto list = static_cast<Handle>(env);
    CopyChain<Work>(
        callbacks, object,
        [&](int32_t k) {
            const PathEntry& e = EntryAt(list, k - 1);
            return e.x != 0.0 || e.y != 0.0 || e.z != 0.0;
        },
        [&](int32_t k) { return StepOf<Work>(EntryAt(list, k - 1)); });
}

template <class Work>
void MoveEachSelected(CallbackBlock* callbacks, Handle settings) {
    const ObjectVisitor step = std::is_same_v<Work, PlanWork> ? MoveStep : MoveStep3D;
    KS_ForEachObject(callbacks, kVisitSelected, step, settings);
}

template <class Work>
void CopyEachSelected(CallbackBlock* callbacks, Handle settings) {
    const ObjectVisitor step = std::is_same_v<Work, PlanWork> ? CopyStep : CopyStep3D;
    KS_ForEachObject(callbacks, kVisitSelected, step, settings);
}

template <class Work>
void Negate(Handle settings) {
    typename Work::Point& v = Work::Offset(Settings(settings));
    v = -v;
}

// Applies the stored step again without picking, optionally reversed.
template <class Work>
void RepeatTwoPoint(CallbackBlock* callbacks, Handle settings) {
    UndoName name;
    name.Fetch(callbacks, kUndoNameSpan);
    KS_BeginUndoStep(callbacks, kUndoKindMoveDuplicate);
    name.Apply(callbacks);

    const bool reverse = Settings(settings).reverse != 0;
    const bool duplicate = Settings(settings).duplicate != 0;
    if (reverse) Negate<Work>(settings);
    if (duplicate) {
        AskCount(callbacks, settings);
        CopyEachSelected<Work>(callbacks, settings);
    } else {
        MoveEachSelected<Work>(callbacks, settings);
    }
    if (reverse) Negate<Work>(settings);
}

template <class Work>
void FreshTwoPoint(CallbackBlock* callbacks, Handle settings) {
    // A span needs its two points; a host that completes with fewer has
    // nothing to read past its last one.
    if (PickedPointCount(callbacks) < 2) return;
    // Parts need a count to divide by; without one nothing happens.
    if (Settings(settings).mode == kModeParts && !AskCount(callbacks, settings)) return;

    const typename Work::Point a = Work::PickedPoint(callbacks, 0);
    const typename Work::Point b = Work::PickedPoint(callbacks, 1);
    // A span that is not a finite vector would move the selection nowhere a
    // drawing can hold: nothing happens, and the stored step is kept.
    if (!IsFinite(b - a)) return;
    const ToolSettings& record = Settings(settings);
    const auto landing = LandAlongSpan(record.mode, record.count, record.duplicate != 0, a, b);
    // The step is kept for a repeat; the companion of the other kind of work
    // keeps the whole span.
    Work::StoreSpan(Settings(settings), b - a);
    Work::Offset(Settings(settings)) = landing.step;
    const bool parts = Settings(settings).mode == kModeParts;

    KS_BeginUndoStep(callbacks, kUndoKindMoveDuplicate);
    UndoName name;
    name.Fetch(callbacks, parts ? kUndoNameParts : kUndoNameSpan);
    name.Apply(callbacks);

    if (Settings(settings).duplicate) {
        AskCount(callbacks, settings);
        CopyEachSelected<Work>(callbacks, settings);
    } else {
        MoveEachSelected<Work>(callbacks, settings);
    }
}

ObjectVisitor PathVisitor(Handle settings) { return Settings(settings).planar ? PathCopyStep : PathCopyStep3D; }

void RepeatPath(CallbackBlock* callbacks, Handle settings) {
    if (Settings(settings).pathOffsets == nullptr) return;  // no path to repeat
    KS_BeginUndoStep(callbacks, kUndoKindMoveDuplicate);
    UndoName name;
    name.Fetch(callbacks, kUndoNamePath);
    name.Apply(callbacks);
    KS_ForEachObject(callbacks, kVisitSelected, PathVisitor(settings), Settings(settings).pathOffsets);
}

// Fills the list with the path's steps and its end marker; the number of
// steps, or -1 when one of them is not a finite vector.
template <class Work>
int32_t FillPathList(CallbackBlock* callbacks, Handle list, int32_t points) {
    const TPathVertices<Work> path{callbacks, points, false};
    int32_t steps = 0;
    bool finite = true;
    WalkPath(path, path.Segments(), [&](const typename Work::Point& a, const typename Work::Point& b) {
        const Point3D d = Work::AsTriple(b - a);  // z is 0.0 for plan work
        finite = finite && IsFinite(d);
        EntryAt(list, steps++) = PathEntry{d.x, d.y, d.z};
    });
    EntryAt(list, steps) = PathEntry{0.0, 0.0, 0.0};
    return finite ? steps : -1;
}

template <class Work>
void FreshPath(CallbackBlock* callbacks, Handle settings) {
    const int32_t points = PickedPointCount(callbacks);
    const Handle previous = Settings(settings).pathOffsets;
    if (previous != nullptr) {
        Settings(settings).pathOffsets = nullptr;
        KS_FreeHandle(callbacks, previous);
    }
    // A path needs a vertex after the first; one that has none leaves no list
    // to repeat, so nothing past an end marker is ever read.
    if (points < 2) return;
    constexpr int32_t kMaxEntries = std::numeric_limits<int32_t>::max() / static_cast<int32_t>(sizeof(PathEntry));
    if (points >= kMaxEntries) return;  // no block that large

    const Handle list = KS_AllocHandle(callbacks, (points + 1) * static_cast<int32_t>(sizeof(PathEntry)));
    Settings(settings).pathOffsets = list;
    if (list == nullptr) return;

    // The steps are read before the undo step opens: a path that goes nowhere
    // (every vertex on the first) or through a point that is not finite
    // does nothing at all and leaves no path to repeat.
    if (FillPathList<Work>(callbacks, list, points) <= 0) {
        Settings(settings).pathOffsets = nullptr;
        KS_FreeHandle(callbacks, list);
        return;
    }

    KS_BeginUndoStep(callbacks, kUndoKindMoveDuplicate);
    UndoName name;
    name.Fetch(callbacks, kUndoNamePath);
    name.Apply(callbacks);
    KS_ForEachObject(callbacks, kVisitSelected, PathVisitor(settings), Settings(settings).pathOffsets);
}

// Modes up to 2 take the two-point route, 3 and above the path route.
template <class Work>
void Complete(CallbackBlock* callbacks, Handle settings) {
    const bool twoPoint = Settings(settings).mode <= kModeParts;
    const bool repeat = Settings(settings).repeatLast != 0;
    if (twoPoint) {
        if (repeat)
            RepeatTwoPoint<Work>(callbacks, settings);
        else
            FreshTwoPoint<Work>(callbacks, settings);
    } else {
        if (repeat)
            RepeatPath(callbacks, settings);
        else
            FreshPath<Work>(callbacks, settings);
    }
}

}  // namespace

void MoveOrDuplicateAlongSpan(CallbackBlock* callbacks, Handle settings) {
    if (Settings(settings).planar)
        Complete<PlanWork>(callbacks, settings);
    else
        Complete<SpaceWork>(callbacks, settings);
}

void KS_CDECL MoveStep(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    Move<PlanWork>(object, callbacks, env);
}
void KS_CDECL MoveStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    Move<SpaceWork>(object, callbacks, env);
}
void KS_CDECL CopyStep(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    Copy<PlanWork>(object, callbacks, env);
}
void KS_CDECL CopyStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    Copy<SpaceWork>(object, callbacks, env);
}
void KS_CDECL PathCopyStep(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    PathCopy<PlanWork>(object, callbacks, env);
}
void KS_CDECL PathCopyStep3D(ObjectHandle object, CallbackBlock* callbacks, void* env) {
    PathCopy<SpaceWork>(object, callbacks, env);
}
