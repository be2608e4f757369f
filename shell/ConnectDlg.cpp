#include "shell/ConnectDlg.h"

#include "link/ComPortInfo.h"
#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/LinkDialogLayouts.h"

#include <cctype>

namespace {

inline constexpr const char kUsbCn[] = "使用USB连接到设备";
inline constexpr const char kWifiCn[] = "使用WIFI无线连接到设备";
inline constexpr const char kComCn[] = "使用COM连接到设备";
inline constexpr const char kLinkCn[] = "联机";

bool BeginsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CConnectDlg, CDialog)
ON_BN_CLICKED(CConnectDlg::IDC_RADIO_USB, &CConnectDlg::OnRadioUsb)
ON_BN_CLICKED(CConnectDlg::IDC_RADIO_WIFI, &CConnectDlg::OnRadioWifi)
ON_BN_CLICKED(CConnectDlg::IDC_RADIO_COM, &CConnectDlg::OnRadioCom)
ON_CBN_SELCHANGE(CConnectDlg::IDC_PORT, &CConnectDlg::OnPortChanged)
END_MESSAGE_MAP()

CConnectDlg::CConnectDlg(CWnd* parent) : CDialog(IDD_CONNECT, parent) {
    RegisterLinkDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CConnectDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PORT, m_comboPort);
    DDX_Control(dx, IDOK, m_btnOk);
    DDX_Control(dx, IDC_RADIO_USB, m_radioUsb);
    DDX_Control(dx, IDC_RADIO_WIFI, m_radioWifi);
    DDX_Control(dx, IDC_RADIO_COM, m_radioCom);
    DDX_Radio(dx, IDC_RADIO_USB, m_nLink);
}

BOOL CConnectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_radioUsb.SetTextColor(0);
    m_radioWifi.SetTextColor(0);
    m_radioCom.SetTextColor(0);
    if (g_bChinese.load()) {
        m_radioUsb.SetWindowText(kUsbCn);
        m_radioWifi.SetWindowText(kWifiCn);
        m_radioCom.SetWindowText(kComCn);
        m_btnOk.SetWindowText(kLinkCn);
        SetWindowText(kLinkCn);
    }
    const int state = g_nLinkState.load();
    m_nLink = state - 1;
    if (state == LINK_USB || state == LINK_NET)
        m_comboPort.EnableWindow(FALSE);
    else if (state == LINK_COM)
        m_comboPort.EnableWindow(TRUE);
    FillPortList();
    UpdateData(FALSE);
    return TRUE;
}

std::vector<ComPortInfo> CConnectDlg::ListPorts() {
    std::vector<ComPortInfo> ports;
    EnumComPorts(ports, false);
    return ports;
}

void CConnectDlg::ChoosePort(const std::vector<ComPortInfo>& ports, CString* saved,
                             std::vector<CString>* items, int* selected) {
    items->clear();
    *selected = -1;
    if (ports.empty()) {
        items->push_back(g_strNull);
        *saved = g_strNull;
        *selected = 0;
        return;
    }
    for (const ComPortInfo& p : ports) {
        if (!p.friendly.empty())
            items->push_back(p.friendly.c_str());
    }
    if (items->empty()) {
        items->push_back(g_strNull);
        *saved = g_strNull;
        *selected = 0;
        return;
    }
    for (size_t i = 0; i < items->size(); ++i) {
        if (!saved->IsEmpty() && BeginsWithNoCase((*items)[i].GetString(), saved->GetString())) {
            *selected = static_cast<int>(i);
            return;
        }
    }
    for (const ComPortInfo& p : ports) {
        if (p.isUsb && !p.friendly.empty()) {
            *saved = p.friendly.c_str();
            for (size_t i = 0; i < items->size(); ++i) {
                if ((*items)[i] == *saved)
                    *selected = static_cast<int>(i);
            }
            return;
        }
    }
    *selected = 0;
    *saved = (*items)[0];
}

void CConnectDlg::FillPortList() {
    std::vector<CString> items;
    int selected = -1;
    ChoosePort(ListPorts(), &m_strComPort, &items, &selected);
    m_comboPort.ResetContent();
    for (const CString& item : items)
        m_comboPort.AddString(item);
    m_comboPort.SetCurSel(selected);
}

void CConnectDlg::OnRadioUsb() {
    UpdateData(TRUE);
    m_comboPort.EnableWindow(FALSE);
}

void CConnectDlg::OnRadioWifi() {
    UpdateData(TRUE);
    m_comboPort.EnableWindow(FALSE);
}

void CConnectDlg::OnRadioCom() {
    UpdateData(TRUE);
    m_comboPort.EnableWindow(TRUE);
}

void CConnectDlg::OnPortChanged() {
    int sel = m_comboPort.GetCurSel();
    if (sel >= 0)
        m_comboPort.GetLBText(sel, m_strComPort);
}

void CConnectDlg::OnOK() {
    UpdateData(TRUE);
    const int chosen = m_nLink >= 0 ? m_nLink + 1 : LINK_NONE;
    g_bSameLinkChosen = chosen == g_nLinkState.load() ? 1 : 0;
    g_nLinkState = chosen;
    EndDialog(IDOK);
}

HBRUSH CConnectDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
