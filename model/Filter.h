// CFilter: one EQ band (peak, low shelf, high shelf) or one half of a crossover (high-pass,
// low-pass) with its values in user units, its send state, its 241-point magnitude response and
// the handle geometry the frequency-response graph draws and drags.
#pragma once

#include "model/Conversions.h"
#include "model/FilterFader.h"
#include "platform/core/Object.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <atomic>

class CArchive;

class CFilter : public CObject {
    DECLARE_SERIAL(CFilter)
public:
    static constexpr int kCurvePoints = kGridSize + 2;

    CFilter();

    // Setters of audio values. "Marks" = m_bChanged takes g_bOnline. They take g_linkLock: the
    // send scheduler steps and packs these values on the link worker.
    void SetFreq(int hz, BOOL fromUser);
    void SetType(int type);
    void SetEqType(int type);
    void SetShapeCode(int code);
    void SetLowShelfSlope(int s);
    void SetHighShelfSlope(int s);
    void SetSlope(int index, BOOL mark);
    void SetFamily(int family, BOOL mark);
    void SetGainPos(int pos);
    void SetGain(double db);
    void SetBandwidthPos(int pos);
    void SetBandwidth(double octaves);
    void SetBypass(BOOL on);
    void BypassAll(BOOL on);
    void ResetBand(int hz);
    void SetGeqMode(BOOL on);
    void SetSentFreq(int hz) { m_nSentFreq.store(hz); }
    void SetBandId(int id) { m_nBandId = id; }
    void SetEqBand(BOOL eqBand) { m_bEqBand = eqBand; }
    void SetSlopeMode(int mode) { m_nSlopeMode = mode; }
    void SetRangeMode(int mode) { m_nRangeMode = mode; }
    void SetSlider(FilterFader* slider) { m_pSlider = slider; }
    void CopyFrom(const CFilter& other);
    // The scheduler's step before it packs the filter: moves the sent frequency at most one
    // octave towards the set one; the mark is cleared (to flag) only once both are equal.
    void AckChange(BOOL flag);

    int GetFreq() const { return m_nFreq; }
    int GetFrequency() const { return m_nFreq; }
    int GetSentFreq() const { return m_nSentFreq.load(); }
    int GetType() const { return m_nType; }
    int GetFamily() const { return m_nFamily; }
    int GetSlope() const { return m_nSlope; }
    double GetGain() const { return m_dGain; }
    double GetBandwidth() const { return m_dBandwidth; }
    int GetBandId() const { return m_nBandId; }
    int GetRangeMode() const { return m_nRangeMode; }
    int GetSlopeMode() const { return m_nSlopeMode; }
    BOOL IsEqBand() const { return m_bEqBand; }
    BOOL IsGeqMode() const { return m_bGeqMode; }
    BOOL IsChanged() const { return m_bChanged.load(); }
    BYTE GetTypeByte() const { return static_cast<BYTE>(m_nType & 0xFF); }
    BYTE GetSlopeByte() const { return static_cast<BYTE>(m_nSlope & 0xFF); }
    BYTE GetFamilyByte() const { return static_cast<BYTE>(m_nFamily & 0xFF); }
    BYTE GetBandIdByte() const { return static_cast<BYTE>(m_nBandId & 0xFF); }
    BOOL IsBypassed() const { return m_bBypassAll ? m_bBypassAll : m_bBypass; }
    int GetGainPos() const;
    int GetBandwidthPos() const;
    int GetShapeCode() const;

    CString FormatFreqText() const;
    CString FormatGainText() const;
    CString FormatBandwidthText() const;
    CString FormatQText() const;
    CString FormatTypeText() const;
    CString FormatFamilyText() const;
    CString FormatShelfSlopeText() const;
    CString FormatSlopeText() const;
    CString FormatLabelText();

    // One biquad, normalised by a0 and folded for evaluation at angle w with c = cos w, s = sin w:
    // |H|^2 = ((nc c + nd)^2 + (ns s)^2) / ((dc c + dd)^2 + (ds s)^2).
    struct Section {
        double nc, nd, ns, dc, dd, ds;
    };

    // Takes the current values into the filter's sections. The response at the 241 grid points and
    // the curve's y are worked out when they are first read: most bands are never drawn alone.
    void UpdateResponse();
    // dB at every grid point.
    const double* Response() const;
    // The band's closed curve for the graph (kCurvePoints window points).
    const CPoint* Curve() const;
    // The summed dB of the filters at every grid point, from the product of all their sections:
    // one divide and one logarithm per point instead of one per filter.
    static void SumResponses(const CFilter* const* filters, int count, double* sum);

    // Graph geometry and drags (window coordinates: plot + (40, 10)).
    void SetGraphRect(const CRect& rect);
    void LayoutBandHandle();
    void LayoutWidthHandles();
    void LayoutXoverHandle();
    void BeginHandleDrag(CPoint point);
    void BeginWidthDrag(int x);
    BOOL DragHandle(CPoint point);
    BOOL DragWidthHandle(int x);
    BOOL DragXoverHandle(CPoint point, int partnerHz);

    // 48 bytes: type, frequency, sent frequency, gain, both bypass flags, bandwidth, family,
    // slope and band id. Modes, the change mark and the drawing state are not stored.
    void Serialize(CArchive& ar) override;

    // Drawing state, read and written by the graph.
    CPoint m_ptGrabOffset;
    int m_nDragX = 0; // pointer x of the last handle drag step
    int m_nLowGrabOffset = 0;
    int m_nHighGrabOffset = 0;
    CRect m_rcHandle;
    CRect m_rcLowWidth;
    CRect m_rcHighWidth;
    BOOL m_bHoverHandle = 0;
    BOOL m_bHoverLow = 0;
    BOOL m_bHoverHigh = 0;
    BOOL m_bGrabHandle = 0;
    BOOL m_bGrabLow = 0;
    BOOL m_bGrabHigh = 0;
    CRect m_rcLabel;
    CString m_strLabel;

private:
    void Mark();
    void Relayout();
    void KeepShelfSide();
    void SyncSentWhileOffline();

    Section m_sections[4];
    int m_nSections = 0;
    // False for a type without sections: its stored response stands.
    bool m_bHasSections = false;
    mutable bool m_bResponseStale = false;
    mutable bool m_bCurveStale = true;
    mutable double m_dResponse[kGridSize];
    mutable CPoint m_ptCurve[kCurvePoints];
    FilterFader* m_pSlider = nullptr;
    int m_nType = 0;
    int m_nFreq = 1000;
    std::atomic<int> m_nSentFreq{20};
    int m_nRangeMode = 0;
    double m_dGain = 0.0;
    BOOL m_bBypass = 1;
    BOOL m_bBypassAll = 0;
    BOOL m_bSavedBypassAll = 0;
    double m_dBandwidth = 0.19;
    int m_nFamily = 0;
    int m_nSlope = 0;
    int m_nBandId = 0;
    int m_nPlotWidth = 0;
    int m_nPlotHeight = 0;
    BOOL m_bEqBand = 1;
    std::atomic<int> m_bChanged{0};
    int m_nSlopeMode = 0;
    BOOL m_bGeqMode = 0;
    // Sub-pixel part of the grabbed bandwidth edge, so a grab without movement keeps the width.
    double m_dWidthGrabFraction = 0.0;
};
