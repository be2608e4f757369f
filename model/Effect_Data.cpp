#include "model/Effect_Data.h"

#include "link/FrameBuilder.h"
#include "model/ChannelText.h"
#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>

IMPLEMENT_SERIAL(CEffect_Data, CObject, 1)

namespace {

int Online() {
    return g_bOnline.load() ? 1 : 0;
}

EffectRecord& LiveRecord() {
    return g_curImage.system.effect;
}

} // namespace

CEffect_Data::CEffect_Data() : m_clrCurve(g_clrEffectCurve) {
    m_eq.BuildEffectBands(EFFECT_BANDS - 1, 8, 20000);
}

CEffect_Data::~CEffect_Data() = default;

// ---- Load and store --------------------------------------------------------------------------

void CEffect_Data::LoadFromRecord(const EffectRecord& rec) {
    // The record may be g_curImage, which the link worker writes.
    std::lock_guard lock(g_linkLock);
    m_strName = FieldToStringN(rec.name, kChannelNameFieldWidth);
    m_nBalance = rec.balance;
    m_nDelayA = rec.delayA;
    m_nPercentA = rec.percentA;
    m_nPercentB = rec.percentB;
    m_nValueA = rec.valueA;
    m_nTimeTenths = rec.timeTenths;
    m_nPercentC = rec.percentC;
    m_nValueB = rec.valueB;
    m_nPercentD = rec.percentD;
    m_nValueC = rec.valueC;
    m_nDelayB = rec.delayB;
    LoadXover(rec.xover);
    const int n = std::min(EFFECT_BANDS, GetBandCount());
    for (int i = 0; i < n; ++i)
        m_eq.UnpackBand(rec.bands[i], i);
}

void CEffect_Data::LoadXover(const XoverRecord& rec) {
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

// A name that does not fit leaves the old bytes (reported through the model's error hook).
void CEffect_Data::PackName(EffectRecord& rec) const {
    StringToField(rec.name, kChannelNameFieldWidth, m_strName);
}

// Bytes 132, 133 and 135 are not the channel's.
void CEffect_Data::PackParamsA(EffectRecord& rec) const {
    rec.balance = static_cast<BYTE>(m_nBalance);
    rec.delayA = static_cast<BYTE>(m_nDelayA);
    rec.percentA = static_cast<BYTE>(m_nPercentA);
    rec.percentB = static_cast<BYTE>(m_nPercentB);
    rec.valueA = static_cast<BYTE>(m_nValueA);
}

// Bytes 141 and 142 are not the channel's.
void CEffect_Data::PackParamsB(EffectRecord& rec) const {
    rec.timeTenths = static_cast<BYTE>(m_nTimeTenths);
    rec.percentC = static_cast<BYTE>(m_nPercentC);
    rec.valueB = static_cast<BYTE>(m_nValueB);
    rec.percentD = static_cast<BYTE>(m_nPercentD);
    rec.valueC = static_cast<BYTE>(m_nValueC);
    rec.delayB = static_cast<BYTE>(m_nDelayB);
}

void CEffect_Data::PackXover(EffectRecord& rec) const {
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

void CEffect_Data::PackBands(EffectRecord& rec) {
    const int n = std::min(EFFECT_BANDS, GetBandCount());
    for (int i = 0; i < n; ++i)
        rec.bands[i] = m_eq.PackBand(i);
}

void CEffect_Data::StoreToImage() {
    std::lock_guard lock(g_linkLock);
    EffectRecord& rec = LiveRecord();
    PackName(rec);
    PackParamsA(rec);
    PackParamsB(rec);
    PackXover(rec);
    PackBands(rec);
}

std::unique_ptr<CSendData> CEffect_Data::ChunkFrame(int chunk) const {
    return BuildChunkFrame(GROUP_EFFECT, m_nIndex, chunk);
}

std::unique_ptr<CSendData> CEffect_Data::StoreXover(BOOL bSend) {
    std::lock_guard lock(g_linkLock);
    PackXover(LiveRecord());
    return bSend ? ChunkFrame(CHUNK_EFFECT_XOVER) : nullptr;
}

void CEffect_Data::SetAllChanged(BOOL flag) {
    const int f = flag ? 1 : 0;
    m_bNameChanged = f;
    m_bParamsAChanged = f;
    m_bParamsBChanged = f;
    const int n = static_cast<int>(m_eq.GetSize());
    for (int i = 0; i < n; ++i) {
        CFilter* filter = m_eq.GetAt(i);
        if (!filter)
            continue;
        if (!f)
            filter->SetSentFreq(filter->GetFreq());
        filter->AckChange(f);
    }
}

// ---- Senders ---------------------------------------------------------------------------------

std::unique_ptr<CSendData> CEffect_Data::SendName() {
    std::lock_guard lock(g_linkLock);
    PackName(LiveRecord());
    return ChunkFrame(m_nNameChunk);
}

std::unique_ptr<CSendData> CEffect_Data::SendParamsA() {
    std::lock_guard lock(g_linkLock);
    PackParamsA(LiveRecord());
    return ChunkFrame(m_nParamsAChunk);
}

std::unique_ptr<CSendData> CEffect_Data::SendParamsB() {
    std::lock_guard lock(g_linkLock);
    PackParamsB(LiveRecord());
    return ChunkFrame(m_nParamsBChunk);
}

std::unique_ptr<CSendData> CEffect_Data::SendBand(int index, int chunk) {
    if (index < 0 || index >= std::min(EFFECT_BANDS, GetBandCount()))
        return nullptr;
    std::lock_guard lock(g_linkLock);
    LiveRecord().bands[index] = m_eq.PackBand(index);
    return ChunkFrame(chunk);
}

std::unique_ptr<CSendData> CEffect_Data::SendRecord(int nPreset) {
    std::lock_guard lock(g_linkLock);
    StoreToImage();
    return BuildRecordFrame(nPreset, GROUP_EFFECT, m_nIndex, TRUE, TRUE);
}

// ---- Bands -----------------------------------------------------------------------------------

CFilter* CEffect_Data::GetBand(int i) const {
    return m_eq.GetAt(i);
}

int CEffect_Data::GetBandCount() const {
    return std::max(0, static_cast<int>(m_eq.GetSize()) - 2);
}

CFilter* CEffect_Data::GetHPF() const {
    return m_eq.GetSize() > kLpIndex ? m_eq.GetAt(kHpIndex) : nullptr;
}

CFilter* CEffect_Data::GetLPF() const {
    return m_eq.GetSize() > kLpIndex ? m_eq.GetAt(kLpIndex) : nullptr;
}

void CEffect_Data::BypassAllBands(BOOL bOn) {
    const int n = static_cast<int>(m_eq.GetSize());
    for (int i = 0; i < n; ++i)
        m_eq.GetAt(i)->BypassAll(bOn);
}

BOOL CEffect_Data::IsAllBandsBypassed() {
    BOOL all = TRUE;
    const int n = static_cast<int>(m_eq.GetSize());
    for (int i = 0; i < n && all; ++i)
        all = m_eq.GetAt(i)->IsBypassed() ? TRUE : FALSE;
    m_bAllBypassed = all;
    return all;
}

BOOL CEffect_Data::TakeXoverChange() {
    BOOL any = FALSE;
    for (CFilter* f : {GetHPF(), GetLPF()}) {
        if (f && f->IsChanged()) {
            f->AckChange(0);
            any = TRUE;
        }
    }
    return any;
}

// ---- Parameters ------------------------------------------------------------------------------

void CEffect_Data::SetName(const CString& name) {
    m_strName = name;
    m_bNameChanged = Online();
}

#define R9_EFFECT_SETTER(Name, field, mark)                                                                  \
    void CEffect_Data::Set##Name(int v) {                                                                    \
        field = v;                                                                                           \
        mark = Online();                                                                                     \
    }

R9_EFFECT_SETTER(Balance, m_nBalance, m_bParamsAChanged)
R9_EFFECT_SETTER(DelayA, m_nDelayA, m_bParamsAChanged)
R9_EFFECT_SETTER(PercentA, m_nPercentA, m_bParamsAChanged)
R9_EFFECT_SETTER(PercentB, m_nPercentB, m_bParamsAChanged)
R9_EFFECT_SETTER(ValueA, m_nValueA, m_bParamsAChanged)
R9_EFFECT_SETTER(TimeTenths, m_nTimeTenths, m_bParamsBChanged)
R9_EFFECT_SETTER(PercentC, m_nPercentC, m_bParamsBChanged)
R9_EFFECT_SETTER(ValueB, m_nValueB, m_bParamsBChanged)
R9_EFFECT_SETTER(PercentD, m_nPercentD, m_bParamsBChanged)
R9_EFFECT_SETTER(ValueC, m_nValueC, m_bParamsBChanged)
R9_EFFECT_SETTER(DelayB, m_nDelayB, m_bParamsBChanged)
#undef R9_EFFECT_SETTER

// ---- Graph -----------------------------------------------------------------------------------

void CEffect_Data::SetGraphRect(const CRect& rect) {
    m_nPlotHeight = rect.Height();
    m_nPlotWidth = rect.Width();
    for (int i = 0; i < kGridSize; ++i) {
        const int x = FreqToAxisPos(g_eqFreqGrid[i], m_nPlotWidth) + 40;
        m_ptCurve[i] = CPoint(x, m_nPlotHeight / 2);
        m_ptfCurve[i].x = static_cast<float>(x);
    }
    m_eq.SetGraphRect(rect);
    UpdateCurve();
}

void CEffect_Data::UpdateCurve() {
    m_eq.UpdateSumCurve();
    const CPoint* sum = m_eq.GetCurve();
    const CurvePointF* sumF = m_eq.GetCurveF();
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i].y = sum[i].y;
        m_ptfCurve[i].y = sumF[i].y;
    }
}

// ---- Texts -----------------------------------------------------------------------------------

CString CEffect_Data::FormatBalanceText() const {
    CString s;
    if (m_nBalance >= 0 && m_nBalance < 100)
        s.Format("R_%d%%", 100 - m_nBalance);
    else if (m_nBalance == 100)
        s = "OFF";
    else if (m_nBalance > 100 && m_nBalance <= 195)
        s.Format("L_%d%%", m_nBalance - 100);
    return s;
}

CString CEffect_Data::FormatDelayText() const {
    CString s;
    s.Format("%dms", 2 * m_nDelayA);
    return s;
}

CString CEffect_Data::FormatPercentAText() const {
    return ChannelPercentText(m_nPercentA);
}

CString CEffect_Data::FormatPercentBText() const {
    return ChannelPercentText(m_nPercentB);
}

CString CEffect_Data::FormatPercentCText() const {
    return ChannelPercentText(m_nPercentC);
}

CString CEffect_Data::FormatPercentDText() const {
    return ChannelPercentText(m_nPercentD);
}

CString CEffect_Data::FormatValueAText() const {
    CString s;
    s.Format("%d", m_nValueA);
    return s;
}

CString CEffect_Data::FormatValueBText() const {
    CString s;
    s.Format("%d", m_nValueB);
    return s;
}

CString CEffect_Data::FormatTimeText() const {
    return FormatFixed(m_nTimeTenths * 0.1, 1) + "s";
}

CString CEffect_Data::FormatDelay2Text() const {
    CString s;
    s.Format("%dms", m_nDelayB);
    return s;
}

CString CEffect_Data::FormatValueCText() const {
    return ChannelPercentText(m_nValueC);
}

// ---- Archive ---------------------------------------------------------------------------------

// m_nValueC is not part of the archive.
void CEffect_Data::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strName << m_nBalance << m_nDelayA << m_nPercentA << m_nPercentB << m_nValueA << m_nTimeTenths
           << m_nPercentC << m_nValueB << m_nPercentD << m_nDelayB << m_bAllBypassed;
    } else {
        ar >> m_strName >> m_nBalance >> m_nDelayA >> m_nPercentA >> m_nPercentB >> m_nValueA >>
            m_nTimeTenths >> m_nPercentC >> m_nValueB >> m_nPercentD >> m_nDelayB >> m_bAllBypassed;
    }
    m_eq.Serialize(ar);
}
