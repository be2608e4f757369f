// What every channel has in common: its band set (EQ bands, then the high-pass and the low-pass),
// the crossover's load and pack, the summed curve the graph draws, and the locked store step
// that packs a part of the channel's record in g_curImage and builds that chunk's frame.
#pragma once

#include "wire/SendData.h"
#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "platform/core/Point.h"
#include "platform/core/Rect.h"

#include <algorithm>
#include <memory>
#include <mutex>

class CFilter;

class CChannelCore {
public:
    // The frames of this channel go to (group, index).
    void SetAddress(int group, int index) {
        m_nGroup = group;
        m_nIndex = index;
    }

    // ---- Band set (indexes are checked: out of range gives null)
    CKTVEQ& EQ() { return m_eq; }
    const CKTVEQ& EQ() const { return m_eq; }
    int GetFilterCount() const { return static_cast<int>(m_eq.GetSize()); }
    int GetBandCount() const { return std::max(0, GetFilterCount() - 2); } // less the crossover pair
    CFilter* GetBand(int i) const { return i >= 0 && i < GetFilterCount() ? m_eq.GetAt(i) : nullptr; }
    CFilter* GetHPF() const { return GetBand(GetFilterCount() - 2); }
    CFilter* GetLPF() const { return GetBand(GetFilterCount() - 1); }
    // TRUE when the first n filters are all bypassed.
    BOOL AreBypassed(int n) const;
    void BypassFirst(int n, BOOL bOn);
    // TRUE when the high-pass or the low-pass is marked; acknowledges each marked one.
    BOOL TakeXoverChange();
    // Marks (TRUE) or clears every filter; clearing brings each sent frequency to its set one.
    void SetFiltersChanged(BOOL flag);

    // ---- Crossover
    void LoadXover(const XoverRecord& rec); // without marking
    // With bTarget the set frequencies, else the sent ones.
    void PackXover(XoverRecord& out, bool bTarget = false) const;

    // ---- Bands of a record (its first n slots)
    void PackBands(EQBandRecord* bands, int n);
    void UnpackBands(const EQBandRecord* bands, int n);

    // ---- The locked store step: pack into the record (when the channel has one) under
    // g_linkLock, then the chunk frame when bSend.
    template <class Rec, class Pack>
    std::unique_ptr<CSendData> Store(Rec* rec, BOOL bSend, int chunk, Pack pack) const {
        std::lock_guard lock(g_linkLock);
        if (rec)
            pack(*rec);
        return bSend && rec ? ChunkFrame(chunk) : nullptr;
    }
    // Band nBand of bands[slots] and its frame; null outside the first `count` slots.
    std::unique_ptr<CSendData> StoreBand(EQBandRecord* bands, int count, int nBand, int nChunk);
    std::unique_ptr<CSendData> ChunkFrame(int chunk) const;
    std::unique_ptr<CSendData> RecordFrame(int nPreset) const;

    // ---- Curve
    // With bWholeX the float points take the whole-pixel x.
    void SetCurveRect(const CRect& rect, bool bWholeX = false);
    // Sums the band set into both curves (whole and float points).
    void UpdateCurve();
    // Sums into the float points only.
    void UpdateCurveFloat();
    // Sums into the whole points only.
    void UpdateCurveWhole();
    const CPoint* GetCurve() const { return m_ptCurve; }
    const CurvePointF* GetCurveF() const { return m_ptfCurve; }
    int GetZeroLineY() const { return m_nZeroLineY; }

private:
    CKTVEQ m_eq;
    CPoint m_ptCurve[kGridSize];
    CurvePointF m_ptfCurve[kGridSize] = {};
    int m_nZeroLineY = 0;
    int m_nPlotHeight = 0;
    int m_nPlotWidth = 0;
    int m_nGroup = 0;
    int m_nIndex = 0;
};
