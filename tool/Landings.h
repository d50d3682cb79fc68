// Where the selection or its copies land: the one rule that the preview
// draws and the completion carries out, so that copy k lies exactly where
// outline k was drawn.
//
// Two-point modes: the selection lands `places` times, each place one step
// further than the last; the first lies one step from the selection. The
// completion makes each copy from the previous one and moves it by the step
// once more, so the preview shifts its outline by the step again for each
// place (a running sum, as the host adds the moves, never k times the step).
//
// Path mode: each segment that gets somewhere is a step, and place k lies at
// the sum of the first k steps, reached the same way (WalkPath).
#pragma once

#include <cmath>

#include "tool/SpanFeedback.h"
#include "tool/ToolSettings.h"

template <class Point>
struct TSpanLanding {
    Point step;      // from one place to the next
    int32_t places;  // count copies when duplicating, otherwise the selection moved once
};

// The span from `from` to `to` in mode 1 or 2: span mode steps the whole
// span, parts mode one of `count` parts (count must be at least 1 there).
template <class Point>
TSpanLanding<Point> LandAlongSpan(int16_t mode, int32_t count, bool duplicate, const Point& from, const Point& to) {
    const Point span = to - from;
    return {mode == kModeParts ? span / static_cast<double>(count) : span, duplicate ? count : 1};
}

template <class Point>
TSpanLanding<Point> LimitForPreview(TSpanLanding<Point> landing) {
    if (landing.places > kMaxPreviewPlaces) landing.places = kMaxPreviewPlaces;
    return landing;
}

// A step that lands somewhere: no coordinate is a NaN or an infinity. A span
// picked at such points, or one too long for a double, moves nothing.
inline bool IsFinite(const Point2D& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
inline bool IsFinite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

inline bool IsZero(const Point2D& p) { return p.x == 0.0 && p.y == 0.0; }
inline bool IsZero(const Point3D& p) { return p.x == 0.0 && p.y == 0.0 && p.z == 0.0; }

// The vertices of a path: the picked points and, while the user is still
// picking, the cursor after them.
template <class Work>
struct TPathVertices {
    CallbackBlock* callbacks;
    int32_t picked;
    bool endsAtCursor;

    int32_t Segments() const { return endsAtCursor ? picked : picked - 1; }
    typename Work::Point At(int32_t i) const {
        return i < picked ? Work::PickedPoint(callbacks, i) : Work::CursorPoint(callbacks);
    }
};

// Calls step(a, b) for each segment of the path from vertex a to vertex b,
// in order, over at most `segments` segments. A vertex equal to the one
// before it (a point picked twice, or the cursor still on the last point)
// makes no step: the path goes on from it, so no copy or outline lands on
// the one before. Place k lies at the sum of the first k steps.
template <class Work, class Step>
void WalkPath(const TPathVertices<Work>& path, int32_t segments, Step step) {
    for (int32_t i = 0; i < segments; ++i) {
        const typename Work::Point a = path.At(i);
        const typename Work::Point b = path.At(i + 1);
        if (!IsZero(b - a)) step(a, b);
    }
}
