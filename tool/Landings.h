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
// Path mode: segment i runs from vertex i to vertex i + 1, and place k lies
// at the sum of the first k segments, reached the same way.
#pragma once

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
