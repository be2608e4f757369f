#include "controls/DropWnd.h"

#include "controls/ControlMessages.h"
#include "controls/DropListBox.h"

BEGIN_MESSAGE_MAP(CDropWnd, CWnd)
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
    // A top-level tool window owned by the button: a child of the button would be clipped to it.
    // It starts hidden; ShowDropList places and shows it.
    if (!CreateEx(WS_EX_TOPMOST, "R9DropWnd", "", WS_POPUP, CRect(0, 0, 0, 0), owner, 0))
        return FALSE;
    m_pListBox = std::make_unique<CDropListBox>();
    if (!m_pListBox->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            CRect(0, 0, 0, 0), this, IDC_DROP_LIST)) {
        m_pListBox.reset();
        DestroyWindow();
        return FALSE;
    }
    m_pOwner = owner;
    return TRUE;
}

void CDropWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (m_pListBox && m_pListBox->m_hWnd)
        m_pListBox->MoveWindow(0, 0, cx, cy, TRUE);
}

void CDropWnd::OnShowWindow(BOOL show, UINT status) {
    CWnd::OnShowWindow(show, status);
    m_nShowStatus = status;
}

void CDropWnd::OnSelChange() {
    if (!m_pListBox)
        return;
    const DropItemInfo* current = m_pListBox->GetCurrentRecord();
    if (current && current->header)
        return;
    ShowWindow(SW_HIDE);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (window.PtInRect(cursor)) {
        if (m_pOwner)
            m_pOwner->SendMessage(WM_COMBO_SELECT, static_cast<WPARAM>(m_pListBox->GetCurSel()), 0);
    } else {
        m_pListBox->SetCurSel(m_pListBox->GetSavedSel());
    }
}
