#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"

#include "pages/output/CurSYSDlg.h"

#include "pages/output/LimiterDialogLayouts.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"

namespace {

constexpr COLORREF kPage = RGB(27, 30, 36);
constexpr COLORREF kPanel = RGB(34, 38, 46);
constexpr COLORREF kPanelBorder = RGB(74, 82, 96);
constexpr COLORREF kLabelText = RGB(200, 204, 212);
constexpr COLORREF kCaptionText = RGB(16, 28, 48);
constexpr COLORREF kBand = RGB(167, 198, 239); // the group box's own fill

struct FieldRange {
    int lo, hi, type;
    double step, offset;
    const char* unit;
};
constexpr FieldRange kLimLevel{0, 420, NUMTYPE_LEVEL_DBU_1DEC, 0.1, 30.0, ""};
constexpr FieldRange kTime{0, 206, NUMTYPE_TIME_MS, 0, 0, ""};
constexpr FieldRange kRelease{50, 5000, NUMTYPE_INT_UNIT, 0, 0, "ms"};
constexpr FieldRange kCompThreshold{0, 360, NUMTYPE_LEVEL_DBU_1DEC, 0.1, 30.0, ""};
constexpr FieldRange kRatio{1, 191, NUMTYPE_RATIO, 0, 0, ""};
constexpr FieldRange kGate{0, 100, NUMTYPE_LEVEL_DBU, 1.0, 120.0, ""};

void InitPair(CNumSpin& spin, CNumEdit& edit, const FieldRange& r) {
    spin.SetBuddy(&edit);
    edit.SetType(r.type, r.unit);
    if (r.step != 0) {
        edit.SetStep(r.step);
        edit.SetOffset(r.offset);
    }
    spin.SetRange32(r.lo, r.hi);
}

} // namespace

BEGIN_MESSAGE_MAP(CCurSYSDlg, CDialog)
ON_COMMAND_RANGE(5620, 5637, &CCurSYSDlg::OnFieldCommand)
ON_COMMAND_RANGE(5650, 5667, &CCurSYSDlg::OnFieldCommand)
ON_COMMAND_RANGE(5700, 5717, &CCurSYSDlg::OnFieldCommand)
ON_COMMAND_RANGE(9500, 9577, &CCurSYSDlg::OnFieldCommand)
ON_COMMAND_RANGE(2059, 2060, &CCurSYSDlg::OnFieldCommand)
ON_CONTROL_RANGE(CBN_SELCHANGE, 9130, 9135, &CCurSYSDlg::OnListChange)
ON_CONTROL_RANGE(CBN_SELCHANGE, 5640, 5645, &CCurSYSDlg::OnListChange)
END_MESSAGE_MAP()

CCurSYSDlg::CCurSYSDlg(CWnd* parent) : CDialog(IDD_CUR_SYS, parent), m_brush(kPage), m_listBrush(kPanel) {
    RegisterLimiterDialogLayouts();
    // The compressor fields start at their lowest values (release code 0 shows 50 ms).
}

CCurSYSDlg::~CCurSYSDlg() {
    DestroyWindow();
}

void CCurSYSDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        Channel& c = m_ch[n];
        DDX_Control(dx, IDC_LIM_LEVEL + n, c.level);
        DDX_Control(dx, IDC_LIM_LEVEL_SPIN + n, c.levelSpin);
        DDX_Control(dx, IDC_LIM_ATTACK + n, c.attack);
        DDX_Control(dx, IDC_LIM_ATTACK_SPIN + n, c.attackSpin);
        DDX_Control(dx, IDC_LIM_RELEASE + n, c.release);
        DDX_Control(dx, IDC_LIM_RELEASE_SPIN + n, c.releaseSpin);
        DDX_Control(dx, IDC_COMP_THRESHOLD + n, c.compThreshold);
        DDX_Control(dx, IDC_COMP_THRESHOLD_SPIN + n, c.compThresholdSpin);
        DDX_Control(dx, IDC_RATIO + n, c.ratio);
        DDX_Control(dx, IDC_RATIO_SPIN + n, c.ratioSpin);
        DDX_Control(dx, IDC_COMP_ATTACK + n, c.compAttack);
        DDX_Control(dx, IDC_COMP_ATTACK_SPIN + n, c.compAttackSpin);
        DDX_Control(dx, IDC_COMP_RELEASE + n, c.compRelease);
        DDX_Control(dx, IDC_COMP_RELEASE_SPIN + n, c.compReleaseSpin);
        DDX_Control(dx, IDC_CURVE + n, c.curve);
        DDX_Control(dx, IDC_GROUP + n, c.group);
    }
    DDX_Control(dx, IDC_NOISE_GATE, m_gate);
    DDX_Control(dx, IDC_NOISE_GATE_SPIN, m_gateSpin);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(dx, IDC_LABEL + i, m_labels[i]);
        DDX_Control(dx, IDC_INPUT_OFF + i, m_inputOff[i]);
        DDX_Control(dx, IDC_RELEASE_LIST + i, m_releaseList[i]);
    }
    DDX_Control(dx, IDC_RATIO_LABEL, m_ratioLabels[0]);
    DDX_Control(dx, IDC_RATIO_LABEL + 1, m_ratioLabels[1]);
    DDX_Control(dx, IDC_SOURCE_LABEL, m_sourceLabel);
    DDX_Control(dx, IDC_GATE_LABEL, m_gateLabel);
    DDX_Control(dx, IDC_SOURCE_LIST, m_sourceList);
}

BOOL CCurSYSDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (CFontStatic* label : {&m_labels[0], &m_labels[1], &m_labels[2], &m_labels[3], &m_labels[4],
                               &m_labels[5], &m_ratioLabels[0], &m_ratioLabels[1]}) {
        label->SetFontSize(15);
        label->SetLeftAlign(TRUE);
        label->SetTextColor(kLabelText);
    }
    for (CFontStatic* label : {&m_sourceLabel, &m_gateLabel}) {
        label->SetFontSize(15);
        label->SetTextColor(kLabelText);
    }
    SetWindowText(LangText("System", "系统"));
    InitPair(m_gateSpin, m_gate, kGate);
    m_gate.SetLimitText(8);
    // The gate belongs to the first music input; the list only names it.
    m_sourceList.AddString("S/PDIF");
    m_sourceList.SetCurSel(0);
    for (int n = 0; n < 6; ++n) {
        for (const char* item : {"L", "R", "L+R"})
            m_inputOff[n].AddString(item);
    }
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        CSxGroupBox& g = m_ch[n].group;
        g.SetTextColor(kCaptionText, FALSE);
        // A caption band: the frame lines in the band's own colour.
        g.SetColors(kBand, kBand, FALSE);
    }
    InitChannelCtrls();
    LoadValues();
    return TRUE;
}

void CCurSYSDlg::InitChannelCtrls() {
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        Channel& c = m_ch[n];
        InitPair(c.levelSpin, c.level, kLimLevel);
        InitPair(c.attackSpin, c.attack, kTime);
        InitPair(c.releaseSpin, c.release, kRelease);
        InitPair(c.compThresholdSpin, c.compThreshold, kCompThreshold);
        InitPair(c.ratioSpin, c.ratio, kRatio);
        InitPair(c.compAttackSpin, c.compAttack, kTime);
        InitPair(c.compReleaseSpin, c.compRelease, kRelease);
        c.curve.CalcPlotRect();
        c.curve.SetScaleMode(CCOM_EXT_LIMStatic::kDrawMode);
    }
}

CKTV_OutData* CCurSYSDlg::Out(int n) const {
    return m_pDoc && n >= 0 && n < NUM_OUTPUTS ? m_pDoc->GetOut(n) : nullptr;
}

void CCurSYSDlg::LoadValues() {
    if (!m_pDoc)
        return;
    if (CMusic_InData* music = m_pDoc->GetMusic(0))
        m_gateSpin.SetPos(music->GetNoiseGate());
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        Channel& c = m_ch[n];
        if (CKTV_OutData* out = Out(n)) {
            c.levelSpin.SetPos(out->GetLimThreshold());
            c.attackSpin.SetPos(out->GetLimAttack());
            c.releaseSpin.SetPos(out->GetLimRelease() + kReleaseOffset);
            BYTE mix2[8];
            out->GetMix2(mix2);
            c.ratioSpin.SetPos(mix2[6]);
        }
        c.compThresholdSpin.SetPos(m_nCompThreshold[n]);
        c.compAttackSpin.SetPos(m_nCompAttack[n]);
        c.compReleaseSpin.SetPos(m_nCompReleaseCode[n] + kReleaseOffset);
        c.curve.SetChannelArray(m_pDoc);
        c.curve.SelectOutput(n);
    }
}

void CCurSYSDlg::OnFieldCommand(UINT id) {
    struct Family {
        int edit, spin;
        void (CCurSYSDlg::*handler)(int);
    };
    static const Family kFamilies[] = {
        {IDC_LIM_LEVEL, IDC_LIM_LEVEL_SPIN, &CCurSYSDlg::OnLimLevel},
        {IDC_LIM_ATTACK, IDC_LIM_ATTACK_SPIN, &CCurSYSDlg::OnLimAttack},
        {IDC_LIM_RELEASE, IDC_LIM_RELEASE_SPIN, &CCurSYSDlg::OnLimRelease},
        {IDC_COMP_THRESHOLD, IDC_COMP_THRESHOLD_SPIN, &CCurSYSDlg::OnCompThreshold},
        {IDC_RATIO, IDC_RATIO_SPIN, &CCurSYSDlg::OnRatio},
        {IDC_COMP_ATTACK, IDC_COMP_ATTACK_SPIN, &CCurSYSDlg::OnCompAttack},
        {IDC_COMP_RELEASE, IDC_COMP_RELEASE_SPIN, &CCurSYSDlg::OnCompRelease},
    };
    const int i = static_cast<int>(id);
    if (i == IDC_NOISE_GATE || i == IDC_NOISE_GATE_SPIN) {
        OnNoiseGate();
        return;
    }
    for (const Family& f : kFamilies)
        for (int base : {f.edit, f.spin})
            if (i >= base && i < base + NUM_OUTPUTS) {
                (this->*f.handler)(i - base);
                return;
            }
}

void CCurSYSDlg::OnListChange(UINT id) {
    const int i = static_cast<int>(id);
    if (i >= IDC_INPUT_OFF && i < IDC_INPUT_OFF + 6)
        OnInputOffSel(i - IDC_INPUT_OFF);
    else if (i >= IDC_RELEASE_LIST && i < IDC_RELEASE_LIST + 6)
        OnLimRelease(i - IDC_RELEASE_LIST);
}

void CCurSYSDlg::OnLimLevel(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    Channel& c = m_ch[n];
    int v = c.levelSpin.RefreshFromBuddy();
    if (v < out->GetCompThreshold()) {
        v = out->GetCompThreshold();
        c.levelSpin.SetPos(v);
    }
    out->SetLimThreshold(v);
    c.curve.RefreshCurve();
    SyncLinked(n, Row::LimLevel);
}

void CCurSYSDlg::OnLimAttack(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    out->SetLimAttack(m_ch[n].attackSpin.RefreshFromBuddy());
    SyncLinked(n, Row::LimAttack);
}

void CCurSYSDlg::OnLimRelease(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    out->SetLimRelease(m_ch[n].releaseSpin.RefreshFromBuddy() - kReleaseOffset);
    SyncLinked(n, Row::LimRelease);
}

void CCurSYSDlg::OnCompThreshold(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    Channel& c = m_ch[n];
    int v = c.compThresholdSpin.RefreshFromBuddy();
    if (v > out->GetLimThreshold()) {
        v = out->GetLimThreshold();
        c.compThresholdSpin.SetPos(v);
    }
    m_nCompThreshold[n] = v;
    out->SetCompThreshold(v);
    c.curve.RefreshCurve();
    SyncLinked(n, Row::CompThreshold);
}

// The attack field sets the ratio and the release field the attack: the output keeps neither.
void CCurSYSDlg::OnCompAttack(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    const int v = m_ch[n].compAttackSpin.RefreshFromBuddy();
    m_nCompAttack[n] = v;
    out->SetCompRatio(v);
    SyncLinked(n, Row::CompAttack);
}

void CCurSYSDlg::OnCompRelease(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    const int code = m_ch[n].compReleaseSpin.RefreshFromBuddy() - kReleaseOffset;
    m_nCompReleaseCode[n] = code;
    out->SetCompAttack(code);
    SyncLinked(n, Row::CompRelease);
}

void CCurSYSDlg::OnRatio(int n) {
    CKTV_OutData* out = Out(n);
    if (!out)
        return;
    out->SetMix2In7(static_cast<BYTE>(m_ch[n].ratioSpin.RefreshFromBuddy()));
    m_ch[n].curve.RefreshCurve();
    SyncLinked(n, Row::Ratio);
}

void CCurSYSDlg::OnNoiseGate() {
    CMusic_InData* music = m_pDoc ? m_pDoc->GetMusic(0) : nullptr;
    if (music)
        music->SetNoiseGate(m_gateSpin.RefreshFromBuddy());
}

void CCurSYSDlg::OnInputOffSel(int n) {
    CKTV_OutData* out = Out(n);
    if (!out || n < 0 || n >= 6)
        return;
    switch (m_inputOff[n].GetCurSel()) {
    case 0:
        out->SetInLOff(0);
        out->SetInROff(1);
        break;
    case 1:
        out->SetInLOff(1);
        out->SetInROff(0);
        break;
    case 2:
        out->SetInLOff(0);
        out->SetInROff(0);
        break;
    default:
        break;
    }
}

void CCurSYSDlg::SyncLinked(int n, Row row) {
    const int group = g_nOutLinkGroup[n].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        if (j == n || g_nOutLinkGroup[j].load() != group)
            continue;
        CKTV_OutData* out = Out(j);
        if (!out)
            continue;
        Channel& c = m_ch[j];
        switch (row) {
        case Row::LimLevel:
            c.levelSpin.SetPos(out->GetLimThreshold());
            c.curve.RefreshCurve();
            break;
        case Row::LimAttack:
            c.attackSpin.SetPos(out->GetLimAttack());
            break;
        case Row::LimRelease:
            c.releaseSpin.SetPos(out->GetLimRelease() + kReleaseOffset);
            break;
        case Row::CompThreshold:
            c.compThresholdSpin.SetPos(out->GetCompThreshold());
            c.curve.RefreshCurve();
            break;
        case Row::CompAttack:
            c.compAttackSpin.SetPos(out->GetCompRatio());
            break;
        case Row::CompRelease:
            c.compReleaseSpin.SetPos(out->GetCompAttack() + kReleaseOffset);
            break;
        case Row::Ratio:
            c.ratioSpin.SetPos(out->GetMix2In7());
            c.curve.RefreshCurve();
            break;
        }
    }
}

BOOL CCurSYSDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Escape end the typing (the field takes its value) and never close the dialog.
    if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CCurSYSDlg::PaintBackground(CDC* dc) {
    CRect rc;
    GetClientRect(&rc);
    dc->FillSolidRect(&rc, kPage);
    CBrush border(kPanelBorder);
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        CRect body = limlayout::GroupRect(n);
        body.top += limlayout::kCaptionHeight / 2;
        dc->FillSolidRect(&body, kPanel);
        dc->FrameRect(&body, &border);
    }
}

BOOL CCurSYSDlg::OnEraseBkgnd(CDC* dc) {
    PaintBackground(dc);
    return TRUE;
}

void CCurSYSDlg::OnPaint() {
    CPaintDC dc(this);
    PaintBackground(&dc);
}

HBRUSH CCurSYSDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_EDIT && wnd == &m_sourceList) {
        dc->SetTextColor(kLabelText);
        dc->SetBkColor(kPanel);
        return static_cast<HBRUSH>(m_listBrush.GetSafeHandle());
    }
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kLabelText);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
