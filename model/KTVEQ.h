// CKTVEQ: the EQ of one channel: its owned filters (EQ bands, then the high-pass and the low-pass)
// and the channel's summed response curve.
#pragma once

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "platform/core/ObArray.h"
#include "platform/core/Rect.h"

// Curve point with float coordinates, as the graph's antialiased polyline takes them.
struct CurvePointF {
    float x;
    float y;
};

extern const int g_isoFreq31[31];
extern const int g_octFreq10[31];
extern const int g_micFreq15[24];
extern const int g_effFreq3[3];

class CKTVEQ : public CObArray {
    DECLARE_SERIAL(CKTVEQ)
public:
    CKTVEQ();
    ~CKTVEQ() override;

    // Filter i, or null outside the set.
    CFilter* GetAt(INT_PTR i) const { return static_cast<CFilter*>(CObArray::GetAt(i)); }
    CFilter* operator[](INT_PTR i) const { return GetAt(i); }

    void SetChannel(int channel) { m_nChannel = channel; }
    int GetChannel() const { return m_nChannel; }

    void BuildMicBands(int nLastBand, int nXoverChunk, int nLpFreq);
    void BuildInputBands(int nLastBand, int nXoverChunk, int nLpFreq);
    void BuildEffectBands(int nLastBand, int nXoverChunk, int nLpFreq);
    void BuildOutputBands(int nLastBand, int nXoverChunk, int nHpRange, int nHpFreq, int nLpFreq);

    void UpdateSumCurve();
    void UpdateSumCurveFloat();
    void UpdateBandCurve(int index);
    void SetGraphRect(const CRect& rect);

    EQBandRecord PackBand(int index);
    void UnpackBand(const EQBandRecord& rec, int index);
    // Copies filter values from the other set; only the filters both sets have.
    void CopyFrom(const CKTVEQ& other);

    CFilter* GetHPF() const { return GetAt(GetSize() - 2); }
    CFilter* GetLPF() const { return GetAt(GetSize() - 1); }
    BYTE GetBandIdByte(int index) const;

    // Every filter's 48 bytes in index order, no count: loading needs the same band layout.
    void Serialize(CArchive& ar) override;

    const CPoint* GetCurve() const { return m_ptCurve; }
    const CurvePointF* GetCurveF() const { return m_ptfCurve; }

    CPoint m_ptCurve[kGridSize];
    CurvePointF m_ptfCurve[kGridSize] = {};
    int m_nPlotHeight = 0;
    int m_nPlotWidth = 0;
    int m_nChannel = 0;
    EQBandRecord m_recBand = {};

private:
    CFilter* AddFilter();
    void AddCrossover(int type, int nXoverChunk, int hz, BOOL fromUser);
    // Sum of the filters' responses at every grid point.
    void SumResponses(double* sum) const;
};
