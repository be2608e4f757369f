#include "controls/DropWnd.h"

#include "controls/ControlMessages.h"
#include "controls/DropListBox.h"
#include "platform/ui/WinGdi.h"

BEGIN_MESSAGE_MAP(CDropWnd, CDropDownWnd)
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_LBN_SELCHANGE(IDC_DROP_LIST, &CDropWnd::OnSelChange)
END_MESSAGE_MAP()

CDropWnd::CDropWnd() = default;

CDropWnd::~CDropWnd() {
    // The list window goes with the popup's window; destroy it before its object.
    if (m_pListBox && m_pListBox->m_hWnd)
        m_pListBox->DestroyWindow();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDropWnd::Create(CWnd* owner, UINT) {
    if (!owner || !owner->m_hWnd)
        return FALSE;
    // A top-level popup owned by the button: a child of the button would be clipped to it. It
    // starts hidden; ShowDropList places and shows it.
    if (!CreateDropDown(owner, "R9DropWnd"))
        return FALSE;
    m_pListBox = std::make_unique<CDropListBox>();
    if (!m_pListBox->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            CRect(0, 0, 0, 0), this, IDC_DROP_LIST)) {
        m_pListBox.reset();
        DestroyWindow();
        return FALSE;
    }
    SetKeyChild(m_pListBox.get());
    m_pOwner = owner;
    return TRUE;
}

std::unique_ptr<CDropWnd> CDropWnd::Make(CWnd* owner, CFont* font) {
    auto popup = std::make_unique<CDropWnd>();
    if (!popup->Create(owner, 0))
        return nullptr;
    popup->GetListBox()->SetListFont(font, TRUE);
    return popup;
}

CRect CDropWnd::ShowUnder(CWnd* button, int width, int maxHeight, BOOL mayOpenAbove) {
    CRect rc;
    button->GetClientRect(&rc);
    button->ClientToScreen(&rc);
    int h = maxHeight;
    const int count = m_pListBox->GetCount();
    if (count > 0) {
        const int itemHeight = m_pListBox->GetItemHeight(0);
        if (count * itemHeight < maxHeight)
            h = count * itemHeight;
    }
    CRect drop(rc.left, rc.bottom - 1, rc.left + width, rc.bottom + h);
    if (mayOpenAbove) {
        CRect work;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        if (drop.bottom > work.bottom) {
            drop.bottom = rc.top;
            drop.top = drop.bottom - h;
        }
    }
    MoveWindow(&drop, FALSE);
    CRect list;
    m_pListBox->GetWindowRect(&list);
    if (list.bottom != drop.bottom) {
        list.bottom = drop.bottom;
        list.InflateRect(1, 1);
        MoveWindow(&list, TRUE);
    }
    ShowWindow(SW_SHOWNA);
    return drop;
}

BOOL CDropWnd::PressOnOwner(CWnd* button, CPoint point, const CRect& lastRect) {
    if (m_nShowStatus == 0)
        return TRUE;
    button->ClientToScreen(&point);
    if (!lastRect.PtInRect(point))
        ShowWindow(SW_HIDE);
    return FALSE;
}

void CDropWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (m_pListBox && m_pListBox->m_hWnd)
        m_pListBox->MoveWindow(0, 0, cx, cy, TRUE);
}

void CDropWnd::OnShowWindow(BOOL show, UINT status) {
    CDropDownWnd::OnShowWindow(show, status);
    m_nShowStatus = status;
    if (!m_pListBox || !m_pListBox->m_hWnd)
        return;
    // The highlight follows the mouse and the keys while the list is open; closing without a
    // pick puts back what was selected before.
    if (show)
        m_nOpenSel = m_pListBox->GetCurSel();
    else if (m_pListBox->GetCurSel() != m_nOpenSel)
        m_pListBox->SetCurSel(m_nOpenSel);
}

void CDropWnd::OnSelChange() {
    if (!m_pListBox)
        return;
    const DropItemInfo* current = m_pListBox->GetCurrentRecord();
    if (current && current->header)
        return;
    // Only a change made with the pointer on the list picks; any other closes the list unchanged.
    const int pick = m_pListBox->GetCurSel();
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    const bool inside = window.PtInRect(cursor) != FALSE;
    ShowWindow(SW_HIDE);
    if (inside && m_pOwner)
        m_pOwner->SendMessage(WM_COMBO_SELECT, static_cast<WPARAM>(pick), 0);
}
