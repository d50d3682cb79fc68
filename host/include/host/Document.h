// The substitute host's drawing: layers that hold groups and drawing objects
// in order, each object with plan geometry and a height, and a selection.
#pragma once

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "interface/KSTypes.h"
#include "interface/ToolProtocol.h"
#include "kernel/DKCoordTypes.h"

namespace host {

// Object kinds as the host reports them to the plug-in.
enum class Kind : int16_t {
    Line = 2,
    Rectangle = 3,
    Polyline = 5,
    Group = 11,
    Box = 24,
    Layer = kObjectKindLayer,
};

// Layer view kinds: a plan view, or a view in space.
inline constexpr int16_t kPlanView = kViewKindPlan;
inline constexpr int16_t kSpaceView = 1;

struct Object;
using ObjectList = std::list<std::unique_ptr<Object>>;

struct Object {
    int id = 0;
    Kind kind = Kind::Line;
    std::string name;
    Object* parent = nullptr;
    ObjectList::iterator position;  // this object's place in the parent's list
    ObjectList children;            // layers and groups only

    // Plan geometry at the object's base elevation, and its height above it.
    std::vector<Point3D> vertices;
    bool closed = false;
    double height = 0.0;

    bool selected = false;
    int16_t viewKind = kPlanView;  // layers only

    bool IsContainer() const { return kind == Kind::Layer || kind == Kind::Group; }
};

// The state of one object that undo can put back: its geometry and its
// selection mark.
struct ObjectState {
    std::vector<Point3D> vertices;
    double height = 0.0;
    bool selected = false;
};

class Document {
public:
    Document();

    Object* AddLayer(const std::string& name, int16_t viewKind = kPlanView);
    Object* AddGroup(Object* parent, const std::string& name);
    // Appends a drawing object at the end of `parent`'s list.
    Object* AddShape(Object* parent, Kind kind, const std::string& name, std::vector<Point3D> vertices, bool closed,
                     double height = 0.0);

    // A deep copy with new ids at the same place, made but not yet in the
    // drawing: it waits among the loose objects until it is inserted.
    Object* Duplicate(const Object& source);
    bool IsLoose(const Object* object) const { return fLoose.count(object) != 0; }
    std::size_t LooseCount() const { return fLoose.size(); }
    // Objects in the drawing (layers and groups too) and loose ones.
    std::size_t ObjectCount() const { return fInDrawing.size() + fLoose.size(); }
    // Puts a loose object into the drawing directly after `after`, in the
    // same list. False when `object` is not loose or `after` is not in the
    // drawing.
    bool InsertLooseAfter(Object* object, Object* after);
    // Puts an object taken out before back after `after` (or first in
    // `parent` when `after` is null).
    Object* Reinsert(std::unique_ptr<Object> object, Object* parent, Object* after);
    // Takes an object (and what it holds) out of the drawing.
    std::unique_ptr<Object> Detach(Object* object);

    void Move(Object* object, const Point3D& offset);
    ObjectState StateOf(const Object& object) const;
    void Restore(Object* object, const ObjectState& state);

    Object* Find(int id) const;
    Object* FindByName(const std::string& name) const;
    // The object behind a handle when it is in the drawing or loose; null for
    // anything else (a stale or made-up handle).
    Object* FromHandle(ObjectHandle handle) const;
    static ObjectHandle ToHandle(const Object* object) {
        return reinterpret_cast<ObjectHandle>(const_cast<Object*>(object));
    }

    const ObjectList& Layers() const { return fRoot.children; }
    Object* CurrentContainer() const { return fCurrent; }
    void SetCurrentContainer(Object* container) { fCurrent = container; }
    // The layer that holds an object, or null.
    static Object* LayerOf(Object* object);

    // Drawing objects (and groups) in document order: layer by layer, each
    // list from first to last, a group before what it holds.
    std::vector<Object*> AllObjects() const;
    std::vector<Object*> Selected() const;
    bool HasSelection() const;
    void Select(Object* object, bool selected);
    void ClearSelection();

    // Bounds of one object, or of the selection. The selection's bounds are
    // the empty sentinel when nothing is selected.
    static Rect2D PlanBounds(const Object& object);
    static Cube3D SpaceBounds(const Object& object);
    Rect2D SelectionBounds() const;
    Cube3D SelectionCube() const;

    // The object before this one in its list, or null when it is first.
    static Object* Previous(const Object* object);

private:
    std::unique_ptr<Object> NewObject(Kind kind, const std::string& name);
    std::unique_ptr<Object> Copy(const Object& source);
    Object* Append(Object* parent, std::unique_ptr<Object> object);
    void Register(Object* object);
    void Unregister(Object* object);

    int fNextId = 1;
    Object fRoot;
    Object* fCurrent = nullptr;
    std::unordered_map<int, Object*> fById;  // objects in the drawing
    std::unordered_set<const Object*> fInDrawing;
    std::unordered_map<const Object*, std::unique_ptr<Object>> fLoose;
};

}  // namespace host
