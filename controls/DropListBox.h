// CDropListBox: the owner-drawn list inside a combo button's popup. Each item has a record with
// its colours and a header mark; the list follows the mouse and hides its popup when it loses
// the focus.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Pen.h"

#include <memory>
#include <vector>

constexpr UINT IDC_DROP_LIST = 1825;

struct DropItemInfo {
    BYTE header = 0; // 1: the item opens a group
    COLORREF textColour = RGB(255, 255, 255);
    COLORREF selectedTextColour = RGB(255, 255, 255);
};

class CDropListBox : public CListBox {
public:
    CDropListBox();
    ~CDropListBox() override;

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int InsertItem(int group, LPCTSTR text, COLORREF textColour, COLORREF selectedTextColour);
    int DeleteItem(UINT index);
    void ResetContent();
    void SetListFont(CFont* font, BOOL redraw);
    void SetColor(COLORREF colour);
    void SetHighlightColor(COLORREF colour);

    int GetGroupCount() const { return m_nGroupCount; }
    int GetSavedSel() const { return m_nSavedSel; }
    void SetSavedSel(int index) { m_nSavedSel = index; }
    // A pick reported by the popup: FALSE for an index without an item; else its text, and the
    // index becomes the selection and the saved selection.
    BOOL CommitPick(int index, CString& text);
    const DropItemInfo* GetCurrentRecord() const { return m_pCurRecord; }
    const DropItemInfo* GetRecord(int index) const;
    CFont* GetBoldFont() const { return m_pBoldFont.get(); }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void MakeGdiObjects();

    DECLARE_MESSAGE_MAP()

private:
    friend class CDropWnd;
    int m_nGroupCount = 0;
    int m_nSavedSel = 0;
    std::vector<std::unique_ptr<DropItemInfo>> m_records;
    CRect m_rcClient;
    CFont* m_pFont = nullptr;
    std::unique_ptr<CFont> m_pBoldFont;
    CString m_strCurText;
    std::unique_ptr<CPen> m_pFramePen;
    std::unique_ptr<CBrush> m_pBkBrush;
    std::unique_ptr<CBrush> m_pHighlightBrush;
    DropItemInfo* m_pCurRecord = nullptr;
};
