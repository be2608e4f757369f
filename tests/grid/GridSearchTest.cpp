#include "grid/GridSearch.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

constexpr UINT kSelected = 0x02;
constexpr UINT kModified = 0x20;

TEST(GridSearch, EachDirectionWalksItsCells) {
    // 6 x 5 with one fixed row and column; marked cells:
    const std::set<std::pair<int, int>> selected = {{0, 3}, {1, 1}, {2, 3}, {4, 1}, {4, 4}, {5, 0}};
    const CGridSearch::Shape shape{6, 5, 1, 1};
    auto state = [&](int r, int c) { return selected.count({r, c}) ? kSelected : 0u; };
    struct Case {
        int row, column;
        UINT flags;
        int foundRow, foundColumn;
    };
    const UINT all = GRIDNEXT_BELOW | GRIDNEXT_TOLEFT | GRIDNEXT_TORIGHT;
    const UINT area = GRIDNEXT_BELOW | GRIDNEXT_TORIGHT;
    const Case cases[] = {
        {2, 1, GRIDNEXT_BELOW | kSelected, 4, 1},
        {4, 1, GRIDNEXT_BELOW | kSelected, -1, -1},
        {4, 1, GRIDNEXT_ABOVE | kSelected, 1, 1},
        {1, 1, GRIDNEXT_ABOVE | kSelected, -1, -1}, // stops at the first non-fixed row
        {4, 4, GRIDNEXT_TOLEFT | kSelected, 4, 1},
        {5, 4, GRIDNEXT_TOLEFT | kSelected, -1, -1}, // (5,0) is fixed
        {4, 1, GRIDNEXT_TORIGHT | kSelected, 4, 4},
        {2, 3, all | kSelected, 4, 1},  // later rows from the first non-fixed column
        {2, 3, area | kSelected, 4, 4}, // every row from the column after the start
        {0, 0, all | kSelected, 1, 1},  // a start in the fixed row searches from row 1
        {1, 1, area | kSelected, 2, 3},
        {2, 1, GRIDNEXT_BELOW | kModified, -1, -1}, // no requested state bit matches
        {2, 1, GRIDNEXT_ABOVE | GRIDNEXT_BELOW | kSelected, -1, -1},
        {2, 1, kSelected, -1, -1},
        {2, 9, GRIDNEXT_BELOW | kSelected, -1, -1}, // a column outside the grid
    };
    for (const Case& c : cases) {
        const CGridSearch::Cell found = CGridSearch::Next(shape, {c.row, c.column}, c.flags, state);
        EXPECT_EQ(found.row, c.foundRow) << c.row << "," << c.column << " flags " << std::hex << c.flags;
        EXPECT_EQ(found.column, c.foundColumn)
            << c.row << "," << c.column << " flags " << std::hex << c.flags;
    }
}

} // namespace
