// One of the eight amplifier outputs: level, delay, polarity, mute, limiter, mix rows, speaker
// position, 31 EQ bands with a high-pass and a low-pass, and the curve the graph draws. Setters of
// device values mark their record chunk while a device is online; values a link group shares are
// copied into the linked outputs. The object packs itself into its OutputRecord of g_curImage
// chunk by chunk and loads itself back from a record without marking anything.
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

class CKTV_OutData : public CObject {
    DECLARE_SERIAL(CKTV_OutData)
public:
    static constexpr int kBandCount = OUTPUT_BAND_SLOTS; // band objects on every output
    static constexpr int kFilterCount = kBandCount + 2;  // and the high-pass and the low-pass

    CKTV_OutData();
    ~CKTV_OutData() override;

    // ---- Construction and identity
    void SetIndex(int n);
    int GetIndex() const { return m_nIndex; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ArgbColor clr) { m_clrCurve = clr; }
    ArgbColor GetCurveColor() const { return m_clrCurve; }
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }
    void BuildBands(int nLastBand, int nXoverChunk, int nHpRange, int nHpFreq, int nLpFreq);

    // ---- Setters that mark (while g_bOnline); they take g_linkLock, as the scheduler packs them
    void SetLevel(int code);
    void SetDelay(int code);
    void SetEnabled(int on);
    void SetPolarity(int p);
    void SetGEQMode(int mode);
    void SetLevelZero(int flag);
    void SetMix1In1(BYTE v) { SetMix1Byte(0, v); }
    void SetMix1In2(BYTE v) { SetMix1Byte(1, v); }
    void SetMix1In3(BYTE v) { SetMix1Byte(2, v); }
    void SetMix1In4(BYTE v) { SetMix1Byte(3, v); }
    void SetMix1In5(BYTE v) { SetMix1Byte(4, v); }
    void SetMix1In6(BYTE v) { SetMix1Byte(5, v); }
    void SetMix1In7(BYTE v) { SetMix1Byte(6, v); }
    void SetMix1In8(BYTE v) { SetMix1Byte(7, v); }
    void SetMix2In1(BYTE v) { SetMix2Byte(0, v); }
    void SetMix2In2(BYTE v) { SetMix2Byte(1, v); }
    void SetMix2In3(BYTE v) { SetMix2Byte(2, v); }
    void SetMix2In4(BYTE v) { SetMix2Byte(3, v); }
    void SetMix2In5(BYTE v) { SetMix2Byte(4, v); }
    void SetMix2In6(BYTE v) { SetMix2Byte(5, v); }
    void SetMix2In7(BYTE v);
    void SetMix2Mask(BYTE v);
    void SetLimThreshold(int code);
    void SetLimAttack(int code);
    void SetLimRelease(int code);
    void SetInLOff(int flag);
    void SetInROff(int flag);
    void RequestVolumeRestore();
    void SetPosition(int code);
    void SetPositionXover(int code, const XoverRecord& rec);
    // The crossover SetPosition gives a speaker-position code (Butterworth, 12 dB/Oct).
    static XoverRecord PositionDefaultXover(int code);

    // Object-only values (the parameter table shows them; no chunk carries them).
    void SetInLevelL(int v);
    void SetInLevelR(int v);
    void SetAuxLevelA(int v);
    void SetAuxLevelB(int v);
    void SetInLevel3(int v);
    void SetInBalance(int v);
    void SetInSwitchBits(int v);
    void SetAuxAOff(int flag);
    void SetAuxBOff(int flag);
    void SetIn3Off(int flag);
    int GetInLevelL() const { return m_nInLevelL; }
    int GetInLevelR() const { return m_nInLevelR; }
    int GetAuxLevelA() const { return m_nAuxLevelA; }
    int GetAuxLevelB() const { return m_nAuxLevelB; }
    int GetInLevel3() const { return m_nInLevel3; }
    int GetInBalance() const { return m_nInBalance; }
    int GetInSwitchBits() const { return m_nInSwitchBits; }
    int GetInLOff() const { return m_bInLOff; }
    int GetInROff() const { return m_bInROff; }
    int GetAuxAOff() const { return m_bAuxAOff; }
    int GetAuxBOff() const { return m_bAuxBOff; }
    int GetIn3Off() const { return m_bIn3Off; }
    void SetSpareByte(int v) { m_nSpareByte = static_cast<BYTE>(v); }
    int GetSpareByte() const { return m_nSpareByte; }
    void SetSpareInt1(int v) { m_nSpareInt1 = v; }
    int GetSpareInt1() const { return m_nSpareInt1; }
    void SetSpareInt2(int v) { m_nSpareInt2 = v; }
    int GetSpareInt2() const { return m_nSpareInt2; }

    // The output keeps no compressor.
    void SetCompThreshold(int) {}
    void SetCompRatio(int) {}
    void SetCompAttack(int) {}
    int GetCompThreshold() const { return 0; }
    int GetCompRatio() const { return 0; }
    int GetCompAttack() const { return 0; }

    // ---- Setters that do not mark
    void SetPositionCode(int code);
    void SetXover(const XoverRecord& rec);
    void SetMix1(const BYTE* bytes8);
    void SetMix2(const BYTE* bytes8);
    void SetLimiter(int threshold, int attack, int release);
    void SetDirty(BOOL flag) { m_bLevelChanged = flag ? 1 : 0; }
    // Clears (FALSE) or sets every mark of the channel; FALSE also brings every filter's sent
    // frequency to its set frequency, so nothing old is sent after a reconnect.
    void SetAllChanged(BOOL flag);
    void CopyEqFrom(const CKTV_OutData& other);

    // ---- Change marks: plain read, plain store, and take = clear and return the old value (a
    // plain load first keeps the idle scheduler pass free of locked instructions)
    BOOL GetNameChanged() const { return m_bNameChanged; }
    void SetNameChanged(BOOL f) { m_bNameChanged = f; }
    BOOL TakeNameChange() { return m_bNameChanged.load() ? m_bNameChanged.exchange(0) : 0; }
    BOOL GetLevelChanged() const { return m_bLevelChanged; }
    void SetLevelChanged(BOOL f) { m_bLevelChanged = f; }
    BOOL TakeLevelChange() { return m_bLevelChanged.load() ? m_bLevelChanged.exchange(0) : 0; }
    BOOL GetLimiterChanged() const { return m_bLimiterChanged; }
    void SetLimiterChanged(BOOL f) { m_bLimiterChanged = f; }
    BOOL TakeLimiterChange() { return m_bLimiterChanged.load() ? m_bLimiterChanged.exchange(0) : 0; }
    BOOL GetMix1Changed() const { return m_bMix1Changed; }
    void SetMix1Changed(BOOL f) { m_bMix1Changed = f; }
    BOOL TakeMix1Change() { return m_bMix1Changed.load() ? m_bMix1Changed.exchange(0) : 0; }
    BOOL GetMix2Changed() const { return m_bMix2Changed; }
    void SetMix2Changed(BOOL f) { m_bMix2Changed = f; }
    BOOL TakeMix2Change() { return m_bMix2Changed.load() ? m_bMix2Changed.exchange(0) : 0; }
    BOOL GetAuxChanged() const { return m_bAuxChanged; }
    void SetAuxChanged(BOOL f) { m_bAuxChanged = f; }
    BOOL GetVolumeRestore() const { return m_bVolumeRestore; }
    void SetVolumeRestore(BOOL f) { m_bVolumeRestore = f; }
    BOOL TakeVolumeRestore() { return m_bVolumeRestore.load() ? m_bVolumeRestore.exchange(0) : 0; }
    BOOL GetRecordRequest() const { return m_bRecordRequest; }
    void SetRecordRequest(BOOL f) { m_bRecordRequest = f; }
    BOOL TakeRecordRequest() { return m_bRecordRequest.load() ? m_bRecordRequest.exchange(0) : 0; }
    BOOL GetSpareRequest() const { return m_bSpareRequest; }
    void SetSpareRequest(BOOL f) { m_bSpareRequest = f; }
    BOOL TakeSpareRequest() { return m_bSpareRequest.load() ? m_bSpareRequest.exchange(0) : 0; }

    // Chunk numbers kept for their accessors; the packers use the fixed record chunks.
    int GetNameChunk() const { return m_nNameChunk; }
    void SetNameChunk(int n) { m_nNameChunk = static_cast<BYTE>(n); }
    int GetLevelChunk() const { return m_nLevelChunk; }
    void SetLevelChunk(int n) { m_nLevelChunk = static_cast<BYTE>(n); }
    int GetLimiterChunk() const { return m_nLimiterChunk; }
    void SetLimiterChunk(int n) { m_nLimiterChunk = static_cast<BYTE>(n); }
    int GetMix2Chunk() const { return m_nMix2Chunk; }
    void SetMix2Chunk(int n) { m_nMix2Chunk = static_cast<BYTE>(n); }

    // ---- Getters
    int GetEffectiveLevel() const { return m_bLevelZero ? 0 : m_nLevel; }
    int GetLevel() const { return m_nLevel; }
    int GetLevelZero() const { return m_bLevelZero; }
    int GetDelay() const { return m_nDelay; }
    int GetEnabled() const { return m_nOn; }
    int GetPolarity() const { return m_nPolarity; }
    int GetGEQMode() const { return m_nGeqMode; }
    int GetPositionCode() const { return m_nPosition; }
    int GetLimThreshold() const { return m_nLimThreshold; }
    int GetLimAttack() const { return m_nLimAttack; }
    int GetLimRelease() const { return m_nLimRelease; }
    void GetLimiter(SHORT out[3]) const;
    void GetMix1(BYTE out[8]) const;
    void GetMix2(BYTE out[8]) const;
    int GetMix1In(int n) const { return n >= 1 && n <= 8 ? m_mix1[n - 1] : 0; } // n = 1..8
    int GetMix2In(int n) const { return n >= 1 && n <= 8 ? m_mix2[n - 1] : 0; }
    int GetMix2In7() const { return m_mix2[6]; }
    int GetMix2Mask() const { return m_mix2[7]; }
    int GetAllBypassed() const { return m_bAllBypassed; }

    // ---- Bands (indexes are checked: out of range gives null)
    CKTVEQ& GetEQ() { return m_core.EQ(); }
    const CKTVEQ& GetEQ() const { return m_core.EQ(); }
    CFilter* GetBand(int i) const { return m_core.GetBand(i); }
    int GetFilterCount() const { return m_core.GetFilterCount(); }
    CFilter* GetHPF() const { return m_core.GetHPF(); }
    CFilter* GetLPF() const { return m_core.GetLPF(); }
    int GetHPFIndex() const { return GetFilterCount() - 2; }
    int GetLPFIndex() const { return GetFilterCount() - 1; }
    BOOL IsAllBandsBypassed(); // every filter, the crossover pair included
    void BypassAllBands(BOOL bOn) { m_core.BypassFirst(GetFilterCount(), bOn); }
    void GetXover(XoverRecord& out) const { m_core.PackXover(out); } // sent frequencies
    // TRUE when the high-pass or the low-pass is marked; acknowledges each marked one.
    BOOL TakeXoverChange() { return m_core.TakeXoverChange(); }

    // ---- Image (this output's record of g_curImage). Frames belong to the caller.
    std::unique_ptr<CSendData> StoreLevelBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreXoverChunk(BOOL bSend);
    std::unique_ptr<CSendData> StoreXoverBlock();
    std::unique_ptr<CSendData> StoreMix1Block(BOOL bSend);
    std::unique_ptr<CSendData> StoreMix2Block(BOOL bSend);
    std::unique_ptr<CSendData> StoreLimiterBlock(BOOL bSend);
    std::unique_ptr<CSendData> StoreNameBlock();
    std::unique_ptr<CSendData> StoreBand(int nBand, int nChunk);
    void StoreToImage();
    std::unique_ptr<CSendData> StoreRecordFrame(int nPreset);
    std::unique_ptr<CSendData> SendRecordIfLocked(const CString& code);
    void LoadFromRecord(const OutputRecord* rec);
    void LoadLevelBlock(const OutputRecord* rec);

    // ---- Texts of the parameter table
    CString FormatGainText() const;
    CString FormatPolarityText() const;
    CString FormatOnOffText() const;
    CString FormatDelayText() const;
    CString FormatLimThresholdText() const;
    CString FormatLimAttackText() const;
    CString FormatLimReleaseText() const;
    CString FormatInLText() const;
    CString FormatInRText() const;
    CString FormatIn3Text() const;
    CString FormatReservedText1() const { return CString(); }
    CString FormatReservedText2() const { return CString(); }
    CString FormatSwitchBitText(int bit) const;
    CString FormatAuxLevelAText() const;
    CString FormatAuxLevelBText() const;
    CString FormatInBalanceText() const;
    CString FormatInLOnOffText() const;
    CString FormatInROnOffText() const;

    // ---- Graph
    void SetCurveRect(const CRect& rect);
    void UpdateCurve();
    void UpdateBandCurve(int index);
    const CPoint* GetCurve() const { return m_core.GetCurve(); }
    const CurvePointF* GetCurveF() const { return m_core.GetCurveF(); }
    int GetZeroLineY() const { return m_core.GetZeroLineY(); }

    void Serialize(CArchive& ar) override;

private:
    OutputRecord* Record() const;
    void SetMix1Byte(int i, BYTE v);
    void SetMix2Byte(int i, BYTE v);
    void PassGeqMode(int nBands);
    void PackLevelBlock(OutputRecord& rec) const;
    void PackMix1(OutputRecord& rec) const;
    void PackMix2(OutputRecord& rec) const;
    void PackLimiter(OutputRecord& rec) const;
    void PackBands(OutputRecord& rec);
    void PackAll(OutputRecord& rec);
    template <class Fn> void ForEachLinked(Fn fn);
    void LevelCopy();
    void Mix2Copy();
    void LimiterCopy();
    void InLevelCopy();

    CChannelCore m_core;
    CString m_strName;
    BYTE m_nNameChunk = CHUNK_OUT_NAME;
    BYTE m_nPolarity = 0;
    BYTE m_nOn = 1;
    SHORT m_nLevel = LEVEL_CODE_0DB;
    int m_bLevelZero = 0;
    SHORT m_nDelay = 0;
    BYTE m_nGeqMode = 0;
    BYTE m_nPosition = 0;
    BYTE m_nLevelChunk = CHUNK_OUT_LEVEL;
    SHORT m_nLimThreshold = 420;
    SHORT m_nLimAttack = 56;
    SHORT m_nLimRelease = 100;
    BYTE m_nLimiterChunk = CHUNK_OUT_LIMITER;
    BYTE m_mix2[8] = {100, 100, 100, 100, 100, 100, 1, 0};
    BYTE m_nMix2Chunk = CHUNK_OUT_MIX2;
    BYTE m_nInLevelL = 50;
    BYTE m_nInLevelR = 50;
    BYTE m_nAuxLevelA = 50;
    BYTE m_nAuxLevelB = 40;
    BYTE m_nSpareByte = 0;
    BYTE m_nInLevel3 = 80;
    BYTE m_nInBalance = 50;
    BYTE m_nInSwitchBits = 16;
    BYTE m_mix1[8] = {100, 100, 100, 100, 0, 0, 100, 100};
    int m_bInLOff = 1;
    int m_bInROff = 1;
    int m_bAuxAOff = 0;
    int m_bAuxBOff = 0;
    int m_bIn3Off = 0;
    std::atomic<int> m_bNameChanged{0};
    std::atomic<int> m_bAuxChanged{0};
    std::atomic<int> m_bLevelChanged{0};
    std::atomic<int> m_bLimiterChanged{0};
    std::atomic<int> m_bMix2Changed{0};
    std::atomic<int> m_bVolumeRestore{0};
    BYTE m_nIndex = 0;
    int m_nSpareInt1 = 1;
    COLORREF m_clrHandle = 0;
    ArgbColor m_clrCurve{255, 0, 0, 0};
    int m_nSpareInt2 = 0;
    int m_bAllBypassed = 0;
    std::atomic<int> m_bRecordRequest{0};
    std::atomic<int> m_bSpareRequest{0};
    std::atomic<int> m_bMix1Changed{0};
};
