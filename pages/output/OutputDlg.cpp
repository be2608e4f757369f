#include "pages/output/OutputDlg.h"

#include "controls/AppObjects.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/RecordRanges.h"
#include "pages/output/OutStripLayout.h"
#include "pages/output/OutputFocusRing.h"
#include "pages/output/OutputPageHost.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/PaintDC.h"
#include "res/OutputPageArt.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <mutex>

using namespace outpage;

namespace {

constexpr int kFirstSubCode = 22; // codes above 21 are subwoofers
constexpr int kGainZero = 200;
constexpr int kShelfLists[3] = {kFirstShelfList, kLastShelfList, kBand8ShelfList};
constexpr int kShapeIds[4] = {kFirstLowShelf, kFirstPeak, kLastPeak, kLastHighShelf};
constexpr UINT kBackIds[6] = {287, 286, 758, 759, 784, 785};
constexpr int kTweeterCodes[] = {1, 7, 13, 16, 19};

int CodeOf(int output) {
    return output >= 0 && output < NUM_OUTPUTS ? g_posState[POS_STATE_OUTPUTS + output] : 0;
}

bool IsTweeter(int code) {
    return std::find(std::begin(kTweeterCodes), std::end(kTweeterCodes), code) != std::end(kTweeterCodes);
}

// The stored level byte of an input type that has one on this page (not input 4), else null.
BYTE* SourceLevelByte(int type) {
    if (type == 4)
        return nullptr;
    return g_pcSourceSet.SourceLevel(type);
}

} // namespace

BEGIN_MESSAGE_MAP(COutputDlg, CPageFrame)
ON_MESSAGE(WM_OUTPUT_SELECT, &COutputDlg::OnOutputSelectMessage)
ON_COMMAND(kMasterOn, &COutputDlg::OnMasterOnOff)
ON_MESSAGE(WM_COMBO_SELECT, &COutputDlg::OnComboSelect)
ON_CONTROL(1, kHpfFamily, &COutputDlg::OnHpfFamily)
ON_CONTROL(1, kHpfSlope, &COutputDlg::OnHpfSlope)
ON_CONTROL(1, kLpfFamily, &COutputDlg::OnLpfFamily)
ON_CONTROL(1, kLpfSlope, &COutputDlg::OnLpfSlope)
ON_CONTROL(1, kFirstShelfList, &COutputDlg::OnFirstShelfSlope)
ON_CONTROL(1, kLastShelfList, &COutputDlg::OnLastShelfSlope)
ON_CONTROL(1, kBand8ShelfList, &COutputDlg::OnBand8ShelfSlope)
ON_COMMAND(kHpfFreq, &COutputDlg::OnHpfFreq)
ON_COMMAND(kHpfSpin, &COutputDlg::OnHpfFreq)
ON_COMMAND(kLpfFreq, &COutputDlg::OnLpfFreq)
ON_COMMAND(kLpfSpin, &COutputDlg::OnLpfFreq)
ON_COMMAND_RANGE(kGainEdit, kGainSpin + kBandCount - 1, &COutputDlg::OnBandCommand)
ON_COMMAND_RANGE(kFreqEdit, kFreqSpin + kBandCount - 1, &COutputDlg::OnBandCommand)
ON_COMMAND_RANGE(kQEdit, kQSpin + kBandCount - 1, &COutputDlg::OnBandCommand)
ON_COMMAND_RANGE(kBypass, kBypass + kBandCount - 1, &COutputDlg::OnBypassCommand)
ON_COMMAND(kAllBypass, &COutputDlg::OnAllBypass)
ON_COMMAND(kPeqGeq, &COutputDlg::OnPeqGeq)
ON_COMMAND(kResetEq, &COutputDlg::OnResetAllEq)
ON_COMMAND(kSourceEdit, &COutputDlg::OnSourceLevelField)
ON_COMMAND(kSourceSpin, &COutputDlg::OnSourceLevelField)
ON_MESSAGE(WM_CURVE_BAND_CHANGED, &COutputDlg::OnCurveBandChanged)
ON_MESSAGE(WM_CURVE_KILLFOCUS, &COutputDlg::OnCurveKillFocus)
ON_MESSAGE(WM_CURVE_BAND_SELECT, &COutputDlg::OnCurveBandSelect)
ON_MESSAGE(WM_SLIDER_MOVING, &COutputDlg::OnSliderMoving)
ON_MESSAGE(WM_SLIDER_MOVED, &COutputDlg::OnSliderMoved)
ON_MESSAGE(WM_CONTROL_MOUSEMOVE, &COutputDlg::OnControlMouseMove)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &COutputDlg::OnNumEditNavigate)
ON_MESSAGE(WM_NUMEDIT_ENTER, &COutputDlg::OnNumEditEnter)
ON_MESSAGE(WM_OUTPUT_SET_POSITION, &COutputDlg::OnSetPositionMessage)
ON_MESSAGE(WM_OUTPUT_PASTE, &COutputDlg::OnPasteMessage)
ON_COMMAND_RANGE(kPositionIcon, kPositionIcon + kPositionIconCount - 1, &COutputDlg::OnMapCommand)
ON_COMMAND_RANGE(kMapLock, kMapSave, &COutputDlg::OnMapCommand)
ON_COMMAND_RANGE(COutputMap::kSubPositionFirst, COutputMap::kSubPositionLast,
                 &COutputDlg::OnSubPositionCommand)
ON_COMMAND_RANGE(kDelayUnitMs, kDelayUnitInch, &COutputDlg::OnDelayUnitCommand)
ON_COMMAND(kSubMode, &COutputDlg::OnSubLevelMode)
ON_COMMAND(kSubEdit, &COutputDlg::OnSubLevelEdit)
ON_COMMAND(kSubSpin, &COutputDlg::OnSubLevelSpin)
ON_COMMAND(kPolarity, &COutputDlg::OnPolarity)
ON_COMMAND(kLevelPage, &COutputDlg::OnShowLevelPage)
ON_COMMAND_RANGE(kDelayField, kDelayField + kDelayFieldCount - 1, &COutputDlg::OnDelayCommand)
ON_COMMAND_RANGE(kDelaySpin, kDelaySpin + kDelayFieldCount - 1, &COutputDlg::OnDelayCommand)
ON_COMMAND_RANGE(kGroupLink, kGroupLink + kGroupLinkCount - 1, &COutputDlg::OnGroupLink)
ON_MESSAGE(WM_SPIN_STEP, &COutputDlg::OnSpinStep)
ON_MESSAGE(WM_SPIN_CLAMPED, &COutputDlg::OnSpinClamped)
ON_MESSAGE(WM_OUTPUT_TOGGLE_MUTE, &COutputDlg::OnToggleMuteMessage)
ON_COMMAND(kFirstPeak, &COutputDlg::OnFirstBandPeak)
ON_COMMAND(kFirstLowShelf, &COutputDlg::OnFirstBandShelf)
ON_COMMAND(kLastPeak, &COutputDlg::OnLastBandPeak)
ON_COMMAND(kLastHighShelf, &COutputDlg::OnLastBandShelf)
END_MESSAGE_MAP()

COutputDlg::COutputDlg(CWnd* parent) : CPageFrame(IDD, parent) {}

COutputDlg::~COutputDlg() {
    // Only while it is still the installed one (a test may have put a stand-in over it).
    if (m_bInstalled && &OutputPageServices() == this)
        SetOutputPageServices(nullptr);
}

BOOL COutputDlg::CreatePage(CWnd* parent, COutputPageHost* host) {
    m_pHost = host;
    if (!CreatePageWindow(parent))
        return FALSE;
    SetOutputPageServices(this);
    m_bInstalled = TRUE;
    return TRUE;
}

void COutputDlg::AttachChannelData(CKTV_Data* data) {
    m_pData = data;
    m_graph.SetOwnerWnd(this);
    m_graph.LoadLinkBitmap(CZNStatic::kLinkBitmap);
    m_graph.AttachChannelData(data, CZNStatic::MODE_OUTPUT);
    m_graph.SetOutputChannel(0);
    m_graph.SetMode(CZNStatic::MODE_OUTPUT);
}

UINT COutputDlg::BackgroundId(BOOL chinese, BOOL locked) {
    if (chinese)
        return locked ? 784 : 287;
    return locked ? 785 : 286;
}

int COutputDlg::BandCountOf(int output) {
    return output >= 6 ? kTenBandCount : kBandCount;
}

void COutputDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    m_rows.Bind(dx);
    m_xover.Bind(dx);
    for (int i = 0; i < 4; ++i)
        DDX_Control(dx, kShapeIds[i], m_btnShape[i]);
    for (int i = 0; i < 3; ++i)
        DDX_Control(dx, kShelfLists[i], m_shelf[i]);
    DDX_Control(dx, kAllBypass, m_btnAllBypass);
    DDX_Control(dx, kPeqGeq, m_btnPeqGeq);
    DDX_Control(dx, kResetEq, m_btnReset);
    DDX_Control(dx, kGeqPicture, m_btnGeqPic);
    DDX_Control(dx, kGraph, m_graph);
    DDX_Control(dx, kSourceFader, m_sliderSource);
    DDX_Control(dx, kSourceEdit, m_editSource);
    DDX_Control(dx, kSourceSpin, m_spinSource);
    DDX_Control(dx, kMasterOn, m_btnMaster);
    DDX_Control(dx, kSubFader, m_sliderSub);
    DDX_Control(dx, kSubMode, m_btnSubMode);
    DDX_Control(dx, kSubEdit, m_editSub);
    DDX_Control(dx, kSubSpin, m_spinSub);
    DDX_Control(dx, kPolarity, m_btnPolarity);
    DDX_Control(dx, kPolarityNormal, m_picPolarity[0]);
    DDX_Control(dx, kPolarityInverted, m_picPolarity[1]);
    DDX_Control(dx, kGroupPicture, m_picGroup);
    DDX_Control(dx, kInputType, m_btnInputType);
    DDX_Control(dx, kLevelPage, m_btnLevelPage);
    for (int k = 0; k < kDelayFieldCount; ++k) {
        DDX_Control(dx, kDelayField + k, m_editDelay[k]);
        DDX_Control(dx, kDelaySpin + k, m_spinDelay[k]);
    }
    for (int k = 0; k < kGroupLinkCount; ++k)
        DDX_Control(dx, kGroupLink + k, m_btnGroupLink[k]);
    for (int k = 0; k < kPositionIconCount; ++k)
        DDX_Control(dx, kPositionIcon + k, m_btnIcon[k]);
    for (int k = 0; k < 5; ++k)
        DDX_Control(dx, kMapLock + k, m_btnMap[k]);
    for (int k = 0; k < 3; ++k) {
        DDX_Control(dx, kDelayUnitMs + k, m_btnDelayUnit[k]);
        DDX_Control(dx, kLinkPicture + k, m_picLink[k]);
    }
}

BOOL COutputDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < 6; ++i)
        m_bmpBack[i].LoadBitmap(kBackIds[i]);
    m_rows.HighlightLabel(-1, FALSE);
    SetActiveField(nullptr);
    InitControls();
    if (g_bOutMapLocked.load()) {
        m_btnMap[0].SetCheck(1);
        ApplyMapLock();
    }
    return TRUE;
}

void COutputDlg::InitControls() {
    CFont* pageFont = &g_fontArial12;
    CFont* stripFont = &g_fontArial14;
    // Source level of the active input type.
    m_spinSource.SetBuddy(&m_editSource);
    m_editSource.SetStep(1.0);
    m_editSource.SetOffset(40.0);
    m_editSource.SetType(NUMTYPE_LEVEL_DB, CString());
    m_spinSource.SetRange32(range::kSourceLevelPos.lo, range::kSourceLevelPos.hi);
    m_editSource.SetLimitText(6);
    m_editSource.SetFont(stripFont);
    m_editSource.SetBuddySlider(&m_sliderSource);
    m_btnMaster.EnableMoveNotify(TRUE);
    m_sliderSource.SetChannelBitmaps(357, 357);
    m_sliderSource.SetThumbBitmaps(358, 282);
    m_sliderSource.SetRange(0, 46);
    m_sliderSource.EnableMoveNotify(TRUE);
    m_sliderSource.SetBuddyEdit(&m_editSource);
    // Crossovers, shapes and shelf lists.
    m_xover.Init(this, stripFont);
    m_btnShape[0].SetBitmaps(2830, 2831, 2832, 2833, 2833, 2833);
    m_btnShape[1].SetBitmaps(2834, 2835, 2836, 2837, 2837, 2837);
    m_btnShape[2].SetBitmaps(2834, 2835, 2836, 2837, 2837, 2837);
    m_btnShape[3].SetBitmaps(2830, 2831, 2832, 2838, 2838, 2838);
    constexpr UINT shelfNotify[3] = {kFirstShelfNotify, kLastShelfNotify, kBand8ShelfNotify};
    for (int i = 0; i < 3; ++i) {
        m_shelf[i].SetBitmaps(2827, 2828);
        m_shelf[i].SetTextLayout({2, 10, DT_CENTER});
        m_shelf[i].CreateDropList(this, shelfNotify[i]);
        m_shelf[i].AddString("6dB");
        m_shelf[i].AddString("12dB");
    }
    // The band rows and the GEQ picture.
    m_rows.Init(pageFont);
    m_btnGeqPic.SetDisabledBitmaps(796, 797);
    // Polarity pictures beside the polarity button.
    if (m_bmpPolarity[0].LoadBitmap(res::outpage::kPolarityNormal))
        m_picPolarity[0].SetBitmap(static_cast<HBITMAP>(m_bmpPolarity[0].GetSafeHandle()));
    if (m_bmpPolarity[1].LoadBitmap(res::outpage::kPolarityInverted))
        m_picPolarity[1].SetBitmap(static_cast<HBITMAP>(m_bmpPolarity[1].GetSafeHandle()));
    // Curve toggles beside the graph.
    m_toggles.SetOutputDlg(this);
    m_toggles.CreateStrip(this);
    CreateStrips();
    m_map.Init();
    // Delay fields of the positions (hidden here; the level page edits the delays).
    for (int k = 0; k < kDelayFieldCount; ++k) {
        CNumEdit& field = m_editDelay[k];
        field.SetFont(pageFont);
        field.CreateSpinButton(kDelaySpinButton + k);
        field.SpinButton().SetBitmaps(800, 801, 802, 803);
        field.BindSpinButton(kDelaySpin + k, &m_spinDelay[k]);
        m_spinDelay[k].SetBuddy(&field);
        const int unit = g_nDelayUnit.load();
        field.SetType(unit == DELAY_UNIT_CM
                          ? NUMTYPE_DELAY_CM
                          : (unit == DELAY_UNIT_INCH ? NUMTYPE_DELAY_INCH : NUMTYPE_DELAY_MS),
                      CString());
        m_spinDelay[k].SetRange32(range::kDelay.lo, range::kDelay.hi);
        m_spinDelay[k].SetStepMode(2);
        field.SetLimitText(10);
        m_spinDelay[k].SetPos(0);
    }
    // Subwoofer level: edit and fader hidden until the mode button shows them.
    m_spinSub.SetBuddy(&m_editSub);
    m_editSub.SetStep(0.1);
    m_editSub.SetOffset(60.0);
    m_editSub.SetType(NUMTYPE_LEVEL_DBU, CString());
    m_spinSub.SetRange32(0, 600);
    m_editSub.SetLimitText(6);
    m_editSub.SetFont(stripFont);
    m_sliderSub.SetChannelBitmaps(539, 539);
    m_sliderSub.SetThumbBitmaps(538, 282);
    m_sliderSub.SetDisabledThumb(4410);
    m_sliderSub.SetRange(0, 600);
    m_sliderSub.EnableMoveNotify(TRUE);
    m_sliderSub.SetBuddyEdit(&m_editSub);
    m_editSub.SetBuddySlider(&m_sliderSub);
    m_editSub.ShowWindow(SW_HIDE);
    m_sliderSub.ShowWindow(SW_HIDE);
    // Delay unit: the stored one, once at start-up (the language's art comes with ApplyLanguage).
    SetDelayUnit(g_nDelayUnit.load());
    ApplyLanguage();
}

// ---- Painting and keys ---------------------------------------------------------------------------

BOOL COutputDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void COutputDlg::OnPaint() {
    CPaintDC dc(this);
    const UINT id = BackgroundId(g_bChinese.load(), g_bDataLocked.load());
    for (int i = 0; i < 6; ++i)
        if (kBackIds[i] == id && m_bmpBack[i].GetSafeHandle()) {
            DrawBitmap(&dc, &m_bmpBack[i], 0, 0);
            return;
        }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(24, 26, 31));
}

BOOL COutputDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        const Focus focused = Focused();
        const bool edit = focused.edit;
        const bool button = focused.button;
        const WPARAM id = focused.id;
        switch (msg->wParam) {
        case VK_RETURN:
            if (edit)
                PostMessage(WM_NUMEDIT_ENTER, id, 0);
            return FALSE;
        case VK_TAB:
        case VK_RIGHT:
        case VK_LEFT:
            if (edit || button)
                PostMessage(WM_NUMEDIT_NAVIGATE, id, msg->wParam == VK_LEFT ? VK_LEFT : VK_RIGHT);
            return FALSE;
        case VK_ESCAPE:
            SetFocus();
            return FALSE;
        default:
            break;
        }
    } else if (msg->message == WM_LBUTTONDOWN && CWnd::FromHandle(msg->hwnd) != GetFocus()) {
        // A press takes the focus off the field being edited (which commits it); a press into
        // that field itself keeps it, so the click places the caret in its text.
        SetFocus();
    }
    return CDialog::PreTranslateMessage(msg);
}

// ---- Refresh -------------------------------------------------------------------------------------

CFilter* COutputDlg::Band(int n) const {
    return m_pCurOut ? m_pCurOut->GetBand(n) : nullptr;
}

template <class Fn> void COutputDlg::ForLinked(Fn fn) const {
    const int cur = g_nCurOut.load();
    if (cur < 0 || cur >= NUM_OUTPUTS)
        return;
    const int group = g_nOutLinkGroup[cur].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (j != cur && g_nOutLinkGroup[j].load() == group && g_pOutData[j])
            fn(*g_pOutData[j]);
}

void COutputDlg::ApplyRowLayout(BOOL locked) {
    CBandRows::Layout layout;
    const int cur = g_nCurOut.load();
    layout.bands = BandCountOf(cur);
    layout.geq = m_pCurOut && m_pCurOut->GetGEQMode();
    layout.locked = locked != 0;
    if (CFilter* f = Band(0))
        layout.firstShelf = f->GetType() == 1;
    if (CFilter* f = Band(9))
        layout.tenthShelf = f->GetType() == 2;
    m_rows.ApplyLayout(layout);
    m_btnGeqPic.ShowWindow(layout.geq && !layout.locked ? SW_SHOW : SW_HIDE);
}

void COutputDlg::ShowBandShapes() {
    const bool locked = g_bDataLocked.load() != 0;
    m_shelf[2].ShowWindow(SW_HIDE);
    const bool geq = m_pCurOut && m_pCurOut->GetGEQMode();
    if (CFilter* f = Band(0)) {
        if (f->GetType() == 0) {
            m_btnShape[0].SetCheck(0);
            m_btnShape[1].SetCheck(1);
            m_shelf[0].ShowWindow(SW_HIDE);
        } else if (f->GetType() == 1) {
            m_btnShape[0].SetCheck(1);
            m_btnShape[1].SetCheck(0);
            m_shelf[0].SetCurSel(f->GetSlope() <= 1 ? f->GetSlope() : -1);
            m_shelf[0].ShowWindow(locked || geq ? SW_HIDE : SW_SHOW);
        }
    }
    if (CFilter* f = Band(9)) {
        if (f->GetType() == 0) {
            m_btnShape[3].SetCheck(0);
            m_btnShape[2].SetCheck(1);
            m_shelf[1].ShowWindow(SW_HIDE);
        } else if (f->GetType() == 2) {
            m_btnShape[3].SetCheck(1);
            m_btnShape[2].SetCheck(0);
            m_shelf[1].SetCurSel(f->GetSlope() <= 1 ? f->GetSlope() : -1);
            const bool shown = !locked && !geq && BandCountOf(g_nCurOut.load()) > 9;
            m_shelf[1].ShowWindow(shown ? SW_SHOW : SW_HIDE);
        }
    }
    if (BandCountOf(g_nCurOut.load()) == kTenBandCount) {
        // The 10-band rows moved; band 10's slope list takes its Q field's place there.
        CRect rc = CBandRows::PlaceOf(9, RowPart::Q, m_rows.CurrentLayout());
        m_shelf[1].MoveWindow(&rc);
    } else {
        CRect rc = BandPlace(9, RowPart::Q);
        m_shelf[1].MoveWindow(&rc);
    }
}

void COutputDlg::ShowCrossovers() {
    if (!m_pCurOut)
        return;
    ReloadHpfSlopeList();
    if (CFilter* hpf = m_pCurOut->GetHPF())
        m_xover.ShowFilter(CXoverBlock::HPF, *hpf);
    ColourPassBand();
    m_xover.FillSlopeList(CXoverBlock::LPF);
    if (CFilter* lpf = m_pCurOut->GetLPF())
        m_xover.ShowFilter(CXoverBlock::LPF, *lpf);
}

void COutputDlg::ShowPolarity() {
    const int inverted = m_pCurOut ? m_pCurOut->GetPolarity() : 0;
    m_btnPolarity.SetCheck(inverted);
    m_picPolarity[1].ShowWindow(inverted ? SW_SHOW : SW_HIDE);
    m_picPolarity[0].ShowWindow(inverted ? SW_HIDE : SW_SHOW);
}

void COutputDlg::RefreshPage() {
    // Rows, faders and buttons paint themselves as they are set, each over the page's background;
    // held back, the page paints once after the refresh.
    const bool outer = m_nRedrawHold++ == 0 && GetSafeHwnd();
    if (outer)
        SetRedraw(FALSE);
    RefreshPageNow();
    if (outer) {
        SetRedraw(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    --m_nRedrawHold;
}

void COutputDlg::RefreshPageNow() {
    if (!m_pData || !GetSafeHwnd())
        return;
    const int cur = g_nCurOut.load();
    m_pCurOut = m_pData->GetOut(cur);
    if (!m_pCurOut)
        return;
    // Mix row 1 of every output from the live image: one short hold, so no row is torn.
    {
        std::lock_guard lock(g_linkLock);
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            if (CKTV_OutData* out = m_pData->GetOut(i))
                out->SetMix1(g_curImage.outputs[i].mix1);
    }
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (m_strips[i])
            m_strips[i]->SetMarked(i == cur);
    m_btnAllBypass.SetCheck(m_pCurOut->IsAllBandsBypassed() ? 1 : 0);
    m_btnPeqGeq.SetCheck(m_pCurOut->GetGEQMode() ? 1 : 0);
    for (int n = 0; n < kBandCount; ++n)
        if (CFilter* f = Band(n))
            m_rows.ShowBand(n, *f);
    ApplyRowLayout(g_bDataLocked.load());
    ShowBandShapes();
    ShowCrossovers();
    m_rows.HighlightLabel(-1, FALSE);
    SetActiveField(nullptr);
    ShowPolarity();
    m_graph.SetOutputChannel(cur);
    m_graph.RefreshCurve(-1);
    ShowInputTypePicture();
    SetDelayUnit(g_nDelayUnit.load());
    RefreshStrips();
    const int lowest = GetLowestSubLevel();
    const int sub = lowest < 0 ? 600 : lowest;
    m_sliderSub.SetPos(sub);
    m_spinSub.SetPos(sub);
    RefreshOnButton();
}

void COutputDlg::LoadBands() {
    if (!m_pData || !GetSafeHwnd())
        return;
    m_pCurOut = m_pData->GetOut(g_nCurOut.load());
    if (!m_pCurOut)
        return;
    m_btnAllBypass.SetCheck(m_pCurOut->IsAllBandsBypassed() ? 1 : 0);
    m_btnPeqGeq.SetCheck(m_pCurOut->GetGEQMode() ? 1 : 0);
    const int count = BandCountOf(g_nCurOut.load());
    for (int n = 0; n < count; ++n)
        if (CFilter* f = Band(n))
            m_rows.ShowBand(n, *f);
    ApplyRowLayout(g_bDataLocked.load());
    ColourPassBand();
    m_rows.HighlightLabel(-1, FALSE);
    SetActiveField(nullptr);
    m_graph.RefreshCurve(-1);
}

void COutputDlg::RefreshAll() {
    RefreshPage();
    m_map.RefreshSpeakerMap();
    m_btnMap[1].SetCheck(g_bLRLinked.load() ? 1 : 0);
    m_btnMap[0].SetCheck(g_bOutMapLocked.load() ? 1 : 0);
    ShowSourceLevel();
}

void COutputDlg::OnOutputSelect(int output) {
    if (output < 0 || output >= NUM_OUTPUTS || output == g_nCurOut.load())
        return;
    LeaveCurrentOutput();
    g_nCurOut = output;
    RefreshPage();
    Invalidate(FALSE);
}

void COutputDlg::LeaveCurrentOutput() {
    CDropDownWnd::CloseOpen();
    MSG pick;
    while (m_hWnd && ::PeekMessage(&pick, m_hWnd, WM_COMBO_SELECT, WM_COMBO_SELECT, PM_REMOVE))
        OnComboSelect(pick.wParam, pick.lParam);
}

LRESULT COutputDlg::OnOutputSelectMessage(WPARAM wParam, LPARAM) {
    OnOutputSelect(static_cast<int>(wParam));
    return 0;
}

void COutputDlg::SetLockedLayout(BOOL locked) {
    if (!GetSafeHwnd())
        return;
    const int cmd = locked ? SW_HIDE : SW_SHOW;
    m_toggles.ShowWindow(cmd);
    m_xover.ShowAll(!locked);
    ApplyRowLayout(locked);
    if (!locked && m_rows.HighlightedLabel() < 0)
        for (int n = 0; n < kBandCount; ++n)
            m_rows.Label(n).SetFontStyle("", 16, RGB(0, 0, 0), 0);
    m_btnGeqPic.ShowWindow(SW_HIDE);
    // Unlocked, only the positions that stand alone are shown before the map refresh.
    static constexpr int kAloneCodes[] = {6, 12, 15, 18, 22, 23};
    static constexpr int kIconOfCode[27] = {-1,   4605, 4604, 4603, 4606, 4607, 4608, 4611, 4610,
                                            4609, 4612, 4613, 4614, 4616, 4615, 4619, 4618, 4617,
                                            4620, 4601, 4600, 4602, 4621, 4622, 4623, 4624, 4623};
    for (int k = 0; k < kPositionIconCount; ++k) {
        bool shown = false;
        if (!locked)
            for (int code : kAloneCodes)
                shown = shown || kIconOfCode[code] == kPositionIcon + k;
        m_btnIcon[k].ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
    m_btnAllBypass.ShowWindow(cmd);
    m_btnReset.ShowWindow(cmd);
    m_xover.Slope(CXoverBlock::HPF).ShowWindow(cmd);
    m_graph.ShowWindow(cmd);
    if (locked) {
        for (CComBoxBtn& list : m_shelf)
            list.ShowWindow(SW_HIDE);
    } else {
        ShowBandShapes();
    }
    Invalidate(FALSE);
}

void COutputDlg::ApplyLanguage() {
    const bool cn = g_bChinese.load() != 0;
    const UINT master = cn ? res::outpage::kMasterOnZh : 526;
    m_btnMaster.SetBitmaps(master, master + 1, master + 2, master + 3, master + 4, master + 5);
    const unsigned unitArt[3] = {cn ? res::outpage::kDelayUnitMsZh : res::outpage::kDelayUnitMs,
                                 cn ? res::outpage::kDelayUnitCmZh : res::outpage::kDelayUnitCm,
                                 cn ? res::outpage::kDelayUnitInchZh : res::outpage::kDelayUnitInch};
    for (int k = 0; k < 3; ++k)
        m_btnDelayUnit[k].SetBitmaps(unitArt[k], unitArt[k] + 1, unitArt[k] + 2, unitArt[k] + 2,
                                     unitArt[k] + 2, unitArt[k] + 2);
    m_xover.FillFamilyLists();
    for (int s = 0; s < 2; ++s)
        m_xover.FillSlopeList(s);
    // The strips' position popup in the language.
    g_menuSpkPos.DestroyMenu();
    g_menuSpkPos.LoadMenu(cn ? g_nMenuSpkPosCn : g_nMenuSpkPosEn);
    if (cn) {
        m_btnAllBypass.SetBitmaps(7002, 7001, 7001, 7000, 7005, 7005);
        m_btnReset.SetBitmaps(7004, 7003, 7003, 7004, 7003, 7003);
        m_btnPeqGeq.SetBitmaps(746, 745, 745, 744, 747, 747);
        m_btnSubMode.SetBitmaps(786, 787, 799, 799, 798, 786);
        m_btnPolarity.SetBitmaps(4360, 4361, 4362, 4363, 4364, 4365);
    } else {
        m_btnAllBypass.SetBitmaps(8822, 8823, 8823, 8820, 8821, 8821);
        m_btnReset.SetBitmaps(359, 360, 360, 359, 360, 360);
        m_btnPeqGeq.SetBitmaps(742, 741, 741, 740, 742, 743);
        m_btnSubMode.SetBitmaps(809, 808, 811, 811, 810, 809);
        m_btnPolarity.SetBitmaps(4350, 4351, 4352, 4353, 4354, 4355);
    }
    // Map commands and the level-page button: the language's set.
    namespace art = res::outpage;
    const auto six = [](CBitButton& b, UINT first) {
        b.SetBitmaps(first, first + 1, first + 2, first + 3, first + 4, first + 5);
    };
    const auto three = [](CBitButton& b, UINT first) {
        b.SetBitmaps(first, first + 1, first + 2, first + 2, first + 2, first + 2);
    };
    const auto lang = [cn](UINT en, int looks) { return cn ? art::Chinese(en, looks) : en; };
    six(m_btnMap[0], lang(art::kMapLockEn, art::kSixLooks));
    six(m_btnMap[1], lang(art::kMapLinkEn, art::kSixLooks));
    three(m_btnMap[2], lang(art::kMapResetEn, art::kThreeLooks));
    three(m_btnMap[3], lang(art::kMapReadEn, art::kThreeLooks));
    three(m_btnMap[4], lang(art::kMapSaveEn, art::kThreeLooks));
    three(m_btnLevelPage, lang(art::kLevelPageEn, art::kThreeLooks));
    m_btnGeqPic.SetCheck(cn ? 1 : 0);
    ShowInputTypePicture();
    m_editSource.ApplyLanguage();
    const UINT skin = cn ? striplayout::kSkinCn : striplayout::kSkinEn;
    for (auto& strip : m_strips)
        if (strip) {
            strip->SetSkin(skin);
            strip->ApplyLanguage();
        }
    Invalidate(FALSE);
}

void COutputDlg::ShowInputTypePicture() {
    SetInputTypePicture(std::clamp(g_nCurInput.load(), 0, 5));
}

void COutputDlg::SetInputTypePicture(int n) {
    // Six input types have a picture each; any other number would show no art at all.
    if (n < 0 || n > 5)
        return;
    const UINT id = (g_bChinese.load() ? 459 : 452) + static_cast<UINT>(n);
    m_btnInputType.SetDisabledBitmaps(id, id);
}

// ---- Source level and master ---------------------------------------------------------------------

void COutputDlg::ShowSourceLevel() {
    if (!GetSafeHwnd())
        return;
    if (const BYTE* level = SourceLevelByte(g_pcSourceSet.inputType))
        m_nSourceLevel = *level;
    m_nSourceLevel = std::max(m_nSourceLevel, 20);
    m_spinSource.SetPos(m_nSourceLevel - 20);
    m_sliderSource.SetPos(m_nSourceLevel - 20);
    // The group's label names the input whose level it shows.
    ShowInputTypePicture();
    if (!m_btnSubMode.GetCheck())
        m_btnMaster.SetCheck(g_systemData.masterOn ? 1 : 0);
}

void COutputDlg::ApplySourceLevel() {
    if (m_pHost)
        m_pHost->StartInputTypeTimer();
    const int level = m_sliderSource.GetPos() + 20;
    BYTE* stored = SourceLevelByte(g_pcSourceSet.inputType);
    if (level == (stored ? *stored : 0))
        return;
    if (stored)
        *stored = static_cast<BYTE>(level);
    m_nSourceLevel = level;
    if (!g_systemData.masterOn) {
        g_systemData.masterOn = 1;
        m_btnMaster.SetCheck(1);
    }
    m_spinSource.SetPos(level - 20);
    if (m_pHost) {
        m_pHost->SetSystemDataDirty(TRUE);
        m_pHost->SendCommand(CMD_SOURCE_SET, 0);
    }
}

void COutputDlg::OnSourceLevelField() {
    // The field and its spin move the fader, which applies the level as a move of its own.
    m_sliderSource.SetPos(m_spinSource.RefreshFromBuddy());
    ApplySourceLevel();
}

void COutputDlg::OnMasterOnOff() {
    const int state = m_btnMaster.GetCheck() ? 0 : 1;
    if (m_btnSubMode.GetCheck()) {
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            if (CodeOf(i) >= kFirstSubCode && g_pOutData[i]) {
                g_pOutData[i]->SetEnabled(state);
                if (m_strips[i])
                    m_strips[i]->Refresh();
            }
        m_btnMaster.SetCheck(state);
        return;
    }
    if (m_pHost)
        m_pHost->StartInputTypeTimer();
    g_systemData.masterOn = static_cast<BYTE>(state);
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
    m_btnMaster.SetCheck(state);
}

void COutputDlg::CreateStrips() {
    const UINT skin = g_bChinese.load() ? striplayout::kSkinCn : striplayout::kSkinEn;
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        auto strip = std::make_unique<COutRoute_Dlg>(this, this);
        strip->SetDocument(m_pData);
        strip->SetOutput(i);
        strip->SetSkin(skin);
        if (!strip->Create())
            continue;
        const int w = strip->GetSkinWidth();
        strip->MoveWindow(kStripLeft + i * (w + kStripGap), kStripTop, w, strip->GetSkinHeight());
        strip->ShowWindow(SW_SHOW);
        m_strips[i] = std::move(strip);
    }
}

void COutputDlg::RefreshStrips() {
    for (auto& strip : m_strips)
        if (strip) {
            strip->SetDocument(m_pData);
            strip->Refresh();
            strip->ShowPositionName();
        }
}

COutRoute_Dlg* COutputDlg::GetStrip(int output) {
    return output >= 0 && output < NUM_OUTPUTS ? m_strips[output].get() : nullptr;
}

void COutputDlg::RefreshLinkedStrips(int output, void (COutRoute_Dlg::*refresh)()) {
    if (output < 0 || output >= NUM_OUTPUTS)
        return;
    const int group = g_nOutLinkGroup[output].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (j != output && g_nOutLinkGroup[j].load() == group && m_strips[j])
            (m_strips[j].get()->*refresh)();
}

void COutputDlg::RefreshLinkedLevels(int output) {
    RefreshLinkedStrips(output, &COutRoute_Dlg::RefreshLevel);
}

void COutputDlg::ShowSubLevel(int code) {
    m_sliderSub.SetPos(code);
    m_spinSub.SetPos(code);
}

void COutputDlg::OnSubLevelChanged(int) {
    // Nothing to do at once: the strip's WM_STRIP_SUB_SYNC brings the page's subwoofer level up
    // to date after the change.
}

void COutputDlg::ApplyOutputDelay(int output) {
    if (COutRoute_Dlg* strip = GetStrip(output))
        strip->TakeDelay();
}

void COutputDlg::FocusShownLevelEdit() {
    if (m_btnSubMode.GetCheck())
        m_editSub.SetFocus();
    else
        m_editSource.SetFocus();
}

void COutputDlg::FocusHighPassEdit() {
    m_xover.Freq(CXoverBlock::HPF).SetFocus();
}

int COutputDlg::StripMessageBox(const CString& text, UINT type, int code) {
    return m_pHost ? m_pHost->AskPage(text, g_strProduct, type, code) : IDNO;
}

int COutputDlg::GetLowestSubLevel() {
    return CDelayLevelHelper::LowestSubLevel();
}

void COutputDlg::RefreshOnButton() {
    // While the subwoofer level is shown the button speaks for the subwoofer outputs.
    const BOOL on = m_btnSubMode.GetCheck() ? CDelayLevelHelper::AnySubOn() : g_systemData.masterOn != 0;
    m_btnMaster.SetCheck(on ? 1 : 0);
}

void COutputDlg::ApplySubLevel(int level) {
    m_spinSub.SetPos(level);
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        CKTV_OutData* out = g_pOutData[i];
        if (CodeOf(i) < kFirstSubCode || !out)
            continue;
        out->SetLevel(level);
        if (!out->GetEnabled())
            out->SetEnabled(1);
        if (m_strips[i])
            m_strips[i]->Refresh();
    }
    RefreshOnButton();
}

// ---- Faders ----------------------------------------------------------------------------------------

LRESULT COutputDlg::OnSliderMoving(WPARAM wParam, LPARAM) {
    const int id = static_cast<int>(wParam);
    if (id >= kFader && id < kFader + kBandCount)
        OnGainSlider(id - kFader);
    else if (id == kSourceFader)
        ApplySourceLevel();
    else if (id == kSubFader)
        ApplySubLevel(m_sliderSub.GetPos());
    return 1;
}

LRESULT COutputDlg::OnSliderMoved(WPARAM wParam, LPARAM lParam) {
    OnSliderMoving(wParam, lParam);
    const int id = static_cast<int>(wParam);
    if (id == kSourceFader)
        m_editSource.SetFocus();
    else if (id >= kFader && id < kFader + kBandCount && m_rows.ActiveEdit())
        m_rows.ActiveEdit()->SetFocus();
    return 1;
}

// ---- Band editing ----------------------------------------------------------------------------------

void COutputDlg::OnBandCommand(UINT id) {
    int n = 0;
    int kind = 0;
    if (!CBandRows::FieldOfId(id, n, kind))
        return;
    switch (kind) {
    case CBandRows::KIND_FREQ:
        OnBandFreq(n);
        break;
    case CBandRows::KIND_Q:
        OnBandQ(n);
        break;
    default:
        OnBandGain(n);
        break;
    }
}

void COutputDlg::OnBypassCommand(UINT id) {
    OnBandBypass(static_cast<int>(id) - kBypass);
}

void COutputDlg::MarkBand(int n, int kind) {
    m_graph.RefreshCurve(n);
    HighlightBandLabel(n, TRUE);
    SetActiveEdit(n, kind, TRUE);
}

void COutputDlg::OnBandFreq(int n) {
    CFilter* f = Band(n);
    if (!f || n >= kBandCount)
        return;
    const int hz = m_rows.FreqSpin(n).RefreshFromBuddy();
    if (hz != f->GetFreq()) {
        f->SetFreq(hz, TRUE);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetBand(n))
                g->SetFreq(hz, TRUE);
        });
    }
    MarkBand(n, CBandRows::KIND_FREQ);
}

void COutputDlg::OnBandQ(int n) {
    CFilter* f = Band(n);
    if (!f || n >= kBandCount)
        return;
    const int pos = m_rows.QSpin(n).RefreshFromBuddy();
    if (pos != f->GetBandwidthPos()) {
        f->SetBandwidthPos(pos);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetBand(n))
                g->SetBandwidthPos(pos);
        });
    }
    MarkBand(n, CBandRows::KIND_Q);
}

void COutputDlg::OnBandGain(int n) {
    if (!Band(n) || n >= kBandCount)
        return;
    const int pos = m_rows.GainSpin(n).RefreshFromBuddy();
    m_rows.Fader(n).SetPos(pos);
    ApplyBandGain(n, pos);
}

void COutputDlg::OnGainSlider(int n) {
    if (!Band(n) || n >= kBandCount)
        return;
    const int pos = m_rows.Fader(n).GetPos();
    m_rows.GainSpin(n).SetPos(pos);
    ApplyBandGain(n, pos);
}

void COutputDlg::ApplyBandGain(int n, int pos) {
    CFilter* f = Band(n);
    if (pos != f->GetGainPos()) {
        f->SetGainPos(pos);
        ShowBandBypass(f->IsBypassed(), n);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetBand(n))
                g->SetGainPos(pos);
        });
        ShowAllBypass();
    }
    MarkBand(n, CBandRows::KIND_GAIN);
}

void COutputDlg::OnBandBypass(int n) {
    CFilter* f = Band(n);
    if (!f || n < 0 || n >= kBandCount)
        return;
    const BOOL requested = m_rows.Bypass(n).GetCheck() ? FALSE : TRUE;
    f->SetBypass(requested);
    const BOOL bypassed = f->IsBypassed();
    if (bypassed) {
        ShowBandBypass(TRUE, n);
    } else {
        m_rows.ShowGain(n, f->GetGainPos());
        m_rows.Bypass(n).SetCheck(0);
    }
    ForLinked([&](CKTV_OutData& o) {
        if (CFilter* g = o.GetBand(n))
            g->SetBypass(bypassed);
    });
    ShowAllBypass();
    MarkBand(n, CBandRows::KIND_GAIN);
    if (CNumEdit* active = m_rows.ActiveEdit())
        active->SetFocus();
}

void COutputDlg::ShowBandBypass(BOOL bypassed, int n) {
    m_rows.ShowBypass(bypassed, n);
}

void COutputDlg::ShowAllBypass() {
    if (m_pCurOut)
        m_btnAllBypass.SetCheck(m_pCurOut->IsAllBandsBypassed() ? 1 : 0);
}

void COutputDlg::HighlightBandLabel(int n, BOOL on) {
    m_rows.HighlightLabel(n, on);
}

void COutputDlg::SelectBand(int n) {
    HighlightBandLabel(n, TRUE);
    m_graph.RefreshCurve(n);
}

void COutputDlg::SetActiveEdit(int n, int kind, BOOL on) {
    if (m_pActiveXover) {
        m_pActiveXover->SetHighlight(0);
        m_pActiveXover = nullptr;
    }
    m_rows.SetActiveEdit(n, kind, on);
}

void COutputDlg::SetActiveField(CNumEdit* edit) {
    SetActiveEdit(-1, 0, FALSE);
    m_pActiveXover = edit;
    if (edit)
        edit->SetHighlight(1);
}

void COutputDlg::ClearBandSelection() {
    HighlightBandLabel(-1, FALSE);
    SetActiveField(nullptr);
    m_graph.RefreshCurve(-1);
}

LRESULT COutputDlg::OnCurveBandChanged(WPARAM wParam, LPARAM) {
    ApplyCurveBandChange(static_cast<int>(wParam));
    return 0;
}

void COutputDlg::ApplyCurveBandChange(int band) {
    if (!m_pCurOut)
        return;
    if (band >= 0 && band < kBandCount) {
        CFilter* f = Band(band);
        if (!f)
            return;
        m_rows.FreqSpin(band).SetPos(f->GetFreq());
        m_rows.QSpin(band).SetPos(f->GetBandwidthPos());
        m_rows.ShowGain(band, f->GetGainPos());
        ShowBandBypass(f->IsBypassed(), band);
        const int hz = f->GetFreq();
        const int bw = f->GetBandwidthPos();
        const int gain = f->GetGainPos();
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetBand(band)) {
                g->SetFreq(hz, TRUE);
                g->SetBandwidthPos(bw);
                g->SetGainPos(gain);
            }
        });
        m_graph.RefreshCurve(-1);
        ShowAllBypass();
        HighlightBandLabel(band, TRUE);
        SetActiveEdit(band, CBandRows::KIND_GAIN, TRUE);
    } else if (band == m_pCurOut->GetHPFIndex() || band == m_pCurOut->GetLPFIndex()) {
        const int side = band == m_pCurOut->GetHPFIndex() ? CXoverBlock::HPF : CXoverBlock::LPF;
        CFilter* f = side == CXoverBlock::HPF ? m_pCurOut->GetHPF() : m_pCurOut->GetLPF();
        if (!f)
            return;
        HighlightBandLabel(-1, FALSE);
        const int hz = f->GetFreq();
        m_xover.ShowFreq(side, hz);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = side == CXoverBlock::HPF ? o.GetHPF() : o.GetLPF())
                g->SetFreq(hz, TRUE);
        });
        ColourPassBand();
        m_graph.RefreshCurve(band);
        SetActiveField(&m_xover.Freq(side));
    } else {
        return;
    }
    if (m_graph.m_bButtonUp) {
        m_graph.m_bButtonUp = 0;
        CNumEdit* active = m_pActiveXover ? m_pActiveXover : m_rows.ActiveEdit();
        if (active)
            active->SetFocus();
    }
}

LRESULT COutputDlg::OnCurveBandSelect(WPARAM wParam, LPARAM) {
    const int band = static_cast<int>(wParam);
    if (band >= 0 && band < kBandCount) {
        HighlightBandLabel(band, TRUE);
        SetActiveEdit(band, CBandRows::KIND_GAIN, TRUE);
        if (CNumEdit* active = m_rows.ActiveEdit())
            active->SetFocus();
    } else if (band == kBandCount || band == kBandCount + 1) {
        HighlightBandLabel(-1, FALSE);
        m_xover.Freq(band == kBandCount ? CXoverBlock::HPF : CXoverBlock::LPF).SetFocus();
    }
    return 0;
}

// ---- EQ modes and bulk commands ------------------------------------------------------------------

int COutputDlg::AskYesNo(const char* en, const char* cn) const {
    if (!m_pHost)
        return IDNO;
    const bool chinese = g_bChinese.load() != 0;
    return m_pHost->AskPage(chinese ? cn : en, chinese ? g_strPromptCn : g_strPrompt, MB_YESNO,
                            chinese ? -2 : -3);
}

void COutputDlg::OnPeqGeq() {
    if (!m_pCurOut)
        return;
    const int requested = m_btnPeqGeq.GetCheck() ? 0 : 1;
    const int answer =
        requested ? AskYesNo(g_strPeqToGeq, g_strPeqToGeqCn) : AskYesNo(g_strGeqToPeq, g_strGeqToPeqCn);
    if (answer != IDYES)
        return;
    m_btnPeqGeq.SetCheck(requested);
    m_pCurOut->SetGEQMode(requested);
    // The rows follow the shown output's mode.
    ApplyRowLayout(g_bDataLocked.load());
    ShowBandShapes();
    ColourPassBand();
    if (m_pHost)
        m_pHost->ResetLinkedOutputEq();
    m_graph.RefreshCurve(-1);
}

void COutputDlg::OnAllBypass() {
    ToggleAllBypass();
}

void COutputDlg::ToggleAllBypass() {
    if (!m_pCurOut)
        return;
    ClearBandSelection();
    const BOOL requested = m_btnAllBypass.GetCheck() ? FALSE : TRUE;
    BOOL flag = FALSE;
    {
        // What the request would give, found and undone in one hold of the lock: the link
        // never sees a state the user has not confirmed.
        std::lock_guard lock(g_linkLock);
        m_pCurOut->BypassAllBands(requested);
        if (!requested && m_pCurOut->IsAllBandsBypassed()) {
            // Every filter bypasses itself: the output stays all bypassed, nothing to ask.
            m_pCurOut->BypassAllBands(TRUE);
            m_btnAllBypass.SetCheck(1);
            return;
        }
        flag = m_pCurOut->IsAllBandsBypassed();
        m_pCurOut->BypassAllBands(!flag);
        m_pCurOut->IsAllBandsBypassed();
    }
    const int answer =
        flag ? AskYesNo(g_strBypassEq, g_strBypassEqCn) : AskYesNo(g_strRestoreEq, g_strRestoreEqCn);
    if (answer != IDYES) {
        m_btnAllBypass.SetCheck(flag ? 0 : 1);
        return;
    }
    m_pCurOut->BypassAllBands(flag);
    m_pCurOut->IsAllBandsBypassed();
    const int count = BandCountOf(g_nCurOut.load());
    for (int n = 0; n < count; ++n) {
        CFilter* f = Band(n);
        if (!f)
            continue;
        if (!flag)
            m_rows.ShowGain(n, f->GetGainPos());
        ShowBandBypass(f->IsBypassed(), n);
    }
    // The link group takes the same state; every output of it is queued whole.
    ForLinked([&](CKTV_OutData& o) {
        o.BypassAllBands(flag);
        o.IsAllBandsBypassed();
    });
    const int cur = g_nCurOut.load();
    const int group = g_nOutLinkGroup[cur].load();
    if (m_pHost)
        for (int o = 0; o < NUM_OUTPUTS; ++o)
            if (g_nOutLinkGroup[o].load() == group)
                m_pHost->SendOutputChannel(o);
    m_btnAllBypass.SetCheck(flag ? 1 : 0);
    m_graph.RefreshCurve(-1);
}

void COutputDlg::OnResetAllEq() {
    if (AskYesNo(g_strResetEq, g_strResetEqCn) != IDYES)
        return;
    if (m_pHost)
        m_pHost->ResetLinkedOutputEq();
    m_graph.RefreshCurve(-1);
}

void COutputDlg::ResetAllOutputEq(BOOL linked) {
    // No output stays joined to another while every output's bands go back to flat.
    m_btnMap[1].SetCheck(0);
    g_bLRLinked = 0;
    if (m_pHost)
        m_pHost->ClearOutputLinks();
    if (m_pData)
        m_pData->SetOutCurveRect(m_graph.GetPlotRect());
    if (m_pHost) {
        m_pHost->SendCommand(CMD_SYSTEM_DATA, 0);
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            m_pHost->ResetOutputEq(i);
        if (linked)
            m_pHost->ResetLinkedOutputEq();
    }
    // The rows show the flat bands in the current output's layout: ten spread over the width on
    // outputs 7 and 8, none while the data are locked.
    RefreshPage();
}

void COutputDlg::ColourPassBand() {
    if (!m_pCurOut)
        return;
    const int cur = g_nCurOut.load();
    const int count = BandCountOf(cur);
    const bool geq = m_pCurOut->GetGEQMode() != 0;
    const CFilter* hpf = m_pCurOut->GetHPF();
    const CFilter* lpf = m_pCurOut->GetLPF();
    // The band's own centre: the ISO third-octave table, the octave table on the 10-band rows.
    const int* centres = count == kTenBandCount ? g_octFreq10 : g_isoFreq31;
    for (int n = 0; n < count; ++n) {
        bool outside = false;
        if (geq && hpf && lpf)
            outside = centres[n] < hpf->GetFreq() || centres[n] > lpf->GetFreq();
        m_rows.SetOutsidePassBand(n, outside);
    }
}

void COutputDlg::OnFirstShelfSlope() {
    ApplyShelfSlope(0, 0);
}

void COutputDlg::OnLastShelfSlope() {
    ApplyShelfSlope(1, 9);
}

void COutputDlg::OnBand8ShelfSlope() {
    ApplyShelfSlope(2, 7);
}

// ---- Band shapes ---------------------------------------------------------------------------------

CBitButton& COutputDlg::ShapeButton(int control) {
    for (int i = 0; i < 4; ++i)
        if (kShapeIds[i] == control)
            return m_btnShape[i];
    return m_btnShape[0];
}

int COutputDlg::LastShapeBand(int output) {
    return output == 4 || output == 5 ? 7 : 9;
}

void COutputDlg::OnFirstBandPeak() {
    m_nShapeType = 0;
    SetBandShape(0);
}

void COutputDlg::OnFirstBandShelf() {
    m_nShapeType = 1;
    SetBandShape(0);
}

void COutputDlg::OnLastBandPeak() {
    m_nShapeType = 0;
    SetBandShape(LastShapeBand(g_nCurOut.load()));
}

void COutputDlg::OnLastBandShelf() {
    m_nShapeType = 2;
    SetBandShape(LastShapeBand(g_nCurOut.load()));
}

void COutputDlg::SetBandShape(int b) {
    CFilter* f = Band(b);
    if (!f || f->GetType() == m_nShapeType)
        return;
    const bool first = b == 0;
    f->SetEqType(m_nShapeType);
    const bool peak = m_nShapeType == 0;
    CComBoxBtn& list = first ? m_shelf[0] : m_shelf[b == 7 ? 2 : 1];
    ShapeButton(first ? kFirstLowShelf : kLastHighShelf).SetCheck(peak ? 0 : 1);
    ShapeButton(first ? kFirstPeak : kLastPeak).SetCheck(peak ? 1 : 0);
    if (peak) {
        list.ShowWindow(SW_HIDE);
        m_rows.QSpin(b).SetPos(f->GetBandwidthPos());
        m_rows.ShowQ(b, true);
    } else {
        list.SetCurSel(f->GetSlope() <= 1 ? f->GetSlope() : -1);
        list.ShowWindow(SW_SHOW);
        if (first)
            list.SetFocus();
        m_rows.ShowQ(b, false);
        // The shelf keeps to its side of 2000 Hz.
        m_rows.FreqSpin(b).SetPos(f->GetFreq());
    }
    LinkBandShape(b);
    m_graph.RefreshCurve(b);
    HighlightBandLabel(b, TRUE);
    SetActiveField(nullptr);
}

void COutputDlg::LinkBandShape(int b) {
    ForLinked([&](CKTV_OutData& o) {
        if (CFilter* g = o.GetBand(b))
            g->SetEqType(m_nShapeType);
    });
}

void COutputDlg::ApplyShelfSlope(int list, int band) {
    CFilter* f = Band(band);
    if (!f)
        return;
    const int slope = m_shelf[list].GetCurSel();
    if (slope >= 0 && slope != f->GetSlopeByte()) {
        f->SetSlope(slope, TRUE);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetBand(band))
                g->SetSlope(slope, TRUE);
        });
    }
    m_graph.RefreshCurve(band);
    HighlightBandLabel(band, TRUE);
    SetActiveField(nullptr);
}

LRESULT COutputDlg::OnComboSelect(WPARAM wParam, LPARAM) {
    switch (static_cast<int>(wParam)) {
    case kHpfFamilyNotify:
        OnHpfFamily();
        break;
    case kHpfSlopeNotify:
        OnHpfSlope();
        break;
    case kLpfFamilyNotify:
        OnLpfFamily();
        break;
    case kLpfSlopeNotify:
        OnLpfSlope();
        break;
    case kFirstShelfNotify:
        OnFirstShelfSlope();
        return 0;
    case kLastShelfNotify:
        OnLastShelfSlope();
        return 0;
    case kBand8ShelfNotify:
        OnBand8ShelfSlope();
        return 0;
    default:
        return 0;
    }
    HighlightBandLabel(-1, FALSE);
    return 0;
}

// ---- Crossovers ----------------------------------------------------------------------------------

void COutputDlg::EnableFamilyList(int slope, int list) {
    m_xover.EnableFamilyList(slope, list == kLpfFamily ? CXoverBlock::LPF : CXoverBlock::HPF);
}

void COutputDlg::FillSlopeList(int list) {
    m_xover.FillSlopeList(list == kLpfSlope ? CXoverBlock::LPF : CXoverBlock::HPF);
}

void COutputDlg::OnHpfFamily() {
    ApplyXoverFamily(CXoverBlock::HPF);
}

void COutputDlg::OnLpfFamily() {
    ApplyXoverFamily(CXoverBlock::LPF);
}

void COutputDlg::OnHpfSlope() {
    ApplyXoverSlope(CXoverBlock::HPF);
}

void COutputDlg::OnLpfSlope() {
    ApplyXoverSlope(CXoverBlock::LPF);
}

namespace {

CFilter* XoverFilter(CKTV_OutData& out, int side) {
    return side == CXoverBlock::LPF ? out.GetLPF() : out.GetHPF();
}

} // namespace

void COutputDlg::ApplyXoverFamily(int side) {
    CFilter* f = m_pCurOut ? XoverFilter(*m_pCurOut, side) : nullptr;
    if (!f)
        return;
    const int family = m_xover.Family(side).GetCurSel();
    if (family >= 0 && family != f->GetFamily()) {
        f->SetFamily(family, TRUE);
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = XoverFilter(o, side))
                g->SetFamily(family, TRUE);
        });
    }
    m_graph.RefreshCurve(side == CXoverBlock::LPF ? m_pCurOut->GetLPFIndex() : m_pCurOut->GetHPFIndex());
}

void COutputDlg::ApplyXoverSlope(int side) {
    CFilter* f = m_pCurOut ? XoverFilter(*m_pCurOut, side) : nullptr;
    if (!f)
        return;
    const int slope = m_xover.Slope(side).GetCurSel();
    if (slope >= 0 && slope != f->GetSlope()) {
        f->SetSlope(slope, TRUE);
        m_xover.EnableFamilyList(slope, side);
        m_xover.Family(side).SetCurSel(f->GetFamily());
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = XoverFilter(o, side))
                g->SetSlope(slope, TRUE);
        });
    }
    m_graph.RefreshCurve(side == CXoverBlock::LPF ? m_pCurOut->GetLPFIndex() : m_pCurOut->GetHPFIndex());
}

void COutputDlg::OnHpfFreq() {
    CFilter* hpf = m_pCurOut ? m_pCurOut->GetHPF() : nullptr;
    CFilter* lpf = m_pCurOut ? m_pCurOut->GetLPF() : nullptr;
    if (!hpf || !lpf)
        return;
    CNumSpin& spin = m_xover.Spin(CXoverBlock::HPF);
    int hz = spin.RefreshFromBuddy();
    // A tweeter keeps its high-pass at 1000 Hz or above, even when the value did not change.
    if (IsTweeter(CodeOf(g_nCurOut.load())) && hz < 1000) {
        hz = 1000;
        spin.SetPos(hz);
    }
    if (hz != hpf->GetFreq()) {
        if (lpf->GetFrequency() < hz) {
            hz = lpf->GetFrequency();
            spin.SetPos(hz);
        }
        hpf->SetFreq(hz, TRUE);
        ColourPassBand();
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetHPF())
                g->SetFreq(hz, TRUE);
        });
    }
    m_graph.RefreshCurve(m_pCurOut->GetHPFIndex());
    HighlightBandLabel(-1, FALSE);
}

void COutputDlg::OnLpfFreq() {
    CFilter* hpf = m_pCurOut ? m_pCurOut->GetHPF() : nullptr;
    CFilter* lpf = m_pCurOut ? m_pCurOut->GetLPF() : nullptr;
    if (!hpf || !lpf)
        return;
    CNumSpin& spin = m_xover.Spin(CXoverBlock::LPF);
    int hz = spin.RefreshFromBuddy();
    if (hz != lpf->GetFreq()) {
        if (hz < hpf->GetFrequency()) {
            hz = hpf->GetFrequency();
            spin.SetPos(hz);
        }
        lpf->SetFreq(hz, TRUE);
        ColourPassBand();
        ForLinked([&](CKTV_OutData& o) {
            if (CFilter* g = o.GetLPF())
                g->SetFreq(hz, TRUE);
        });
    }
    m_graph.RefreshCurve(m_pCurOut->GetLPFIndex());
    HighlightBandLabel(-1, FALSE);
}

// ---- Speaker map: forwarded to COutputMap ----

void COutputDlg::ReloadCrossover() {
    ShowCrossovers();
    m_graph.RefreshCurve(-1);
}

LRESULT COutputDlg::OnSetPositionMessage(WPARAM wParam, LPARAM lParam) {
    m_map.OnOutputSetPosition(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

void COutputDlg::OnSubPositionCommand(UINT id) {
    m_map.OnSubPositionMenu(static_cast<int>(id));
}

LRESULT COutputDlg::OnPasteMessage(WPARAM wParam, LPARAM lParam) {
    m_map.OnOutputPaste(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

void COutputDlg::OnMapCommand(UINT id) {
    switch (static_cast<int>(id)) {
    case kMapLock:
        m_map.OnMapLock();
        break;
    case kMapLink:
        m_map.OnLRLink();
        break;
    case kMapReset:
        m_map.OnResetMap();
        break;
    case kMapRead:
        m_map.OnReadMapFile();
        break;
    case kMapSave:
        m_map.OnSaveMapFile();
        break;
    default:
        m_map.OnPositionIcon(static_cast<int>(id));
        break;
    }
}
// ---- Level group, delay fields and keys -----------------------------------------------------------

void COutputDlg::OnSubLevelMode() {
    const BOOL subShown = m_btnSubMode.GetCheck();
    m_sliderSub.ShowWindow(subShown ? SW_HIDE : SW_SHOW);
    m_editSub.ShowWindow(subShown ? SW_HIDE : SW_SHOW);
    m_sliderSource.ShowWindow(subShown ? SW_SHOW : SW_HIDE);
    m_editSource.ShowWindow(subShown ? SW_SHOW : SW_HIDE);
    if (!subShown) {
        const int lowest = GetLowestSubLevel();
        const int level = lowest < 0 ? 600 : lowest;
        m_sliderSub.SetPos(level);
        m_spinSub.SetPos(level);
    }
    m_btnSubMode.SetCheck(subShown ? 0 : 1);
    RefreshOnButton();
}

void COutputDlg::OnSubLevelEdit() {
    // Unlike the fader, the field leaves muted subwoofer outputs muted.
    const int level = m_spinSub.RefreshFromBuddy();
    m_spinSub.SetPos(level);
    m_sliderSub.SetPos(level);
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        CKTV_OutData* out = g_pOutData[i];
        if (!CDelayLevelHelper::IsSubCode(CodeOf(i)) || !out)
            continue;
        out->SetLevel(level);
        if (m_strips[i])
            m_strips[i]->RefreshLevel();
    }
}

void COutputDlg::OnSubLevelSpin() {
    OnSubLevelEdit();
}

void COutputDlg::OnPolarity() {
    const int inverted = m_btnPolarity.GetCheck() ? 0 : 1;
    if (m_pCurOut)
        m_pCurOut->SetPolarity(inverted);
    ShowPolarity();
    m_btnPolarity.SetCheck(inverted);
    if (COutRoute_Dlg* strip = GetStrip(g_nCurOut.load()))
        strip->RefreshPolarity();
}

void COutputDlg::OnShowLevelPage() {
    if (m_pHost)
        m_pHost->PostViewMessage(WM_SHOW_LEVEL_PAGE);
}

void COutputDlg::MarkAllOutputsDirty() {
    if (!m_pData)
        return;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (CKTV_OutData* out = m_pData->GetOut(i))
            out->SetDirty(TRUE);
}

LRESULT COutputDlg::OnToggleMuteMessage(WPARAM wParam, LPARAM) {
    OnOutputToggleMute(static_cast<int>(wParam));
    return 0;
}

void COutputDlg::OnOutputToggleMute(int output) {
    CKTV_OutData* out = output >= 0 && output < NUM_OUTPUTS && m_pData ? m_pData->GetOut(output) : nullptr;
    if (!out)
        return;
    m_bOn = out->GetEnabled() ? 0 : 1;
    out->SetEnabled(m_bOn);
    if (COutRoute_Dlg* strip = GetStrip(output))
        strip->ShowOn(m_bOn);
}

void COutputDlg::RefreshLinkedPolarity(int output) {
    RefreshLinkedStrips(output, &COutRoute_Dlg::RefreshPolarity);
}

void COutputDlg::CopyOnFlagToLinked(int output) {
    if (output < 0 || output >= NUM_OUTPUTS)
        return;
    const int group = g_nOutLinkGroup[output].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        if (j == output || g_nOutLinkGroup[j].load() != group || !g_pOutData[j])
            continue;
        g_pOutData[j]->SetEnabled(m_bOn);
        if (m_strips[j])
            m_strips[j]->ShowOn(m_bOn);
    }
}

void COutputDlg::CopyPairOnButtons(int direction) {
    for (const LRPair& p : g_lrPairs) {
        if (!p.used || p.first < 0 || p.first >= NUM_OUTPUTS || p.second < 0 || p.second >= NUM_OUTPUTS)
            continue;
        const int from = direction == 0 ? p.first : p.second;
        const int to = direction == 0 ? p.second : p.first;
        if (m_strips[from] && m_strips[to])
            m_strips[to]->ShowOn(m_strips[from]->ShownOn());
    }
}

void COutputDlg::BindOutputDelay(int output, int k) {
    if (k < 0 || k >= kDelayFieldCount) {
        m_delays.Unbind(output);
        return;
    }
    m_spinDelay[k].SetChannel(output);
    m_delays.Bind(output, &m_editDelay[k], &m_spinDelay[k]);
}

void COutputDlg::OnDelayCommand(UINT id) {
    const int k = static_cast<int>(id) - (static_cast<int>(id) >= kDelaySpin ? kDelaySpin : kDelayField);
    OnPositionDelay(k);
}

void COutputDlg::OnPositionDelay(int k) {
    if (k < 0 || k >= kDelayFieldCount)
        return;
    m_nLastDelayOutput = m_spinDelay[k].GetChannel();
    ApplyOutputDelay(m_nLastDelayOutput);
}

void COutputDlg::OnDelayUnitCommand(UINT id) {
    SetDelayUnit(static_cast<int>(id) - kDelayUnitMs + DELAY_UNIT_MS);
}

void COutputDlg::SetDelayUnit(int unit) {
    if (unit < DELAY_UNIT_MS || unit > DELAY_UNIT_INCH)
        return;
    // The unit is shared with the level page, which may have changed it since: every button
    // shows the unit, not only the one this page chose last.
    g_nDelayUnit = unit;
    for (int u = DELAY_UNIT_MS; u <= DELAY_UNIT_INCH; ++u)
        m_btnDelayUnit[u - DELAY_UNIT_MS].SetCheck(u == unit ? 1 : 0);
    const int type = NUMTYPE_DELAY_MS + unit - DELAY_UNIT_MS;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (COutRoute_Dlg* strip = GetStrip(i))
            strip->SetDelayType(type);
    for (CNumEdit& field : m_editDelay)
        field.SetType(type, CString());
}

void COutputDlg::LayoutLinkToggles() {
    for (int group = 0; group < CDelayLevelHelper::kGroupCount; ++group) {
        const int* flag = CDelayLevelHelper::LinkFlag(group);
        const UINT toggle = CDelayLevelHelper::ToggleOf(group);
        if (!flag || toggle < static_cast<UINT>(kGroupLink) ||
            toggle >= static_cast<UINT>(kGroupLink + kGroupLinkCount))
            continue;
        CBtnPng& button = m_btnGroupLink[toggle - kGroupLink];
        if (*flag == -1) {
            button.ShowWindow(SW_HIDE);
            continue;
        }
        button.ShowWindow(SW_SHOW);
        button.SetCheck(*flag == 1 ? 1 : 0);
        if (*flag == 1)
            m_delays.SetGroupDelayReadOnly(group, TRUE);
    }
}

void COutputDlg::ReloadHpfSlopeList() {
    m_xover.FillSlopeList(CXoverBlock::HPF);
}

void COutputDlg::OnGroupLink(UINT id) {
    const int group = CDelayLevelHelper::GroupOfToggle(id);
    const int flag = m_delays.ToggleGroupLink(group);
    if (flag < 0)
        return;
    const UINT toggle = CDelayLevelHelper::ToggleOf(group);
    if (toggle >= static_cast<UINT>(kGroupLink) && toggle < static_cast<UINT>(kGroupLink + kGroupLinkCount))
        m_btnGroupLink[toggle - kGroupLink].SetCheck(flag);
}

LRESULT COutputDlg::OnSpinStep(WPARAM wParam, LPARAM lParam) {
    // The spin has already stepped its own field; the linked members of its group follow.
    auto* spin = dynamic_cast<CNumSpin*>(GetDlgItem(static_cast<int>(wParam)));
    if (!spin)
        return 0;
    m_nLastDelayOutput = spin->GetChannel();
    m_delays.StepLinkedDelays(m_nLastDelayOutput, static_cast<int>(lParam));
    return 0;
}

LRESULT COutputDlg::OnSpinClamped(WPARAM wParam, LPARAM) {
    // A clamp arrives from inside a refresh. The view's question may reset the outputs (which
    // refreshes this page again) or close the program, so it is asked once, after the refresh
    // returned: the first clamp queues a mark to ourselves, the mark queues the question.
    if (wParam == 0) {
        if (!m_bRangeErrorPending) {
            m_bRangeErrorPending = TRUE;
            PostMessage(WM_SPIN_CLAMPED, 1, 0);
        }
        return 0;
    }
    m_bRangeErrorPending = FALSE;
    if (m_pHost)
        m_pHost->PostViewMessage(WM_DATA_RANGE_ERROR);
    return 0;
}

int COutputDlg::FocusNextStrip(int k) {
    for (int i = k + 1; i < NUM_OUTPUTS; ++i)
        if (m_strips[i] && m_strips[i]->IsWindowEnabled() && m_strips[i]->IsWindowVisible()) {
            m_strips[i]->m_editLevel.SetFocus();
            return 0;
        }
    return 1;
}

int COutputDlg::FocusPrevStrip(int k) {
    for (int i = std::min(k, NUM_OUTPUTS) - 1; i >= 0; --i)
        if (m_strips[i] && m_strips[i]->IsWindowEnabled() && m_strips[i]->IsWindowVisible()) {
            m_strips[i]->m_editLevel.SetFocus();
            return 0;
        }
    return 1;
}

namespace {

COutputFocusRing::State RingState(COutputDlg& page, BOOL subShown) {
    COutputFocusRing::State st;
    st.bandCount = COutputDlg::BandCountOf(g_nCurOut.load());
    st.subShown = subShown != 0;
    st.visible = [&page](int id) {
        CWnd* w = page.GetDlgItem(id);
        return w && w->IsWindowVisible();
    };
    return st;
}

} // namespace

void COutputDlg::MoveFocus(const FocusMove& move) {
    switch (move.kind) {
    case FocusMove::FIELD:
        if (move.clearSelection)
            ClearBandSelection();
        if (CWnd* w = GetDlgItem(move.id))
            w->SetFocus();
        if (move.select >= 0)
            SelectBand(move.select);
        break;
    case FocusMove::STRIP_LEVEL:
    case FocusMove::STRIP_DELAY:
        if (COutRoute_Dlg* strip = GetStrip(move.strip)) {
            if (move.kind == FocusMove::STRIP_LEVEL)
                strip->m_editLevel.SetFocus();
            else
                strip->m_editDelay.SetFocus();
        }
        break;
    case FocusMove::NEXT_STRIP: {
        int from = -1;
        CWnd* focus = GetFocus();
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            if (m_strips[i] && focus == &m_strips[i]->m_editLevel)
                from = i;
        if (FocusNextStrip(from) != 0)
            FocusShownLevelEdit();
        break;
    }
    case FocusMove::LPF_LIST:
        m_xover.Family(CXoverBlock::LPF).SetFocus();
        m_xover.Family(CXoverBlock::LPF).ShowDropList();
        break;
    case FocusMove::NONE:
        break;
    }
}

LRESULT COutputDlg::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    // Every key a numeric edit handles arrives here; only the arrows (and Tab as Right) move.
    const UINT key = static_cast<UINT>(lParam);
    if (key != VK_LEFT && key != VK_RIGHT)
        return 0;
    const FocusMove move =
        COutputFocusRing::Navigate(RingState(*this, m_btnSubMode.GetCheck()), static_cast<int>(wParam), key);
    MoveFocus(move);
    // The pointer is put off the graph, so no band stays hovered under it.
    CPoint pt;
    CRect graph;
    m_graph.GetWindowRect(&graph);
    if (GetCursorPos(&pt) && graph.PtInRect(pt)) {
        CRect client;
        m_graph.GetClientRect(&client);
        SetCursorPos(graph.left, client.Height());
    }
    return 0;
}

LRESULT COutputDlg::OnNumEditEnter(WPARAM wParam, LPARAM) {
    // The typed value is taken first, then the focus walks on.
    if (auto* edit = dynamic_cast<CNumEdit*>(GetDlgItem(static_cast<int>(wParam))))
        edit->CommitText();
    MoveFocus(COutputFocusRing::Enter(RingState(*this, m_btnSubMode.GetCheck()), static_cast<int>(wParam)));
    return 0;
}

void COutputDlg::SetDefaultFocus() {
    if (dynamic_cast<CNumEdit*>(GetFocus()))
        return;
    for (int k = 0; k < kDelayFieldCount; ++k)
        if (m_editDelay[k].IsWindowVisible()) {
            m_editDelay[k].SetFocus();
            return;
        }
    m_rows.Field(0, CBandRows::KIND_FREQ).SetFocus();
    SelectBand(0);
}
