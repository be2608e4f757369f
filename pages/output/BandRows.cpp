#include "pages/output/BandRows.h"

#include "model/Filter.h"
#include "model/RecordRanges.h"
#include "platform/ui/DataExchange.h"

#include <cstdio>

using namespace outpage;

namespace {

constexpr UINT kChannelPeq = 610;
constexpr UINT kChannelPeqFirst = 615;
constexpr UINT kChannelGeq = 614;
constexpr UINT kChannelGeqFirst = 616;
constexpr UINT kThumb = 611;
constexpr UINT kThumbActive = 613;
constexpr UINT kThumbOutside = 612;
constexpr int kGainZero = 200;

UINT ChannelBitmap(int n, bool geq) {
    if (geq)
        return n == 0 ? kChannelGeqFirst : kChannelGeq;
    return n == 0 ? kChannelPeqFirst : kChannelPeq;
}

void Place(CWnd& w, const CRect& rc) {
    CRect now;
    w.GetWindowRect(&now);
    if (CWnd* parent = w.GetParent())
        parent->ScreenToClient(&now);
    if (now != rc)
        w.MoveWindow(rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void Show(CWnd& w, bool shown) {
    w.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

} // namespace

void CBandRows::Bind(CDataExchange* dx) {
    for (int n = 0; n < kCount; ++n) {
        DDX_Control(dx, kFreqEdit + n, m_freq[n]);
        DDX_Control(dx, kFreqSpin + n, m_freqSpin[n]);
        DDX_Control(dx, kQEdit + n, m_q[n]);
        DDX_Control(dx, kQSpin + n, m_qSpin[n]);
        DDX_Control(dx, kGainEdit + n, m_gain[n]);
        DDX_Control(dx, kGainSpin + n, m_gainSpin[n]);
        DDX_Control(dx, kFader + n, m_fader[n]);
        DDX_Control(dx, kLabel + n, m_label[n]);
        DDX_Control(dx, kBypass + n, m_bypass[n]);
    }
}

void CBandRows::Init(CFont* pageFont) {
    LOGFONT lf{};
    pageFont->GetLogFont(&lf);
    m_fontFreq.CreateFont(lf.lfHeight, 4, 0, 0, lf.lfWeight, 0, 0, 0, 0, 0, 0, 0, 0, lf.lfFaceName);
    for (int n = 0; n < kCount; ++n) {
        m_freqSpin[n].SetBuddy(&m_freq[n]);
        m_freq[n].SetType(NUMTYPE_INT, CString());
        m_freqSpin[n].SetRange32(range::kFreq.lo, range::kFreq.hi);
        m_freq[n].SetFont(&m_fontFreq);

        m_qSpin[n].SetBuddy(&m_q[n]);
        m_q[n].SetType(NUMTYPE_Q, CString());
        m_qSpin[n].SetRange32(range::kBandwidth.lo, range::kBandwidth.hi);
        m_q[n].SetFont(&m_fontFreq);

        m_gainSpin[n].SetBuddy(&m_gain[n]);
        m_gain[n].SetStep(0.1);
        m_gain[n].SetOffset(20.0);
        m_gain[n].SetType(NUMTYPE_LEVEL, CString());
        m_gainSpin[n].SetRange32(range::kGainPos.lo, range::kGainPos.hi);
        m_gain[n].SetFont(pageFont);

        m_fader[n].SetChannelBitmaps(ChannelBitmap(n, false), ChannelBitmap(n, false));
        m_fader[n].SetThumbBitmaps(kThumb, kThumbActive);
        m_fader[n].SetRange(0, 240);
        m_fader[n].SetValueMode(10);
        m_fader[n].EnableMoveNotify(TRUE);
        m_fader[n].SetBuddyEdit(&m_gain[n]);
        m_gain[n].SetBuddySlider(&m_fader[n]);
        m_binding[n].Attach(&m_fader[n]);

        CString number;
        number.Format("%d", n + 1);
        m_label[n].SetText(number);
        m_label[n].SetFontStyle("", 16, RGB(0, 0, 0), 0);

        m_bypass[n].SetBitmaps(8830, 8831, 8831, 8832, 8833, 8833);
        m_bypass[n].EnableMoveNotify(TRUE);
    }
    m_nHighlight = -1;
    m_pActive = nullptr;
}

CRect CBandRows::PlaceOf(int n, RowPart part, const Layout& layout) {
    CRect rc;
    if (layout.geq && part == RowPart::Gain)
        rc = GeqGainPlace(n);
    else if (layout.geq && part == RowPart::Fader)
        rc = GeqFaderPlace(n);
    else
        rc = BandPlace(n, part);
    if (layout.bands == kTenBandCount && n < kTenBandCount)
        rc.OffsetRect(kTenBandShift * n, 0);
    return rc;
}

void CBandRows::ApplyLayout(const Layout& layout) {
    const bool geqChanged = !m_bLaidOut || layout.geq != m_layout.geq;
    m_layout = layout;
    m_bLaidOut = true;
    for (int n = 0; n < kCount; ++n) {
        const bool shown = !layout.locked && n < layout.bands;
        const bool shelf = (n == 0 && layout.firstShelf) || (n == 9 && layout.tenthShelf);
        if (n < kTenBandCount || geqChanged) {
            Place(m_label[n], PlaceOf(n, RowPart::Label, layout));
            Place(m_freq[n], PlaceOf(n, RowPart::Freq, layout));
            Place(m_q[n], PlaceOf(n, RowPart::Q, layout));
            Place(m_gain[n], PlaceOf(n, RowPart::Gain, layout));
            Place(m_fader[n], PlaceOf(n, RowPart::Fader, layout));
            Place(m_bypass[n], PlaceOf(n, RowPart::Bypass, layout));
        }
        if (geqChanged)
            m_fader[n].SetChannelBitmaps(ChannelBitmap(n, layout.geq), ChannelBitmap(n, layout.geq));
        ShowRow(n, shown, !layout.geq, !layout.geq && !shelf);
    }
}

void CBandRows::ShowRow(int n, bool shown, bool showFreq, bool showQ) {
    Show(m_label[n], shown);
    Show(m_freq[n], shown && showFreq);
    Show(m_freqSpin[n], shown && showFreq);
    Show(m_q[n], shown && showQ);
    Show(m_qSpin[n], shown && showQ);
    Show(m_gain[n], shown);
    Show(m_gainSpin[n], shown);
    Show(m_fader[n], shown);
    Show(m_bypass[n], shown);
}

void CBandRows::ShowBand(int n, CFilter& filter) {
    if (n < 0 || n >= kCount)
        return;
    m_freqSpin[n].SetPos(filter.GetFreq());
    m_qSpin[n].SetPos(filter.GetBandwidthPos());
    ShowGain(n, filter.GetGainPos());
    filter.SetSlider(&m_binding[n]);
    ShowBypass(filter.IsBypassed(), n);
}

void CBandRows::ShowQ(int n, bool shown) {
    if (n < 0 || n >= kCount)
        return;
    Show(m_q[n], shown);
    Show(m_qSpin[n], shown);
}

void CBandRows::ShowGain(int n, int pos) {
    m_gainSpin[n].SetPos(pos);
    m_fader[n].SetPos(pos);
}

void CBandRows::ShowBypass(BOOL bypassed, int n) {
    if (n < 0 || n >= kCount)
        return;
    if (!bypassed) {
        m_bypass[n].SetCheck(0);
        return;
    }
    m_bypass[n].SetCheck(1);
    ShowGain(n, kGainZero);
    m_gain[n].SetWindowText("0.0");
}

void CBandRows::SetOutsidePassBand(int n, bool outside) {
    if (n < 0 || n >= kCount)
        return;
    if (m_outside[n] == outside)
        return;
    m_outside[n] = outside;
    if (outside)
        m_fader[n].SetThumbBitmaps(kThumbOutside, kThumbOutside);
    else
        m_fader[n].SetThumbBitmaps(kThumb, kThumbActive);
}

void CBandRows::HighlightLabel(int n, BOOL on) {
    if (m_nHighlight >= 0)
        m_label[m_nHighlight].SetFontStyle("", 16, RGB(0, 0, 0), 0);
    m_nHighlight = -1;
    if (!on || n < 0 || n >= kCount)
        return;
    m_nHighlight = n;
    m_label[n].SetFontStyle("", 16, RGB(255, 0, 0), 0);
}

void CBandRows::SetActiveEdit(int n, int kind, BOOL on) {
    if (m_pActive)
        m_pActive->SetHighlight(0);
    m_pActive = nullptr;
    if (!on || n < 0 || n >= kCount)
        return;
    m_pActive = &Field(n, kind);
    m_pActive->SetHighlight(1);
}

CNumEdit& CBandRows::Field(int n, int kind) {
    switch (kind) {
    case KIND_FREQ:
        return m_freq[n];
    case KIND_Q:
        return m_q[n];
    default:
        return m_gain[n];
    }
}

BOOL CBandRows::FieldOfId(UINT id, int& n, int& kind) {
    struct Family {
        int first;
        int kind;
    };
    static constexpr Family kFamilies[] = {
        {kFreqEdit, KIND_FREQ}, {kFreqSpin, KIND_FREQ}, {kQEdit, KIND_Q},
        {kQSpin, KIND_Q},       {kGainEdit, KIND_GAIN}, {kGainSpin, KIND_GAIN},
    };
    for (const Family& f : kFamilies) {
        const int i = static_cast<int>(id) - f.first;
        if (i >= 0 && i < kCount) {
            n = i;
            kind = f.kind;
            return TRUE;
        }
    }
    return FALSE;
}
