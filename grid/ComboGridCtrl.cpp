#include "grid/ComboGridCtrl.h"

#include "grid/InPlaceList.h"

IMPLEMENT_DYNCREATE(CComboGridCtrl, CGridCtrl)

CComboGridCtrl::CComboGridCtrl() = default;

CComboGridCtrl::~CComboGridCtrl() = default;

BOOL CComboGridCtrl::SetColumnOptions(int col, const std::vector<CString>& options) {
    if (col < GetFixedColumnCount())
        return FALSE;
    m_options.push_back({col, options});
    return TRUE;
}

int CComboGridCtrl::FindColumnOptions(int col) const {
    for (size_t i = 0; i < m_options.size(); ++i)
        if (m_options[i].col == col)
            return static_cast<int>(i);
    return -1;
}

BOOL CComboGridCtrl::SetItemText(int row, int col, LPCTSTR text) {
    const int entry = FindColumnOptions(col);
    if (entry < 0 || row < GetFixedRowCount())
        return CGridCtrl::SetItemText(row, col, text);
    for (const CString& option : m_options[static_cast<size_t>(entry)].options)
        if (option == (text ? text : ""))
            return CGridCtrl::SetItemText(row, col, text);
    return FALSE;
}

BOOL CComboGridCtrl::SetItemTextByIndex(int row, int col, int option) {
    const int entry = FindColumnOptions(col);
    if (entry < 0 || option < 0)
        return FALSE;
    const auto& options = m_options[static_cast<size_t>(entry)].options;
    if (option >= static_cast<int>(options.size()))
        return FALSE;
    return CGridCtrl::SetItemText(row, col, options[static_cast<size_t>(option)]);
}

BOOL CComboGridCtrl::SetOptionItem(const GridItem* item) {
    if (!item || !GetCell(item->row, item->col))
        return FALSE;
    if (item->mask & GRIDMASK_TEXT) {
        const int entry = FindColumnOptions(item->col);
        if (entry >= 0 && item->row >= GetFixedRowCount()) {
            bool found = false;
            for (const CString& option : m_options[static_cast<size_t>(entry)].options)
                found = found || option == item->szText;
            if (!found)
                return FALSE;
        }
    }
    return CGridCtrl::SetItem(item);
}

CWnd* CComboGridCtrl::CreateCellEditor(const CRect& rect, DWORD style, UINT id, int row, int col,
                                       LPCTSTR text, UINT key, UINT ch) {
    const int entry = FindColumnOptions(col);
    if (entry < 0)
        return CGridCtrl::CreateCellEditor(rect, style, id, row, col, text, key, ch);
    // The list deletes itself when its window goes; it takes the grid's list style.
    return new CInPlaceList(this, rect, m_listStyle, id, row, col,
                            m_options[static_cast<size_t>(entry)].options, CString(text), key, ch);
}
