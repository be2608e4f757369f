#include "model/ChannelCore.h"

#include "model/RecordFrames.h"
#include "model/Filter.h"

BOOL CChannelCore::AreBypassed(int n) const {
    n = std::min(n, GetFilterCount());
    for (int i = 0; i < n; ++i)
        if (!GetBand(i)->IsBypassed())
            return FALSE;
    return TRUE;
}

void CChannelCore::BypassFirst(int n, BOOL bOn) {
    std::lock_guard lock(g_linkLock);
    n = std::min(n, GetFilterCount());
    for (int i = 0; i < n; ++i)
        GetBand(i)->BypassAll(bOn);
}

BOOL CChannelCore::TakeXoverChange() {
    BOOL any = FALSE;
    for (CFilter* f : {GetHPF(), GetLPF()}) {
        if (f && f->IsChanged()) {
            f->AckChange(0);
            any = TRUE;
        }
    }
    return any;
}

void CChannelCore::SetFiltersChanged(BOOL flag) {
    const int f = flag ? 1 : 0;
    const int n = GetFilterCount();
    for (int i = 0; i < n; ++i) {
        CFilter* filter = GetBand(i);
        if (!f)
            filter->SetSentFreq(filter->GetFreq());
        filter->AckChange(f);
    }
}

void CChannelCore::LoadXover(const XoverRecord& rec) {
    std::lock_guard lock(g_linkLock);
    CFilter* hp = GetHPF();
    CFilter* lp = GetLPF();
    if (!hp || !lp)
        return;
    hp->SetFreq(rec.hpFreq, FALSE);
    hp->SetFamily(rec.hpFamily, FALSE);
    hp->SetSlope(rec.hpSlope, FALSE);
    hp->AckChange(0);
    lp->SetFreq(rec.lpFreq, FALSE);
    lp->SetFamily(rec.lpFamily, FALSE);
    lp->SetSlope(rec.lpSlope, FALSE);
    lp->AckChange(0);
}

void CChannelCore::PackXover(XoverRecord& out, bool bTarget) const {
    const CFilter* hp = GetHPF();
    const CFilter* lp = GetLPF();
    if (!hp || !lp)
        return;
    out.hpFreq.Set(bTarget ? hp->GetFreq() : hp->GetSentFreq());
    out.hpFamily = hp->GetFamilyByte();
    out.hpSlope = hp->GetSlopeByte();
    out.lpFreq.Set(bTarget ? lp->GetFreq() : lp->GetSentFreq());
    out.lpFamily = lp->GetFamilyByte();
    out.lpSlope = lp->GetSlopeByte();
}

void CChannelCore::PackBands(EQBandRecord* bands, int n) {
    for (int i = 0; i < n; ++i)
        bands[i] = m_eq.PackBand(i);
}

void CChannelCore::UnpackBands(const EQBandRecord* bands, int n) {
    for (int i = 0; i < n; ++i)
        m_eq.UnpackBand(bands[i], i);
}

std::unique_ptr<CSendData> CChannelCore::StoreBand(EQBandRecord* bands, int count, int nBand, int nChunk) {
    if (nBand < 0 || nBand >= count)
        return nullptr;
    return Store(bands, TRUE, nChunk, [&](EQBandRecord&) { bands[nBand] = m_eq.PackBand(nBand); });
}

std::unique_ptr<CSendData> CChannelCore::ChunkFrame(int chunk) const {
    return BuildChunkFrame(m_nGroup, m_nIndex, chunk);
}

std::unique_ptr<CSendData> CChannelCore::RecordFrame(int nPreset) const {
    return BuildRecordFrame(nPreset, m_nGroup, m_nIndex, TRUE, TRUE);
}

void CChannelCore::SetCurveRect(const CRect& rect, bool bWholeX) {
    m_nPlotHeight = rect.Height();
    m_nPlotWidth = rect.Width();
    for (int i = 0; i < kGridSize; ++i) {
        const int x = FreqToAxisPos(g_eqFreqGrid[i], m_nPlotWidth) + 40;
        m_ptCurve[i] = CPoint(x, m_nPlotHeight / 2);
        m_ptfCurve[i].x = bWholeX
                              ? static_cast<float>(x)
                              : static_cast<float>(FreqToAxisPosReal(g_eqFreqGrid[i], m_nPlotWidth) + 40.0);
    }
    m_eq.SetGraphRect(rect);
}

void CChannelCore::UpdateCurve() {
    m_nZeroLineY = DbToY(0.0, m_nPlotHeight) + 10;
    m_eq.UpdateSumCurve();
    const CPoint* sum = m_eq.GetCurve();
    const CurvePointF* sumF = m_eq.GetCurveF();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i].y = sum[i].y;
        m_ptfCurve[i].y = sumF[i].y;
    }
}

void CChannelCore::UpdateCurveFloat() {
    m_nZeroLineY = DbToY(0.0, m_nPlotHeight) + 10;
    m_eq.UpdateSumCurveFloat();
    const CurvePointF* sumF = m_eq.GetCurveF();
    for (int i = 0; i < kGridSize; ++i)
        m_ptfCurve[i].y = sumF[i].y;
}

void CChannelCore::UpdateCurveWhole() {
    m_eq.UpdateSumCurve();
    const CPoint* sum = m_eq.GetCurve();
    for (int i = 0; i < kGridSize; ++i)
        m_ptCurve[i].y = sum[i].y;
}
