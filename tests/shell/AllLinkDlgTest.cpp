// The left/right link question: the chosen direction comes back only with OK, a radio click is
// taken over at once, and the texts follow the UI language.
#include "model/Globals.h"
#include "shell/All_Link_Dlg.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class AllLinkDlgTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetLinkGlobals(); }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        g_bChinese = 0;
        r9test::ResetLinkGlobals();
    }
    static void Click(CDialog& d, int id) { r9test::Click(d.GetDlgItem(id)->Widget(), {5, 5}); }
};

TEST_F(AllLinkDlgTest, TheDirectionComesBackWithOk) {
    struct Case {
        int radio; // 0: none clicked
        int closeWith;
        INT_PTR result;
        int direction;
    } cases[] = {
        {0, IDOK, IDOK, 0},
        {CAll_Link_Dlg::IDC_RIGHT_TO_LEFT, IDOK, IDOK, 1},
        {CAll_Link_Dlg::IDC_LEFT_TO_RIGHT, IDOK, IDOK, 0},
        {CAll_Link_Dlg::IDC_RIGHT_TO_LEFT, IDCANCEL, IDCANCEL, 1},
    };
    for (const Case& c : cases) {
        CAll_Link_Dlg dlg;
        int seen = -1;
        CDialog::SetModalHook([&](CDialog& d) {
            if (c.radio) {
                Click(d, c.radio);
                seen = dlg.m_nDirection; // taken at the click, before the dialog closes
            }
            Click(d, c.closeWith);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.radio;
        EXPECT_EQ(dlg.m_nDirection, c.direction) << c.radio;
        if (c.radio) {
            EXPECT_EQ(seen, c.direction);
        }
    }
}

TEST_F(AllLinkDlgTest, TextsFollowTheLanguage) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CAll_Link_Dlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_ALL_LINK));
        CString caption, radio, ok;
        dlg.GetWindowText(caption);
        dlg.GetDlgItem(CAll_Link_Dlg::IDC_RIGHT_TO_LEFT)->GetWindowText(radio);
        dlg.GetDlgItem(IDOK)->GetWindowText(ok);
        EXPECT_STREQ(caption.GetString(), chinese ? "提示" : "Prompting");
        EXPECT_STREQ(radio.GetString(), chinese ? "从右复制到左" : "Copy from right to left");
        EXPECT_STREQ(ok.GetString(), chinese ? "确定" : "OK");
        dlg.ShowWindow(SW_SHOW);
        EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), chinese ? "all_link_dialog_zh" : "all_link_dialog_en")
                         .isNull());
        dlg.DestroyWindow();
    }
}

} // namespace
