// The mic channel: nine EQ bands (a low shelf, seven peaks, a high shelf) with a high-pass and a
// low-pass, level step, level, on switch, polarity, mode, delay, noise gate, the ext values and an
// 8-byte name that need not end in a NUL. Same design as the music input: marks while online,
// chunk packers for the MicRecord of g_curImage, a loader that marks nothing.
#pragma once

#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/ChannelCore.h"
#include "model/KTVEQ.h"
#include "platform/core/Object.h"
#include "platform/core/Point.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "wire/SendData.h"

#include <atomic>
#include <memory>

class CArchive;
class CFilter;

class CMIC_InData : public CObject {
    DECLARE_SERIAL(CMIC_InData)
public:
    static constexpr int kNameBytes = 8;

    CMIC_InData();
    ~CMIC_InData() override;

    // ---- Construction and identity
    void SetIndex(int n);
    int GetIndex() const { return m_nIndex; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ArgbColor clr) { m_clrCurve = clr; }
    ArgbColor GetCurveColor() const { return m_clrCurve; }
    void BuildBands(int nLastBand, int nXoverChunk, int nLpFreq);
    void SetFirst(BOOL f) { m_bFirst = f; }
    BOOL GetFirst() const { return m_bFirst; }

    // At most 8 GBK bytes are kept (a double-byte character is never split); a shorter name is
    // NUL-filled. Marks the name chunk while online.
    void SetName(const CString& name);
    // The name up to the first NUL, at most 8 bytes.
    CString GetName() const;
    const char* GetNameBytes() const { return m_szName; }

    // ---- Setters that mark (while g_bOnline); they take g_linkLock, as the scheduler packs them
    void SetEchoLevel(int v);
    void SetLevel(int code);
    void SetLevelZero(int flag);
    void SetDelay(int code);
    void SetEnabled(int on);
    void SetPolarity(int p);
    void SetMode(int mode);
    void SetNoiseGate(int code);
    void SetExtLevel(int v);
    void SetExtA(int v);
    void SetExtB(int v);

    // ---- Marks
    void SetDirty(BOOL flag) { m_bLevelChanged = flag ? 1 : 0; }
    BOOL GetLevelChanged() const { return m_bLevelChanged; }
    void SetLevelChanged(BOOL f) { m_bLevelChanged = f; }
    BOOL GetNameChanged() const { return m_bNameChanged; }
    void SetNameChanged(BOOL f) { m_bNameChanged = f; }
    BOOL GetNoiseGateChanged() const { return m_bNoiseGateChanged; }
    void SetNoiseGateChanged(BOOL f) { m_bNoiseGateChanged = f; }
    BOOL GetExtChanged() const { return m_bExtChanged; }
    void SetExtChanged(BOOL f) { m_bExtChanged = f; }
    // FALSE also brings every filter's sent frequency to its set frequency.
    void SetAllChanged(BOOL flag);

    int GetNameChunk() const { return m_nNameChunk; }
    void SetNameChunk(int n) { m_nNameChunk = n; }
    int GetLevelChunk() const { return m_nLevelChunk; }
    void SetLevelChunk(int n) { m_nLevelChunk = n; }
    int GetNoiseGateChunk() const { return m_nNoiseGateChunk; }
    void SetNoiseGateChunk(int n) { m_nNoiseGateChunk = n; }
    int GetExtChunk() const { return m_nExtChunk; }
    void SetExtChunk(int n) { m_nExtChunk = n; }

    // ---- Getters
    int GetEffectiveLevel() const { return m_bLevelZero ? 0 : m_nLevel; }
    int GetLevel() const { return m_nLevel; }
    int GetLevelZero() const { return m_bLevelZero; }
    int GetEchoLevel() const { return m_nEchoLevel; }
    int GetEnabled() const { return m_nOn; }
    int GetMode() const { return m_nMode; }
    int GetPolarity() const { return m_nPolarity; }
    int GetDelay() const { return m_nDelay; }
    int GetNoiseGate() const { return m_nNoiseGate; }
    int GetExtLevel() const { return m_nExtLevel; }
    int GetExtA() const { return m_nExtA; }
    int GetExtB() const { return m_nExtB; }
    int GetAllBypassed() const { return m_bAllBypassed; }

    // ---- Bands (indexes are checked: out of range gives null)
    CKTVEQ& GetEQ() { return m_core.EQ(); }
    const CKTVEQ& GetEQ() const { return m_core.EQ(); }
    CFilter* GetBand(int i) const { return m_core.GetBand(i); }
    int GetFilterCount() const { return m_core.GetFilterCount(); }
    int GetBandCount() const { return m_core.GetBandCount(); } // filters less the crossover pair
    CFilter* GetHPF() const { return m_core.GetHPF(); }
    CFilter* GetLPF() const { return m_core.GetLPF(); }
    BOOL IsAllBandsBypassed(); // every filter, the crossover pair included
    void BypassAllBands(BOOL bOn) { m_core.BypassFirst(GetFilterCount(), bOn); }
    BOOL TakeXoverChange() { return m_core.TakeXoverChange(); }

    // ---- Image (the MicRecord of g_curImage). Frames belong to the caller.
    std::unique_ptr<CSendData> StoreLevelBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreXoverChunk(BOOL bSend);
    std::unique_ptr<CSendData> StoreNoiseGateBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreExtBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreNameBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreBand(int nBand, int nChunk);
    void StoreToImage();
    std::unique_ptr<CSendData> StoreRecordFrame(int nPreset);
    void LoadFromRecord(const MicRecord* rec);
    void LoadLevelBlock(const MicRecord* rec);
    void LoadNoiseGateBlock(const MicRecord* rec);
    void LoadExtBlock(const MicRecord* rec);
    void LoadXover(const XoverRecord& rec) { m_core.LoadXover(rec); } // without marking

    // ---- Texts
    CString FormatLevelText() const;
    CString FormatGainText() const;
    CString FormatOnOffText() const;
    CString FormatNoiseGateText() const;
    CString FormatPolarityText() const;
    CString FormatDelayText() const;
    CString FormatExtLevelText() const;

    // ---- Graph
    void SetCurveRect(const CRect& rect);
    void UpdateCurve() { m_core.UpdateCurve(); }
    void UpdateBandCurve(int index);
    const CPoint* GetCurve() const { return m_core.GetCurve(); }
    const CurvePointF* GetCurveF() const { return m_core.GetCurveF(); }
    int GetZeroLineY() const { return m_core.GetZeroLineY(); }

    void Serialize(CArchive& ar) override;

private:
    MicRecord* Record() const;
    void SetNameBytes(const CString& name);
    void PackLevelBlock(MicRecord& rec) const;
    void PackNoiseGate(MicRecord& rec) const;
    void PackExt(MicRecord& rec) const;
    void PackName(MicRecord& rec) const;
    void StoreAll(MicRecord& rec);

    CChannelCore m_core;
    char m_szName[kNameBytes] = {};
    int m_nNameChunk = CHUNK_MIC_NAME;
    int m_nEchoLevel = 0;
    int m_nOn = 1;
    int m_nMode = 1;
    int m_nPolarity = 0;
    int m_nDelay = 0;
    int m_nLevel = 400;
    int m_bLevelZero = 0;
    int m_nLevelChunk = CHUNK_MIC_LEVEL;
    int m_nNoiseGate = 40;
    int m_nNoiseGateChunk = CHUNK_MIC_GATE;
    SHORT m_nExtLevel = 500;
    int m_nExtA = 0;
    int m_nExtB = 0;
    int m_nExtChunk = CHUNK_MIC_EXT;
    int m_nIndex = 0;
    COLORREF m_clrHandle = 0;
    ArgbColor m_clrCurve{255, 0, 0, 0};
    int m_bFirst = 1;
    std::atomic<int> m_bLevelChanged{0};
    std::atomic<int> m_bNameChanged{0};
    std::atomic<int> m_bNoiseGateChanged{0};
    std::atomic<int> m_bExtChanged{0};
    int m_bAllBypassed = 0;
};
