#include "workbench/Svg.h"

#include <algorithm>
#include <vector>

#include "Art.h"
#include "host/Transcript.h"
#include "workbench/Cursors.h"
#include "workbench/Labels.h"
#include "workbench/Markup.h"

namespace workbench {

namespace {

const char* const kObjectStyle = "stroke=\"#333\" stroke-width=\"1.5\" fill=\"none\"";
const char* const kSelectedStyle = "stroke=\"#1565c0\" stroke-width=\"2.5\" fill=\"#1565c0\" fill-opacity=\"0.12\"";
const char* const kPreviewStyle = "stroke=\"#d32f2f\" stroke-width=\"1.5\" stroke-dasharray=\"6 3\" fill=\"none\"";
const char* const kPickedStyle = "fill=\"#2e7d32\"";
const char* const kLastStyle = "fill=\"white\" stroke=\"#81c784\" stroke-width=\"1.5\"";
const char* const kLastPathStyle = "stroke=\"#a5d6a7\" stroke-width=\"1.5\" stroke-dasharray=\"2 3\" fill=\"none\"";

constexpr double kLabelSize = 11;
constexpr double kLabelCharWidth = 6.4;  // a generous average for sans-serif at 11 pixels
constexpr int32_t kLegendCursor = 17002;

std::string N(double v) { return SheetNumber(v); }

std::string Points(const Panel& panel, const std::vector<Point3D>& points) {
    std::string out;
    for (const Point3D& p : points) {
        const SheetPoint s = panel.At(p);
        if (!out.empty()) out += ' ';
        out += N(s.x) + "," + N(s.y);
    }
    return out;
}

std::string Poly(const Panel& panel, const std::vector<Point3D>& points, bool closed, const char* style) {
    return std::string(closed ? "<polygon" : "<polyline") + " points=\"" + Points(panel, points) + "\" " + style +
           "/>\n";
}

std::string Circle(SheetPoint at, double r, const char* style) {
    return "<circle cx=\"" + N(at.x) + "\" cy=\"" + N(at.y) + "\" r=\"" + N(r) + "\" " + style + "/>\n";
}

std::string Text(double x, double y, const std::string& text, const std::string& style) {
    return "<text x=\"" + N(x) + "\" y=\"" + N(y) + "\" " + style + ">" + EscapeMarkup(text) + "</text>\n";
}

// What an object shows in a panel: its outline in the plan; in the
// elevation the side it shows looking north, from its base to its top.
std::vector<Point3D> Outline(const Panel& panel, const SceneObject& o, bool& closed) {
    closed = o.closed;
    if (panel.kind == Panel::Kind::Plan) return o.vertices;
    double left = o.vertices.front().x, right = left, low = o.vertices.front().z, high = low;
    for (const Point3D& v : o.vertices) {
        left = std::min(left, v.x), right = std::max(right, v.x);
        low = std::min(low, v.z), high = std::max(high, v.z + o.height);
    }
    closed = true;
    return {{left, 0, low}, {right, 0, low}, {right, 0, high}, {left, 0, high}};
}

SheetBox BoxOf(const Panel& panel, const std::vector<Point3D>& points) {
    SheetBox box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const Point3D& p : points) {
        const SheetPoint s = panel.At(p);
        box = {std::min(box.left, s.x), std::min(box.top, s.y), std::max(box.right, s.x), std::max(box.bottom, s.y)};
    }
    return box;
}

double LabelWidth(const std::string& text) { return kLabelCharWidth * static_cast<double>(text.size()) + 2; }

// The cursor's 32 by 32 picture, one sheet pixel per cursor pixel at
// `scale` 1, its hotspot on `at`: each row's runs of one shade as one path.
std::string CursorArt(int32_t id, SheetPoint at, double scale) {
    const cursorgen::Cursor* picture = CursorPicture(id);
    if (picture == nullptr) return Circle(at, 3, "fill=\"none\" stroke=\"black\"");  // an id without art
    const bool white = CursorInWhite(id);
    const double left = at.x - picture->hotspotX * scale, top = at.y - picture->hotspotY * scale;
    std::string out = "<g class=\"cursor\" shape-rendering=\"crispEdges\">\n";
    // White ink is made for a dark screen: it gets a dark square behind it.
    if (white)
        out += "<rect x=\"" + N(left) + "\" y=\"" + N(top) + "\" width=\"" + N(cursorgen::kSize * scale) +
               "\" height=\"" + N(cursorgen::kSize * scale) + "\" fill=\"#455a64\"/>\n";
    using cursorgen::Shade;
    // Inverted pixels show the background turned over: black on the white
    // sheet, white on the dark square.
    const std::pair<Shade, const char*> shades[] = {
        {Shade::kBlack, "#000"}, {Shade::kWhite, "#fff"}, {Shade::kInverted, white ? "#fff" : "#000"}};
    for (const auto& [shade, colour] : shades) {
        std::string d;
        for (int y = 0; y < cursorgen::kSize; ++y)
            for (int x = 0; x < cursorgen::kSize;) {
                if (picture->At(x, y) != shade) {
                    ++x;
                    continue;
                }
                int run = 1;
                while (x + run < cursorgen::kSize && picture->At(x + run, y) == shade) ++run;
                d += "M" + N(left + x * scale) + " " + N(top + y * scale) + "h" + N(run * scale) + "v" + N(scale) +
                     "h" + N(-run * scale) + "z";
                x += run;
            }
        if (!d.empty()) out += "<path fill=\"" + std::string(colour) + "\" d=\"" + d + "\"/>\n";
    }
    return out + "</g>\n";
}

void DrawPanel(std::string& svg, const Scene& scene, const Panel& panel, LabelPlacer& labels, std::string& labelSvg) {
    const bool plan = panel.kind == Panel::Kind::Plan;
    svg += std::string("<g class=\"") + (plan ? "plan" : "elevation") + "\">\n";
    svg += "<g class=\"objects\" stroke-linejoin=\"round\">\n";
    for (const SceneObject& o : scene.objects) {
        bool closed = false;
        const std::vector<Point3D> outline = Outline(panel, o, closed);
        svg += Poly(panel, outline, closed, o.selected ? kSelectedStyle : kObjectStyle);
        std::string label = o.name;
        if (o.height != 0.0) label += " h" + host::FormatNumber(o.height);
        if (auto box = labels.Place(BoxOf(panel, outline), LabelWidth(label), kLabelSize + 2, panel.box))
            labelSvg += Text(box->left, box->bottom - 3, label, "");
    }
    svg += "</g>\n<g class=\"preview\">\n";
    for (const host::Figure& f : scene.feedback) {
        // A figure drawn in the plan has no z: it shows in the plan alone.
        if (!plan && f.type != host::Figure::Type::Line3D) continue;
        svg += Poly(panel, FigurePoints(f), false, kPreviewStyle);
    }
    svg += "</g>\n<g class=\"last-picked\">\n";
    if (scene.lastPicked.size() > 1) svg += Poly(panel, scene.lastPicked, false, kLastPathStyle);
    for (const Point3D& p : scene.lastPicked) svg += Circle(panel.At(p), 3.5, kLastStyle);
    svg += "</g>\n<g class=\"picked\">\n";
    for (const Point3D& p : scene.picked) svg += Circle(panel.At(p), 4, kPickedStyle);
    svg += "</g>\n</g>\n";
}

// A panel's frame and name; object labels keep off the name.
void DrawFrame(std::string& svg, const Panel& panel, const std::string& name, LabelPlacer& labels) {
    const SheetBox& b = panel.box;
    svg += "<rect x=\"" + N(b.left) + "\" y=\"" + N(b.top) + "\" width=\"" + N(b.right - b.left) + "\" height=\"" +
           N(b.bottom - b.top) + "\" fill=\"none\" stroke=\"#ccc\"/>\n";
    svg += Text(b.left + 6, b.top + 13, name, "font-size=\"10\" fill=\"#888\"");
    labels.Reserve({b.left + 6, b.top + 3, b.left + 6 + LabelWidth(name), b.top + 16});
}

// One line of swatches and words, what each mark in the drawing means.
std::string Legend() {
    std::string out = "<g class=\"legend\" font-size=\"11\" fill=\"#333\">\n";
    double x = 10;
    const double y = 46;
    auto item = [&](const std::string& swatch, const std::string& text) {
        out += swatch + Text(x + 20, y, text, "");
        x += 20 + LabelWidth(text) + 14;
    };
    auto rect = [&](const char* style) {
        return "<rect x=\"" + N(x) + "\" y=\"" + N(y - 9) + "\" width=\"14\" height=\"9\" " + style + "/>\n";
    };
    item(rect(kObjectStyle), "object");
    item(rect(kSelectedStyle), "selected object");
    item("<line x1=\"" + N(x) + "\" y1=\"" + N(y - 4) + "\" x2=\"" + N(x + 16) + "\" y2=\"" + N(y - 4) + "\" " +
             kPreviewStyle + "/>\n",
         "preview");
    item(Circle({x + 7, y - 4}, 4, kPickedStyle), "picked point");
    item(Circle({x + 7, y - 4}, 3.5, kLastStyle), "last action's points");
    item(CursorArt(kLegendCursor, {x + 7, y - 4}, 0.625), "cursor");
    return out + "</g>\n";
}

// A bar of a round length, at the right of the title line.
std::string ScaleBar(const Sheet& sheet) {
    const double right = Sheet::kWidth - 10, length = sheet.scaleBar * sheet.scale, y = 18;
    std::string out = "<g class=\"scale\" stroke=\"#333\">\n";
    out += "<path d=\"M" + N(right - length) + " " + N(y - 4) + "v8M" + N(right - length) + " " + N(y) + "H" +
           N(right) + "M" + N(right) + " " + N(y - 4) + "v8\" fill=\"none\"/>\n";
    out +=
        Text(right - length - 6, y + 4, host::FormatNumber(sheet.scaleBar) + (sheet.scaleBar == 1 ? " unit" : " units"),
             "stroke=\"none\" fill=\"#333\" font-size=\"11\" text-anchor=\"end\"");
    return out + "</g>\n";
}

}  // namespace

std::string StatusText(const Scene& scene) {
    static const char* const kModes[] = {"-", "span", "parts", "path"};
    const std::string cursor = CursorName(scene.cursorId);
    auto has = [&](const char* word) { return cursor.find(word) != std::string::npos; };
    std::string action;
    if (cursor.empty() || cursor == "nothing selected")
        action = "-";
    else {
        // A path puts a copy at every vertex: it duplicates.
        action = has("duplicate") || has("path") ? "duplicate" : "move";
        if (has("repeat") || has("reverse")) action += ", repeat";
        if (has("reverse")) action += ", reverse";
    }
    const int mode = scene.mode >= 1 && scene.mode <= 3 ? scene.mode : 0;
    const std::string dot = " \xC2\xB7 ";  // a middle dot: SVG text folds runs of blanks into one
    return std::string("mode ") + kModes[mode] + dot + "count " +
           (scene.count ? host::FormatNumber(*scene.count) : std::string("-")) + dot + action + dot + "cursor " +
           std::to_string(scene.cursorId) + (cursor.empty() ? "" : " (" + cursor + ")");
}

std::string DrawingSvg(const Scene& scene, const Sheet& sheet, const std::string& title) {
    const std::string w = N(Sheet::kWidth), h = N(Sheet::kHeight);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                      "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    LabelPlacer labels;
    std::string labelSvg;
    if (sheet.elevation) {
        DrawFrame(svg, sheet.plan, "plan", labels);
        DrawFrame(svg, *sheet.elevation, "elevation, looking north", labels);
    }
    DrawPanel(svg, scene, sheet.plan, labels, labelSvg);
    if (sheet.elevation) DrawPanel(svg, scene, *sheet.elevation, labels, labelSvg);
    svg += "<g class=\"labels\" font-size=\"11\" fill=\"#555\">\n" + labelSvg + "</g>\n";
    svg += CursorArt(scene.cursorId, sheet.plan.At(scene.cursor), 1);
    if (sheet.elevation) svg += CursorArt(scene.cursorId, sheet.elevation->At(scene.cursor), 1);

    svg += Text(10, 24, title, "font-size=\"15\" font-weight=\"bold\"");
    svg += ScaleBar(sheet);
    svg += Legend();
    svg +=
        Text(10, Sheet::kHeight - 26, StatusText(scene), "class=\"status\" font-family=\"monospace\" font-size=\"11\"");
    svg += Text(10, Sheet::kHeight - 9, scene.caption, "class=\"caption\" font-family=\"monospace\" font-size=\"12\"");
    return svg + "</svg>\n";
}

}  // namespace workbench
