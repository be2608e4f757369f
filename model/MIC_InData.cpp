#include "model/MIC_InData.h"

#include "model/ChannelText.h"
#include "model/Filter.h"
#include "model/RecordFrames.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"
#include "platform/core/SingleLock.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_SERIAL(CMIC_InData, CObject, 1)

namespace {

int Online() {
    return g_bOnline.load() ? 1 : 0;
}

} // namespace

CMIC_InData::CMIC_InData() = default;

CMIC_InData::~CMIC_InData() = default;

void CMIC_InData::BuildBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    m_eq.BuildMicBands(nLastBand, nXoverChunk, nLpFreq);
}

// ---- Name ------------------------------------------------------------------------------------

void CMIC_InData::SetNameBytes(const CString& name) {
    std::memset(m_szName, 0, sizeof m_szName);
    WriteGbkField(m_szName, kNameBytes, name, FieldOverflow::Truncate, kNameBytes, '\0');
}

void CMIC_InData::SetName(const CString& name) {
    SetNameBytes(name);
    m_bNameChanged = Online();
}

CString CMIC_InData::GetName() const {
    return ReadGbkField(m_szName, kNameBytes);
}

// ---- Setters that mark -----------------------------------------------------------------------

void CMIC_InData::SetEchoLevel(int v) {
    m_nEchoLevel = v;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetLevel(int code) {
    m_nLevel = code;
    m_bLevelZero = (code == 0);
    m_bLevelChanged = Online();
}

void CMIC_InData::SetLevelZero(int flag) {
    m_bLevelZero = flag;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetDelay(int code) {
    m_nDelay = code;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetEnabled(int on) {
    m_nOn = on;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetPolarity(int p) {
    m_nPolarity = p;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetMode(int mode) {
    m_nMode = mode;
    m_bLevelChanged = Online();
}

void CMIC_InData::SetNoiseGate(int code) {
    m_nNoiseGate = code;
    m_bNoiseGateChanged = Online();
}

void CMIC_InData::SetExtLevel(int v) {
    m_nExtLevel = static_cast<SHORT>(v);
    m_bExtChanged = Online();
}

void CMIC_InData::SetExtA(int v) {
    m_nExtA = v;
    m_bExtChanged = Online();
}

void CMIC_InData::SetExtB(int v) {
    m_nExtB = v;
    m_bExtChanged = Online();
}

void CMIC_InData::SetAllChanged(BOOL flag) {
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

// ---- Bands -----------------------------------------------------------------------------------

int CMIC_InData::GetFilterCount() const {
    return static_cast<int>(m_eq.GetSize());
}

int CMIC_InData::GetBandCount() const {
    return std::max(0, GetFilterCount() - 2);
}

CFilter* CMIC_InData::GetBand(int i) const {
    if (i < 0 || i >= GetFilterCount())
        return nullptr;
    return m_eq.GetAt(i);
}

CFilter* CMIC_InData::GetHPF() const {
    return GetBand(GetFilterCount() - 2);
}

CFilter* CMIC_InData::GetLPF() const {
    return GetBand(GetFilterCount() - 1);
}

BOOL CMIC_InData::IsAllBandsBypassed() {
    BOOL all = TRUE;
    const int n = GetFilterCount();
    for (int i = 0; i < n && all; ++i)
        all = GetBand(i)->IsBypassed() ? TRUE : FALSE;
    m_bAllBypassed = all;
    return all;
}

void CMIC_InData::BypassAllBands(BOOL bOn) {
    const int n = GetFilterCount();
    for (int i = 0; i < n; ++i)
        GetBand(i)->BypassAll(bOn);
}

BOOL CMIC_InData::TakeXoverChange() {
    BOOL any = FALSE;
    for (CFilter* f : {GetHPF(), GetLPF()}) {
        if (f && f->IsChanged()) {
            f->AckChange(0);
            any = TRUE;
        }
    }
    return any;
}

// ---- Image -----------------------------------------------------------------------------------

MicRecord* CMIC_InData::Record() const {
    return m_nIndex == 0 ? &g_curImage.mic : nullptr;
}

std::unique_ptr<CSendData> CMIC_InData::ChunkFrame(BOOL bSend, int chunk) const {
    if (!bSend || !Record())
        return nullptr;
    return BuildChunkFrame(GROUP_MIC, m_nIndex, chunk);
}

void CMIC_InData::PackBands(MicRecord& rec) {
    const int n = std::min(MIC_BAND_SLOTS, GetBandCount());
    for (int i = 0; i < n; ++i)
        rec.bands[i] = m_eq.PackBand(i);
}

void CMIC_InData::PackLevelBlock(MicRecord& rec) const {
    rec.echoLevel = static_cast<BYTE>(m_nEchoLevel);
    rec.polarity = static_cast<BYTE>(m_nPolarity);
    rec.mode = static_cast<BYTE>(m_nMode);
    rec.on = static_cast<BYTE>(m_nOn);
    rec.delay.Set(m_nDelay);
    rec.levelCode.Set(m_bLevelZero ? 0 : m_nLevel);
}

void CMIC_InData::PackXover(MicRecord& rec) const {
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
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        PackLevelBlock(*rec);
    return ChunkFrame(bSend, m_nLevelChunk);
}

std::unique_ptr<CSendData> CMIC_InData::StoreXoverChunk(BOOL bSend) {
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        PackXover(*rec);
    return ChunkFrame(bSend, CHUNK_MIC_XOVER);
}

std::unique_ptr<CSendData> CMIC_InData::StoreNoiseGateBlock(BOOL bSend) {
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        PackNoiseGate(*rec);
    return ChunkFrame(bSend, m_nNoiseGateChunk);
}

std::unique_ptr<CSendData> CMIC_InData::StoreExtBlock(BOOL bSend) {
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        PackExt(*rec);
    return ChunkFrame(bSend, m_nExtChunk);
}

std::unique_ptr<CSendData> CMIC_InData::StoreNameBlock(BOOL bSend) {
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        PackName(*rec);
    return ChunkFrame(bSend, m_nNameChunk);
}

std::unique_ptr<CSendData> CMIC_InData::StoreBand(int nBand, int nChunk) {
    if (nBand < 0 || nBand >= std::min(MIC_BAND_SLOTS, GetBandCount()))
        return nullptr;
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        rec->bands[nBand] = m_eq.PackBand(nBand);
    return ChunkFrame(TRUE, nChunk);
}

void CMIC_InData::StoreAll(MicRecord& rec) {
    PackBands(rec);
    PackName(rec);
    PackLevelBlock(rec);
    PackXover(rec);
    PackExt(rec);
    PackNoiseGate(rec);
}

void CMIC_InData::StoreToImage() {
    CSingleLock lock(&g_linkLock, TRUE);
    if (MicRecord* rec = Record())
        StoreAll(*rec);
}

std::unique_ptr<CSendData> CMIC_InData::StoreRecordFrame(int nPreset) {
    CSingleLock lock(&g_linkLock, TRUE);
    MicRecord* rec = Record();
    if (!rec)
        return nullptr;
    StoreAll(*rec);
    return BuildRecordFrame(nPreset, GROUP_MIC, m_nIndex, TRUE, TRUE);
}

void CMIC_InData::LoadFromRecord(const MicRecord* rec) {
    if (!rec)
        return;
    // The record may be g_curImage, which the link worker writes.
    CSingleLock lock(&g_linkLock, TRUE);
    const int n = std::min(MIC_BAND_SLOTS, GetBandCount());
    for (int i = 0; i < n; ++i)
        m_eq.UnpackBand(rec->bands[i], i);
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

void CMIC_InData::LoadXover(const XoverRecord& rec) {
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
    m_nPlotHeight = rect.Height();
    m_nPlotWidth = rect.Width();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i] = CPoint(FreqToAxisPos(g_eqFreqGrid[i], m_nPlotWidth) + 40, m_nPlotHeight / 2);
        m_ptfCurve[i].x = static_cast<float>(FreqToAxisPosReal(g_eqFreqGrid[i], m_nPlotWidth) + 40.0);
    }
    m_eq.SetGraphRect(rect);
    UpdateCurve();
}

void CMIC_InData::UpdateCurve() {
    m_nZeroLineY = DbToY(0.0, m_nPlotHeight) + 10;
    m_eq.UpdateSumCurve();
    const CPoint* sum = m_eq.GetCurve();
    const CurvePointF* sumF = m_eq.GetCurveF();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i].y = sum[i].y;
        m_ptfCurve[i].y = sumF[i].y;
    }
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
    m_eq.Serialize(ar);
}
