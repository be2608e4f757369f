#include "shell/WarnDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

CWarnDlg::CWarnDlg(const CString& message, CWnd* parent) : CDialog(IDD_WARN, parent), m_strMessage(message) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

BOOL CWarnDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_MESSAGE, m_strMessage);
    SetDlgItemText(IDOK, LangText("Quit", "退出"));
    return TRUE;
}

HBRUSH CWarnDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
