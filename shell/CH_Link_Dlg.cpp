#include "shell/CH_Link_Dlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

#include <iterator>

namespace {

struct PairTexts {
    const char* first;
    const char* second;
    const char* caption;
};

const PairTexts kPairs[] = {
    {"CH1 be applied?", "CH2 be applied? ", "Linking of CH1 and CH2 channel"},
    {"CH3 be applied? ", "CH4 be applied? ", "Linking of CH3 and CH4 channel"},
    {"CH5 be applied? ", "CH6 be applied? ", "Linking of CH5 and CH6 channel"},
};

} // namespace

BEGIN_MESSAGE_MAP(CCH_Link_Dlg, CDialog)
ON_BN_CLICKED(CCH_Link_Dlg::IDC_FIRST, &CCH_Link_Dlg::OnRadio)
ON_BN_CLICKED(CCH_Link_Dlg::IDC_SECOND, &CCH_Link_Dlg::OnRadio)
END_MESSAGE_MAP()

CCH_Link_Dlg::CCH_Link_Dlg(CWnd* parent) : CDialog(IDD_CH_LINK, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CCH_Link_Dlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_FIRST, m_radio[0]);
    DDX_Control(dx, IDC_SECOND, m_radio[1]);
    DDX_Radio(dx, IDC_FIRST, m_nChoice);
}

BOOL CCH_Link_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A pair outside 0..2 keeps the layout's texts.
    if (m_nPair >= 0 && m_nPair < static_cast<int>(std::size(kPairs))) {
        const PairTexts& t = kPairs[m_nPair];
        SetDlgItemText(IDC_FIRST, t.first);
        SetDlgItemText(IDC_SECOND, t.second);
        SetWindowText(t.caption);
    }
    for (CButtonRadio& radio : m_radio)
        radio.SetTextColor(RGB(0, 0, 0));
    return TRUE;
}

void CCH_Link_Dlg::OnRadio() {
    UpdateData(TRUE);
}

HBRUSH CCH_Link_Dlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
