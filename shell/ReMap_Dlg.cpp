#include "shell/ReMap_Dlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

BEGIN_MESSAGE_MAP(CReMap_Dlg, CDialog)
ON_BN_CLICKED(CReMap_Dlg::IDC_DEFAULT, &CReMap_Dlg::OnDefaultButton)
END_MESSAGE_MAP()

CReMap_Dlg::CReMap_Dlg(CWnd* parent) : CDialog(IDD_REMAP, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

BOOL CReMap_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(g_strPrompt, g_strPromptCn));
    SetDlgItemText(IDC_TEXT, LangText("The output map emptied or restore default", "输出配置清空或恢复默认"));
    SetDlgItemText(IDOK, LangText("Emptied", "清空"));
    SetDlgItemText(IDC_DEFAULT, LangText("Default", "默认"));
    SetDlgItemText(IDCANCEL, LangText("Cancel", "取消"));
    return TRUE;
}

void CReMap_Dlg::OnOK() {
    m_nResult = RESULT_EMPTIED;
    CDialog::OnOK();
}

void CReMap_Dlg::OnCancel() {
    m_nResult = RESULT_CANCEL;
    CDialog::OnCancel();
}

void CReMap_Dlg::OnDefaultButton() {
    m_nResult = RESULT_DEFAULT;
    // Closes the way OK does, keeping the answer.
    CDialog::OnOK();
}

HBRUSH CReMap_Dlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
