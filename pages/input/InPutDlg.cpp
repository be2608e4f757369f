#include "pages/input/InPutDlg.h"

#include "controls/AppObjects.h"
#include "controls/ControlMessages.h"
#include "link/LinkMessages.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/Music_InData.h"
#include "model/RecordRanges.h"
#include "pages/input/InputPageHost.h"
#include "pages/input/MixerSource.h"
#include "pages/output/OutStripOwner.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Messages.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "wire/LinkFrame.h"

#include <mutex>

using namespace inpage;

namespace {

constexpr int kGainZero = 200;
constexpr UINT kTrackPeq[3] = {624, 623, 625}; // column 0, middle, column 14
constexpr UINT kTrackGeq[3] = {621, 620, 622};
constexpr UINT kThumb = 626;
constexpr UINT kThumbActive = 627;
constexpr UINT kThumbDisabled = 628;
constexpr UINT kTrackInitial = 610;

UINT TrackOf(int n, const UINT (&tracks)[3]) {
    return n == 0 ? tracks[0] : n == kShownBands - 1 ? tracks[2] : tracks[1];
}

CRect PlaceIn(CWnd& parent, CWnd& w) {
    CRect rc;
    w.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

void MoveTo(CWnd& w, const CPoint& topLeft) {
    CRect rc;
    w.GetWindowRect(&rc);
    w.SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool InRange(int id, int first, int count) {
    return id >= first && id < first + count;
}

} // namespace

BEGIN_MESSAGE_MAP(CInPutDlg, CPageFrame)
ON_COMMAND_RANGE(kInputButton, kInputButton + 5, &CInPutDlg::OnInputCommand)
ON_COMMAND_RANGE(kAuxMode, kAuxMode + 2, &CInPutDlg::OnAuxCommand)
ON_COMMAND(kHiLevel1Way, &CInPutDlg::OnHiLevel1Way)
ON_COMMAND(kHiLevel2Way, &CInPutDlg::OnHiLevel2Way)
ON_COMMAND_RANGE(kFreqEdit, kFreqEdit + kBandCount - 1, &CInPutDlg::OnFreqCommand)
ON_COMMAND_RANGE(kFreqSpin, kFreqSpin + kBandCount - 1, &CInPutDlg::OnFreqCommand)
ON_COMMAND_RANGE(kQEdit, kQEdit + kBandCount - 1, &CInPutDlg::OnQCommand)
ON_COMMAND_RANGE(kQSpin, kQSpin + kBandCount - 1, &CInPutDlg::OnQCommand)
ON_COMMAND_RANGE(kGainEdit, kGainEdit + kBandCount - 1, &CInPutDlg::OnGainCommand)
ON_COMMAND_RANGE(kGainSpin, kGainSpin + kBandCount - 1, &CInPutDlg::OnGainCommand)
ON_COMMAND_RANGE(kLamp, kLamp + kBandCount - 1, &CInPutDlg::OnLampCommand)
ON_COMMAND(kSourceButton, &CInPutDlg::OnSourceButton)
ON_COMMAND_RANGE(CMixerSource::kFirstItem, CMixerSource::kFirstItem + CMixerSource::kSources - 1,
                 &CInPutDlg::OnSourceMenu)
ON_COMMAND(kBypassAll, &CInPutDlg::OnBypassAll)
ON_COMMAND(kResetAll, &CInPutDlg::OnResetAll)
ON_COMMAND(kPeqGeq, &CInPutDlg::OnEqModeSwitch)
ON_MESSAGE(WM_INPUT_CHANNEL_SELECT, &CInPutDlg::OnInputChannelSelect)
ON_MESSAGE(WM_CUR_INPUT_CHANGED, &CInPutDlg::OnCurInputChanged)
ON_MESSAGE(WM_SET_CUR_INPUT, &CInPutDlg::OnSetCurInput)
ON_MESSAGE(WM_SLIDER_MOVING, &CInPutDlg::OnSliderMoving)
ON_MESSAGE(WM_SLIDER_MOVED, &CInPutDlg::OnSliderMoved)
ON_MESSAGE(WM_CURVE_BAND_CHANGED, &CInPutDlg::OnCurveBandChanged)
ON_MESSAGE(WM_CURVE_BAND_SELECT, &CInPutDlg::OnCurveBandSelect)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &CInPutDlg::OnNumEditNavigate)
ON_MESSAGE(WM_NUMEDIT_ENTER, &CInPutDlg::OnNumEditEnter)
ON_MESSAGE(WM_CONTROL_MOUSEMOVE, &CInPutDlg::OnControlMouseMove)
END_MESSAGE_MAP()

CInPutDlg::CInPutDlg(CWnd* parent) : CPageFrame(IDD, parent) {
    RegisterInputPageLayouts();
}

BOOL CInPutDlg::CreatePage(CWnd* parent, CInputPageHost* host) {
    m_pHost = host;
    return CreatePageWindow(parent);
}

void CInPutDlg::AttachChannelData(CKTV_Data* data) {
    m_pData = data;
    m_graph.SetOwnerWnd(this);
    m_graph.AttachChannelData(data, CZNStatic::MODE_MUSIC);
    m_graph.SetMusicChannel(0);
    m_graph.SetMode(CZNStatic::MODE_MUSIC);
    m_pGraph = &m_graph;
}

void CInPutDlg::DoDataExchange(CDataExchange* dx) {
    CPageFrame::DoDataExchange(dx);
    DDX_Control(dx, kHiLevel1Way, m_btnHiLevel[0]);
    DDX_Control(dx, kHiLevel2Way, m_btnHiLevel[1]);
    DDX_Control(dx, kGeqPicture, m_btnGeqPic);
    for (int m = 0; m < 3; ++m)
        DDX_Control(dx, kAuxMode + m, m_btnAux[m]);
    DDX_Control(dx, kPeqGeq, m_btnEqMode);
    DDX_Control(dx, kResetAll, m_btnResetAll);
    DDX_Control(dx, kBypassAll, m_btnBypassAll);
    for (int n = 0; n < 6; ++n)
        DDX_Control(dx, kInputButton + n, m_btnInput[n]);
    DDX_Control(dx, kSourceButton, m_btnSource);
    DDX_Control(dx, kSelectedInput, m_btnSelected);
    DDX_Control(dx, kGraph, m_graph);
    for (int n = 0; n < kBands; ++n) {
        DDX_Control(dx, kLabel + n, m_label[n]);
        DDX_Control(dx, kLamp + n, m_lamp[n]);
        DDX_Control(dx, kSlider + n, m_slider[n]);
        DDX_Control(dx, kGainEdit + n, m_editGain[n]);
        DDX_Control(dx, kQEdit + n, m_editQ[n]);
        DDX_Control(dx, kFreqEdit + n, m_editFreq[n]);
        DDX_Control(dx, kGainSpin + n, m_spinGain[n]);
        DDX_Control(dx, kQSpin + n, m_spinQ[n]);
        DDX_Control(dx, kFreqSpin + n, m_spinFreq[n]);
    }
}

BOOL CInPutDlg::OnInitDialog() {
    CPageFrame::OnInitDialog();
    m_bmpBackEn.LoadBitmap(BackgroundId(FALSE));
    m_bmpBackCn.LoadBitmap(BackgroundId(TRUE));
    m_nMarkedLabel = -1;
    m_pActiveEdit = nullptr;
    HoldPagePointer(g_pInputPage, this);
    InitControls();
    return TRUE;
}

void CInPutDlg::InitControls() {
    CMixerSource::RegisterMenu();
    m_menuSource.LoadMenu(CMixerSource::kMenu);
    m_btnSource.SetFonts(&g_fontArial16Heavy, &g_fontArial16Heavy, &g_fontArial16Heavy);
    for (int n = 0; n < kBands; ++n)
        InitColumn(n);
    // The same pair as the output page's GEQ picture: English unchecked, Chinese checked.
    m_btnGeqPic.SetDisabledBitmaps(796, 797);
    const CMixerSource::Looks blank = CMixerSource::BlankLooks();
    m_btnSource.SetBitmaps(blank.normal, blank.hover, blank.pressed);
    m_btnSelected.SetDisabledBitmaps(452, 452);
    for (UINT n = 0; n < 6; ++n)
        m_btnInput[n].SetBitmaps(8100 + n, 8110 + n, 8120 + n, 8120 + n, 8120 + n, 8120 + n);
    for (int n = 0; n < 6; ++n)
        m_rcInputBtn[n] = PlaceIn(*this, m_btnInput[n]);
    if (m_inputBar.CreateBar(this)) {
        m_inputBar.SetOwner(this);
        m_inputBar.SetWindowPos(nullptr, kBarX, kBarY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_inputBar.ShowWindow(SW_SHOW);
    }
    ArrangeInputButtons();
    ApplyLanguage();
}

void CInPutDlg::InitColumn(int n) {
    // Frequency: plain 1 Hz steps.
    m_spinFreq[n].SetBuddy(&m_editFreq[n]);
    m_editFreq[n].SetLimitText(5);
    m_spinFreq[n].SetRange32(range::kFreq.lo, range::kFreq.hi);
    m_editFreq[n].SetType(NUMTYPE_INT, CString());
    m_rcGainGeq[n] = PlaceIn(*this, m_editFreq[n]);
    // Q: the bandwidth position shown as Q.
    m_spinQ[n].SetBuddy(&m_editQ[n]);
    m_editQ[n].SetLimitText(5);
    m_editQ[n].SetType(NUMTYPE_Q, CString());
    m_spinQ[n].SetRange32(range::kBandwidth.lo, range::kBandwidth.hi);
    const int qTop = PlaceIn(*this, m_editQ[n]).top;
    // Gain: position 80..320 shown as position x 0.1 - 20.
    m_spinGain[n].SetBuddy(&m_editGain[n]);
    m_editGain[n].SetLimitText(5);
    m_spinGain[n].SetRange32(range::kGainPos.lo, range::kGainPos.hi);
    m_editGain[n].SetStep(0.1);
    m_editGain[n].SetOffset(20.0);
    m_editGain[n].SetType(NUMTYPE_LEVEL, CString());
    m_rcGainPeq[n] = PlaceIn(*this, m_editGain[n]);
    // Slider 0..240 of value mode 10 (top = +12 dB), the gain edit's buddy.
    CBitmapSlider& s = m_slider[n];
    s.SetChannelBitmaps(kTrackInitial, kTrackInitial);
    s.SetThumbBitmaps(kThumb, kThumbActive);
    s.SetDisabledThumb(kThumbDisabled);
    s.SetRange(0, 240);
    s.EnableMoveNotify(TRUE);
    s.SetMargins(n == 0 ? 0 : kSliderMargin, 1, 1, 1);
    s.SetValueMode(10);
    s.SetBuddyEdit(&m_editGain[n]);
    m_editGain[n].SetBuddySlider(&s);
    m_binding[n].Attach(&s);
    m_rcSliderPeq[n] = PlaceIn(*this, s);
    m_rcSliderGeq[n] = m_rcSliderPeq[n];
    m_rcSliderGeq[n].top = qTop;
    // Label and lamp.
    CString number;
    number.Format("%d", n + 1);
    m_label[n].SetText(number);
    m_label[n].SetFontStyle("", 16, RGB(0, 0, 0), 1);
    m_lamp[n].SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
    m_lamp[n].EnableMoveNotify(TRUE);
    if (n >= 2) {
        CRect lamp = PlaceIn(*this, m_lamp[n]);
        const int left = m_rcSliderPeq[n].left + (n == 10 ? 18 : 17);
        m_lamp[n].SetWindowPos(nullptr, left, lamp.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

// ---- Painting and keys ---------------------------------------------------------------------------

BOOL CInPutDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CInPutDlg::OnPaint() {
    CPaintDC dc(this);
    CBitmap& back = g_bChinese.load() ? m_bmpBackCn : m_bmpBackEn;
    if (back.GetSafeHandle())
        DrawBitmap(&dc, &back, 0, 0);
    m_inputBar.CaptureBackground(&dc);
}

BOOL CInPutDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        const Focus focused = Focused();
        const bool edit = focused.edit;
        const WPARAM id = focused.id;
        switch (msg->wParam) {
        case VK_RETURN:
            if (edit)
                PostMessage(m_bGeq ? WM_NUMEDIT_NAVIGATE : WM_NUMEDIT_ENTER, id, m_bGeq ? VK_RIGHT : 0);
            return TRUE;
        case VK_TAB:
            if (edit)
                PostMessage(WM_NUMEDIT_NAVIGATE, id, VK_RIGHT);
            return TRUE;
        case VK_ESCAPE:
            SetFocus();
            return TRUE;
        default:
            break;
        }
    }
    return CPageFrame::PreTranslateMessage(msg);
}

// ---- Input choice --------------------------------------------------------------------------------

void CInPutDlg::SendCommand(int cmd) {
    if (m_pHost)
        m_pHost->SendCommand(cmd, 0);
}

void CInPutDlg::NotifyLevelPage(int hold, int input) {
    if (m_pLevelPage && m_pLevelPage->GetSafeHwnd())
        m_pLevelPage->PostMessage(WM_CUR_INPUT_CHANGED, static_cast<WPARAM>(hold), input);
}

void CInPutDlg::DropPendingDeviceStates() {
    // Only the stale device states go: every other message of the view keeps its turn.
    if (g_pViewWnd && g_pViewWnd->GetSafeHwnd())
        r9::msg::RemovePending(g_pViewWnd->GetSafeHwnd(), WM_DEVICE_STATE);
}

void CInPutDlg::UncheckInputButton(int input) {
    if (input >= 0 && input < 6)
        m_btnInput[input].SetCheck(0);
}

void CInPutDlg::ApplyChoice(const CInputSelection::Result& r, BOOL uncheckPrevious, BOOL modeChanged) {
    if (r.holdCleared) {
        m_btnSource.SetCheck(0);
        ApplyInputHold();
    }
    if (!r.sent)
        return;
    if (uncheckPrevious)
        UncheckInputButton(r.previous);
    if (r.sourceOff)
        UpdateSourceButton();
    ShowInputSelection(modeChanged);
}

void CInPutDlg::OnInputCommand(UINT id) {
    OnInputButton(static_cast<int>(id) - kInputButton);
}

void CInPutDlg::OnInputButton(int n) {
    const auto r = m_selection.ChooseInput(n, false);
    ApplyChoice(r, TRUE, FALSE);
}

LRESULT CInPutDlg::OnInputChannelSelect(WPARAM, LPARAM lParam) {
    const auto r = m_selection.ChooseInput(static_cast<int>(lParam), true);
    ApplyChoice(r, r.changed, TRUE);
    return 0;
}

LRESULT CInPutDlg::OnCurInputChanged(WPARAM wParam, LPARAM lParam) {
    if (wParam != 0) {
        m_btnSource.SetCheck(0);
        ApplyInputHold();
    }
    const int previous = static_cast<int>(lParam);
    if (previous == g_nCurInput.load() || previous < 0 || previous > CInputSelection::kNoInput)
        return 0;
    UncheckInputButton(previous);
    ShowInputSelection(FALSE);
    return 0;
}

LRESULT CInPutDlg::OnSetCurInput(WPARAM, LPARAM lParam) {
    SetCurInputQuiet(static_cast<int>(lParam));
    return 0;
}

void CInPutDlg::SetCurInputQuiet(int input) {
    const int previous = g_nCurInput.load();
    if (!m_selection.SetCurInputQuiet(input))
        return;
    UncheckInputButton(previous);
    ShowInputSelection(FALSE);
}

void CInPutDlg::NotifyInputChange() {
    if (m_selection.NotifyInputChange()) {
        m_btnSource.SetCheck(0);
        ApplyInputHold();
    }
}

void CInPutDlg::OnAuxCommand(UINT id) {
    SetAuxMode(static_cast<int>(id) - kAuxMode);
}

void CInPutDlg::SetAuxMode(int mode) {
    const auto r = m_selection.SetAuxMode(mode);
    if (r.holdCleared) {
        m_btnSource.SetCheck(0);
        ApplyInputHold();
    }
    if (!r.modeChanged)
        return;
    // The old mode's hidden buttons come back; the new mode hides its own.
    if (r.previousMode == 1)
        m_btnInput[5].ShowWindow(SW_SHOW);
    if (r.previousMode == 2) {
        m_btnInput[4].ShowWindow(SW_SHOW);
        m_btnInput[5].ShowWindow(SW_SHOW);
    }
    for (CBitButton& b : m_btnAux)
        b.SetCheck(0);
    UncheckInputButton(r.previous);
    if (r.sourceOff)
        UpdateSourceButton();
    ShowInputSelection(TRUE);
}

void CInPutDlg::SetModeAndInput(int mode, int input) {
    const int previousMode = g_nInputGroup;
    UncheckInputButton(g_nCurInput.load());
    const auto r = m_selection.SetModeAndInput(mode, input);
    if (!r.sent)
        return;
    if (previousMode == 2 && mode != 2)
        m_btnInput[5].ShowWindow(SW_SHOW);
    ShowInputSelection(TRUE);
}

void CInPutDlg::ApplyInputHold() {
    const int cur = g_nCurInput.load();
    if (m_pData && cur >= 0 && cur < CInputSelection::kInputs)
        m_pCurMusic = m_pData->GetMusic(cur);
    BYTE hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    const BOOL enable = hold == 0 ? TRUE : FALSE;
    m_btnBypassAll.EnableWindow(enable);
    m_btnEqMode.EnableWindow(enable);
    m_btnResetAll.EnableWindow(enable);
    for (int n = 0; n < kBands; ++n) {
        m_editFreq[n].EnableEdit(enable);
        m_editQ[n].EnableEdit(enable);
        m_editGain[n].EnableEdit(enable);
        m_slider[n].EnableSlider(enable);
        m_lamp[n].EnableWindow(enable);
    }
    SetInputButtonLooks();
    if (!enable) {
        HighlightBandLabel(-1, FALSE);
        SetActiveEdit(-1, ROW_GAIN, FALSE);
    }
    m_graph.EnableGraph(enable);
}

void CInPutDlg::SetInputButtonLooks() {
    BYTE hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    const bool cn = g_bChinese.load() != 0;
    for (UINT n = 0; n < 6; ++n) {
        const UINT normal = (cn ? 8130 : 8100) + n, hover = (cn ? 8140 : 8110) + n,
                   pressed = (cn ? 8150 : 8120) + n;
        // While the device holds the input, the current input shows a dark checked look.
        const UINT checked = hold ? (cn ? 8200 : 8210) + n : pressed;
        m_btnInput[n].SetBitmaps(normal, hover, pressed, checked, checked, checked);
    }
}

void CInPutDlg::ShowSelectedInputPicture() {
    const int cur = g_nCurInput.load();
    if (cur < 0 || cur >= CInputSelection::kInputs)
        return;
    const UINT id = static_cast<UINT>((g_bChinese.load() ? 459 : 452) + cur);
    m_btnSelected.SetDisabledBitmaps(id, id);
}

void CInPutDlg::ShowInputSelection(BOOL modeChanged) {
    ShowSelectedInputPicture();
    for (CBitButton& b : m_btnAux)
        b.SetCheck(0);
    if (m_inputBar.GetSafeHwnd())
        m_inputBar.ShowLayout();
    switch (g_nInputGroup) {
    case 0:
        m_btnAux[0].SetCheck(1);
        break;
    case 1:
        m_btnInput[5].ShowWindow(SW_HIDE);
        m_btnAux[1].SetCheck(1);
        break;
    case 2:
        m_btnInput[4].ShowWindow(SW_HIDE);
        m_btnInput[5].ShowWindow(SW_HIDE);
        m_btnAux[2].SetCheck(1);
        break;
    default:
        break;
    }
    if (modeChanged)
        OnAuxModeApplied();
    if (m_inputBar.GetSafeHwnd())
        m_inputBar.CheckCurrent();
    const int cur = g_nCurInput.load();
    if (cur >= 0 && cur < 6)
        m_btnInput[cur].SetCheck(1);
    RefreshChannel();
}

void CInPutDlg::ArrangeInputButtons() {
    m_btnInput[0].ShowWindow(SW_HIDE);
    m_btnInput[2].ShowWindow(SW_HIDE);
    if (m_inputBar.GetSafeHwnd()) {
        m_inputBar.ShowPhoneButton(SW_HIDE);
        m_inputBar.ShowSpdifButton(SW_HIDE);
    }
    constexpr int kOffered[4] = {1, 3, 4, 5};
    for (int k = 0; k < 4; ++k)
        MoveTo(m_btnInput[kOffered[k]], m_rcInputBtn[k].TopLeft());
}

void CInPutDlg::RefreshInputButtons() {
    UpdateSourceButton();
    m_btnHiLevel[0].SetCheck(0);
    m_btnHiLevel[1].SetCheck(0);
    ArrangeInputButtons();
    if (g_nInputGroup == 1)
        m_btnInput[5].ShowWindow(SW_SHOW);
    if (g_nInputGroup == 2) {
        m_btnInput[4].ShowWindow(SW_SHOW);
        m_btnInput[5].ShowWindow(SW_SHOW);
    }
    UncheckInputButton(g_nCurInput.load());
    UpdateSourceButton();
}

// ---- Mixer source --------------------------------------------------------------------------------

void CInPutDlg::UpdateSourceButton() {
    const CMixerSource::Looks looks =
        CMixerSource::PageButtonLooks(g_inputOptions.choice, g_bChinese.load() != 0);
    m_btnSource.SetBitmaps(looks.normal, looks.hover, looks.pressed);
    m_btnSource.Invalidate(FALSE);
}

void CInPutDlg::OnSourceButton() {
    CMixerSource::TrackMenu(m_menuSource, m_btnSource, this);
}

void CInPutDlg::OnSourceMenu(UINT id) {
    SetSource(CMixerSource::SourceOfCommand(id));
}

void CInPutDlg::SetSource(int source) {
    if (!CMixerSource::Choose(source))
        return;
    UpdateSourceButton();
    SendCommand(CMD_SOURCE_SET);
}

BOOL CInPutDlg::ValidateSource(int input, int mode) {
    if (CInputSelection::ValidateSource(input, mode))
        return TRUE;
    UpdateSourceButton();
    return FALSE;
}

// ---- The current input's EQ ----------------------------------------------------------------------

CFilter* CInPutDlg::Band(int n) const {
    return m_pCurMusic && n >= 0 && n < kBands ? m_pCurMusic->GetBand(n) : nullptr;
}

void CInPutDlg::RefreshChannel() {
    const int cur = g_nCurInput.load();
    m_pCurMusic = m_pData && cur >= 0 && cur < CInputSelection::kInputs ? m_pData->GetMusic(cur) : nullptr;
    if (m_pCurMusic) {
        m_btnBypassAll.SetCheck(m_pCurMusic->IsAllBandsBypassed() ? 1 : 0);
        const BOOL geq = m_pCurMusic->GetGEQMode() ? TRUE : FALSE;
        m_btnEqMode.SetCheck(geq);
        SetGEQLayout(geq);
        for (int n = 0; n < kShown; ++n) {
            CFilter* f = Band(n);
            if (!f)
                continue;
            m_spinFreq[n].SetPos(f->GetFreq());
            m_spinQ[n].SetPos(f->GetBandwidthPos());
            m_spinGain[n].SetPos(f->GetGainPos());
            m_slider[n].SetPos(f->GetGainPos());
            f->SetSlider(&m_binding[n]);
            ShowBandBypass(f->IsBypassed(), n);
        }
    }
    HighlightBandLabel(-1, FALSE);
    SetActiveEdit(-1, ROW_GAIN, FALSE);
    ShowSelectedInputPicture();
    UpdateSourceButton();
    if (cur >= 0 && cur < CInputSelection::kInputs) {
        m_graph.SetMusicChannel(cur);
        m_graph.SetMode(CZNStatic::MODE_MUSIC);
    }
}

void CInPutDlg::SetGEQLayout(BOOL geq) {
    m_bGeq = geq;
    for (int n = 0; n < kShown; ++n) {
        m_editFreq[n].ShowWindow(geq ? SW_HIDE : SW_SHOW);
        m_editQ[n].ShowWindow(geq ? SW_HIDE : SW_SHOW);
        MoveTo(m_editGain[n], (geq ? m_rcGainGeq[n] : m_rcGainPeq[n]).TopLeft());
        MoveTo(m_slider[n], (geq ? m_rcSliderGeq[n] : m_rcSliderPeq[n]).TopLeft());
        const UINT track = TrackOf(n, geq ? kTrackGeq : kTrackPeq);
        m_slider[n].SetChannelBitmaps(track, track);
        m_slider[n].SetThumbBitmaps(kThumb, kThumbActive);
    }
    m_btnGeqPic.ShowWindow(geq ? SW_SHOW : SW_HIDE);
}

void CInPutDlg::ShowBandBypass(BOOL bypassed, int n) {
    if (n < 0 || n >= kBands)
        return;
    if (!bypassed) {
        m_lamp[n].SetCheck(0);
        return;
    }
    m_lamp[n].SetCheck(1);
    m_editGain[n].SetWindowText("0.0");
    m_spinGain[n].SetPos(kGainZero);
    m_slider[n].SetPos(kGainZero);
}

void CInPutDlg::ShowAllBypass() {
    if (m_pCurMusic)
        m_btnBypassAll.SetCheck(m_pCurMusic->IsAllBandsBypassed() ? 1 : 0);
}

void CInPutDlg::HighlightBandLabel(int n, BOOL on) {
    if (m_nMarkedLabel >= 0)
        m_label[m_nMarkedLabel].SetFontStyle("", 16, RGB(0, 0, 0), 1);
    m_nMarkedLabel = -1;
    if (!on || n < 0 || n >= kBands)
        return;
    m_label[n].SetFontStyle("", 16, RGB(255, 0, 0), 1);
    m_nMarkedLabel = n;
}

void CInPutDlg::SelectBand(int n) {
    HighlightBandLabel(n, TRUE);
    m_graph.RefreshCurve(n);
}

void CInPutDlg::SetActiveEdit(int n, int row, BOOL on) {
    if (m_pActiveEdit)
        m_pActiveEdit->SetHighlight(0);
    m_pActiveEdit = nullptr;
    if (!on || n < 0 || n >= kBands)
        return;
    m_pActiveEdit = row == ROW_FREQ ? &m_editFreq[n] : row == ROW_Q ? &m_editQ[n] : &m_editGain[n];
    m_pActiveEdit->SetHighlight(1);
}

void CInPutDlg::OnFreqCommand(UINT id) {
    const int i = static_cast<int>(id);
    OnBandFreq(InRange(i, kFreqEdit, kBands) ? i - kFreqEdit : i - kFreqSpin);
}

void CInPutDlg::OnQCommand(UINT id) {
    const int i = static_cast<int>(id);
    OnBandQ(InRange(i, kQEdit, kBands) ? i - kQEdit : i - kQSpin);
}

void CInPutDlg::OnGainCommand(UINT id) {
    const int i = static_cast<int>(id);
    OnBandGain(InRange(i, kGainEdit, kBands) ? i - kGainEdit : i - kGainSpin);
}

void CInPutDlg::OnLampCommand(UINT id) {
    OnBandBypass(static_cast<int>(id) - kLamp);
}

void CInPutDlg::OnBandFreq(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    const int hz = m_spinFreq[n].RefreshFromBuddy();
    if (hz != f->GetFreq())
        f->SetFreq(hz, TRUE);
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_FREQ, TRUE);
}

void CInPutDlg::OnBandQ(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    const int pos = m_spinQ[n].RefreshFromBuddy();
    if (pos != f->GetBandwidthPos())
        f->SetBandwidthPos(pos);
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_Q, TRUE);
}

void CInPutDlg::OnBandGain(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    const int pos = m_spinGain[n].RefreshFromBuddy();
    m_slider[n].SetPos(pos);
    if (pos != f->GetGainPos()) {
        f->SetGainPos(pos);
        ShowBandBypass(f->IsBypassed(), n);
        ShowAllBypass();
    }
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_GAIN, TRUE);
}

void CInPutDlg::OnBandSlider(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    const int pos = m_slider[n].GetPos();
    if (pos != f->GetGainPos()) {
        m_spinGain[n].SetPos(pos);
        f->SetGainPos(pos);
        ShowBandBypass(f->IsBypassed(), n);
        ShowAllBypass();
    }
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_GAIN, TRUE);
}

LRESULT CInPutDlg::OnSliderMoving(WPARAM wParam, LPARAM) {
    const int id = static_cast<int>(wParam);
    if (InRange(id, kSlider, kBands))
        OnBandSlider(id - kSlider);
    return 1;
}

LRESULT CInPutDlg::OnSliderMoved(WPARAM wParam, LPARAM lParam) {
    const int id = static_cast<int>(wParam);
    if (!InRange(id, kSlider, kBands))
        return 1;
    OnSliderMoving(wParam, lParam);
    if (m_pActiveEdit)
        m_pActiveEdit->SetFocus();
    return 1;
}

void CInPutDlg::OnBandBypass(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    f->SetBypass(m_lamp[n].GetCheck() ? FALSE : TRUE);
    if (f->IsBypassed()) {
        ShowBandBypass(TRUE, n);
    } else {
        m_spinGain[n].SetPos(f->GetGainPos());
        m_slider[n].SetPos(f->GetGainPos());
        m_lamp[n].SetCheck(0);
    }
    ShowAllBypass();
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_GAIN, TRUE);
    if (m_pActiveEdit)
        m_pActiveEdit->SetFocus();
}

int CInPutDlg::AskYesNo(const char* en, const char* cn) const {
    if (!m_pHost)
        return IDNO;
    const bool chinese = g_bChinese.load() != 0;
    return m_pHost->AskPage(chinese ? cn : en, chinese ? g_strPromptCn : g_strPrompt, MB_YESNO,
                            chinese ? -2 : -3);
}

void CInPutDlg::OnBypassAll() {
    if (!m_pCurMusic)
        return;
    HighlightBandLabel(-1, FALSE);
    SetActiveEdit(-1, ROW_GAIN, FALSE);
    m_graph.RefreshCurve(-1);
    const BOOL wanted = m_btnBypassAll.GetCheck() ? FALSE : TRUE;
    BOOL all = FALSE;
    {
        // What the request would give, found and undone in one hold of the lock: the link never
        // sees a state the user has not confirmed.
        std::lock_guard lock(g_linkLock);
        m_pCurMusic->BypassAllBands(wanted);
        if (!wanted && m_pCurMusic->IsAllBandsBypassed()) {
            // Every band bypasses itself or sits at 0 dB: nothing to restore, nothing to ask.
            m_pCurMusic->BypassAllBands(TRUE);
            m_btnBypassAll.SetCheck(1);
            return;
        }
        all = m_pCurMusic->IsAllBandsBypassed();
        m_pCurMusic->BypassAllBands(!all);
        m_pCurMusic->IsAllBandsBypassed();
    }
    if ((all ? AskYesNo(g_strBypassEq, g_strBypassEqCn) : AskYesNo(g_strRestoreEq, g_strRestoreEqCn)) !=
        IDYES) {
        m_btnBypassAll.SetCheck(all ? 0 : 1);
        return;
    }
    m_pCurMusic->BypassAllBands(all);
    m_pCurMusic->IsAllBandsBypassed();
    for (int n = 0; n < kBands; ++n) {
        CFilter* f = Band(n);
        if (!f)
            continue;
        if (!all) {
            m_spinGain[n].SetPos(f->GetGainPos());
            m_slider[n].SetPos(f->GetGainPos());
        }
        ShowBandBypass(f->IsBypassed(), n);
    }
    if (m_pHost)
        m_pHost->SendInputChannel(g_nCurInput.load());
    m_btnBypassAll.SetCheck(all ? 1 : 0);
    m_graph.RefreshCurve(-1);
}

void CInPutDlg::OnResetAll() {
    if (AskYesNo(g_strResetEq, g_strResetEqCn) != IDYES)
        return;
    if (m_pHost)
        m_pHost->ResetInputEq(g_nCurInput.load());
}

void CInPutDlg::OnEqModeSwitch() {
    if (!m_pCurMusic)
        return;
    const BOOL wanted = m_btnEqMode.GetCheck() ? FALSE : TRUE;
    if ((wanted ? AskYesNo(g_strPeqToGeq, g_strPeqToGeqCn) : AskYesNo(g_strGeqToPeq, g_strGeqToPeqCn)) !=
        IDYES)
        return;
    m_btnEqMode.SetCheck(wanted);
    SetGEQLayout(wanted);
    m_pCurMusic->SetGEQMode(wanted);
    if (m_pHost)
        m_pHost->ResetInputEq(g_nCurInput.load());
    m_graph.RefreshCurve(-1);
}

LRESULT CInPutDlg::OnCurveBandChanged(WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(lParam) != g_nCurInput.load())
        return 0;
    LoadBandFromGraph(static_cast<int>(wParam));
    return 0;
}

void CInPutDlg::LoadBandFromGraph(int n) {
    CFilter* f = Band(n);
    if (!f)
        return;
    m_spinFreq[n].SetPos(f->GetFreq());
    m_spinQ[n].SetPos(f->GetBandwidthPos());
    m_spinGain[n].SetPos(f->GetGainPos());
    m_slider[n].SetPos(f->GetGainPos());
    ShowBandBypass(f->IsBypassed(), n);
    ShowAllBypass();
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_GAIN, TRUE);
    if (m_graph.m_bButtonUp) {
        m_graph.m_bButtonUp = 0;
        if (m_pActiveEdit)
            m_pActiveEdit->SetFocus();
    }
}

LRESULT CInPutDlg::OnCurveBandSelect(WPARAM wParam, LPARAM lParam) {
    const int n = static_cast<int>(wParam);
    if (static_cast<int>(lParam) != g_nCurInput.load() || n < 0 || n >= kBands)
        return 0;
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, ROW_GAIN, TRUE);
    if (m_pActiveEdit)
        m_pActiveEdit->SetFocus();
    return 0;
}

// ---- Keyboard walk -------------------------------------------------------------------------------

int CInPutDlg::NextEditId(int id, BOOL geq) {
    const int last = kShown - 1;
    if (geq) {
        if (InRange(id, kGainEdit, last))
            return id + 1;
        return id == kGainEdit + last ? kGainEdit : 0;
    }
    for (int first : {kFreqEdit, kQEdit, kGainEdit})
        if (InRange(id, first, last))
            return id + 1;
    if (id == kFreqEdit + last)
        return kQEdit;
    if (id == kQEdit + last)
        return kGainEdit;
    return id == kGainEdit + last ? kFreqEdit : 0;
}

int CInPutDlg::PrevEditId(int id, BOOL geq) {
    const int last = kShown - 1;
    if (geq) {
        if (id == kGainEdit)
            return kGainEdit + last;
        return InRange(id, kGainEdit + 1, last) ? id - 1 : 0;
    }
    if (id == kFreqEdit)
        return kGainEdit + last;
    if (id == kQEdit)
        return kFreqEdit + last;
    if (id == kGainEdit)
        return kQEdit + last;
    for (int first : {kFreqEdit, kQEdit, kGainEdit})
        if (InRange(id, first + 1, last))
            return id - 1;
    return 0;
}

int CInPutDlg::EnterEditId(int id) {
    const int last = kShown - 1;
    if (InRange(id, kFreqEdit, kShown))
        return id - kFreqEdit + kQEdit;
    if (InRange(id, kQEdit, kShown))
        return id - kQEdit + kGainEdit;
    if (InRange(id, kGainEdit, last))
        return id - kGainEdit + kFreqEdit + 1;
    return id == kGainEdit + last ? kFreqEdit : 0;
}

CNumEdit* CInPutDlg::EditOfId(int id) {
    if (InRange(id, kFreqEdit, kBands))
        return &m_editFreq[id - kFreqEdit];
    if (InRange(id, kQEdit, kBands))
        return &m_editQ[id - kQEdit];
    if (InRange(id, kGainEdit, kBands))
        return &m_editGain[id - kGainEdit];
    return nullptr;
}

void CInPutDlg::FocusEdit(int id) {
    CNumEdit* edit = EditOfId(id);
    if (!edit)
        return;
    edit->SetFocus();
    SelectBand((id - kFreqEdit) % 50);
}

void CInPutDlg::FocusNextEdit(int id) {
    FocusEdit(NextEditId(id, m_bGeq));
}

void CInPutDlg::FocusPrevEdit(int id) {
    FocusEdit(PrevEditId(id, m_bGeq));
}

void CInPutDlg::FocusFirstEdit() {
    if (Focused().edit)
        return;
    PostMessage(WM_NUMEDIT_NAVIGATE, m_bGeq ? kGainEdit - 1 : kFreqEdit - 1, VK_RIGHT);
    SetActiveEdit(-1, ROW_GAIN, FALSE);
    SelectBand(0);
}

LRESULT CInPutDlg::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    const int id = static_cast<int>(wParam);
    // The ids just before a row stand for "the first edit" (FocusFirstEdit).
    if (lParam == VK_RIGHT && (id == kFreqEdit - 1 || id == kGainEdit - 1))
        FocusEdit(id + 1);
    else if (lParam == VK_LEFT)
        FocusPrevEdit(id);
    else if (lParam == VK_RIGHT)
        FocusNextEdit(id);
    // The pointer leaves the graph so that hovering does not compete with the keys.
    CRect graph;
    m_graph.GetWindowRect(&graph);
    CPoint cursor;
    if (GetCursorPos(&cursor) && graph.PtInRect(cursor)) {
        CRect client;
        m_graph.GetClientRect(&client);
        SetCursorPos(graph.left, client.Height());
    }
    return 0;
}

LRESULT CInPutDlg::OnNumEditEnter(WPARAM wParam, LPARAM) {
    const int id = static_cast<int>(wParam);
    if (CNumEdit* edit = EditOfId(id))
        edit->CommitText();
    FocusEdit(EnterEditId(id));
    return 0;
}

// ---- Language ------------------------------------------------------------------------------------

void CInPutDlg::ApplyLanguage() {
    const bool cn = g_bChinese.load() != 0;
    if (cn) {
        m_btnResetAll.SetBitmaps(7004, 7003, 7003, 7004, 7003, 7003);
        m_btnResetAll.SetDisabledBitmaps(7012, 7013);
        m_btnBypassAll.SetBitmaps(7000, 7005, 7005, 7002, 7001, 7001);
        m_btnBypassAll.SetDisabledBitmaps(7010, 7011);
        m_btnEqMode.SetBitmaps(744, 747, 747, 746, 745, 745);
        m_btnEqMode.SetDisabledBitmaps(753, 755);
    } else {
        m_btnResetAll.SetBitmaps(359, 360, 360, 359, 360, 360);
        m_btnResetAll.SetDisabledBitmaps(7022, 7023);
        m_btnBypassAll.SetBitmaps(8820, 8821, 8821, 8822, 8823, 8823);
        m_btnBypassAll.SetDisabledBitmaps(7020, 7021);
        m_btnEqMode.SetBitmaps(740, 743, 743, 742, 741, 741);
        m_btnEqMode.SetDisabledBitmaps(749, 751);
    }
    for (UINT m = 0; m < 3; ++m) {
        const UINT a = (cn ? 4420 : 679) + 3 * m;
        m_btnAux[m].SetBitmaps(a, a + 1, a + 2, a + 2, a + 2, a + 2);
    }
    for (UINT k = 0; k < 2; ++k) {
        const UINT h = (cn ? 3140 : 3150) + 3 * k;
        m_btnHiLevel[k].SetBitmaps(h, h + 1, h + 2, h + 2, h + 2, h + 2);
    }
    SetInputButtonLooks();
    UpdateSourceButton();
    m_btnGeqPic.SetCheck(cn ? 1 : 0);
    ShowSelectedInputPicture();
    if (m_inputBar.GetSafeHwnd())
        m_inputBar.RedrawButtons();
    Invalidate(FALSE);
}
