#include "pages/input/InputNoise.h"

#include "model/Globals.h"
#include "pages/input/InputPageHost.h"
#include "pages/input/InputPageLayout.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"

#include <mutex>

namespace {
constexpr UINT kBackIds[4] = {887, 888, 893, 894};
constexpr UINT kSwitchOff = 889;
constexpr UINT kSwitchOn = 890;
constexpr UINT kSwitchOffZh = 9990;
constexpr UINT kSwitchOnZh = 9991;
} // namespace

BEGIN_MESSAGE_MAP(CInputNoise, CDialog)
ON_COMMAND(inpage::kNoiseSwitch, &CInputNoise::OnToggle)
END_MESSAGE_MAP()

CInputNoise::CInputNoise(CInputPageHost* host, CWnd* parent) : CDialog(IDD, parent), m_pHost(host) {
    inpage::RegisterInputPageLayouts();
}

UINT CInputNoise::BackgroundId(int kind, BOOL chinese) {
    if (kind == KIND_NOISE)
        return chinese ? 887 : 888;
    return chinese ? 893 : 894;
}

BYTE& CInputNoise::Byte() {
    return m_nKind == KIND_NOISE ? g_systemData.advancedSwitch : g_systemData.bassBoost;
}

void CInputNoise::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, inpage::kNoiseSwitch, m_btnSwitch);
}

BOOL CInputNoise::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < 4; ++i)
        m_bmpBack[i].LoadBitmap(kBackIds[i]);
    SetWindowText(g_bChinese.load() ? "高级" : "Advanced");
    const UINT off = g_bChinese.load() ? kSwitchOffZh : kSwitchOff;
    const UINT on = g_bChinese.load() ? kSwitchOnZh : kSwitchOn;
    m_btnSwitch.SetBitmaps(off, off, off, on, on, on);
    BYTE value = 0;
    {
        std::lock_guard lock(g_linkLock);
        value = Byte();
    }
    m_btnSwitch.SetCheck(value != 0 ? 1 : 0);
    return TRUE;
}

void CInputNoise::OnToggle() {
    const BYTE value = m_btnSwitch.GetCheck() ? 0 : 1;
    {
        std::lock_guard lock(g_linkLock);
        Byte() = value;
    }
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
    m_btnSwitch.SetCheck(value);
}

BOOL CInputNoise::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CInputNoise::OnPaint() {
    CPaintDC dc(this);
    const UINT id = BackgroundId(m_nKind, g_bChinese.load() ? TRUE : FALSE);
    for (int i = 0; i < 4; ++i)
        if (kBackIds[i] == id && m_bmpBack[i].GetSafeHandle()) {
            DrawBitmap(&dc, &m_bmpBack[i], 0, 0);
            return;
        }
}

BOOL CInputNoise::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}
