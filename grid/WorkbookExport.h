// CWorkbookExport: a report list written as an .xlsx workbook: one sheet, row 1 the column
// titles (an untitled column is named by its position), then one row per list row, every cell a
// text. The list's columns and rows are read apart from the writing, so both are tested alone.
#pragma once

#include "platform/core/String.h"

#include <vector>

class CListCtrl;

class CWorkbookExport {
public:
    // The title, or "Column n" (n from 1) when it is empty.
    static CString ColumnName(const CString& title, int column);
    // Titles (named as above) and the cell texts of every row.
    static void ReadList(const CListCtrl& list, std::vector<CString>& titles,
                         std::vector<std::vector<CString>>& rows);
    // Writes the workbook at path (replacing a file there); FALSE with a reason on failure.
    static BOOL Write(const CString& path, const CString& sheet, const std::vector<CString>& titles,
                      const std::vector<std::vector<CString>>& rows, CString* error = nullptr);
};
