#include "shell/AboutDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/Static.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText("About", "帮助"));
    SetDlgItemText(IDC_VERSION_LINE, "QL-800 Version 1.0");
    // The picture is the layout's one bitmap label.
    if (m_icon.LoadBitmap(IDI_ABOUT_ICON))
        for (CWnd* child : Children())
            if (auto* picture = dynamic_cast<CStatic*>(child);
                picture && (picture->GetStyle() & 0x1F) == SS_BITMAP)
                picture->SetBitmap(m_icon);
    return TRUE;
}

HBRUSH CAboutDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
