#include "model/Music_InData.h"

#include "link/FrameBuilder.h"
#include "model/ChannelText.h"
#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>

IMPLEMENT_SERIAL(CMusic_InData, CObject, 1)

namespace {

int Online() {
    return g_bOnline.load() ? 1 : 0;
}

} // namespace

CMusic_InData::CMusic_InData() = default;

CMusic_InData::~CMusic_InData() = default;

void CMusic_InData::BuildBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    m_eq.BuildInputBands(nLastBand, nXoverChunk, nLpFreq);
}

// ---- Setters that mark -----------------------------------------------------------------------

void CMusic_InData::SetLevelZero(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bLevelZero = flag;
}

void CMusic_InData::SetLevel(int code) {
    std::lock_guard lock(g_linkLock);
    m_nLevel = code;
    m_bLevelChanged = Online();
}

void CMusic_InData::SetEnabled(int on) {
    std::lock_guard lock(g_linkLock);
    m_nOn = on;
    m_bLevelChanged = Online();
}

void CMusic_InData::SetPhase(int p) {
    std::lock_guard lock(g_linkLock);
    m_nPhase = p;
    m_bLevelChanged = Online();
}

void CMusic_InData::SetDelay(int code) {
    std::lock_guard lock(g_linkLock);
    m_nDelay = code;
    m_bLevelChanged = Online();
}

void CMusic_InData::SetGEQMode(int mode) {
    std::lock_guard lock(g_linkLock);
    m_nGeqMode = mode;
    PassGeqMode();
    m_bLevelChanged = Online();
}

void CMusic_InData::SetNoiseGate(int code) {
    std::lock_guard lock(g_linkLock);
    m_nNoiseGate = code;
    m_bNoiseGateChanged = Online();
}

void CMusic_InData::SetExtLevel(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtLevel = v;
    m_bExtChanged = Online();
}

void CMusic_InData::SetExtA(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtA = v;
    m_bExtChanged = Online();
}

void CMusic_InData::SetExtB(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtB = v;
    m_bExtChanged = Online();
}

void CMusic_InData::SetName(const CString& name) {
    std::lock_guard lock(g_linkLock);
    m_strName = name;
    m_bNameChanged = Online();
}

void CMusic_InData::SetAllChanged(BOOL flag) {
    std::lock_guard lock(g_linkLock);
    const int f = flag ? 1 : 0;
    m_bLevelChanged = f;
    m_bNameChanged = f;
    m_bNoiseGateChanged = f;
    m_bExtChanged = f;
    const int n = GetFilterCount();
    for (int i = 0; i < n; ++i) {
        CFilter* filter = GetBand(i);
        if (!f)
            filter->SetSentFreq(filter->GetFreq());
        filter->AckChange(f);
    }
}

void CMusic_InData::PassGeqMode() {
    const int n = GetBandCount();
    for (int i = 0; i < n; ++i)
        GetBand(i)->SetGeqMode(m_nGeqMode);
}

// ---- Bands -----------------------------------------------------------------------------------

int CMusic_InData::GetFilterCount() const {
    return static_cast<int>(m_eq.GetSize());
}

int CMusic_InData::GetBandCount() const {
    return std::max(0, GetFilterCount() - 2);
}

CFilter* CMusic_InData::GetBand(int i) const {
    if (i < 0 || i >= GetFilterCount())
        return nullptr;
    return m_eq.GetAt(i);
}

CFilter* CMusic_InData::GetHPF() const {
    return GetBand(GetFilterCount() - 2);
}

CFilter* CMusic_InData::GetLPF() const {
    return GetBand(GetFilterCount() - 1);
}

BOOL CMusic_InData::IsAllBandsBypassed() {
    BOOL all = TRUE;
    const int n = GetBandCount();
    for (int i = 0; i < n && all; ++i)
        all = GetBand(i)->IsBypassed() ? TRUE : FALSE;
    m_bAllBypassed = all;
    return all;
}

void CMusic_InData::BypassAllBands(BOOL bOn) {
    std::lock_guard lock(g_linkLock);
    const int n = GetBandCount();
    for (int i = 0; i < n; ++i)
        GetBand(i)->BypassAll(bOn);
}

void CMusic_InData::SetXover(const XoverRecord& rec) {
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

BOOL CMusic_InData::TakeXoverChange() {
    BOOL any = FALSE;
    for (CFilter* f : {GetHPF(), GetLPF()}) {
        if (f && f->IsChanged()) {
            f->AckChange(0);
            any = TRUE;
        }
    }
    return any;
}

void CMusic_InData::CopyFrom(const CMusic_InData& other) {
    std::lock_guard lock(g_linkLock);
    if (&other == this)
        return;
    m_strName = other.m_strName;
    m_nLevel = other.m_nLevel;
    m_nExtLevel = other.m_nExtLevel;
    m_nExtA = other.m_nExtA;
    m_nExtB = other.m_nExtB;
    m_nOn = other.m_nOn;
    m_nPhase = other.m_nPhase;
    m_nDelay = other.m_nDelay;
    m_eq.CopyFrom(other.m_eq);
}

// ---- Image -----------------------------------------------------------------------------------

InputRecord* CMusic_InData::Record() const {
    return m_nIndex >= 0 && m_nIndex < NUM_INPUTS ? &g_curImage.inputs[m_nIndex] : nullptr;
}

std::unique_ptr<CSendData> CMusic_InData::ChunkFrame(BOOL bSend, int chunk) const {
    if (!bSend || !Record())
        return nullptr;
    return BuildChunkFrame(GROUP_INPUT, m_nIndex, chunk);
}

void CMusic_InData::PackBands(InputRecord& rec) {
    const int n = std::min(INPUT_BAND_SLOTS, GetBandCount());
    for (int i = 0; i < n; ++i)
        rec.bands[i] = m_eq.PackBand(i);
}

// Byte 248 is not the channel's.
void CMusic_InData::PackLevelBlock(InputRecord& rec) const {
    rec.phase = static_cast<BYTE>(m_nPhase);
    rec.geqMode = static_cast<BYTE>(m_nGeqMode);
    rec.on = static_cast<BYTE>(m_nOn);
    rec.delay.Set(m_nDelay);
    rec.levelCode.Set(m_bLevelZero ? 0 : m_nLevel);
}

void CMusic_InData::PackXover(InputRecord& rec) const {
    const CFilter* hp = GetHPF();
    const CFilter* lp = GetLPF();
    if (!hp || !lp)
        return;
    rec.xover.hpFreq.Set(hp->GetSentFreq());
    rec.xover.hpFamily = hp->GetFamilyByte();
    rec.xover.hpSlope = hp->GetSlopeByte();
    rec.xover.lpFreq.Set(lp->GetSentFreq());
    rec.xover.lpFamily = lp->GetFamilyByte();
    rec.xover.lpSlope = lp->GetSlopeByte();
}

void CMusic_InData::PackNoiseGate(InputRecord& rec) const {
    rec.noiseGate = static_cast<BYTE>(m_nNoiseGate);
}

void CMusic_InData::PackExt(InputRecord& rec) const {
    rec.extLevel.Set(m_nExtLevel);
    rec.extA = static_cast<BYTE>(m_nExtA);
    rec.extB = static_cast<BYTE>(m_nExtB);
}

std::unique_ptr<CSendData> CMusic_InData::StoreLevelBlock(BOOL bSend) {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        PackLevelBlock(*rec);
    return ChunkFrame(bSend, m_nLevelChunk);
}

std::unique_ptr<CSendData> CMusic_InData::StoreXoverChunk(BOOL bSend) {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        PackXover(*rec);
    return ChunkFrame(bSend, CHUNK_IN_XOVER);
}

std::unique_ptr<CSendData> CMusic_InData::StoreNoiseGateBlock(BOOL bSend) {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        PackNoiseGate(*rec);
    return ChunkFrame(bSend, m_nNoiseGateChunk);
}

std::unique_ptr<CSendData> CMusic_InData::StoreExtBlock(BOOL bSend) {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        PackExt(*rec);
    return ChunkFrame(bSend, m_nExtChunk);
}

// A name that does not fit leaves the old bytes (reported through the model's error hook).
std::unique_ptr<CSendData> CMusic_InData::StoreNameBlock() {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        StringToField(rec->name, kChannelNameFieldWidth, m_strName);
    return ChunkFrame(TRUE, m_nNameChunk);
}

std::unique_ptr<CSendData> CMusic_InData::StoreBand(int nBand, int nChunk) {
    if (nBand < 0 || nBand >= std::min(INPUT_BAND_SLOTS, GetBandCount()))
        return nullptr;
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        rec->bands[nBand] = m_eq.PackBand(nBand);
    return ChunkFrame(TRUE, nChunk);
}

void CMusic_InData::StoreAll(InputRecord& rec) {
    PackBands(rec);
    StringToField(rec.name, kChannelNameFieldWidth, m_strName);
    PackLevelBlock(rec);
    PackXover(rec);
    PackExt(rec);
    PackNoiseGate(rec);
}

void CMusic_InData::StoreToImage() {
    std::lock_guard lock(g_linkLock);
    if (InputRecord* rec = Record())
        StoreAll(*rec);
}

std::unique_ptr<CSendData> CMusic_InData::StoreRecordFrame(int nPreset) {
    std::lock_guard lock(g_linkLock);
    InputRecord* rec = Record();
    if (!rec)
        return nullptr;
    StoreAll(*rec);
    return BuildRecordFrame(nPreset, GROUP_INPUT, m_nIndex, TRUE, TRUE);
}

void CMusic_InData::LoadFromRecord(const InputRecord* rec) {
    if (!rec)
        return;
    // The record may be g_curImage, which the link worker writes.
    std::lock_guard lock(g_linkLock);
    const int n = std::min(INPUT_BAND_SLOTS, GetBandCount());
    for (int i = 0; i < n; ++i)
        m_eq.UnpackBand(rec->bands[i], i);
    m_strName = FieldToStringN(rec->name, kChannelNameFieldWidth);
    m_nOn = rec->on;
    m_nPhase = rec->phase;
    m_nLevel = rec->levelCode.Get();
    m_nDelay = rec->delay.Get();
    m_nGeqMode = rec->geqMode;
    PassGeqMode();
    SetXover(rec->xover);
    m_nNoiseGate = rec->noiseGate;
    m_nExtLevel = rec->extLevel.Get();
    m_nExtA = rec->extA;
    m_nExtB = rec->extB;
}

// ---- Texts -----------------------------------------------------------------------------------

// The input level scale: code x 0.1 - 60 dB (600 = 0 dB).
CString CMusic_InData::FormatGainText() const {
    return FormatFixed(m_nLevel * 0.1 - 60.0, 1) + "dB";
}

CString CMusic_InData::FormatOnOffText() const {
    return ChannelOnOffText(m_nOn);
}

CString CMusic_InData::FormatNoiseGateText() const {
    return ChannelNoiseGateText(m_nNoiseGate);
}

CString CMusic_InData::FormatPolarityText() const {
    return ChannelPolarityText(m_nPhase);
}

CString CMusic_InData::FormatDelayText() const {
    return ChannelDelayCodeText(m_nDelay);
}

CString CMusic_InData::FormatExtLevelText() const {
    return ChannelExtLevelText(m_nExtLevel);
}

// ---- Graph -----------------------------------------------------------------------------------

void CMusic_InData::SetCurveRect(const CRect& rect) {
    m_nPlotHeight = rect.Height();
    m_nPlotWidth = rect.Width();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i] = CPoint(FreqToAxisPos(g_eqFreqGrid[i], m_nPlotWidth) + 40, m_nPlotHeight / 2);
        m_ptfCurve[i].x = static_cast<float>(FreqToAxisPosReal(g_eqFreqGrid[i], m_nPlotWidth) + 40.0);
    }
    m_eq.SetGraphRect(rect);
    UpdateCurve();
}

void CMusic_InData::UpdateCurve() {
    m_nZeroLineY = DbToY(0.0, m_nPlotHeight) + 10;
    m_eq.UpdateSumCurve();
    const CPoint* sum = m_eq.GetCurve();
    const CurvePointF* sumF = m_eq.GetCurveF();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i].y = sum[i].y;
        m_ptfCurve[i].y = sumF[i].y;
    }
}

void CMusic_InData::UpdateBandCurve(int index) {
    CFilter* f = GetBand(index);
    if (!f)
        return;
    f->UpdateResponse();
    UpdateCurve();
}

// ---- Archive ---------------------------------------------------------------------------------

void CMusic_InData::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strName << m_nOn << m_nPhase << m_nLevel << m_nDelay << m_nNoiseGate << m_nExtLevel << m_nExtA
           << m_nExtB;
    } else {
        ar >> m_strName >> m_nOn >> m_nPhase >> m_nLevel >> m_nDelay >> m_nNoiseGate >> m_nExtLevel >>
            m_nExtA >> m_nExtB;
        m_bLevelZero = (m_nLevel == 0);
    }
    m_eq.Serialize(ar);
}
