// CBitmapSlider: the pages' fader, a static drawn from a channel bitmap and a thumb bitmap,
// vertical or horizontal, driven by mouse, keys and wheel. Positions run top-down (0 at the top
// or left end); the values the pages read and write run the other way (offset by 80 in mode 10).
// Movement reaches the parent as posted WM_SLIDER_MOVING / WM_SLIDER_MOVED (id, position).
#pragma once

#include "controls/HandCursor.h"
#include "controls/MoveNotifier.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Static.h"

class CNumEdit;

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider() = default;
    ~CBitmapSlider() override = default;

    BOOL SetChannelBitmaps(UINT channelId, UINT activeId = 0, BOOL transparent = FALSE,
                           COLORREF transparentColour = 0xFF000000, int x = 0, int y = 0);
    BOOL SetThumbBitmaps(UINT thumbId, UINT activeId = 0, BOOL transparent = FALSE,
                         COLORREF transparentColour = 0xFF000000, int x = 0, int y = 0);
    void SetDisabledThumb(UINT bitmapId);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetValueMode(int mode) { m_nValueMode = mode; }
    int GetValueMode() const { return m_nValueMode; }
    void SetPos(int value);
    int GetPos() const;
    void SetRawPos(int position);
    int GetRawPos() const { return m_nPos; }
    void SetPosFromFreq(int hz);
    int GetFreqFromPos() const;
    int GetInvertedPos() const { return m_nMax - m_nPos; }
    void SetInvertedPos(int position);
    int SetPageSize(int size);
    void EnableSlider(BOOL enable = TRUE);
    BOOL IsSliderEnabled() const { return m_bEnable; }
    void SetActive(BOOL active);
    BOOL IsActive() const { return m_bActive; }
    void SetBuddyEdit(CNumEdit* edit) { m_pBuddyEdit = edit; }
    void EnableMoveNotify(BOOL enable) { m_bMoveNotify = enable; }
    void SetMargins(int left, int top, int right, int bottom);
    void SetVertical(BOOL vertical) { m_bVertical = vertical; }
    void EnableFocusRect(BOOL enable = TRUE, BOOL redraw = FALSE);
    void SetSpare(int value) { m_nSpare = value; }
    int GetRangeMax() const { return m_nMax; }
    int GetRangeMin() const { return m_nMin; }

    // Geometry (client pixels along the travel axis): the thumb-centre pixel of a position and
    // the position of a pixel, in floating point rounded half away from zero.
    int PixelOfPos(int position) const;
    int PosOfPixel(int pixel) const;
    BOOL IsDragging() const { return m_bLButtonDown; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    LRESULT OnSliderActivate(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    int ChannelLength() const;
    int ThumbLength() const { return m_bVertical ? m_nThumbHeight : m_nThumbWidth; }
    int NearMargin() const { return m_bVertical ? m_nMarginTop : m_nMarginLeft; }
    int FarMargin() const { return m_bVertical ? m_nMarginBottom : m_nMarginRight; }
    int TravelLength() const;
    int DragTarget(CPoint point) const;
    CPoint ThumbOrigin(int width, int height) const;
    void PostToParent(UINT message);
    void EndDrag();
    static BOOL PrepareMask(CBitmap* image, CBitmap* mask, COLORREF transparentColour, int x, int y);
    static void DrawTransparentBitmap(CDC* dc, int x, int y, int width, int height, CDC* imageDC, int xs,
                                      int ys, CBitmap* image, CBitmap* mask);
    void DrawBitmapPart(CDC* dc, CDC* imageDC, CBitmap* image, CBitmap* mask, BOOL transparent, int x, int y,
                        int width, int height);

    int m_nSpare = 0;
    CNumEdit* m_pBuddyEdit = nullptr;
    int m_nValueMode = 0;
    CHandCursor m_hand;
    BOOL m_bHandCursor = TRUE;
    BOOL m_bMoveNotify = FALSE;
    CMoveNotifier m_moveNotifier;
    int m_nMax = 100;
    int m_nMin = 0;
    int m_nPos = 0;
    int m_nPage = 13;
    int m_nRequestedMin = 0;
    CRect m_rcClient;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;
    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
    int m_nThumbBgX = -1;
    int m_nThumbBgY = -1;
    int m_nClickOffset = 0;
    BOOL m_bMoved = FALSE;
    BOOL m_bVertical = TRUE;
    BOOL m_bChannelActive = FALSE;
    BOOL m_bThumbActive = FALSE;
    BOOL m_bTransparentChannel = FALSE;
    BOOL m_bTransparentThumb = FALSE;
    BOOL m_bThumb = FALSE;
    BOOL m_bChannel = FALSE;
    BOOL m_bLButtonDown = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bFocusRect = FALSE;
    BOOL m_bDrawFocusRect = TRUE;
    BOOL m_bEnable = TRUE;
    CBitmap m_bmChannel;
    CBitmap m_bmChannelMask;
    CBitmap m_bmChannelActive;
    CBitmap m_bmChannelActiveMask;
    CBitmap m_bmThumb;
    CBitmap m_bmThumbMask;
    CBitmap m_bmThumbActive;
    CBitmap m_bmThumbActiveMask;
    CBitmap m_bmThumbBg;
    CBitmap m_bmThumbDisabled;
    int m_nLastThumbId = -1;
};
