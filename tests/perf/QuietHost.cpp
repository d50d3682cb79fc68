#include "QuietHost.h"

#include <array>
#include <cstring>

#include "interface/HostFunctions.h"
#include "interface/ToolProtocol.h"

namespace quiet {

namespace {

State gState;

// Every host function not served below: the answer of a host that lacks it,
// out-arguments left as the plug-in set them.
template <int32_t Selector, class Pointer>
struct Absent;
template <int32_t Selector, class R, class... A>
struct Absent<Selector, R(KS_CDECL*)(A...)> {
    static R KS_CDECL Call(A...) {
        ++gState.calls;
        if constexpr (!std::is_void_v<R>) return ks::iface::DefaultResult<R>(Selector);
    }
};

// Settings records and path lists: a few fixed blocks, handed out in turn.
struct Block {
    void* master = nullptr;
    alignas(16) unsigned char bytes[1 << 12];
};
std::array<Block, 4> gBlocks;
std::size_t gNextBlock = 0;

Handle KS_CDECL AllocHandle(int32_t size) {
    ++gState.calls;
    if (size < 0 || static_cast<std::size_t>(size) > sizeof(Block::bytes)) return nullptr;
    Block& block = gBlocks[gNextBlock++ % gBlocks.size()];
    std::memset(block.bytes, 0, sizeof block.bytes);
    block.master = block.bytes;
    return reinterpret_cast<Handle>(&block.master);
}
void KS_CDECL FreeHandle(Handle) { ++gState.calls; }

int32_t KS_CDECL PointCount() { return ++gState.calls, gState.pointCount; }
const Point3D& PointAt(int32_t index) {
    if (index < 0) index = 0;
    return gState.points[index < State::kMaxPoints ? index : State::kMaxPoints - 1];
}
Boolean KS_CDECL ToolPoint(int32_t index, Point2D* point) {
    ++gState.calls;
    *point = Point2D(PointAt(index).x, PointAt(index).y);
    return 1;
}
Boolean KS_CDECL ToolPoint3D(int32_t index, Point3D* point) {
    ++gState.calls;
    *point = PointAt(index);
    return 1;
}
Boolean KS_CDECL Cursor(Point2D* point) {
    ++gState.calls;
    *point = Point2D(gState.cursor.x, gState.cursor.y);
    return 1;
}
Boolean KS_CDECL Cursor3D(Point3D* point) {
    ++gState.calls;
    *point = gState.cursor;
    return 1;
}
void KS_CDECL Keys(Boolean* first, Boolean* second, Boolean* third) {
    ++gState.calls;
    *first = gState.keys[0];
    *second = gState.keys[1];
    *third = gState.keys[2];
}
int32_t KS_CDECL HasSelection() { return ++gState.calls, 1; }
void KS_CDECL SelectionBounds(Rect2D* bounds, int16_t) {
    ++gState.calls;
    const Cube3D& c = gState.bounds;
    bounds->top = c.maxY;
    bounds->left = c.minX;
    bounds->bottom = c.minY;
    bounds->right = c.maxX;
}
int32_t KS_CDECL SelectionCube(Cube3D* bounds) {
    ++gState.calls;
    *bounds = gState.bounds;
    return 1;
}
void KS_CDECL Line(const Point2D*, const Point2D*) { ++gState.calls, ++gState.draws; }
void KS_CDECL Rect(const Rect2D*) { ++gState.calls, ++gState.draws; }
void KS_CDECL Line3D(const Point3D*, const Point3D*) { ++gState.calls, ++gState.draws; }

// One layer holding one object: the object the visit hands out and every
// duplicate made of it.
unsigned char gLayer, gObject;
ObjectHandle Handle(unsigned char& thing) { return reinterpret_cast<ObjectHandle>(&thing); }
ObjectHandle KS_CDECL Container() { return ++gState.calls, Handle(gLayer); }
int16_t KS_CDECL ViewKind(ObjectHandle) { return ++gState.calls, gState.viewKind; }
int16_t KS_CDECL KindOf(ObjectHandle object) {
    ++gState.calls;
    return object == Handle(gLayer) ? static_cast<int16_t>(kObjectKindLayer) : int16_t{3};
}
ObjectHandle KS_CDECL Parent(ObjectHandle object) {
    ++gState.calls;
    return object == Handle(gObject) ? Handle(gLayer) : nullptr;
}
ObjectHandle KS_CDECL Duplicate(ObjectHandle) { return ++gState.calls, ++gState.duplicates, Handle(gObject); }
Boolean KS_CDECL RecordNew(ObjectHandle) { return ++gState.calls, 1; }
void KS_CDECL Visit(int16_t, ObjectVisitor visit, void* env, CallbackBlock* block) {
    ++gState.calls;
    if (visit != nullptr) visit(Handle(gObject), block, env);
}
int32_t KS_CDECL CompletionAllowed() { return ++gState.calls, 1; }
int32_t KS_CDECL OneClick() { return ++gState.calls, 1; }
int32_t KS_CDECL TwoPoint() { return ++gState.calls, 2; }
int32_t KS_CDECL MultiPoint() { return ++gState.calls, 3; }

struct Table {
    std::array<void*, 982> functions{};

    template <int32_t Selector>
    void Serve(ks::iface::HostFunctionOf<Selector> function) {
        functions[Selector] = reinterpret_cast<void*>(function);
    }

    Table() {
#define QUIET_ABSENT(selector, name, shape, contract) \
    functions[selector] = reinterpret_cast<void*>(&Absent<selector, ks::iface::HostFunctionOf<selector>>::Call);
        KS_HOST_FUNCTIONS(QUIET_ABSENT)
#undef QUIET_ABSENT
        namespace s = ks::selector;
        Serve<s::kAllocHandle>(&AllocHandle);
        Serve<s::kFreeHandle>(&FreeHandle);
        Serve<s::kGetToolPointCount>(&PointCount);
        Serve<s::kGetToolPoint>(&ToolPoint);
        Serve<s::kGetToolPoint3D>(&ToolPoint3D);
        Serve<s::kGetCurrentToolPoint>(&Cursor);
        Serve<s::kGetCurrentToolPoint3D>(&Cursor3D);
        Serve<s::kGetModifierKeys>(&Keys);
        Serve<s::kHasSelection>(&HasSelection);
        Serve<s::kGetSelectionBounds>(&SelectionBounds);
        Serve<s::kGetSelectionCube>(&SelectionCube);
        Serve<s::kDrawFeedbackLine>(&Line);
        Serve<s::kDrawFeedbackRect>(&Rect);
        Serve<s::kDrawFeedbackLine3D>(&Line3D);
        Serve<s::kGetCurrentContainer>(&Container);
        Serve<s::kGetLayerViewKind>(&ViewKind);
        Serve<s::kGetObjectKind>(&KindOf);
        Serve<s::kGetParentObject>(&Parent);
        Serve<s::kDuplicateObject>(&Duplicate);
        Serve<s::kUndoRecordNewObject>(&RecordNew);
        Serve<s::kForEachObject>(&Visit);
        Serve<s::kToolCompletionAllowed>(&CompletionAllowed);
        Serve<s::kToolBehaviorOneClick>(&OneClick);
        Serve<s::kToolBehaviorTwoPoint>(&TwoPoint);
        Serve<s::kToolBehaviorMultiPoint>(&MultiPoint);
    }
};

const Table gTable;

void* KS_CDECL Lookup(int32_t selector) {
    return selector >= 0 && selector < static_cast<int32_t>(gTable.functions.size())
               ? gTable.functions[static_cast<std::size_t>(selector)]
               : nullptr;
}

CallbackBlock gBlock{Lookup};

}  // namespace

State& Current() { return gState; }
CallbackBlock* Block() { return &gBlock; }

}  // namespace quiet
