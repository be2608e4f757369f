#include "grid/ListPrintLayout.h"

#include <algorithm>
#include <cstdint>

int CListPrintLayout::MillimetresToDots(int millimetres, int dpi) {
    const std::int64_t himetric = static_cast<std::int64_t>(millimetres) * 100;
    return static_cast<int>(himetric * dpi / 2540);
}

CRect CListPrintLayout::PageRect(const CRect& draw, int dpiX, int dpiY, int left, int top, int right,
                                 int bottom) {
    return CRect(draw.left + MillimetresToDots(left, dpiX), draw.top + MillimetresToDots(top, dpiY),
                 draw.right - MillimetresToDots(right, dpiX), draw.bottom - MillimetresToDots(bottom, dpiY));
}

std::vector<int> CListPrintLayout::ScaleColumns(const std::vector<int>& widths, int pageWidth) {
    std::vector<int> edges(widths.size() + 1, 0);
    std::int64_t total = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        total += std::max(0, widths[i]);
        edges[i + 1] = static_cast<int>(total);
    }
    if (total <= 0) {
        std::fill(edges.begin(), edges.end(), 0);
        return edges;
    }
    // Each edge in a wide product, so a page narrower than the list keeps its proportions.
    for (int& e : edges)
        e = static_cast<int>(static_cast<std::int64_t>(e) * pageWidth / total);
    return edges;
}

int CListPrintLayout::RowsPerPage(int height, int rowHeight) {
    return std::max(1, height / std::max(1, rowHeight + 1) - 1);
}

int CListPrintLayout::PageCount(int items, int rowsPerPage) {
    const int rows = std::max(1, rowsPerPage);
    return std::max(1, (std::max(0, items) + rows - 1) / rows);
}
