#include "shell/UpgradeDlg.h"

#include "link/ComPortInfo.h"
#include "link/FirmwareImage.h"
#include "link/LinkGlobals.h"
#include "link/LinkViewServices.h"
#include "link/UpData_Thread.h"
#include "link/UsbLink.h"
#include "model/Globals.h"
#include "shell/LinkDialogLayouts.h"
#include "shell/QuestionDlg.h"
#include "platform/ui/DataExchange.h"
#include "shell/UpdateHost.h"

#include <atomic>
#include <cctype>

namespace {

inline constexpr const char kTitle[] = "Device Firmware Update";
inline constexpr const char kTitleCn[] = "设备固件升级";
inline constexpr const char kIface[] = "Communication interface";
inline constexpr const char kIfaceCn[] = "通信接口";
inline constexpr const char kFile[] = "Update File";
inline constexpr const char kFileCn[] = "Hex文件";
inline constexpr const char kHexFile[] = "Hex File";
inline constexpr const char kHexFileCn[] = "固件文件";
inline constexpr const char kQuit[] = "Quit";
inline constexpr const char kQuitCn[] = "退出";
inline constexpr const char kNoConnection[] = "No connection can be opened";
inline constexpr const char kNoConnectionCn[] = "没有连接可以打开";
inline constexpr const char kForcedQuit[] =
    "Update is not completed, will be forced to exit the damaged equipment, whether to exit?";
inline constexpr const char kForcedQuitCn[] = "升级未完成，强制退出将损坏设备，是否退出？";
inline constexpr const char kReconnected[] = "Device connected again";
inline constexpr const char kReconnectedCn[] = "设备已重新连接";
inline constexpr const char kFailed[] = "The firmware update failed";
inline constexpr const char kFailedCn[] = "固件更新失败";

// What the link worker moves while the dialog is open: the dialog's bar and status text, through
// their remotes (posts only). It lives as long as the program, so a worker that fetched it just
// before the dialog closed never calls into a destroyed object.
class CUpdateProgressServices : public CLinkViewServices {
public:
    void Attach(CGradientProgressCtrl::Remote bar, CTransparentStatic::Remote status) {
        std::lock_guard lock(m_lock);
        m_bar = std::move(bar);
        m_status = std::move(status);
        m_bAttached = true;
        m_pPrevious = &LinkViewServices();
        if (m_pPrevious == this)
            m_pPrevious = nullptr;
        SetLinkViewServices(this);
    }
    void Detach() {
        std::lock_guard lock(m_lock);
        SetLinkViewServices(m_pPrevious);
        m_pPrevious = nullptr;
        m_bar = {};
        m_status = {};
        m_bAttached = false;
    }
    void SetTransferPos(int pos) override {
        CLinkViewServices::SetTransferPos(pos);
        std::lock_guard lock(m_lock);
        if (m_pPrevious)
            m_pPrevious->SetTransferPos(pos);
    }
    void SetUpdateProgress(int pos, const char* text) override {
        CLinkViewServices::SetUpdateProgress(pos, text);
        std::lock_guard lock(m_lock);
        if (m_bar.IsValid())
            m_bar.SetPos(pos);
        if (text && m_bAttached)
            m_status.SetWindowText(text);
    }

private:
    std::mutex m_lock;
    CLinkViewServices* m_pPrevious = nullptr;
    CGradientProgressCtrl::Remote m_bar;
    CTransparentStatic::Remote m_status;
    bool m_bAttached = false;
};

CUpdateProgressServices& ProgressServices() {
    static CUpdateProgressServices services;
    return services;
}

} // namespace

BEGIN_MESSAGE_MAP(CUpgradeDlg, CDialog)
ON_BN_CLICKED(CUpgradeDlg::IDC_BROWSE, &CUpgradeDlg::OnBrowse)
ON_BN_CLICKED(CUpgradeDlg::IDC_UPDATE, &CUpgradeDlg::OnUpdateButton)
ON_BN_CLICKED(CUpgradeDlg::IDC_QUIT, &CUpgradeDlg::OnQuit)
ON_COMMAND_RANGE(ID_USB_DEVICE_FIRST, ID_USB_DEVICE_LAST, &CUpgradeDlg::OnUsbChosen)
ON_COMMAND(ID_CONNECT_USB, &CUpgradeDlg::OnMenuUsb)
ON_COMMAND(ID_CONNECT_NET, &CUpgradeDlg::OnMenuNet)
ON_MESSAGE(WM_UPDATE_POLL_RESULT, &CUpgradeDlg::OnPollResult)
END_MESSAGE_MAP()

CUpgradeDlg::CUpgradeDlg(CUpdateHost* host, CWnd* parent) : CDialog(IDD_UPGRADE, parent), m_pView(host) {
    RegisterLinkDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

CUpgradeDlg::~CUpgradeDlg() {
    EndPollThread();
    ProgressServices().Detach();
}

void CUpgradeDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PATH, m_editPath);
    DDX_Control(dx, IDC_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDC_UPDATE, m_btnUpdate);
    DDX_Control(dx, IDC_QUIT, m_btnQuit);
    DDX_Control(dx, IDC_BAR, m_bar);
    DDX_Control(dx, IDC_STATUS, m_status);
    DDX_Control(dx, IDC_GROUP_IFACE, m_groupIface);
    DDX_Control(dx, IDC_GROUP_FILE, m_groupFile);
    DDX_Control(dx, IDC_HEX_LABEL, m_hexLabel);
    DDX_Control(dx, IDC_RADIO_USB, m_radioUsb);
    DDX_Control(dx, IDC_RADIO_WIFI, m_radioWifi);
    DDX_Control(dx, IDC_RADIO_COM, m_radioCom);
    DDX_Control(dx, IDC_COM_LABEL, m_comLabel);
    DDX_Control(dx, IDC_COM_LIST, m_comboCom);
}

BOOL CUpgradeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(kTitle, kTitleCn));
    m_groupIface.SetText(LangText(kIface, kIfaceCn), TRUE);
    m_groupFile.SetText(LangText(kFile, kFileCn), TRUE);
    m_hexLabel.SetWindowText(LangText(kHexFile, kHexFileCn));
    m_btnQuit.SetWindowText(LangText(kQuit, kQuitCn));
    // The COM choice stays hidden: the update runs over USB or the network only.
    for (CWnd* w :
         std::initializer_list<CWnd*>{&m_radioUsb, &m_radioWifi, &m_radioCom, &m_comLabel, &m_comboCom})
        w->ShowWindow(SW_HIDE);
    FillComList();
    ShowComList();

    m_pPollThread = new CUpData_Thread;
    m_pPollThread->m_bAutoDelete = FALSE;
    m_pPollThread->SetOwner(m_hWnd);
    CUpdateHost* view = m_pView;
    m_pPollThread->SetReconnect(
        [view](BOOL quiet) { return view ? view->ReconnectForUpdate(quiet) : FALSE; });
    if (!m_pPollThread->CreateThread()) {
        delete m_pPollThread;
        m_pPollThread = nullptr;
    }
    g_bUpdatePolling = 0;
    m_editPath.SetWindowText(g_strHexPath.GetString());
    ProgressServices().Attach(m_bar.GetRemote(), m_status.GetRemote());
    m_status.SetWindowText("");
    CRect rect;
    GetWindowRect(&rect);
    MoveWindow(rect.left, rect.top, WIDTH, HEIGHT);
    return TRUE;
}

void CUpgradeDlg::OnDestroy() {
    EndPollThread();
    ProgressServices().Detach();
    CDialog::OnDestroy();
}

void CUpgradeDlg::EndPollThread() {
    if (!m_pPollThread)
        return;
    // A reconnect in progress finishes first: it is sent to this thread, which serves it meanwhile.
    CUpData_Thread* poll = m_pPollThread;
    poll->Stop([poll] {
        poll->StopTimer();
        poll->Quit();
    });
    delete m_pPollThread;
    m_pPollThread = nullptr;
}

BOOL CUpgradeDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

HBRUSH CUpgradeDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

void CUpgradeDlg::SetStatus(const char* en, const char* cn) {
    m_status.SetWindowText(LangText(en, cn));
}

void CUpgradeDlg::PrepareBar() {
    g_nUpdateBarMax = g_nUpdateRange.load();
    g_nUpdateBarPos = 0;
    m_bar.SetRange(0, g_nUpdateRange.load());
    m_bar.SetPos(0);
}

void CUpgradeDlg::OnBrowse() {
    if (m_pView)
        m_pView->ChooseFirmwareFile();
    m_editPath.SetWindowText(g_strHexPath.GetString());
}

void CUpgradeDlg::OnUpdateButton() {
    g_bLinkCheckPending = 0;
    if (g_bFirmwareMode.load() || g_bUpdatePolling.load() || !m_pView)
        return;
    m_pView->CloseLinkForUpdate();
    const int n = m_pView->FillOfferedPaths();
    const BOOL reachable = m_pView->IsNetReachable();
    std::vector<MenuItem> items;
    if (n > 0) {
        if (n == 1 && reachable) {
            items.push_back({ID_CONNECT_USB, "USB"});
        } else if (n > 1) {
            for (int i = 0; i < n && ID_USB_DEVICE_FIRST + i <= ID_USB_DEVICE_LAST; ++i)
                items.push_back({ID_USB_DEVICE_FIRST + static_cast<UINT>(i),
                                 CString("USB") + std::to_string(i + 1).c_str()});
        }
        if (reachable)
            items.push_back({ID_CONNECT_NET, g_strDevIP});
        if (n == 1 && !reachable) {
            CString path;
            if (m_pView->GetOfferedPath(0, &path))
                StartUsbUpdate(path);
            return;
        }
        TrackInterfaceMenu(items);
        return;
    }
    if (reachable)
        StartNetUpdate();
    else
        m_pView->ShowTimedMessage(kNoConnection, kNoConnectionCn, 2000);
}

void CUpgradeDlg::TrackInterfaceMenu(const std::vector<MenuItem>& items) {
    m_lastMenu = items;
    CRect button;
    m_btnUpdate.GetWindowRect(&button);
    const UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;
    // "USB" and the address: the interface menu with its network item renamed.
    if (items.size() == 2 && items[0].id == ID_CONNECT_USB) {
        CMenu menu;
        if (menu.LoadMenu(114)) {
            if (CMenu* popup = menu.GetSubMenu(0)) {
                popup->ModifyMenu(ID_CONNECT_NET, MF_BYCOMMAND | MF_STRING, ID_CONNECT_NET, items[1].text);
                popup->TrackPopupMenu(flags, button.left, button.bottom + 2, this);
            }
        }
        return;
    }
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    for (const MenuItem& item : items)
        popup.AppendMenu(MF_STRING, item.id, item.text);
    popup.TrackPopupMenu(flags, button.left, button.bottom + 2, this);
    popup.DestroyMenu();
}

void CUpgradeDlg::OnUsbChosen(UINT id) {
    CString path;
    // Only entries of the list offered: the routed id range is wider than any list.
    if (id >= ID_USB_DEVICE_FIRST && m_pView &&
        m_pView->GetOfferedPath(static_cast<int>(id - ID_USB_DEVICE_FIRST), &path))
        StartUsbUpdate(path);
}

void CUpgradeDlg::OnMenuUsb() {
    OnUsbChosen(ID_USB_DEVICE_FIRST);
}

void CUpgradeDlg::OnMenuNet() {
    StartNetUpdate();
}

void CUpgradeDlg::StartUsbUpdate(const CString& path) {
    StartUpdate(LINK_USB, path);
}

void CUpgradeDlg::StartNetUpdate() {
    StartUpdate(LINK_NET, CString());
}

void CUpgradeDlg::StartUpdate(int linkState, const CString& path) {
    g_bUpdateAborting = 0;
    g_bUpdatePolling = 0;
    m_editPath.GetWindowText(g_strHexPath);
    if (!m_pView || !m_pView->LoadFirmwareFile())
        return;
    m_pView->CloseLinkForUpdate();
    g_nLinkState = linkState;
    g_bSameLinkChosen = 0;
    m_bStarted = linkState == LINK_USB ? m_pView->StartUsbUpdate(path) : m_pView->StartNetUpdate();
    if (m_bStarted) {
        PrepareBar();
    } else if (m_pPollThread) {
        // The device is not there yet: the poll thread keeps trying.
        m_pPollThread->StartTimer(CUpData_Thread::POLL_MS);
        g_bUpdatePolling = 1;
    }
}

LRESULT CUpgradeDlg::OnPollResult(WPARAM, LPARAM result) {
    if (result == 1) {
        PrepareBar();
        if (m_pPollThread)
            m_pPollThread->StopTimer();
        SetStatus(kReconnected, kReconnectedCn);
    } else {
        SetStatus(kFailed, kFailedCn);
    }
    g_bUpdatePolling = 0;
    return 0;
}

BOOL CUpgradeDlg::AskForcedQuit() {
    return CQuestionDlg::Ask(LangText(kForcedQuit, kForcedQuitCn), LangText(g_strWarning, g_strWarningCn),
                             this);
}

void CUpgradeDlg::OnQuit() {
    if (g_bFirmwareMode.load()) {
        if (!AskForcedQuit())
            return;
        g_bUpdateAborting = 1;
        if (m_pView)
            m_pView->AbortFirmwareUpdate();
        g_bUpdateAborting = 0;
    } else if (g_bUpdatePolling.load() && m_pPollThread) {
        m_pPollThread->StopTimer();
        m_pPollThread->Quit();
    }
    EndDialog(IDCANCEL);
}

void CUpgradeDlg::OnClose() {
    PostMessage(WM_COMMAND, MAKEWPARAM(IDC_QUIT, BN_CLICKED), 0);
}

void CUpgradeDlg::FillComList() {
    std::vector<ComPortInfo> ports;
    EnumComPorts(ports, false);
    m_comItems.clear();
    m_nComSel = -1;
    if (ports.empty()) {
        m_comItems.push_back(g_strNull);
        m_nComSel = 0;
        m_strComPort = g_strNull;
        return;
    }
    int firstUsb = -1;
    for (size_t i = 0; i < ports.size(); ++i) {
        m_comItems.push_back(ports[i].friendly.c_str());
        if (m_nComSel < 0 && !m_strComPort.IsEmpty() && ports[i].friendly == m_strComPort.GetString())
            m_nComSel = static_cast<int>(i);
        if (firstUsb < 0 && ports[i].isUsb)
            firstUsb = static_cast<int>(i);
    }
    if (m_nComSel < 0)
        m_nComSel = firstUsb >= 0 ? firstUsb : 0;
    m_strComPort = m_comItems[static_cast<size_t>(m_nComSel)];
}

void CUpgradeDlg::ShowComList() {
    m_comboCom.ResetContent();
    for (const CString& item : m_comItems)
        m_comboCom.AddString(item);
    m_comboCom.SetCurSel(m_nComSel);
}
