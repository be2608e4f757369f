// CDropBtn: a drop button drawn with pens and brushes (a frame, the caption and a down arrow)
// that opens the same popup list as the combo button and posts WM_COMBO_SELECT on a pick.
#pragma once

#include "controls/ControlMessages.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"

#include <memory>

class CDropWnd;
class CDropListBox;

class CDropBtn : public CButton {
public:
    CDropBtn();
    ~CDropBtn() override;

    using CButton::Create;
    // The button window must exist already: caption and rectangle are not used. -1 colours and a
    // null font mean the defaults.
    BOOL Create(const CString& caption, const CRect& rect, CWnd* parent, UINT listId, COLORREF normal,
                COLORREF hover, COLORREF highlight, COLORREF second, CFont* font);
    void ShowList();
    virtual void OnItemChosen(int, int) {}

    CDropWnd* GetDropWnd() const { return m_pDropWnd.get(); }
    CDropListBox* GetListBox() const;
    const CRect& GetDropRect() const { return m_rcDrop; }
    BOOL IsHovered() const { return m_bHovered; }
    COLORREF GetHighlightColor() const { return m_clrHighlight; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;
    LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);
    void DrawArrow(CDC* dc, int x, int y, int side);
    void RepaintNow();

    DECLARE_MESSAGE_MAP()

private:
    int m_nListWidth = 0;
    int m_nListMaxHeight = 100;
    UINT m_nListId = 0;
    BYTE m_bOwnFont = 0;
    BYTE m_bSelectionAsCaption = 1;
    BYTE m_bHovered = 0;
    CWnd* m_pParent = nullptr;
    CRect m_rcClient;
    CRect m_rcDrop;
    CPen m_penFrame;
    CPen m_penArrow;
    CFont* m_pFont = nullptr;
    std::unique_ptr<CBrush> m_pNormalBrush;
    std::unique_ptr<CBrush> m_pHoverBrush;
    std::unique_ptr<CBrush> m_pArrowBrush;
    COLORREF m_clrHighlight = RGB(0, 255, 0);
    COLORREF m_clrSecond = 0;
    std::unique_ptr<CDropWnd> m_pDropWnd;
};
