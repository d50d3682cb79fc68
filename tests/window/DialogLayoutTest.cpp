// The count dialog as the window lays it out from the tool's requests, and
// the host remembering those requests.
#include <gtest/gtest.h>

#include "DialogLayout.h"

namespace {

host::DialogItem Item(host::DialogItem::Type type, int16_t width) {
    host::DialogItem item;
    item.type = type;
    item.width = width;
    return item;
}

TEST(DialogLayout, FollowsTheToolsRequestsItemByItem) {
    host::Dialogs dialogs;
    const int32_t d = dialogs.Create("Copies and Parts", "OK", "Cancel");
    ASSERT_TRUE(dialogs.AddItem(d, 4, Item(host::DialogItem::Type::StaticText, 16)));
    ASSERT_TRUE(dialogs.AddItem(d, 5, Item(host::DialogItem::Type::IntegerField, 8)));
    ASSERT_TRUE(dialogs.AddItem(d, 6, Item(host::DialogItem::Type::StaticText, 4)));
    ASSERT_TRUE(dialogs.SetFirstLayoutItem(d, 4));
    ASSERT_TRUE(dialogs.PlaceRightOf(d, 4, 5, 0, 0));
    ASSERT_TRUE(dialogs.PlaceRightOf(d, 5, 6, 3, -2));
    const host::Dialog& dialog = *dialogs.Find(d);
    EXPECT_EQ(dialog.items.at(6).rightOf, 5);  // the host keeps the request
    EXPECT_EQ(dialog.items.at(6).offsetX, 3);

    const window::DialogLayout layout = window::LayOut(dialog);
    ASSERT_EQ(layout.items.size(), 3u);
    const window::Placed a = layout.items.at(4), b = layout.items.at(5), c = layout.items.at(6);
    EXPECT_EQ(a.x, 7);
    EXPECT_EQ(a.y, 7);
    EXPECT_EQ(a.cx, 64);  // sixteen characters
    EXPECT_EQ(b.x, a.x + a.cx + 4);
    EXPECT_EQ(b.y, a.y);
    EXPECT_EQ(c.x, b.x + b.cx + 4 + 3);
    EXPECT_EQ(c.y, b.y - 2);

    // The buttons in a row below everything, inside the dialog, OK first.
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].first, host::kDefaultButton);
    EXPECT_LT(layout.buttons[0].second.x, layout.buttons[1].second.x);
    for (const auto& [number, p] : layout.buttons) {
        EXPECT_GT(p.y, a.y + a.cy);
        EXPECT_LE(p.x + p.cx, layout.width);
        EXPECT_LE(p.y + p.cy, layout.height);
    }
    EXPECT_GE(layout.width, c.x + c.cx);
}

TEST(DialogLayout, LeavesOutWhatTheLayoutNeverReaches) {
    host::Dialog dialog;
    dialog.items[1] = Item(host::DialogItem::Type::Button, 0);
    dialog.items[4] = Item(host::DialogItem::Type::StaticText, 10);
    dialog.items[5] = Item(host::DialogItem::Type::IntegerField, 8);
    dialog.items[7] = Item(host::DialogItem::Type::IntegerField, 8);
    dialog.items[8] = Item(host::DialogItem::Type::IntegerField, 8);
    // No first item: nothing has a place.
    dialog.items[5].rightOf = 4;
    EXPECT_TRUE(window::LayOut(dialog).items.empty());
    // Items anchored on each other in a loop, and one on a missing item.
    dialog.firstLayoutItem = 4;
    dialog.items[7].rightOf = 8;
    dialog.items[8].rightOf = 7;
    dialog.items[5].rightOf = 99;
    const window::DialogLayout layout = window::LayOut(dialog);
    EXPECT_EQ(layout.items.size(), 1u);
    EXPECT_EQ(layout.items.count(4), 1u);
    EXPECT_EQ(layout.buttons.size(), 1u);
}

}  // namespace
