#include "model/Effect_Data.h"

#include "model/ChannelText.h"
#include "model/Filter.h"
#include "model/RecordFrames.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>

IMPLEMENT_SERIAL(CEffect_Data, CObject, 1)

namespace {

EffectRecord& LiveRecord() {
    return g_curImage.system.effect;
}

} // namespace

CEffect_Data::CEffect_Data() : m_clrCurve(g_clrEffectCurve) {
    m_core.SetAddress(GROUP_EFFECT, m_nIndex);
    m_core.EQ().BuildEffectBands(EFFECT_BANDS - 1, 8, 20000);
}

void CEffect_Data::SetIndex(int n) {
    m_nIndex = n;
    m_core.SetAddress(GROUP_EFFECT, n);
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
    m_core.UnpackBands(rec.bands, std::min(EFFECT_BANDS, GetBandCount()));
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

void CEffect_Data::PackAll(EffectRecord& rec) {
    PackName(rec);
    PackParamsA(rec);
    PackParamsB(rec);
    m_core.PackXover(rec.xover);
    m_core.PackBands(rec.bands, std::min(EFFECT_BANDS, GetBandCount()));
}

void CEffect_Data::StoreToImage() {
    m_core.Store(&LiveRecord(), FALSE, 0, [this](EffectRecord& rec) { PackAll(rec); });
}

std::unique_ptr<CSendData> CEffect_Data::StoreXover(BOOL bSend) {
    return m_core.Store(&LiveRecord(), bSend, CHUNK_EFFECT_XOVER,
                        [this](EffectRecord& rec) { m_core.PackXover(rec.xover); });
}

void CEffect_Data::SetAllChanged(BOOL flag) {
    const int f = flag ? 1 : 0;
    m_bNameChanged = f;
    m_bParamsAChanged = f;
    m_bParamsBChanged = f;
    m_core.SetFiltersChanged(f);
}

// ---- Senders ---------------------------------------------------------------------------------

std::unique_ptr<CSendData> CEffect_Data::SendName() {
    return m_core.Store(&LiveRecord(), TRUE, m_nNameChunk, [this](EffectRecord& rec) { PackName(rec); });
}

std::unique_ptr<CSendData> CEffect_Data::SendParamsA() {
    return m_core.Store(&LiveRecord(), TRUE, m_nParamsAChunk,
                        [this](EffectRecord& rec) { PackParamsA(rec); });
}

std::unique_ptr<CSendData> CEffect_Data::SendParamsB() {
    return m_core.Store(&LiveRecord(), TRUE, m_nParamsBChunk,
                        [this](EffectRecord& rec) { PackParamsB(rec); });
}

std::unique_ptr<CSendData> CEffect_Data::SendBand(int index, int chunk) {
    return m_core.StoreBand(LiveRecord().bands, std::min(EFFECT_BANDS, GetBandCount()), index, chunk);
}

std::unique_ptr<CSendData> CEffect_Data::SendRecord(int nPreset) {
    std::lock_guard lock(g_linkLock);
    PackAll(LiveRecord());
    return m_core.RecordFrame(nPreset);
}

// ---- Bands -----------------------------------------------------------------------------------

BOOL CEffect_Data::IsAllBandsBypassed() {
    m_bAllBypassed = m_core.AreBypassed(static_cast<int>(GetEQ().GetSize()));
    return m_bAllBypassed;
}

// ---- Parameters ------------------------------------------------------------------------------

void CEffect_Data::SetName(const CString& name) {
    m_strName = name;
    m_bNameChanged = OnlineMark();
}

#define R9_EFFECT_SETTER(Name, field, mark)                                                                  \
    void CEffect_Data::Set##Name(int v) {                                                                    \
        field = v;                                                                                           \
        mark = OnlineMark();                                                                                 \
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

// The float points keep the whole-pixel x of the axis.
void CEffect_Data::SetGraphRect(const CRect& rect) {
    m_core.SetCurveRect(rect, true);
    UpdateCurve();
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
    m_core.EQ().Serialize(ar);
}
