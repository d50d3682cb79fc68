// The events that run on every mouse movement (the cursor event and the
// preview) must not touch the heap inside the plug-in. The plug-in runs
// against the quiet host, whose functions allocate nothing, so any
// allocation counted while the event runs is the plug-in's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "QuietHost.h"
#include "host/Host.h"
#include "host/PluginLibrary.h"
#include "host/Session.h"
#include "interface/ToolProtocol.h"

namespace {

bool gCounting = false;
long gAllocations = 0;

void* Allocate(std::size_t size) {
    if (gCounting) ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

// Replaced for the whole test program: the plug-in, loaded as a shared
// library, finds these in the global scope like any other caller.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

#if !defined(__SANITIZE_ADDRESS__)
// malloc itself, for C allocations (the sanitizers have their own).
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);
extern "C" void* malloc(std::size_t size) {
    if (gCounting) ++gAllocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t n, std::size_t size) {
    if (gCounting) ++gAllocations;
    return __libc_calloc(n, size);
}
extern "C" void* realloc(void* p, std::size_t size) {
    if (gCounting) ++gAllocations;
    return __libc_realloc(p, size);
}
#endif

namespace {

struct Case {
    const char* name;
    int32_t mode;  // mode-bar choice: 1 span, 2 parts, 3 path
    int32_t count;
    bool picking;  // a first point picked
    int32_t event;
};

class NoAllocation : public ::testing::TestWithParam<Case> {};

// Allocations while `event` runs against the quiet host, counted around
// the plug-in's `main` alone (the host's own bookkeeping of the event
// allocates). The library is the one the host loaded: the same globals.
long AllocationsOf(host::Host& host, int32_t event) {
    static const host::PluginLibrary plugin(MOVEDUP_PLUGIN_PATH);
    const auto entry = plugin.Entry();
    void** slot = &host.UserData();
    gAllocations = 0;
    gCounting = true;
    entry(event, 0, 0, slot, quiet::Block());
    gCounting = false;
    return gAllocations;
}

TEST_P(NoAllocation, InThePlugInWhileTheMouseMoves) {
    const Case& c = GetParam();
    host::Host host;
    host::Session session(host);
    host.LoadPlugin(MOVEDUP_PLUGIN_PATH);
    host.version = {1, 10, 4, 0};
    host::Object* layer = host.document.AddLayer("Plan", host::kPlanView);
    host.document.Select(
        host.document.AddShape(layer, host::Kind::Rectangle, "R", {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, true),
        true);
    session.ChooseTool();
    session.ChangeMode(1, c.mode);
    host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, c.count});
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    session.EditSettings();
    ASSERT_TRUE(host.faults.empty());

    quiet::State& q = quiet::Current();
    q = quiet::State{};
    q.pointCount = c.picking ? 1 : 0;
    q.keys[0] = true;  // duplicating
    const long draws = q.draws;

    // The counter sees allocations at all: one made here is counted.
    gAllocations = 0;
    gCounting = true;
    delete new int(1);
    gCounting = false;
    ASSERT_GE(gAllocations, 1);

    EXPECT_EQ(AllocationsOf(host, c.event), 0);
    EXPECT_EQ(AllocationsOf(host, c.event), 0);               // and again, with the preview drawn
    if (c.picking && c.mode != 3) {
        EXPECT_GT(q.draws, draws);  // the preview was really drawn
    }
}

INSTANTIATE_TEST_SUITE_P(Events, NoAllocation,
                         ::testing::Values(Case{"CursorBeforeTheFirstClick", 1, 10, false, kToolEventGetCursor},
                                           Case{"CursorWhilePickingParts", 2, 10, true, kToolEventGetCursor},
                                           Case{"CursorWhilePickingAPath", 3, 10, true, kToolEventGetCursor},
                                           Case{"PreviewOfTenCopies", 1, 10, true, kToolEventDraw},
                                           Case{"PreviewOfAThousandCopies", 1, 1000, true, kToolEventDraw},
                                           Case{"PreviewOfParts", 2, 10, true, kToolEventDraw},
                                           Case{"PreviewOfAPath", 3, 10, true, kToolEventDraw}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
