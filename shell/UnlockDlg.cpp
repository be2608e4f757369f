#include "shell/UnlockDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/DataLock.h"
#include "shell/LockDialogLayouts.h"
#include "shell/PasswordEntry.h"

BEGIN_MESSAGE_MAP(CUnlockDlg, CDialog)
ON_BN_CLICKED(CUnlockDlg::IDC_RESET, &CUnlockDlg::OnResetButton)
END_MESSAGE_MAP()

CUnlockDlg::CUnlockDlg(int mode, CDataLockHost* host, CWnd* parent)
    : CDialog(IDD_UNLOCK, parent), m_nMode(mode), m_pHost(host) {
    RegisterLockDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CUnlockDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PASSWORD, m_editPassword);
    DDX_Control(dx, IDOK, m_btnOk);
    DDX_Control(dx, IDC_RESET, m_btnSecond);
    DDX_Control(dx, IDC_LABEL, m_label);
}

BOOL CUnlockDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool unlock = m_nMode == UNLOCK_PROMPT_UNLOCK;
    SetWindowText(LangText("Prompted", "提示"));
    m_label.SetWindowText(LangText("Enter password(6-digit):", "请输入6位数密码:"));
    m_btnOk.SetWindowText(LangText(unlock ? "Unlock" : "OK", "确定"));
    m_btnSecond.SetWindowText(unlock ? LangText("reset", "清除数据") : LangText("Cancel", "取消"));
    m_editPassword.LimitText(LOCK_PASSWORD_BYTES);
    m_strEntry.Empty();
    m_bEntered = FALSE;
    m_bResetChosen = FALSE;
    GotoDlgCtrl(&m_editPassword);
    return FALSE;
}

void CUnlockDlg::OnOK() {
    if (!TakePasswordEntry(*this, m_editPassword, m_pHost, g_strLockLengthError, &m_strEntry))
        return;
    m_bEntered = TRUE;
    EndDialog(IDOK);
}

void CUnlockDlg::OnResetButton() {
    if (g_bDataLocked.load() == 1 && g_bLockPromptFromButton.load())
        m_bResetChosen = TRUE;
    EndDialog(IDCANCEL);
}

UnlockPromptResult CUnlockDlg::GetResult() const {
    if (ModalResult() == IDOK && m_bEntered)
        return UnlockPromptResult::Ok;
    return m_bResetChosen ? UnlockPromptResult::Reset : UnlockPromptResult::Cancel;
}

HBRUSH CUnlockDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    if (ctlColor == CTLCOLOR_STATIC) {
        // The label sits on the dialog's own ground.
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
