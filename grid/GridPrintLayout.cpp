#include "grid/GridPrintLayout.h"

#include <cstddef>

CGridPrintLayout::Metrics CGridPrintLayout::Measure(int sampleWidth, int charHeight, int virtualWidth,
                                                    int fixedRowHeight, int paperWidth, int paperHeight) {
    Metrics m;
    m.charWidth = sampleWidth / 52;
    m.charHeight = charHeight;
    m.margin = 8 * m.charWidth;
    m.pageWidth = virtualWidth + m.margin;
    m.pageHeight =
        paperWidth > 0 ? static_cast<int>(static_cast<long long>(m.pageWidth) * paperHeight / paperWidth) : 0;
    m.rowsHeight = m.pageHeight - fixedRowHeight - 6 * m.charHeight;
    return m;
}

std::vector<int> CGridPrintLayout::PageStarts(const std::vector<int>& rowHeights, int rowsHeight) {
    std::vector<int> starts;
    long long used = 0;
    for (size_t k = 0; k < rowHeights.size(); ++k) {
        used += rowHeights[k];
        // A page breaks before a row that would end beyond it, never before its own first row.
        if (starts.empty() || used > rowsHeight) {
            starts.push_back(static_cast<int>(k));
            used = rowHeights[k];
        }
    }
    return starts;
}
