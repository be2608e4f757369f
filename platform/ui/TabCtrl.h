// CTabCtrl: a row of tabs over a page area. Tabs are as wide as their text plus padding (or the
// size given by SetItemSize with TCS_FIXEDWIDTH / owner drawing); TCS_OWNERDRAWFIXED tabs arrive
// at DrawItem (ODT_TAB) through the parent. A click on a tab asks TCN_SELCHANGING (a non-zero
// answer keeps the selection), then selects it and sends TCN_SELCHANGE.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

class CImageList;

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    LONG InsertItem(int index, LPCTSTR text);
    LONG InsertItem(int index, LPCTSTR text, int image);
    LONG InsertItem(int index, TCITEM* item);
    BOOL GetItem(int index, TCITEM* item) const;
    BOOL SetItem(int index, TCITEM* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItemRect(int index, LPRECT rect) const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int HitTest(TCHITTESTINFO* info) const;
    // larger FALSE: window rectangle -> page area; TRUE: page area -> window rectangle.
    void AdjustRect(BOOL larger, LPRECT rect);
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size);
    int GetRowCount() const;
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const;

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

protected:
    int TabHeight() const;
    int TabWidth(int index) const;
    CRect ItemRect(int index) const;
    LRESULT Notify(UINT code);

    struct Item {
        CString text;
        int image = -1;
        LPARAM param = 0;
        DWORD state = 0;
    };
    std::vector<Item> m_items;
    int m_cur = -1;
    CSize m_itemSize{0, 0};
    CSize m_padding{6, 3};
    CImageList* m_images = nullptr;
};
