#include "host/Feedback.h"

#include <cstring>
#include <utility>

namespace host {

namespace {
uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A line is the same figure whichever end it is drawn from.
template <std::size_t N>
void OrderEnds(std::array<double, 6>& v) {
    bool swap = false;
    for (std::size_t i = 0; i < N; ++i) {
        if (Bits(v[i]) != Bits(v[i + N])) {
            swap = Bits(v[i]) > Bits(v[i + N]);
            break;
        }
    }
    if (swap)
        for (std::size_t i = 0; i < N; ++i) std::swap(v[i], v[i + N]);
}
}  // namespace

Figure Figure::Line(const Point2D& from, const Point2D& to) {
    Figure f;
    f.type = Type::Line;
    f.v = {from.x, from.y, to.x, to.y, 0.0, 0.0};
    OrderEnds<2>(f.v);
    return f;
}

Figure Figure::Rect(const Rect2D& rect) {
    Figure f;
    f.type = Type::Rect;
    f.v = {rect.top, rect.left, rect.bottom, rect.right, 0.0, 0.0};
    return f;
}

Figure Figure::Line3D(const Point3D& from, const Point3D& to) {
    Figure f;
    f.type = Type::Line3D;
    f.v = {from.x, from.y, from.z, to.x, to.y, to.z};
    OrderEnds<3>(f.v);
    return f;
}

bool Figure::operator<(const Figure& other) const {
    if (type != other.type) return type < other.type;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (Bits(v[i]) != Bits(other.v[i])) return Bits(v[i]) < Bits(other.v[i]);
    return false;
}

std::size_t FigureHash::operator()(const Figure& figure) const {
    uint64_t h = static_cast<uint64_t>(figure.type) + 0x9E3779B97F4A7C15ull;
    for (double value : figure.v) h = (h ^ Bits(value)) * 0x100000001B3ull + (h >> 29);
    return static_cast<std::size_t>(h);
}

void FeedbackOverlay::Draw(const Figure& figure) {
    ++fDraws;
    fStale = true;
    auto [it, inserted] = fShown.insert(figure);
    if (!inserted) fShown.erase(it);
}

const std::set<Figure>& FeedbackOverlay::Shown() const {
    if (fStale) {
        fOrdered = std::set<Figure>(fShown.begin(), fShown.end());
        fStale = false;
    }
    return fOrdered;
}

std::set<Figure> FeedbackOverlay::Xor(const std::vector<Figure>& figures) {
    FeedbackOverlay screen;
    for (const Figure& f : figures) screen.Draw(f);
    return screen.Shown();
}

}  // namespace host
