// One of the six line inputs ("Music 1" .. "Music 6"): 31 EQ bands with a high-pass and a
// low-pass, level, on switch, phase, delay, GEQ mode, noise gate, the three ext values and the
// name. Setters mark the InputRecord chunk they change while a device is online; the packers
// write the input's record of g_curImage; loading from a record marks nothing.
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

class CMusic_InData : public CObject {
    DECLARE_SERIAL(CMusic_InData)
public:
    CMusic_InData();
    ~CMusic_InData() override;

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

    // ---- Setters that mark (while g_bOnline); they take g_linkLock, as the scheduler packs them
    void SetLevel(int code);
    void SetEnabled(int on);
    void SetPhase(int p);
    void SetDelay(int code);
    void SetGEQMode(int mode);
    void SetNoiseGate(int code);
    void SetExtLevel(int v);
    void SetExtA(int v);
    void SetExtB(int v);
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }

    // ---- Marks: plain read, plain store, and take = clear and return the old value
    void SetDirty(BOOL flag) { m_bLevelChanged = flag ? 1 : 0; }
    BOOL GetLevelChanged() const { return m_bLevelChanged; }
    void SetLevelChanged(BOOL f) { m_bLevelChanged = f; }
    BOOL TakeLevelChange() { return m_bLevelChanged.load() ? m_bLevelChanged.exchange(0) : 0; }
    BOOL GetNameChanged() const { return m_bNameChanged; }
    void SetNameChanged(BOOL f) { m_bNameChanged = f; }
    BOOL TakeNameChange() { return m_bNameChanged.load() ? m_bNameChanged.exchange(0) : 0; }
    BOOL GetNoiseGateChanged() const { return m_bNoiseGateChanged; }
    void SetNoiseGateChanged(BOOL f) { m_bNoiseGateChanged = f; }
    BOOL TakeNoiseGateChange() { return m_bNoiseGateChanged.load() ? m_bNoiseGateChanged.exchange(0) : 0; }
    BOOL GetExtChanged() const { return m_bExtChanged; }
    void SetExtChanged(BOOL f) { m_bExtChanged = f; }
    BOOL TakeExtChange() { return m_bExtChanged.load() ? m_bExtChanged.exchange(0) : 0; }
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
    void SetLevelZero(int flag);
    int GetEnabled() const { return m_nOn; }
    int GetPhase() const { return m_nPhase; }
    int GetDelay() const { return m_nDelay; }
    int GetGEQMode() const { return m_nGeqMode; }
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
    BOOL IsAllBandsBypassed(); // EQ bands only
    void BypassAllBands(BOOL bOn) { m_core.BypassFirst(GetBandCount(), bOn); }
    void SetXover(const XoverRecord& rec) { m_core.LoadXover(rec); } // without marking
    BOOL TakeXoverChange() { return m_core.TakeXoverChange(); }
    void CopyFrom(const CMusic_InData& other);

    // ---- Image (this input's record of g_curImage). Frames belong to the caller.
    std::unique_ptr<CSendData> StoreLevelBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreXoverChunk(BOOL bSend);
    std::unique_ptr<CSendData> StoreNoiseGateBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreExtBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreNameBlock();
    std::unique_ptr<CSendData> StoreBand(int nBand, int nChunk);
    void StoreToImage();
    std::unique_ptr<CSendData> StoreRecordFrame(int nPreset);
    void LoadFromRecord(const InputRecord* rec);

    // ---- Texts
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
    InputRecord* Record() const;
    void PackLevelBlock(InputRecord& rec) const;
    void PackNoiseGate(InputRecord& rec) const;
    void PackExt(InputRecord& rec) const;
    void StoreAll(InputRecord& rec);
    void PassGeqMode();

    CChannelCore m_core;
    CString m_strName;
    int m_nNameChunk = CHUNK_IN_NAME;
    int m_nOn = 1;
    int m_nPhase = 0;
    int m_nLevel = LEVEL_CODE_0DB;
    int m_nGeqMode = 1;
    int m_bLevelZero = 0;
    int m_nDelay = 0;
    int m_nLevelChunk = CHUNK_IN_LEVEL;
    int m_nNoiseGate = 40;
    int m_nNoiseGateChunk = CHUNK_IN_GATE;
    int m_nExtLevel = 500;
    int m_nExtA = 0;
    int m_nExtB = 0;
    int m_nExtChunk = CHUNK_IN_EXT;
    std::atomic<int> m_bLevelChanged{0};
    std::atomic<int> m_bNameChanged{0};
    std::atomic<int> m_bNoiseGateChanged{0};
    std::atomic<int> m_bExtChanged{0};
    int m_nIndex = 0;
    COLORREF m_clrHandle = 0;
    ArgbColor m_clrCurve{255, 0, 0, 0};
    int m_bAllBypassed = 0;
    int m_bFirst = 1;
};
