#include "shell/PasswordDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"
#include "shell/LockDialogLayouts.h"
#include "shell/PasswordEntry.h"

CPasswordDlg::CPasswordDlg(CDataLockHost* host, CWnd* parent) : CDialog(IDD_PASSWORD, parent), m_pHost(host) {
    RegisterLockDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CPasswordDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PASSWORD, m_editPassword);
    DDX_Control(dx, IDOK, m_btnOk);
    DDX_Control(dx, IDCANCEL, m_btnCancel);
    DDX_Control(dx, IDC_LABEL, m_label);
}

BOOL CPasswordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText("Prompted", "提示"));
    m_label.SetWindowText(LangText("Enter password(6-digit):", "请输入6位数密码:"));
    m_btnOk.SetWindowText(LangText("OK", "确定"));
    m_btnCancel.SetWindowText(LangText("Cancel", "取消"));
    m_editPassword.LimitText(LOCK_PASSWORD_BYTES);
    m_strEntry.Empty();
    m_bEntered = FALSE;
    m_bCancelled = FALSE;
    GotoDlgCtrl(&m_editPassword);
    return FALSE;
}

void CPasswordDlg::OnOK() {
    if (!TakePasswordEntry(*this, m_editPassword, m_pHost, g_strPasswordLengthError, &m_strEntry))
        return;
    m_bEntered = TRUE;
    EndDialog(IDOK);
}

void CPasswordDlg::OnCancel() {
    m_bCancelled = TRUE;
    EndDialog(IDCANCEL);
}

HBRUSH CPasswordDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    if (ctlColor == CTLCOLOR_STATIC) {
        // The label sits on the dialog's own ground.
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
