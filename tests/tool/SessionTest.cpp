// The host's tool-point protocol with the real plug-in: which events a user's
// gestures become, and what the action leaves behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolHarness.h"
#include "host/Session.h"

namespace {

using ::testing::ElementsAre;

class Protocol : public ToolHarness {
protected:
    void SetUp() override {
        ToolHarness::SetUp();
        host.version = {1, 10, 4, 0};
        session.ChooseTool();
    }
    // The events sent since `from`, as "event -> reply".
    std::vector<std::string> Events(std::size_t from) const {
        std::vector<std::string> out;
        const auto& entries = host.log.Entries();
        for (std::size_t i = from; i < entries.size(); ++i)
            if (entries[i].type == host::LogEntry::Type::Event)
                out.push_back(entries[i].args[0] + " -> " + entries[i].result);
        return out;
    }
    host::Session session{host};
};

TEST_F(Protocol, ATwoPointActionFromFirstClickToCompletion) {
    std::size_t from = host.log.Size();
    session.SetKeys({true, false, false});
    session.Click(Point3D(0, 0, 0));
    EXPECT_THAT(Events(from),
                ElementsAre("5 -> 17002", "5 -> 17002", "105 -> 2", "100 -> 0", "103 -> 0", "5 -> 17002"));
    EXPECT_TRUE(session.PreviewShown());

    from = host.log.Size();
    session.MoveMouse(Point3D(4, 0, 0));
    EXPECT_THAT(Events(from), ElementsAre("103 -> 0", "103 -> 0", "5 -> 17002"));

    from = host.log.Size();
    session.Click(Point3D(5, 0, 0));
    EXPECT_THAT(Events(from),
                ElementsAre("103 -> 0", "103 -> 0", "5 -> 17002", "103 -> 0", "100 -> 0", "104 -> 0", "5 -> 17002"));
    EXPECT_FALSE(session.Picking());
    EXPECT_TRUE(host.feedback.Empty());
    EXPECT_EQ(host.document.AllObjects().size(), 2u);
    EXPECT_EQ(host.undo.Done().size(), 1u);
}

TEST_F(Protocol, ARepeatCompletesOnTheFirstClick) {
    session.Click(Point3D(0, 0, 0));
    session.Click(Point3D(3, 0, 0));  // a move by (3, 0)
    session.SetKeys({true, true, false});
    EXPECT_EQ(session.Cursor(), 17004);
    const std::size_t from = host.log.Size();
    session.Click(Point3D(50, 50, 0));
    EXPECT_THAT(Events(from), ElementsAre("5 -> 17004", "105 -> 1", "100 -> 0", "104 -> 0", "5 -> 17004"));
    EXPECT_EQ(host.document.AllObjects().size(), 2u);
    EXPECT_EQ(host::Document::PlanBounds(*host.document.AllObjects()[1]).left, 6.0);
}

TEST_F(Protocol, AClickWithNothingSelectedIsRefused) {
    host.document.ClearSelection();
    session.MoveMouse(Point3D(1, 1, 0));
    EXPECT_EQ(session.Cursor(), 17000);
    session.Click(Point3D(1, 1, 0));
    EXPECT_FALSE(session.Picking());
    EXPECT_FALSE(session.PreviewShown());
    EXPECT_EQ(host::MacRomanToDisplay(host.messageLine),
              host.resources.String(kMessageStrings, kMessageNothingSelected));
}

TEST_F(Protocol, APathCanBeFinishedOnceItHasASecondPoint) {
    session.ChangeMode(kGroupMode, kModePath);
    EXPECT_EQ(host.modeBar.groups[0].choice, kModePath);
    session.Click(Point3D(0, 0, 0));
    EXPECT_EQ(session.Collecting(), host::Session::Collect::MultiPoint);
    EXPECT_FALSE(session.FinishPath());
    session.Click(Point3D(2, 0, 0));
    session.Click(Point3D(2, 2, 0));
    session.MoveMouse(Point3D(9, 9, 0));
    EXPECT_TRUE(session.FinishPath());
    EXPECT_TRUE(host.feedback.Empty());
    EXPECT_EQ(host.document.AllObjects().size(), 3u);
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(host.document.AllObjects().size(), 1u);
    EXPECT_TRUE(host.document.AllObjects()[0]->selected);
    ASSERT_TRUE(session.Redo());
    EXPECT_EQ(host.document.AllObjects().size(), 3u);
}

TEST_F(Protocol, ChangingTheCountWhilePickingKeepsTheScreenRight) {
    session.SetKeys({true, false, false});
    session.Click(Point3D(0, 0, 0));
    session.SetKeys({false, false, false});
    session.MoveMouse(Point3D(3, 0, 0));
    host.dialogs.Script().push_back({host::DialogAction::Type::TypeNumber, 5, 4});
    host.dialogs.Script().push_back({host::DialogAction::Type::Press, 1, 0});
    session.EditSettings();
    EXPECT_EQ(Record().count, 4);
    EXPECT_EQ(host.feedback.Shown().size(), 5u);  // the span line and four outlines
}

TEST_F(Protocol, SwitchingTheViewAbandonsTheAction) {
    host.version = {1, 11, 0, 0};
    session.Dispose();
    session.ChooseTool();
    session.Click(Point3D(0, 0, 0));
    session.SetView(host::kSpaceView);
    EXPECT_FALSE(session.Picking());
    EXPECT_EQ(Record().planar, 0);
    EXPECT_EQ(session.Cursor(), 17011);
}

}  // namespace
