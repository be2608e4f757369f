// Buttons and labels: notifications to the parent, owner draw, check kinds, system looks.
#include "platform/ui/Button.h"
#include "platform/ui/Static.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

using r9test::LogWnd;

class OwnerButton : public CButton {
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        states.push_back(dis->itemState);
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(200, 0, 0) : RGB(0, 0, 200));
    }
};

struct ButtonFixture : ::testing::Test {
    LogWnd parent;
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }
};

TEST_F(ButtonFixture, ClickOnReleaseOverTheButtonOnly) {
    CButton b;
    ASSERT_TRUE(b.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent, 1001));
    QWidget* w = b.Widget();
    r9test::Press(w, {5, 5});
    EXPECT_EQ(CWnd::GetCapture(), &b);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_TRUE(b.GetState() & BST_PUSHED);
    r9test::Release(w, {5, 5});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(parent.Codes(1001), std::vector<UINT>{BN_CLICKED});
    const auto cmd = parent.Of(WM_COMMAND).back();
    EXPECT_EQ(cmd.lParam, reinterpret_cast<LPARAM>(b.m_hWnd));

    // Dragged off before the release: no click; the pushed look follows the cursor.
    parent.Clear();
    r9test::Press(w, {5, 5});
    r9test::Move(w, {200, 5}, Qt::LeftButton);
    EXPECT_FALSE(b.GetState() & BST_PUSHED);
    r9test::Move(w, {6, 6}, Qt::LeftButton);
    EXPECT_TRUE(b.GetState() & BST_PUSHED);
    r9test::Move(w, {-3, 6}, Qt::LeftButton);
    r9test::Release(w, {-3, 6});
    EXPECT_TRUE(parent.Codes(1001).empty());

    // The space bar clicks too.
    r9test::Key(w, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(parent.Codes(1001), std::vector<UINT>{BN_CLICKED});
}

TEST_F(ButtonFixture, OwnerDrawAsksColoursThenDrawsWithTheItemState) {
    OwnerButton b;
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30), &parent, 1002));
    parent.Clear();
    QImage img = r9test::RenderToPng(b.Widget(), "");
    ASSERT_FALSE(b.states.empty());
    EXPECT_EQ(b.states.back() & ODS_SELECTED, 0u);
    EXPECT_EQ(QColor(img.pixel(3, 3)), QColor(0, 0, 200));
    // The colour request comes first (skinned buttons build their caches in it), then the draw.
    std::vector<UINT> order;
    for (const auto& m : parent.log)
        if (m.message == WM_CTLCOLORBTN || m.message == WM_DRAWITEM)
            order.push_back(m.message);
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[order.size() - 2], WM_CTLCOLORBTN);
    EXPECT_EQ(order.back(), WM_DRAWITEM);

    r9test::Press(b.Widget(), {3, 3});
    img = r9test::RenderToPng(b.Widget(), "");
    EXPECT_EQ(b.states.back() & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(QColor(img.pixel(3, 3)), QColor(200, 0, 0));
    r9test::Release(b.Widget(), {3, 3});
    b.EnableWindow(FALSE);
    r9test::RenderToPng(b.Widget(), "");
    EXPECT_TRUE(b.states.back() & ODS_DISABLED);
    // A double click on an owner-drawn button reports itself instead of a second press.
    b.EnableWindow(TRUE);
    parent.Clear();
    r9test::DoubleClick(b.Widget(), {3, 3});
    r9test::Release(b.Widget(), {3, 3});
    EXPECT_EQ(parent.Codes(1002), std::vector<UINT>{BN_DOUBLECLICKED});
}

TEST_F(ButtonFixture, CheckKindsAndAutomaticRadioGroups) {
    struct Case {
        DWORD type;
        int set;
        int expect;
    } cases[] = {
        {BS_PUSHBUTTON, 1, 0},   {BS_OWNERDRAW, 1, 0}, {BS_CHECKBOX, 1, 1},
        {BS_AUTOCHECKBOX, 2, 1}, {BS_3STATE, 2, 2},    {BS_AUTORADIOBUTTON, 1, 1},
    };
    for (const Case& c : cases) {
        CButton b;
        ASSERT_TRUE(b.Create("x", WS_CHILD | WS_VISIBLE | c.type, CRect(0, 0, 60, 20), &parent, 1100));
        b.SetCheck(c.set);
        EXPECT_EQ(b.GetCheck(), c.expect) << "type " << c.type;
    }

    CButton r1, r2, r3, check;
    ASSERT_TRUE(r1.Create("A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 0, 60, 20),
                          &parent, 1201));
    ASSERT_TRUE(
        r2.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 20, 60, 40), &parent, 1202));
    ASSERT_TRUE(
        r3.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 40, 60, 60), &parent, 1203));
    ASSERT_TRUE(check.Create("D", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTOCHECKBOX, CRect(0, 60, 60, 80),
                             &parent, 1204));
    r1.SetCheck(1);
    r9test::Click(r3.Widget(), {5, 5});
    EXPECT_EQ(r1.GetCheck(), 0);
    EXPECT_EQ(r3.GetCheck(), 1);
    r9test::Click(check.Widget(), {5, 5});
    r9test::Click(check.Widget(), {5, 5});
    EXPECT_EQ(check.GetCheck(), 0);
    EXPECT_EQ(parent.Codes(1204).size(), 2u);
    EXPECT_EQ(r3.GetCheck(), 1); // other groups untouched
}

// A label that answers its own colours, as the skinned labels do.
class RedLabel : public CStatic {
public:
    HBRUSH CtlColor(CDC* dc, UINT) {
        dc->SetTextColor(RGB(255, 0, 0));
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RedLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST_F(ButtonFixture, StaticNotifiesOnlyWithSsNotifyAndTakesReflectedColours) {
    CStatic plain;
    RedLabel notify;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 1301));
    ASSERT_TRUE(
        notify.Create("WWWW", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 30, 80, 50), &parent, 1302));
    r9test::Click(plain.Widget(), {3, 3});
    r9test::Click(notify.Widget(), {3, 3});
    EXPECT_TRUE(parent.Codes(1301).empty());
    EXPECT_EQ(parent.Codes(1302), std::vector<UINT>{STN_CLICKED});

    const QImage img = r9test::RenderToPng(notify.Widget(), "");
    int red = 0, face = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            face += c == QColor(240, 240, 240);
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(face, 0); // the hollow brush leaves the background alone
}

TEST_F(ButtonFixture, SystemLooksRender) {
    parent.MoveWindow(100, 100, 240, 160);
    CButton push, check, radio, group;
    CStatic label;
    ASSERT_TRUE(
        group.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(5, 5, 235, 155), &parent, 1));
    ASSERT_TRUE(
        push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(15, 25, 95, 50), &parent, 2));
    ASSERT_TRUE(
        check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(15, 60, 115, 80), &parent, 3));
    ASSERT_TRUE(radio.Create("Radio", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(15, 85, 115, 105),
                             &parent, 4));
    ASSERT_TRUE(label.Create("Label centred", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(15, 115, 215, 135),
                             &parent, 5));
    check.SetCheck(1);
    radio.SetCheck(1);
    const QImage img = r9test::RenderToPng(parent.Widget(), "platform_ui_system_looks");
    // The check box's square: shadow frame, window-coloured inside.
    EXPECT_EQ(img.pixelColor(15, 60 + 3 + 1), QColor(160, 160, 160));
    EXPECT_EQ(img.pixelColor(15 + 2, 60 + 3 + 12 - 1), QColor(255, 255, 255));
}

} // namespace

#include "platform/ui/ToolTipCtrl.h"

namespace {

TEST_F(ButtonFixture, ToolTipTextFollowsTheTool) {
    CButton b;
    ASSERT_TRUE(b.Create("x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 20, 20), &parent, 1401));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    ASSERT_TRUE(tip.AddTool(&b, "Mute"));
    tip.SetTipTextColor(RGB(255, 0, 0));
    EXPECT_TRUE(b.Widget()->toolTip().contains("Mute"));
    EXPECT_TRUE(b.Widget()->toolTip().contains("#ff0000"));
    tip.UpdateTipText("Solo", &b);
    CString text;
    tip.GetText(text, &b);
    EXPECT_EQ(text, CString("Solo"));
    tip.Activate(FALSE);
    EXPECT_TRUE(b.Widget()->toolTip().isEmpty());
}

} // namespace
