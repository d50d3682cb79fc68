#include "workbench/Scene.h"

#include <algorithm>

namespace workbench {

namespace {

// Anything this far out is off any sheet: the empty sentinel the tool draws
// from, or a figure gone wild. It is left out of the view and the picture.
constexpr double kFarAway = 1e12;

bool Near(double v) { return std::isfinite(v) && std::fabs(v) < kFarAway; }
bool Near(const Point3D& p) { return Near(p.x) && Near(p.y) && Near(p.z); }

constexpr int16_t kCountField = 5;

}  // namespace

std::vector<Point3D> FigurePoints(const host::Figure& f) {
    using Type = host::Figure::Type;
    std::vector<Point3D> points;
    if (f.type == Type::Line)
        points = {{f.v[0], f.v[1], 0.0}, {f.v[2], f.v[3], 0.0}};
    else if (f.type == Type::Line3D)
        points = {{f.v[0], f.v[1], f.v[2]}, {f.v[3], f.v[4], f.v[5]}};
    else  // top, left, bottom, right
        points = {{f.v[1], f.v[0], 0.0},
                  {f.v[3], f.v[0], 0.0},
                  {f.v[3], f.v[2], 0.0},
                  {f.v[1], f.v[2], 0.0},
                  {f.v[1], f.v[0], 0.0}};
    if (!std::all_of(points.begin(), points.end(), [](const Point3D& p) { return Near(p); })) return {};
    return points;
}

Scene TakeScene(const host::Host& host, int32_t cursorId, const std::vector<Point3D>& lastPicked, std::string caption) {
    Scene scene;
    scene.caption = std::move(caption);
    for (const host::Object* o : host.document.AllObjects()) {
        if (o->vertices.empty()) continue;  // layers and groups draw nothing themselves
        scene.objects.push_back({o->name, o->vertices, o->height, o->closed, o->selected});
    }
    for (const host::Figure& f : host.feedback.Shown())
        if (!FigurePoints(f).empty()) scene.feedback.push_back(f);
    scene.picked = host.points.picked;
    scene.lastPicked = lastPicked;
    scene.cursor = host.points.cursor;
    scene.cursorId = cursorId;
    if (!host.modeBar.groups.empty()) scene.mode = host.modeBar.groups.front().choice;
    if (auto it = host.dataBar.shown.find(kCountField); it != host.dataBar.shown.end()) {
        if (it->second.value)
            scene.count = *it->second.value;
        else if (it->second.length)
            scene.count = *it->second.length;
    }
    return scene;
}

void Extent::Add(const Point3D& p) {
    if (!Near(p)) return;
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
    minZ = std::min(minZ, p.z);
    maxZ = std::max(maxZ, p.z);
    raised = raised || p.z != 0.0;
}

void Extent::Add(const Scene& scene) {
    for (const SceneObject& o : scene.objects)
        for (const Point3D& v : o.vertices) {
            Add(v);
            if (o.height != 0.0 && Near(o.height)) Add(Point3D(v.x, v.y, v.z + o.height));
        }
    for (const host::Figure& f : scene.feedback)
        for (const Point3D& p : FigurePoints(f)) Add(p);
    for (const Point3D& p : scene.picked) Add(p);
    for (const Point3D& p : scene.lastPicked) Add(p);
    Add(scene.cursor);
}

}  // namespace workbench
