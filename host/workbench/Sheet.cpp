#include "workbench/Sheet.h"

#include <algorithm>
#include <cmath>

namespace workbench {

namespace {

constexpr double kSide = 10;   // between the sheet's edge and the panels
constexpr double kInset = 28;  // inside a panel, room for the cursor's picture and labels
constexpr double kGap = 12;    // between two panels
constexpr double kScaleBarMax = 120;

// A panel sized to hold spans (sa, sb) at `scale`, with its lower left
// drawing corner (a0, b0) at the inset.
Panel MakePanel(Panel::Kind kind, double left, double top, double sa, double sb, double a0, double b0, double scale) {
    Panel p;
    p.kind = kind;
    p.box = {left, top, left + sa * scale + 2 * kInset, top + sb * scale + 2 * kInset};
    p.x0 = left + kInset;
    p.y0 = p.box.bottom - kInset;
    p.a0 = a0;
    p.b0 = b0;
    p.scale = scale;
    return p;
}

double RoundLength(double scale) {
    const double most = kScaleBarMax / scale;
    double length = std::pow(10.0, std::floor(std::log10(most)));
    for (double step : {5.0, 2.0})
        if (length * step <= most) return length * step;
    return length;
}

}  // namespace

Sheet FitSheet(const Extent& given) {
    Extent e = given;
    if (e.Empty()) e.Add(Point3D(0, 0, 0));
    double sx = e.maxX - e.minX, sy = e.maxY - e.minY, sz = e.raised ? e.maxZ - e.minZ : 0.0;
    const double largest = std::max({sx, sy, sz});
    if (largest == 0.0) {  // a single point: a unit around it
        e.minX -= 0.5, e.minY -= 0.5, e.minZ -= 0.5;
        sx = sy = 1.0;
        sz = e.raised ? 1.0 : 0.0;
    } else {  // a flat extent keeps a sliver of height, so every scale below is finite
        const double least = largest * 1e-6;
        sx = std::max(sx, least), sy = std::max(sy, least);
        if (e.raised) sz = std::max(sz, least);
    }

    const double roomW = Sheet::kWidth - 2 * kSide;
    const double roomH = Sheet::kHeight - Sheet::kHeader - Sheet::kFooter;
    const double top = Sheet::kHeader;
    Sheet sheet;
    if (!e.raised) {
        sheet.scale = std::min((roomW - 2 * kInset) / sx, (roomH - 2 * kInset) / sy);
        // The drawing in the middle of the room; the panel is the whole room.
        sheet.plan = MakePanel(Panel::Kind::Plan, kSide, top, sx, sy, e.minX, e.minY, sheet.scale);
        const double padX = (roomW - (sheet.plan.box.right - sheet.plan.box.left)) / 2;
        const double padY = (roomH - (sheet.plan.box.bottom - sheet.plan.box.top)) / 2;
        sheet.plan.x0 += padX;
        sheet.plan.y0 += padY;
        sheet.plan.box = {kSide, top, kSide + roomW, top + roomH};
    } else {
        const double stacked = std::min((roomW - 2 * kInset) / sx, (roomH - kGap - 4 * kInset) / (sy + sz));
        const double beside = std::min((roomW - kGap - 4 * kInset) / (2 * sx), (roomH - 2 * kInset) / std::max(sy, sz));
        const double s = std::max(stacked, beside);
        sheet.scale = s;
        const double w = sx * s + 2 * kInset;
        if (stacked >= beside) {  // elevation below the plan, x in line
            const double h = (sy + sz) * s + 4 * kInset + kGap;
            const double left = kSide + (roomW - w) / 2, planTop = top + (roomH - h) / 2;
            sheet.plan = MakePanel(Panel::Kind::Plan, left, planTop, sx, sy, e.minX, e.minY, s);
            sheet.elevation =
                MakePanel(Panel::Kind::Elevation, left, sheet.plan.box.bottom + kGap, sx, sz, e.minX, e.minZ, s);
        } else {  // elevation to the right of the plan, tops in line
            const double left = kSide + (roomW - 2 * w - kGap) / 2;
            const double planTop = top + (roomH - (std::max(sy, sz) * s + 2 * kInset)) / 2;
            sheet.plan = MakePanel(Panel::Kind::Plan, left, planTop, sx, sy, e.minX, e.minY, s);
            sheet.elevation = MakePanel(Panel::Kind::Elevation, left + w + kGap, planTop, sx, sz, e.minX, e.minZ, s);
        }
    }
    sheet.scaleBar = RoundLength(sheet.scale);
    return sheet;
}

}  // namespace workbench
