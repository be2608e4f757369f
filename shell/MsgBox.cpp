#include "shell/MsgBox.h"

#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "shell/MessageBoxDlg.h"

IMPLEMENT_DYNAMIC(CMsgBox, CWnd)

namespace {
inline constexpr const char kWindowName[] = "{62BAB41D-B6BB-402C-89EF-5B86830DF68C}";
}

CMsgBox::~CMsgBox() {
    DestroyWindow();
}

BOOL CMsgBox::Create(CWnd* parent) {
    if (m_bCreated)
        return TRUE;
    const CRect empty(0, 0, 0, 0);
    const DWORD style = parent ? WS_CHILD : WS_POPUP;
    m_bCreated = CreateEx(0, "", kWindowName, style, empty, parent, parent ? IDC_MSGBOX_WINDOW : 0);
    return m_bCreated;
}

int CMsgBox::ShowAutoClose(CString text) {
    m_strText = text;
    if (!m_bCreated)
        Create(nullptr);
    SetTimer(TIMER_MSGBOX_CLOSE, MSGBOX_CLOSE_MS);
    CMessageBoxDlg box(m_strText, MB_OK, g_strProduct, 0);
    m_pBox = &box;
    const int result = box.Show();
    m_pBox = nullptr;
    KillTimer(TIMER_MSGBOX_CLOSE);
    return result;
}

void CMsgBox::OnTimer(UINT_PTR id) {
    if (id != TIMER_MSGBOX_CLOSE) {
        CWnd::OnTimer(id);
        return;
    }
    KillTimer(TIMER_MSGBOX_CLOSE);
    // The box's default button is OK: end it as if OK was pressed.
    if (m_pBox && m_pBox->IsModal())
        m_pBox->OnOK();
}
