#include "shell/VersionDlg.h"

#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "platform/core/Encoding.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Static.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

#include <algorithm>
#include <mutex>

namespace {
constexpr std::size_t kDeviceTagBytes = 11;
}

BEGIN_MESSAGE_MAP(CVersionDlg, CDialog)
ON_BN_CLICKED(CVersionDlg::IDC_QUIT, &CVersionDlg::OnQuit)
ON_BN_CLICKED(CVersionDlg::IDC_HELP_BUTTON, &CVersionDlg::OnHelpButton)
END_MESSAGE_MAP()

CVersionDlg::CVersionDlg(CWnd* parent) : CDialog(IDD_VERSION, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

CString CVersionDlg::DeviceTag(const char* field, std::size_t size) {
    if (!field)
        return CString();
    CString tag = ReadGbkField(field, static_cast<int>(std::min(size, kDeviceTagBytes)));
    tag.Trim();
    return tag;
}

void CVersionDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DEVICE, m_device);
    DDX_Control(dx, IDC_SOFTWARE, m_software);
    DDX_Control(dx, IDC_PRODUCT, m_product);
    DDX_Control(dx, IDC_MAKER, m_maker);
    DDX_Control(dx, IDC_LINK, m_link);
}

BOOL CVersionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    g_bFirmwareMode = 0;
    SetWindowText(LangText("About", "关于"));
    SetDlgItemText(IDC_QUIT, LangText("Quit", "退出"));
    SetDlgItemText(IDC_HELP_BUTTON, LangText("Help", "帮助"));
    // Neither has a road to the screen; a child not hidden here would show with the dialog.
    GetDlgItem(IDC_HELP_BUTTON)->ShowWindow(SW_HIDE);
    m_link.ShowWindow(SW_HIDE);
    if (auto* picture = dynamic_cast<CStatic*>(GetDlgItem(IDC_PICTURE));
        picture && m_picture.LoadBitmap(IDB_VERSION_PICTURE))
        picture->SetBitmap(m_picture);
    m_product.SetWindowText(g_strProduct);
    m_maker.SetWindowText(LangText("Car audio DSP tuning software", "车载音频DSP调音软件"));
    char field[sizeof(g_strDevVersion)];
    {
        std::lock_guard lock(g_linkLock);
        std::copy(std::begin(g_strDevVersion), std::end(g_strDevVersion), field);
    }
    CString device = LangText("Device version ", "设备版本 ");
    device += DeviceTag(field, sizeof(field));
    m_device.SetWindowText(device);
    CString software = LangText("Software version ", "软件版本 ");
    software += GetSwTag(g_nDeviceType.load());
    m_software.SetWindowText(software);
    return TRUE;
}

void CVersionDlg::OnQuit() {
    CDialog::OnOK();
}

HBRUSH CVersionDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
