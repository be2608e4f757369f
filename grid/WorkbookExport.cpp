#include "grid/WorkbookExport.h"

#include "platform/core/AtomicFile.h"
#include "platform/ui/ListCtrl.h"

#include <cstring>

#include <xlsxwriter.h>

CString CWorkbookExport::ColumnName(const CString& title, int column) {
    if (!title.IsEmpty())
        return title;
    CString name;
    name.Format("Column %d", column + 1);
    return name;
}

void CWorkbookExport::ReadList(const CListCtrl& list, std::vector<CString>& titles,
                               std::vector<std::vector<CString>>& rows) {
    titles.clear();
    rows.clear();
    const CHeaderCtrl* header = list.GetHeaderCtrl();
    const int columns = header ? header->GetItemCount() : 0;
    for (int c = 0; c < columns; ++c)
        titles.push_back(ColumnName(header->GetColumnText(c), c));
    const int count = list.GetItemCount();
    rows.reserve(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) {
        std::vector<CString> row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(list.GetItemText(r, c));
        rows.push_back(std::move(row));
    }
}

BOOL CWorkbookExport::Write(const CString& path, const CString& sheet, const std::vector<CString>& titles,
                            const std::vector<std::vector<CString>>& rows, CString* error) {
    const auto fail = [error](const char* reason) {
        if (error)
            *error = reason;
        return FALSE;
    };
    // The workbook is written to a temporary file beside the target and renamed over it only once
    // the library closed it without error, so a failed export keeps the previous workbook.
    CAtomicFile file(path.GetString());
    if (!file.Open())
        return fail(std::strerror(file.Error()));
    lxw_workbook* book = workbook_new(file.TempPath().c_str());
    if (!book)
        return fail("The workbook cannot be made.");
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.GetString());
    if (!ws) {
        workbook_close(book);
        return fail("The sheet cannot be made.");
    }
    lxw_error written = LXW_NO_ERROR;
    for (size_t c = 0; c < titles.size() && written == LXW_NO_ERROR; ++c)
        written = worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), titles[c].GetString(), nullptr);
    for (size_t r = 0; r < rows.size() && written == LXW_NO_ERROR; ++r)
        for (size_t c = 0; c < rows[r].size() && written == LXW_NO_ERROR; ++c)
            if (!rows[r][c].IsEmpty())
                written = worksheet_write_string(ws, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c),
                                                 rows[r][c].GetString(), nullptr);
    // Closing writes the file; it is the step that fails on a full disk.
    const lxw_error closed = workbook_close(book);
    if (written != LXW_NO_ERROR)
        return fail(lxw_strerror(written));
    if (closed != LXW_NO_ERROR)
        return fail(lxw_strerror(closed));
    if (!file.Commit())
        return fail(std::strerror(file.Error()));
    return TRUE;
}
