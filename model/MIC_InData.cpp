#include "model/MIC_InData.h"

#include "model/ChannelText.h"
#include "model/Filter.h"
#include "model/RecordFrames.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_SERIAL(CMIC_InData, CObject, 1)

CMIC_InData::CMIC_InData() {
    m_core.SetAddress(GROUP_MIC, m_nIndex);
}

CMIC_InData::~CMIC_InData() = default;

void CMIC_InData::SetIndex(int n) {
    m_nIndex = n;
    m_core.SetAddress(GROUP_MIC, n);
}

void CMIC_InData::BuildBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    m_core.EQ().BuildMicBands(nLastBand, nXoverChunk, nLpFreq);
}

// ---- Name ------------------------------------------------------------------------------------

void CMIC_InData::SetNameBytes(const CString& name) {
    std::memset(m_szName, 0, sizeof m_szName);
    WriteGbkField(m_szName, kNameBytes, name, FieldOverflow::Truncate, kNameBytes, '\0');
}

void CMIC_InData::SetName(const CString& name) {
    std::lock_guard lock(g_linkLock);
    SetNameBytes(name);
    m_bNameChanged = OnlineMark();
}

CString CMIC_InData::GetName() const {
    return ReadGbkField(m_szName, kNameBytes);
}

// ---- Setters that mark -----------------------------------------------------------------------

void CMIC_InData::SetEchoLevel(int v) {
    std::lock_guard lock(g_linkLock);
    m_nEchoLevel = v;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetLevel(int code) {
    std::lock_guard lock(g_linkLock);
    m_nLevel = code;
    m_bLevelZero = (code == 0);
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetLevelZero(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bLevelZero = flag;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetDelay(int code) {
    std::lock_guard lock(g_linkLock);
    m_nDelay = code;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetEnabled(int on) {
    std::lock_guard lock(g_linkLock);
    m_nOn = on;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetPolarity(int p) {
    std::lock_guard lock(g_linkLock);
    m_nPolarity = p;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetMode(int mode) {
    std::lock_guard lock(g_linkLock);
    m_nMode = mode;
    m_bLevelChanged = OnlineMark();
}

void CMIC_InData::SetNoiseGate(int code) {
    std::lock_guard lock(g_linkLock);
    m_nNoiseGate = code;
    m_bNoiseGateChanged = OnlineMark();
}

void CMIC_InData::SetExtLevel(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtLevel = static_cast<SHORT>(v);
    m_bExtChanged = OnlineMark();
}

void CMIC_InData::SetExtA(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtA = v;
    m_bExtChanged = OnlineMark();
}

void CMIC_InData::SetExtB(int v) {
    std::lock_guard lock(g_linkLock);
    m_nExtB = v;
    m_bExtChanged = OnlineMark();
}

void CMIC_InData::SetAllChanged(BOOL flag) {
    std::lock_guard lock(g_linkLock);
    const int f = flag ? 1 : 0;
    m_bLevelChanged = f;
    m_bNameChanged = f;
    m_bNoiseGateChanged = f;
    m_bExtChanged = f;
    m_core.SetFiltersChanged(f);
}

// ---- Bands -----------------------------------------------------------------------------------

BOOL CMIC_InData::IsAllBandsBypassed() {
    m_bAllBypassed = m_core.AreBypassed(GetFilterCount());
    return m_bAllBypassed;
}

// ---- Image -----------------------------------------------------------------------------------

MicRecord* CMIC_InData::Record() const {
    return m_nIndex == 0 ? &g_curImage.mic : nullptr;
}

void CMIC_InData::PackLevelBlock(MicRecord& rec) const {
    rec.echoLevel = static_cast<BYTE>(m_nEchoLevel);
    rec.polarity = static_cast<BYTE>(m_nPolarity);
    rec.mode = static_cast<BYTE>(m_nMode);
    rec.on = static_cast<BYTE>(m_nOn);
    rec.delay.Set(m_nDelay);
    rec.levelCode.Set(m_bLevelZero ? 0 : m_nLevel);
}

void CMIC_InData::PackNoiseGate(MicRecord& rec) const {
    rec.noiseGate = static_cast<BYTE>(m_nNoiseGate);
}

void CMIC_InData::PackExt(MicRecord& rec) const {
    rec.extLevel.Set(static_cast<WORD>(m_nExtLevel));
    rec.extA = static_cast<BYTE>(m_nExtA);
    rec.extB = static_cast<BYTE>(m_nExtB);
}

// An 8-byte name leaves no room for the NUL: the field keeps its old bytes (reported).
void CMIC_InData::PackName(MicRecord& rec) const {
    StringToField(rec.name, kNameBytes, GetName());
}

std::unique_ptr<CSendData> CMIC_InData::StoreLevelBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nLevelChunk, [this](MicRecord& rec) { PackLevelBlock(rec); });
}

std::unique_ptr<CSendData> CMIC_InData::StoreXoverChunk(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_MIC_XOVER,
                        [this](MicRecord& rec) { m_core.PackXover(rec.xover); });
}

std::unique_ptr<CSendData> CMIC_InData::StoreNoiseGateBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nNoiseGateChunk, [this](MicRecord& rec) { PackNoiseGate(rec); });
}

std::unique_ptr<CSendData> CMIC_InData::StoreExtBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nExtChunk, [this](MicRecord& rec) { PackExt(rec); });
}

std::unique_ptr<CSendData> CMIC_InData::StoreNameBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, m_nNameChunk, [this](MicRecord& rec) { PackName(rec); });
}

std::unique_ptr<CSendData> CMIC_InData::StoreBand(int nBand, int nChunk) {
    MicRecord* rec = Record();
    return m_core.StoreBand(rec ? rec->bands : nullptr, std::min(MIC_BAND_SLOTS, GetBandCount()), nBand,
                            nChunk);
}

void CMIC_InData::StoreAll(MicRecord& rec) {
    m_core.PackBands(rec.bands, std::min(MIC_BAND_SLOTS, GetBandCount()));
    PackName(rec);
    PackLevelBlock(rec);
    m_core.PackXover(rec.xover);
    PackExt(rec);
    PackNoiseGate(rec);
}

void CMIC_InData::StoreToImage() {
    std::lock_guard lock(g_linkLock);
    if (MicRecord* rec = Record())
        StoreAll(*rec);
}

std::unique_ptr<CSendData> CMIC_InData::StoreRecordFrame(int nPreset) {
    std::lock_guard lock(g_linkLock);
    MicRecord* rec = Record();
    if (!rec)
        return nullptr;
    StoreAll(*rec);
    return m_core.RecordFrame(nPreset);
}

void CMIC_InData::LoadFromRecord(const MicRecord* rec) {
    if (!rec)
        return;
    // The record may be g_curImage, which the link worker writes.
    std::lock_guard lock(g_linkLock);
    m_core.UnpackBands(rec->bands, std::min(MIC_BAND_SLOTS, GetBandCount()));
    std::memcpy(m_szName, rec->name, sizeof m_szName);
    LoadLevelBlock(rec);
    LoadNoiseGateBlock(rec);
    LoadExtBlock(rec);
    // Set through the marking setters, then acknowledged: sent = set, so no mark stays.
    const XoverRecord& x = rec->xover;
    if (CFilter* hp = GetHPF()) {
        hp->SetFreq(x.hpFreq, TRUE);
        hp->SetSentFreq(x.hpFreq);
        hp->SetFamily(x.hpFamily, TRUE);
        hp->SetSlope(x.hpSlope, TRUE);
        hp->AckChange(0);
    }
    if (CFilter* lp = GetLPF()) {
        lp->SetFreq(x.lpFreq, TRUE);
        lp->SetSentFreq(x.lpFreq);
        lp->SetFamily(x.lpFamily, TRUE);
        lp->SetSlope(x.lpSlope, TRUE);
        lp->AckChange(0);
    }
}

void CMIC_InData::LoadLevelBlock(const MicRecord* rec) {
    if (!rec)
        return;
    m_nEchoLevel = rec->echoLevel;
    m_nPolarity = rec->polarity;
    m_nOn = rec->on;
    m_nMode = rec->mode;
    m_nDelay = rec->delay.Get();
    m_nLevel = rec->levelCode.Get();
    m_bLevelZero = (m_nLevel == 0);
}

void CMIC_InData::LoadNoiseGateBlock(const MicRecord* rec) {
    if (rec)
        m_nNoiseGate = rec->noiseGate;
}

void CMIC_InData::LoadExtBlock(const MicRecord* rec) {
    if (!rec)
        return;
    m_nExtLevel = static_cast<SHORT>(rec->extLevel.Get());
    m_nExtA = rec->extA;
    m_nExtB = rec->extB;
}

// ---- Texts -----------------------------------------------------------------------------------

CString CMIC_InData::FormatLevelText() const {
    if (m_nEchoLevel == 0)
        return CString(LangText(" OFF ", " 关 "));
    CString s;
    s.Format(LangText(" %dLevel", " %d级"), m_nEchoLevel);
    return s;
}

// The mic record's own scale: code - 80 dB.
CString CMIC_InData::FormatGainText() const {
    CString s;
    s.Format("%ddB", m_nLevel - 80);
    return s;
}

CString CMIC_InData::FormatOnOffText() const {
    return ChannelOnOffText(m_nOn);
}

CString CMIC_InData::FormatNoiseGateText() const {
    return ChannelNoiseGateText(m_nNoiseGate);
}

CString CMIC_InData::FormatPolarityText() const {
    return ChannelPolarityText(m_nPolarity);
}

CString CMIC_InData::FormatDelayText() const {
    return ChannelDelayCodeText(m_nDelay);
}

CString CMIC_InData::FormatExtLevelText() const {
    return ChannelExtLevelText(m_nExtLevel);
}

// ---- Graph -----------------------------------------------------------------------------------

void CMIC_InData::SetCurveRect(const CRect& rect) {
    m_core.SetCurveRect(rect);
    UpdateCurve();
}

void CMIC_InData::UpdateBandCurve(int index) {
    CFilter* f = GetBand(index);
    if (!f)
        return;
    f->UpdateResponse();
    UpdateCurve();
}

// ---- Archive ---------------------------------------------------------------------------------

void CMIC_InData::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << GetName() << m_nEchoLevel << m_nOn << m_nPolarity << m_nMode << m_nLevel << m_nDelay
           << m_nNoiseGate << m_nExtLevel << m_nExtA << m_nExtB << m_bAllBypassed;
    } else {
        CString name;
        ar >> name >> m_nEchoLevel >> m_nOn >> m_nPolarity >> m_nMode >> m_nLevel >> m_nDelay >>
            m_nNoiseGate >> m_nExtLevel >> m_nExtA >> m_nExtB >> m_bAllBypassed;
        SetNameBytes(name);
        m_bLevelZero = (m_nLevel == 0);
    }
    m_core.EQ().Serialize(ar);
}
