// List box selection notifications, owner draw, geometry; progress bar bookkeeping.
#include "platform/ui/ListBox.h"
#include "platform/ui/ProgressCtrl.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

using r9test::LogWnd;

class OwnerList : public CListBox {
public:
    std::vector<std::pair<UINT, UINT>> drawn; // item, state
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        drawn.emplace_back(dis->itemID, dis->itemState);
        CDC::FromHandle(dis->hDC)->FillSolidRect(
            &dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(0, 200, 0) : RGB(40, 40, 40));
    }
};

struct ListFixture : ::testing::Test {
    LogWnd parent;
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }
};

TEST_F(ListFixture, ClicksNotifyAtReleaseKeysOnChangeCodeNever) {
    CListBox list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, CRect(10, 10, 110, 70), &parent, 4001));
    for (const char* s : {"zero", "one", "two", "three", "four", "five", "six"})
        list.AddString(s);
    list.SetItemHeight(0, 14);
    EXPECT_EQ(list.GetCount(), 7);
    list.SetCurSel(1);
    EXPECT_TRUE(parent.Codes(4001).empty());

    r9test::Press(list.Widget(), {5, 14 * 2 + 3});
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(parent.Codes(4001).empty() || parent.Codes(4001) == std::vector<UINT>{LBN_SETFOCUS});
    r9test::Release(list.Widget(), {5, 14 * 2 + 3});
    parent.Clear();
    r9test::Click(list.Widget(), {5, 14 * 2 + 3}); // the current item still reports
    EXPECT_EQ(parent.Codes(4001), std::vector<UINT>{LBN_SELCHANGE});

    parent.Clear();
    r9test::Key(list.Widget(), Qt::Key_Down);
    EXPECT_EQ(list.GetCurSel(), 3);
    r9test::Key(list.Widget(), Qt::Key_Home);
    r9test::Key(list.Widget(), Qt::Key_Up); // no change at the top: silent
    EXPECT_EQ(parent.Codes(4001), (std::vector<UINT>{LBN_SELCHANGE, LBN_SELCHANGE}));

    // Scrolling: selecting the last item brings it into view.
    list.SetCurSel(6);
    EXPECT_EQ(list.GetTopIndex(), 7 - 60 / 14);
    CRect rc;
    ASSERT_EQ(list.GetItemRect(6, &rc), 0);
    EXPECT_EQ(rc.top, (6 - list.GetTopIndex()) * 14);
    EXPECT_EQ(rc.Height(), 14);
    EXPECT_LT(rc.Width(), 100); // the scroll bar takes its share
    BOOL outside = FALSE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(5, 1000), outside), 6u);
    EXPECT_TRUE(outside);

    CString text;
    list.GetText(3, text);
    EXPECT_EQ(text, CString("three"));
    list.GetText(9, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(list.DeleteString(0), 6);
    EXPECT_EQ(list.GetCurSel(), 5);
    list.ResetContent();
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
}

TEST_F(ListFixture, OwnerDrawnItemsComeBackToDrawItem) {
    OwnerList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                            CRect(0, 0, 80, 40), &parent, 4002));
    list.SetItemHeight(0, 14);
    list.AddString("a");
    list.AddString("b");
    list.SetCurSel(1);
    const QImage img = r9test::RenderToPng(list.Widget(), "platform_ui_listbox_owner");
    ASSERT_GE(list.drawn.size(), 2u);
    EXPECT_EQ(list.drawn[0].first, 0u);
    EXPECT_TRUE(list.drawn[1].second & ODS_SELECTED);
    EXPECT_EQ(img.pixelColor(3, 14 + 3), QColor(0, 200, 0));
}

TEST_F(ListFixture, ProgressKeepsRangePositionAndStep) {
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 10), &parent, 4003));
    bar.SetRange(0, 110);
    EXPECT_EQ(bar.SetPos(55), 0);
    EXPECT_EQ(bar.GetPos(), 55);
    bar.SetPos(500);
    EXPECT_EQ(bar.GetPos(), 110);
    bar.SetStep(20);
    bar.SetPos(100);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 10); // wraps past the end
    int lo = 0, hi = 0;
    bar.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 110);
    EXPECT_EQ(bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 50)), MAKELONG(0, 110));
    bar.SetPos(25);
    const QImage img = r9test::RenderToPng(bar.Widget(), "");
    EXPECT_EQ(img.pixelColor(49, 5), QColor(0, 120, 215));
    EXPECT_EQ(img.pixelColor(50, 5), QColor(240, 240, 240));
}

} // namespace
