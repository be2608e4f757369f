// CButton: the system button (push, check box, radio, group box, owner-drawn). Owner-drawn buttons
// ask their parent for WM_CTLCOLORBTN, then send it WM_DRAWITEM, which comes back to DrawItem by
// reflection. A press takes the focus and the capture; the release over the button sends
// BN_CLICKED to the parent.
#pragma once

#include "platform/ui/Wnd.h"

class CBitmap;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    using CWnd::Create;
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE (push and owner-drawn kinds stay unchecked).
    int GetCheck() const;
    void SetCheck(int check);
    // BST_PUSHED | BST_FOCUS | the check state.
    UINT GetState() const;
    void SetState(BOOL pushed);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const { return m_bitmap; }

    // Owner-drawn look; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

    // The type in the low nibble of the style (BS_PUSHBUTTON ... BS_OWNERDRAW).
    UINT ButtonType() const { return GetStyle() & BS_TYPEMASK; }

protected:
    // Draws the system look of check boxes, radio buttons, push buttons and group boxes.
    void DrawSystemLook(CDC& dc);
    void Press(bool pushed);
    void Click();

    int m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_tracking = false; // pressed by the mouse (or the space bar) and not yet released
    bool m_spaceDown = false;
    HBITMAP m_bitmap = nullptr;
};
