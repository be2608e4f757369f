// The channel-pair link question: the texts of each pair, the choice taken at the click and kept
// only with OK, and its looks in both languages.
#include "model/Globals.h"
#include "platform/ui/ResourceLoader.h"
#include "shell/CH_Link_Dlg.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

class CHLinkDlgTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetLinkGlobals(); }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        g_bChinese = 0;
        ResourceLoader::SetChinese(FALSE);
        r9test::ResetLinkGlobals();
    }
    static void Click(CDialog& d, int id) { r9test::Click(d.GetDlgItem(id)->Widget(), {5, 5}); }
    static CString Text(CWnd* w) {
        CString s;
        w->GetWindowText(s);
        return s;
    }
};

TEST_F(CHLinkDlgTest, EachPairNamesItsChannels) {
    struct Case {
        int pair;
        const char* first;
        const char* second;
        const char* caption;
    } cases[] = {
        {0, "CH1 be applied?", "CH2 be applied? ", "Linking of CH1 and CH2 channel"},
        {1, "CH3 be applied? ", "CH4 be applied? ", "Linking of CH3 and CH4 channel"},
        {2, "CH5 be applied? ", "CH6 be applied? ", "Linking of CH5 and CH6 channel"},
    };
    for (const Case& c : cases) {
        CCH_Link_Dlg dlg;
        dlg.m_nPair = c.pair;
        ASSERT_TRUE(dlg.Create(IDD_CH_LINK));
        EXPECT_STREQ(Text(&dlg), c.caption);
        EXPECT_STREQ(Text(dlg.GetDlgItem(CCH_Link_Dlg::IDC_FIRST)), c.first);
        EXPECT_STREQ(Text(dlg.GetDlgItem(CCH_Link_Dlg::IDC_SECOND)), c.second);
        EXPECT_EQ(dlg.GetDlgItem(CCH_Link_Dlg::IDC_FIRST)->SendMessage(BM_GETCHECK), BST_CHECKED)
            << "choice 0 is the first radio";
        dlg.DestroyWindow();
    }
}

TEST_F(CHLinkDlgTest, TheChoiceIsTakenAtTheClickAndReturnedWithOk) {
    struct Case {
        int start;
        int radio; // 0: none clicked
        int closeWith;
        int choice;
    } cases[] = {
        {0, 0, IDOK, 0},
        {0, CCH_Link_Dlg::IDC_SECOND, IDOK, 1},
        {1, CCH_Link_Dlg::IDC_FIRST, IDOK, 0},
        {1, 0, IDOK, 1}, // shown as given
        {0, CCH_Link_Dlg::IDC_SECOND, IDCANCEL, 1},
    };
    for (const Case& c : cases) {
        CCH_Link_Dlg dlg;
        dlg.m_nChoice = c.start;
        int seen = -1;
        CDialog::SetModalHook([&](CDialog& d) {
            if (c.radio) {
                Click(d, c.radio);
                seen = dlg.m_nChoice;
            }
            Click(d, c.closeWith);
        });
        EXPECT_EQ(dlg.DoModal(), c.closeWith) << c.radio;
        EXPECT_EQ(dlg.m_nChoice, c.choice) << c.start << " " << c.radio;
        if (c.radio) {
            EXPECT_EQ(seen, c.choice);
        }
    }
}

TEST_F(CHLinkDlgTest, LooksInBothLanguages) {
    for (int chinese : {0, 1}) {
        // The program switches both together (the view's language).
        g_bChinese = chinese;
        ResourceLoader::SetChinese(chinese);
        CCH_Link_Dlg dlg;
        dlg.m_nPair = 1;
        ASSERT_TRUE(dlg.Create(IDD_CH_LINK));
        EXPECT_STREQ(Text(dlg.GetDlgItem(IDOK)), chinese ? "确定" : "OK");
        dlg.ShowWindow(SW_SHOW);
        EXPECT_FALSE(
            r9test::RenderToPng(dlg.Widget(), chinese ? "ch_link_dialog_zh" : "ch_link_dialog_en").isNull());
        dlg.DestroyWindow();
    }
}

} // namespace
