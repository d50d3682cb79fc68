// Queries of the drawing: selection, containers, layers, bounds.
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail::services {

int32_t HasSelection(Host& host) { return host.document.HasSelection() ? 1 : 0; }

ObjectHandle GetCurrentContainer(Host& host) { return Document::ToHandle(host.document.CurrentContainer()); }

int16_t GetObjectKind(Host& host, ObjectHandle handle) {
    if (handle == nullptr) return 0;
    const Object* object = host.document.FromHandle(handle);
    if (object == nullptr) {
        host.Fault("KS_GetObjectKind of an unknown object");
        return 0;
    }
    return static_cast<int16_t>(object->kind);
}

ObjectHandle GetParentObject(Host& host, ObjectHandle handle) {
    if (handle == nullptr) return nullptr;
    const Object* object = host.document.FromHandle(handle);
    if (object == nullptr) {
        host.Fault("KS_GetParentObject of an unknown object");
        return nullptr;
    }
    // Layers are at the top: the drawing itself is not an object of the tool's.
    if (object->kind == Kind::Layer) return nullptr;
    return Document::ToHandle(object->parent);
}

int16_t GetLayerViewKind(Host& host, ObjectHandle handle) {
    const Object* object = host.document.FromHandle(handle);
    if (object == nullptr || object->kind != Kind::Layer) {
        host.Fault("KS_GetLayerViewKind of something that is not a layer");
        return -1;
    }
    return object->viewKind;
}

void GetSelectionBounds(Host& host, Rect2D* bounds, int16_t) {
    if (bounds == nullptr || !host.document.HasSelection()) return;  // nothing selected: left as it was
    *bounds = host.document.SelectionBounds();
    host.log.Note(host.log.Current(), FormatRect(*bounds));
}

int32_t GetSelectionCube(Host& host, Cube3D* bounds) {
    if (bounds == nullptr || !host.document.HasSelection()) return 0;
    *bounds = host.document.SelectionCube();
    host.log.Note(host.log.Current(), FormatCube(*bounds));
    return 1;
}

}  // namespace host::detail::services
