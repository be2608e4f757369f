// CListPrintLayout: the arithmetic of a printed report list, without a window or a printer:
// millimetres to printer dots, the page less its margins, column edges scaled to the page
// width, rows per page and the page count.
#pragma once

#include "platform/core/Rect.h"

#include <vector>

class CListPrintLayout {
public:
    // Millimetres through hundredths of a millimetre to dots at dpi.
    static int MillimetresToDots(int millimetres, int dpi);
    // The drawing rectangle less the margins (millimetres, left top right bottom).
    static CRect PageRect(const CRect& draw, int dpiX, int dpiY, int left, int top, int right, int bottom);
    // Column count + 1 left edges (the first 0, the last pageWidth) for columns of the given
    // pixel widths stretched or shrunk to pageWidth; all 0 when the columns have no width.
    static std::vector<int> ScaleColumns(const std::vector<int>& widths, int pageWidth);
    // Rows that fit below one another, each rowHeight + 1 high, less one; at least 1.
    static int RowsPerPage(int height, int rowHeight);
    // Pages for items rows (at least 1).
    static int PageCount(int items, int rowsPerPage);
    // First row slot of a page (pages count from 1).
    static int FirstRow(int page, int rowsPerPage) { return (page - 1) * rowsPerPage; }
};
