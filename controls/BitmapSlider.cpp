#include "controls/BitmapSlider.h"

#include "controls/ControlMessages.h"
#include "controls/MemDC.h"
#include "controls/NumEdit.h"
#include "controls/SkinControl.h"
#include "model/Conversions.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr UINT_PTR kMoveTimer = 5;
constexpr UINT kMoveTimerMs = 50;
constexpr COLORREF kPixelKey = 0xFF000000; // take the key colour from the image at (x, y)
} // namespace

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
ON_MESSAGE(WM_SLIDER_ACTIVATE, &CBitmapSlider::OnSliderActivate)
END_MESSAGE_MAP()

// --- geometry ----------------------------------------------------------------------------------

int CBitmapSlider::ChannelLength() const {
    // Without a channel bitmap the window itself stands for the channel.
    if (m_nWidth > 0 || m_nHeight > 0)
        return m_bVertical ? m_nHeight : m_nWidth;
    CRect rc;
    GetClientRect(&rc);
    return m_bVertical ? rc.Height() : rc.Width();
}

int CBitmapSlider::TravelLength() const {
    return ChannelLength() - NearMargin() - FarMargin() - ThumbLength();
}

int CBitmapSlider::PixelOfPos(int position) const {
    const int range = m_nMax - m_nMin, travel = TravelLength();
    const int start = NearMargin() + ThumbLength() / 2;
    if (range == 0 || travel <= 0)
        return start;
    return start + RoundHalfAway(static_cast<double>(travel) * (position - m_nMin) / range);
}

int CBitmapSlider::PosOfPixel(int pixel) const {
    const int range = m_nMax - m_nMin, travel = TravelLength();
    if (range == 0 || travel <= 0)
        return 0;
    const int start = NearMargin() + ThumbLength() / 2;
    return RoundHalfAway(m_nMin + static_cast<double>(pixel - start) / travel * range);
}

int CBitmapSlider::DragTarget(CPoint point) const {
    const int coord = m_bVertical ? point.y : point.x;
    int target = coord - m_nClickOffset;
    target = std::min(target, ChannelLength() - FarMargin() - ThumbLength() / 2);
    target = std::max(target, NearMargin() + ThumbLength() / 2);
    return target;
}

CPoint CBitmapSlider::ThumbOrigin(int width, int height) const {
    const int p = PixelOfPos(m_nPos);
    if (m_bVertical)
        return CPoint(m_nMarginLeft, p - height / 2);
    return CPoint(p - width / 2, m_nMarginTop);
}

// --- set-up ------------------------------------------------------------------------------------

BOOL CBitmapSlider::SetChannelBitmaps(UINT channelId, UINT activeId, BOOL transparent,
                                      COLORREF transparentColour, int x, int y) {
    if (channelId == 0) {
        m_bChannel = FALSE;
        m_bmChannel.DeleteObject();
        m_bmChannelMask.DeleteObject();
        m_bmChannelActive.DeleteObject();
        m_bmChannelActiveMask.DeleteObject();
        return TRUE;
    }
    m_bmChannel.DeleteObject();
    m_bmChannelMask.DeleteObject();
    if (!m_bmChannel.LoadBitmap(channelId))
        return FALSE;
    if (transparent)
        PrepareMask(&m_bmChannel, &m_bmChannelMask, transparentColour, x, y);
    m_bmChannelActive.DeleteObject();
    m_bmChannelActiveMask.DeleteObject();
    if (activeId) {
        if (!m_bmChannelActive.LoadBitmap(activeId)) {
            m_bmChannel.DeleteObject();
            m_bmChannelMask.DeleteObject();
            return FALSE;
        }
        if (transparent)
            PrepareMask(&m_bmChannelActive, &m_bmChannelActiveMask, transparentColour, x, y);
        m_bChannelActive = TRUE;
    } else {
        m_bChannelActive = FALSE;
    }
    BITMAP bm{};
    m_bmChannel.GetBitmap(&bm);
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
    SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(&m_rcClient);
    m_bTransparentChannel = transparent;
    m_bChannel = TRUE;
    skin::InvalidateParentArea(this);
    return TRUE;
}

BOOL CBitmapSlider::SetThumbBitmaps(UINT thumbId, UINT activeId, BOOL transparent, COLORREF transparentColour,
                                    int x, int y) {
    if (static_cast<int>(thumbId) == m_nLastThumbId)
        return TRUE;
    if (thumbId == 0) {
        m_bThumb = FALSE;
        m_bmThumb.DeleteObject();
        m_bmThumbMask.DeleteObject();
        m_bmThumbActive.DeleteObject();
        m_bmThumbActiveMask.DeleteObject();
        m_bmThumbBg.DeleteObject();
        m_nThumbBgX = m_nThumbBgY = -1;
        m_nLastThumbId = -1;
        return TRUE;
    }
    m_bmThumb.DeleteObject();
    m_bmThumbMask.DeleteObject();
    if (!m_bmThumb.LoadBitmap(thumbId))
        return FALSE;
    if (transparent)
        PrepareMask(&m_bmThumb, &m_bmThumbMask, transparentColour, x, y);
    m_bmThumbActive.DeleteObject();
    m_bmThumbActiveMask.DeleteObject();
    if (activeId) {
        if (!m_bmThumbActive.LoadBitmap(activeId)) {
            m_bmThumb.DeleteObject();
            m_bmThumbMask.DeleteObject();
            return FALSE;
        }
        if (transparent)
            PrepareMask(&m_bmThumbActive, &m_bmThumbActiveMask, transparentColour, x, y);
        m_bThumbActive = TRUE;
    } else {
        m_bThumbActive = FALSE;
    }
    BITMAP bm{};
    m_bmThumb.GetBitmap(&bm);
    m_nThumbWidth = bm.bmWidth;
    m_nThumbHeight = bm.bmHeight;
    // The saved background has the old thumb's size.
    m_bmThumbBg.DeleteObject();
    m_nThumbBgX = m_nThumbBgY = -1;
    m_bTransparentThumb = transparent;
    m_bThumb = TRUE;
    m_nLastThumbId = static_cast<int>(thumbId);
    skin::InvalidateParentArea(this);
    return TRUE;
}

void CBitmapSlider::SetDisabledThumb(UINT bitmapId) {
    m_bmThumbDisabled.DeleteObject();
    if (!m_bmThumbDisabled.LoadBitmap(bitmapId))
        return;
    m_bmThumbMask.DeleteObject();
    PrepareMask(&m_bmThumbDisabled, &m_bmThumbMask, kPixelKey, 0, 0);
}

void CBitmapSlider::SetRange(int minimum, int maximum, BOOL redraw) {
    // The travel always starts at 0; a positive minimum is only remembered.
    if (minimum > 0)
        m_nRequestedMin = minimum;
    m_nMin = 0;
    m_nMax = maximum;
    if (redraw)
        Invalidate(TRUE);
}

void CBitmapSlider::SetPos(int value) {
    m_nPos = (m_nValueMode == 10) ? m_nMax - (value - 80) : m_nMax - value;
    Invalidate(TRUE);
    UpdateWindow();
}

int CBitmapSlider::GetPos() const {
    return (m_nValueMode == 10) ? m_nMax - m_nPos + 80 : m_nMax - m_nPos;
}

void CBitmapSlider::SetRawPos(int position) {
    position = std::min(position, m_nMax);
    position = std::max(position, m_nMin);
    m_nPos = position;
    Invalidate(TRUE);
}

void CBitmapSlider::SetPosFromFreq(int hz) {
    int position = m_nPos;
    if (m_nValueMode == 1)
        position = m_nMax - FreqToGridIndex(hz);
    else if (m_nValueMode == 2)
        position = m_nMax + 192 - FreqToGridIndex(hz);
    SetRawPos(position);
}

int CBitmapSlider::GetFreqFromPos() const {
    int index;
    if (m_nValueMode == 2) {
        index = m_nMax + 192 - m_nPos;
    } else if (m_nValueMode == 1) {
        const int position = (m_nPos == 136) ? 135 : m_nPos;
        index = m_nMax - position;
    } else {
        index = m_nMax - m_nPos;
    }
    index = std::clamp(index, 0, kGridSize - 1);
    return static_cast<int>(g_eqFreqGrid[index]);
}

void CBitmapSlider::SetInvertedPos(int position) {
    m_nPos = m_nMax - position;
    Invalidate(TRUE);
}

int CBitmapSlider::SetPageSize(int size) {
    const int old = m_nPage;
    m_nPage = size;
    return old;
}

void CBitmapSlider::EnableSlider(BOOL enable) {
    m_bEnable = enable;
    if (!m_bEnable)
        EndDrag();
    Invalidate(TRUE);
}

void CBitmapSlider::EndDrag() {
    // A press cut short by disabling, a drag or a click beside the thumb (which holds the capture
    // and the timer without dragging): no timer or capture left behind and nothing reported.
    m_bLButtonDown = FALSE;
    m_bMoved = FALSE;
    KillTimer(kMoveTimer);
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CBitmapSlider::SetActive(BOOL active) {
    if (active == m_bActive)
        return;
    m_bActive = active;
    Invalidate(TRUE);
}

void CBitmapSlider::SetMargins(int left, int top, int right, int bottom) {
    m_nMarginLeft = left;
    m_nMarginTop = top;
    m_nMarginRight = right;
    m_nMarginBottom = bottom;
}

void CBitmapSlider::EnableFocusRect(BOOL enable, BOOL redraw) {
    m_bDrawFocusRect = enable;
    if (redraw)
        Invalidate(TRUE);
}

void CBitmapSlider::PostToParent(UINT message) {
    if (CWnd* parent = GetParent())
        parent->PostMessage(message, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(m_nPos));
}

// --- drawing -----------------------------------------------------------------------------------

BOOL CBitmapSlider::PrepareMask(CBitmap* image, CBitmap* mask, COLORREF transparentColour, int x, int y) {
    BITMAP bm{};
    if (!image->GetSafeHandle() || !image->GetBitmap(&bm))
        return FALSE;
    mask->DeleteObject();
    if (!mask->CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr))
        return FALSE;
    CDC imageDC, maskDC;
    imageDC.CreateCompatibleDC(nullptr);
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* oldImage = imageDC.SelectObject(image);
    CBitmap* oldMask = maskDC.SelectObject(mask);
    if (transparentColour == kPixelKey)
        transparentColour = imageDC.GetPixel(x, y);
    // Pixels of the key colour become 1 in the mask ...
    imageDC.SetBkColor(transparentColour);
    maskDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &imageDC, 0, 0, SRCCOPY);
    // ... and black in the image, so that OR-ing the image onto the masked target keeps it.
    imageDC.SetTextColor(RGB(255, 255, 255));
    imageDC.SetBkColor(RGB(0, 0, 0));
    imageDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &maskDC, 0, 0, SRCAND);
    maskDC.SelectObject(oldMask);
    imageDC.SelectObject(oldImage);
    return TRUE;
}

void CBitmapSlider::DrawTransparentBitmap(CDC* dc, int x, int y, int width, int height, CDC* imageDC, int xs,
                                          int ys, CBitmap* image, CBitmap* mask) {
    CBitmap* old = imageDC->SelectObject(mask);
    dc->BitBlt(x, y, width, height, imageDC, xs, ys, SRCAND);
    imageDC->SelectObject(image);
    dc->BitBlt(x, y, width, height, imageDC, xs, ys, SRCPAINT);
    imageDC->SelectObject(old);
}

void CBitmapSlider::DrawBitmapPart(CDC* dc, CDC* imageDC, CBitmap* image, CBitmap* mask, BOOL transparent,
                                   int x, int y, int width, int height) {
    if (!image->GetSafeHandle() || width <= 0 || height <= 0)
        return;
    if (transparent && mask->GetSafeHandle()) {
        DrawTransparentBitmap(dc, x, y, width, height, imageDC, x, y, image, mask);
        return;
    }
    CBitmap* old = imageDC->SelectObject(image);
    dc->BitBlt(x, y, width, height, imageDC, x, y, SRCCOPY);
    imageDC->SelectObject(old);
}

BOOL CBitmapSlider::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CBitmapSlider::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CMemDC memDC(&dc, &rc, m_bTransparentChannel);
    CDC bitmapDC;
    bitmapDC.CreateCompatibleDC(&dc);

    if (m_bChannel) {
        if (m_bChannelActive && m_bEnable) {
            // Lit from the near end up to the thumb centre.
            const int p = PixelOfPos(m_nPos);
            if (m_bVertical) {
                DrawBitmapPart(&memDC, &bitmapDC, &m_bmChannelActive, &m_bmChannelActiveMask,
                               m_bTransparentChannel, 0, 0, m_nWidth, p);
                DrawBitmapPart(&memDC, &bitmapDC, &m_bmChannel, &m_bmChannelMask, m_bTransparentChannel, 0, p,
                               m_nWidth, m_nHeight - p);
            } else {
                DrawBitmapPart(&memDC, &bitmapDC, &m_bmChannelActive, &m_bmChannelActiveMask,
                               m_bTransparentChannel, 0, 0, p, m_nHeight);
                DrawBitmapPart(&memDC, &bitmapDC, &m_bmChannel, &m_bmChannelMask, m_bTransparentChannel, p, 0,
                               m_nWidth - p, m_nHeight);
            }
        } else {
            DrawBitmapPart(&memDC, &bitmapDC, &m_bmChannel, &m_bmChannelMask, m_bTransparentChannel, 0, 0,
                           m_nWidth, m_nHeight);
        }
    }

    if (m_nThumbBgX != -1 && m_bmThumbBg.GetSafeHandle()) {
        CBitmap* old = bitmapDC.SelectObject(&m_bmThumbBg);
        memDC.BitBlt(m_nThumbBgX, m_nThumbBgY, m_nThumbWidth, m_nThumbHeight, &bitmapDC, 0, 0, SRCCOPY);
        bitmapDC.SelectObject(old);
        m_nThumbBgX = m_nThumbBgY = -1;
    }

    if (m_bThumb && m_bEnable) {
        // Without an active thumb the plain one stands for it, so the thumb never vanishes.
        const BOOL active = m_bThumbActive && (m_bLButtonDown || m_bActive);
        CBitmap* image = active ? &m_bmThumbActive : &m_bmThumb;
        CBitmap* mask = active ? &m_bmThumbActiveMask : &m_bmThumbMask;
        const CPoint at = ThumbOrigin(m_nThumbWidth, m_nThumbHeight);
        if (m_bTransparentChannel || !m_bChannel) {
            if (!m_bmThumbBg.GetSafeHandle())
                m_bmThumbBg.CreateCompatibleBitmap(&dc, m_nThumbWidth, m_nThumbHeight);
            CBitmap* old = bitmapDC.SelectObject(&m_bmThumbBg);
            bitmapDC.BitBlt(0, 0, m_nThumbWidth, m_nThumbHeight, &memDC, at.x, at.y, SRCCOPY);
            bitmapDC.SelectObject(old);
            m_nThumbBgX = at.x;
            m_nThumbBgY = at.y;
        }
        if (m_bTransparentThumb && mask->GetSafeHandle()) {
            DrawTransparentBitmap(&memDC, at.x, at.y, m_nThumbWidth, m_nThumbHeight, &bitmapDC, 0, 0, image,
                                  mask);
        } else {
            CBitmap* old = bitmapDC.SelectObject(image);
            memDC.BitBlt(at.x, at.y, m_nThumbWidth, m_nThumbHeight, &bitmapDC, 0, 0, SRCCOPY);
            bitmapDC.SelectObject(old);
        }
    } else if (m_bmThumbDisabled.GetSafeHandle()) {
        BITMAP bm{};
        m_bmThumbDisabled.GetBitmap(&bm);
        const int w = m_bThumb ? m_nThumbWidth : bm.bmWidth;
        const int h = m_bThumb ? m_nThumbHeight : bm.bmHeight;
        const CPoint at = ThumbOrigin(w, h);
        if (m_bTransparentThumb && m_bmThumbMask.GetSafeHandle()) {
            DrawTransparentBitmap(&memDC, at.x, at.y, w, h, &bitmapDC, 0, 0, &m_bmThumbDisabled,
                                  &m_bmThumbMask);
        } else {
            CBitmap* old = bitmapDC.SelectObject(&m_bmThumbDisabled);
            memDC.BitBlt(at.x, at.y, w, h, &bitmapDC, 0, 0, SRCCOPY);
            bitmapDC.SelectObject(old);
        }
    }
    // The active thumb shows the focus; no focus rectangle is drawn over it.
    m_bFocusRect = m_bDrawFocusRect && m_bActive && m_bEnable;
}

// --- mouse -------------------------------------------------------------------------------------

void CBitmapSlider::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_bEnable)
        return;
    SetCapture();
    SetFocus();
    m_bLButtonDown = TRUE;
    const int coord = m_bVertical ? point.y : point.x;
    const int thumbPixel = PixelOfPos(m_nPos);
    m_nClickOffset = (std::abs(coord - thumbPixel) <= ThumbLength() / 2) ? coord - thumbPixel : 0;
    // A press beside the thumb moves it one position toward the press and does not drag.
    const int target = DragTarget(point);
    if (thumbPixel != target) {
        const int position = (PosOfPixel(target) < m_nPos) ? m_nPos - 1 : m_nPos + 1;
        m_nPos = std::clamp(position, m_nMin, std::max(m_nMin, m_nMax));
        m_bLButtonDown = FALSE;
        m_bMoved = TRUE;
    }
    SetTimer(kMoveTimer, kMoveTimerMs);
    Invalidate(TRUE);
    CStatic::OnLButtonDown(flags, point);
}

void CBitmapSlider::OnMouseMove(UINT flags, CPoint point) {
    if (m_bLButtonDown) {
        const int target = DragTarget(point);
        if (PixelOfPos(m_nPos) != target) {
            SetRawPos(PosOfPixel(target));
            m_bMoved = TRUE;
        }
        CStatic::OnMouseMove(flags, point);
        return;
    }
    if (m_bMoveNotify)
        m_moveNotifier.Notify(this, flags, point);
}

void CBitmapSlider::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_bEnable)
        return;
    // Only the press this fader holds ends here: a release whose press was cancelled moves nothing.
    if (GetCapture() == this) {
        m_bLButtonDown = FALSE;
        m_bMoved = FALSE;
        KillTimer(kMoveTimer);
        ::ReleaseCapture();
        Invalidate(TRUE);
        PostToParent(WM_SLIDER_MOVED);
    }
    CStatic::OnLButtonUp(flags, point);
}

void CBitmapSlider::OnCaptureChanged(CWnd* wnd) {
    // A drag cut short ends where it is: the position it already shows still reaches the parent,
    // nothing more moves and no end of drag is reported.
    if (m_bMoved)
        PostToParent(WM_SLIDER_MOVING);
    m_bLButtonDown = FALSE;
    m_bMoved = FALSE;
    KillTimer(kMoveTimer);
    Invalidate(TRUE);
    CStatic::OnCaptureChanged(wnd);
}

void CBitmapSlider::OnTimer(UINT_PTR id) {
    if (id != kMoveTimer)
        return;
    if (m_bMoved) {
        PostToParent(WM_SLIDER_MOVING);
        m_bMoved = FALSE;
    }
}

BOOL CBitmapSlider::OnMouseWheel(UINT flags, short delta, CPoint point) {
    // A disabled fader must not change: pages disable it exactly where changes are not allowed.
    if (!m_bEnable)
        return CStatic::OnMouseWheel(flags, delta, point);
    if (delta == 120)
        SetRawPos(m_bVertical ? m_nPos - 1 : m_nPos + 1);
    else if (delta == -120)
        SetRawPos(m_bVertical ? m_nPos + 1 : m_nPos - 1);
    PostToParent(WM_SLIDER_MOVED);
    return CStatic::OnMouseWheel(flags, delta, point);
}

BOOL CBitmapSlider::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show(m_bHandCursor);
}

// --- keys and focus ----------------------------------------------------------------------------

UINT CBitmapSlider::OnGetDlgCode() {
    if (::GetKeyState(VK_TAB) & 0x8000)
        return CStatic::OnGetDlgCode();
    return DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (!m_bEnable)
        return;
    switch (ch) {
    case VK_PRIOR:
        SetRawPos(m_nPos - m_nPage);
        break;
    case VK_NEXT:
        SetRawPos(m_nPos + m_nPage);
        break;
    case VK_END:
        SetRawPos(m_nMax);
        break;
    case VK_HOME:
        SetRawPos(m_nMin);
        break;
    case VK_LEFT:
    case VK_UP:
        SetRawPos(m_nPos - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetRawPos(m_nPos + 1);
        break;
    default:
        CStatic::OnKeyDown(ch, repeat, flags);
        return;
    }
    PostToParent(WM_SLIDER_MOVED);
}

void CBitmapSlider::OnSetFocus(CWnd* oldWnd) {
    CStatic::OnSetFocus(oldWnd);
    if (m_pBuddyEdit)
        m_pBuddyEdit->SetHighlight(1);
    m_bActive = TRUE;
    PostToParent(WM_SLIDER_MOVING);
    Invalidate(TRUE);
}

void CBitmapSlider::OnKillFocus(CWnd* newWnd) {
    CStatic::OnKillFocus(newWnd);
    m_bActive = FALSE;
    if (m_pBuddyEdit)
        m_pBuddyEdit->SetHighlight(0);
    Invalidate(TRUE);
}

LRESULT CBitmapSlider::OnSliderActivate(WPARAM, LPARAM) {
    SetFocus();
    m_bActive = TRUE;
    Invalidate(TRUE);
    return 0;
}

void CBitmapSlider::OnDestroy() {
    CStatic::OnDestroy();
    m_bmThumb.DeleteObject();
    m_bmThumbMask.DeleteObject();
    m_bmThumbActive.DeleteObject();
    m_bmThumbActiveMask.DeleteObject();
    m_bmThumbBg.DeleteObject();
    m_bmChannel.DeleteObject();
    m_bmChannelMask.DeleteObject();
    m_bmChannelActive.DeleteObject();
    m_bmChannelActiveMask.DeleteObject();
}
