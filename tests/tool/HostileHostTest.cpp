// A host that answers at the edges: each case here once made the tool leak,
// read past the picked points, loop without bound or move objects by a
// vector that is not finite. What it does instead: nothing, or a bounded part.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ToolHarness.h"
#include "tool/MoveDuplicate.h"
#include "tool/SpanFeedback.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kHuge = std::numeric_limits<int32_t>::max();

class HostileHost : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        host.version = {1, 10, 4, 0};
        CreateAndSetUp();
    }

    // The corners of every object, for "the drawing did not change".
    std::vector<double> Drawing() const {
        std::vector<double> coords;
        for (const host::Object* o : host.document.AllObjects())
            for (const Point3D& v : o->vertices) coords.insert(coords.end(), {v.x, v.y, v.z});
        return coords;
    }
};

TEST_F(HostileHost, ASecondCreateFreesTheRecordAndPathOfTheFirst) {
    Record().mode = kModePath;
    host.points.picked = {{0, 0, 0}, {1, 0, 0}};
    Send(kToolEventComplete);
    ASSERT_EQ(host.memory.LiveCount(), 2u);  // the record and its path list
    Send(kToolEventCreate);
    EXPECT_EQ(host.memory.LiveCount(), 1u);
    EXPECT_EQ(Record().count, 1);  // a fresh record with the defaults
    Send(kToolEventDispose);
    EXPECT_EQ(host.memory.LiveCount(), 0u);
}

TEST_F(HostileHost, ASpanCompletedWithFewerThanTwoPointsDoesNothing) {
    for (int16_t mode : {kModeSpan, kModeParts})
        for (std::size_t points : {0u, 1u}) {
            Record().mode = mode;
            host.points.picked.assign(points, Point3D(3, 4, 0));
            Send(kToolEventComplete);
            EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_GetToolPoint"))) << mode << points;
            EXPECT_TRUE(host.undo.Done().empty()) << mode << " with " << points << " points";
        }
}

struct NonFiniteCase {
    const char* name;
    int16_t mode;
    std::vector<Point3D> points;
};

class NonFiniteSpan : public HostileHost, public ::testing::WithParamInterface<NonFiniteCase> {};

TEST_P(NonFiniteSpan, MovesNothingAndKeepsTheStoredStep) {
    const NonFiniteCase& c = GetParam();
    Record().mode = c.mode;
    Record().duplicate = 1;
    Record().count = 2;
    Record().planOffset = Point2D(7, 7);
    const std::vector<double> before = Drawing();
    host.points.picked = c.points;
    Send(kToolEventComplete);
    EXPECT_EQ(Drawing(), before);
    EXPECT_TRUE(host.undo.Done().empty());
    EXPECT_EQ(Record().planOffset.x, 7.0);
    EXPECT_EQ(Record().pathOffsets, nullptr);  // no path to repeat
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NonFiniteSpan,
    ::testing::Values(NonFiniteCase{"NaNPoint", kModeSpan, {{0, 0, 0}, {kNaN, 0, 0}}},
                      NonFiniteCase{"InfinitePoint", kModeParts, {{0, 0, 0}, {0, -kInf, 0}}},
                      NonFiniteCase{"SpanBeyondTheDoubles", kModeSpan, {{-1e308, 0, 0}, {1e308, 0, 0}}},
                      NonFiniteCase{"PathThroughNaN", kModePath, {{0, 0, 0}, {1, 0, 0}, {kNaN, kNaN, 0}, {2, 0, 0}}},
                      NonFiniteCase{"PathBeyondTheDoubles", kModePath, {{0, 0, 0}, {1e308, 0, 0}, {-1e308, 0, 0}}}),
    [](const ::testing::TestParamInfo<NonFiniteCase>& info) { return std::string(info.param.name); });

TEST_F(HostileHost, ADialogTheHostCannotMakeIsNeitherLaidOutNorShown) {
    host.Disable(ks::selector::kCreateDialog);
    Record().count = 4;
    Send(kToolEventSettings);
    EXPECT_EQ(Record().count, 4);
    EXPECT_THAT(CallNames(), ::testing::Not(::testing::Contains("KS_AddStaticText")));
}

int32_t KS_CDECL HugePointCount() { return kHuge; }

TEST_F(HostileHost, AHugeCountOrPointCountDrawsABoundedPreview) {
    host.log.enabled = false;  // 10^4 places
    Record().duplicate = 1;
    Record().count = kHuge;
    Pick(0, 0);
    MoveCursor(1, 0);
    Send(kToolEventDraw);
    EXPECT_EQ(host.feedback.Draws(), 1 + kMaxPreviewPlaces);  // the span line and the outlines

    host.feedback.Clear();
    const long drawn = host.feedback.Draws();
    Record().mode = kModePath;
    host.Override<ks::selector::kGetToolPointCount>(&HugePointCount);
    Send(kToolEventDraw);
    // The host has one point to give and answers the others with nothing, so
    // no step gets anywhere: the walk ends at its limit, having drawn nothing.
    EXPECT_EQ(host.feedback.Draws(), drawn);
    host.faults.clear();  // the host's complaints about its own count
}

ObjectHandle gCircularContainer = nullptr;
ObjectHandle KS_CDECL CircularContainer() { return gCircularContainer; }
ObjectHandle KS_CDECL ItsOwnParent(ObjectHandle object) { return object; }

TEST_F(HostileHost, ContainersWhoseParentsLeadInACircleFindNoLayer) {
    host.version = {1, 11, 0, 0};  // spatial work offered, so the view is asked
    gCircularContainer = host::Document::ToHandle(rectangle);
    host.Override<ks::selector::kGetCurrentContainer>(&CircularContainer);
    host.Override<ks::selector::kGetParentObject>(&ItsOwnParent);
    Send(kToolEventCreate);
    Send(kToolEventSetUp);
    EXPECT_EQ(Record().planar, 1);
}

}  // namespace
