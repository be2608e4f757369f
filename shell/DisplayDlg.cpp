#include "shell/DisplayDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

#include <utility>

namespace {

inline constexpr const char kTransferCn[] = "数据转换中,请勿中断";
inline constexpr const char kTransfer[] = "Data transmission";
inline constexpr const char kCaptionCn[] = "数据传输";
inline constexpr const char kFactory[] = "Load factory defaults";
inline constexpr const char kFactoryCn[] = "正在恢复出厂设置";
inline constexpr const char kFactoryCaption[] = "Advanced";
inline constexpr const char kFactoryCaptionCn[] = "高级";
inline constexpr const char kEnd[] = "End of data transmission";
inline constexpr const char kEndCn[] = "数据传输结束";
inline constexpr const char kFactoryDone[] = "Load factory default success";
inline constexpr const char kFactoryDoneCn[] = "恢复出厂设置成功";

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDialogGrey = RGB(229, 229, 229);
constexpr COLORREF kLabelGrey = RGB(230, 230, 230);
constexpr int kLabelHeight = 18;
constexpr UINT kLabelStyle = 0x21;

CDisplayDlg::MachinePresetDialogLookup& Lookup() {
    static CDisplayDlg::MachinePresetDialogLookup lookup;
    return lookup;
}

} // namespace

CDisplayDlg::CDisplayDlg(CWnd* parent) : CDialog(IDD_DISPLAY, parent) {
    RegisterShellDialogLayouts();
}

CDisplayDlg::~CDisplayDlg() {
    DestroyDisplay();
}

void CDisplayDlg::SetMachinePresetDialogLookup(MachinePresetDialogLookup lookup) {
    Lookup() = std::move(lookup);
}

CWnd* CDisplayDlg::MachinePresetDialog() {
    CWnd* dlg = Lookup() ? Lookup()() : nullptr;
    return dlg && dlg->GetSafeHwnd() ? dlg : nullptr;
}

BOOL CDisplayDlg::CreateHidden() {
    return Create(IDD_DISPLAY, m_pParentWnd);
}

void CDisplayDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LABEL, m_label);
    DDX_Control(dx, IDC_BAR, m_bar);
}

BOOL CDisplayDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_brush.CreateSolidBrush(kDialogGrey);
    m_label.SetFontStyle("", kLabelHeight, kNavy, kLabelStyle);
    m_label.SetBkColor(kLabelGrey);
    m_strTextCn = kTransferCn;
    m_strTextEn = kTransfer;
    m_nTarget = 0;
    m_bFactory = FALSE;
    return TRUE;
}

void CDisplayDlg::SetFactoryMode(BOOL on) {
    m_bFactory = on;
    if (!on || !m_hWnd)
        return;
    m_bar.SetRange(0, FACTORY_RANGE);
    m_bar.SetPos(0);
    m_nCounter = 0;
}

void CDisplayDlg::ShowProgress(int target) {
    if (!m_hWnd)
        return;
    m_nTarget = target;
    CRect rc;
    GetWindowRect(&rc);
    MoveWindow(DISPLAY_SCREEN_X, DISPLAY_SCREEN_Y, rc.Width(), rc.Height());
    if (m_bFactory) {
        m_label.SetText(LangText(kFactory, kFactoryCn));
        SetWindowText(LangText(kFactoryCaption, kFactoryCaptionCn));
    } else {
        m_label.SetText(g_bChinese.load() ? m_strTextCn : m_strTextEn);
        SetWindowText(LangText(kTransfer, kCaptionCn));
    }
    if (target == 0) {
        if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
            m_pParentWnd->EnableWindow(FALSE);
    } else if (!m_bFactory) {
        if (CWnd* dlg = MachinePresetDialog())
            dlg->EnableWindow(FALSE);
    }
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(SW_SHOW);
    SetTimer(TIMER_DISPLAY, DISPLAY_TICK_MS);
}

void CDisplayDlg::HideProgress() {
    if (!m_hWnd)
        return;
    KillTimer(TIMER_DISPLAY);
    if (m_nTarget == 0) {
        if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
            m_pParentWnd->EnableWindow(TRUE);
    } else if (!m_bFactory) {
        if (CWnd* dlg = MachinePresetDialog())
            dlg->EnableWindow(TRUE);
    }
    m_nTarget = 0;
    m_bFactory = FALSE;
    ShowWindow(SW_HIDE);
}

void CDisplayDlg::OnTimer(UINT_PTR id) {
    if (id != TIMER_DISPLAY) {
        CDialog::OnTimer(id);
        return;
    }
    const int max = m_bar.GetRangeMax();
    if (g_bTransferBusy.load()) {
        m_nBlink = m_nBlink ? 0 : 1;
        m_label.SetTextColor(m_nBlink ? kNavy : kRed);
        if (m_bFactory) {
            m_nCounter = m_bar.GetPos();
            if (m_nCounter < max - 2)
                ++m_nCounter;
            m_bar.SetPos(m_nCounter);
        }
        return;
    }
    if (m_bFactory) {
        if (m_nCounter > max + 10) {
            m_label.SetText(LangText(kFactoryDone, kFactoryDoneCn));
            HideProgress();
        } else if (m_nCounter < max) {
            m_nCounter = max;
            m_bar.SetPos(max);
        } else {
            ++m_nCounter;
        }
        return;
    }
    m_label.SetText(LangText(kEnd, kEndCn));
    HideProgress();
}

BOOL CDisplayDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Escape only bring the focus here; they must never end the display.
    if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        CWnd* focus = CWnd::FromHandle(msg->hwnd);
        if (focus == this || IsChild(focus)) {
            SetFocus();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

HBRUSH CDisplayDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

void CDisplayDlg::DestroyDisplay() {
    if (!m_hWnd)
        return;
    KillTimer(TIMER_DISPLAY);
    DestroyWindow();
}
