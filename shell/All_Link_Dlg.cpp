#include "shell/All_Link_Dlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

BEGIN_MESSAGE_MAP(CAll_Link_Dlg, CDialog)
ON_BN_CLICKED(CAll_Link_Dlg::IDC_LEFT_TO_RIGHT, &CAll_Link_Dlg::OnRadio)
ON_BN_CLICKED(CAll_Link_Dlg::IDC_RIGHT_TO_LEFT, &CAll_Link_Dlg::OnRadio)
END_MESSAGE_MAP()

CAll_Link_Dlg::CAll_Link_Dlg(CWnd* parent) : CDialog(IDD_ALL_LINK, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CAll_Link_Dlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TEXT, m_text);
    DDX_Control(dx, IDC_LEFT_TO_RIGHT, m_radio[0]);
    DDX_Control(dx, IDC_RIGHT_TO_LEFT, m_radio[1]);
    DDX_Radio(dx, IDC_LEFT_TO_RIGHT, m_nDirection);
}

BOOL CAll_Link_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (g_bChinese.load()) {
        SetDlgItemText(IDC_TEXT, "联调前需要同步左右通道的数据,\n请选择同步方式");
        SetDlgItemText(IDC_LEFT_TO_RIGHT, "从左复制到右");
        SetDlgItemText(IDC_RIGHT_TO_LEFT, "从右复制到左");
        SetDlgItemText(IDOK, "确定");
        SetDlgItemText(IDCANCEL, "取消");
    }
    SetWindowText(LangText(g_strPrompt, g_strPromptCn));
    for (CButtonRadio& radio : m_radio)
        radio.SetTextColor(RGB(0, 0, 0));
    return TRUE;
}

void CAll_Link_Dlg::OnRadio() {
    UpdateData(TRUE);
}

HBRUSH CAll_Link_Dlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
