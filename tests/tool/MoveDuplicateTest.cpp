// The completed action end to end: where the moves and copies land in every
// mode, plan and space, repeats, the stored vectors, the path list, failures
// on the way, the exact order of host calls, and undo and redo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "ToolHarness.h"
#include "tool/MoveDuplicate.h"

namespace {

using ::testing::ElementsAre;

// Lower-left corner of an object's plan outline, and whether it is selected.
struct Placed {
    double x, y, z;
    bool selected;
    bool operator==(const Placed& o) const { return x == o.x && y == o.y && z == o.z && selected == o.selected; }
};

std::ostream& operator<<(std::ostream& out, const Placed& p) {
    return out << "(" << p.x << ", " << p.y << ", " << p.z << (p.selected ? ", selected)" : ")");
}

// Everything undo must put back: objects in drawing order with their whole
// geometry, height and selection mark.
using Snapshot = std::vector<std::tuple<int, std::vector<double>, double, bool>>;

class Completion : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        rectangle->name = "X";
        host.version = {1, 10, 4, 0};
        CreateAndSetUp();
    }

    // Picks the points and completes the action, as the host does at the
    // end of a two-point action or a path.
    int32_t Complete(std::initializer_list<Point3D> points) {
        host.points.picked.assign(points.begin(), points.end());
        const int32_t reply = Send(kToolEventComplete);
        host.points.picked.clear();
        return reply;
    }

    void Configure(int16_t mode, bool duplicate, int32_t count, bool repeat = false, bool reverse = false) {
        ToolSettings& r = Record();
        r.mode = mode;
        r.duplicate = duplicate;
        r.count = count;
        r.repeatLast = repeat;
        r.reverse = reverse;
    }

    std::vector<Placed> Placement() const {
        std::vector<Placed> out;
        for (host::Object* o : host.document.AllObjects()) {
            const Cube3D c = host::Document::SpaceBounds(*o);
            out.push_back({c.minX, c.minY, c.minZ, o->selected});
        }
        return out;
    }

    Snapshot Snap() const {
        Snapshot s;
        for (host::Object* o : host.document.AllObjects()) {
            std::vector<double> coords;
            for (const Point3D& v : o->vertices) coords.insert(coords.end(), {v.x, v.y, v.z});
            s.emplace_back(o->id, coords, o->height, o->selected);
        }
        return s;
    }

    std::vector<PathEntry> PathList() {
        std::vector<PathEntry> entries;
        const Handle list = Record().pathOffsets;
        if (list == nullptr) return entries;
        const std::size_t count = host.memory.SizeOf(list) / sizeof(PathEntry);
        for (std::size_t i = 0; i < count; ++i) entries.push_back(static_cast<PathEntry*>(*list)[i]);
        return entries;
    }
};

TEST_F(Completion, FreshPlanarCopiesInTheOrderOfTheHostCalls) {
    Configure(kModeSpan, true, 2);
    Complete({{0, 0, 0}, {10, 0, 0}});
    EXPECT_THAT(
        Calls(),
        ElementsAre("KS_ToolCompletionAllowed() -> 1", "KS_GetToolPointCount() -> 2",
                    "KS_GetToolPoint(0, &out) -> 1 [(0, 0)]",
                    "KS_GetToolPoint(1, &out) -> 1 [(10, 0)]", "KS_BeginUndoStep(21)",
                    "KS_GetIndexedString(20003, 1, &out, 1) [\"Move/Duplicate\"]",
                    "KS_NameUndoStep(\"Move/Duplicate\")", "KS_ForEachObject(5, fn, ptr, block)",
                    "KS_SetObjectSelected(X, 0)", "KS_DuplicateObject(X) -> #3", "KS_InsertObjectAfter(#3, X)",
                    "KS_UndoRecordNewObject(#3) -> 1", "KS_SetObjectSelected(#3, 1)", "KS_MoveObject(#3, 10, 0)",
                    "KS_DuplicateObject(#3) -> #4", "KS_InsertObjectAfter(#4, #3)", "KS_UndoRecordNewObject(#4) -> 1",
                    "KS_SetObjectSelected(#4, 1)", "KS_MoveObject(#4, 10, 0)"));
    EXPECT_THAT(Placement(), ElementsAre(Placed{0, 0, 0, false}, Placed{10, 0, 0, true}, Placed{20, 0, 0, true}));
    ASSERT_EQ(host.undo.Done().size(), 1u);
    EXPECT_EQ(host.undo.Done()[0].name, "Move/Duplicate");
}

TEST_F(Completion, MoveRecordsItsUndoBeforeMoving) {
    Configure(kModeSpan, false, 5);
    Complete({{1, 1, 0}, {4, 5, 0}});
    const std::vector<std::string> calls = Calls();
    EXPECT_THAT(std::vector<std::string>(calls.end() - 2, calls.end()),
                ElementsAre("KS_UndoRecordMove(X, 3, 4) -> 1", "KS_MoveObject(X, 3, 4)"));
    EXPECT_THAT(Placement(), ElementsAre(Placed{3, 4, 0, true}));
}

struct PlacementCase {
    const char* name;
    int16_t mode;
    bool duplicate;
    int32_t count;
    std::vector<Point3D> points;
    std::vector<Placed> placed;
};

// Where copies land is the promise (PromiseTest.cpp). A vertex picked twice
// in a row makes no step, first or later: the path goes on from it.
class PathSteps : public Completion, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PathSteps, SkipAVertexPickedTwice) {
    const PlacementCase& c = GetParam();
    Configure(c.mode, c.duplicate, c.count);
    host.points.picked = c.points;
    Send(kToolEventComplete);
    EXPECT_EQ(Placement(), c.placed);
}

INSTANTIATE_TEST_SUITE_P(Plan, PathSteps,
                         ::testing::Values(PlacementCase{"Later",
                                                         kModePath,
                                                         false,
                                                         1,
                                                         {{0, 0, 0}, {5, 0, 0}, {5, 0, 0}, {5, 5, 0}},
                                                         {{0, 0, 0, false}, {5, 0, 0, true}, {5, 5, 0, true}}},
                                           PlacementCase{"First",
                                                         kModePath,
                                                         false,
                                                         1,
                                                         {{0, 0, 0}, {0, 0, 0}, {5, 0, 0}},
                                                         {{0, 0, 0, false}, {5, 0, 0, true}}},
                                           PlacementCase{"Every",
                                                         kModePath,
                                                         false,
                                                         1,
                                                         {{2, 2, 0}, {2, 2, 0}, {2, 2, 0}},
                                                         {{0, 0, 0, true}}}),
                         [](const ::testing::TestParamInfo<PlacementCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Completion, TheObjectsPlaceDoesNotMatterOnlyTheVectors) {
    host::Object* far = AddRectangle(100, 100, 101, 101);
    far->name = "Far";
    host.document.Select(far, true);
    Configure(kModeSpan, true, 1);
    Complete({{-3, -3, 0}, {-1, -3, 0}});
    EXPECT_THAT(Placement(), ElementsAre(Placed{0, 0, 0, false}, Placed{2, 0, 0, true}, Placed{100, 100, 0, false},
                                         Placed{102, 100, 0, true}));
}

TEST_F(Completion, PathListHoldsEveryVectorThenTheEndMarker) {
    Configure(kModePath, false, 1);
    Complete({{0, 0, 0}, {5, 0, 0}, {5, 5, 0}});
    const std::vector<PathEntry> list = PathList();
    ASSERT_EQ(list.size(), 4u);  // room for one entry per point and the end marker
    EXPECT_EQ(list[0].x, 5.0);
    EXPECT_EQ(list[0].y, 0.0);
    EXPECT_EQ(list[1].x, 0.0);
    EXPECT_EQ(list[1].y, 5.0);
    EXPECT_EQ(list[2].x, 0.0);
    EXPECT_EQ(list[2].y, 0.0);
    EXPECT_EQ(list[2].z, 0.0);
    EXPECT_EQ(host.undo.Done().back().name, "Duplicate along Path");
    EXPECT_EQ(Record().planOffset.x, 0.0);  // the path leaves the two-point step alone
}

TEST_F(Completion, ANewPathFreesTheOldList) {
    Configure(kModePath, false, 1);
    Complete({{0, 0, 0}, {5, 0, 0}});
    EXPECT_EQ(host.memory.NameOf(Record().pathOffsets), "H2");
    Complete({{0, 0, 0}, {0, 5, 0}});
    EXPECT_THAT(Calls(), ::testing::Contains("KS_FreeHandle(H2)"));
    EXPECT_EQ(host.memory.NameOf(Record().pathOffsets), "H3");
    EXPECT_EQ(host.memory.LiveCount(), 2u);  // the record and the new list
}

TEST_F(Completion, PathThatCannotBeAllocatedDoesNothing) {
    Configure(kModePath, false, 1);
    Complete({{0, 0, 0}, {5, 0, 0}});
    const Snapshot before = Snap();
    host.memory.FailAllocations(1);
    Complete({{0, 0, 0}, {0, 5, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_EQ(Record().pathOffsets, nullptr);
    EXPECT_EQ(host.undo.Done().size(), 1u);  // no new undo step
    EXPECT_EQ(host.memory.LiveCount(), 1u);  // the old list is freed all the same
}

TEST_F(Completion, PathWithASinglePointMakesNoCopiesAndLeavesNothingToRepeat) {
    Configure(kModePath, false, 1);
    Complete({{0, 0, 0}, {5, 0, 0}});
    const Snapshot before = Snap();
    Complete({{7, 7, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_EQ(Record().pathOffsets, nullptr);
    Configure(kModePath, false, 1, true);
    Complete({{0, 0, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_EQ(host.undo.Done().size(), 1u);
}

TEST_F(Completion, PathWhenTheHostCannotCountPointsMakesNothing) {
    Configure(kModePath, false, 1);
    host.Disable(ks::selector::kGetToolPointCount);
    const Snapshot before = Snap();
    Complete({{0, 0, 0}, {5, 0, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_EQ(Record().pathOffsets, nullptr);
    EXPECT_TRUE(host.undo.Done().empty());
}

TEST_F(Completion, RepeatingAPathWithoutOneDoesNothing) {
    Configure(kModePath, false, 1, true);
    Complete({{0, 0, 0}});
    EXPECT_TRUE(host.undo.Done().empty());
    EXPECT_EQ(host.document.AllObjects().size(), 1u);
}

TEST_F(Completion, RepeatsAfterAPartsOperationUseThePartVector) {
    Configure(kModeParts, false, 4);
    Complete({{0, 0, 0}, {10, 0, 0}});  // X moves by 2.5
    EXPECT_EQ(Record().planOffset.x, 2.5);
    EXPECT_EQ(Record().spaceOffset.x, 10.0);  // the companion keeps the whole span

    Configure(kModeSpan, true, 2, true);
    Complete({{50, 50, 0}});
    EXPECT_THAT(Placement(), ElementsAre(Placed{2.5, 0, 0, false}, Placed{5, 0, 0, true}, Placed{7.5, 0, 0, true}));
    EXPECT_EQ(host.undo.Done().back().name, "Move/Duplicate");

    host.document.ClearSelection();
    host.document.Select(host.document.AllObjects()[0], true);
    Configure(kModeSpan, true, 2, true, true);
    Complete({{50, 50, 0}});
    const std::vector<Placed> placed = Placement();
    ASSERT_EQ(placed.size(), 5u);
    EXPECT_EQ(placed[1], (Placed{0, 0, 0, true}));     // -2.5 from X
    EXPECT_EQ(placed[2], (Placed{-2.5, 0, 0, true}));  // -5 from X
    EXPECT_EQ(Record().planOffset.x, 2.5);             // negated back

    // A reversed move, and reverse without repeat has no effect.
    Configure(kModeSpan, false, 1, true, true);
    Complete({{0, 0, 0}});
    EXPECT_EQ(Placement()[1], (Placed{-2.5, 0, 0, true}));
    Configure(kModeSpan, false, 1, false, true);
    Complete({{0, 0, 0}, {1, 0, 0}});
    EXPECT_EQ(Placement()[1], (Placed{-1.5, 0, 0, true}));
}

TEST_F(Completion, CompanionVectorsFollowTheFreshOperation) {
    Configure(kModeParts, false, 2);
    Complete({{0, 0, 0}, {3, 4, 0}});
    EXPECT_EQ(Record().planOffset.x, 1.5);
    EXPECT_EQ(Record().planOffset.y, 2.0);
    EXPECT_EQ(Record().spaceOffset.x, 3.0);
    EXPECT_EQ(Record().spaceOffset.y, 4.0);
    EXPECT_EQ(Record().spaceOffset.z, 0.0);

    // A spatial repeat of a planar span moves by (3, 4, 0).
    Configure(kModeSpan, false, 1);
    Complete({{0, 0, 0}, {3, 4, 0}});
    Record().planar = 0;
    Configure(kModeSpan, false, 1, true);
    Complete({{0, 0, 0}});
    EXPECT_EQ(Placement()[0], (Placed{7.5, 10, 0, true}));

    // A fresh spatial span sets the plan vector to its x and y.
    Configure(kModeSpan, false, 1);
    Complete({{0, 0, 0}, {1, 2, 3}});
    EXPECT_EQ(Record().planOffset.x, 1.0);
    EXPECT_EQ(Record().planOffset.y, 2.0);
    EXPECT_EQ(Placement()[0], (Placed{8.5, 12, 3, true}));
}

TEST_F(Completion, SpatialCopiesAndPathsMoveInThreeDimensions) {
    Record().planar = 0;
    Configure(kModeSpan, true, 2);
    Complete({{0, 0, 0}, {1, 1, 1}});
    EXPECT_THAT(Placement(), ElementsAre(Placed{0, 0, 0, false}, Placed{1, 1, 1, true}, Placed{2, 2, 2, true}));
    EXPECT_THAT(CallNames(), ::testing::Contains("KS_MoveObject3D"));

    host.document.ClearSelection();
    host.document.Select(rectangle, true);
    Configure(kModePath, false, 1);
    Complete({{0, 0, 0}, {0, 0, 4}, {1, 0, 4}});
    const std::vector<Placed> placed = Placement();
    EXPECT_EQ(placed[1], (Placed{0, 0, 4, true}));
    EXPECT_EQ(placed[2], (Placed{1, 0, 4, true}));

    // The spatial path repeated in plan work ignores z.
    host.document.ClearSelection();
    host.document.Select(rectangle, true);
    Record().planar = 1;
    Configure(kModePath, false, 1, true);
    Complete({{0, 0, 0}});
    EXPECT_EQ(Placement()[1], (Placed{0, 0, 0, true}));  // (0, 0, 4) without its z
    EXPECT_EQ(Placement()[2], (Placed{1, 0, 0, true}));
}

TEST_F(Completion, DuplicationFailingPartWayStopsOnlyThatObject) {
    host::Object* second = AddRectangle(0, 10, 1, 11);
    host.document.Select(second, true);
    host.failDuplicateCall = 2;  // X gets one copy, then the host fails
    Configure(kModeSpan, true, 3);
    Complete({{0, 0, 0}, {5, 0, 0}});
    EXPECT_THAT(Placement(), ElementsAre(Placed{0, 0, 0, false}, Placed{5, 0, 0, true}, Placed{0, 10, 0, false},
                                         Placed{5, 10, 0, true}, Placed{10, 10, 0, true}, Placed{15, 10, 0, true}));
}

TEST_F(Completion, NoCompletionWhenTheHostDoesNotAllowIt) {
    host.completionAllowed = false;
    Configure(kModeSpan, false, 1);
    const Snapshot before = Snap();
    Complete({{0, 0, 0}, {5, 0, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_THAT(CallNames(), ElementsAre("KS_ToolCompletionAllowed"));
}

TEST_F(Completion, PartsWithoutACountAsksForOneAndWithoutAnAnswerDoesNothing) {
    Configure(kModeParts, false, 0);
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 2, 0});
    const Snapshot before = Snap();
    Complete({{0, 0, 0}, {10, 0, 0}});
    EXPECT_EQ(Snap(), before);
    EXPECT_TRUE(host.undo.Done().empty());
    EXPECT_EQ(Record().count, 0);

    host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, 5});
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    Complete({{0, 0, 0}, {10, 0, 0}});
    EXPECT_EQ(Record().count, 5);
    EXPECT_EQ(Placement()[0], (Placed{2, 0, 0, true}));
}

TEST_F(Completion, CopiesWithoutACountAskForOne) {
    Configure(kModeSpan, true, 0);
    host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, 2});
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    Complete({{0, 0, 0}, {1, 0, 0}});
    EXPECT_EQ(Placement().size(), 3u);
}

// ---- per-object steps use the block they are handed ----------------------------

host::Host* gVisitHost = nullptr;

// Visits the selected objects but hands the steps another host's block.
void KS_CDECL VisitWithAnotherBlock(int16_t, ObjectVisitor visit, void* env, CallbackBlock*) {
    visit(reinterpret_cast<ObjectHandle>(0x1), gVisitHost->Block(), env);
}

TEST_F(Completion, StepsCallTheBlockTheyAreHanded) {
    host::Host other;
    gVisitHost = &other;
    host.Override<ks::selector::kForEachObject>(&VisitWithAnotherBlock);
    Configure(kModeSpan, false, 1);
    Complete({{0, 0, 0}, {5, 0, 0}});
    EXPECT_THAT(other.log.CallNames(), ElementsAre("KS_UndoRecordMove", "KS_MoveObject"));
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_MoveObject")));
    gVisitHost = nullptr;
}

// ---- undo and redo -----------------------------------------------------------

class UndoRedo : public Completion, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(UndoRedo, UndoRestoresExactlyAndRedoReapplies) {
    const PlacementCase& c = GetParam();
    host::Object* other = AddRectangle(3.3, -1.7, 4.1, 0.2, 2.0);
    host.document.Select(other, true);
    Configure(c.mode, c.duplicate, c.count);
    Record().planar = c.points.size() > 1 && c.points[1].z != 0.0 ? 0 : 1;
    const Snapshot before = Snap();
    host.points.picked = c.points;
    Send(kToolEventComplete);
    host.points.picked.clear();
    const Snapshot after = Snap();
    ASSERT_NE(after, before);
    ASSERT_TRUE(host.undo.Undo(host.document));
    EXPECT_EQ(Snap(), before);
    ASSERT_TRUE(host.undo.Redo(host.document));
    EXPECT_EQ(Snap(), after);
    ASSERT_TRUE(host.undo.Undo(host.document));
    EXPECT_EQ(Snap(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, UndoRedo,
    ::testing::Values(PlacementCase{"Move", kModeSpan, false, 1, {{0, 0, 0}, {0.1, 0.7, 0}}, {}},
                      PlacementCase{"Copies", kModeSpan, true, 3, {{0, 0, 0}, {0.3, 0.1, 0}}, {}},
                      PlacementCase{"Parts", kModeParts, true, 3, {{0, 0, 0}, {1, 1, 0}}, {}},
                      PlacementCase{"Path", kModePath, false, 1, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {}},
                      PlacementCase{"SpatialMove", kModeSpan, false, 1, {{0, 0, 0}, {0.1, 0.2, 0.3}}, {}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace
