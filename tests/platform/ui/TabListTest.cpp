// Tab control geometry and selection notifications; list view custom draw and header drags.
#include "platform/ui/ListCtrl.h"
#include "platform/ui/TabCtrl.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

using r9test::LogWnd;

class TabParent : public LogWnd {
public:
    bool refuse = false;
    std::vector<UINT> codes;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
            codes.push_back(code);
            if (code == TCN_SELCHANGING && refuse)
                return 1;
        }
        return LogWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(TabTest, ClickAsksThenSelectsAndPageAreaFollowsTheTabRow) {
    TabParent parent;
    ASSERT_TRUE(parent.CreateTop());
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 5001));
    tab.InsertItem(0, "Input");
    tab.InsertItem(1, "Output");
    EXPECT_EQ(tab.GetItemCount(), 2);
    EXPECT_EQ(tab.GetCurSel(), 0);
    CRect r0, r1;
    ASSERT_TRUE(tab.GetItemRect(0, &r0));
    ASSERT_TRUE(tab.GetItemRect(1, &r1));
    EXPECT_EQ(r1.left, r0.right);
    TCITEM item{TCIF_TEXT, 0, 0, nullptr, 0, 0, 0};
    char buf[100] = {};
    item.pszText = buf;
    item.cchTextMax = 100;
    ASSERT_TRUE(tab.GetItem(1, &item));
    EXPECT_STREQ(buf, "Output");

    CRect page(0, 0, 300, 200);
    tab.AdjustRect(FALSE, &page);
    EXPECT_EQ(page.top, r0.bottom + 2); // tab row, then border and padding
    EXPECT_EQ(page.left, 4);
    CRect back = page;
    tab.AdjustRect(TRUE, &back);
    EXPECT_EQ(back, CRect(0, 0, 300, 200));

    parent.refuse = true;
    r9test::Click(tab.Widget(), QPoint(r1.CenterPoint().x, r1.CenterPoint().y));
    EXPECT_EQ(tab.GetCurSel(), 0);
    parent.refuse = false;
    parent.codes.clear();
    r9test::Click(tab.Widget(), QPoint(r1.CenterPoint().x, r1.CenterPoint().y));
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(parent.codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    r9test::RenderToPng(tab.Widget(), "platform_ui_tab");
}

// Colours per cell from the parent, as the colour list does by reflection.
class ColourParent : public LogWnd {
public:
    bool refuseTrack = false;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            stages.push_back(cd->nmcd.dwDrawStage);
            if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
                return CDRF_NOTIFYITEMDRAW;
            if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                return CDRF_NOTIFYSUBITEMDRAW;
            if (cd->nmcd.dwItemSpec == 1 && cd->iSubItem == 1) {
                cd->clrText = RGB(255, 255, 255);
                cd->clrTextBk = RGB(200, 0, 0);
            }
            return CDRF_DODEFAULT;
        }
        return LogWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<DWORD> stages;
};

class NoDragList : public CListCtrl {
public:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
        if (code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW) {
            *result = 1;
            return TRUE;
        }
        return CListCtrl::OnNotify(wParam, lParam, result);
    }
};

TEST(ListCtrlTest, CustomDrawStagesColourCellsAndRefusedDividerDrags) {
    ColourParent parent;
    ASSERT_TRUE(parent.CreateTop());
    NoDragList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 5002));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "Value", LVCFMT_LEFT, 80);
    list.InsertItem(0, "a");
    list.InsertItem(1, "b");
    list.SetItemText(1, 1, "x");
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 1), CString("x"));
    const QImage img = r9test::RenderToPng(list.Widget(), "platform_ui_listctrl");
    ASSERT_FALSE(parent.stages.empty());
    EXPECT_EQ(parent.stages.front(), CDDS_PREPAINT);
    EXPECT_EQ(std::count(parent.stages.begin(), parent.stages.end(), CDDS_ITEMPREPAINT | CDDS_SUBITEM), 4);
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, 0, cell));
    EXPECT_EQ(img.pixelColor(cell.right - 3, cell.top + 1), QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(cell.left - 3, cell.top + 1), QColor(255, 255, 255));

    // A divider drag is refused by the list: the width stays.
    CHeaderCtrl* header = list.GetHeaderCtrl();
    r9test::Press(header->Widget(), {80, 5});
    r9test::Move(header->Widget(), {120, 5}, Qt::LeftButton);
    r9test::Release(header->Widget(), {120, 5});
    EXPECT_EQ(list.GetColumnWidth(0), 80);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 1), CString("x"));
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(ListCtrlTest, HeaderDragResizesWhenAllowed) {
    LogWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 5003));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    CHeaderCtrl* header = list.GetHeaderCtrl();
    r9test::Press(header->Widget(), {80, 5});
    r9test::Move(header->Widget(), {100, 5}, Qt::LeftButton);
    r9test::Release(header->Widget(), {100, 5});
    EXPECT_EQ(list.GetColumnWidth(0), 100);
}

} // namespace
