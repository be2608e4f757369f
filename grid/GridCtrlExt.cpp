// CGridCtrl operations over the editors, clipboard, drag and drop, sorting, printing, CSV files,
// insertion, auto-size and search. These first bodies keep the grid whole; they are filled in
// with the classes they use.
#include "grid/GridCtrl.h"

void CGridCtrl::AttachTitleTipAndDropTarget() {}
void CGridCtrl::ReleaseTitleTipAndDropTarget() {}
void CGridCtrl::HideTitleTip() {}

void CGridCtrl::EditCell(int, int, UINT, UINT) {}
CWnd* CGridCtrl::CreateCellEditor(const CRect&, DWORD, UINT, int, int, LPCTSTR, UINT, UINT) {
    return nullptr;
}
BOOL CGridCtrl::OnEndCellEdit(int row, int col, LPCTSTR text) {
    if (GetItemText(row, col) == (text ? text : ""))
        return FALSE;
    if (!SetItemText(row, col, text))
        return FALSE;
    SetModified(TRUE, row, col);
    return TRUE;
}
void CGridCtrl::OnEndInPlaceEdit(NMHDR*, LRESULT* result) {
    if (result)
        *result = 0;
}

BOOL CGridCtrl::CopySelection(CString& text) {
    text.Empty();
    return FALSE;
}
void CGridCtrl::CutSelection() {}
BOOL CGridCtrl::PasteText(int, int, const CString&) {
    return FALSE;
}
void CGridCtrl::OnEditCut() {}
void CGridCtrl::OnEditCopy() {}
void CGridCtrl::OnEditPaste() {}
void CGridCtrl::OnEditSelectAll() {
    SelectAllCells();
}
BOOL CGridCtrl::OnUpdateEditCopy() const {
    const GridCellRange range = GetSelectedCellRange();
    return IsValid(range) && range.Count() > 0;
}
BOOL CGridCtrl::OnUpdateEditCut() const {
    return IsEditable() && OnUpdateEditCopy();
}
BOOL CGridCtrl::OnUpdateEditPaste() const {
    return FALSE;
}
BOOL CGridCtrl::OnUpdateEditSelectAll() const {
    return IsSelectable();
}
void CGridCtrl::OnBeginDrag() {}
BOOL CGridCtrl::CreateDragImage(CPoint*) {
    return FALSE;
}
DWORD CGridCtrl::OnDragEnter(const CString*, DWORD, CPoint) {
    return 0;
}
DWORD CGridCtrl::OnDragOver(const CString*, DWORD, CPoint) {
    return 0;
}
void CGridCtrl::OnDragLeave() {}
BOOL CGridCtrl::OnDrop(const CString*, DWORD, CPoint) {
    return FALSE;
}

BOOL CGridCtrl::SortTextItems(int col, BOOL ascending) {
    ResetSelectedRange();
    SetFocusCellAt(-1, -1);
    return SortTextItems(col, ascending, GetFixedRowCount(), -1);
}
BOOL CGridCtrl::SortTextItems(int, BOOL, int, int) {
    return FALSE;
}
BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE compare, int col, BOOL ascending, LPARAM data) {
    ResetSelectedRange();
    SetFocusCellAt(-1, -1);
    return SortItems(compare, col, ascending, data, GetFixedRowCount(), -1);
}
BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE, int, BOOL, LPARAM, int, int) {
    return FALSE;
}
void CGridCtrl::Print() {}
void CGridCtrl::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::OnPrint(CDC*, CPrintInfo*) {}
void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintColumnTitles(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintHeader(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintFooter(CDC*, CPrintInfo*) {}
BOOL CGridCtrl::Save(LPCTSTR) {
    return FALSE;
}
BOOL CGridCtrl::Load(LPCTSTR) {
    return FALSE;
}

int CGridCtrl::InsertColumn(LPCTSTR, UINT, int) {
    return -1;
}
int CGridCtrl::InsertRow(LPCTSTR, int) {
    return -1;
}
BOOL CGridCtrl::DeleteColumn(int) {
    return FALSE;
}
BOOL CGridCtrl::DeleteRow(int) {
    return FALSE;
}
BOOL CGridCtrl::DeleteNonFixedRows() {
    return TRUE;
}
BOOL CGridCtrl::AutoSizeColumn(int) {
    return FALSE;
}
BOOL CGridCtrl::AutoSizeRow(int) {
    return FALSE;
}
void CGridCtrl::AutoSizeColumns() {}
void CGridCtrl::AutoSizeRows() {}
void CGridCtrl::AutoSize() {}
void CGridCtrl::ExpandColumnsToFit() {}
void CGridCtrl::ExpandRowsToFit() {}
void CGridCtrl::ExpandToFit() {}
GridCellId CGridCtrl::GetNextItem(GridCellId, int) const {
    return {};
}
