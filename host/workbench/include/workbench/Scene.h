// What one drawing shows, copied out of the host after a script line: the
// objects, the tool's feedback, the points, the cursor and the tool's state
// for the status line. Drawings are made from scenes, so a run can fit one
// view to all its frames before it draws any of them.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"

namespace workbench {

struct SceneObject {
    std::string name;
    std::vector<Point3D> vertices;  // the plan outline at its base elevation
    double height = 0.0;
    bool closed = false;
    bool selected = false;
};

struct Scene {
    std::string caption;  // "line 16: click 6 0"
    std::vector<SceneObject> objects;
    std::vector<host::Figure> feedback;  // on screen, those near enough to draw
    std::vector<Point3D> picked;         // the action in progress
    std::vector<Point3D> lastPicked;     // the points of the action that completed last
    Point3D cursor{0.0, 0.0, 0.0};
    int32_t cursorId = 0;
    int mode = 0;                 // the mode bar's first group: 1 span, 2 parts, 3 path; 0 none
    std::optional<double> count;  // data-bar field 5, when it shows a value
};

Scene TakeScene(const host::Host& host, int32_t cursorId, const std::vector<Point3D>& lastPicked, std::string caption);

// The figure's ends in space: Line and Rect figures lie at z 0. Empty for a
// figure drawn out of reach (the empty sentinel), which no sheet can hold.
std::vector<Point3D> FigurePoints(const host::Figure& figure);

// The union of what scenes show, in drawing units.
struct Extent {
    double minX = HUGE_VAL, minY = HUGE_VAL, minZ = HUGE_VAL;
    double maxX = -HUGE_VAL, maxY = -HUGE_VAL, maxZ = -HUGE_VAL;
    // Something stands above the plan (a height, a z): a view from the side
    // is needed, or copies stacked above one another hide each other.
    bool raised = false;

    void Add(const Point3D& p);
    void Add(const Scene& scene);
    bool Empty() const { return minX > maxX; }
};

}  // namespace workbench
