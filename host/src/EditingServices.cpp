// Changes to the drawing: selection marks, the object visit, duplicates,
// moves and their undo records, and the tool's feedback drawing.
#include <cmath>

#include "interface/ToolProtocol.h"
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail::services {

namespace {

Object* Known(Host& host, ObjectHandle handle, const char* function) {
    Object* object = host.document.FromHandle(handle);
    if (object == nullptr) host.Fault(std::string(function) + " of an object that is not in the drawing");
    return object;
}

void Move(Host& host, ObjectHandle handle, const Point3D& offset, const char* function) {
    Object* object = Known(host, handle, function);
    if (object == nullptr) return;
    // Undo could not put the object back: its move was never announced.
    if (!host.undo.Knows(object))
        host.Fault(std::string(function) + " of " + object->name + " without an undo record of the open step",
                   FaultKind::Undo);
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y) || !std::isfinite(offset.z))
        host.Fault(std::string(function) + " of " + object->name + " by " + FormatPoint(offset) +
                       ", which is not a finite vector",
                   FaultKind::NonFinite);
    host.document.Move(object, offset);
}

Boolean RecordMove(Host& host, ObjectHandle handle, const char* function) {
    Object* object = Known(host, handle, function);
    if (object == nullptr) return 0;
    if (!host.undo.RecordMove(object)) {
        host.Fault(std::string(function) + " with no undo step open", FaultKind::Undo);
        return 0;
    }
    return 1;
}
}  // namespace

void SetObjectSelected(Host& host, ObjectHandle handle, Boolean selected) {
    if (Object* object = Known(host, handle, "KS_SetObjectSelected")) host.document.Select(object, selected != 0);
}

// Visits the objects selected when the visit begins, in drawing order; what
// the visit creates is not visited.
void ForEachObject(Host& host, int16_t which, ObjectVisitor visit, void* env, CallbackBlock* block) {
    if (which != kVisitSelected || visit == nullptr) {
        host.Fault("KS_ForEachObject(" + std::to_string(which) + ") is not a visit this host offers");
        return;
    }
    for (Object* object : host.document.Selected()) {
        if (host.document.FromHandle(Document::ToHandle(object)) == nullptr) continue;  // gone meanwhile
        visit(Document::ToHandle(object), block, env);
    }
}

ObjectHandle DuplicateObject(Host& host, ObjectHandle source) {
    const Object* object = Known(host, source, "KS_DuplicateObject");
    if (object == nullptr || ++host.duplicateCalls == host.failDuplicateCall) return nullptr;
    if (host.document.ObjectCount() >= host.maxObjects) return nullptr;  // the drawing is full
    Object* copy = host.document.Duplicate(*object);
    copy->selected = false;
    return Document::ToHandle(copy);
}

void InsertObjectAfter(Host& host, ObjectHandle handle, ObjectHandle after) {
    Object* object = host.document.FromHandle(handle);
    Object* anchor = host.document.FromHandle(after);
    if (object == nullptr || anchor == nullptr || !host.document.InsertLooseAfter(object, anchor))
        host.Fault("KS_InsertObjectAfter of an object that is not new, or after one that is not in the drawing");
}

void MoveObject(Host& host, ObjectHandle object, const double* dx, const double* dy) {
    Move(host, object, Point3D(*dx, *dy, 0.0), "KS_MoveObject");
}

void MoveObject3D(Host& host, ObjectHandle object, const double* dx, const double* dy, const double* dz) {
    Move(host, object, Point3D(*dx, *dy, *dz), "KS_MoveObject3D");
}

void BeginUndoStep(Host& host, int16_t kind) { host.undo.Begin(host.document, kind); }

void NameUndoStep(Host& host, const unsigned char* name) {
    if (!host.undo.Open()) host.Fault("KS_NameUndoStep with no undo step open", FaultKind::Undo);
    host.undo.Name(FromPascal(name));
}

Boolean UndoRecordMove(Host& host, ObjectHandle object, const double*, const double*) {
    return RecordMove(host, object, "KS_UndoRecordMove");
}

Boolean UndoRecordMove3D(Host& host, ObjectHandle object, const double*, const double*, const double*) {
    return RecordMove(host, object, "KS_UndoRecordMove3D");
}

Boolean UndoRecordNewObject(Host& host, ObjectHandle handle) {
    Object* object = Known(host, handle, "KS_UndoRecordNewObject");
    if (object == nullptr) return 0;
    if (host.document.IsLoose(object)) host.Fault("KS_UndoRecordNewObject of an object not yet in the drawing");
    if (!host.undo.RecordNew(object)) {
        host.Fault("KS_UndoRecordNewObject with no undo step open", FaultKind::Undo);
        return 0;
    }
    return 1;
}

void DrawFeedbackLine(Host& host, const Point2D* from, const Point2D* to) {
    host.feedback.Draw(Figure::Line(*from, *to));
}

void DrawFeedbackRect(Host& host, const Rect2D* rect) { host.feedback.Draw(Figure::Rect(*rect)); }

void DrawFeedbackLine3D(Host& host, const Point3D* from, const Point3D* to) {
    host.feedback.Draw(Figure::Line3D(*from, *to));
}

}  // namespace host::detail::services
