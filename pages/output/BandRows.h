// CBandRows: the 31 band columns of the output page (frequency, Q and gain fields with their spins,
// gain fader, number label, bypass button) with their layout. The layout of every row is derived
// from the shown state at each refresh (band count, PEQ or GEQ, locked data, the shapes of bands 1
// and 10), never from what happened to be visible before.
#pragma once

#include "controls/BitmapSlider.h"
#include "controls/FontStatic.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/XPButton.h"
#include "pages/output/FaderBinding.h"
#include "pages/output/OutputPageLayout.h"
#include "platform/ui/Font.h"

class CDataExchange;
class CFilter;

class CBandRows {
public:
    enum Kind { KIND_FREQ = 0, KIND_Q = 1, KIND_GAIN = 2 };
    static constexpr int kCount = outpage::kBandCount;

    struct Layout {
        int bands = kCount;      // rows of the shown output (31 or 10)
        bool geq = false;        // GEQ layout: gain field in the frequency field's place
        bool locked = false;     // locked data: no row is shown
        bool firstShelf = false; // band 1 is a low shelf: its Q field gives way to the slope list
        bool tenthShelf = false; // band 10 is a high shelf
    };

    void Bind(CDataExchange* dx);
    // Ranges, display types, bitmaps and fonts of every row.
    void Init(CFont* pageFont);

    // Places, shows and hides every row for the state.
    void ApplyLayout(const Layout& layout);
    const Layout& CurrentLayout() const { return m_layout; }
    // The place a row's control takes in the layout (the 10-band rows moved right by 75 x n).
    static CRect PlaceOf(int n, outpage::RowPart part, const Layout& layout);

    // Row n shows the filter's values; the filter drives the fader from then on.
    void ShowBand(int n, CFilter& filter);
    // Not bypassed: the button goes off, nothing else. Bypassed: the button on, "0.0", position 200.
    void ShowBypass(BOOL bypassed, int n);
    // The gain position on the spin and the fader (the edit follows its spin).
    void ShowGain(int n, int pos);
    // Band n's Q field and spin shown or hidden (a shelf has no Q).
    void ShowQ(int n, bool shown);
    // Normal thumb, or the grey thumb of a band outside the pass band.
    void SetOutsidePassBand(int n, bool outside);
    bool IsOutsidePassBand(int n) const { return n >= 0 && n < kCount && m_outside[n]; }

    void HighlightLabel(int n, BOOL on);
    int HighlightedLabel() const { return m_nHighlight; }
    void SetActiveEdit(int n, int kind, BOOL on);
    CNumEdit* ActiveEdit() const { return m_pActive; }
    // A band field or its spin: the band and the field kind, else FALSE.
    static BOOL FieldOfId(UINT id, int& n, int& kind);

    CNumEdit& Freq(int n) { return m_freq[n]; }
    CNumEdit& Q(int n) { return m_q[n]; }
    CNumEdit& Gain(int n) { return m_gain[n]; }
    CNumSpin& FreqSpin(int n) { return m_freqSpin[n]; }
    CNumSpin& QSpin(int n) { return m_qSpin[n]; }
    CNumSpin& GainSpin(int n) { return m_gainSpin[n]; }
    CBitmapSlider& Fader(int n) { return m_fader[n]; }
    CFontStatic& Label(int n) { return m_label[n]; }
    CXPButton& Bypass(int n) { return m_bypass[n]; }
    CNumEdit& Field(int n, int kind);

private:
    void ShowRow(int n, bool shown, bool showFreq, bool showQ);

    CNumEdit m_freq[kCount];
    CNumSpin m_freqSpin[kCount];
    CNumEdit m_q[kCount];
    CNumSpin m_qSpin[kCount];
    CNumEdit m_gain[kCount];
    CNumSpin m_gainSpin[kCount];
    CBitmapSlider m_fader[kCount];
    CFontStatic m_label[kCount];
    // Five digits fit a band column only in a narrowed face (frequencies and Q).
    CFont m_fontFreq;
    CXPButton m_bypass[kCount];
    CFaderBinding m_binding[kCount];
    Layout m_layout;
    bool m_bLaidOut = false;
    int m_nHighlight = -1;
    CNumEdit* m_pActive = nullptr;
    bool m_outside[kCount] = {};
};
