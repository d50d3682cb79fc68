#include "View.h"

#include <algorithm>
#include <cmath>

namespace window {

void Extent::Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

Extent DrawingExtent(const host::Document& document) {
    Extent extent;
    for (const host::Object* object : document.AllObjects())
        for (const Point3D& v : object->vertices) extent.Add(v.x, v.y);
    return extent;
}

void View::Resize(int width, int height) {
    fWidth = std::max(width, 1);
    fHeight = std::max(height, 1);
}

Pixel View::ToPixel(double x, double y) const {
    return {fWidth / 2.0 + (x - fCenterX) * fScale, fHeight / 2.0 - (y - fCenterY) * fScale};
}

Point3D View::ToWorld(const Pixel& p) const {
    return Point3D(fCenterX + (p.x - fWidth / 2.0) / fScale, fCenterY - (p.y - fHeight / 2.0) / fScale, 0.0);
}

void View::Fit(const Extent& extent, int margin) {
    if (extent.empty) {
        fCenterX = fCenterY = 0.0;
        fScale = 20.0;
        return;
    }
    fCenterX = (extent.minX + extent.maxX) / 2.0;
    fCenterY = (extent.minY + extent.maxY) / 2.0;
    const double roomX = std::max(fWidth - 2.0 * margin, 1.0);
    const double roomY = std::max(fHeight - 2.0 * margin, 1.0);
    const double spanX = extent.maxX - extent.minX, spanY = extent.maxY - extent.minY;
    double scale = kMaxScale;
    if (spanX > 0.0) scale = std::min(scale, roomX / spanX);
    if (spanY > 0.0) scale = std::min(scale, roomY / spanY);
    if (spanX <= 0.0 && spanY <= 0.0) scale = 20.0;  // a single point
    fScale = std::clamp(scale, kMinScale, kMaxScale);
}

void View::ZoomAt(const Pixel& at, double factor) {
    if (!(factor > 0.0)) return;
    const Point3D fixed = ToWorld(at);
    fScale = std::clamp(fScale * factor, kMinScale, kMaxScale);
    // Put the fixed world point back under the pixel.
    fCenterX = fixed.x - (at.x - fWidth / 2.0) / fScale;
    fCenterY = fixed.y + (at.y - fHeight / 2.0) / fScale;
}

void View::Pan(double dx, double dy) {
    fCenterX -= dx / fScale;
    fCenterY += dy / fScale;
}

double NiceStep(double least) {
    if (!(least > 0.0) || !std::isfinite(least)) return 1.0;
    double power = std::pow(10.0, std::floor(std::log10(least)));
    for (;;) {
        for (double m : {1.0, 2.0, 5.0})
            if (m * power >= least * (1 - 1e-12)) return m * power;
        power *= 10.0;
    }
}

double View::SnapStep() const { return NiceStep(kMinSnapPixels / fScale); }

Point3D View::Snapped(const Pixel& p) const {
    const Point3D w = ToWorld(p);
    const double step = SnapStep();
    // Steps below 1 divide by their whole inverse, so 0.3 comes out as the
    // double nearest 0.3 and not as 3 * 0.1.
    const double inverse = step < 1.0 ? std::round(1.0 / step) : 0.0;
    auto snap = [step, inverse](double v) {
        const double s = inverse != 0.0 ? std::round(v * inverse) / inverse : std::round(v / step) * step;
        return s == 0.0 ? 0.0 : s;  // no negative zero in the tool's points
    };
    return Point3D(snap(w.x), snap(w.y), 0.0);
}

}  // namespace window
