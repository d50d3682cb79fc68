#include "host/Document.h"

#include <algorithm>
#include <iterator>

namespace host {

Document::Document() {
    fRoot.kind = Kind::Group;
    fRoot.name = "drawing";
}

std::unique_ptr<Object> Document::NewObject(Kind kind, const std::string& name) {
    auto object = std::make_unique<Object>();
    object->id = fNextId++;
    object->kind = kind;
    object->name = name.empty() ? "#" + std::to_string(object->id) : name;
    return object;
}

Object* Document::Append(Object* parent, std::unique_ptr<Object> object) {
    Object* raw = object.get();
    raw->parent = parent;
    parent->children.push_back(std::move(object));
    raw->position = std::prev(parent->children.end());
    Register(raw);
    return raw;
}

void Document::Register(Object* object) {
    fById[object->id] = object;
    fInDrawing.insert(object);
    for (auto& child : object->children) Register(child.get());
}

void Document::Unregister(Object* object) {
    fById.erase(object->id);
    fInDrawing.erase(object);
    for (auto& child : object->children) Unregister(child.get());
}

Object* Document::AddLayer(const std::string& name, int16_t viewKind) {
    Object* layer = Append(&fRoot, NewObject(Kind::Layer, name));
    layer->viewKind = viewKind;
    if (fCurrent == nullptr) fCurrent = layer;
    return layer;
}

Object* Document::AddGroup(Object* parent, const std::string& name) {
    return Append(parent, NewObject(Kind::Group, name));
}

Object* Document::AddShape(Object* parent, Kind kind, const std::string& name, std::vector<Point3D> vertices,
                           bool closed, double height) {
    auto object = NewObject(kind, name);
    object->vertices = std::move(vertices);
    object->closed = closed;
    object->height = height;
    return Append(parent, std::move(object));
}

std::unique_ptr<Object> Document::Copy(const Object& source) {
    auto copy = NewObject(source.kind, "");
    copy->vertices = source.vertices;
    copy->closed = source.closed;
    copy->height = source.height;
    copy->selected = source.selected;
    copy->viewKind = source.viewKind;
    for (const auto& child : source.children) {
        auto childCopy = Copy(*child);
        childCopy->parent = copy.get();
        copy->children.push_back(std::move(childCopy));
        copy->children.back()->position = std::prev(copy->children.end());
    }
    return copy;
}

Object* Document::Duplicate(const Object& source) {
    auto copy = Copy(source);
    Object* raw = copy.get();
    fLoose[raw] = std::move(copy);
    return raw;
}

bool Document::InsertLooseAfter(Object* object, Object* after) {
    auto loose = fLoose.find(object);
    if (loose == fLoose.end() || after == nullptr || !fInDrawing.count(after) || after->parent == nullptr) return false;
    std::unique_ptr<Object> owned = std::move(loose->second);
    fLoose.erase(loose);
    Object* parent = after->parent;
    owned->parent = parent;
    object->position = parent->children.insert(std::next(after->position), std::move(owned));
    Register(object);
    return true;
}

Object* Document::Reinsert(std::unique_ptr<Object> object, Object* parent, Object* after) {
    Object* raw = object.get();
    raw->parent = parent;
    auto where = after == nullptr ? parent->children.begin() : std::next(after->position);
    raw->position = parent->children.insert(where, std::move(object));
    Register(raw);
    return raw;
}

std::unique_ptr<Object> Document::Detach(Object* object) {
    if (object == fCurrent || (fCurrent != nullptr && LayerOf(fCurrent) == object)) fCurrent = nullptr;
    Unregister(object);
    Object* parent = object->parent;
    std::unique_ptr<Object> owned = std::move(*object->position);
    parent->children.erase(object->position);
    return owned;
}

Object* Document::Previous(const Object* object) {
    if (object->parent == nullptr || object->position == object->parent->children.begin()) return nullptr;
    return std::prev(object->position)->get();
}

void Document::Move(Object* object, const Point3D& offset) {
    for (Point3D& v : object->vertices) v = v + offset;
    for (auto& child : object->children) Move(child.get(), offset);
}

ObjectState Document::StateOf(const Object& object) const {
    return ObjectState{object.vertices, object.height, object.selected};
}

void Document::Restore(Object* object, const ObjectState& state) {
    object->vertices = state.vertices;
    object->height = state.height;
    object->selected = state.selected;
}

Object* Document::Find(int id) const {
    auto it = fById.find(id);
    return it == fById.end() ? nullptr : it->second;
}

Object* Document::FindByName(const std::string& name) const {
    for (const auto& [id, object] : fById)
        if (object->name == name) return object;
    return nullptr;
}

Object* Document::FromHandle(ObjectHandle handle) const {
    auto* object = reinterpret_cast<Object*>(handle);
    if (fInDrawing.count(object) || fLoose.count(object)) return object;
    return nullptr;
}

Object* Document::LayerOf(Object* object) {
    while (object != nullptr && object->kind != Kind::Layer) object = object->parent;
    return object;
}

namespace {
void Collect(const ObjectList& list, std::vector<Object*>& out) {
    for (const auto& object : list) {
        if (object->kind != Kind::Layer) out.push_back(object.get());
        Collect(object->children, out);
    }
}
}  // namespace

std::vector<Object*> Document::AllObjects() const {
    std::vector<Object*> out;
    Collect(fRoot.children, out);
    return out;
}

std::vector<Object*> Document::Selected() const {
    std::vector<Object*> out;
    for (Object* object : AllObjects())
        if (object->selected) out.push_back(object);
    return out;
}

bool Document::HasSelection() const {
    for (Object* object : AllObjects())
        if (object->selected) return true;
    return false;
}

void Document::Select(Object* object, bool selected) { object->selected = selected; }

void Document::ClearSelection() {
    for (Object* object : AllObjects()) object->selected = false;
}

namespace {
void Extend(Cube3D& cube, const Object& object) {
    for (const Point3D& v : object.vertices) {
        cube.minX = std::min(cube.minX, v.x);
        cube.maxX = std::max(cube.maxX, v.x);
        cube.minY = std::min(cube.minY, v.y);
        cube.maxY = std::max(cube.maxY, v.y);
        cube.minZ = std::min(cube.minZ, v.z);
        cube.maxZ = std::max(cube.maxZ, v.z + object.height);
    }
    for (const auto& child : object.children) Extend(cube, *child);
}

Rect2D PlanOf(const Cube3D& cube) {
    Rect2D rect;  // stays the empty sentinel for an empty cube
    if (cube.minX > cube.maxX) return rect;
    rect.top = cube.maxY;
    rect.left = cube.minX;
    rect.bottom = cube.minY;
    rect.right = cube.maxX;
    return rect;
}
}  // namespace

Cube3D Document::SpaceBounds(const Object& object) {
    Cube3D cube;
    Extend(cube, object);
    return cube;
}

Rect2D Document::PlanBounds(const Object& object) { return PlanOf(SpaceBounds(object)); }

Cube3D Document::SelectionCube() const {
    Cube3D cube;
    for (Object* object : Selected()) Extend(cube, *object);
    return cube;
}

Rect2D Document::SelectionBounds() const { return PlanOf(SelectionCube()); }

}  // namespace host
