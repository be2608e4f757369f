// Edit and up-down controls: modification mark, notifications, colours, limits, steps.
#include "platform/ui/Edit.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

using r9test::LogWnd;

struct EditFixture : ::testing::Test {
    LogWnd parent;
    CEdit edit;
    void SetUp() override {
        ASSERT_TRUE(parent.CreateTop());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 30), &parent, 2001));
    }
};

TEST_F(EditFixture, ModifiedOnlyByUserEditsAndNotifications) {
    edit.SetWindowText("12");
    EXPECT_FALSE(edit.GetModify());
    EXPECT_EQ(parent.Codes(2001), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    parent.Clear();

    r9test::Click(edit.Widget(), {5, 5});
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(parent.Codes(2001), std::vector<UINT>{EN_SETFOCUS});
    edit.SetSel(0, -1);
    r9test::Type(edit.Widget(), "7");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("7"));
    EXPECT_TRUE(edit.GetModify());
    edit.SetWindowText("8");
    EXPECT_FALSE(edit.GetModify());

    // A character sent by code is typed too.
    edit.SetSel(1, 1);
    edit.SendMessage(WM_CHAR, 'x', 1);
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("8x"));
    EXPECT_TRUE(edit.GetModify());
}

TEST_F(EditFixture, LimitAndLineLengthCountDoubleBytes) {
    edit.SetWindowText("ab中");
    EXPECT_EQ(edit.LineLength(), 4);
    EXPECT_EQ(edit.GetWindowTextLength(), 5); // UTF-8 bytes
    edit.LimitText(4);
    edit.SetFocus();
    edit.SetSel(4, 4);
    r9test::Type(edit.Widget(), "z");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("ab中"));
    edit.SetWindowText("");
    r9test::Type(edit.Widget(), "abcdef");
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("abcd"));
}

TEST_F(EditFixture, ReadOnlyStyleAndSelection) {
    edit.SetWindowText("hello");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetFocus();
    r9test::Type(edit.Widget(), "x");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("hello"));
    edit.SetSel(0, -1);
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 5);
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
}

TEST_F(EditFixture, HollowBrushLetsTheParentShowAndTextTakesTheColour) {
    // The parent answers WM_CTLCOLOREDIT like the skinned fields: white text, no background.
    parent.answer = true;
    parent.answerMessage = WM_CTLCOLOREDIT;
    parent.answerValue = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    edit.SetWindowText("WWWW");
    QImage img(edit.Widget()->size(), QImage::Format_ARGB32);
    img.fill(QColor(10, 20, 30));
    edit.Widget()->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    int background = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            background += img.pixelColor(x, y) == QColor(10, 20, 30);
    EXPECT_GT(background, img.width() * img.height() / 2) << img.pixelColor(1, 1).name().toStdString();
}

class RefusingParent : public LogWnd {
public:
    bool refuse = false;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS) {
            deltas.push_back(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta);
            if (refuse)
                return 1;
        }
        return LogWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<int> deltas;
};

TEST(SpinTest, ArrowsStepThroughTheParentAndKeysInTheBuddy) {
    RefusingParent parent;
    ASSERT_TRUE(parent.CreateTop());
    CEdit buddy;
    CSpinButtonCtrl spin;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 30), &parent, 3001));
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_SETBUDDYINT,
                            CRect(0, 0, 16, 20), &parent, 3002));
    spin.SetBuddy(&buddy);
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    CRect br, sr;
    buddy.GetWindowRect(&br);
    spin.GetWindowRect(&sr);
    EXPECT_EQ(sr.left, br.right); // placed at the buddy's right edge, the buddy narrowed
    EXPECT_EQ(br.Width(), 70 - 16);
    spin.SetRange32(0, 10);
    spin.SetPos32(9);

    // Up half: +1 at once, inside the press; the release stops the repeat.
    r9test::Press(spin.Widget(), {8, 2});
    EXPECT_EQ(parent.deltas, std::vector<int>{1});
    EXPECT_EQ(spin.GetPos32(), 10);
    r9test::Release(spin.Widget(), {8, 2});
    r9test::Click(spin.Widget(), {8, 2}); // at the top: asked, stays
    EXPECT_EQ(spin.GetPos32(), 10);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_EQ(text, CString("10"));

    // Keys in the buddy step and do not reach it.
    buddy.SetFocus();
    r9test::Key(buddy.Widget(), Qt::Key_Down);
    EXPECT_EQ(parent.deltas.back(), -1);
    EXPECT_EQ(spin.GetPos32(), 9);
    parent.refuse = true;
    r9test::Key(buddy.Widget(), Qt::Key_Down);
    EXPECT_EQ(spin.GetPos32(), 9);
    // The notification comes as WM_NOTIFY from the spin's id.
    ASSERT_FALSE(parent.Of(WM_NOTIFY).empty());
    EXPECT_EQ(parent.Of(WM_NOTIFY).back().wParam, 3002u);
    r9test::RenderToPng(parent.Widget(), "platform_ui_edit_spin");
    r9test::RenderToPng(buddy.Widget(), "platform_ui_edit_only");
    buddy.GetWindowText(text);
    EXPECT_EQ(text, CString("9"));
}

} // namespace

namespace {

TEST_F(EditFixture, MultiLineKeepsCrLfLinesAndCountsThem) {
    CEdit log;
    ASSERT_TRUE(log.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                           CRect(0, 40, 200, 100), &parent, 2002));
    log.SetWindowText("one\r\ntwo\r\nthree");
    EXPECT_EQ(log.GetLineCount(), 3);
    CString text;
    log.GetWindowText(text);
    EXPECT_EQ(text, CString("one\r\ntwo\r\nthree"));
    EXPECT_EQ(log.GetWindowTextLength(), 15);
    EXPECT_FALSE(log.GetModify());
    std::string many;
    for (int i = 0; i < 50; ++i)
        many += "line\r\n";
    log.SetWindowText(many.c_str());
    log.LineScroll(10);
    EXPECT_EQ(log.GetFirstVisibleLine(), 10);
    EXPECT_TRUE(log.GetStyle() & ES_READONLY);
}

} // namespace

namespace {

TEST_F(EditFixture, PressPostedByCodeFocusesWithoutCapture) {
    edit.PostMessage(WM_LBUTTONDOWN, 0, 0);
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

} // namespace

namespace {

TEST_F(EditFixture, AClickReachesTheEditsOwnHandling) {
    edit.SetWindowText("hello");
    edit.SetFocus();
    edit.SetSel(0, 0);
    r9test::Click(edit.Widget(), {95, 10}); // past the end of the text: the caret goes there
    int s = -1, e = -1;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 5);
    EXPECT_EQ(e, 5);
    EXPECT_EQ(CWnd::GetCapture(), nullptr); // released by the button-up
}

} // namespace
