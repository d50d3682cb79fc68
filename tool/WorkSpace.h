// Plan work and spatial work side by side: the point and box types, the host
// calls and the stored offset of each, so that the preview and the operation
// are written once for both.
#pragma once

#include "callbacks/KSCallbacks.h"
#include "tool/ToolSettings.h"

// Points picked so far in this action. A host without the function answers
// -1, which counts as no point picked.
inline int32_t PickedPointCount(CallbackBlock* callbacks) {
    const int32_t points = KS_GetToolPointCount(callbacks);
    return points < 0 ? 0 : points;
}

struct PlanWork {
    using Point = Point2D;
    using Box = Rect2D;

    static Point Origin() { return Point(0.0, 0.0); }
    static Point3D AsTriple(const Point& p) { return Point3D(p, 0.0); }
    static Point PickedPoint(CallbackBlock* callbacks, int32_t index) {
        Point p = Origin();
        KS_GetToolPoint(callbacks, index, &p);
        return p;
    }
    static Point CursorPoint(CallbackBlock* callbacks) {
        Point p = Origin();
        KS_GetCurrentToolPoint(callbacks, &p);
        return p;
    }
    static Box SelectionBox(CallbackBlock* callbacks) {
        Box box;  // stays the empty sentinel when the host leaves it alone
        KS_GetSelectionBounds(callbacks, &box, 1);
        return box;
    }
    static void Shift(Box& box, const Point& d) {
        box.left += d.x;
        box.right += d.x;
        box.top += d.y;
        box.bottom += d.y;
    }
    static void DrawLine(CallbackBlock* callbacks, const Point& from, const Point& to) {
        KS_DrawFeedbackLine(callbacks, &from, &to);
    }
    static void DrawBox(CallbackBlock* callbacks, const Box& box) { KS_DrawFeedbackRect(callbacks, &box); }

    // The stored step of this kind of work, and the companion kept in step.
    static Point& Offset(ToolSettings& settings) { return settings.planOffset; }
    static void StoreSpan(ToolSettings& settings, const Point& span) {
        settings.planOffset = span;
        settings.spaceOffset = Point3D(span.x, span.y, 0.0);
    }
    static void Move(CallbackBlock* callbacks, ObjectHandle object, const Point& v) {
        KS_MoveObject(callbacks, object, v.x, v.y);
    }
    static void RecordMove(CallbackBlock* callbacks, ObjectHandle object, const Point& v) {
        KS_UndoRecordMove(callbacks, object, v.x, v.y);
    }
};

struct SpaceWork {
    using Point = Point3D;
    using Box = Cube3D;

    static Point Origin() { return Point(0.0, 0.0, 0.0); }
    static Point3D AsTriple(const Point& p) { return p; }
    static Point PickedPoint(CallbackBlock* callbacks, int32_t index) {
        Point p = Origin();
        KS_GetToolPoint3D(callbacks, index, &p);
        return p;
    }
    static Point CursorPoint(CallbackBlock* callbacks) {
        Point p = Origin();
        KS_GetCurrentToolPoint3D(callbacks, &p);
        return p;
    }
    static Box SelectionBox(CallbackBlock* callbacks) {
        Box box;
        KS_GetSelectionCube(callbacks, &box);
        return box;
    }
    static void Shift(Box& box, const Point& d) {
        box.maxX += d.x;
        box.minX += d.x;
        box.maxY += d.y;
        box.minY += d.y;
        box.maxZ += d.z;
        box.minZ += d.z;
    }
    static void DrawLine(CallbackBlock* callbacks, const Point& from, const Point& to) {
        KS_DrawFeedbackLine3D(callbacks, &from, &to);
    }
    static void DrawBox(CallbackBlock* callbacks, const Box& box);

    static Point& Offset(ToolSettings& settings) { return settings.spaceOffset; }
    static void StoreSpan(ToolSettings& settings, const Point& span) {
        settings.spaceOffset = span;
        settings.planOffset = Point2D(span.x, span.y);
    }
    static void Move(CallbackBlock* callbacks, ObjectHandle object, const Point& v) {
        KS_MoveObject3D(callbacks, object, v.x, v.y, v.z);
    }
    static void RecordMove(CallbackBlock* callbacks, ObjectHandle object, const Point& v) {
        KS_UndoRecordMove3D(callbacks, object, v.x, v.y, v.z);
    }
};
