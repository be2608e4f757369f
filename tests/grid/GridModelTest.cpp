// The grid's model without a window: counts and cells, masked items, the selection map against the
// SELECTED bits, modified flags, font metrics, colours, focus marking and notifications, key
// navigation, and the geometry over a scroll position and client size.
#include "grid/GridModel.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

struct Notified {
    int row;
    int col;
    int code;
    bool operator==(const Notified&) const = default;
};

// A model that records what it would tell the owner.
class RecordingModel : public CGridModel {
public:
    LRESULT SendMessageToParent(int row, int col, int code) override {
        notes.push_back({row, col, code});
        return 0;
    }
    std::vector<Notified> notes;
};

// The preset-shaped grid: 7 x 2, one fixed row and column, not editable.
void MakePresetShape(CGridModel& g) {
    g.SetRowCount(7);
    g.SetFixedRowCount(1);
    g.SetColumnCount(2);
    g.SetFixedColumnCount(1);
    g.SetEditable(FALSE);
    g.SetSingleRowSelection(TRUE);
}

// Selection map and SELECTED bits describe the same cells.
::testing::AssertionResult MapMatchesBits(const CGridModel& g) {
    size_t selected = 0;
    for (int r = 0; r < g.GetRowCount(); ++r)
        for (int c = 0; c < g.GetColumnCount(); ++c) {
            const bool bit = g.GetItemState(r, c) & GRIDSTATE_SELECTED;
            const bool inMap = g.GetSelectedCellMap().count(GridCellId(r, c).Key()) == 1;
            if (bit != inMap)
                return ::testing::AssertionFailure()
                       << "cell " << r << "," << c << " bit " << bit << " map " << inMap;
            selected += bit;
        }
    if (selected != g.GetSelectedCellMap().size())
        return ::testing::AssertionFailure() << "map holds cells outside the grid";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(GridModelCounts, PresetShapeHoldsFourteenCellsAndNewCellsInheritTheFormatAbove) {
    CGridModel g;
    MakePresetShape(g);
    int cells = 0;
    for (int r = 0; r < g.GetRowCount(); ++r)
        for (int c = 0; c < g.GetColumnCount(); ++c)
            cells += g.GetCell(r, c) != nullptr;
    EXPECT_EQ(cells, 14);
    EXPECT_EQ(g.GetItemFormat(3, 1), 0u);
    EXPECT_EQ(g.GetFixedRowCount(), 1);
    EXPECT_EQ(g.GetFixedColumnCount(), 1);

    g.SetItemFormat(6, 1, 0x8025);
    g.SetRowCount(9);
    EXPECT_EQ(g.GetItemFormat(7, 1), 0x8025u);
    EXPECT_EQ(g.GetItemFormat(8, 1), 0x8025u);
    EXPECT_EQ(g.GetItemFormat(8, 0), 0u);
    EXPECT_EQ(g.GetRowHeight(8), g.GetDefaultRowHeight());
}

TEST(GridModelCounts, FixedCountsGrowTheGridAndShrinkingClampsThemAndDropsTheFocus) {
    RecordingModel g;
    g.SetRowCount(2);
    g.SetColumnCount(2);
    ASSERT_TRUE(g.SetFixedRowCount(3));
    EXPECT_EQ(g.GetRowCount(), 3);
    EXPECT_EQ(g.GetFixedRowCount(), 3);

    g.SetRowCount(8);
    g.SetFixedRowCount(1);
    g.SetFocusCellAt(6, 1);
    g.notes.clear();
    g.SetRowCount(5);
    EXPECT_FALSE(g.IsValid(g.GetFocusCell()));
    EXPECT_EQ(g.notes, (std::vector<Notified>{{6, 1, GRIDN_FOCUS_LEAVING}}));
    EXPECT_EQ(g.GetCell(5, 0), nullptr);

    g.SetFixedColumnCount(2);
    g.SetColumnCount(1);
    EXPECT_EQ(g.GetFixedColumnCount(), 1);
    g.SetRowCount(0);
    EXPECT_EQ(g.GetFixedRowCount(), 0);
}

TEST(GridModelCounts, NegativeCountsAreRefusedWithoutChange) {
    CGridModel g;
    MakePresetShape(g);
    EXPECT_FALSE(g.SetRowCount(-1));
    EXPECT_FALSE(g.SetColumnCount(-3));
    EXPECT_FALSE(g.SetFixedRowCount(-1));
    EXPECT_FALSE(g.SetFixedColumnCount(-1));
    EXPECT_EQ(g.GetRowCount(), 7);
    EXPECT_EQ(g.GetColumnCount(), 2);
    EXPECT_EQ(g.GetFixedRowCount(), 1);
}

TEST(GridModelCells, OutsideTheGridGettersAreEmptyAndSettersRefuse) {
    CGridModel g;
    MakePresetShape(g);
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {7, 0}, {0, 2}}) {
        SCOPED_TRACE(testing::Message() << r << "," << c);
        EXPECT_FALSE(g.SetItemText(r, c, "x"));
        EXPECT_EQ(g.GetItemText(r, c), CString());
        EXPECT_FALSE(g.SetItemState(r, c, GRIDSTATE_SELECTED));
        EXPECT_EQ(g.GetItemImage(r, c), -1);
        EXPECT_EQ(g.GetItemFont(r, c), &g.GetGridLogFont());
        EXPECT_EQ(g.GetRowHeight(r < 0 ? r : 7), -1);
        EXPECT_FALSE(g.SetColumnWidth(c < 0 ? c : 2, 5));
    }
    EXPECT_FALSE(g.SetColumnWidth(1, -1));
}

TEST(GridModelCells, MaskedSetAndGetMoveOnlyTheMaskedFields) {
    CGridModel g;
    MakePresetShape(g);
    GridItem in;
    in.row = 2;
    in.col = 1;
    in.mask = GRIDMASK_TEXT | GRIDMASK_DATA | GRIDMASK_FGCOLOUR;
    in.szText = "Hall";
    in.lParam = 42;
    in.crFgClr = RGB(1, 2, 3);
    in.crBkClr = RGB(9, 9, 9); // not in the mask
    ASSERT_TRUE(g.SetItem(&in));
    EXPECT_EQ(g.GetItemText(2, 1), CString("Hall"));
    EXPECT_EQ(g.GetItemSavedText(2, 1), CString("Hall"));
    EXPECT_EQ(g.GetItemData(2, 1), 42);
    EXPECT_EQ(g.GetItemFgColour(2, 1), RGB(1, 2, 3));
    EXPECT_EQ(g.GetItemBkColour(2, 1), CLR_DEFAULT);

    GridItem out;
    out.row = 2;
    out.col = 1;
    out.mask = GRIDMASK_TEXT | GRIDMASK_IMAGE;
    ASSERT_TRUE(g.GetItem(&out));
    EXPECT_EQ(out.szText, CString("Hall"));
    EXPECT_EQ(out.iImage, -1);
    EXPECT_EQ(out.lParam, 0); // not asked for

    GridItem missing;
    missing.row = 9;
    EXPECT_FALSE(g.SetItem(&missing));
    EXPECT_FALSE(g.SetItem(nullptr));
}

TEST(GridModelSelection, MapFollowsTheSelectedBitsThroughEveryRoute) {
    CGridModel g;
    MakePresetShape(g);
    g.SetItemState(2, 1, GRIDSTATE_SELECTED);
    g.SetItemState(2, 1, GRIDSTATE_SELECTED | GRIDSTATE_MODIFIED); // again: no second entry
    EXPECT_EQ(g.GetSelectedCellMap().size(), 1u);
    EXPECT_TRUE(MapMatchesBits(g));

    // A masked state goes through the same step.
    GridItem item;
    item.row = 3;
    item.col = 1;
    item.mask = GRIDMASK_STATE;
    item.state = GRIDSTATE_SELECTED;
    g.SetItem(&item);
    EXPECT_TRUE(MapMatchesBits(g));
    item.state = 0;
    g.SetItem(&item);
    EXPECT_TRUE(MapMatchesBits(g));

    g.SetSelectedRange(1, 0, 4, 1);
    EXPECT_TRUE(MapMatchesBits(g));
    EXPECT_EQ(g.GetSelectedCellRange(), GridCellRange(1, 0, 4, 1));
    g.SetRowCount(3); // removed rows leave the map
    EXPECT_TRUE(MapMatchesBits(g));
    g.ResetSelectedRange();
    EXPECT_TRUE(g.GetSelectedCellMap().empty());
    EXPECT_FALSE(g.IsValid(g.GetSelectedCellRange()));
    EXPECT_EQ(g.GetSelectedCellRange(), GridCellRange(3, 2, -1, -1));
}

TEST(GridModelSelection, KeptSelectionAddsUnlessSingleRowSelection) {
    for (BOOL single : {FALSE, TRUE}) {
        SCOPED_TRACE(single ? "single-row" : "multiple");
        CGridModel g;
        g.SetRowCount(6);
        g.SetColumnCount(4);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        g.SetSingleRowSelection(single);
        g.SetSelectedRange(1, 1, 1, 3);
        g.KeepSelection(TRUE);
        g.SetSelectedRange(4, 2, 4, 2);
        EXPECT_EQ((g.GetItemState(1, 2) & GRIDSTATE_SELECTED) != 0, !single);
        EXPECT_TRUE(g.GetItemState(4, 2) & GRIDSTATE_SELECTED);
        EXPECT_TRUE(MapMatchesBits(g));
    }
}

TEST(GridModelSelection, MouseModesSelectAllColumnsRowsOrCells) {
    struct Case {
        int mode;
        BOOL listMode;
        GridCellId start, cell;
        GridCellRange expected;
    };
    const Case cases[] = {
        {GRIDMODE_SELECT_ALL, FALSE, {2, 2}, {3, 3}, {1, 1, 5, 3}},
        {GRIDMODE_SELECT_COLUMNS, FALSE, {2, 3}, {4, 2}, {1, 2, 5, 3}},
        {GRIDMODE_SELECT_ROWS, FALSE, {4, 2}, {2, 3}, {2, 1, 4, 3}},
        {GRIDMODE_SELECT_ROWS, TRUE, {4, 2}, {2, 3}, {2, 1, 2, 3}}, // list mode, single row
        {GRIDMODE_SELECT_CELLS, FALSE, {4, 1}, {2, 3}, {2, 1, 4, 3}},
        {GRIDMODE_SELECT_CELLS, FALSE, {4, 1}, {0, 3}, {6, 4, -1, -1}}, // a fixed cell selects nothing
        {GRIDMODE_IDLE, FALSE, {1, 1}, {2, 2}, {6, 4, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " list " << c.listMode);
        CGridModel g;
        g.SetRowCount(6);
        g.SetColumnCount(4);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        g.SetListMode(c.listMode);
        g.SetSingleRowSelection(TRUE);
        g.SetMouseMode(c.mode);
        g.SetSelectionStartCell(c.start);
        g.OnSelecting(c.cell);
        EXPECT_EQ(g.GetSelectedCellRange(), c.expected);
    }
}

TEST(GridModelFocus, MarkingKeepsReadOnlyAndModifiedAndNotifiesLeaveThenChange) {
    for (BOOL editable : {TRUE, FALSE}) {
        SCOPED_TRACE(editable ? "editable" : "not editable");
        RecordingModel g;
        MakePresetShape(g);
        g.SetEditable(editable);
        g.SetItemState(2, 1, GRIDSTATE_READONLY | GRIDSTATE_MODIFIED);
        g.SetFocusCellAt(2, 1);
        const UINT marked = editable ? GRIDSTATE_FOCUSED : GRIDSTATE_SELECTED;
        EXPECT_EQ(g.GetItemState(2, 1), GRIDSTATE_READONLY | GRIDSTATE_MODIFIED | marked);
        EXPECT_FALSE(g.IsCellEditable(2, 1));
        g.SetFocusCellAt(3, 1);
        EXPECT_FALSE(g.GetItemState(2, 1) & GRIDSTATE_FOCUSED);
        EXPECT_EQ(g.notes, (std::vector<Notified>{{2, 1, GRIDN_FOCUS_CHANGED},
                                                  {2, 1, GRIDN_FOCUS_LEAVING},
                                                  {3, 1, GRIDN_FOCUS_CHANGED}}));
        EXPECT_TRUE(MapMatchesBits(g));
    }
}

TEST(GridModelModified, GridFlagAndCellBits) {
    CGridModel g;
    MakePresetShape(g);
    g.SetModified(TRUE, 2, 1);
    g.SetModified(TRUE, 4, 1);
    EXPECT_TRUE(g.GetModified());
    EXPECT_TRUE(g.GetModified(2, 1));
    g.SetModified(FALSE, 2, 1); // the grid flag stays
    EXPECT_FALSE(g.GetModified(2, 1));
    EXPECT_TRUE(g.GetModified(4, 1));
    g.SetModified(FALSE, 0, 0);
    EXPECT_FALSE(g.GetModified());
    EXPECT_FALSE(g.GetModified(4, 1));
    EXPECT_FALSE(g.GetItemState(4, 1) & GRIDSTATE_MODIFIED);
}

TEST(GridModelFont, MetricsGiveMarginAndDefaultsButKeepExistingSizes) {
    CGridModel g;
    MakePresetShape(g);
    g.SetColumnWidth(1, 262);
    LOGFONT lf{};
    lf.lfHeight = -11;
    TEXTMETRIC tm{};
    tm.tmHeight = 13;
    tm.tmExternalLeading = 1;
    tm.tmAveCharWidth = 5;
    g.ApplyGridFont(lf, 3, tm);
    EXPECT_EQ(g.GetMargin(), 3);
    EXPECT_EQ(g.GetDefaultRowHeight(), 13 + 1 + 6);
    EXPECT_EQ(g.GetDefaultColumnWidth(), 60 + 6);
    EXPECT_EQ(g.GetColumnWidth(1), 262);
    EXPECT_EQ(g.GetColumnWidth(0), 30); // sizes from before the font
    EXPECT_EQ(g.GetItemFont(4, 1)->lfHeight, -11);
    g.SetColumnCount(3);
    EXPECT_EQ(g.GetColumnWidth(2), 66);
}

TEST(GridModelColours, OnlyColoursStillAtTheirSystemValuesFollowAChange) {
    CGridModel g;
    g.SetTextColour(RGB(10, 20, 30));
    const COLORREF fixedText = g.GetFixedTextColour();
    g.SystemColoursChanged(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
    EXPECT_EQ(g.GetTextColour(), RGB(10, 20, 30));
    EXPECT_NE(fixedText, RGB(1, 1, 1));
    EXPECT_EQ(g.GetFixedTextColour(), RGB(1, 1, 1));
    EXPECT_EQ(g.GetTextBkColour(), RGB(2, 2, 2));
    EXPECT_EQ(g.GetFixedBkColour(), RGB(3, 3, 3));
    EXPECT_EQ(g.GetBkColour(), RGB(4, 4, 4));
    g.SystemColoursChanged(RGB(5, 5, 5), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
    EXPECT_EQ(g.GetFixedTextColour(), RGB(5, 5, 5)); // the new values are the reference now
}

TEST(GridModelKeys, NavigationOnThePresetGrid) {
    struct Case {
        GridCellId from;
        UINT key;
        BOOL shift;
        GridCellId to;
        BOOL wrapped;
    };
    const Case cases[] = {
        {{3, 1}, VK_DOWN, FALSE, {4, 1}, FALSE},   {{6, 1}, VK_DOWN, FALSE, {1, 1}, FALSE},
        {{1, 1}, VK_UP, FALSE, {6, 1}, FALSE},     {{3, 1}, VK_UP, FALSE, {2, 1}, FALSE},
        {{3, 1}, VK_LEFT, FALSE, {3, 1}, FALSE},   {{3, 1}, VK_RIGHT, FALSE, {3, 1}, FALSE},
        {{3, 1}, VK_TAB, FALSE, {4, 1}, TRUE},     {{6, 1}, VK_TAB, FALSE, {1, 1}, TRUE},
        {{3, 1}, VK_TAB, TRUE, {2, 1}, TRUE},      {{1, 1}, VK_TAB, TRUE, {1, 1}, FALSE},
        {{3, 1}, VK_RETURN, FALSE, {3, 1}, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.row << "," << c.from.col << " key " << c.key << " shift " << c.shift);
        CGridModel g;
        MakePresetShape(g);
        g.SetFocusCell(c.from);
        BOOL wrapped = -1;
        EXPECT_EQ(g.NextCellForKey(c.key, c.shift, &wrapped), c.to);
        EXPECT_EQ(wrapped, c.wrapped);
    }
}

TEST(GridModelKeys, TabWrapsToTheLiteralRowOneEvenWithMoreFixedRows) {
    CGridModel g;
    g.SetRowCount(5);
    g.SetColumnCount(3);
    g.SetFixedRowCount(2);
    g.SetFixedColumnCount(1);
    g.SetFocusCellAt(4, 2);
    EXPECT_EQ(g.NextCellForKey(VK_TAB, FALSE), GridCellId(1, 1));
    EXPECT_EQ(g.NextCellForKey(VK_DOWN, FALSE), GridCellId(1, 2));
}

TEST(GridModelWheel, DeltasTurnIntoLinesOrPagesAndSmallStepsAddUp) {
    struct Case {
        std::vector<int> deltas;
        int lines;
        int count; // of the last delta
        UINT code;
    };
    const Case cases[] = {
        {{120}, 3, 3, SB_LINEUP},
        {{40}, 3, 1, SB_LINEUP},
        {{-120}, 3, 3, SB_LINEDOWN},
        {{240}, -1, 2, SB_PAGEUP},
        {{-120}, -1, 1, SB_PAGEDOWN},
        {{15, 15, 15, 15, 15, 15, 15}, 1, 0, SB_LINEUP},
        {{15, 15, 15, 15, 15, 15, 15, 15}, 1, 1, SB_LINEUP}, // eight touchpad steps make a notch
        {{-20, -20, -20, -20, -20, -20}, 3, 1, SB_LINEDOWN},
    };
    for (const Case& c : cases) {
        int remainder = 0;
        UINT code = 0;
        int n = 0;
        for (int d : c.deltas)
            n = CGridModel::WheelScrollCount(d, c.lines, remainder, code);
        SCOPED_TRACE(testing::Message() << "first delta " << c.deltas[0] << " lines " << c.lines);
        EXPECT_EQ(n, c.count);
        if (n) {
            EXPECT_EQ(code, c.code);
        }
    }
}

// Geometry on a 10 x 4 grid: fixed row 20 px, rows 10 px, fixed column 30 px, columns 40 px;
// client 130 x 65 (two whole columns and a cut third, four whole rows and a cut fifth).
class GridGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        g.SetRowCount(10);
        g.SetColumnCount(4);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        for (int r = 0; r < 10; ++r)
            g.SetRowHeight(r, r == 0 ? 20 : 10);
        for (int c = 0; c < 4; ++c)
            g.SetColumnWidth(c, c == 0 ? 30 : 40);
        g.SetView(CPoint(0, 0), CSize(130, 65));
    }
    CGridModel g;
};

TEST_F(GridGeometry, TopLeftCellFollowsTheScrollPositionInWholeRowsAndColumns) {
    const std::tuple<CPoint, GridCellId> cases[] = {
        {CPoint(0, 0), {1, 1}},   {CPoint(1, 1), {2, 2}},     {CPoint(40, 10), {2, 2}},
        {CPoint(41, 11), {3, 3}}, {CPoint(500, 500), {9, 3}},
    };
    for (const auto& [scroll, cell] : cases) {
        g.SetView(scroll, CSize(130, 65));
        EXPECT_EQ(g.GetTopLeftNonFixedCell(), cell) << scroll.x << "," << scroll.y;
    }
}

TEST_F(GridGeometry, PointsToCellsAndBack) {
    const std::tuple<CPoint, BOOL, GridCellId> cases[] = {
        {CPoint(0, 0), TRUE, {0, 0}},     {CPoint(29, 19), TRUE, {0, 0}}, {CPoint(30, 20), TRUE, {1, 1}},
        {CPoint(69, 29), TRUE, {1, 1}},   {CPoint(70, 30), TRUE, {2, 2}}, {CPoint(10, 45), TRUE, {3, 0}},
        {CPoint(10, 45), FALSE, {3, -1}}, {CPoint(-1, 5), TRUE, {0, -1}}, {CPoint(200, 25), TRUE, {1, -1}},
        {CPoint(50, 200), TRUE, {-1, 1}},
    };
    for (const auto& [pt, allowFixed, cell] : cases)
        EXPECT_EQ(g.GetCellFromPt(pt, allowFixed), cell) << pt.x << "," << pt.y;

    g.SetView(CPoint(40, 10), CSize(130, 65)); // top-left (2, 2)
    EXPECT_EQ(g.GetCellFromPt(CPoint(31, 21)), GridCellId(2, 2));
    CPoint origin;
    EXPECT_FALSE(g.GetCellOrigin(1, 1, &origin)); // scrolled away
    ASSERT_TRUE(g.GetCellOrigin(0, 3, &origin));  // heading of a scrolled column moves along
    EXPECT_EQ(origin, CPoint(70, 0));
    CRect rect;
    ASSERT_TRUE(g.GetCellRect(3, 2, &rect));
    EXPECT_EQ(rect, CRect(30, 30, 69, 39));
    EXPECT_FALSE(g.GetCellRect(10, 0, &rect));
}

TEST_F(GridGeometry, VisibleRangeHoldsCutCellsTheUnobstructedOneDoesNot) {
    CRect rect;
    EXPECT_EQ(g.GetVisibleNonFixedCellRange(&rect), GridCellRange(1, 1, 5, 3));
    EXPECT_EQ(rect, CRect(0, 0, 130, 65));
    EXPECT_EQ(g.GetUnobstructedNonFixedCellRange(), GridCellRange(1, 1, 4, 2));
    EXPECT_TRUE(g.IsCellVisible(5, 3));
    EXPECT_FALSE(g.IsCellVisible(6, 1));

    g.SetView(CPoint(0, 0), CSize(500, 500)); // everything fits
    EXPECT_EQ(g.GetVisibleNonFixedCellRange(&rect), GridCellRange(1, 1, 9, 3));
    EXPECT_EQ(rect, CRect(0, 0, 150, 110));
    EXPECT_EQ(g.GetUnobstructedNonFixedCellRange(), GridCellRange(1, 1, 9, 3));
}
