#include "shell/DefSourceDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"
#include "shell/TRV410View.h"
#include "wire/LinkFrame.h"

#include <mutex>

namespace {
constexpr int kCodes[] = {1, 3, 0, 5};
constexpr COLORREF kPromptColour = RGB(73, 72, 72);
} // namespace

BEGIN_MESSAGE_MAP(CDefSourceDlg, CDialog)
ON_MESSAGE(WM_COMBO_SELECT, &CDefSourceDlg::OnComboSelect)
END_MESSAGE_MAP()

CDefSourceDlg::CDefSourceDlg(CWnd* parent) : CDialog(IDD_DEF_SOURCE, parent) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

int CDefSourceDlg::ItemForCode(int code) {
    for (int i = 0; i < 4; ++i)
        if (kCodes[i] == code)
            return i;
    return -1;
}

int CDefSourceDlg::CodeForItem(int item) {
    return item >= 0 && item < 4 ? kCodes[item] : item;
}

void CDefSourceDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PROMPT, m_prompt);
    DDX_Control(dx, IDC_LIST, m_list);
}

BOOL CDefSourceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText("Boot default source", "开机默认音源"));
    CreateShellFont(m_fontPrompt, g_fontSpecArial14);
    m_prompt.SetFont(&m_fontPrompt, FALSE);
    m_prompt.SetTextColor(kPromptColour);
    m_prompt.SetWindowText(
        LangText("Please select the default source \nfor powering up:", "请选择开机默认音源："));
    m_list.SetBitmaps(IDB_DEF_SOURCE_LIST, IDB_DEF_SOURCE_LIST_HOVER);
    m_list.CreateDropList(this, IDC_DEF_SOURCE_DROP);
    m_list.EnableMoveNotify(TRUE);
    m_list.ResetContent();
    m_list.AddString(LangText("Hi_Level", "高电平"));
    m_list.AddString("AUX");
    m_list.AddString(LangText("Optical", "光纤"));
    m_list.AddString(LangText("Player", "播放器"));
    int code = 0;
    {
        std::lock_guard lock(g_linkLock);
        code = g_bootSource.bootDefault;
    }
    m_list.SetCurSel(ItemForCode(code));
    return TRUE;
}

LRESULT CDefSourceDlg::OnComboSelect(WPARAM wParam, LPARAM lParam) {
    if (static_cast<UINT>(wParam) != IDC_DEF_SOURCE_DROP)
        return 0;
    const int code = CodeForItem(static_cast<int>(lParam));
    {
        std::lock_guard lock(g_linkLock);
        if (code == g_bootSource.bootDefault)
            return 0;
        g_bootSource.bootDefault = static_cast<BYTE>(code);
    }
    if (g_pMainView)
        g_pMainView->SendCommand(CMD_BOOT_SOURCE, 0);
    return 0;
}

BOOL CDefSourceDlg::PreTranslateMessage(MSG* msg) {
    // The list button is a push button: Enter on it would open the list instead of ending.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == m_list.GetSafeHwnd()) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

HBRUSH CDefSourceDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
