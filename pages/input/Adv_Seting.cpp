#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPos.h"

#include "pages/input/Adv_Seting.h"

#include "controls/AppObjects.h"
#include "controls/ControlMessages.h"
#include "pages/input/AdvSetingLayouts.h"
#include "pages/input/MixerSource.h"
#include "platform/io/Winsock.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"
#include "res/MixerArt.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace {

constexpr COLORREF kLabelText = RGB(200, 204, 212);
constexpr COLORREF kPage = RGB(27, 30, 36);
constexpr COLORREF kPanel = RGB(34, 38, 45); // the sections of the background
constexpr COLORREF kField = RGB(12, 14, 17);
constexpr COLORREF kListGrey = RGB(128, 128, 128);
constexpr COLORREF kListText = RGB(255, 255, 255);
constexpr COLORREF kListTextBk = RGB(247, 247, 255);
constexpr COLORREF kLinkRed = RGB(255, 0, 0);
constexpr UINT kBackgroundEn = 788;
constexpr UINT kBackgroundZh = 789;

struct Field {
    int type;
    const char* unit;
    double step; // 0: the type's own
    double offset;
    int lo, hi, chars;
};
constexpr Field kTime{NUMTYPE_HUNDREDTHS, "s", 0, 0, 0, 100, 6};
constexpr Field kThreshold{NUMTYPE_LEVEL_DBU, "dBu", 1.0, 120.0, 0, 100, 8};
constexpr Field kLevel{NUMTYPE_LEVEL_DBU_0DEC, "", 1.0, 120.0, 0, 120, 8};
constexpr Field kGain{NUMTYPE_LEVEL_DBU_0DEC, "dB", 1.0, 120.0, 0, 120, 8};
constexpr Field kInterval{NUMTYPE_STEP_INT, "s", 1.0, 0, 2, 30, 6};
constexpr Field kLimThreshold{NUMTYPE_LEVEL_DBU_OFF, "", 0.1, 30.0, 0, 420, 7};
constexpr Field kLimVoltage{NUMTYPE_VPP, "", 0.1, 30.0, 0, 420, 7};
constexpr Field kLimAttack{NUMTYPE_TIME_MS, "", 0, 0, 0, 206, 7};
constexpr Field kLimRelease{NUMTYPE_INT_UNIT, "ms", 0, 0, 50, 5000, 7};

void SetUp(CNumSpin& spin, CNumEdit& edit, const Field& f) {
    spin.SetBuddy(&edit);
    edit.SetType(f.type, f.unit);
    if (f.step != 0) {
        edit.SetStep(f.step);
        edit.SetOffset(f.offset);
    }
    edit.SetLimitText(static_cast<UINT>(f.chars));
    spin.SetRange32(f.lo, f.hi);
}

} // namespace

BEGIN_MESSAGE_MAP(CAdv_Seting, CDialog)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &CAdv_Seting::OnNumEditNavigate)
ON_MESSAGE(WM_CONTROL_MOUSEMOVE, &CAdv_Seting::OnControlMouseMove)
ON_MESSAGE(WM_SLIDER_MOVING, &CAdv_Seting::OnSliderMessage)
ON_MESSAGE(WM_SLIDER_MOVED, &CAdv_Seting::OnSliderMessage)
END_MESSAGE_MAP()

CAdv_Seting::CAdv_Seting(CWnd* parent)
    : CDialog(IDD_ADV_SETING, parent), m_brush(kPage), m_panelBrush(kPanel), m_fieldBrush(kField) {
    RegisterAdvSetingLayout();
    CMixerSource::RegisterMenu();
}

CAdv_Seting::~CAdv_Seting() {
    DestroyWindow();
}

void CAdv_Seting::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SOURCE, m_btnSource);
    DDX_Control(dx, IDC_SOURCE_COMBO, m_comboSource);
    DDX_Control(dx, IDC_TIME, m_editTime);
    DDX_Control(dx, IDC_TIME_SPIN, m_spinTime);
    DDX_Control(dx, IDC_THRESHOLD, m_editThreshold);
    DDX_Control(dx, IDC_THRESHOLD_SPIN, m_spinThreshold);
    DDX_Control(dx, IDC_LEVEL, m_editLevel);
    DDX_Control(dx, IDC_LEVEL_SPIN, m_spinLevel);
    DDX_Control(dx, IDC_GAIN, m_editGain);
    DDX_Control(dx, IDC_GAIN_SPIN, m_spinGain);
    DDX_Control(dx, IDC_INTERVAL, m_editInterval);
    DDX_Control(dx, IDC_INTERVAL_SPIN, m_spinInterval);
    DDX_Control(dx, IDC_OUTPUTS, m_list);
    DDX_Control(dx, IDC_LIM_THRESHOLD, m_editLimThreshold);
    DDX_Control(dx, IDC_LIM_THRESHOLD_SPIN, m_spinLimThreshold);
    DDX_Control(dx, IDC_LIM_VOLTAGE, m_editLimVoltage);
    DDX_Control(dx, IDC_LIM_VOLTAGE_SPIN, m_spinLimVoltage);
    DDX_Control(dx, IDC_LIM_ATTACK, m_editLimAttack);
    DDX_Control(dx, IDC_LIM_ATTACK_SPIN, m_spinLimAttack);
    DDX_Control(dx, IDC_LIM_RELEASE, m_editLimRelease);
    DDX_Control(dx, IDC_LIM_RELEASE_SPIN, m_spinLimRelease);
    DDX_Control(dx, IDC_CURVE, m_curve);
    DDX_Control(dx, IDC_ADDRESS, m_editAddress);
    DDX_Control(dx, IDC_PORT, m_editPort);
    DDX_Control(dx, IDC_APPLY, m_btnApply);
    DDX_Control(dx, IDC_WIFI_RESET, m_btnWifiReset);
    DDX_Control(dx, IDC_ALL_CURVES, m_btnAllCurves);
    DDX_Control(dx, IDC_DESCRIPTION, m_description);
    DDX_Control(dx, IDC_CLOSE, m_btnClose);
}

BOOL CAdv_Seting::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool chinese = g_bChinese.load() != 0;
    m_bmpBackground[0].LoadBitmap(kBackgroundEn);
    m_bmpBackground[1].LoadBitmap(kBackgroundZh);
    // The client area takes the picture's size (the frame lies outside it here).
    BITMAP bm{};
    if (m_bmpBackground[1].GetSafeHandle() && m_bmpBackground[1].GetBitmap(&bm))
        SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowText(chinese ? "高级" : "Advanced Setting");

    SetUp(m_spinTime, m_editTime, kTime);
    SetUp(m_spinThreshold, m_editThreshold, kThreshold);
    SetUp(m_spinLevel, m_editLevel, kLevel);
    SetUp(m_spinGain, m_editGain, kGain);
    SetUp(m_spinInterval, m_editInterval, kInterval);
    SetUp(m_spinLimThreshold, m_editLimThreshold, kLimThreshold);
    SetUp(m_spinLimVoltage, m_editLimVoltage, kLimVoltage);
    SetUp(m_spinLimAttack, m_editLimAttack, kLimAttack);
    SetUp(m_spinLimRelease, m_editLimRelease, kLimRelease);
    if (g_fontArial14.GetSafeHandle())
        for (CNumEdit* e : {&m_editLimThreshold, &m_editLimVoltage, &m_editLimAttack, &m_editLimRelease})
            e->SetFont(&g_fontArial14);
    m_editPort.SetLimitText(5);

    InitList();
    m_curve.CalcPlotRect();
    m_curve.SetScaleMode(CCOM_EXT_LIMStatic::kDrawMode);
    m_curve.BindLimitCtrls(&m_spinLimThreshold, &m_editLimThreshold);
    m_curve.BindMirrorCtrls(&m_spinLimVoltage, &m_editLimVoltage);
    m_curve.SetChannelArray(m_pDoc);

    m_btnWifiReset.EnableWindow(g_bOnline.load() ? TRUE : FALSE);
    if (m_fontDescription.CreateFont(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                     "Arial"))
        m_description.SetFont(&m_fontDescription);
    m_description.SetWindowText(
        chinese ? "说明:\n        设置输出回声场点是否同时显示EQ频响曲线。"
                : "Description:\n        Set the output echo sites also show whether EQ response curve.");
    m_menuSource.LoadMenu(CMixerSource::kMenu);
    SelectOutput(0);
    ApplyLanguageBitmaps();
    Refresh();
    return TRUE;
}

void CAdv_Seting::InitList() {
    const bool chinese = g_bChinese.load() != 0;
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SetRowHeight(18);
    m_list.SetBkColor(kListGrey);
    m_list.SetTextColor(kListText);
    m_list.SetTextBkColor(kListTextBk);
    m_list.InsertColumn(0, chinese ? "通道" : "Channel", LVCFMT_CENTER, 45);
    m_list.InsertColumn(1, chinese ? "通道设置" : "Channel Map", LVCFMT_CENTER, 90);
    m_list.InsertColumn(2, chinese ? "编辑" : "Edit", LVCFMT_CENTER, 30);
    m_list.InsertColumn(3, "", LVCFMT_CENTER, 30);
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        CString name;
        name.Format("CH%d", n + 1);
        m_list.InsertItem(n, name);
        const char* position = GetSpeakerPosName(g_posState[POS_STATE_OUTPUTS + n], chinese);
        m_list.SetItemText(n, 1, position ? position : "");
    }
}

CKTV_OutData* CAdv_Seting::SelectedOut() const {
    return m_pDoc && m_nSelected >= 0 && m_nSelected < NUM_OUTPUTS ? m_pDoc->GetOut(m_nSelected) : nullptr;
}

// ---- Values ------------------------------------------------------------------------------------

void CAdv_Seting::Refresh() {
    UpdateSourceButton();
    int time = 0, threshold = 0;
    {
        std::lock_guard lock(g_linkLock);
        time = g_systemData.advOption2;
        threshold = g_systemData.advancedSwitch;
    }
    m_spinTime.SetPos(time);
    RefreshNetAddress();
    m_spinThreshold.SetPos(threshold);
    m_btnAllCurves.SetCheck(g_bShowAllCurves.load() ? 1 : 0);
    m_spinLevel.SetPos(m_nLevel);
    m_spinGain.SetPos(m_nGain);
    m_spinInterval.SetPos(m_nInterval);
}

void CAdv_Seting::RefreshNetAddress() {
    CString address;
    {
        std::lock_guard lock(g_linkLock);
        address = g_strDevIP;
    }
    m_editAddress.SetWindowText(address);
    m_btnApply.EnableWindow(FALSE);
    m_nPort = g_nNetPort;
    SetPortField(m_nPort);
}

void CAdv_Seting::RefreshAll() {
    Refresh();
    BYTE held = 0, level = 0;
    {
        std::lock_guard lock(g_linkLock);
        held = g_systemData.pageSwitch;
        level = g_systemData.advOption5;
    }
    m_editLevel.EnableWindow(held ? TRUE : FALSE);
    m_spinLevel.EnableWindow(held ? TRUE : FALSE);
    // The dialog's own value follows, so a later Refresh shows the same.
    m_nLevel = level;
    m_spinLevel.SetPos(m_nLevel);
    MarkRow(0, FALSE);
    const bool chinese = g_bChinese.load() != 0;
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        const char* position = GetSpeakerPosName(g_posState[POS_STATE_OUTPUTS + n], chinese);
        m_list.SetItemText(n, 1, position ? position : "");
    }
}

// Clearing empties every row's marks: the link may have changed since they were set, and a
// mark left behind would name a row that is no longer edited.
void CAdv_Seting::MarkRow(int row, BOOL mark) {
    if (row < 0 || row >= NUM_OUTPUTS)
        return;
    if (!mark) {
        for (int j = 0; j < NUM_OUTPUTS; ++j) {
            m_list.SetItemText(j, 2, "");
            m_list.SetItemText(j, 3, "");
            m_list.SetItemBkColor(3, j, kListGrey);
        }
        return;
    }
    const char* edit = g_bChinese.load() ? "编辑" : "Edit";
    m_list.SetItemText(row, 2, edit);
    if (!g_bLRLinked.load())
        return;
    const int group = g_nOutLinkGroup[row].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        if (j == row || g_nOutLinkGroup[j].load() != group)
            continue;
        m_list.SetItemText(j, 2, edit);
        m_list.SetItemText(j, 3, g_bChinese.load() ? "联调" : "Link");
        m_list.SetItemBkColor(3, j, kLinkRed);
    }
}

void CAdv_Seting::SelectOutput(int row) {
    if (m_nSelected >= 0)
        MarkRow(m_nSelected, FALSE);
    m_nSelected = row >= 0 && row < NUM_OUTPUTS ? row : -1;
    if (m_nSelected < 0)
        return;
    MarkRow(m_nSelected, TRUE);
    m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemState(m_nSelected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (CKTV_OutData* out = SelectedOut()) {
        m_spinLimThreshold.SetPos(out->GetLimThreshold());
        m_spinLimVoltage.SetPos(out->GetLimThreshold());
        m_spinLimAttack.SetPos(out->GetLimAttack());
        m_spinLimRelease.SetPos(out->GetLimRelease());
    }
    m_curve.SelectOutput(m_nSelected);
}

void CAdv_Seting::UpdateSourceButton() {
    const CMixerSource::Looks looks =
        CMixerSource::DialogButtonLooks(g_inputOptions.choice, g_bChinese.load() != 0);
    m_btnSource.SetBitmaps(looks.normal, looks.hover, looks.pressed);
}

void CAdv_Seting::ApplyLanguageBitmaps() {
    if (g_bChinese.load()) {
        m_btnAllCurves.SetBitmaps(706, 706, 707, 707, 707, 706);
        m_btnApply.SetBitmaps(7204, 7205, 7206, 7204, 7205, 7206);
        m_btnApply.SetDisabledBitmaps(7207, 7207);
        m_btnWifiReset.SetBitmaps(7214, 7215, 7216, 7216, 7216, 7216);
        m_btnWifiReset.SetDisabledBitmaps(7217, 7217);
        m_btnClose.SetBitmaps(793, 795, 794);
    } else {
        m_btnAllCurves.SetBitmaps(704, 704, 705, 705, 705, 704);
        m_btnApply.SetBitmaps(7200, 7201, 7202);
        m_btnApply.SetDisabledBitmaps(7203, 7203);
        m_btnWifiReset.SetBitmaps(7210, 7211, 7212, 7212, 7212, 7212);
        m_btnWifiReset.SetDisabledBitmaps(7213, 7213);
        m_btnClose.SetBitmaps(790, 792, 791);
    }
}

void CAdv_Seting::OnSourceButton() {
    CMixerSource::TrackMenu(m_menuSource, m_btnSource, this);
}

void CAdv_Seting::OnSourceMenu(int source) {
    if (!CMixerSource::Choose(source))
        return;
    UpdateSourceButton();
    if (m_pHost) {
        m_pHost->SendCommand(CMD_SOURCE_SET);
        m_pHost->RefreshInputSourceButton();
    }
}

void CAdv_Seting::OnTime() {
    const int v = m_spinTime.RefreshFromBuddy();
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.advOption2 = static_cast<BYTE>(v);
    }
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
}

void CAdv_Seting::OnThreshold() {
    const int v = m_spinThreshold.RefreshFromBuddy();
    {
        std::lock_guard lock(g_linkLock);
        if (g_systemData.advancedSwitch == v)
            return;
        g_systemData.advancedSwitch = static_cast<BYTE>(v);
    }
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
}

void CAdv_Seting::OnDialogValue(UINT id) {
    switch (static_cast<int>(id)) {
    case IDC_LEVEL:
    case IDC_LEVEL_SPIN:
        m_nLevel = m_spinLevel.RefreshFromBuddy();
        break;
    case IDC_GAIN:
    case IDC_GAIN_SPIN:
        m_nGain = m_spinGain.RefreshFromBuddy();
        break;
    case IDC_INTERVAL:
    case IDC_INTERVAL_SPIN:
        m_nInterval = m_spinInterval.RefreshFromBuddy();
        break;
    default:
        return;
    }
    if (m_pHost)
        m_pHost->SetSourceSetDirty(TRUE);
}

int CAdv_Seting::DialogValue(int editId) const {
    switch (editId) {
    case IDC_LEVEL:
        return m_nLevel;
    case IDC_GAIN:
        return m_nGain;
    case IDC_INTERVAL:
        return m_nInterval;
    default:
        return -1;
    }
}

void CAdv_Seting::OnLimThreshold(BOOL fromVoltage) {
    const int v = fromVoltage ? m_spinLimVoltage.RefreshFromBuddy() : m_spinLimThreshold.RefreshFromBuddy();
    (fromVoltage ? m_spinLimThreshold : m_spinLimVoltage).SetPos(v);
    if (CKTV_OutData* out = SelectedOut())
        out->SetLimThreshold(v);
    m_curve.RefreshCurve();
}

void CAdv_Seting::OnLimAttack() {
    if (CKTV_OutData* out = SelectedOut())
        out->SetLimAttack(m_spinLimAttack.RefreshFromBuddy());
}

void CAdv_Seting::OnLimRelease() {
    if (CKTV_OutData* out = SelectedOut())
        out->SetLimRelease(m_spinLimRelease.RefreshFromBuddy());
}

// ---- WIFI address and port ----------------------------------------------------------------------

int CAdv_Seting::PortFieldValue() {
    CString text;
    m_editPort.GetWindowText(text);
    // Digits only (the field refuses others); a long run stays above the top, never wraps.
    long v = 0;
    for (const char* p = text.GetString(); *p >= '0' && *p <= '9'; ++p)
        v = std::min<long>(v * 10 + (*p - '0'), 10L * kMaxPort);
    return static_cast<int>(v);
}

void CAdv_Seting::SetPortField(int port) {
    CString text;
    text.Format("%d", port);
    m_bSettingPort = TRUE;
    m_editPort.SetWindowText(text);
    m_editPort.SetSel(text.GetLength(), text.GetLength());
    m_bSettingPort = FALSE;
}

void CAdv_Seting::UpdateApply() {
    CString address;
    m_editAddress.GetWindowText(address);
    CString stored;
    {
        std::lock_guard lock(g_linkLock);
        stored = g_strDevIP;
    }
    const BOOL differs = address != stored || PortFieldValue() != g_nNetPort;
    m_btnApply.EnableWindow(differs);
}

void CAdv_Seting::OnAddressChange() {
    UpdateApply();
}

void CAdv_Seting::OnPortChange() {
    if (m_bSettingPort)
        return;
    if (PortFieldValue() > kMaxPort)
        SetPortField(kMaxPort);
    UpdateApply();
}

void CAdv_Seting::OnPortKillFocus() {
    if (PortFieldValue() < 1)
        SetPortField(1);
    UpdateApply();
}

// The port is clamped into 1..65535; an address that is not a dotted IPv4 address is refused and
// the stored one shown again, so the link never dials text it cannot parse.
void CAdv_Seting::OnApply() {
    m_nPort = std::clamp(PortFieldValue(), 1, kMaxPort);
    SetPortField(m_nPort);
    CString address;
    m_editAddress.GetWindowText(address);
    address.Trim();
    {
        std::lock_guard lock(g_linkLock);
        if (ws::IsIPv4Address(address.GetString()))
            g_strDevIP = address;
        else
            address = g_strDevIP;
        g_nNetPort = m_nPort;
    }
    m_editAddress.SetWindowText(address);
    UpdateApply();
}

void CAdv_Seting::OnWifiReset() {
    if (m_pHost)
        m_pHost->SendCommand(CMD_WIFI_RESET);
}

void CAdv_Seting::OnAllCurves() {
    const int show = m_btnAllCurves.GetCheck() ? 0 : 1;
    g_bShowAllCurves = show;
    m_btnAllCurves.SetCheck(show);
    if (m_pHost)
        m_pHost->SaveLineSet();
}

// ---- Commands, keys and painting ------------------------------------------------------------------

BOOL CAdv_Seting::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (const int source = CMixerSource::SourceOfCommand(static_cast<UINT>(id)); source >= 0 && code == 0) {
        OnSourceMenu(source);
        return TRUE;
    }
    if (id == IDC_ADDRESS && code == EN_CHANGE) {
        OnAddressChange();
        return TRUE;
    }
    if (id == IDC_PORT) {
        if (code == EN_CHANGE)
            OnPortChange();
        else if (code == EN_KILLFOCUS)
            OnPortKillFocus();
        return TRUE;
    }
    if (code != 0 && code != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_SOURCE:
        OnSourceButton();
        return TRUE;
    case IDC_TIME:
    case IDC_TIME_SPIN:
        OnTime();
        return TRUE;
    case IDC_THRESHOLD:
    case IDC_THRESHOLD_SPIN:
        OnThreshold();
        return TRUE;
    case IDC_LEVEL:
    case IDC_LEVEL_SPIN:
    case IDC_GAIN:
    case IDC_GAIN_SPIN:
    case IDC_INTERVAL:
    case IDC_INTERVAL_SPIN:
        OnDialogValue(static_cast<UINT>(id));
        return TRUE;
    case IDC_LIM_THRESHOLD:
    case IDC_LIM_THRESHOLD_SPIN:
        OnLimThreshold(FALSE);
        return TRUE;
    case IDC_LIM_VOLTAGE:
    case IDC_LIM_VOLTAGE_SPIN:
        OnLimThreshold(TRUE);
        return TRUE;
    case IDC_LIM_ATTACK:
    case IDC_LIM_ATTACK_SPIN:
        OnLimAttack();
        return TRUE;
    case IDC_LIM_RELEASE:
    case IDC_LIM_RELEASE_SPIN:
        OnLimRelease();
        return TRUE;
    case IDC_APPLY:
        OnApply();
        return TRUE;
    case IDC_WIFI_RESET:
        OnWifiReset();
        return TRUE;
    case IDC_ALL_CURVES:
        OnAllCurves();
        return TRUE;
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CAdv_Seting::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (static_cast<int>(wParam) == IDC_OUTPUTS && hdr && hdr->code == NM_CLICK) {
        const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
        if (row >= 0 && row != m_nSelected)
            SelectOutput(row);
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void CAdv_Seting::FocusId(int id) {
    if (CWnd* w = GetDlgItem(id))
        w->SetFocus();
}

void CAdv_Seting::Navigate(int id, UINT key) {
    constexpr int n = static_cast<int>(std::size(kFocusOrder));
    int at = 0;
    for (int i = 0; i < n; ++i)
        if (kFocusOrder[i] == id)
            at = i;
    if (key == VK_LEFT)
        FocusId(kFocusOrder[(at + n - 1) % n]);
    else if (key == VK_RIGHT)
        FocusId(kFocusOrder[(at + 1) % n]);
}

LRESULT CAdv_Seting::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    Navigate(static_cast<int>(wParam), static_cast<UINT>(lParam));
    return 0;
}

LRESULT CAdv_Seting::OnControlMouseMove(WPARAM, LPARAM lParam) {
    const int id = static_cast<int>(lParam);
    const bool known = std::find(std::begin(kFocusOrder), std::end(kFocusOrder), id) != std::end(kFocusOrder);
    FocusId(known ? id : kFocusOrder[0]);
    return 0;
}

LRESULT CAdv_Seting::OnSliderMessage(WPARAM, LPARAM) {
    return 1;
}

BOOL CAdv_Seting::PreTranslateMessage(MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(msg);
    const UINT vk = static_cast<UINT>(msg->wParam);
    if (vk == VK_ESCAPE) {
        SetFocus();
        return TRUE;
    }
    if (vk != VK_RETURN && vk != VK_TAB)
        return CDialog::PreTranslateMessage(msg);
    CWnd* focus = CWnd::FromHandle(msg->hwnd);
    const int id = focus ? focus->GetDlgCtrlID() : 0;
    if (id == IDC_ADDRESS)
        PostMessage(WM_NUMEDIT_NAVIGATE, IDC_THRESHOLD, VK_RIGHT);
    else if (id == IDC_THRESHOLD)
        FocusId(IDC_ADDRESS);
    else if (focus && dynamic_cast<CEdit*>(focus))
        PostMessage(WM_NUMEDIT_NAVIGATE, static_cast<WPARAM>(id), VK_RIGHT);
    else
        FocusId(kFocusOrder[0]);
    return TRUE;
}

HBRUSH CAdv_Seting::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    // The address and port fields are recessed into their section; the labels sit on it.
    const bool field = wnd == &m_editAddress || wnd == &m_editPort || wnd == &m_comboSource;
    if (ctlColor == CTLCOLOR_EDIT && field) {
        dc->SetTextColor(RGB(255, 255, 255));
        dc->SetBkColor(kField);
        return static_cast<HBRUSH>(m_fieldBrush.GetSafeHandle());
    }
    if (ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kLabelText);
        dc->SetBkColor(kPanel);
        return static_cast<HBRUSH>(m_panelBrush.GetSafeHandle());
    }
    if (ctlColor == CTLCOLOR_DLG) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kLabelText);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

BOOL CAdv_Seting::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CAdv_Seting::OnPaint() {
    CPaintDC dc(this);
    CBitmap& bmp = m_bmpBackground[g_bChinese.load() ? 1 : 0];
    if (bmp.GetSafeHandle()) {
        DrawBitmap(&dc, &bmp, 0, 0);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kPage);
}
