// CListBox: a single-selection list box painted by the layer (or by its owner with
// LBS_OWNERDRAWFIXED: WM_DRAWITEM per visible item, reflected to DrawItem). With LBS_NOTIFY a
// click sends LBN_SELCHANGE at the release (also on the current item), keys send it on a change,
// a double click LBN_DBLCLK; SetCurSel from code sends nothing. WS_VSCROLL adds a scroll bar while
// the items do not fit.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();
    ~CListBox() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, LPTSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);
    int GetItemRect(int index, LPRECT rect) const;
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // Index in the low word, 1 in the high word when the point is below the last item.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    int VisibleCount() const;
    int ItemAt(CPoint p) const;
    // Width of the item area (without the scroll bar when it shows).
    int ItemWidth() const;
    void UpdateScrollBar();
    void EnsureVisible(int index);
    void Select(int index, bool notify);

    struct Item {
        CString text;
        DWORD_PTR data = 0;
    };
    std::vector<Item> m_items;
    int m_cur = LB_ERR;
    int m_top = 0;
    int m_itemHeight = 0; // 0 until set or measured
    bool m_tracking = false;
    struct Scroll;
    Scroll* m_scroll = nullptr;
};
