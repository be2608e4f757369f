#include "model/Music_InData.h"

#include "model/ChannelText.h"
#include "model/Filter.h"
#include "model/RecordFrames.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>

IMPLEMENT_SERIAL(CMusic_InData, CObject, 1)

CMusic_InData::CMusic_InData() {
    m_core.SetAddress(GROUP_INPUT, m_nIndex);
}

CMusic_InData::~CMusic_InData() = default;

void CMusic_InData::SetIndex(int n) {
    m_nIndex = n;
    m_core.SetAddress(GROUP_INPUT, n);
}

void CMusic_InData::BuildBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    m_core.EQ().BuildInputBands(nLastBand, nXoverChunk, nLpFreq);
}

// ---- Setters that mark -----------------------------------------------------------------------

void CMusic_InData::SetLevelZero(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bLevelZero = flag;
}

void CMusic_InData::SetLevel(int code) {
    std::lock_guard lock(g_linkLock);
    m_nLevel = code;
    m_bLevelChanged = OnlineMark();
}

void CMusic_InData::SetEnabled(int on) {
    std::lock_guard lock(g_linkLock);
    m_nOn = on;
    m_bLevelChanged = OnlineMark();
}

void CMusic_InData::SetPhase(int p) {
    std::lock_guard lock(g_linkLock);
    m_nPhase = p;
    m_bLevelChanged = OnlineMark();
}

void CMusic_InData::SetDelay(int code) {
    std::lock_guard lock(g_linkLock);
    m_nDelay = code;
    m_bLevelChanged = OnlineMark();
}

void CMusic_InData::SetGEQMode(int mode) {
    std::lock_guard lock(g_linkLock);
    m_nGeqMode = mode;
    PassGeqMode();
    m_bLevelChanged = OnlineMark();
}

void CMusic_InData::SetNoiseGate(int code) {
    std::lock_guard lock(g_linkLock);
    m_nNoiseGate = code;
    m_bNoiseGateChanged = OnlineMark();
}

void CMusic_InData::SetExtLevel(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtLevel = v;
    m_bExtChanged = OnlineMark();
}

void CMusic_InData::SetExtA(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtA = v;
    m_bExtChanged = OnlineMark();
}

void CMusic_InData::SetExtB(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtB = v;
    m_bExtChanged = OnlineMark();
}

void CMusic_InData::SetName(const CString& name) {
    std::lock_guard lock(g_linkLock);
    m_strName = name;
    m_bNameChanged = OnlineMark();
}

void CMusic_InData::SetAllChanged(BOOL flag) {
    std::lock_guard lock(g_linkLock);
    const int f = flag ? 1 : 0;
    m_bLevelChanged = f;
    m_bNameChanged = f;
    m_bNoiseGateChanged = f;
    m_bExtChanged = f;
    m_core.SetFiltersChanged(f);
}

void CMusic_InData::PassGeqMode() {
    const int n = GetBandCount();
    for (int i = 0; i < n; ++i)
        GetBand(i)->SetGeqMode(m_nGeqMode);
}

// ---- Bands -----------------------------------------------------------------------------------

BOOL CMusic_InData::IsAllBandsBypassed() {
    m_bAllBypassed = m_core.AreBypassed(GetBandCount());
    return m_bAllBypassed;
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
    m_core.EQ().CopyFrom(other.m_core.EQ());
}

// ---- Image -----------------------------------------------------------------------------------

InputRecord* CMusic_InData::Record() const {
    return m_nIndex >= 0 && m_nIndex < NUM_INPUTS ? &g_curImage.inputs[m_nIndex] : nullptr;
}

// Byte 248 is not the channel's.
void CMusic_InData::PackLevelBlock(InputRecord& rec) const {
    rec.phase = static_cast<BYTE>(m_nPhase);
    rec.geqMode = static_cast<BYTE>(m_nGeqMode);
    rec.on = static_cast<BYTE>(m_nOn);
    rec.delay.Set(m_nDelay);
    rec.levelCode.Set(m_bLevelZero ? 0 : m_nLevel);
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
    return m_core.Store(Record(), bSend, m_nLevelChunk, [this](InputRecord& rec) { PackLevelBlock(rec); });
}

std::unique_ptr<CSendData> CMusic_InData::StoreXoverChunk(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_IN_XOVER,
                        [this](InputRecord& rec) { m_core.PackXover(rec.xover); });
}

std::unique_ptr<CSendData> CMusic_InData::StoreNoiseGateBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nNoiseGateChunk, [this](InputRecord& rec) { PackNoiseGate(rec); });
}

std::unique_ptr<CSendData> CMusic_InData::StoreExtBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nExtChunk, [this](InputRecord& rec) { PackExt(rec); });
}

// A name that does not fit leaves the old bytes (reported through the model's error hook).
std::unique_ptr<CSendData> CMusic_InData::StoreNameBlock() {
    return m_core.Store(Record(), TRUE, m_nNameChunk, [this](InputRecord& rec) {
        StringToField(rec.name, kChannelNameFieldWidth, m_strName);
    });
}

std::unique_ptr<CSendData> CMusic_InData::StoreBand(int nBand, int nChunk) {
    InputRecord* rec = Record();
    return m_core.StoreBand(rec ? rec->bands : nullptr, std::min(INPUT_BAND_SLOTS, GetBandCount()), nBand,
                            nChunk);
}

void CMusic_InData::StoreAll(InputRecord& rec) {
    m_core.PackBands(rec.bands, std::min(INPUT_BAND_SLOTS, GetBandCount()));
    StringToField(rec.name, kChannelNameFieldWidth, m_strName);
    PackLevelBlock(rec);
    m_core.PackXover(rec.xover);
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
    return m_core.RecordFrame(nPreset);
}

void CMusic_InData::LoadFromRecord(const InputRecord* rec) {
    if (!rec)
        return;
    // The record may be g_curImage, which the link worker writes.
    std::lock_guard lock(g_linkLock);
    m_core.UnpackBands(rec->bands, std::min(INPUT_BAND_SLOTS, GetBandCount()));
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
    m_core.SetCurveRect(rect);
    UpdateCurve();
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
    m_core.EQ().Serialize(ar);
}
