// Sorting, CSV files, insertion and deletion, fitting and search through the grid window.
#include "GridExtFixture.h"

#include "grid/GridCsv.h"
#include "platform/ui/Clipboard.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace gridext;

namespace {

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/" + name + "-" + std::to_string(getpid());
}

std::vector<CString> Column(const CGridCtrl& g, int col) {
    std::vector<CString> out;
    for (int r = 0; r < g.GetRowCount(); ++r)
        out.push_back(g.GetItemText(r, col));
    return out;
}

TEST_F(GridExtTest, SortMovesWholeRowsInByteOrderAndClearsFocus) {
    const char* names[] = {"b", "A", "a", "b", "Z"};
    for (int r = 1; r <= 5; ++r) {
        grid.SetItemText(r, 2, names[r - 1]);
        grid.SetItemData(r, 2, r);
        grid.SetRowHeight(r, 20 + r);
    }
    grid.SetFocusCellAt(2, 2);
    grid.SetSelectedRange(2, 1, 3, 3);
    ASSERT_TRUE(grid.SortTextItems(2, TRUE));
    EXPECT_EQ(Column(grid, 2), (std::vector<CString>{"0,2", "A", "Z", "a", "b", "b"}));
    // Each row kept its other cells, its data and its height.
    const std::vector<CString> firsts = Column(grid, 0);
    EXPECT_EQ(std::vector<CString>(firsts.begin(), firsts.begin() + 4),
              (std::vector<CString>{"0,0", "2,0", "5,0", "3,0"}));
    for (int r = 1; r <= 5; ++r) {
        const int was = grid.GetItemText(r, 0)[0] - '0';
        EXPECT_EQ(grid.GetItemData(r, 2), was);
        EXPECT_EQ(grid.GetRowHeight(r), 20 + was);
        EXPECT_EQ(grid.GetItemText(r, 3), CString(std::to_string(was) + ",3"));
    }
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
    EXPECT_TRUE(grid.GetSelectedCellMap().empty());

    ASSERT_TRUE(grid.SortTextItems(2, FALSE));
    EXPECT_EQ(Column(grid, 2), (std::vector<CString>{"0,2", "b", "b", "a", "Z", "A"}));
    EXPECT_FALSE(grid.SortTextItems(4, TRUE));
    EXPECT_FALSE(grid.SortTextItems(2, TRUE, 3, 3));
}

TEST_F(GridExtTest, HeaderClicksInListModeSortThenReverse) {
    const char* names[] = {"c", "a", "d", "b", "e"};
    for (int r = 1; r <= 5; ++r)
        grid.SetItemText(r, 1, names[r - 1]);
    grid.SetListMode(TRUE);
    grid.OnColumnHeaderClick(GridCellId(0, 1));
    EXPECT_EQ(Column(grid, 1), (std::vector<CString>{"0,1", "a", "b", "c", "d", "e"}));
    grid.OnColumnHeaderClick(GridCellId(0, 1));
    EXPECT_EQ(Column(grid, 1), (std::vector<CString>{"0,1", "e", "d", "c", "b", "a"}));
}

TEST_F(GridExtTest, SortByItemDataUsesTheCompareFunction) {
    const LPARAM data[] = {40, 10, 30, 20, 50};
    for (int r = 1; r <= 5; ++r)
        grid.SetItemData(r, 3, data[r - 1]);
    auto byValue = [](LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : (a > b ? 1 : 0); };
    ASSERT_TRUE(grid.SortItems(byValue, 3, TRUE));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(grid.GetItemData(r, 3), r * 10);
}

TEST_F(GridExtTest, CsvSaveAndLoadRebuildTheGrid) {
    Shape(grid, 3, 2);
    const char* texts[3][2] = {{"No.", "Name"}, {"1", "Pop"}, {"2", "Rock \xE4\xB8\xAD"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            grid.SetItemText(r, c, texts[r][c]);
    const std::string path = TempPath("grid.csv");
    ASSERT_TRUE(grid.Save(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "No.,Name\n1,Pop\n2,Rock \xE4\xB8\xAD\n");

    CComboGridCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 99));
    other.SetFont(&font);
    ASSERT_TRUE(other.Load(path.c_str()));
    ASSERT_EQ(other.GetRowCount(), 3);
    ASSERT_EQ(other.GetColumnCount(), 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(other.GetItemText(r, c), grid.GetItemText(r, c)) << r << "," << c;
    // Headings centred; columns as wide as their widest text.
    EXPECT_TRUE(other.GetItemFormat(1, 1) & DT_CENTER);
    for (int c = 0; c < 2; ++c) {
        int widest = 0;
        for (int r = 0; r < 3; ++r)
            widest = std::max<int>(widest, other.GetCellTextExtent(r, c).cx);
        EXPECT_EQ(other.GetColumnWidth(c), widest);
    }
    EXPECT_GT(other.GetColumnWidth(1), other.GetColumnWidth(0));

    CString reported;
    CGridCsv::SetReporter([&](const CString& m) { reported = m; });
    EXPECT_FALSE(other.Load("/nonexistent/none.csv"));
    EXPECT_FALSE(reported.IsEmpty());
    EXPECT_EQ(other.GetRowCount(), 3); // a failed open leaves the grid as it was

    // A file with more rows than a grid holds is reported, not taken for loaded.
    {
        std::ofstream big(path, std::ios::binary);
        big << "h\n";
        for (int r = 0; r < 0x7FFF; ++r)
            big << r << "\n";
    }
    reported.Empty();
    EXPECT_FALSE(other.Load(path.c_str()));
    EXPECT_FALSE(reported.IsEmpty());
    EXPECT_EQ(other.GetRowCount(), 0x7FFF);
    CGridCsv::SetReporter(nullptr);
    std::remove(path.c_str());
}

TEST_F(GridExtTest, InsertAndDeleteRowsAndColumns) {
    CComboGridCtrl empty;
    ASSERT_TRUE(empty.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 98));
    empty.SetFont(&font);
    EXPECT_EQ(empty.InsertColumn("Heading", DT_CENTER, -1), 0);
    EXPECT_EQ(empty.GetRowCount(), 1);
    EXPECT_EQ(empty.GetColumnCount(), 1);
    EXPECT_EQ(empty.GetItemText(0, 0), "Heading");
    EXPECT_EQ(empty.GetColumnWidth(0), empty.GetTextExtent("Heading", TRUE).cx);
    EXPECT_EQ(empty.InsertColumn("x", DT_CENTER, 5), -1);
    EXPECT_EQ(empty.InsertColumn("x", DT_CENTER, -2), -1);
    EXPECT_EQ(empty.InsertRow("x", -2), -1);

    grid.SetFocusCellAt(2, 2);
    EXPECT_EQ(grid.InsertColumn("New", DT_RIGHT, 0), 0);
    EXPECT_EQ(grid.GetColumnCount(), 5);
    EXPECT_EQ(grid.GetItemText(0, 0), "New");
    EXPECT_EQ(grid.GetItemText(3, 1), "3,0");
    EXPECT_EQ(grid.GetItemText(3, 4), "3,3");
    EXPECT_EQ(grid.GetItemFormat(3, 0), static_cast<UINT>(DT_RIGHT));

    EXPECT_EQ(grid.InsertRow("R", 2), 2);
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetItemText(2, 0), "R");
    EXPECT_EQ(grid.GetItemText(3, 1), "2,0");

    EXPECT_TRUE(grid.DeleteColumn(0)); // a fixed column
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
    EXPECT_EQ(grid.GetItemText(3, 0), "2,0");
    EXPECT_FALSE(grid.DeleteColumn(4));
    EXPECT_TRUE(grid.DeleteRow(2));
    EXPECT_EQ(grid.GetItemText(2, 0), "2,0");
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_TRUE(grid.DeleteNonFixedRows());
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 1), "0,1");
}

TEST_F(GridExtTest, ExpandSpreadsTheClientOverColumnsAndRows) {
    Shape(grid, 3, 3);
    CRect client;
    grid.GetClientRect(&client);
    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, (client.Width() - 10) / 3);
    const int base = (client.Width() - 10) / 3;
    const int spare = client.Width() - 3 * base;
    grid.ExpandColumnsToFit();
    int sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += grid.GetColumnWidth(c);
    EXPECT_EQ(sum, client.Width());
    EXPECT_EQ(grid.GetColumnWidth(0), base + spare / 3 + (spare % 3 > 0 ? 1 : 0));
    EXPECT_EQ(grid.GetColumnWidth(2), base + spare / 3);

    grid.ExpandRowsToFit();
    grid.GetClientRect(&client);
    EXPECT_EQ(grid.GetRowHeight(0) + grid.GetRowHeight(1) + grid.GetRowHeight(2), client.Height());

    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, c == 2 ? 3000 : 1);
    grid.ExpandColumnsToFit();
    EXPECT_EQ(grid.GetColumnWidth(0), 0); // never below 0
}

TEST_F(GridExtTest, AutoSizeFitsTheTexts) {
    grid.SetItemText(3, 2, "A much longer cell text");
    grid.AutoSize();
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetCellTextExtent(3, 2).cx);
    EXPECT_EQ(grid.GetRowHeight(3), grid.GetCellTextExtent(3, 2).cy);
    EXPECT_LT(grid.GetColumnWidth(1), grid.GetColumnWidth(2));
    grid.SetColumnWidth(2, 5);
    EXPECT_TRUE(grid.AutoSizeColumn(2));
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetCellTextExtent(3, 2).cx);
    EXPECT_FALSE(grid.AutoSizeColumn(9));
    EXPECT_FALSE(grid.AutoSizeRow(-1));
}

TEST_F(GridExtTest, NextItemSearchesTheGridsStates) {
    grid.SetItemState(4, 1, GRIDSTATE_SELECTED);
    grid.SetItemState(2, 3, GRIDSTATE_MODIFIED);
    EXPECT_EQ(grid.GetNextItem(GridCellId(2, 1), GRIDNEXT_BELOW | GRIDSTATE_SELECTED), GridCellId(4, 1));
    EXPECT_EQ(grid.GetNextItem(GridCellId(1, 1), GRIDNEXT_BELOW | GRIDNEXT_TORIGHT | GRIDNEXT_TOLEFT |
                                                     GRIDSTATE_SELECTED | GRIDSTATE_MODIFIED),
              GridCellId(2, 3));
    EXPECT_FALSE(grid.IsValid(grid.GetNextItem(GridCellId(4, 1), GRIDNEXT_BELOW | GRIDSTATE_SELECTED)));
}

} // namespace
