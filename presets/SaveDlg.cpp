#include "presets/SaveDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "presets/PresetDialogLayouts.h"

CSaveDlg::CSaveDlg(int preset, CWnd* parent) : CDialog(IDD_SAVE_DLG, parent), m_nPreset(preset) {
    RegisterPresetDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CSaveDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LABEL, m_label);
    DDX_Control(dx, IDC_NAME, m_editName);
    DDX_Text(dx, IDC_NAME, m_strName);
}

BOOL CSaveDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText("Please enter the preset name", "请输入场景名"));
    m_strLabel.Format("%s%d", LangText("No.", "序号:"), m_nPreset);
    m_label.SetWindowText(m_strLabel);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->SetWindowText(LangText("OK", "确定"));
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->SetWindowText(LangText("Cancel", "取消"));
    // The device keeps single-byte names only.
    m_editName.EnableChinese(FALSE);
    m_editName.LimitText(kMaxNameChars);
    GotoDlgCtrl(&m_editName);
    return FALSE;
}

HBRUSH CSaveDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
