// The colour list: the last colouring of a cell wins, rows keep their colours when a row above
// is deleted, header dividers do not move, and the look of coloured cells.
#include "ControlFixture.h"

#include "controls/ColorListCtrl.h"
#include "platform/ui/ListCtrl.h"

using namespace ctltest;

namespace {

constexpr COLORREF kRed = RGB(200, 30, 30), kGreen = RGB(30, 160, 60), kWhite = RGB(255, 255, 255);

struct ColorListFixture : ::testing::Test {
    RecordingParent parent{RGB(27, 30, 36), 320, 200};
    CColorListCtrl list;
    void SetUp() override {
        parent.Attach<CListCtrl>(list, 3000, CRect(10, 10, 310, 190), LVS_REPORT);
        list.InsertColumn(0, "Output", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Level", LVCFMT_LEFT, 80);
        list.InsertColumn(2, "Delay", LVCFMT_LEFT, 80);
        for (int i = 0; i < 5; ++i) {
            CString name;
            name.Format("Out %d", i + 1);
            list.InsertItem(i, name);
            list.SetItemText(i, 1, "0.0dB");
            list.SetItemText(i, 2, "0.000ms");
        }
    }
    COLORREF Back(int item, int sub) {
        COLORREF text = 0, back = 0;
        list.GetCellColors(item, sub, text, back);
        return back;
    }
};

TEST_F(ColorListFixture, LastColouringOfACellWinsAndRowsColourEveryColumn) {
    EXPECT_EQ(Back(0, 0), GetSysColor(COLOR_WINDOW));
    list.SetCellColor(0, 1, kWhite, kRed);
    list.SetCellColor(0, 1, kWhite, kGreen);
    EXPECT_EQ(list.GetColorRecords().size(), 2u); // both records stay
    EXPECT_EQ(Back(0, 1), kGreen);
    list.SetRowColor(2, kWhite, kRed);
    EXPECT_EQ(Back(2, 0), kRed);
    EXPECT_EQ(Back(2, 2), kRed);
    EXPECT_EQ(Back(2, 3), GetSysColor(COLOR_WINDOW)); // only the header's columns
    list.ClearColors();
    EXPECT_EQ(Back(2, 0), GetSysColor(COLOR_WINDOW));
}

TEST_F(ColorListFixture, DeletingARowMovesTheColoursOfTheRowsBelowWithThem) {
    list.SetRowColor(2, kWhite, kRed);
    list.SetRowColor(3, kWhite, kGreen);
    list.SetCellColor(4, 0, kWhite, kRed);
    ASSERT_TRUE(list.DeleteRow(2));
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(2, 0), CString("Out 4"));
    EXPECT_EQ(Back(2, 0), kGreen); // the former row 3 keeps its colour
    EXPECT_EQ(Back(3, 0), kRed);   // the former row 4 too
    EXPECT_EQ(Back(4, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(list.DeleteRow(9));
    list.DeleteAllRows();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(list.GetColorRecords().empty());
}

TEST_F(ColorListFixture, HeaderDividerDragIsRefused) {
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    CRect first;
    header->GetItemRect(0, &first);
    const int before = list.GetColumnWidth(0);
    const CPoint divider(first.right - 1, first.CenterPoint().y);
    Mouse(*header, QEvent::MouseButtonPress, divider, Qt::LeftButton, Qt::LeftButton);
    MoveTo(*header, CPoint(divider.x + 40, divider.y), Qt::LeftButton);
    Mouse(*header, QEvent::MouseButtonRelease, CPoint(divider.x + 40, divider.y), Qt::LeftButton);
    EXPECT_EQ(list.GetColumnWidth(0), before);
}

TEST_F(ColorListFixture, CellsAreDrawnInTheirColours) {
    list.SetCellColor(1, 1, kWhite, kRed);
    list.SetRowColor(3, kWhite, kGreen);
    const QImage img = Render(parent, "controls-colorlist");
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, 0, cell));
    cell.OffsetRect(10, 10);
    EXPECT_GT(CountColour(img, cell, kRed), cell.Width() * cell.Height() / 2);
    CRect row;
    list.GetSubItemRect(3, 2, 0, row);
    row.OffsetRect(10, 10);
    EXPECT_GT(CountColour(img, row, kGreen), row.Width() * row.Height() / 2);
    CRect plain;
    list.GetSubItemRect(0, 1, 0, plain);
    plain.OffsetRect(10, 10);
    EXPECT_GT(CountColour(img, plain, GetSysColor(COLOR_WINDOW)), plain.Width() * plain.Height() / 2);
}

} // namespace
