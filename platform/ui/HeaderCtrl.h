// CHeaderCtrl: the column header of a report list. Dragging a divider asks the parent first
// with HDN_BEGINTRACK (NMHEADER, as WM_NOTIFY); a non-zero answer refuses the drag. HDM_LAYOUT
// gives its height: one line of its font.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const;
    BOOL GetItemRect(int index, LPRECT rect) const;
    // Column bookkeeping used by the list view.
    int InsertColumn(int index, LPCTSTR text, int format, int width);
    BOOL DeleteColumn(int index);
    int GetColumnWidth(int index) const;
    BOOL SetColumnWidth(int index, int width);
    int GetColumnFormat(int index) const;
    CString GetColumnText(int index) const;
    int TotalWidth() const;
    // Divider under a client x (the column whose right edge it is), or -1.
    int DividerAt(int x) const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

protected:
    struct Column {
        CString text;
        int format = 0;
        int width = 0;
    };
    std::vector<Column> m_columns;
    int m_dragging = -1;
    int m_dragStartX = 0;
    int m_dragStartWidth = 0;
};
