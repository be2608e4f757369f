// CScrollBar: the scroll bar control (SBS_HORZ or SBS_VERT). Like the system's control it never
// moves by itself: a user action sends its parent WM_HSCROLL or WM_VSCROLL (code, position for the
// thumb codes, the bar's handle) and the parent sets the position it wants. Range max is the
// largest scroll unit and page the visible part, so positions run 0 .. max - page + 1.
#pragma once

#include "platform/ui/Wnd.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;
constexpr UINT SB_LINELEFT = 0;
constexpr UINT SB_LINERIGHT = 1;
constexpr UINT SB_PAGELEFT = 2;
constexpr UINT SB_PAGERIGHT = 3;
constexpr UINT SB_LEFT = 6;
constexpr UINT SB_RIGHT = 7;
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The position after clamping to the range.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const { return m_pos; }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int* minPos, int* maxPos) const;
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    // The largest position the range and page allow.
    int GetScrollLimit() const;

    // What a user action does (tests drive the bar this way): sends the parent the scroll
    // message for code, with pos as the track position of the thumb codes.
    void Scroll(UINT code, int pos = 0);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    // A press holds the capture, as the system's bar does, so what takes the pointer ends it.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;

private:
    void Sync();

    int m_min = 0;
    int m_max = 100;
    UINT m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    bool m_tracking = false;
    bool m_pressed = false; // a press of the user's holds the capture
};
