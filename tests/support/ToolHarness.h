// A substitute host with the plug-in loaded, a plan layer with one selected
// rectangle, and relocating memory handles, for end-to-end tests through the
// library's exported `main`.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "host/Transcript.h"
#include "interface/ToolProtocol.h"
#include "tool/ToolSettings.h"

class ToolHarness : public ::testing::Test {
protected:
    void SetUp() override {
        host.LoadPlugin(MOVEDUP_PLUGIN_PATH);
        host.memory.SetRelocating(true);
        layer = host.document.AddLayer("Plan", host::kPlanView);
        rectangle = AddRectangle(0, 0, 2, 1);
        host.document.Select(rectangle, true);
    }

    void TearDown() override { EXPECT_TRUE(host.faults.empty()) << "host noticed: " << host.faults.front(); }

    host::Object* AddRectangle(double left, double bottom, double right, double top, double height = 0.0) {
        return host.document.AddShape(layer, host::Kind::Rectangle, "",
                                      {{left, bottom, 0.0}, {right, bottom, 0.0}, {right, top, 0.0}, {left, top, 0.0}},
                                      true, height);
    }

    int32_t Send(int32_t event, int32_t message1 = 0, int32_t message2 = 0) {
        mark = host.log.Size();
        return host.SendEvent(event, message1, message2);
    }

    // Creates the record and sets the tool up, as the host does when the
    // tool is chosen.
    void CreateAndSetUp() {
        ASSERT_EQ(Send(kToolEventCreate), 0);
        host.ResetToolInterface();
        ASSERT_EQ(Send(kToolEventSetUp), 0);
    }

    // The host calls made by the last event sent.
    std::vector<std::string> Calls() const { return host.log.Calls(mark); }
    std::vector<std::string> CallNames() const { return host.log.CallNames(mark); }

    // The tool's interface as the host shows it: message line, mode bar and
    // the data bar's labels and values, one line each.
    std::string Shown() const {
        std::ostringstream out;
        host::WriteInterface(out, host);
        return out.str();
    }
    // The field kinds of the data bar the user sees, by field.
    std::vector<std::pair<int16_t, int32_t>> ShownKinds() const {
        std::vector<std::pair<int16_t, int32_t>> kinds;
        for (const auto& [field, value] : host.dataBar.shown) kinds.emplace_back(field, value.kind);
        return kinds;
    }

    ToolSettings& Record() { return Settings(static_cast<Handle>(host.UserData())); }

    void SetKeys(bool first, bool second, bool third) { host.keys = {first, second, third}; }
    void Pick(double x, double y, double z = 0.0) { host.points.picked.push_back(Point3D(x, y, z)); }
    void MoveCursor(double x, double y, double z = 0.0) { host.points.cursor = Point3D(x, y, z); }

    host::Host host;
    host::Object* layer = nullptr;
    host::Object* rectangle = nullptr;
    std::size_t mark = 0;
};
