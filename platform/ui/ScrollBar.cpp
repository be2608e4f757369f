#include "platform/ui/ScrollBar.h"

#include "platform/ui/WndBridge.h"

#include <QCoreApplication>
#include <QHideEvent>
#include <QScrollBar>
#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("ScrollBar", "", style, rect, parent, id);
}

QWidget* CScrollBar::CreateWidget(QWidget* parent) {
    auto* bar = new WndBridge<QScrollBar>(this, parent);
    bar->setOrientation((m_style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar](int action) {
        const int proposed = bar->sliderPosition();
        // The parent decides: the bar goes back to its position until the parent sets one.
        bar->setSliderPosition(m_pos);
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            Scroll(SB_LINEDOWN);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            Scroll(SB_LINEUP);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            Scroll(SB_PAGEDOWN);
            break;
        case QAbstractSlider::SliderPageStepSub:
            Scroll(SB_PAGEUP);
            break;
        case QAbstractSlider::SliderToMinimum:
            Scroll(SB_TOP);
            break;
        case QAbstractSlider::SliderToMaximum:
            Scroll(SB_BOTTOM);
            break;
        case QAbstractSlider::SliderMove:
            Scroll(SB_THUMBTRACK, proposed);
            break;
        default:
            break;
        }
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this] {
        if (m_tracking)
            Scroll(SB_THUMBPOSITION, m_trackPos);
        m_tracking = false;
        Scroll(SB_ENDSCROLL);
    });
    return bar;
}

void CScrollBar::Scroll(UINT code, int pos) {
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        m_trackPos = std::clamp(pos, m_min, std::max(m_min, GetScrollLimit()));
        m_tracking = code == SB_THUMBTRACK;
        pos = m_trackPos;
    } else {
        pos = 0;
    }
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const UINT message = (m_style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    parent->SendMessage(message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos & 0xFFFF)),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CScrollBar::OnLButtonDown(UINT flags, CPoint point) {
    const bool real = HasToolkitDefault(WM_LBUTTONDOWN);
    CWnd::OnLButtonDown(flags, point);
    if (real && m_hWnd) {
        m_pressed = true;
        SetCapture();
    }
}

void CScrollBar::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    m_pressed = false;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CScrollBar::OnCaptureChanged(CWnd* window) {
    // A press cut short stops where it is: no more repeats, and a thumb drag ends without a
    // position (the parent has followed it all along).
    auto* bar = qobject_cast<QScrollBar*>(m_widget);
    if (bar && m_pressed) {
        m_pressed = false;
        m_tracking = false;
        QHideEvent stop; // the toolkit's bar drops its press and repeat at a hide
        QCoreApplication::sendEvent(bar, &stop);
        if (bar->isSliderDown())
            bar->setSliderDown(false);
    }
    CWnd::OnCaptureChanged(window);
}

int CScrollBar::GetScrollLimit() const {
    const int limit = m_page > 0 ? m_max - static_cast<int>(m_page) + 1 : m_max;
    return std::max(m_min, limit);
}

int CScrollBar::SetScrollPos(int pos, BOOL) {
    const int old = m_pos;
    m_pos = std::clamp(pos, m_min, GetScrollLimit());
    Sync();
    return old;
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL) {
    m_min = minPos;
    m_max = std::max(minPos, maxPos);
    m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
    Sync();
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const {
    if (minPos)
        *minPos = m_min;
    if (maxPos)
        *maxPos = m_max;
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL) {
    if (!info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        m_min = info->nMin;
        m_max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        m_page = info->nPage;
    if (info->fMask & SIF_POS)
        m_pos = info->nPos;
    m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
    Sync();
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) const {
    if (!info)
        return FALSE;
    info->fMask = mask;
    if (mask & SIF_RANGE) {
        info->nMin = m_min;
        info->nMax = m_max;
    }
    if (mask & SIF_PAGE)
        info->nPage = m_page;
    if (mask & SIF_POS)
        info->nPos = m_pos;
    if (mask & SIF_TRACKPOS)
        info->nTrackPos = m_tracking ? m_trackPos : m_pos;
    return TRUE;
}

void CScrollBar::Sync() {
    auto* bar = qobject_cast<QScrollBar*>(m_widget);
    if (!bar)
        return;
    const QSignalBlocker block(bar);
    bar->setRange(m_min, GetScrollLimit());
    bar->setPageStep(std::max(1, static_cast<int>(m_page)));
    bar->setSingleStep(1);
    bar->setValue(m_pos);
}
