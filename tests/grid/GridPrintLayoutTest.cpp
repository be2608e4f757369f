#include "grid/GridPrintLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(GridPrintLayout, RowsBreakIntoPages) {
    struct Case {
        std::vector<int> heights;
        int rowsHeight;
        std::vector<int> starts;
    };
    const Case cases[] = {
        {{20, 20, 20}, 45, {0, 2}},     {{20, 20, 20}, 60, {0}}, {{20, 20, 20}, 59, {0, 2}},
        {{100, 10, 10}, 45, {0, 1}}, // a row taller than the page gets its own page, no empty one
        {{10, 100, 10}, 45, {0, 1, 2}}, {{10, 10}, 0, {0, 1}},   {{}, 45, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CGridPrintLayout::PageStarts(c.heights, c.rowsHeight), c.starts) << c.rowsHeight;
}

TEST(GridPrintLayout, LogicalPageFollowsThePaperAspect) {
    const CGridPrintLayout::Metrics m = CGridPrintLayout::Measure(52 * 7, 12, 544, 20, 4800, 6800);
    EXPECT_EQ(m.charWidth, 7);
    EXPECT_EQ(m.margin, 56);
    EXPECT_EQ(m.pageWidth, 600);
    EXPECT_EQ(m.pageHeight, 850);
    EXPECT_EQ(m.rowsHeight, 850 - 20 - 72);
}

} // namespace
