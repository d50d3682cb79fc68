// How the window shows the drawing: world units to client pixels (y grows
// upwards in the drawing and downwards on screen), pan, zoom, fit, and the
// grid the mouse snaps to.
#pragma once

#include <vector>

#include "host/Document.h"

namespace window {

struct Pixel {
    double x = 0.0;
    double y = 0.0;
};

// The world rectangle that holds what is to be seen; empty until something
// is added.
struct Extent {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    bool empty = true;
    void Add(double x, double y);
};

// Every vertex of every drawing object.
Extent DrawingExtent(const host::Document& document);

class View {
public:
    // The client area in pixels.
    void Resize(int width, int height);
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }

    Pixel ToPixel(double x, double y) const;
    Point3D ToWorld(const Pixel& p) const;

    // Shows `extent` whole and centred, `margin` pixels from every side; an
    // empty extent (or a single point) is shown at 20 pixels a unit.
    void Fit(const Extent& extent, int margin = 40);
    // Zooms by `factor` (above 1: in) keeping the world point under `at`
    // where it is.
    void ZoomAt(const Pixel& at, double factor);
    // Moves the drawing by a number of pixels.
    void Pan(double dx, double dy);

    // Pixels per world unit.
    double Scale() const { return fScale; }
    // The snap step: the smallest of 1, 2 and 5 times a power of ten that is
    // at least kMinSnapPixels wide at this zoom.
    double SnapStep() const;
    // The world point under a pixel, rounded to the snap step.
    Point3D Snapped(const Pixel& p) const;

    static constexpr double kMinSnapPixels = 8.0;
    static constexpr double kMinScale = 1e-6;
    static constexpr double kMaxScale = 1e6;

private:
    int fWidth = 1, fHeight = 1;
    double fCenterX = 0.0, fCenterY = 0.0;  // world point at the client's centre
    double fScale = 20.0;
};

// The smallest of 1, 2 and 5 times a power of ten that is at least `least`.
double NiceStep(double least);

}  // namespace window
