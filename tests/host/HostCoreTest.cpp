// The substitute host's own parts: memory handles, switching selectors off,
// the call log, dialogs and the drawing's tree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>

#include "callbacks/KSCallbacks.h"
#include "host/Host.h"

namespace {

using ::testing::ElementsAre;

TEST(HandleHeap, BlocksMoveButKeepTheirContents) {
    host::HandleHeap heap;
    Handle h = heap.Allocate(16);
    ASSERT_NE(h, nullptr);
    std::memcpy(*h, "relocatable!", 13);
    void* before = *h;
    heap.RelocateAll();
    EXPECT_NE(*h, before);
    EXPECT_STREQ(static_cast<const char*>(*h), "relocatable!");
    EXPECT_EQ(heap.SizeOf(h), 16u);
    EXPECT_TRUE(heap.Free(h));
    EXPECT_EQ(heap.LiveCount(), 0u);
}

TEST(HandleHeap, FailsOnDemandAndRefusesUnknownHandles) {
    host::HandleHeap heap;
    heap.FailAllocations(2);
    EXPECT_EQ(heap.Allocate(8), nullptr);
    EXPECT_EQ(heap.Allocate(8), nullptr);
    Handle h = heap.Allocate(0);
    ASSERT_NE(h, nullptr);
    EXPECT_NE(*h, nullptr);
    EXPECT_EQ(heap.NameOf(h), "H1");
    EXPECT_EQ(heap.Allocate(-1), nullptr);
    void* notAHandle = nullptr;
    EXPECT_FALSE(heap.Free(&notAHandle));
    EXPECT_TRUE(heap.Free(h));
    EXPECT_EQ(heap.NameOf(nullptr), "null");
}

TEST(HostFunctions, SwitchedOffSelectorsLookUpAsNull) {
    host::Host host;
    EXPECT_TRUE(host.Serves(621));
    host.Disable(621);
    EXPECT_EQ(host.Block()->lookup(621), nullptr);
    EXPECT_EQ(KS_GetToolPointCount(host.Block()), -1);
    host.Enable(621);
    EXPECT_EQ(KS_GetToolPointCount(host.Block()), 0);
    EXPECT_EQ(host.Block()->lookup(23), nullptr);  // names no host function
    EXPECT_EQ(host.Block()->lookup(-4), nullptr);
    EXPECT_EQ(host.Block()->lookup(982), nullptr);
}

TEST(HostFunctions, EveryRowIsServedAndNothingElse) {
    host::Host host;
    std::set<int32_t> rows;
    for (const ks::iface::RowFacts& row : ks::iface::kRows) rows.insert(row.selector);
    for (int32_t selector = 0; selector < host::kSelectorCount; ++selector) {
        EXPECT_EQ(host.Serves(selector), rows.count(selector) == 1) << selector;
        EXPECT_EQ(host.Block()->lookup(selector) != nullptr, rows.count(selector) == 1) << selector;
    }
}

int32_t KS_CDECL SevenPoints() { return 7; }

TEST(HostFunctions, AnOverrideIsTypedBySelectorAndCanBeUndone) {
    host::Host host;
    host.Override<ks::selector::kGetToolPointCount>(&SevenPoints);
    EXPECT_EQ(KS_GetToolPointCount(host.Block()), 7);
    EXPECT_TRUE(host.log.Entries().empty());  // the stand-in is not the host's service
    host.Override<ks::selector::kGetToolPointCount>(nullptr);
    EXPECT_EQ(KS_GetToolPointCount(host.Block()), 0);
    EXPECT_EQ(host.log.CallNames(), std::vector<std::string>{"KS_GetToolPointCount"});
}

void KS_CDECL ThrowingHandler(int32_t, int32_t*, int32_t, void*) { throw std::runtime_error("out of cheese"); }

TEST(HostFunctions, AServiceThatThrowsBecomesAFaultAndTheAnswerOfAnAbsentFunction) {
    host::Host host;
    const unsigned char text[] = "\x01T";
    const int32_t dialog = KS_CreateDialog(host.Block(), text, 1, text, text);
    KS_SetFirstLayoutItem(host.Block(), dialog, kDefaultButton);
    // The exception stops at the host function: the caller sees the
    // function's [absent] answer, and the host keeps the fault.
    int32_t closedWith = -1;
    EXPECT_NO_THROW(closedWith = KS_RunDialog(host.Block(), dialog, ThrowingHandler, nullptr));
    EXPECT_EQ(closedWith, 0);
    EXPECT_EQ(host.faults, std::vector<std::string>{"KS_RunDialog threw: out of cheese"});
    EXPECT_EQ(host.log.Entries().back().result, "threw");
}

TEST(HostFunctions, TwoHostsServeTheirOwnState) {
    host::Host a;
    host::Host b;
    a.points.picked.push_back(Point3D(1, 2, 3));
    EXPECT_EQ(KS_GetToolPointCount(a.Block()), 1);
    EXPECT_EQ(KS_GetToolPointCount(b.Block()), 0);
    EXPECT_EQ(a.log.CallNames(), std::vector<std::string>{"KS_GetToolPointCount"});
    EXPECT_EQ(b.log.CallNames(), std::vector<std::string>{"KS_GetToolPointCount"});
}

TEST(HostFunctions, CallsAreRecordedWithArgumentsResultsAndOutputs) {
    host::Host host;
    host.points.picked.push_back(Point3D(1.5, -2, 0));
    Point2D p(0, 0);
    KS_GetToolPoint(host.Block(), 0, &p);
    KS_SetDataFieldLength(host.Block(), 6, 2.5);
    const unsigned char label[] = "\x03\xC6X:";
    KS_SetDataField(host.Block(), 1, 3, label);
    EXPECT_THAT(host.log.Calls(), ElementsAre("KS_GetToolPoint(0, &out) -> 1 [(1.5, -2)]",
                                              "KS_SetDataFieldLength(6, 2.5)", "KS_SetDataField(1, 3, \"∆X:\")"));
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.y, -2.0);
    // Asking for a point that was never picked is the plug-in's fault.
    KS_GetToolPoint(host.Block(), 1, &p);
    EXPECT_EQ(host.faults.size(), 1u);
}

TEST(HostFunctions, FreeingAHandleTwiceIsAFault) {
    host::Host host;
    Handle h = KS_AllocHandle(host.Block(), 4);
    KS_FreeHandle(host.Block(), h);
    EXPECT_TRUE(host.faults.empty());
    KS_FreeHandle(host.Block(), h);
    EXPECT_EQ(host.faults.size(), 1u);
}

int32_t gHandlerEvents[8];
int gHandlerCalls = 0;

void KS_CDECL RefuseOddNumbers(int32_t, int32_t* item, int32_t, void*) {
    gHandlerEvents[gHandlerCalls++] = *item;
    if (*item == 1) *item = 0;  // refuses the first press
    if (gHandlerCalls > 3) gHandlerEvents[7] = 1;
}

TEST(Dialogs, ARefusedPressKeepsTheDialogOpen) {
    host::Dialogs dialogs;
    const int32_t id = dialogs.Create("Title", "OK", "Cancel");
    dialogs.AddItem(id, 5, host::DialogItem{host::DialogItem::Type::IntegerField, "", "", 3, 8, false});
    EXPECT_FALSE(dialogs.Verify(id));  // item 5 has no place yet
    dialogs.SetFirstLayoutItem(id, 5);
    EXPECT_TRUE(dialogs.Verify(id));
    dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, 12});
    dialogs.Script().push_back({host::DialogAction::Type::Press, 2, 0});
    gHandlerCalls = 0;
    EXPECT_EQ(dialogs.Run(id, RefuseOddNumbers, nullptr), 2);
    EXPECT_EQ(gHandlerCalls, 4);
    EXPECT_EQ(gHandlerEvents[0], host::kDialogSetUpEvent);
    EXPECT_EQ(gHandlerEvents[1], 1);
    EXPECT_EQ(gHandlerEvents[2], 5);
    EXPECT_EQ(gHandlerEvents[3], 2);
    EXPECT_EQ(dialogs.Find(id)->items[5].value, 12);
}

TEST(Document, InsertsAfterAnObjectAndWalksUpToTheLayer) {
    host::Document doc;
    host::Object* layer = doc.AddLayer("L");
    host::Object* group = doc.AddGroup(layer, "G");
    host::Object* a = doc.AddShape(group, host::Kind::Line, "a", {{0, 0, 0}, {1, 0, 0}}, false);
    host::Object* c = doc.AddShape(group, host::Kind::Line, "c", {{0, 0, 0}, {1, 0, 0}}, false);
    host::Object* b = doc.Duplicate(*a);
    EXPECT_TRUE(doc.IsLoose(b));
    EXPECT_EQ(doc.FromHandle(host::Document::ToHandle(b)), b);
    ASSERT_TRUE(doc.InsertLooseAfter(b, a));
    b->name = "b";
    std::vector<std::string> names;
    for (host::Object* o : doc.AllObjects()) names.push_back(o->name);
    EXPECT_THAT(names, ElementsAre("G", "a", "b", "c"));
    EXPECT_EQ(host::Document::LayerOf(b), layer);
    EXPECT_EQ(host::Document::Previous(c), b);
    EXPECT_FALSE(doc.InsertLooseAfter(b, c));  // no longer loose

    auto taken = doc.Detach(b);
    EXPECT_EQ(doc.FromHandle(host::Document::ToHandle(b)), nullptr);
    doc.Reinsert(std::move(taken), group, a);
    EXPECT_EQ(host::Document::Previous(c), b);
}

TEST(Document, SelectionBoundsCoverHeightsAndStayEmptyWithoutSelection) {
    host::Document doc;
    host::Object* layer = doc.AddLayer("L");
    host::Object* box =
        doc.AddShape(layer, host::Kind::Box, "box", {{1, 2, 0}, {4, 2, 0}, {4, 6, 0}, {1, 6, 0}}, true, 3.0);
    const Rect2D none = doc.SelectionBounds();
    EXPECT_LT(none.top, none.bottom);  // the empty sentinel
    doc.Select(box, true);
    const Rect2D r = doc.SelectionBounds();
    EXPECT_EQ(r.top, 6.0);
    EXPECT_EQ(r.left, 1.0);
    EXPECT_EQ(r.bottom, 2.0);
    EXPECT_EQ(r.right, 4.0);
    const Cube3D c = doc.SelectionCube();
    EXPECT_EQ(c.maxZ, 3.0);
    EXPECT_EQ(c.minZ, 0.0);
    doc.Move(box, Point3D(1, 1, 1));
    EXPECT_EQ(doc.SelectionCube().maxZ, 4.0);
}

}  // namespace
