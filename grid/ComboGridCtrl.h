// CComboGridCtrl: the grid with option lists per non-fixed column. A cell of a column with options
// takes only one of them as its text (fixed rows take anything) and edits through a drop-down
// list of the options. Without option lists it behaves as the base grid.
#pragma once

#include "grid/GridCtrl.h"

#include <vector>

class CComboGridCtrl : public CGridCtrl {
    DECLARE_DYNCREATE(CComboGridCtrl)
public:
    CComboGridCtrl();
    ~CComboGridCtrl() override;

    // FALSE for a fixed column; a second list for a column is appended, lookups use the first.
    BOOL SetColumnOptions(int col, const std::vector<CString>& options);
    // Index of the first entry for the column, or -1.
    int FindColumnOptions(int col) const;
    BOOL SetItemText(int row, int col, LPCTSTR text) override;
    BOOL SetItemTextByIndex(int row, int col, int option);
    // Masked set with the option check on the text: all or nothing.
    virtual BOOL SetOptionItem(const GridItem* item);
    CWnd* CreateCellEditor(const CRect& rect, DWORD style, UINT id, int row, int col, LPCTSTR text, UINT key,
                           UINT ch) override;
    void SetListStyle(DWORD style) { m_listStyle = style; }
    DWORD GetListStyle() const { return m_listStyle; }

protected:
    struct ColumnOptions {
        int col;
        std::vector<CString> options;
    };
    std::vector<ColumnOptions> m_options;
    DWORD m_listStyle = 2;
};
