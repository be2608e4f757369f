// The effect channel: a name, eleven one-byte effect parameters and a small EQ of three peaks with
// a high-pass and a low-pass, kept in the EffectRecord of the image (bytes 32..183). No page edits
// it: it is built with defaults, loaded and stored with the rest of the model and drawn as a curve.
// Its senders address the record's own chunks: crossover 15, parameters 16 and 17, name 18.
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

class CEffect_Data : public CObject {
    DECLARE_SERIAL(CEffect_Data)
public:
    static constexpr int kHpIndex = 3;
    static constexpr int kLpIndex = 4;

    CEffect_Data();
    ~CEffect_Data() override;

    void LoadFromRecord(const EffectRecord& rec);
    void LoadXover(const XoverRecord& rec) { m_core.LoadXover(rec); }
    void StoreToImage();
    // Crossover bytes 120..127 with the sent frequencies; with bSend also its chunk frame.
    std::unique_ptr<CSendData> StoreXover(BOOL bSend);
    // FALSE also brings every filter's sent frequency to its set frequency.
    void SetAllChanged(BOOL flag);

    void SetGraphRect(const CRect& rect);
    void UpdateCurve() { m_core.UpdateCurve(); }
    const CPoint* GetCurve() const { return m_core.GetCurve(); }
    const CurvePointF* GetCurveF() const { return m_core.GetCurveF(); }

    CKTVEQ& GetEQ() { return m_core.EQ(); }
    const CKTVEQ& GetEQ() const { return m_core.EQ(); }
    CFilter* GetBand(int i) const { return m_core.GetBand(i); } // null outside the set
    int GetBandCount() const { return m_core.GetBandCount(); }  // filters less the crossover pair
    CFilter* GetHPF() const { return m_core.GetHPF(); }
    CFilter* GetLPF() const { return m_core.GetLPF(); }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    ArgbColor GetCurveColor() const { return m_clrCurve; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    void SetCurveColor(ArgbColor clr) { m_clrCurve = clr; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int n);

    // ---- Parameters; the setters mark their chunk while online
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }
    void SetBalance(int v);
    void SetDelayA(int v);
    void SetPercentA(int v);
    void SetPercentB(int v);
    void SetValueA(int v);
    void SetTimeTenths(int v);
    void SetPercentC(int v);
    void SetValueB(int v);
    void SetPercentD(int v);
    void SetValueC(int v);
    void SetDelayB(int v);
    int GetBalance() const { return m_nBalance; }
    int GetDelayA() const { return m_nDelayA; }
    int GetPercentA() const { return m_nPercentA; }
    int GetPercentB() const { return m_nPercentB; }
    int GetValueA() const { return m_nValueA; }
    int GetTimeTenths() const { return m_nTimeTenths; }
    int GetPercentC() const { return m_nPercentC; }
    int GetValueB() const { return m_nValueB; }
    int GetPercentD() const { return m_nPercentD; }
    int GetValueC() const { return m_nValueC; }
    int GetDelayB() const { return m_nDelayB; }

    int GetNameChunk() const { return m_nNameChunk; }
    void SetNameChunk(int n) { m_nNameChunk = n; }
    int GetParamsAChunk() const { return m_nParamsAChunk; }
    void SetParamsAChunk(int n) { m_nParamsAChunk = n; }
    int GetParamsBChunk() const { return m_nParamsBChunk; }
    void SetParamsBChunk(int n) { m_nParamsBChunk = n; }

    BOOL GetNameChanged() const { return m_bNameChanged; }
    void SetNameChanged(BOOL f) { m_bNameChanged = f; }
    BOOL GetParamsAChanged() const { return m_bParamsAChanged; }
    void SetParamsAChanged(BOOL f) { m_bParamsAChanged = f; }
    BOOL GetParamsBChanged() const { return m_bParamsBChanged; }
    void SetParamsBChanged(BOOL f) { m_bParamsBChanged = f; }

    void BypassAllBands(BOOL bOn) { m_core.BypassFirst(static_cast<int>(GetEQ().GetSize()), bOn); }
    BOOL IsAllBandsBypassed(); // every filter, the crossover pair included
    BOOL GetAllBypassed() const { return m_bAllBypassed; }
    BOOL TakeXoverChange() { return m_core.TakeXoverChange(); }

    // ---- Senders (no caller in the program): each writes its bytes into g_curImage and returns
    // the chunk frame of channel m_nIndex; the record sender the whole-record frame.
    std::unique_ptr<CSendData> SendName();
    std::unique_ptr<CSendData> SendParamsA();
    std::unique_ptr<CSendData> SendParamsB();
    std::unique_ptr<CSendData> SendBand(int index, int chunk);
    std::unique_ptr<CSendData> SendRecord(int nPreset);

    // ---- Texts of the parameter table
    CString FormatBalanceText() const;
    CString FormatDelayText() const;
    CString FormatPercentAText() const;
    CString FormatPercentBText() const;
    CString FormatPercentCText() const;
    CString FormatPercentDText() const;
    CString FormatValueAText() const;
    CString FormatValueBText() const;
    CString FormatTimeText() const;
    CString FormatDelay2Text() const;
    CString FormatValueCText() const;

    void Serialize(CArchive& ar) override;

private:
    void PackName(EffectRecord& rec) const;
    void PackParamsA(EffectRecord& rec) const;
    void PackParamsB(EffectRecord& rec) const;
    void PackAll(EffectRecord& rec);

    CString m_strName = "Effect";
    int m_nNameChunk = CHUNK_EFFECT_NAME;
    int m_nBalance = 20;
    int m_nDelayA = 84;
    int m_nPercentB = 68;
    int m_nValueA = 0;
    int m_nPercentA = 50;
    int m_nParamsAChunk = CHUNK_EFFECT_PARAM_A;
    int m_nValueC = 50;
    int m_nTimeTenths = 18;
    int m_nPercentC = 50;
    int m_nValueB = 0;
    int m_nPercentD = 40;
    int m_nDelayB = 0;
    int m_nParamsBChunk = CHUNK_EFFECT_PARAM_B;
    CChannelCore m_core;
    int m_nIndex = 0;
    COLORREF m_clrHandle = RGB(255, 0, 0);
    ArgbColor m_clrCurve;
    BOOL m_bAllBypassed = 0;
    std::atomic<int> m_bNameChanged{0};
    std::atomic<int> m_bParamsAChanged{0};
    std::atomic<int> m_bParamsBChanged{0};
};
