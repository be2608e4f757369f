#include "pages/level/Level_Delay_Dlg.h"

#include "controls/AppObjects.h"
#include "controls/ControlMessages.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/RecordRanges.h"
#include "pages/level/LevelPageHost.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "res/LevelPageArt.h"
#include "res/OutputPageArt.h"

#include <algorithm>
#include <mutex>

using namespace levelpage;
namespace art = res::levelpage;

namespace {

// Fader art: the master and the outputs share the output page's level faders.
constexpr UINT kMasterChannel = 357;
constexpr UINT kMasterThumb = 358;
constexpr UINT kActiveThumb = 282;
constexpr UINT kOutputChannel = 539;
constexpr UINT kOutputThumb = 538;
// The output on/off looks: muted, then sounding (the output page's master looks, per language).
constexpr UINT kOnLooks = 526;
constexpr int kMaxDelay = range::kDelay.hi;
constexpr COLORREF kWell = RGB(14, 17, 20);
constexpr COLORREF kWellEdge = RGB(44, 50, 58);
constexpr COLORREF kCaption = RGB(154, 163, 178);

int CodeOf(int n) {
    return CDelayLevelHelper::CodeOf(n);
}

int DelayTypeOf(int unit) {
    return unit == DELAY_UNIT_CM ? NUMTYPE_DELAY_CM
                                 : (unit == DELAY_UNIT_INCH ? NUMTYPE_DELAY_INCH : NUMTYPE_DELAY_MS);
}

} // namespace

BEGIN_MESSAGE_MAP(CLevel_Delay_Dlg, CPageFrame)
ON_COMMAND(kMasterEdit, &CLevel_Delay_Dlg::OnMasterVolume)
ON_COMMAND(kMasterSpin, &CLevel_Delay_Dlg::OnMasterVolume)
ON_COMMAND(kMasterOn, &CLevel_Delay_Dlg::OnMasterOnOff)
ON_COMMAND_RANGE(kInputEdit, kInputEdit + kInputCount - 1, &CLevel_Delay_Dlg::OnInputLevelCommand)
ON_COMMAND_RANGE(kInputSpin, kInputSpin + kInputCount - 1, &CLevel_Delay_Dlg::OnInputLevelCommand)
ON_COMMAND_RANGE(kOutputEdit, kOutputEdit + kOutputCount - 1, &CLevel_Delay_Dlg::OnOutputLevelCommand)
ON_COMMAND_RANGE(kOutputSpin, kOutputSpin + kOutputCount - 1, &CLevel_Delay_Dlg::OnOutputLevelCommand)
ON_COMMAND_RANGE(kOutputOn, kOutputOn + kOutputCount - 1, &CLevel_Delay_Dlg::OnOutputOnOffCommand)
ON_COMMAND_RANGE(kOutputPhase, kOutputPhase + kOutputCount - 1, &CLevel_Delay_Dlg::OnOutputPhaseCommand)
ON_COMMAND_RANGE(kInputButton, kInputButton + kInputCount - 1, &CLevel_Delay_Dlg::OnInputButtonCommand)
ON_COMMAND_RANGE(kDelayField, kDelayField + kDelayFieldCount - 1, &CLevel_Delay_Dlg::OnDelayCommand)
ON_COMMAND_RANGE(kDelaySpin, kDelaySpin + kDelayFieldCount - 1, &CLevel_Delay_Dlg::OnDelayCommand)
ON_COMMAND_RANGE(kUnitMs, kUnitInch, &CLevel_Delay_Dlg::OnUnitCommand)
ON_COMMAND_RANGE(kPositionButton, kPositionButton + kPositionButtonCount - 1,
                 &CLevel_Delay_Dlg::OnPositionCommand)
ON_COMMAND_RANGE(kLinkToggle, kLinkToggle + kLinkToggleCount - 1, &CLevel_Delay_Dlg::OnLinkToggleCommand)
ON_COMMAND(kOutputPageButton, &CLevel_Delay_Dlg::OnOutputPageButton)
ON_MESSAGE(WM_SLIDER_MOVING, &CLevel_Delay_Dlg::OnSliderMoving)
ON_MESSAGE(WM_SLIDER_MOVED, &CLevel_Delay_Dlg::OnSliderMoved)
ON_MESSAGE(WM_SET_CUR_INPUT, &CLevel_Delay_Dlg::OnSetCurInput)
ON_MESSAGE(WM_CUR_INPUT_CHANGED, &CLevel_Delay_Dlg::OnCurInputChanged)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &CLevel_Delay_Dlg::OnNumEditNavigate)
ON_MESSAGE(WM_SPIN_STEP, &CLevel_Delay_Dlg::OnSpinStep)
ON_MESSAGE(WM_CONTROL_MOUSEMOVE, &CLevel_Delay_Dlg::OnControlMouseMove)
END_MESSAGE_MAP()

CLevel_Delay_Dlg::CLevel_Delay_Dlg(CWnd* parent) : CPageFrame(IDD, parent) {
    RegisterLevelPageLayout();
}

BOOL CLevel_Delay_Dlg::CreatePage(CWnd* parent, CLevelPageHost* host, CKTV_Data* data) {
    m_pView = host;
    m_pData = data;
    m_levels.Attach(data, host);
    return CreatePageWindow(parent);
}

void CLevel_Delay_Dlg::DoDataExchange(CDataExchange* dx) {
    CPageFrame::DoDataExchange(dx);
    DDX_Control(dx, kMasterEdit, m_editMaster);
    DDX_Control(dx, kMasterSpin, m_spinMaster);
    DDX_Control(dx, kMasterFader, m_sliderMaster);
    DDX_Control(dx, kMasterOn, m_btnMaster);
    DDX_Control(dx, kLRLinkPicture, m_picLRLink);
    DDX_Control(dx, kOutputPageButton, m_btnOutputPage);
    for (int n = 0; n < kInputCount; ++n) {
        DDX_Control(dx, kInputEdit + n, m_editInput[n]);
        DDX_Control(dx, kInputSpin + n, m_spinInput[n]);
        DDX_Control(dx, kInputFader + n, m_sliderInput[n]);
        DDX_Control(dx, kInputButton + n, m_btnInput[n]);
    }
    for (int n = 0; n < kOutputCount; ++n) {
        DDX_Control(dx, kOutputEdit + n, m_editOutput[n]);
        DDX_Control(dx, kOutputSpin + n, m_spinOutput[n]);
        DDX_Control(dx, kOutputFader + n, m_sliderOutput[n]);
        DDX_Control(dx, kOutputOn + n, m_btnOn[n]);
        DDX_Control(dx, kOutputPhase + n, m_btnPhase[n]);
        DDX_Control(dx, kMeter + n, m_meter[n]);
        DDX_Control(dx, kOutputLabel + n, m_btnLabel[n]);
        DDX_Control(dx, kBlankLabel + n, m_btnBlank[n]);
    }
    for (int u = 0; u < 3; ++u)
        DDX_Control(dx, kUnitMs + u, m_btnUnit[u]);
    for (int k = 0; k < kDelayFieldCount; ++k) {
        DDX_Control(dx, kDelayField + k, m_editDelay[k]);
        DDX_Control(dx, kDelaySpin + k, m_spinDelay[k]);
    }
    for (int b = 0; b < kPositionButtonCount; ++b)
        DDX_Control(dx, kPositionButton + b, m_btnPosition[b]);
    for (int t = 0; t < kLinkToggleCount; ++t)
        DDX_Control(dx, kLinkToggle + t, m_btnLink[t]);
}

BOOL CLevel_Delay_Dlg::OnInitDialog() {
    CPageFrame::OnInitDialog();
    m_bmpBackEn.LoadBitmap(art::kBackgroundEn);
    m_bmpBackCn.LoadBitmap(art::kBackgroundZh);
    HoldPagePointer(g_pLevelPage, this);
    InitControls();
    ClearOutputMeters();
    m_editMaster.SetFocus();
    return TRUE;
}

void CLevel_Delay_Dlg::InitControls() {
    CFont* font = g_fontArial14.GetSafeHandle() ? &g_fontArial14 : nullptr;
    m_picLRLink.ShowWindow(SW_HIDE);
    if (m_bmpLRLink.LoadBitmap(art::kLRLinkPictureId))
        m_picLRLink.SetBitmap(static_cast<HBITMAP>(m_bmpLRLink.GetSafeHandle()));
    // Master: 0..66 shown as value - 60 dB.
    m_spinMaster.SetBuddy(&m_editMaster);
    m_spinMaster.SetRange32(0, CLevelBindings::kMaxMaster);
    m_editMaster.SetStep(1.0);
    m_editMaster.SetOffset(60.0);
    m_editMaster.SetType(NUMTYPE_LEVEL_DB, CString());
    m_editMaster.SetLimitText(6);
    m_editMaster.SetBuddySlider(&m_sliderMaster);
    if (font)
        m_editMaster.SetFont(font);
    m_btnMaster.EnableMoveNotify(TRUE);
    m_sliderMaster.SetVertical(TRUE);
    m_sliderMaster.SetChannelBitmaps(kMasterChannel, kMasterChannel);
    m_sliderMaster.SetThumbBitmaps(kMasterThumb, kActiveThumb);
    m_sliderMaster.SetRange(0, CLevelBindings::kMaxMaster);
    m_sliderMaster.SetBuddyEdit(&m_editMaster);
    m_sliderMaster.EnableMoveNotify(TRUE);
    // Inputs: 0..600 shown as value x 0.1 - 60 dB.
    for (int n = 0; n < kInputCount; ++n) {
        m_spinInput[n].SetBuddy(&m_editInput[n]);
        m_spinInput[n].SetRange32(0, CLevelBindings::kMaxLevel);
        m_editInput[n].SetStep(0.1);
        m_editInput[n].SetOffset(60.0);
        m_editInput[n].SetType(NUMTYPE_LEVEL_DBU, CString());
        m_editInput[n].SetLimitText(6);
        m_editInput[n].SetBuddySlider(&m_sliderInput[n]);
        if (font)
            m_editInput[n].SetFont(font);
        m_sliderInput[n].SetVertical(TRUE);
        m_sliderInput[n].SetChannelBitmaps(art::kInputChannel, art::kInputChannel);
        m_sliderInput[n].SetThumbBitmaps(art::kInputThumb, kActiveThumb);
        m_sliderInput[n].SetRange(0, CLevelBindings::kMaxLevel);
        m_sliderInput[n].SetMargins(25, 0, 1, 2);
        m_sliderInput[n].SetBuddyEdit(&m_editInput[n]);
        m_sliderInput[n].EnableMoveNotify(TRUE);
        const UINT base = art::kInputEn + static_cast<UINT>(n);
        m_btnInput[n].SetBitmaps(base, base + 10, base + 20, base + 20, base + 20, base + 20);
        m_btnInput[n].EnableMoveNotify(TRUE);
    }
    for (int n = 0; n < kInputCount; ++n) {
        InputColumnPlace& place = m_inputPlaces[n];
        m_sliderInput[n].GetWindowRect(&place.fader);
        ScreenToClient(&place.fader);
        m_editInput[n].GetWindowRect(&place.edit);
        ScreenToClient(&place.edit);
        m_btnInput[n].GetWindowRect(&place.button);
        ScreenToClient(&place.button);
        m_spinInput[n].GetWindowRect(&place.spin);
        ScreenToClient(&place.spin);
    }
    // Outputs.
    for (int n = 0; n < kOutputCount; ++n) {
        m_spinOutput[n].SetBuddy(&m_editOutput[n]);
        m_spinOutput[n].SetRange32(0, CLevelBindings::kMaxLevel);
        m_editOutput[n].SetStep(0.1);
        m_editOutput[n].SetOffset(60.0);
        m_editOutput[n].SetType(NUMTYPE_LEVEL_DBU, CString());
        m_editOutput[n].SetLimitText(6);
        m_editOutput[n].SetBuddySlider(&m_sliderOutput[n]);
        if (font)
            m_editOutput[n].SetFont(font);
        m_sliderOutput[n].SetVertical(TRUE);
        m_sliderOutput[n].SetChannelBitmaps(kOutputChannel, kOutputChannel);
        m_sliderOutput[n].SetThumbBitmaps(kOutputThumb, kActiveThumb);
        m_sliderOutput[n].SetRange(0, CLevelBindings::kMaxLevel);
        m_sliderOutput[n].SetBuddyEdit(&m_editOutput[n]);
        m_sliderOutput[n].EnableMoveNotify(TRUE);
        m_btnOn[n].SetBitmaps(kOnLooks, kOnLooks + 1, kOnLooks + 2, kOnLooks + 3, kOnLooks + 4, kOnLooks + 5);
        m_btnOn[n].SetDisabledBitmaps(art::kOnDisabled, art::kOnDisabled + 1);
        m_btnOn[n].EnableMoveNotify(TRUE);
        m_btnPhase[n].EnableMoveNotify(TRUE);
        m_meter[n].CalcLayout();
        m_btnBlank[n].SetDisabledBitmaps(art::kLabelEn, art::kLabelEn);
    }
    // Position buttons and link toggles; the centre places as laid out.
    for (int code = 1; code <= 24; ++code) {
        const CDelayPositions::Position& p = CDelayPositions::Of(code);
        CBtnPng& b = PositionButton(p.button);
        b.SetPngImages(p.image, p.image + 1, p.image + 2);
        b.SetCheckedPngImages(p.image + 2, p.image + 2, p.image + 2);
        b.EnableMoveNotify(TRUE);
    }
    for (int t = 0; t < kLinkToggleCount; ++t) {
        const UINT up = CDelayPositions::ToggleImage(t, FALSE);
        const UINT down = CDelayPositions::ToggleImage(t, TRUE);
        m_btnLink[t].SetPngImages(up, up + 1, up + 2);
        m_btnLink[t].SetCheckedPngImages(down, down + 1, down + 2);
        m_btnLink[t].EnableMoveNotify(TRUE);
    }
    CWnd* centre[4] = {&PositionButton(6052), &PositionButton(6053), &m_editDelay[6], &m_editDelay[7]};
    for (int i = 0; i < 4; ++i) {
        centre[i]->GetWindowRect(&m_rcCentre[i]);
        ScreenToClient(&m_rcCentre[i]);
    }
    // Delay fields: stepped by their spin in the unit shown (one sample, one whole cm or inch).
    const int type = DelayTypeOf(g_nDelayUnit.load());
    for (int k = 0; k < kDelayFieldCount; ++k) {
        CNumEdit& field = m_editDelay[k];
        if (font)
            field.SetFont(font);
        field.CreateSpinButton(kDelaySpinButton + k);
        field.SpinButton().SetBitmaps(800, 801, 802, 803);
        field.BindSpinButton(kDelaySpin + k, &m_spinDelay[k]);
        m_spinDelay[k].SetBuddy(&field);
        m_spinDelay[k].SetRange32(0, kMaxDelay);
        m_spinDelay[k].SetStepMode(2);
        field.SetType(type, CString());
        field.SetLimitText(10);
        m_spinDelay[k].SetPos(0);
    }
    // The keyboard order: master, inputs, delay fields, outputs, then the way back to the output
    // page, so the keyboard can leave the page as well.
    int i = 0;
    m_navOrder[i++] = kMasterEdit;
    for (int n = 0; n < kInputCount; ++n)
        m_navOrder[i++] = kInputEdit + n;
    for (int k = 0; k < kDelayFieldCount; ++k)
        m_navOrder[i++] = kDelayField + k;
    for (int n = 0; n < kOutputCount; ++n)
        m_navOrder[i++] = kOutputEdit + n;
    m_navOrder[i++] = kOutputPageButton;
}

// ---- Painting and keys ---------------------------------------------------------------------------

BOOL CLevel_Delay_Dlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CLevel_Delay_Dlg::OnPaint() {
    CPaintDC dc(this);
    CBitmap& back = g_bChinese.load() ? m_bmpBackCn : m_bmpBackEn;
    if (back.GetSafeHandle()) {
        DrawBitmap(&dc, &back, 0, 0);
    } else {
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, RGB(27, 30, 36));
    }
    // A recess under each delay field shown: the fields stand where the outputs' positions are.
    for (CNumEdit& field : m_editDelay)
        if (field.GetSafeHwnd() && (field.GetStyle() & WS_VISIBLE)) {
            CRect rc;
            field.GetWindowRect(&rc);
            ScreenToClient(&rc);
            rc.InflateRect(2, 2);
            dc.FillSolidRect(&rc, kWellEdge);
            rc.DeflateRect(1, 1);
            dc.FillSolidRect(&rc, kWell);
        }
    // The caption of the L/R link picture, while it shows.
    if (m_picLRLink.GetSafeHwnd() && (m_picLRLink.GetStyle() & WS_VISIBLE)) {
        CRect rc;
        m_picLRLink.GetWindowRect(&rc);
        ScreenToClient(&rc);
        CFont* old = g_fontArial12.GetSafeHandle() ? dc.SelectObject(&g_fontArial12) : nullptr;
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kCaption);
        CRect text(rc.right + 6, rc.top - 3, rc.right + 150, rc.bottom + 3);
        dc.DrawText(CString(g_bChinese.load() ? "左右联调" : "L/R link"), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (old)
            dc.SelectObject(old);
    }
}

BOOL CLevel_Delay_Dlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        const Focus focused = Focused();
        CWnd* focus = focused.wnd;
        const bool edit = focused.edit;
        const WPARAM id = focused.id;
        // The way back to the output page: the last place of the keyboard order, and where Tab
        // from outside the fields (after Escape) goes; Enter or Space presses it.
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (focus && focus == &m_btnOutputPage) {
            if (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE) {
                OnOutputPageButton();
                return TRUE;
            }
            if (msg->wParam == VK_TAB) {
                if (const int target = NavTarget(kOutputPageButton, back ? VK_LEFT : VK_RIGHT))
                    FocusControl(target);
                return TRUE;
            }
        }
        switch (msg->wParam) {
        case VK_RETURN:
            // Enter moves on like Tab and never closes the page.
            if (edit)
                PostMessage(WM_NUMEDIT_NAVIGATE, id, VK_RIGHT);
            return TRUE;
        case VK_TAB:
            // Shift+Tab walks the order backwards.
            if (edit)
                PostMessage(WM_NUMEDIT_NAVIGATE, id, back ? VK_LEFT : VK_RIGHT);
            else
                FocusEntry();
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

// ---- Page-wide -----------------------------------------------------------------------------------

void CLevel_Delay_Dlg::RefreshAll() {
    // Every control would paint itself over the page's background as it is set; held back, the
    // page paints once after the reload.
    const bool outer = m_nRedrawHold++ == 0 && GetSafeHwnd();
    if (outer)
        SetRedraw(FALSE);
    RefreshAllNow();
    if (outer) {
        SetRedraw(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    --m_nRedrawHold;
}

void CLevel_Delay_Dlg::RefreshAllNow() {
    const BOOL chinese = g_bChinese.load() ? TRUE : FALSE;
    // Master.
    const int master = CLevelBindings::MasterVolume();
    m_spinMaster.SetPos(master);
    m_sliderMaster.SetPos(master);
    m_btnMaster.SetCheck(CLevelBindings::MasterOn() ? 1 : 0);
    m_picLRLink.ShowWindow(g_bLRLinked.load() ? SW_SHOW : SW_HIDE);
    // Inputs.
    for (int n = 0; n < kInputCount; ++n) {
        const int level = std::max(0, m_levels.InputLevel(n));
        m_spinInput[n].SetPos(level);
        m_sliderInput[n].SetPos(level);
        m_spinInput[n].EnableWindow(TRUE);
        m_sliderInput[n].EnableSlider(TRUE);
    }
    ShowAuxColumns();
    m_nMarkedOutput = -1;
    // Outputs.
    for (int n = 0; n < kOutputCount; ++n) {
        CKTV_OutData* out = m_levels.Output(n);
        const int level = out ? out->GetEffectiveLevel() : 0;
        m_spinOutput[n].SetPos(level);
        m_sliderOutput[n].SetPos(level);
        m_editOutput[n].ShowWindow(SW_SHOW);
        m_spinOutput[n].ShowWindow(SW_SHOW);
        m_sliderOutput[n].ShowWindow(SW_SHOW);
        m_btnOn[n].ShowWindow(SW_SHOW);
        m_btnOn[n].SetCheck(out && out->GetEnabled() ? 1 : 0);
        m_btnPhase[n].ShowWindow(SW_SHOW);
        m_btnPhase[n].SetCheck(out && out->GetPolarity() ? 1 : 0);
        const UINT label = (chinese ? art::kLabelZh : art::kLabelEn) + static_cast<UINT>(CodeOf(n));
        m_btnLabel[n].SetDisabledBitmaps(label, label);
    }
    ShowOutputColumns();
    // Delay fields and position buttons: hidden, then shown for the outputs bound to them.
    for (int k = 0; k < kDelayFieldCount; ++k) {
        m_editDelay[k].ShowWindow(SW_HIDE);
        m_editDelay[k].SetReadOnly(FALSE);
        m_spinDelay[k].SetChannel(-1);
    }
    for (CBtnPng& b : m_btnPosition) {
        b.ShowWindow(SW_HIDE);
        b.SetCheck(0);
        b.SetChannel(-1);
    }
    for (int n = 0; n < kOutputCount; ++n) {
        BindPositionDelay(CodeOf(n), n);
        if (CNumSpin* spin = m_delays.Binding(n).spin)
            if (CKTV_OutData* out = m_levels.Output(n))
                spin->SetPos(out->GetDelay());
    }
    SetDelayUnit(g_nDelayUnit.load());
    ShowGroupLinks();
}

void CLevel_Delay_Dlg::ShowAuxColumns() {
    const int mode = g_nInputGroup;
    for (int n = 4; n < kInputCount; ++n) {
        // Mode 0 shows AUX2 and AUX3, mode 1 AUX2 only, mode 2 neither.
        const bool shown = n == 4 ? mode == 0 || mode == 1 : mode == 0;
        const int command = shown ? SW_SHOW : SW_HIDE;
        m_sliderInput[n].ShowWindow(command);
        m_editInput[n].ShowWindow(command);
        m_spinInput[n].ShowWindow(command);
        m_btnInput[n].ShowWindow(command);
    }
}

void CLevel_Delay_Dlg::ShowOutputColumns() {
    for (int n = 0; n < kOutputCount; ++n) {
        const bool mapped = CodeOf(n) != 0;
        m_meter[n].ShowWindow(mapped ? SW_SHOW : SW_HIDE);
        m_btnBlank[n].ShowWindow(mapped ? SW_HIDE : SW_SHOW);
        m_btnLabel[n].ShowWindow(mapped ? SW_SHOW : SW_HIDE);
        if (!mapped) {
            // The arrows go with their field.
            m_editOutput[n].ShowWindow(SW_HIDE);
            m_spinOutput[n].ShowWindow(SW_HIDE);
            m_sliderOutput[n].ShowWindow(SW_HIDE);
            m_btnOn[n].ShowWindow(SW_HIDE);
            m_btnPhase[n].ShowWindow(SW_HIDE);
        }
    }
}

void CLevel_Delay_Dlg::ApplyLanguage() {
    const BOOL chinese = g_bChinese.load() ? TRUE : FALSE;
    m_editMaster.ApplyLanguage();
    for (CNumEdit& e : m_editInput)
        e.ApplyLanguage();
    for (CNumEdit& e : m_editOutput)
        e.ApplyLanguage();
    for (CNumEdit& e : m_editDelay)
        e.ApplyLanguage();
    const UINT master = chinese ? art::kMasterZh : art::kMasterEn;
    m_btnMaster.SetBitmaps(master, master + 1, master + 2, master + 3, master + 4, master + 5);
    SkinInputButtons();
    const UINT phase = chinese ? art::kPhaseZh : art::kPhaseEn;
    const UINT labels = chinese ? art::kLabelZh : art::kLabelEn;
    const UINT on = chinese ? res::outpage::kMasterOnZh : kOnLooks;
    const UINT onDisabled = chinese ? art::kOnDisabledZh : art::kOnDisabled;
    for (int n = 0; n < kOutputCount; ++n) {
        m_btnOn[n].SetBitmaps(on, on + 1, on + 2, on + 3, on + 4, on + 5);
        m_btnOn[n].SetDisabledBitmaps(onDisabled, onDisabled + 1);
        const UINT label = labels + static_cast<UINT>(CodeOf(n));
        m_btnLabel[n].SetDisabledBitmaps(label, label);
        m_btnBlank[n].SetDisabledBitmaps(labels, labels);
        m_btnPhase[n].SetBitmaps(phase, phase + 1, phase + 2, phase + 3, phase + 4, phase + 5);
        m_btnPhase[n].SetDisabledBitmaps(phase + 8, phase + 9);
    }
    const UINT unit = chinese ? art::kUnitZh : art::kUnitEn;
    for (int u = 0; u < 3; ++u) {
        const UINT first = unit + static_cast<UINT>(3 * u);
        m_btnUnit[u].SetBitmaps(first, first + 1, first + 2, first + 2, first + 2, first + 2);
    }
    const UINT back = chinese ? art::kOutputPageZh : art::kOutputPageEn;
    m_btnOutputPage.SetBitmaps(back, back + 1, back + 2);
    Invalidate(FALSE);
}

void CLevel_Delay_Dlg::ClearOutputMeters() {
    for (CSLamp& meter : m_meter)
        if (meter.GetSafeHwnd())
            meter.ClearLamps();
}

void CLevel_Delay_Dlg::ShowOutputMeters() {
    for (int n = 0; n < kOutputCount; ++n)
        if (m_meter[n].GetSafeHwnd())
            m_meter[n].SetLevel(static_cast<DWORD>(g_devStateBytes[6 + n].load()) & 0xFFu);
}

void CLevel_Delay_Dlg::ShowInputButtons() {
    ArrangeInputColumns();
    SkinInputButtons();
    CheckInputButton(g_nCurInput.load());
}

void CLevel_Delay_Dlg::ArrangeInputColumns() {
    // Columns 2, 4, 5 and 6 take the places of columns 1 to 4; 1 (S/PDIF) and 3 (Phone) go.
    constexpr int kHidden[] = {0, 2};
    constexpr int kMoved[] = {1, 3, 4, 5};
    for (int n : kHidden) {
        m_sliderInput[n].ShowWindow(SW_HIDE);
        m_editInput[n].ShowWindow(SW_HIDE);
        m_spinInput[n].ShowWindow(SW_HIDE);
        m_btnInput[n].ShowWindow(SW_HIDE);
    }
    const auto place = [](CWnd& w, const CRect& rc) {
        w.SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (int to = 0; to < 4; ++to) {
        const int n = kMoved[to];
        const InputColumnPlace& p = m_inputPlaces[to];
        place(m_sliderInput[n], p.fader);
        place(m_editInput[n], p.edit);
        place(m_spinInput[n], p.spin);
        place(m_btnInput[n], p.button);
    }
    Invalidate(FALSE);
}

// ---- Input choice --------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnInputButtonCommand(UINT id) {
    SelectInput(static_cast<int>(id) - kInputButton);
}

void CLevel_Delay_Dlg::SelectInput(int n) {
    const CLevelBindings::InputChoice choice = m_levels.SelectInput(n);
    if (choice.holdReleased)
        SkinInputButtons();
    if (choice.changed) {
        CheckInputButton(n);
        if (m_pView)
            m_pView->ShowCurrentInput(n);
    }
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::ReleaseInputHold() {
    if (m_levels.ReleaseInputHold())
        SkinInputButtons();
}

void CLevel_Delay_Dlg::SkinInputButtons() {
    BYTE hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    const UINT first = g_bChinese.load() ? art::kInputZh : art::kInputEn;
    for (int n = 0; n < kInputCount; ++n) {
        const UINT base = first + static_cast<UINT>(n);
        const UINT selected = hold ? base + 30 : base + 20;
        m_btnInput[n].SetBitmaps(base, base + 10, base + 20, selected, selected, selected);
    }
}

void CLevel_Delay_Dlg::CheckInputButton(int n) {
    for (int i = 0; i < kInputCount; ++i)
        m_btnInput[i].SetCheck(i == n ? 1 : 0);
}

LRESULT CLevel_Delay_Dlg::OnCurInputChanged(WPARAM wParam, LPARAM lParam) {
    BYTE hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    if (static_cast<BYTE>(wParam) != hold)
        SkinInputButtons();
    if (static_cast<int>(lParam) != g_nCurInput.load())
        CheckInputButton(g_nCurInput.load());
    return 0;
}

LRESULT CLevel_Delay_Dlg::OnSetCurInput(WPARAM, LPARAM lParam) {
    if (static_cast<int>(lParam) == g_nCurInput.load())
        CheckInputButton(static_cast<int>(lParam));
    return 0;
}

// ---- Levels --------------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnMasterVolume() {
    const int v = m_spinMaster.RefreshFromBuddy();
    const CLevelBindings::MasterChange change = m_levels.SetMasterVolume(v);
    if (change.stored) {
        if (change.switchedOn)
            m_btnMaster.SetCheck(1);
        m_sliderMaster.SetPos(v);
    }
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::OnMasterOnOff() {
    const int state = m_btnMaster.GetCheck() ? 0 : 1;
    m_levels.SetMasterOn(state);
    m_btnMaster.SetCheck(state);
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::OnInputLevelCommand(UINT id) {
    const int n = static_cast<int>(id) - (static_cast<int>(id) >= kInputSpin ? kInputSpin : kInputEdit);
    OnInputLevel(n);
}

void CLevel_Delay_Dlg::OnInputLevel(int n) {
    if (n < 0 || n >= kInputCount)
        return;
    const int v = m_spinInput[n].RefreshFromBuddy();
    m_levels.SetInputLevel(n, v);
    m_sliderInput[n].SetPos(v);
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::OnInputSlider(int n) {
    const int v = m_sliderInput[n].GetPos();
    if (m_levels.SetInputLevel(n, v))
        m_spinInput[n].SetPos(v);
}

void CLevel_Delay_Dlg::OnOutputLevelCommand(UINT id) {
    const int n = static_cast<int>(id) - (static_cast<int>(id) >= kOutputSpin ? kOutputSpin : kOutputEdit);
    OnOutputLevel(n);
}

void CLevel_Delay_Dlg::OnOutputLevel(int n) {
    if (n < 0 || n >= kOutputCount)
        return;
    const int v = m_spinOutput[n].RefreshFromBuddy();
    const CLevelBindings::OutputChange change = m_levels.SetOutputLevel(n, v);
    if (change.stored) {
        m_sliderOutput[n].SetPos(v);
        if (change.switchedOn)
            m_btnOn[n].SetCheck(1);
    }
    ShowLinkedLevels(n);
    MarkOutputIfNew(n);
}

void CLevel_Delay_Dlg::OnOutputSlider(int n) {
    const int v = m_sliderOutput[n].GetPos();
    const CLevelBindings::OutputChange change = m_levels.SetOutputLevel(n, v);
    if (change.stored) {
        m_spinOutput[n].SetPos(v);
        if (change.switchedOn)
            m_btnOn[n].SetCheck(1);
    }
    ShowLinkedLevels(n);
    MarkOutputIfNew(n);
}

void CLevel_Delay_Dlg::ShowLinkedLevels(int n) {
    int linked[kOutputCount];
    const int count = CLevelBindings::LinkedOutputs(n, linked);
    for (int i = 0; i < count; ++i) {
        const int level = std::max(0, m_levels.OutputLevel(linked[i]));
        m_spinOutput[linked[i]].SetPos(level);
        m_sliderOutput[linked[i]].SetPos(level);
        CheckPositionOf(linked[i]);
    }
}

void CLevel_Delay_Dlg::OnOutputOnOffCommand(UINT id) {
    OnOutputOnOff(static_cast<int>(id) - kOutputOn);
}

void CLevel_Delay_Dlg::OnOutputOnOff(int n) {
    if (n < 0 || n >= kOutputCount)
        return;
    const int state = m_btnOn[n].GetCheck() ? 0 : 1;
    m_nLastOnState = state;
    m_levels.SetOutputEnabled(n, state);
    m_btnOn[n].SetCheck(state);
    MarkOutput(n);
}

void CLevel_Delay_Dlg::CopyOnToLinked(int n, BOOL quiet) {
    int linked[kOutputCount];
    const int count = CLevelBindings::LinkedOutputs(n, linked);
    for (int i = 0; i < count; ++i) {
        m_levels.SetOutputEnabled(linked[i], m_nLastOnState);
        m_btnOn[linked[i]].SetCheck(m_nLastOnState);
        if (!quiet)
            CheckPositionOf(linked[i]);
    }
}

void CLevel_Delay_Dlg::OnOutputPhaseCommand(UINT id) {
    OnOutputPhase(static_cast<int>(id) - kOutputPhase);
}

void CLevel_Delay_Dlg::OnOutputPhase(int n) {
    if (n < 0 || n >= kOutputCount)
        return;
    const int polarity = m_btnPhase[n].GetCheck() ? 0 : 1;
    m_levels.SetOutputPolarity(n, polarity);
    m_btnPhase[n].SetCheck(polarity);
    CopyPhaseToLinked(n);
    MarkOutput(n);
}

void CLevel_Delay_Dlg::CopyPhaseToLinked(int) {
    // Each speaker of a linked pair keeps its own polarity: nothing is copied.
}

LRESULT CLevel_Delay_Dlg::OnSliderMoving(WPARAM wParam, LPARAM) {
    ApplySlider(static_cast<int>(wParam), FALSE);
    return 1;
}

LRESULT CLevel_Delay_Dlg::OnSliderMoved(WPARAM wParam, LPARAM) {
    ApplySlider(static_cast<int>(wParam), TRUE);
    return 1;
}

void CLevel_Delay_Dlg::ApplySlider(int id, BOOL released) {
    if (id == kMasterFader) {
        const int v = m_sliderMaster.GetPos();
        const CLevelBindings::MasterChange change = m_levels.SetMasterVolume(v);
        if (change.stored) {
            if (change.switchedOn)
                m_btnMaster.SetCheck(1);
            m_spinMaster.SetPos(v);
        }
        MarkOutput(-1);
        if (released)
            m_editMaster.SetFocus();
    } else if (id >= kInputFader && id < kInputFader + kInputCount) {
        OnInputSlider(id - kInputFader);
        MarkOutput(-1);
        if (released)
            m_editInput[id - kInputFader].SetFocus();
    } else if (id >= kOutputFader && id < kOutputFader + kOutputCount) {
        OnOutputSlider(id - kOutputFader);
        if (released)
            m_editOutput[id - kOutputFader].SetFocus();
    }
}

LRESULT CLevel_Delay_Dlg::OnControlMouseMove(WPARAM, LPARAM lParam) {
    const int id = static_cast<int>(lParam);
    if (id >= kOutputOn && id < kOutputOn + kOutputCount) {
        MarkOutput(id - kOutputOn);
        m_btnOn[id - kOutputOn].SetFocus();
    } else if (id >= kOutputPhase && id < kOutputPhase + kOutputCount) {
        MarkOutput(id - kOutputPhase);
        m_btnPhase[id - kOutputPhase].SetFocus();
    }
    return 0;
}

// ---- Marking and keyboard ------------------------------------------------------------------------

CBtnPng* CLevel_Delay_Dlg::ButtonOf(int n) {
    const int button = m_positions.Binding(n).button;
    return button ? &PositionButton(button) : nullptr;
}

void CLevel_Delay_Dlg::CheckPositionOf(int n) {
    if (CBtnPng* b = ButtonOf(n))
        b->SetCheck(1);
}

void CLevel_Delay_Dlg::MarkOutput(int n) {
    if (m_nMarkedOutput >= 0 && m_nMarkedOutput < kOutputCount) {
        const int group = g_nOutLinkGroup[m_nMarkedOutput].load();
        for (int i = 0; i < kOutputCount; ++i)
            if (i == m_nMarkedOutput || g_nOutLinkGroup[i].load() == group)
                if (CBtnPng* b = ButtonOf(i))
                    b->SetCheck(0);
    }
    if (n >= 0 && n < kOutputCount) {
        m_nMarkedOutput = n;
        CheckPositionOf(n);
    }
}

void CLevel_Delay_Dlg::MarkOutputIfNew(int n) {
    if (n != m_nMarkedOutput)
        MarkOutput(n);
}

int CLevel_Delay_Dlg::FindNavIndex(int id) const {
    for (int i = 0; i < kNavCount; ++i)
        if (m_navOrder[i] == id)
            return i;
    return 0;
}

CWnd* CLevel_Delay_Dlg::ControlOf(int id) {
    if (id == kMasterEdit)
        return &m_editMaster;
    if (id >= kInputEdit && id < kInputEdit + kInputCount)
        return &m_editInput[id - kInputEdit];
    if (id >= kOutputEdit && id < kOutputEdit + kOutputCount)
        return &m_editOutput[id - kOutputEdit];
    if (id >= kDelayField && id < kDelayField + kDelayFieldCount)
        return &m_editDelay[id - kDelayField];
    if (id == kOutputPageButton)
        return &m_btnOutputPage;
    return nullptr;
}

BOOL CLevel_Delay_Dlg::IsShown(int id) const {
    CWnd* control = const_cast<CLevel_Delay_Dlg*>(this)->ControlOf(id);
    return control && control->GetSafeHwnd() && (control->GetStyle() & WS_VISIBLE) != 0;
}

int CLevel_Delay_Dlg::NavTarget(int id, UINT key) const {
    const int index = FindNavIndex(id);
    if (key == VK_LEFT) {
        // From the first place (or an id outside the order) the search starts at the end.
        const int from = index == 0 ? kNavCount - 1 : index - 1;
        for (int i = from; i >= 0; --i)
            if (IsShown(m_navOrder[i]))
                return m_navOrder[i];
        return 0;
    }
    if (key == VK_RIGHT) {
        for (int i = index + 1; i < kNavCount; ++i)
            if (IsShown(m_navOrder[i]))
                return m_navOrder[i];
        return kMasterEdit;
    }
    return 0;
}

void CLevel_Delay_Dlg::FocusControl(int id) {
    if (CWnd* control = ControlOf(id)) {
        control->SetFocus();
        OnEditFocused(id);
    }
}

LRESULT CLevel_Delay_Dlg::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    const UINT key = static_cast<UINT>(lParam);
    if (key != VK_LEFT && key != VK_RIGHT)
        return 0;
    const int target = NavTarget(static_cast<int>(wParam), key);
    if (target)
        FocusControl(target);
    return 0;
}

void CLevel_Delay_Dlg::OnEditFocused(int id) {
    if (id >= kOutputEdit && id < kOutputEdit + kOutputCount) {
        const int n = id - kOutputEdit;
        ShowLinkedLevels(n);
        MarkOutputIfNew(n);
        CheckPositionOf(n);
    } else if (id >= kDelayField && id < kDelayField + kDelayFieldCount) {
        MarkOutput(m_spinDelay[id - kDelayField].GetChannel());
    } else {
        MarkOutput(-1);
    }
}

void CLevel_Delay_Dlg::FocusMasterIfNoEdit() {
    if (Focused().edit)
        return;
    m_editMaster.SetFocus();
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::OnOutputPageButton() {
    if (m_pView)
        m_pView->ShowOutputPage();
}

void CLevel_Delay_Dlg::FocusEntry() {
    m_btnOutputPage.SetFocus();
    MarkOutput(-1);
}

// ---- Time alignment ------------------------------------------------------------------------------

void CLevel_Delay_Dlg::BindPositionDelay(int code, int n) {
    const CDelayPositions::Position& p = m_positions.Bind(n, code);
    if (!p.button || p.field < 0) {
        m_positions.Unbind(n);
        m_delays.Unbind(n);
        return;
    }
    // The centre speakers go back to their own places first.
    if (code == CDelayPositions::kCentreTweeter || code == CDelayPositions::kCentreWoofer ||
        code == CDelayPositions::kCentreFull) {
        CWnd* centre[4] = {&PositionButton(6052), &PositionButton(6053), &m_editDelay[6], &m_editDelay[7]};
        for (int i = 0; i < 4; ++i) {
            if (code == CDelayPositions::kCentreFull && i == 2)
                continue;
            const CRect& rc = m_rcCentre[i];
            centre[i]->SetWindowPos(nullptr, rc.left, rc.top, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    m_spinDelay[p.field].SetChannel(n);
    m_editDelay[p.field].ShowWindow(SW_SHOW);
    CBtnPng& button = PositionButton(p.button);
    button.SetChannel(n);
    button.ShowWindow(SW_SHOW);
    m_delays.Bind(n, &m_editDelay[p.field], &m_spinDelay[p.field]);
}

void CLevel_Delay_Dlg::OnDelayCommand(UINT id) {
    const int k = static_cast<int>(id) - (static_cast<int>(id) >= kDelaySpin ? kDelaySpin : kDelayField);
    OnPositionDelay(k);
}

void CLevel_Delay_Dlg::OnPositionDelay(int k) {
    if (k < 0 || k >= kDelayFieldCount)
        return;
    const int n = m_spinDelay[k].GetChannel();
    if (n < 0 || n >= kOutputCount)
        return;
    ApplyOutputDelay(n);
}

void CLevel_Delay_Dlg::ApplyOutputDelay(int n) {
    CNumSpin* spin = m_delays.Binding(n).spin;
    CKTV_OutData* out = m_levels.Output(n);
    if (!spin || !out)
        return;
    const int v = spin->RefreshFromBuddy();
    if (v != out->GetDelay())
        out->SetDelay(v);
    MarkOutput(n);
}

LRESULT CLevel_Delay_Dlg::OnSpinStep(WPARAM wParam, LPARAM lParam) {
    // The spin has already stepped its own field; the linked members of its group follow.
    const int id = static_cast<int>(wParam);
    if (id < kDelaySpin || id >= kDelaySpin + kDelayFieldCount)
        return 0;
    const int n = m_spinDelay[id - kDelaySpin].GetChannel();
    const int code = CodeOf(n);
    if (n < 0 || code < 1 || code > 23)
        return 0;
    m_delays.StepLinkedDelays(n, static_cast<int>(lParam));
    return 0;
}

void CLevel_Delay_Dlg::OnPositionCommand(UINT id) {
    OnPositionButton(static_cast<int>(id));
}

void CLevel_Delay_Dlg::OnPositionButton(int button) {
    int outputs[kOutputCount];
    const int count = m_positions.OutputsOfButton(button, outputs);
    for (int i = 0; i < count; ++i) {
        const int field = m_positions.Binding(outputs[i]).field;
        MarkOutput(m_spinDelay[field].GetChannel());
        m_editDelay[field].SetFocus();
    }
}

void CLevel_Delay_Dlg::OnUnitCommand(UINT id) {
    const int unit = static_cast<int>(id) - kUnitMs + DELAY_UNIT_MS;
    if (unit == DELAY_UNIT_MS && g_nDelayUnit.load() == DELAY_UNIT_MS)
        return;
    SetDelayUnit(unit);
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::SetDelayUnit(int unit) {
    if (unit < DELAY_UNIT_MS || unit > DELAY_UNIT_INCH)
        return;
    // The unit is shared with the output page, which may have changed it since: every button
    // shows the unit, not only the one this page chose last.
    g_nDelayUnit = unit;
    for (int u = DELAY_UNIT_MS; u <= DELAY_UNIT_INCH; ++u)
        m_btnUnit[u - DELAY_UNIT_MS].SetCheck(u == unit ? 1 : 0);
    const int type = DelayTypeOf(unit);
    for (CNumEdit& field : m_editDelay)
        field.SetType(type, CString());
}

void CLevel_Delay_Dlg::OnLinkToggleCommand(UINT id) {
    ToggleGroupLink(CDelayLevelHelper::GroupOfToggle(id));
}

void CLevel_Delay_Dlg::ToggleGroupLink(int group) {
    const int flag = m_delays.ToggleGroupLink(group);
    if (flag < 0)
        return;
    if (const UINT toggle = CDelayLevelHelper::ToggleOf(group))
        LinkToggle(static_cast<int>(toggle)).SetCheck(flag);
    MarkOutput(-1);
}

void CLevel_Delay_Dlg::ShowGroupLinks() {
    for (CBtnPng& t : m_btnLink)
        t.ShowWindow(SW_HIDE);
    for (int group = 0; group < CDelayLevelHelper::kGroupCount; ++group) {
        const int* flag = CDelayLevelHelper::LinkFlag(group);
        const UINT toggle = CDelayLevelHelper::ToggleOf(group);
        if (!flag || *flag < 0 || !toggle)
            continue;
        CBtnPng& t = LinkToggle(static_cast<int>(toggle));
        t.SetCheck(*flag == 1 ? 1 : 0);
        t.ShowWindow(SW_SHOW);
        if (*flag == 1)
            m_delays.SetGroupDelayReadOnly(group, TRUE);
    }
}
