// The mixer source: the availability check against every row of the three tables, the change rule
// and the popup menu 173 (texts by language, sources the current input does not offer greyed, the
// picked item reaching the owner).
#include "model/Globals.h"

#include "pages/input/MixerSource.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class MixerSourceTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override {
        CMenu::SetTrackHook(nullptr);
        r9test::ResetModelGlobals();
    }
};

struct Row {
    int mode;
    int input;
    std::array<int, 7> offered;
};
// Every row of the three tables: sources S/PDIF, Hi.Level, Phone, AUX1, AUX2, AUX3, OFF.
constexpr Row kRows[] = {
    {0, 0, {0, 1, 1, 1, 1, 1, 1}}, {0, 1, {1, 0, 1, 1, 0, 0, 1}}, {0, 2, {1, 1, 0, 0, 1, 1, 1}},
    {0, 3, {1, 1, 0, 0, 1, 1, 1}}, {0, 4, {1, 0, 1, 1, 0, 1, 1}}, {0, 5, {1, 0, 1, 1, 1, 0, 1}},
    {1, 0, {0, 1, 1, 1, 1, 0, 1}}, {1, 1, {1, 0, 1, 0, 0, 0, 1}}, {1, 2, {1, 1, 0, 0, 1, 0, 1}},
    {1, 3, {1, 0, 0, 0, 1, 0, 1}}, {1, 4, {1, 0, 1, 1, 0, 0, 1}}, {2, 0, {0, 1, 1, 1, 0, 0, 1}},
    {2, 1, {1, 0, 1, 0, 0, 0, 1}}, {2, 2, {1, 1, 0, 0, 0, 0, 1}}, {2, 3, {1, 0, 0, 0, 0, 0, 1}},
};

TEST_F(MixerSourceTest, CheckForInputCopiesEachRowAndKeepsOnlyOfferedSources) {
    for (const Row& r : kRows) {
        for (int source = 0; source < 7; ++source) {
            g_inputOptions.Init();
            g_inputOptions.choice = source;
            const bool kept = g_inputOptions.CheckForInput(r.input, r.mode);
            SCOPED_TRACE(testing::Message()
                         << "mode " << r.mode << " input " << r.input << " source " << source);
            EXPECT_EQ(std::vector<int>(g_inputOptions.activeRow, g_inputOptions.activeRow + 7),
                      std::vector<int>(r.offered.begin(), r.offered.end()));
            EXPECT_EQ(kept, r.offered[static_cast<size_t>(source)] != 0);
            EXPECT_EQ(g_inputOptions.choice, kept ? source : CMixerSource::kOff);
        }
        // The current input is never its own mixer source.
        EXPECT_EQ(r.offered[static_cast<size_t>(r.input)], 0);
    }
}

TEST_F(MixerSourceTest, AModeChangeFallsBackToOffAndARowOutsideTheTablesCopiesNothing) {
    // AUX2 picked for AUX1 in mode 0, then mode 2: AUX2 is not offered there.
    g_inputOptions.CheckForInput(3, 0);
    ASSERT_TRUE(CMixerSource::Choose(4));
    EXPECT_FALSE(g_inputOptions.CheckForInput(3, 2));
    EXPECT_EQ(g_inputOptions.choice, CMixerSource::kOff);

    // Input 6 (none) has no row in mode 0, nor does mode 3: the row in use stays.
    g_inputOptions.CheckForInput(1, 0);
    ASSERT_TRUE(CMixerSource::Choose(2));
    const std::vector<int> before(g_inputOptions.activeRow, g_inputOptions.activeRow + 7);
    EXPECT_TRUE(g_inputOptions.CheckForInput(6, 0));
    EXPECT_TRUE(g_inputOptions.CheckForInput(0, 3));
    EXPECT_EQ(std::vector<int>(g_inputOptions.activeRow, g_inputOptions.activeRow + 7), before);
    EXPECT_EQ(g_inputOptions.choice, 2);
}

TEST_F(MixerSourceTest, ChooseChangesOnlyToAnotherValidSource) {
    EXPECT_FALSE(CMixerSource::Choose(CMixerSource::kOff)); // already OFF at start
    EXPECT_TRUE(CMixerSource::Choose(1));
    EXPECT_FALSE(CMixerSource::Choose(1));
    EXPECT_FALSE(CMixerSource::Choose(7));
    EXPECT_FALSE(CMixerSource::Choose(-1));
    EXPECT_EQ(g_inputOptions.choice, 1);
    EXPECT_EQ(CMixerSource::SourceOfCommand(174), 0);
    EXPECT_EQ(CMixerSource::SourceOfCommand(180), 6);
    EXPECT_EQ(CMixerSource::SourceOfCommand(181), -1);
    EXPECT_EQ(CMixerSource::SourceOfCommand(173), -1);
}

TEST_F(MixerSourceTest, ButtonPicturesFollowSourceAndLanguage) {
    struct Case {
        int source;
        bool chinese;
        UINT page;
        UINT dialog;
    };
    for (const Case& c : {Case{0, true, 3100, 3200}, Case{6, true, 3106, 3206}, Case{3, false, 3123, 3223},
                          Case{6, false, 3126, 3226}, Case{9, false, 3126, 3226}}) {
        const CMixerSource::Looks page = CMixerSource::PageButtonLooks(c.source, c.chinese);
        const CMixerSource::Looks dialog = CMixerSource::DialogButtonLooks(c.source, c.chinese);
        EXPECT_EQ(page.normal, c.page);
        EXPECT_EQ(page.hover, c.page + 10);
        EXPECT_EQ(page.pressed, c.page + 10);
        EXPECT_EQ(dialog.normal, c.dialog);
        EXPECT_EQ(dialog.pressed, c.dialog + 10);
        // Every picture exists in the skin.
        for (UINT id : {page.normal, page.hover, dialog.normal, dialog.hover})
            EXPECT_NE(res::FindArt(id), nullptr) << id;
    }
    EXPECT_EQ(CMixerSource::BlankLooks().normal, 722u);
    EXPECT_NE(res::FindArt(722), nullptr);
    EXPECT_NE(res::FindArt(723), nullptr);
}

TEST_F(MixerSourceTest, MenuNamesTheSourcesAndGreysWhatTheInputDoesNotOffer) {
    r9test::LogWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(20, 30, 120, 54), &owner, 3967));
    // AUX1 current in mode 0: Phone and AUX1 greyed.
    g_inputOptions.CheckForInput(3, 0);

    struct Seen {
        std::vector<CString> texts;
        std::vector<bool> greyed;
        int x = 0, y = 0;
    };
    for (int chinese = 0; chinese < 2; ++chinese) {
        g_bChinese = chinese;
        Seen seen;
        CMenu::SetTrackHook([&](CMenu& popup, int x, int y) -> UINT {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
                CString text;
                popup.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
                seen.texts.push_back(text);
                seen.greyed.push_back((popup.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) !=
                                      0);
            }
            seen.x = x;
            seen.y = y;
            return 178; // AUX2
        });
        CMenu menu;
        CMixerSource::TrackMenu(menu, button, &owner);
        const std::vector<CString> expected =
            chinese ? std::vector<CString>{"数字", "高电平", "蓝牙", "AUX1", "AUX2", "AUX3", "关闭"}
                    : std::vector<CString>{"S/PDIF", "Hi.Level", "Phone", "AUX1", "AUX2", "AUX3", "OFF"};
        EXPECT_EQ(seen.texts, expected);
        EXPECT_EQ(seen.greyed, (std::vector<bool>{false, false, true, true, false, false, false}));
        CRect rc;
        button.GetWindowRect(&rc);
        EXPECT_EQ(seen.x, rc.left);
        EXPECT_EQ(seen.y, rc.bottom + 2);
    }
    r9test::Pump();
    // The pick reaches the owner as its command.
    EXPECT_EQ(owner.Codes(178).size(), 2u);
}

} // namespace
