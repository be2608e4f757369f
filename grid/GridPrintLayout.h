// The arithmetic of a grid's print job: the logical page and the page breaks of the rows.
#pragma once

#include <vector>

class CGridPrintLayout {
public:
    struct Metrics {
        int charWidth = 0;  // average width of the print font
        int charHeight = 0; // height of the print font
        int margin = 0;     // 8 character widths, 4 each side
        int pageWidth = 0;  // logical page: the grid's width + the margin
        int pageHeight = 0; // logical page height, by the paper's aspect
        int rowsHeight = 0; // what is left for rows below the header and the column titles
    };

    // sampleWidth: extent of the 52-letter sample in the print font.
    static Metrics Measure(int sampleWidth, int charHeight, int virtualWidth, int fixedRowHeight,
                           int paperWidth, int paperHeight);
    // The index (into rowHeights) of each page's first row. A row taller than the page still gets
    // a page of its own, so no page stays empty; no rows give no page.
    static std::vector<int> PageStarts(const std::vector<int>& rowHeights, int rowsHeight);
};
