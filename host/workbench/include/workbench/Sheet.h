// Where a run's drawings put things: one sheet, one scale and one place for
// every frame, fitted to what the whole run shows, so that a sequence of
// frames does not jump. The plan is seen from above (x across, y up); when
// something stands above the plan, an elevation looking north (x across,
// z up) goes below or beside it, whichever leaves the larger scale.
#pragma once

#include <optional>

#include "workbench/Scene.h"

namespace workbench {

struct SheetPoint {
    double x = 0, y = 0;
};

struct SheetBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool Overlaps(const SheetBox& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool Inside(const SheetBox& other) const {
        return left >= other.left && right <= other.right && top >= other.top && bottom <= other.bottom;
    }
};

// One view on the sheet: its box, and the sheet point of the drawing point
// (a0, b0) it is fitted to; `a` runs right, `b` up.
struct Panel {
    enum class Kind { Plan, Elevation };
    Kind kind = Kind::Plan;
    SheetBox box;
    double x0 = 0, y0 = 0, a0 = 0, b0 = 0, scale = 1;

    // The sheet point of a drawing point: (x, y) in the plan, (x, z) in the elevation.
    SheetPoint At(const Point3D& p) const {
        const double b = kind == Kind::Plan ? p.y : p.z;
        return {x0 + (p.x - a0) * scale, y0 - (b - b0) * scale};
    }
};

struct Sheet {
    static constexpr double kWidth = 800;
    static constexpr double kHeight = 640;
    static constexpr double kHeader = 60;  // title and legend
    static constexpr double kFooter = 44;  // status line and caption

    Panel plan;
    std::optional<Panel> elevation;
    double scale = 1;     // sheet pixels per drawing unit
    double scaleBar = 1;  // a round length in drawing units, at most 120 pixels long
};

Sheet FitSheet(const Extent& extent);

}  // namespace workbench
