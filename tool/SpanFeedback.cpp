// The preview: the span line and the selection's outline at every place where
// it or a copy will land. It is a pure function of the record, the picked
// points, the cursor and the selection's bounds, so drawing it twice with
// nothing changed erases it; the cursor event relies on that.
#include "tool/SpanFeedback.h"

#include "Landings.h"
#include "WorkSpace.h"

namespace {

// Outline k lies k steps from the selection's bounds.
template <class Work>
void DrawOutlines(CallbackBlock* callbacks, typename Work::Box box, const TSpanLanding<typename Work::Point>& landing) {
    for (int32_t k = 1; k <= landing.places; ++k) {
        Work::Shift(box, landing.step);
        Work::DrawBox(callbacks, box);
    }
}

template <class Work>
void DrawFigure(CallbackBlock* callbacks, Handle settings, int32_t points) {
    const typename Work::Box box = Work::SelectionBox(callbacks);
    const ToolSettings record = Settings(settings);  // a copy: the host calls below may move the block

    switch (record.mode) {
        case kModeSpan:
        case kModeParts: {
            const bool parts = record.mode == kModeParts;
            if (parts && record.count < 1) break;  // nothing to divide by
            const typename Work::Point a = Work::PickedPoint(callbacks, 0);
            const typename Work::Point b = Work::CursorPoint(callbacks);
            const auto landing =
                LimitForPreview(LandAlongSpan(record.mode, record.count, record.duplicate != 0, a, b));
            if (parts) {
                KS_SetDataFieldLength(callbacks, kPartLengthField, landing.step.Length());
                Work::DrawLine(callbacks, a, a + landing.step);  // the first part only
            } else {
                Work::DrawLine(callbacks, a, b);
            }
            DrawOutlines<Work>(callbacks, box, landing);
            break;
        }
        case kModePath: {
            const TPathVertices<Work> path{callbacks, points, true};
            typename Work::Box outline = box;
            const int32_t segments = path.Segments() < kMaxPreviewPlaces ? path.Segments() : kMaxPreviewPlaces;
            WalkPath(path, segments, [&](const typename Work::Point& a, const typename Work::Point& b) {
                Work::DrawLine(callbacks, a, b);
                Work::Shift(outline, b - a);
                Work::DrawBox(callbacks, outline);
            });
            break;
        }
        default:
            break;
    }
}

}  // namespace

void DrawSpanFeedback(CallbackBlock* callbacks, Handle settings) {
    const int32_t points = PickedPointCount(callbacks);
    if (Settings(settings).repeatLast || points == 0) return;
    if (Settings(settings).planar)
        DrawFigure<PlanWork>(callbacks, settings, points);
    else
        DrawFigure<SpaceWork>(callbacks, settings, points);
}

void DrawCubeEdges(CallbackBlock* callbacks, Cube3D box) {
    const Point3D corner[8] = {{box.minX, box.minY, box.maxZ}, {box.maxX, box.minY, box.maxZ},
                               {box.maxX, box.maxY, box.maxZ}, {box.minX, box.maxY, box.maxZ},
                               {box.minX, box.minY, box.minZ}, {box.maxX, box.minY, box.minZ},
                               {box.maxX, box.maxY, box.minZ}, {box.minX, box.maxY, box.minZ}};
    // The face at maxZ, the face at minZ, then the four edges between them.
    static constexpr int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                          {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (const auto& edge : kEdges) KS_DrawFeedbackLine3D(callbacks, &corner[edge[0]], &corner[edge[1]]);
}

void SpaceWork::DrawBox(CallbackBlock* callbacks, const Box& box) { DrawCubeEdges(callbacks, box); }
