#include "StatusReport.h"

#include <sstream>

namespace window {

namespace {
const char* CollectName(host::Session::Collect collect) {
    switch (collect) {
        case host::Session::Collect::OneClick:
            return "one-click";
        case host::Session::Collect::TwoPoint:
            return "two-point";
        case host::Session::Collect::MultiPoint:
            return "multi-point";
        case host::Session::Collect::None:
            break;
    }
    return "none";
}
}  // namespace

std::string StatusText(const WindowFacts& facts, const host::Host& host, const host::Session& session) {
    std::ostringstream out;
    out.precision(17);
    out << "sequence " << facts.sequence << '\n'
        << "tool " << (facts.toolChosen ? "move-duplicate" : "select") << '\n'
        << "script " << facts.script << '\n'
        << "line " << facts.line << '\n'
        << "cursor " << session.Cursor() << '\n'
        << "cursor-loaded " << (facts.cursorLoaded ? 1 : 0) << '\n'
        << "keys " << host.keys.first << host.keys.second << host.keys.third << '\n'
        << "picked " << host.points.picked.size() << '\n'
        << "collect " << CollectName(session.Collecting()) << '\n'
        << "preview " << host.feedback.Shown().size() << '\n'
        << "on-screen " << facts.onScreen << '\n'
        << "dialog " << (facts.dialogOpen ? "open" : "closed") << '\n'
        << "objects " << host.document.AllObjects().size() << '\n'
        << "selected " << host.document.Selected().size() << '\n'
        << "undo " << host.undo.Done().size() << '\n'
        << "origin " << facts.origin.x << ' ' << facts.origin.y << '\n'
        << "canvas " << facts.canvasLeft << ' ' << facts.canvasTop << ' ' << facts.canvasWidth << ' '
        << facts.canvasHeight << '\n'
        << "scale " << facts.scale << '\n'
        << "snap " << facts.snap << '\n'
        << "exit " << facts.exitStatus << '\n';
    return out.str();
}

}  // namespace window
