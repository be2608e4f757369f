#include "model/Globals.h"
#include "model/KTV_OutData.h"

#include "pages/input/RouteMixCom.h"

#include "controls/ControlMessages.h"
#include "controls/AppObjects.h"
#include "pages/input/MixerLayouts.h"
#include "pages/input/PopuMixInput.h"
#include "pages/output/OutStripOwner.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"

#include <mutex>

namespace {

constexpr COLORREF kPaneFill = RGB(30, 33, 40); // shown only while the skin is missing

} // namespace

BEGIN_MESSAGE_MAP(CRouteMixCom, CDialog)
ON_MESSAGE(WM_SLIDER_MOVING, &CRouteMixCom::OnSliderMoved)
ON_MESSAGE(WM_SLIDER_MOVED, &CRouteMixCom::OnSliderMoved)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &CRouteMixCom::OnNumEditNavigate)
ON_MESSAGE(WM_NUMEDIT_ENTER, &CRouteMixCom::OnNumEditEnter)
END_MESSAGE_MAP()

CRouteMixCom::CRouteMixCom(CPopuMixInput* popup) : CDialog(IDD_ROUTE_MIX, popup), m_pPopup(popup) {
    RegisterMixerLayouts();
}

CRouteMixCom::~CRouteMixCom() {
    DestroyWindow();
}

BOOL CRouteMixCom::Create(int height) {
    m_nHeight = height;
    return CDialog::Create(IDD_ROUTE_MIX, m_pPopup);
}

void CRouteMixCom::SetOutput(int output, CKTV_OutData* out) {
    m_nOutput = output;
    m_nOutputCopy = output;
    m_pOut = out;
}

int CRouteMixCom::KnobOfId(int id) {
    for (int k = 0; k < kKnobs; ++k) {
        const KnobIds& ids = kKnobIds[k];
        if (id == ids.edit || id == ids.spin || id == ids.fader || id == ids.onOff || id == ids.phase)
            return k + 1;
    }
    return 0;
}

int CRouteMixCom::InputType() {
    std::lock_guard lock(g_linkLock);
    return g_pcSourceSet.inputType;
}

void CRouteMixCom::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int k = 0; k < kKnobs; ++k) {
        DDX_Control(dx, kKnobIds[k].edit, m_edit[k]);
        DDX_Control(dx, kKnobIds[k].spin, m_spin[k]);
        DDX_Control(dx, kKnobIds[k].fader, m_fader[k]);
        DDX_Control(dx, kKnobIds[k].onOff, m_onOff[k]);
        DDX_Control(dx, kKnobIds[k].phase, m_phase[k]);
    }
}

BOOL CRouteMixCom::OnInitDialog() {
    CDialog::OnInitDialog();
    InitPane();
    return TRUE;
}

void CRouteMixCom::InitPane() {
    using namespace res::mixer;
    const bool chinese = g_bChinese.load() != 0;
    const int type = m_pPopup ? m_pPopup->GetInputType() : InputType();
    m_tips.Create(this);
    for (int k = 1; k <= kKnobs; ++k) {
        const CString tip = CMixKnobMap::Tooltip(k, type, chinese);
        if (tip.IsEmpty())
            continue;
        for (CWnd* w : {static_cast<CWnd*>(&Edit(k)), static_cast<CWnd*>(&Phase(k)),
                        static_cast<CWnd*>(&Fader(k)), static_cast<CWnd*>(&OnOff(k))})
            m_tips.AddTool(w, tip);
    }
    m_bmpPane.LoadBitmap(kPane);
    m_bmpSpare.LoadBitmap(kPaneSpare);
    for (int k = 0; k < kKnobs; ++k) {
        m_phase[k].SetBitmaps(855, 854, 857, 857, 856, 855);
        m_onOff[k].SetBitmaps(865, 864, 866, 866, 866, 865);
        m_spin[k].SetBuddy(&m_edit[k]);
        m_spin[k].SetRange32(0, CMixKnobMap::kMaxValue);
        m_edit[k].SetStep(1.0);
        m_edit[k].SetType(NUMTYPE_INT_CLAMP, "");
        m_edit[k].SetBuddySlider(&m_fader[k]);
        m_edit[k].SetLimitText(3);
        if (g_fontArial14.GetSafeHandle())
            m_edit[k].SetFont(&g_fontArial14);
        m_fader[k].SetVertical(TRUE);
        m_fader[k].SetChannelBitmaps(kFaderChannel, kFaderChannel);
        m_fader[k].SetThumbBitmaps(kFaderThumb, kFaderThumbActive);
        m_fader[k].SetRange(0, CMixKnobMap::kMaxValue);
        m_fader[k].EnableMoveNotify(TRUE);
        m_fader[k].SetMargins(22, 4, 1, 2);
        m_fader[k].SetBuddyEdit(&m_edit[k]);
    }
    Refresh();
    if (m_nHeight > 0)
        SetWindowPos(nullptr, 0, 0, kPaneWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CRouteMixCom::SetPhaseSkins() {
    const bool chinese = g_bChinese.load() != 0;
    for (CBitButton& b : m_phase) {
        if (chinese)
            b.SetBitmaps(855, 854, 857, 857, 856, 855);
        else
            b.SetBitmaps(859, 858, 862, 862, 860, 859);
    }
}

// ---- Values ------------------------------------------------------------------------------------

void CRouteMixCom::ShowKnob(int knob, int value) {
    const int k = Index(knob);
    m_spin[k].SetPos(value);
    m_fader[k].SetPos(value);
    m_onOff[k].SetCheck(value != 0 ? 1 : 0);
}

void CRouteMixCom::Refresh() {
    if (!m_pOut || !m_hWnd)
        return;
    const int type = InputType(), device = g_nDeviceType.load();
    int v = m_nKnobMem[Index(m_nLastKnob)];
    for (int k = 1; k <= kKnobs; ++k) {
        // A knob without a byte shows the value of the knob before it.
        const int at = CMixKnobMap::KnobByte(k, type, device);
        if (at >= 0)
            v = CMixKnobMap::ReadMixByte(*m_pOut, at);
        m_nKnobMem[k - 1] = v;
        ShowKnob(k, v);
    }
}

void CRouteMixCom::PostChanged(int value) {
    if (m_pPopup && m_pPopup->GetSafeHwnd())
        m_pPopup->PostMessage(WM_MIX_CHANGED, reinterpret_cast<WPARAM>(&m_nOutputCopy),
                              static_cast<LPARAM>(value));
}

void CRouteMixCom::TakeKnob(int knob, int value) {
    if (m_pOut)
        CMixKnobMap::StoreKnob(*m_pOut, knob, InputType(), g_nDeviceType.load(), value);
    m_nKnobMem[Index(knob)] = value;
    m_onOff[Index(knob)].SetCheck(value != 0 ? 1 : 0);
    m_nLastKnob = knob;
    PostChanged(value);
}

void CRouteMixCom::OnKnobEdit(int knob) {
    if (knob < 1 || knob > kKnobs)
        return;
    const int v = m_spin[knob - 1].RefreshFromBuddy();
    if (v == m_nKnobMem[knob - 1])
        return;
    ShowKnob(knob, v);
    TakeKnob(knob, v);
}

void CRouteMixCom::OnKnobSpin(int knob) {
    OnKnobEdit(knob);
}

LRESULT CRouteMixCom::OnSliderMoved(WPARAM wParam, LPARAM) {
    const int id = static_cast<int>(wParam);
    const int knob = KnobOfId(id);
    if (knob == 0 || kKnobIds[knob - 1].fader != id)
        return 1;
    const int v = m_fader[knob - 1].GetPos();
    m_spin[knob - 1].SetPos(v);
    TakeKnob(knob, v);
    return 1;
}

void CRouteMixCom::OnKnobOnOff(int knob) {
    if (knob < 1 || knob > kKnobs)
        return;
    const int k = knob - 1;
    int v = 0;
    if (m_onOff[k].GetCheck()) {
        m_nKnobMem[k] = m_spin[k].GetPos();
    } else {
        m_nKnobMem[k] = CMixKnobMap::RestoreValue(m_nKnobMem[k]);
        v = m_nKnobMem[k];
    }
    ShowKnob(knob, v);
    if (m_pOut)
        CMixKnobMap::StoreKnob(*m_pOut, knob, InputType(), g_nDeviceType.load(), v);
}

// The phase bit is read and written back in one hold of the lock, so the worker never packs a
// mask between the two and no other bit is touched.
void CRouteMixCom::OnKnobPhase(int knob) {
    if (knob < 1 || knob > 4 || !m_pOut)
        return;
    CBitButton& button = m_phase[knob - 1];
    const bool wasSelected = button.GetCheck() != 0;
    button.SetCheck(wasSelected ? 0 : 1);
    const BYTE bit = static_cast<BYTE>(1u << (knob - 1));
    std::lock_guard lock(g_linkLock);
    const BYTE mask = static_cast<BYTE>(m_pOut->GetMix2Mask());
    m_pOut->SetMix2Mask(wasSelected ? static_cast<BYTE>(mask & ~bit) : static_cast<BYTE>(mask | bit));
}

// ---- Commands and keys ---------------------------------------------------------------------------

BOOL CRouteMixCom::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int knob = KnobOfId(id);
    if (knob == 0 || HIWORD(wParam) != 0)
        return CDialog::OnCommand(wParam, lParam);
    const KnobIds& ids = kKnobIds[knob - 1];
    if (id == ids.edit)
        OnKnobEdit(knob);
    else if (id == ids.spin)
        OnKnobSpin(knob);
    else if (id == ids.onOff)
        OnKnobOnOff(knob);
    else if (id == ids.phase && knob <= 4)
        OnKnobPhase(knob);
    return TRUE;
}

LRESULT CRouteMixCom::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    if (lParam == VK_LEFT)
        FocusPrevKnob(static_cast<int>(wParam));
    else if (lParam == VK_RIGHT)
        FocusNextKnob(static_cast<int>(wParam));
    return 0;
}

LRESULT CRouteMixCom::OnNumEditEnter(WPARAM wParam, LPARAM) {
    FocusNextKnob(static_cast<int>(wParam));
    return 0;
}

void CRouteMixCom::FocusKnob(CMixKnobMap::Place place) {
    if (!m_pPopup)
        return;
    if (CRouteMixCom* pane = m_pPopup->Pane(place.pane); pane && pane->GetSafeHwnd())
        pane->Edit(place.knob).SetFocus();
}

void CRouteMixCom::FocusNextKnob(int id) {
    const int knob = KnobOfId(id);
    CMixKnobMap::Place to{};
    if (knob == 0 || kKnobIds[knob - 1].edit != id || !m_pPopup)
        return;
    if (CMixKnobMap::NextKnob({m_nOutput, knob}, m_pPopup->GetInputType(), &to))
        FocusKnob(to);
}

void CRouteMixCom::FocusPrevKnob(int id) {
    const int knob = KnobOfId(id);
    CMixKnobMap::Place to{};
    if (knob == 0 || kKnobIds[knob - 1].edit != id || !m_pPopup)
        return;
    if (CMixKnobMap::PrevKnob({m_nOutput, knob}, m_pPopup->GetInputType(), &to))
        FocusKnob(to);
}

BOOL CRouteMixCom::PreTranslateMessage(MSG* msg) {
    if (!msg)
        return FALSE;
    if (msg->message == WM_MOUSEMOVE) {
        m_tips.RelayEvent(msg);
        return FALSE;
    }
    if (msg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(msg);
    const UINT vk = static_cast<UINT>(msg->wParam);
    CWnd* focus = CWnd::FromHandle(msg->hwnd);
    const int knob = focus ? KnobOfId(focus->GetDlgCtrlID()) : 0;
    const bool inEdit = knob != 0 && focus == &m_edit[knob - 1];
    if (inEdit && vk == VK_RETURN) {
        PostMessage(WM_NUMEDIT_ENTER, static_cast<WPARAM>(focus->GetDlgCtrlID()), 0);
        return FALSE;
    }
    if (inEdit && vk == VK_TAB) {
        PostMessage(WM_NUMEDIT_NAVIGATE, static_cast<WPARAM>(focus->GetDlgCtrlID()), VK_RIGHT);
        return FALSE;
    }
    // Copy and paste keys of the strips: posted to the pane, which takes neither.
    if (GetKeyState(VK_CONTROL) < 0 && (vk == 0x43 || vk == 0x56)) {
        PostMessage(vk == 0x43 ? WM_STRIP_COPY : WM_OUTPUT_PASTE, 0, 0);
        return TRUE;
    }
    if (vk == VK_ESCAPE) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

// ---- Painting ------------------------------------------------------------------------------------

BOOL CRouteMixCom::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CRouteMixCom::OnPaint() {
    CPaintDC dc(this);
    if (m_bmpPane.GetSafeHandle()) {
        DrawBitmap(&dc, &m_bmpPane, 0, 0);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kPaneFill);
}
