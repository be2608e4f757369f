#include "shell/InitDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

CInitDlg::CInitDlg(CWnd* parent) : CDialog(IDD_INIT, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CInitDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_WARNING, m_warning);
}

BOOL CInitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CreateShellFont(m_fontDialog, g_fontSpecSimSun12);
    CreateShellFont(m_fontWarning, g_fontSpecArial14);
    SetFont(&m_fontDialog, FALSE);
    SetWindowText(LangText("Restore factory settings", "恢复出厂设置"));
    m_warning.SetFont(&m_fontWarning, FALSE);
    m_warning.SetTextColor(RGB(255, 0, 0));
    m_warning.SetWindowText(LangText("Warning! ", "警告!"));
    SetDlgItemText(IDC_TEXT, LangText("   This operation will restore factory Settings",
                                      "   该操作将引起设备重启并恢复到出厂时的状态"));
    SetDlgItemText(IDOK, LangText("OK", "确定"));
    SetDlgItemText(IDCANCEL, LangText("Quit", "取消"));
    return TRUE;
}

HBRUSH CInitDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
