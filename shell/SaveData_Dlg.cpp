#include "shell/SaveData_Dlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

BEGIN_MESSAGE_MAP(CSaveData_Dlg, CDialog)
ON_BN_CLICKED(CSaveData_Dlg::IDC_NO, &CSaveData_Dlg::OnNoButton)
END_MESSAGE_MAP()

CSaveData_Dlg::CSaveData_Dlg(CWnd* parent) : CDialog(IDD_SAVE_DATA, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

BOOL CSaveData_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(g_strPrompt, g_strPromptCn));
    SetDlgItemText(IDC_TEXT, LangText("Whether to save the current Presets file?", "是否保存当前场景文件?"));
    SetDlgItemText(IDOK, LangText("YES", "是"));
    SetDlgItemText(IDC_NO, LangText("NO", "否"));
    SetDlgItemText(IDCANCEL, LangText("Cancel", "取消"));
    return TRUE;
}

void CSaveData_Dlg::OnOK() {
    m_nResult = RESULT_YES;
    CDialog::OnOK();
}

void CSaveData_Dlg::OnCancel() {
    m_nResult = RESULT_CANCEL;
    CDialog::OnCancel();
}

void CSaveData_Dlg::OnNoButton() {
    m_nResult = RESULT_NO;
    // Closes the way Cancel does, keeping the answer.
    CDialog::OnCancel();
}

HBRUSH CSaveData_Dlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
