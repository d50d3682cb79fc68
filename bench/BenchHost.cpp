#include "BenchHost.h"

#include "interface/ToolProtocol.h"

namespace bench {

BenchHost::BenchHost(bool spatial) {
    host.LoadPlugin(MOVEDUP_PLUGIN_PATH);
    host.log.enabled = false;
    if (!spatial) host.version = {1, 10, 4, 0};  // a host without spatial work
    host::Object* layer = host.document.AddLayer("Plan", spatial ? host::kSpaceView : host::kPlanView);
    host.document.Select(
        host.document.AddShape(layer, host::Kind::Rectangle, "R", {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, true),
        true);
    session.ChooseTool();
}

void BenchHost::SetCount(int32_t count) {
    host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, count});
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    session.EditSettings();
}

void BenchHost::StartDuplicating(int32_t mode, int32_t count) {
    session.ChangeMode(kModeGroup, mode);
    SetCount(count);
    host.keys.first = true;  // the duplicate key, held at the first click
    session.Click(Point3D(0, 0, 0));
    host.keys.first = false;
    session.MoveMouse(Point3D(1, 0, 0));
}

long BenchHost::CallsOf(int32_t event) {
    const std::size_t mark = host.log.Size();
    host.log.enabled = true;
    host.SendEvent(event);
    host.log.enabled = false;
    const long calls = static_cast<long>(host.log.Calls(mark).size());
    host.log.Clear();
    return calls;
}

}  // namespace bench
