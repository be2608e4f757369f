// CComBoxBtn: a push button that works as a drop-down selector. It shows the selected item's text
// over a skin bitmap; a press opens the popup list under it, and a pick, a wheel notch or a key
// step posts WM_COMBO_SELECT (list id, index) to the parent.
#pragma once

#include "controls/ControlMessages.h"
#include "controls/HandCursor.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"

#include <memory>

class CDropWnd;
class CDropListBox;

// Caption layout: margins in pixels and the DrawText alignment.
struct ComboTextLayout {
    int left;
    int right;
    UINT format;
};

class CComBoxBtn : public CButton {
public:
    CComBoxBtn();
    ~CComBoxBtn() override;

    void SetBitmaps(UINT normalId, UINT hoverId);
    void SetDisabledBitmap(UINT id);
    void SetNullWhenDisabled(BOOL nullWhenDisabled);
    void SetTextLayout(const ComboTextLayout& layout);
    BOOL CreateDropList(CWnd* owner, UINT listId);
    void ResetContent();
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    void SetCurSel(int index);
    int GetCurSel() const;
    // The item the caption shows (-1 none); the list opens with it highlighted.
    int GetShownSel() const { return m_nShownSel; }
    void EnableMoveNotify(BOOL enable);
    void ShowDropList();
    void HideDropList();
    BOOL EnableWindow(BOOL enable = TRUE) override;

    void SetTextColors(COLORREF normal, COLORREF hover);
    void SetFonts(CFont* normal, CFont* hover);
    void SetPressed(BOOL pressed);
    void SetPressedLook(UINT bitmapId, COLORREF highlight);
    void StepByKey(UINT virtualKey);

    CDropWnd* GetDropWnd() const { return m_pDropWnd.get(); }
    CDropListBox* GetListBox() const;
    const CRect& GetDropRect() const { return m_rcDrop; }
    BOOL IsHovered() const { return m_bHovered; }
    int GetDrawKind() const { return m_nDrawKind; }
    int GetListMaxHeight() const { return m_nListMaxHeight; }
    // The look of the current state: bitmap id, caption colour and whether the hover font applies.
    UINT StateBitmap(BOOL disabled) const;
    COLORREF StateTextColor(BOOL disabled) const;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnSetFocus(CWnd* oldWnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);
    // One wheel or key step: -1 to the previous item, +1 to the next.
    void Step(int direction);
    void SetHovered(BOOL hovered);
    // Qt windows do not change size while they paint: the button takes the size of the bitmap
    // its state draws before it repaints.
    void SizeToLook();
    void RepaintNow();

    DECLARE_MESSAGE_MAP()

private:
    int m_nDrawKind = 0;
    LPDRAWITEMSTRUCT m_pDrawItem = nullptr;
    UINT m_nNormalBitmap = 0;
    UINT m_nHoverBitmap = 0;
    UINT m_nPressedBitmap = 0;
    UINT m_nDisabledBitmap = 0;
    COLORREF m_clrNormalText = RGB(255, 255, 255);
    COLORREF m_clrHoverText = RGB(255, 255, 255);
    COLORREF m_clrHighlightText = RGB(255, 0, 0);
    COLORREF m_clrDisabledText = RGB(204, 204, 204);
    CFont* m_pNormalFont = nullptr;
    CFont* m_pHoverFont = nullptr;
    BOOL m_bOwnFonts = TRUE;
    BOOL m_bPressed = FALSE;
    BOOL m_bHovered = FALSE;
    CHandCursor m_hand;
    BOOL m_bCursorOn = TRUE;
    std::unique_ptr<CDropWnd> m_pDropWnd;
    int m_nListWidth = 0;
    int m_nListMaxHeight = 130;
    CWnd* m_pOwner = nullptr;
    UINT m_nListId = 0;
    CRect m_rcClient;
    CRect m_rcDrop;
    int m_nWheelAcc = 0;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLastMove{-1, -1};
    int m_nTextLeft = 7;
    int m_nTextRight = 12;
    UINT m_nTextFormat = DT_CENTER;
    BOOL m_bNullWhenDisabled = FALSE;
    int m_nShownSel = -1;
};
