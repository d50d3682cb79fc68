// Nested calls: a host function that calls the plug-in's `main` again with
// another callback block, and the library's exported symbols.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "ToolHarness.h"

namespace {

host::Host* gInner = nullptr;
int32_t gInnerReply = 0;

// Stands in for the outer host's point count: before answering, the host
// lets another document's tool handle a cursor event.
int32_t KS_CDECL PointCountThatReenters() {
    gInnerReply = gInner->SendEvent(kToolEventGetCursor);
    return 0;
}

using Reentry = ToolHarness;

TEST_F(Reentry, AfterANestedEventTheOuterCallsGoToTheOuterBlock) {
    host::Host inner;
    host.version = inner.version = {1, 10, 4, 0};  // plan work only: short call lists
    inner.LoadPlugin(MOVEDUP_PLUGIN_PATH);
    host::Object* innerLayer = inner.document.AddLayer("Inner layer");
    inner.document.AddShape(innerLayer, host::Kind::Line, "", {{0, 0, 0}, {1, 1, 0}}, false);
    ASSERT_EQ(inner.SendEvent(kToolEventCreate), 0);
    ASSERT_EQ(inner.SendEvent(kToolEventSetUp), 0);

    CreateAndSetUp();
    gInner = &inner;
    host.Override<ks::selector::kGetToolPointCount>(&PointCountThatReenters);
    const std::size_t innerMark = inner.log.Size();

    SetKeys(true, false, false);
    EXPECT_EQ(Send(kToolEventGetCursor), kCursorDuplicate);
    EXPECT_EQ(gInnerReply, kCursorNoSelection);  // the inner document has nothing selected
    EXPECT_THAT(CallNames(), ::testing::ElementsAre("KS_GetModifierKeys", "KS_GetCurrentToolPoint", "KS_HasSelection"));
    EXPECT_THAT(inner.log.CallNames(innerMark), ::testing::ElementsAre("KS_GetToolPointCount", "KS_GetModifierKeys",
                                                                       "KS_GetCurrentToolPoint", "KS_HasSelection"));
    gInner = nullptr;
    inner.SendEvent(kToolEventDispose);
}

#if !defined(_WIN32)
TEST(PluginLibrary, ExportsOnlyMain) {
    const std::string command = "nm -D --defined-only '" + std::string(MOVEDUP_PLUGIN_PATH) + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        const std::size_t space = text.rfind(' ');
        symbols.insert(space == std::string::npos ? text : text.substr(space + 1));
    }
    ASSERT_EQ(pclose(pipe), 0) << command;
    EXPECT_EQ(symbols, std::set<std::string>{"main"});
}
#endif

TEST(PluginLibrary, LoadingSomethingElseFailsWithAReason) {
    EXPECT_THROW(host::PluginLibrary("/no/such/plugin.so"), std::runtime_error);
}

}  // namespace
