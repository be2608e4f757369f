// CSpinButtonCtrl: the up-down control. A press on an arrow steps at once (inside the default
// handling of WM_LBUTTONDOWN) and repeats while held, accelerating; with UDS_ARROWKEYS the Up and
// Down keys in the buddy step too (and do not reach the buddy). Every step asks the parent first
// with UDN_DELTAPOS (NMUPDOWN); a non-zero answer refuses it.
#pragma once

#include "platform/ui/Wnd.h"

struct UDACCEL {
    UINT nSec;
    UINT nInc;
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl();
    ~CSpinButtonCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    void SetRange(short lower, short upper);
    void GetRange(int& lower, int& upper) const;
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    int SetPos(int pos);
    int GetPos() const;
    int SetPos32(int pos);
    int GetPos32(BOOL* error = nullptr) const;
    int SetBase(int base);
    int GetBase() const;
    BOOL SetAccel(int count, const UDACCEL* accel);
    UINT GetAccel(int count, UDACCEL* accel) const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

    // Id of the auto-repeat timer (kept apart from the ids the system's controls use).
    static constexpr UINT_PTR kRepeatTimer = 0x7F01;

protected:
    // One step in the direction of the arrow (+1 up or right); the parent may refuse it.
    void Step(int direction, bool keyboard);
    // Which arrow a client point falls on: +1, -1 or 0 outside.
    int ArrowAt(CPoint p) const;
    // The half of the client rectangle rc that holds arrow +1 (up, or right when horizontal) or -1.
    static CRect ArrowHalf(const CRect& rc, int arrow, bool horz);
    // The arrow's glyph: a small filled triangle in the middle of its half, pointing its way.
    static void DrawArrowGlyph(CDC& dc, const CRect& half, int arrow, bool horz, COLORREF colour);
    void SetBuddyInt();
    void Reposition();
    void StopRepeat();

    HWND m_buddy = nullptr;
    int m_lower = 100; // the system's default range runs from 100 down to 0
    int m_upper = 0;
    int m_pos = 0;
    int m_base = 10;
    int m_pressed = 0;   // arrow held by the mouse: +1, -1 or 0
    bool m_over = false; // the cursor is over the held arrow
    DWORD m_pressTick = 0;
    int m_repeats = 0;
    std::vector<UDACCEL> m_accel{{0, 1}, {2, 5}, {5, 20}};
    struct BuddyFilter;
    BuddyFilter* m_filter = nullptr;
};
