// Menus from the tables, item states, popup tracking with a posted command.
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

const res::MenuItemSpec kMenu[] = {
    {64700, 0, 0, MF_POPUP, "Link", "连接"},       {64700, 1, 732, 0, "USB", "USB"},
    {64700, 1, 733, MF_GRAYED, "Network", "网络"}, {64700, 1, 0, MF_SEPARATOR, nullptr, nullptr},
    {64700, 1, 0, MF_POPUP, "More", "更多"},       {64700, 2, 740, MF_CHECKED, "Deep", "深"},
};

TEST(MenuTest, LoadedMenuKeepsItsTreeStatesAndLanguage) {
    res::RegisterMenus(kMenu);
    ResourceLoader::SetChinese(TRUE);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(64700));
    ResourceLoader::SetChinese(FALSE);
    ASSERT_EQ(menu.GetMenuItemCount(), 1);
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 4);
    EXPECT_EQ(popup->GetMenuItemID(0), 732u);
    EXPECT_EQ(popup->GetMenuItemID(3), 0xFFFFFFFFu);
    CString text;
    popup->GetMenuString(733, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString("网络"));
    EXPECT_EQ(popup->GetMenuState(733, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(popup->EnableMenuItem(733, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.CheckMenuItem(740, MF_UNCHECKED), MF_CHECKED); // found in the nested popup
    EXPECT_EQ(menu.CheckMenuItem(999, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_TRUE(popup->ModifyMenu(732, MF_BYCOMMAND | MF_STRING, 732, "USB 2"));
    popup->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString("USB 2"));
    EXPECT_FALSE(CMenu().LoadMenu(64799));
}

TEST(MenuTest, TrackPopupPostsTheCommandOrReturnsIt) {
    r9test::LogWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 732, "USB");
    popup.AppendMenu(MF_STRING, 733, "Network");
    int seenX = 0;
    CMenu::SetTrackHook([&](CMenu& m, int x, int) {
        seenX = x;
        return m.GetMenuItemID(1);
    });
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN, 40, 50, &owner));
    EXPECT_EQ(seenX, 40);
    EXPECT_TRUE(owner.Of(WM_COMMAND).empty()); // posted, not sent
    r9test::Pump();
    ASSERT_EQ(owner.Codes(733).size(), 1u);
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 733);
    CMenu::SetTrackHook([](CMenu&, int, int) { return 0u; });
    EXPECT_FALSE(popup.TrackPopupMenu(0, 0, 0, &owner));
    CMenu::SetTrackHook(nullptr);
}

} // namespace
