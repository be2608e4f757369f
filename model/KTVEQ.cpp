#include "model/KTVEQ.h"

#include "model/Globals.h"
#include "platform/core/Archive.h"

#include <vector>

IMPLEMENT_SERIAL(CKTVEQ, CObArray, 1)

const int g_isoFreq31[31] = {20,   25,   32,   40,   50,   63,    80,    100,   125,  160,  200,
                             250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                             3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
const int g_octFreq10[31] = {31,   65,   125,  250,  500,  1000,  2000,  4000,  8000, 16000, 200,
                             250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000,  2500,
                             3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
const int g_micFreq15[24] = {20,   32,    53,    87, 143, 235, 386, 632, 1035, 1696, 2778, 4551,
                             7455, 12210, 20000, 40, 80,  160, 317, 632, 1261, 2515, 5018, 10000};
const int g_effFreq3[3] = {100, 1000, 10000};

namespace {

constexpr int kTypeHighPass = 3;
constexpr int kTypeLowPass = 4;
constexpr int kButterworth = 2;

int TableFreq(const int* table, int size, int i) {
    return i >= 0 && i < size ? table[i] : 1000;
}

} // namespace

CKTVEQ::CKTVEQ() {
    for (int i = 0; i < kGridSize; ++i)
        m_ptCurve[i] = CPoint(0, 0);
}

CKTVEQ::~CKTVEQ() {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

CFilter* CKTVEQ::AddFilter() {
    auto* f = new CFilter;
    Add(f);
    return f;
}

void CKTVEQ::AddCrossover(int type, int nXoverChunk, int hz, BOOL fromUser) {
    CFilter* f = AddFilter();
    f->SetEqBand(0);
    f->SetType(type);
    f->SetBandId(nXoverChunk);
    f->SetFreq(hz, fromUser);
}

void CKTVEQ::BuildMicBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    for (int i = 0; i <= nLastBand; ++i) {
        CFilter* f = AddFilter();
        f->SetBandId(i);
        if (i == 0 || i == nLastBand) {
            f->SetType(i == 0 ? 1 : 2);
            f->SetSlope(0, FALSE);
        }
        f->SetFreq(TableFreq(g_micFreq15, 15, i), TRUE);
    }
    for (int type : {kTypeHighPass, kTypeLowPass}) {
        AddCrossover(type, nXoverChunk, type == kTypeHighPass ? 20 : nLpFreq, TRUE);
        CFilter* f = GetAt(GetSize() - 1);
        f->SetFamily(kButterworth, FALSE);
        f->SetSlope(0, FALSE);
        f->SetSlopeMode(1);
    }
}

void CKTVEQ::BuildInputBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    for (int i = 0; i <= nLastBand; ++i) {
        CFilter* f = AddFilter();
        f->SetBandId(i);
        f->SetFreq(i <= 14 ? TableFreq(g_micFreq15, 15, i) : TableFreq(g_isoFreq31, 31, i), TRUE);
    }
    for (int type : {kTypeHighPass, kTypeLowPass}) {
        AddCrossover(type, nXoverChunk, type == kTypeHighPass ? 20 : nLpFreq, TRUE);
        CFilter* f = GetAt(GetSize() - 1);
        f->SetFamily(kButterworth, FALSE);
        f->SetSlope(0, FALSE);
        f->SetSlopeMode(1);
    }
}

void CKTVEQ::BuildEffectBands(int nLastBand, int nXoverChunk, int nLpFreq) {
    for (int i = 0; i <= nLastBand; ++i) {
        CFilter* f = AddFilter();
        f->SetBandId(i);
        f->SetFreq(TableFreq(g_effFreq3, 3, i), TRUE);
    }
    for (int type : {kTypeHighPass, kTypeLowPass}) {
        AddCrossover(type, nXoverChunk, type == kTypeHighPass ? 20 : nLpFreq, TRUE);
        CFilter* f = GetAt(GetSize() - 1);
        f->SetFamily(kButterworth, FALSE);
        f->SetSlopeMode(1);
        f->SetRangeMode(8);
    }
}

void CKTVEQ::BuildOutputBands(int nLastBand, int nXoverChunk, int nHpRange, int nHpFreq, int nLpFreq) {
    const bool shortOutput = m_nChannel > 5;
    for (int i = 0; i <= nLastBand; ++i) {
        CFilter* f = AddFilter();
        f->SetBandId(i);
        f->SetFreq(shortOutput ? TableFreq(g_octFreq10, 31, i) : TableFreq(g_isoFreq31, 31, i), FALSE);
    }
    AddCrossover(kTypeHighPass, nXoverChunk, nHpFreq, FALSE);
    GetAt(GetSize() - 1)->SetRangeMode(nHpRange);
    AddCrossover(kTypeLowPass, nXoverChunk, nLpFreq, FALSE);
    GetAt(GetSize() - 1)->SetRangeMode(12);
}

void CKTVEQ::SumResponses(double* sum) const {
    const CObject* const* items = GetData();
    const INT_PTR n = GetSize();
    const CFilter* local[64] = {};
    std::vector<const CFilter*> many;
    const CFilter** filters = local;
    if (n > 64) {
        many.resize(static_cast<size_t>(n));
        filters = many.data();
    }
    for (INT_PTR k = 0; k < n; ++k)
        filters[k] = static_cast<const CFilter*>(items[k]);
    CFilter::SumResponses(filters, static_cast<int>(n), sum);
}

void CKTVEQ::UpdateSumCurve() {
    double sum[kGridSize];
    SumResponses(sum);
    for (int i = 0; i < kGridSize; ++i) {
        m_ptCurve[i].y = DbToY(sum[i], m_nPlotHeight) + 10;
        m_ptfCurve[i].y = static_cast<float>(DbToYReal(sum[i], m_nPlotHeight) + 10.0);
    }
}

void CKTVEQ::UpdateSumCurveFloat() {
    double sum[kGridSize];
    SumResponses(sum);
    for (int i = 0; i < kGridSize; ++i)
        m_ptfCurve[i].y = static_cast<float>(DbToYReal(sum[i], m_nPlotHeight) + 10.0);
}

void CKTVEQ::UpdateBandCurve(int index) {
    const CFilter* f = GetAt(index);
    if (!f)
        return;
    const double* response = f->Response();
    for (int i = 0; i < kGridSize; ++i)
        m_ptCurve[i].y = DbToY(response[i], m_nPlotHeight) + 10;
}

void CKTVEQ::SetGraphRect(const CRect& rect) {
    m_nPlotHeight = rect.Height();
    m_nPlotWidth = rect.Width();
    for (int i = 0; i < kGridSize; ++i)
        m_ptCurve[i] = CPoint(FreqToAxisPos(g_eqFreqGrid[i], m_nPlotWidth) + 40, m_nPlotHeight / 2);
    const INT_PTR n = GetSize();
    const CRect empty(0, 0, 0, 0);
    for (INT_PTR k = 0; k < n; ++k)
        GetAt(k)->SetGraphRect(empty);
    // Outputs 7 and 8 show bands 0..9 only, unless the device gives them 31 bands.
    const int deviceType = g_nDeviceType.load();
    const bool hideUpper = m_nChannel > 5 && deviceType != 3 && deviceType != 4;
    for (INT_PTR k = 0; k < n; ++k) {
        if (hideUpper && k >= 10 && k < n - 2)
            continue;
        GetAt(k)->SetGraphRect(rect);
    }
}

EQBandRecord CKTVEQ::PackBand(int index) {
    const CFilter* f = GetAt(index);
    if (!f)
        return m_recBand;
    m_recBand.freq.Set(f->GetSentFreq());
    m_recBand.gainCode.Set(400 + f->GetGainPos());
    m_recBand.bwCode.Set(f->GetBandwidthPos());
    m_recBand.slope = f->GetSlopeByte();
    m_recBand.type = f->GetTypeByte();
    return m_recBand;
}

void CKTVEQ::UnpackBand(const EQBandRecord& rec, int index) {
    CFilter* f = GetAt(index);
    if (!f)
        return;
    f->SetGainPos(rec.gainCode.Get() - 400);
    f->SetBandwidthPos(rec.bwCode.Get());
    f->SetSlope(rec.slope, TRUE);
    f->SetType(rec.type);
    f->SetFreq(rec.freq.Get(), FALSE);
    f->AckChange(0);
}

void CKTVEQ::CopyFrom(const CKTVEQ& other) {
    const INT_PTR n = GetSize() < other.GetSize() ? GetSize() : other.GetSize();
    for (INT_PTR i = 0; i < n; ++i)
        GetAt(i)->CopyFrom(*other.GetAt(i));
}

BYTE CKTVEQ::GetBandIdByte(int index) const {
    const CFilter* f = GetAt(index);
    return f ? f->GetBandIdByte() : 0;
}

void CKTVEQ::Serialize(CArchive& ar) {
    const INT_PTR n = GetSize();
    for (INT_PTR i = 0; i < n; ++i)
        GetAt(i)->Serialize(ar);
}
