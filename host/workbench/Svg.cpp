#include "workbench/Svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace workbench {

namespace {

constexpr double kWidth = 800.0;
constexpr double kHeight = 600.0;
constexpr double kMargin = 40.0;
// Feedback drawn from the empty sentinel, or anything this far out, is off
// any sheet: it is left out of the view and of the picture.
constexpr double kFarAway = 1e12;

// The drawing fills the sheet above the caption, centred, y upwards.
constexpr double kCaption = 30.0;

struct View {
    double minX = 0, minY = 0, scale = 1, padX = 0, padY = 0;
    double X(double x) const { return kMargin + padX + (x - minX) * scale; }
    double Y(double y) const { return kHeight - kCaption - kMargin - padY - (y - minY) * scale; }
};

std::string Num(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (text == "-0.00") text = "0.00";
    return text;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

bool Near(double v) { return std::isfinite(v) && std::fabs(v) < kFarAway; }

struct Extent {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    void Add(double x, double y) {
        if (!Near(x) || !Near(y)) return;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

// The plan outline of a figure as points, or nothing when it lies off the sheet.
std::vector<std::pair<double, double>> Outline(const host::Figure& f) {
    using Type = host::Figure::Type;
    std::vector<std::pair<double, double>> points;
    if (f.type == Type::Line)
        points = {{f.v[0], f.v[1]}, {f.v[2], f.v[3]}};
    else if (f.type == Type::Line3D)
        points = {{f.v[0], f.v[1]}, {f.v[3], f.v[4]}};
    else
        points = {{f.v[1], f.v[0]}, {f.v[3], f.v[0]}, {f.v[3], f.v[2]}, {f.v[1], f.v[2]}, {f.v[1], f.v[0]}};
    for (const auto& [x, y] : points)
        if (!Near(x) || !Near(y)) return {};
    return points;
}

std::string Polyline(const View& view, const std::vector<std::pair<double, double>>& points, bool closed,
                     const char* style) {
    std::string out = closed ? "<polygon points=\"" : "<polyline points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i != 0) out += ' ';
        out += Num(view.X(points[i].first)) + "," + Num(view.Y(points[i].second));
    }
    return out + "\" " + style + "/>\n";
}

}  // namespace

std::string DrawingSvg(const host::Host& host, const std::string& caption) {
    const std::vector<host::Object*> objects = host.document.AllObjects();
    Extent extent;
    for (const host::Object* o : objects)
        for (const Point3D& v : o->vertices) extent.Add(v.x, v.y);
    for (const host::Figure& f : host.feedback.Shown())
        for (const auto& [x, y] : Outline(f)) extent.Add(x, y);
    for (const Point3D& p : host.points.picked) extent.Add(p.x, p.y);
    extent.Add(host.points.cursor.x, host.points.cursor.y);
    if (extent.minX > extent.maxX) extent = Extent{0, 0, 1, 1};

    View view;
    const double spanX = std::max(extent.maxX - extent.minX, 1e-9);
    const double spanY = std::max(extent.maxY - extent.minY, 1e-9);
    const double roomX = kWidth - 2 * kMargin, roomY = kHeight - kCaption - 2 * kMargin;
    view.scale = std::min(roomX / spanX, roomY / spanY);
    view.minX = extent.minX;
    view.minY = extent.minY;
    view.padX = (roomX - spanX * view.scale) / 2;
    view.padY = (roomY - spanY * view.scale) / 2;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(kWidth) + "\" height=\"" +
                      Num(kHeight) + "\" viewBox=\"0 0 " + Num(kWidth) + " " + Num(kHeight) + "\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";

    svg += "<g id=\"objects\" fill=\"none\" stroke-linejoin=\"round\">\n";
    for (const host::Object* o : objects) {
        if (o->vertices.empty()) continue;
        std::vector<std::pair<double, double>> points;
        for (const Point3D& v : o->vertices) points.emplace_back(v.x, v.y);
        const char* style = o->selected ? "stroke=\"#1565c0\" stroke-width=\"3\" fill=\"#1565c0\" fill-opacity=\"0.12\""
                                        : "stroke=\"#333\" stroke-width=\"1.5\"";
        svg += Polyline(view, points, o->closed, style);
        const Rect2D b = host::Document::PlanBounds(*o);
        std::string label = o->name;
        if (o->height != 0.0) label += " h" + Num(o->height);
        svg += "<text x=\"" + Num(view.X(b.left)) + "\" y=\"" + Num(view.Y(b.top) - 4) +
               "\" font-family=\"sans-serif\" font-size=\"11\" fill=\"#555\">" + Escape(label) + "</text>\n";
    }
    svg += "</g>\n";

    svg += "<g id=\"feedback\" fill=\"none\" stroke=\"#d32f2f\" stroke-width=\"1.5\" stroke-dasharray=\"6 3\">\n";
    for (const host::Figure& f : host.feedback.Shown()) {
        const auto points = Outline(f);
        if (!points.empty()) svg += Polyline(view, points, false, "");
    }
    svg += "</g>\n";

    svg += "<g id=\"picked\" fill=\"#2e7d32\">\n";
    for (const Point3D& p : host.points.picked)
        svg += "<circle cx=\"" + Num(view.X(p.x)) + "\" cy=\"" + Num(view.Y(p.y)) + "\" r=\"4\"/>\n";
    svg += "</g>\n";

    const double cx = view.X(host.points.cursor.x), cy = view.Y(host.points.cursor.y);
    svg += "<g id=\"cursor\" stroke=\"black\" stroke-width=\"1\">\n";
    svg +=
        "<line x1=\"" + Num(cx - 8) + "\" y1=\"" + Num(cy) + "\" x2=\"" + Num(cx + 8) + "\" y2=\"" + Num(cy) + "\"/>\n";
    svg +=
        "<line x1=\"" + Num(cx) + "\" y1=\"" + Num(cy - 8) + "\" x2=\"" + Num(cx) + "\" y2=\"" + Num(cy + 8) + "\"/>\n";
    svg += "</g>\n";

    svg += "<text x=\"" + Num(kMargin) + "\" y=\"" + Num(kHeight - 12) +
           "\" font-family=\"monospace\" font-size=\"13\">" + Escape(caption) + "</text>\n";
    svg += "</svg>\n";
    return svg;
}

}  // namespace workbench
