// The colour list and its gradient header: colour lookups, alignment characters, the header's
// bands and height factor, refused divider drags, the key filter, and the look in both languages.
#include "controls/AppObjects.h"
#include "controls/ControlFixture.h"
#include "grid/ListCtrlCl.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

using namespace ctltest;

namespace {

constexpr COLORREF kRed = RGB(220, 40, 40), kGreen = RGB(40, 170, 70), kBlue = RGB(40, 60, 210);

struct ListCtrlClFixture : ::testing::Test {
    RecordingParent parent{RGB(27, 30, 36), 360, 220};
    CListCtrlCl list;
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(CreateProgramFonts());
        // Taken over from a dialog item, as the advanced settings dialog does.
        parent.Attach<CListCtrl>(list, 2757, CRect(10, 10, 350, 210), LVS_REPORT);
        list.InsertColumn(0, "Output", LVCFMT_LEFT, 110);
        list.InsertColumn(1, "Link", LVCFMT_CENTER, 110);
        list.InsertColumn(2, "Level", LVCFMT_RIGHT, 110);
        for (int i = 0; i < 5; ++i) {
            CString name;
            name.Format("Out %d", i + 1);
            list.InsertItem(i, name);
            list.SetItemText(i, 1, i % 2 ? "Link" : "-");
            list.SetItemText(i, 2, "0.0dB");
        }
    }
    void TearDown() override {
        DeleteProgramObjects();
        r9test::ResetModelGlobals();
    }
};

TEST_F(ListCtrlClFixture, OneColouredCellAtATimeFirstColumnEntryWinsRowsColourEveryColumn) {
    COLORREF c = 0;
    EXPECT_FALSE(list.GetItemBkColor(1, 1, c));
    list.SetItemBkColor(1, 1, kRed); // column 1, row 1
    list.SetItemBkColor(1, 3, kGreen);
    EXPECT_FALSE(list.GetItemBkColor(1, 1, c)); // the first cell lost its colour
    ASSERT_TRUE(list.GetItemBkColor(1, 3, c));
    EXPECT_EQ(c, kGreen);
    EXPECT_FALSE(list.GetItemBkColor(3, 1, c)); // column and row are not swapped

    list.SetItemTextColor(0, 2, kRed);
    list.SetItemTextColor(2, 2, kBlue);
    EXPECT_FALSE(list.GetItemTextColor(0, 2, c));
    EXPECT_TRUE(list.GetItemTextColor(2, 2, c));

    list.SetColBkColor(2, kRed);
    list.SetColBkColor(2, kGreen);
    ASSERT_TRUE(list.GetColBkColor(2, c));
    EXPECT_EQ(c, kRed);
    list.SetColTextColor(0, kBlue);
    list.SetColTextColor(0, kGreen);
    ASSERT_TRUE(list.GetColTextColor(0, c));
    EXPECT_EQ(c, kBlue);
    EXPECT_FALSE(list.GetColTextColor(1, c));

    // A row colour covers the row's columns, whatever the number of rows.
    list.SetRowBkColor(4, kBlue);
    for (int col = 0; col < 3; ++col) {
        ASSERT_TRUE(list.GetItemBkColor(col, 4, c)) << col;
        EXPECT_EQ(c, kBlue);
    }
    EXPECT_FALSE(list.GetItemBkColor(3, 4, c));
}

TEST_F(ListCtrlClFixture, AlignmentCharactersFollowTheColumnFormats) {
    list.InsertColumn(3, "Odd", 5, 40);
    EXPECT_EQ(list.ColourHeader().m_alignment, CString("0121"));
    ASSERT_EQ(list.ColourHeader().m_columnTexts.size(), 4u);
    EXPECT_EQ(list.ColourHeader().m_columnTexts[1], CString("Link"));
    EXPECT_EQ(CHeaderCtrlCl::AlignmentFormat('0'), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(CHeaderCtrlCl::AlignmentFormat('1'), static_cast<UINT>(DT_CENTER));
    EXPECT_EQ(CHeaderCtrlCl::AlignmentFormat('2'), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(CHeaderCtrlCl::AlignmentFormat('7'), static_cast<UINT>(DT_CENTER));
    EXPECT_TRUE(list.ClearColumnTexts());
    EXPECT_TRUE(list.ColourHeader().m_columnTexts.empty());
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 4); // the list keeps its columns
}

TEST(HeaderCtrlClBands, StepDownFromTheTopColourAndClampAtZero) {
    struct Case {
        int row;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, RGB(180, 179, 179)}, {1, RGB(177, 176, 176)}, {10, RGB(150, 149, 149)},
        {59, RGB(3, 2, 2)},      {60, RGB(0, 0, 0)},      {200, RGB(0, 0, 0)},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CHeaderCtrlCl::BandColour(180, 179, 179, 3, k.row), k.expected) << k.row;
    EXPECT_EQ(CHeaderCtrlCl::BandColour(10, 200, 0, 4, 3), RGB(0, 188, 0));
}

TEST_F(ListCtrlClFixture, TheHeaderIsTheColourHeaderAndDividerDragsAreRefused) {
    ASSERT_EQ(list.GetHeaderCtrl(), &list.ColourHeader());
    EXPECT_TRUE(list.GetStyle() & LVS_OWNERDRAWFIXED);
    CHeaderCtrl* header = list.GetHeaderCtrl();
    r9test::Press(header->Widget(), {110, 5});
    r9test::Move(header->Widget(), {160, 5}, Qt::LeftButton);
    r9test::Release(header->Widget(), {160, 5});
    EXPECT_EQ(list.GetColumnWidth(0), 110);
}

TEST_F(ListCtrlClFixture, HeightFactorScalesTheHeaderAndRowHeightTheRows) {
    CRect header;
    list.GetHeaderCtrl()->GetClientRect(&header);
    const int base = header.Height();
    ASSERT_GT(base, 0);
    list.SetHeaderHeight(1.0f);
    list.GetHeaderCtrl()->GetClientRect(&header);
    EXPECT_EQ(header.Height(), base);
    list.SetHeaderHeight(1.5f);
    list.GetHeaderCtrl()->GetClientRect(&header);
    EXPECT_EQ(header.Height(), static_cast<int>(static_cast<float>(base) * 1.5f));

    CRect row0, row1;
    list.SetRowHeight(26);
    EXPECT_EQ(list.GetRowHeight(), 26);
    ASSERT_TRUE(list.GetItemRect(0, &row0, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &row1, LVIR_BOUNDS));
    EXPECT_EQ(row0.Height(), 26);
    EXPECT_EQ(row1.top, row0.bottom);
    EXPECT_EQ(row0.top, header.Height()); // rows start under the taller header
}

TEST_F(ListCtrlClFixture, DownMovesTheSelectionTheFilteredKeysDoNot) {
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetFocus();
    const struct {
        int key;
        int selected;
    } steps[] = {{Qt::Key_Up, 1},   {Qt::Key_Home, 1},   {Qt::Key_End, 1},  {Qt::Key_PageDown, 1},
                 {Qt::Key_Tab, 1},  {Qt::Key_Delete, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 3},
                 {Qt::Key_Left, 3}, {Qt::Key_Right, 3}};
    for (const auto& s : steps) {
        r9test::Key(list.Widget(), s.key);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), s.selected) << s.key;
    }
}

TEST_F(ListCtrlClFixture, DrawsTheGradientHeaderAndTheCellColoursInBothLanguages) {
    list.SetRowHeight(28);
    list.SetTextColor(RGB(255, 255, 255));
    list.SetBkColor(RGB(40, 44, 52));
    list.SetItemBkColor(1, 3, kRed); // the last "Link" cell, as the advanced settings dialog leaves it
    list.SetColBkColor(2, RGB(60, 66, 80));
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const QImage en = Render(parent, "grid_listctrlcl_en");
    CRect header;
    list.GetHeaderCtrl()->GetClientRect(&header);
    const CPoint origin(10, 10); // the list inside the parent
    for (int y : {0, 5, header.bottom - 1})
        EXPECT_EQ(Pixel(en, origin.x + 50, origin.y + y), CHeaderCtrlCl::BandColour(180, 179, 179, 3, y))
            << y;
    // Right of the last column the gradient goes on.
    EXPECT_EQ(Pixel(en, origin.x + 335, origin.y + 2), CHeaderCtrlCl::BandColour(180, 179, 179, 3, 2));

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(3, 1, LVIR_LABEL, cell));
    EXPECT_EQ(Pixel(en, origin.x + cell.left + 3, origin.y + cell.top + 2), kRed);
    ASSERT_TRUE(list.GetSubItemRect(2, 2, LVIR_LABEL, cell));
    EXPECT_EQ(Pixel(en, origin.x + cell.left + 3, origin.y + cell.top + 2), RGB(60, 66, 80));
    ASSERT_TRUE(list.GetSubItemRect(2, 0, LVIR_LABEL, cell));
    EXPECT_EQ(Pixel(en, origin.x + cell.left + 3, origin.y + cell.top + 2), RGB(40, 44, 52));
    ASSERT_TRUE(list.GetSubItemRect(0, 2, LVIR_LABEL, cell));
    EXPECT_EQ(Pixel(en, origin.x + cell.left + 3, origin.y + cell.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    // White cell text in the row's cells.
    ASSERT_TRUE(list.GetSubItemRect(2, 0, LVIR_LABEL, cell));
    CRect abs = cell;
    abs.OffsetRect(origin.x, origin.y);
    EXPECT_GT(CountNear(en, abs, RGB(255, 255, 255), 40), 5);

    g_bChinese = 1;
    list.ClearColumnTexts();
    for (const char* t : {"输出", "联动", "电平"})
        list.ColourHeader().m_columnTexts.emplace_back(t);
    list.SetHeaderBkColor(90, 120, 200, 2);
    list.SetHeaderTextColor(RGB(255, 255, 255));
    const QImage cn = Render(parent, "grid_listctrlcl_cn");
    EXPECT_EQ(Pixel(cn, origin.x + 50, origin.y + 4), CHeaderCtrlCl::BandColour(90, 120, 200, 2, 4));
    CRect heading(origin.x + 110, origin.y, origin.x + 220, origin.y + header.bottom);
    EXPECT_GT(CountNear(cn, heading, RGB(255, 255, 255), 40), 5);
}

} // namespace
