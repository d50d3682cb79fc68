// The tool's feedback drawing as the screen would hold it: drawing a figure
// that is on screen removes it (exclusive-or), so a figure drawn twice
// leaves nothing behind.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <unordered_set>
#include <vector>

#include "kernel/DKCoordTypes.h"

namespace host {

struct Figure {
    enum class Type { Line, Rect, Line3D };
    Type type = Type::Line;
    // Line: x0, y0, x1, y1; Rect: top, left, bottom, right; Line3D: both ends.
    std::array<double, 6> v{};

    static Figure Line(const Point2D& from, const Point2D& to);
    static Figure Rect(const Rect2D& rect);
    static Figure Line3D(const Point3D& from, const Point3D& to);

    // Ordered by the bits of the coordinates: the same drawing call always
    // gives the same figure, NaNs and signed zeros included.
    bool operator<(const Figure& other) const;
    bool operator==(const Figure& other) const { return !(*this < other) && !(other < *this); }
};

// Hashes the same bits that the order compares.
struct FigureHash {
    std::size_t operator()(const Figure& figure) const;
};

class FeedbackOverlay {
public:
    void Draw(const Figure& figure);
    // In figure order, sorted when asked for after a change.
    const std::set<Figure>& Shown() const;
    bool Empty() const { return fShown.empty(); }
    void Clear() {
        fShown.clear();
        fStale = true;
    }
    // How many figures were drawn in all (erasing draws included).
    long Draws() const { return fDraws; }

    // The figures that drawing `figures` onto an empty screen leaves.
    static std::set<Figure> Xor(const std::vector<Figure>& figures);

private:
    // A hash set, so that drawing costs the same however many figures are
    // on screen; the ordered view is made only for those who read it.
    std::unordered_set<Figure, FigureHash> fShown;
    mutable std::set<Figure> fOrdered;
    mutable bool fStale = false;
    long fDraws = 0;
};

}  // namespace host
