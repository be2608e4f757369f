#include "model/Filter.h"

#include "model/Globals.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

IMPLEMENT_SERIAL(CFilter, CObject, 1)

namespace {

constexpr double kTwoPi = 6.2831852;
constexpr double kSampleRate = 96000.0;
constexpr double kCornerFactor = 6.544985e-05; // rad per sample and Hz of a centre or corner
constexpr double kHalfLog2 = 0.34657359;
constexpr double kZeroGuard = 1e-10;
constexpr double kMinMag2 = 1e-20; // -200 dB: each section is held inside +-200 dB
constexpr double kMaxMag2 = 1e20;
constexpr int kShelfSplitHz = 2000;

enum { TYPE_PEAK = 0, TYPE_LOW_SHELF = 1, TYPE_HIGH_SHELF = 2, TYPE_HIGH_PASS = 3, TYPE_LOW_PASS = 4 };
enum { FAMILY_LR = 0, FAMILY_BESSEL = 1, FAMILY_BUTTERWORTH = 2 };
constexpr int kSlopeOff = 8;
constexpr int kSlopeRows = 8;

// Grid points are evaluated four at a time; the padding points sit at w = 0.
constexpr int kLanes = 4;
constexpr int kPaddedGrid = (kGridSize + kLanes - 1) / kLanes * kLanes;

// The grid is fixed: its angles and axis logarithms are computed once.
struct GridTables {
    alignas(32) double cosW[kPaddedGrid];
    alignas(32) double sinW[kPaddedGrid];
    double log10Rel[kGridSize]; // log10(f / 20)
    GridTables() {
        for (int i = 0; i < kGridSize; ++i) {
            const double w = kTwoPi * g_eqFreqGrid[i] / kSampleRate;
            cosW[i] = std::cos(w);
            sinW[i] = std::sin(w);
            log10Rel[i] = std::log10(g_eqFreqGrid[i] / 20.0);
        }
        for (int i = kGridSize; i < kPaddedGrid; ++i) {
            cosW[i] = 1.0;
            sinW[i] = 0.0;
        }
    }
};

const GridTables& Grid() {
    static const GridTables tables;
    return tables;
}

// Crossover damping rows (d = 1 / 2Q per section; 0 = flat). Odd orders use d[0] as the corner
// scale of a first-order section 0.
constexpr double kLinkwitzRiley[kSlopeRows][4] = {
    {1.0, 0, 0, 0},
    {1.0, 0, 0, 0},
    {1.0, 0.70422535211, 0, 0},
    {0.70422535211, 0.70422535211, 0, 0},
    {1.0, 0.62, 0.62, 0},
    {1.0, 0.5, 0.5, 0},
    {1.0, 0.453134315, 0.92592592593, 0.453134315},
    {0.92592592593, 0.373134315, 0.92592592593, 0.373134315},
};
constexpr double kButterworth[kSlopeRows][4] = {
    {0.70422535, 0, 0, 0},
    {0.70422535, 0, 0, 0},
    {1.0, 0.5, 0, 0},
    {0.92592593, 0.38167939, 0, 0},
    {1.0, 0.8064616129, 0.3086417953, 0},
    {0.96153846, 0.70422535211, 0.2590673575, 0},
    {1.0, 0.90909090909, 0.625, 0.2222222222},
    {0.98039216, 0.83333333, 0.55555556, 0.1953125},
};
constexpr double kBesselHpDivisor[kSlopeRows] = {1.2683112435, 1.2683112435, 1.2854981442, 1.5006420029,
                                                 1.3854981442, 1.5554981442, 1.5554981442, 1.679120141};
constexpr double kBesselHp[kSlopeRows][4] = {
    {0.70422535, 0, 0, 0},
    {0.70422535, 0, 0, 0},
    {0.756, 0.72463768, 0, 0},
    {0.96153846, 0.61728395, 0, 0},
    {0.6656, 0.8928571428, 0.54347826, 0},
    {0.980392156, 0.819672131, 0.490196, 0},
    {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
    {0.98039216, 0.89285714, 0.70422535, 0.40650406},
};
constexpr double kBesselLpDivisor[kSlopeRows] = {1.3616541287, 1.3616541287, 1.75567236868, 2.1139176749,
                                                 1.0,          1.0,          1.0,           3.17961723751};
constexpr double kBesselLpP[kSlopeRows][4] = {
    {1.0, 0, 0, 0},
    {1.0, 0, 0, 0},
    {0.5693712514, 0.430628846, 0, 0},
    {0.369, 0.6278294896, 0, 0},
    {0.6656, 1.1402, 0.6216, 0},
    {1.2217, 0.9686, 0.5131, 0},
    {0.5937, 1.0944, 0.8304, 0.4332},
    {0.117235677, 0.226516664, 0.3067559, 0.3494916166},
};
constexpr double kBesselLpQ[kSlopeRows][4] = {
    {0.3333333333, 0, 0, 0},     {0.3333333333, 0, 0, 0},
    {0.154812441, 0, 0, 0},      {0.087858766, 0.109408, 0, 0},
    {0, 0.4128, 0.3245, 0},      {0.3887, 0.3505, 0.2756, 0},
    {0, 0.3395, 0.3011, 0.2381}, {0.02064747, 0.0259273886, 0.0294683265, 0.031272257},
};

struct ShelfRow {
    double cornerScale;
    double s;
};
constexpr ShelfRow kLowShelf[2] = {{2.0, 0.5}, {1.2727272727, 1.3}};
constexpr ShelfRow kHighShelf[2] = {{0.4545454546, 0.5}, {0.76923076923, 1.3}};

// Four grid points in the vector registers the build has (SSE2 pairs by default, one AVX2
// register where the processor has it). Each lane runs the same IEEE operations in the same order
// as the scalar formula would, and no multiply-add is fused, so the results are the same bits.
// Vectors pass by reference only: by value their ABI differs between the clones.
using V4d = double __attribute__((vector_size(32)));
using V4i = long long __attribute__((vector_size(32)));
using V4w = int __attribute__((vector_size(16)));

inline void Load(V4d& v, const double* p) {
    std::memcpy(&v, p, sizeof v);
}

// v = value in the lanes where mask is set (all ones), else unchanged.
inline void SetWhere(V4d& v, const V4i& mask, const V4d& value) {
    v = (V4d)(((V4i)value & mask) | ((V4i)v & ~mask));
}

// log10 of positive normal numbers (the section products stay inside 1e-80..1e80), good to
// about 1e-12: the exponent from the bits, an atanh series on the mantissa. It runs for every
// grid point of every filter, where the library call dominated the cost.
inline void Log10Positive(V4d& x) {
    const V4i bits = (V4i)x;
    // The exponent as a double without an int64 conversion: 2^52 + biased exponent, less the bias.
    V4d e = (V4d)(((bits >> 52) & 0x7FF) | 0x4330000000000000LL) - (4503599627370496.0 + 1023.0);
    V4d m = (V4d)((bits & 0x000FFFFFFFFFFFFFLL) | 0x3FF0000000000000LL);
    const V4i high = m > 1.4142135623730951;
    const V4d half = m * 0.5;
    SetWhere(m, high, half);
    const V4d one = {1.0, 1.0, 1.0, 1.0};
    e = e + (V4d)((V4i)one & high);
    const V4d t = (m - 1.0) / (m + 1.0);
    const V4d t2 = t * t;
    const V4d lnM =
        2.0 * t *
        (1.0 + t2 * (1.0 / 3 + t2 * (1.0 / 5 + t2 * (1.0 / 7 + t2 * (1.0 / 9 + t2 * (1.0 / 11 + t2 / 13))))));
    x = (e * 0.69314718055994531 + lnM) * 0.43429448190325182;
}

using Section = CFilter::Section;

class SectionSet {
public:
    void Add(double b0, double b1, double b2, double a0, double a1, double a2) {
        if (a0 == 0.0 || !std::isfinite(a0)) {
            // No usable normalisation: the section counts as flat.
            return;
        }
        b0 /= a0;
        b1 /= a0;
        b2 /= a0;
        a1 /= a0;
        a2 /= a0;
        m_sec[m_count++] = Section{b0 + b2, b1, b0 - b2, 1.0 + a2, a1, 1.0 - a2};
    }

    // Sum of the sections' dB at every grid point, each section held inside +-200 dB.
    void Evaluate(double* out) const;
    void AddFolded(const Section& q) { m_sec[m_count++] = q; }
    int Count() const { return m_count; }
    const Section* Sections() const { return m_sec; }

private:
    Section m_sec[4];
    int m_count = 0;
};

// An AVX2 copy chosen by the loader where the processor has it. Not under ThreadSanitizer: the
// loader runs the chooser before the sanitizer's runtime is ready, and the program dies at start.
#if defined(__SANITIZE_THREAD__)
#define R9_SIMD_CLONES
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define R9_SIMD_CLONES
#endif
#endif
#ifndef R9_SIMD_CLONES
#define R9_SIMD_CLONES __attribute__((target_clones("avx2", "default")))
#endif

// The product of the sections' |H|^2 and its dB at every grid point, four points at a time. Each
// pass runs over the whole grid, so that independent points overlap in the pipeline.
R9_SIMD_CLONES void EvaluateSections(const Section* sec, int count, double* out) {
    const GridTables& g = Grid();
    alignas(32) double buf[kPaddedGrid];
    const V4d one = {1.0, 1.0, 1.0, 1.0};
    const V4d low = {kMinMag2, kMinMag2, kMinMag2, kMinMag2};
    const V4d high = {kMaxMag2, kMaxMag2, kMaxMag2, kMaxMag2};
    for (int k = 0; k < count; ++k) {
        const Section& q = sec[k];
        for (int i = 0; i < kPaddedGrid; i += kLanes) {
            V4d c, s;
            Load(c, g.cosW + i);
            Load(s, g.sinW + i);
            const V4d nr = q.nc * c + q.nd;
            const V4d ni = q.ns * s;
            const V4d dr = q.dc * c + q.dd;
            const V4d di = q.ds * s;
            V4d m = (nr * nr + ni * ni) / (dr * dr + di * di);
            SetWhere(m, m != m, one); // 0/0: no information, counts as 0 dB
            SetWhere(m, m < kMinMag2, low);
            SetWhere(m, m > kMaxMag2, high);
            if (k > 0) {
                V4d prod;
                Load(prod, buf + i);
                m = prod * m;
            }
            std::memcpy(buf + i, &m, sizeof m);
        }
    }
    for (int i = 0; i < kPaddedGrid; i += kLanes) {
        V4d v;
        Load(v, buf + i);
        Log10Positive(v);
        v = 10.0 * v;
        std::memcpy(buf + i, &v, sizeof v);
    }
    std::memcpy(out, buf, sizeof(double) * kGridSize);
}

// 10 log10 of the product of every section's |H|^2 at every grid point, one divide per point.
// False when a section would be held at +-200 dB (or is 0/0) at some point, or the products leave
// the range where they stay exact: the caller sums per filter then, as each filter's own
// response does.
R9_SIMD_CLONES bool EvaluateProduct(const Section* sec, int count, double* out) {
    constexpr double kFinite = 1e300;
    constexpr double kTiny = 1e-280;
    constexpr double kHuge = 1e280;
    const GridTables& g = Grid();
    alignas(32) double buf[kPaddedGrid];
    const V4d one = {1.0, 1.0, 1.0, 1.0};
    for (int i = 0; i < kPaddedGrid; i += kLanes) {
        V4d c, s;
        Load(c, g.cosW + i);
        Load(s, g.sinW + i);
        V4d num = one;
        V4d den = one;
        V4i bad = {};
        for (int k = 0; k < count; ++k) {
            const Section& q = sec[k];
            const V4d nr = q.nc * c + q.nd;
            const V4d ni = q.ns * s;
            const V4d dr = q.dc * c + q.dd;
            const V4d di = q.ds * s;
            const V4d n = nr * nr + ni * ni;
            const V4d d = dr * dr + di * di;
            bad |= ~((n >= kMinMag2 * d) & (n <= kMaxMag2 * d) & (d > 0.0) & (d < kFinite) & (n < kFinite));
            num = num * n;
            den = den * d;
        }
        bad |= ~((num > kTiny) & (num < kHuge) & (den > kTiny) & (den < kHuge));
        // The padding points past the grid are never read.
        for (int lane = 0; lane < kLanes; ++lane)
            if (i + lane < kGridSize && bad[lane] != 0)
                return false;
        V4d m = num / den;
        Log10Positive(m);
        m = 10.0 * m;
        std::memcpy(buf + i, &m, sizeof m);
    }
    std::memcpy(out, buf, sizeof(double) * kGridSize);
    return true;
}

void SectionSet::Evaluate(double* out) const {
    if (m_count == 0) {
        for (int i = 0; i < kGridSize; ++i)
            out[i] = 0.0;
        return;
    }
    EvaluateSections(m_sec, m_count, out);
}

// y = DbToY(r, h) + 10 at every grid point, four at a time; with a value beyond 2e9 (or NaN) the
// whole curve takes the scalar rounding.
R9_SIMD_CLONES void CurveYs(const double* r, int h, CPoint* pts) {
    constexpr int kVectorPoints = kGridSize / kLanes * kLanes;
    const V4d one = {1.0, 1.0, 1.0, 1.0};
    const double scale = h / 24.0;
    alignas(16) int ys[kVectorPoints];
    V4i inside = ~V4i{};
    for (int i = 0; i < kVectorPoints; i += kLanes) {
        V4d v;
        Load(v, r + i);
        v = scale * (12.0 - v);
        const V4i in = (v < 2.0e9) & (v > -2.0e9);
        inside &= in;
        v = (V4d)((V4i)v & in); // no conversion of a value out of the int range
        // Whole numbers below 2^31 stay exact in doubles, so the steps run there.
        const V4d t = __builtin_convertvector(__builtin_convertvector(v, V4w), V4d);
        const V4d frac = v - t;
        const V4d y = t + (V4d)((V4i)one & (frac >= 0.5)) - (V4d)((V4i)one & (frac <= -0.5)) + 10.0;
        const V4w yw = __builtin_convertvector(y, V4w);
        std::memcpy(ys + i, &yw, sizeof yw);
    }
    if ((inside[0] & inside[1] & inside[2] & inside[3]) != 0) {
        for (int i = 0; i < kVectorPoints; ++i)
            pts[i].y = ys[i];
    } else {
        for (int i = 0; i < kVectorPoints; ++i)
            pts[i].y = DbToY(r[i], h) + 10;
    }
    for (int i = kVectorPoints; i < kGridSize; ++i)
        pts[i].y = DbToY(r[i], h) + 10;
}

double MathFreq(double hz) {
    return hz < 1.0 ? 1.0 : hz;
}

bool ValidRow(int slope) {
    return slope >= 0 && slope < kSlopeRows;
}

void PeakSections(SectionSet& set, int freq, double gain, double bandwidth) {
    const double fc = g_eqFreqGrid[FreqToGridIndex(freq)];
    const double a = std::pow(10.0, gain / 40.0);
    const double w0 = fc * kCornerFactor;
    const double sn = std::sin(w0);
    const double alpha = sn * std::sinh(kHalfLog2 * bandwidth * w0 / sn);
    const double cs2 = -2.0 * std::cos(w0);
    set.Add(1.0 + alpha * a, cs2, 1.0 - alpha * a, 1.0 + alpha / a, cs2, 1.0 - alpha / a);
}

void ShelfSections(SectionSet& set, int type, int slope, int freq, double gain) {
    if (gain == 0.0 || slope < 0 || slope > 1)
        return;
    const ShelfRow& row = type == TYPE_LOW_SHELF ? kLowShelf[slope] : kHighShelf[slope];
    const double w0 = MathFreq(freq) * kCornerFactor * row.cornerScale;
    const double a = std::pow(10.0, gain / 40.0);
    const double cs = std::cos(w0);
    const double alpha = std::sin(w0) / 2.0 * std::sqrt((a + 1.0 / a) * (1.0 / row.s - 1.0) + 2.0);
    const double b = 2.0 * std::sqrt(a) * alpha;
    if (type == TYPE_LOW_SHELF) {
        set.Add(a * ((a + 1) - (a - 1) * cs + b), 2 * a * ((a - 1) - (a + 1) * cs),
                a * ((a + 1) - (a - 1) * cs - b), (a + 1) + (a - 1) * cs + b, -2 * ((a - 1) + (a + 1) * cs),
                (a + 1) + (a - 1) * cs - b);
    } else {
        set.Add(a * ((a + 1) + (a - 1) * cs + b), -2 * a * ((a - 1) + (a + 1) * cs),
                a * ((a + 1) + (a - 1) * cs - b), (a + 1) - (a - 1) * cs + b, 2 * ((a - 1) - (a + 1) * cs),
                (a + 1) - (a - 1) * cs - b);
    }
}

double Guard(double a0) {
    return a0 == 0.0 ? kZeroGuard : a0;
}

bool OddOrder(int slope) {
    return slope == 0 || slope == 2 || slope == 4 || slope == 6;
}

void HighPassSections(SectionSet& set, int family, int slope, int freq) {
    if (!ValidRow(slope) || family < FAMILY_LR || family > FAMILY_BUTTERWORTH)
        return;
    double f = MathFreq(freq);
    const double* d = family == FAMILY_LR ? kLinkwitzRiley[slope] : kButterworth[slope];
    if (family == FAMILY_BESSEL) {
        f /= kBesselHpDivisor[slope];
        d = kBesselHp[slope];
    }
    const double w0 = f * kCornerFactor;
    const double cs = std::cos(w0);
    const double sn = std::sin(w0);
    const double k = std::tan(w0 / 2.0);
    for (int s = 0; s < 4; ++s) {
        if (d[s] == 0.0)
            continue;
        if (s == 0 && OddOrder(slope))
            set.Add(1.0, -1.0, 0.0, Guard(d[0] * k + 1.0), d[0] * k - 1.0, 0.0);
        else
            set.Add((1 + cs) / 2, -(1 + cs), (1 + cs) / 2, Guard(1 + sn * d[s]), -2 * cs, 1 - sn * d[s]);
    }
}

void LowPassSections(SectionSet& set, int family, int slope, int freq) {
    if (!ValidRow(slope) || family < FAMILY_LR || family > FAMILY_BUTTERWORTH)
        return;
    if (family == FAMILY_BESSEL) {
        const double w0 = MathFreq(freq) / kBesselLpDivisor[slope] * kCornerFactor;
        const double k = std::tan(w0 / 2.0);
        const double k2 = k * k;
        for (int s = 0; s < 4; ++s) {
            const double p = kBesselLpP[slope][s];
            const double q = kBesselLpQ[slope][s];
            if (p == 0.0)
                continue;
            set.Add(k2, 2 * k2, k2, k2 + p * k + q, 2 * k2 - 2 * q, k2 - p * k + q);
        }
        return;
    }
    const double* d = family == FAMILY_LR ? kLinkwitzRiley[slope] : kButterworth[slope];
    const double w0 = MathFreq(freq) * kCornerFactor;
    const double cs = std::cos(w0);
    const double sn = std::sin(w0);
    const double k = std::tan(w0 / 2.0);
    for (int s = 0; s < 4; ++s) {
        if (d[s] == 0.0)
            continue;
        if (s == 0 && OddOrder(slope))
            set.Add(k, k, 0.0, Guard(k + d[0]), k - d[0], 0.0);
        else
            set.Add((1 - cs) / 2, 1 - cs, (1 - cs) / 2, Guard(1 + sn * d[s]), -2 * cs, 1 - sn * d[s]);
    }
}

int TruncFreq(double f) {
    if (!(f > -2.0e9))
        return 0;
    return f > 2.0e9 ? 2000000000 : static_cast<int>(f);
}

} // namespace

CFilter::CFilter() {
    for (double& v : m_dResponse)
        v = 0.0;
}

void CFilter::Mark() {
    m_bChanged.store(g_bOnline.load());
    if (m_bChanged.load())
        OnlineMark();
}

void CFilter::Relayout() {
    if (m_bEqBand)
        LayoutBandHandle();
    else
        LayoutXoverHandle();
}

void CFilter::KeepShelfSide() {
    if (m_nType == TYPE_LOW_SHELF && m_nFreq > kShelfSplitHz)
        m_nFreq = kShelfSplitHz;
    else if (m_nType == TYPE_HIGH_SHELF && m_nFreq < kShelfSplitHz)
        m_nFreq = kShelfSplitHz;
}

void CFilter::SyncSentWhileOffline() {
    // Offline nothing steps the sent frequency towards a shelf's moved one, so it follows now.
    if (!g_bOnline.load())
        m_nSentFreq.store(m_nFreq);
}

void CFilter::SetFreq(int hz, BOOL fromUser) {
    std::lock_guard lock(g_linkLock);
    if (!fromUser) {
        m_nFreq = hz;
        m_nSentFreq.store(hz);
    } else {
        const bool online = g_bOnline.load() != 0;
        m_nFreq = hz;
        if (m_bEqBand) {
            if (!online)
                m_nSentFreq.store(hz);
        } else if (m_pSlider) {
            m_pSlider->SetPosFromFreq(hz);
        }
        int sent = m_nSentFreq.load();
        if (sent <= 0)
            sent = 20;
        // A move within an octave is sent as it is, in both directions; a crossover kept the old
        // frequency on the way down and went out twice for one step.
        if (m_nFreq >= sent && m_nFreq / sent < 2)
            sent = m_nFreq;
        else if (m_nFreq < sent && static_cast<double>(m_nFreq) / sent >= 0.5)
            sent = m_nFreq;
        if (!m_bEqBand && !online)
            sent = m_nFreq;
        m_nSentFreq.store(sent);
    }
    Relayout();
    UpdateResponse();
    if (fromUser)
        Mark();
}

void CFilter::AckChange(BOOL flag) {
    int sent = m_nSentFreq.load();
    if (m_nFreq == sent) {
        m_bChanged.store(flag);
        return;
    }
    if (sent <= 0)
        sent = 20;
    if (m_nFreq / sent >= 2) {
        sent *= 2;
    } else if (static_cast<double>(m_nFreq) / sent <= 0.5) {
        // Halving stops at 20 Hz; below that the set frequency is sent as it is.
        sent = sent / 2 < 20 ? m_nFreq : sent / 2;
    } else {
        sent = m_nFreq;
    }
    m_nSentFreq.store(sent);
    m_bChanged.store(1);
}

void CFilter::SetType(int type) {
    std::lock_guard lock(g_linkLock);
    m_nType = type;
    if (type == TYPE_LOW_PASS)
        m_nSentFreq.store(20000);
    UpdateResponse();
    Mark();
}

void CFilter::SetEqType(int type) {
    std::lock_guard lock(g_linkLock);
    if (type < TYPE_PEAK || type > TYPE_HIGH_SHELF)
        return;
    m_nType = type;
    KeepShelfSide();
    SyncSentWhileOffline();
    LayoutBandHandle();
    UpdateResponse();
    Mark();
}

void CFilter::SetShapeCode(int code) {
    std::lock_guard lock(g_linkLock);
    if (code < 0 || code > 4)
        return;
    if (code == 0) {
        m_nType = TYPE_PEAK;
    } else {
        m_nType = code <= 2 ? TYPE_LOW_SHELF : TYPE_HIGH_SHELF;
        m_nSlope = (code - 1) % 2;
    }
    KeepShelfSide();
    SyncSentWhileOffline();
    LayoutBandHandle();
    UpdateResponse();
    Mark();
}

void CFilter::SetLowShelfSlope(int s) {
    if (s != 0 && s != 1)
        return;
    SetShapeCode(1 + s);
}

void CFilter::SetHighShelfSlope(int s) {
    if (s != 0 && s != 1)
        return;
    SetShapeCode(3 + s);
}

void CFilter::SetSlope(int index, BOOL mark) {
    std::lock_guard lock(g_linkLock);
    m_nSlope = index;
    // First-order Bessel and Butterworth coincide; the device knows the latter.
    if ((m_nType == TYPE_HIGH_PASS || m_nType == TYPE_LOW_PASS) && index == 0 && m_nFamily == FAMILY_BESSEL)
        m_nFamily = FAMILY_BUTTERWORTH;
    UpdateResponse();
    if (mark)
        Mark();
}

void CFilter::SetFamily(int family, BOOL mark) {
    std::lock_guard lock(g_linkLock);
    m_nFamily = family;
    UpdateResponse();
    if (mark)
        Mark();
}

void CFilter::SetGainPos(int pos) {
    std::lock_guard lock(g_linkLock);
    m_dGain = PosToGain(pos);
    if (m_dGain != 0.0) {
        m_bBypass = 0;
        m_bBypassAll = 0;
    } else {
        m_bBypass = 1;
    }
    if (m_bEqBand)
        LayoutBandHandle();
    UpdateResponse();
    Mark();
}

void CFilter::SetGain(double db) {
    std::lock_guard lock(g_linkLock);
    m_dGain = db;
    if (m_bEqBand)
        LayoutBandHandle();
    UpdateResponse();
    Mark();
}

void CFilter::SetBandwidthPos(int pos) {
    std::lock_guard lock(g_linkLock);
    SetBandwidth(PosToBandwidth(pos));
}

void CFilter::SetBandwidth(double octaves) {
    std::lock_guard lock(g_linkLock);
    m_dBandwidth = octaves;
    if (m_bEqBand)
        LayoutWidthHandles();
    UpdateResponse();
    Mark();
}

void CFilter::SetBypass(BOOL on) {
    std::lock_guard lock(g_linkLock);
    if (m_bBypassAll) {
        m_bBypassAll = 0;
        if (m_dGain == 0.0)
            return;
    } else if (m_bBypass == on || m_dGain == 0.0) {
        return;
    }
    m_bBypass = on;
    if (!on)
        m_bBypassAll = 0;
    Relayout();
    UpdateResponse();
    Mark();
}

void CFilter::BypassAll(BOOL on) {
    std::lock_guard lock(g_linkLock);
    if (on) {
        m_bSavedBypassAll = m_bBypassAll;
        m_bBypassAll = 1;
    } else {
        m_bBypassAll = m_bSavedBypassAll;
    }
    if (!m_bBypass) {
        Relayout();
        UpdateResponse();
    }
}

void CFilter::ResetBand(int hz) {
    m_nType = TYPE_PEAK;
    m_nSlope = 0;
    m_nFreq = hz;
    m_nSentFreq.store(hz);
    m_dBandwidth = 0.19;
    m_dGain = 0.0;
    m_bBypass = 1;
    LayoutWidthHandles();
    LayoutBandHandle();
    UpdateResponse();
}

void CFilter::SetGeqMode(BOOL on) {
    std::lock_guard lock(g_linkLock);
    m_bGeqMode = on;
    LayoutBandHandle();
}

void CFilter::CopyFrom(const CFilter& other) {
    std::lock_guard lock(g_linkLock);
    m_nType = other.m_nType;
    m_nFreq = other.m_nFreq;
    m_dGain = other.m_dGain;
    m_bBypass = other.m_bBypass;
    m_bBypassAll = other.m_bBypassAll;
    m_dBandwidth = other.m_dBandwidth;
    m_nFamily = other.m_nFamily;
    m_nSlope = other.m_nSlope;
    m_nSentFreq.store(other.m_nFreq);
    Relayout();
    UpdateResponse();
}

int CFilter::GetGainPos() const {
    if (m_bBypassAll || m_bBypass)
        return GainToPos(0.0);
    return GainToPos(m_dGain);
}

int CFilter::GetBandwidthPos() const {
    return BandwidthToPos(m_dBandwidth);
}

int CFilter::GetShapeCode() const {
    if (m_nType == TYPE_LOW_SHELF)
        return 1 + m_nSlope;
    if (m_nType == TYPE_HIGH_SHELF)
        return 3 + m_nSlope;
    return 0;
}

CString CFilter::FormatFreqText() const {
    CString s;
    s.Format("%dHz", m_nFreq);
    return s;
}

CString CFilter::FormatGainText() const {
    if (m_bBypassAll || m_bBypass)
        return "0.0dB";
    return FormatFixed(m_dGain, 1) + "dB";
}

CString CFilter::FormatBandwidthText() const {
    return FormatFixed(m_dBandwidth, 2) + "Oct";
}

CString CFilter::FormatQText() const {
    const double q = BandwidthIndexToQ(GetBandwidthPos());
    return FormatFixed(q, q > 10.0 ? 2 : 3);
}

CString CFilter::FormatTypeText() const {
    switch (m_nType) {
    case TYPE_PEAK:
        return LangText("PEQ", "参量均衡");
    case TYPE_LOW_SHELF:
        return LangText("Lo_Shf", "低架");
    case TYPE_HIGH_SHELF:
        return LangText("Hi_Shf", "高架");
    default:
        return CString();
    }
}

CString CFilter::FormatFamilyText() const {
    switch (m_nFamily) {
    case FAMILY_LR:
        return LangText("Link_Ril", "宁克");
    case FAMILY_BESSEL:
        return LangText("Bessel", "贝塞尔");
    case FAMILY_BUTTERWORTH:
        return LangText("Butter_W", "巴特沃斯");
    default:
        return CString();
    }
}

CString CFilter::FormatShelfSlopeText() const {
    if (m_nSlope == 0)
        return "6dB/Oct";
    if (m_nSlope == 1)
        return "12dB/Oct";
    return CString();
}

CString CFilter::FormatSlopeText() const {
    static const char* const kMode0[] = {"",         "12dB/Oct", "18dB/Oct", "24dB/Oct", "30dB/Oct",
                                         "36dB/Oct", "42dB/Oct", "48dB/Oct", "OFF"};
    if (m_nSlopeMode == 0)
        return m_nSlope >= 0 && m_nSlope <= kSlopeOff ? kMode0[m_nSlope] : "";
    if (m_nSlopeMode == 1) {
        if (m_nSlope == 1)
            return "12dB/Oct";
        if (m_nSlope == 2)
            return "24dB/Oct";
    }
    return CString();
}

CString CFilter::FormatLabelText() {
    const CString gain = (m_bBypassAll || m_bBypass ? CString("0.0") : FormatFixed(m_dGain, 1)) + "dB";
    CString s;
    switch (m_nType) {
    case TYPE_PEAK:
        if (m_bGeqMode) {
            m_strLabel = gain;
        } else {
            s.Format("%dHz ", m_nFreq);
            m_strLabel = s + FormatQText() + "Q " + gain;
        }
        break;
    case TYPE_LOW_SHELF:
    case TYPE_HIGH_SHELF:
        s.Format("%s%dHz ", m_nType == TYPE_LOW_SHELF ? "Lo " : "Hi ", m_nFreq);
        m_strLabel = s + FormatShelfSlopeText() + " " + gain;
        break;
    case TYPE_HIGH_PASS:
    case TYPE_LOW_PASS:
        if (m_nSlope == kSlopeOff) {
            m_strLabel = LangText("OFF", "关闭");
        } else {
            s.Format("%dHz ", m_nFreq);
            m_strLabel = s;
        }
        break;
    default:
        break;
    }
    return m_strLabel;
}

void CFilter::UpdateResponse() {
    SectionSet set;
    switch (m_nType) {
    case TYPE_PEAK:
        if (!(m_bBypassAll || m_bBypass))
            PeakSections(set, m_nFreq, m_dGain, m_dBandwidth);
        break;
    case TYPE_LOW_SHELF:
    case TYPE_HIGH_SHELF:
        if (!(m_bBypassAll || m_bBypass))
            ShelfSections(set, m_nType, m_nSlope, m_nFreq, m_dGain);
        break;
    case TYPE_HIGH_PASS:
        if (m_nFreq != 20 && m_nSlope != kSlopeOff)
            HighPassSections(set, m_nFamily, m_nSlope, m_nFreq);
        break;
    case TYPE_LOW_PASS:
        if (m_nFreq != 20000 && m_nSlope != kSlopeOff)
            LowPassSections(set, m_nFamily, m_nSlope, m_nFreq);
        break;
    default:
        m_bHasSections = false;
        m_bCurveStale = true;
        return;
    }
    m_nSections = set.Count();
    std::copy(set.Sections(), set.Sections() + m_nSections, m_sections);
    m_bHasSections = true;
    m_bResponseStale = true;
    m_bCurveStale = true;
}

const double* CFilter::Response() const {
    if (m_bResponseStale) {
        SectionSet set;
        for (int k = 0; k < m_nSections; ++k) {
            const Section& q = m_sections[k];
            set.AddFolded(q);
        }
        set.Evaluate(m_dResponse);
        m_bResponseStale = false;
    }
    return m_dResponse;
}

const CPoint* CFilter::Curve() const {
    if (m_bCurveStale) {
        CurveYs(Response(), m_nPlotHeight, m_ptCurve + 1);
        m_bCurveStale = false;
    }
    return m_ptCurve;
}

void CFilter::SumResponses(const CFilter* const* filters, int count, double* sum) {
    // Every section of a channel fits: at most four per filter.
    constexpr int kMaxSections = 256;
    Section sections[kMaxSections];
    int n = 0;
    bool product = true;
    for (int k = 0; k < count && product; ++k) {
        const CFilter* f = filters[k];
        if (!f->m_bHasSections)
            continue;
        if (n + f->m_nSections > kMaxSections)
            product = false;
        else
            n = static_cast<int>(std::copy(f->m_sections, f->m_sections + f->m_nSections, sections + n) -
                                 sections);
    }
    if (product && n > 0)
        product = EvaluateProduct(sections, n, sum);
    else if (product)
        std::fill(sum, sum + kGridSize, 0.0);
    if (product) {
        // A filter without sections adds its stored response.
        for (int k = 0; k < count; ++k)
            if (!filters[k]->m_bHasSections) {
                const double* r = filters[k]->Response();
                for (int i = 0; i < kGridSize; ++i)
                    sum[i] += r[i];
            }
        return;
    }
    std::fill(sum, sum + kGridSize, 0.0);
    for (int k = 0; k < count; ++k) {
        const double* r = filters[k]->Response();
        for (int i = 0; i < kGridSize; ++i)
            sum[i] += r[i];
    }
}

void CFilter::SetGraphRect(const CRect& rect) {
    m_nPlotWidth = rect.Width();
    m_nPlotHeight = rect.Height();
    Relayout();
    const int zeroY = DbToY(0.0, m_nPlotHeight) + 10;
    const int decade = m_nPlotWidth / 3;
    const GridTables& g = Grid();
    m_ptCurve[0] = CPoint(40, zeroY);
    for (int i = 0; i < kGridSize; ++i)
        m_ptCurve[i + 1].x = static_cast<int>(g.log10Rel[i] * decade) + 40;
    m_ptCurve[kCurvePoints - 1] = CPoint(m_nPlotWidth + 40, zeroY);
    UpdateResponse();
}

void CFilter::LayoutBandHandle() {
    const int w = m_nPlotWidth;
    const int h = m_nPlotHeight;
    int x = FreqToAxisPos(m_nFreq, w) - 8;
    int y = DbToY(m_bBypassAll || m_bBypass ? 0.0 : m_dGain, h) - 8;
    if (x < -8)
        x = -8;
    if (y <= 0)
        y = 0;
    if (x <= 0 && m_nBandId >= 9)
        x = 0;
    // A box past the right or bottom edge is moved back inside, keeping its 16 x 16 size.
    if (x + 16 > w)
        x = w - 16;
    if (y + 16 > h)
        y = h - 16;
    m_rcHandle.SetRect(x + 40, y + 10, x + 56, y + 26);

    const CRect& hr = m_rcHandle;
    int left = hr.left;
    int right = hr.right;
    if (m_nType == TYPE_PEAK && m_bGeqMode) {
        if (hr.right + 20 > w + 40) {
            right = w + 40;
            left = right - 50;
        } else if (hr.left - 20 < 40) {
            left = 40;
            right = 86;
        } else {
            left = hr.left - 25;
            right = hr.right + 25;
        }
    } else if (m_nType == TYPE_PEAK) {
        if (hr.right + 80 > w + 40) {
            right = w + 40;
            left = right - 160;
        } else if (hr.left - 60 < 40) {
            left = 40;
            right = 176;
        } else {
            left = hr.left - 80;
            right = hr.right + 80;
        }
    } else {
        if (hr.right + 170 > w + 40) {
            right = w + 40;
            left = right - 180;
        } else {
            left = hr.left;
            right = hr.right + 170;
        }
    }
    // The other bands' handles sit on the 0 dB row: a boost's label goes above its handle, away
    // from that row and from its own width handles below it, where the plot leaves room.
    const bool boost = !(m_bBypassAll || m_bBypass) && m_dGain > 0.0;
    if (hr.bottom >= h - 15 || (boost && hr.top - 25 >= 10))
        m_rcLabel.SetRect(left, hr.top - 25, right, hr.bottom - 25);
    else
        m_rcLabel.SetRect(left, hr.top + 25, right, hr.bottom + 25);
    LayoutWidthHandles();
}

void CFilter::LayoutWidthHandles() {
    const CPoint c = m_rcHandle.CenterPoint();
    const int cy = c.y + (m_dGain >= 0.0 ? 10 : -10);
    const double half = std::pow(2.0, m_dBandwidth / 2.0);
    const int fu = TruncFreq(m_nFreq * half);
    const int xu = FreqToAxisPos(fu, m_nPlotWidth) + 50;
    m_rcHighWidth.SetRect(xu - 4, cy - 4, xu + 4, cy + 4);
    const int fl = TruncFreq(m_nFreq / half);
    const int xl = FreqToAxisPos(fl, m_nPlotWidth) + 30;
    m_rcLowWidth.SetRect(xl - 4, cy - 4, xl + 4, cy + 4);
}

void CFilter::LayoutXoverHandle() {
    const int w = m_nPlotWidth;
    int x = FreqToAxisPos(m_nFreq, w) - 8;
    const int top = DbToY(m_nType == TYPE_HIGH_PASS ? -7.0 : -10.0, m_nPlotHeight);
    if (x <= -8)
        x = -8;
    if (x + 16 > w + 8)
        x = w + 8 - 16;
    m_rcHandle.SetRect(x + 40, top + 10, x + 56, top + 26);
    const CRect& hr = m_rcHandle;
    int left = hr.left;
    int right = hr.right + 50;
    if (hr.right + 50 > w + 40) {
        right = w + 40;
        left = right - 66;
    }
    m_rcLabel.SetRect(left, hr.top - 15, right, hr.bottom + (m_nType == TYPE_HIGH_PASS ? 25 : 20));
}

void CFilter::BeginHandleDrag(CPoint point) {
    const CPoint c = m_rcHandle.CenterPoint();
    m_ptGrabOffset = CPoint(point.x - c.x, point.y - c.y);
    m_nDragX = point.x;
}

void CFilter::BeginWidthDrag(int x) {
    // The handle boxes sit on whole pixels; the fraction lost there is kept so that the edge
    // frequency the pointer holds is exactly the current one until the pointer moves.
    const double half = std::pow(2.0, m_dBandwidth / 2.0);
    if (m_bGrabLow) {
        m_nLowGrabOffset = x - m_rcLowWidth.right;
        m_dWidthGrabFraction = FreqToAxisPosReal(m_nFreq / half, m_nPlotWidth) - (m_rcLowWidth.right - 34);
    } else if (m_bGrabHigh) {
        m_nHighGrabOffset = x - m_rcHighWidth.left;
        m_dWidthGrabFraction = FreqToAxisPosReal(m_nFreq * half, m_nPlotWidth) - (m_rcHighWidth.left - 46);
    }
}

BOOL CFilter::DragHandle(CPoint point) {
    if (m_nType == TYPE_HIGH_PASS || m_nType == TYPE_LOW_PASS)
        return 0;
    const int w = m_nPlotWidth;
    const int h = m_nPlotHeight;
    int x = point.x - m_ptGrabOffset.x - 40;
    int y = point.y - m_ptGrabOffset.y - 10;
    x = x < 0 ? 0 : (x > w ? w : x);
    y = y < 0 ? 0 : (y > h ? h : y);
    const int oldFreq = m_nFreq;
    const int oldPos = GetGainPos();
    // The axis has one frequency per pixel column: read back from the column, a frequency between
    // two columns would move on a step that went only up or down.
    if (!m_bGeqMode && point.x != m_nDragX)
        m_nFreq = AxisPosToFreq(x, w);
    m_nDragX = point.x;
    m_dGain = YToDb(y, h);
    if (m_dGain == 0.0) {
        m_bBypass = 1;
    } else {
        m_bBypass = 0;
        m_bBypassAll = 0;
    }
    const BOOL changed = m_nFreq != oldFreq || GetGainPos() != oldPos || y == 0;
    if (changed)
        SetFreq(m_nFreq, TRUE);
    if ((m_nType == TYPE_LOW_SHELF && m_nFreq > kShelfSplitHz) ||
        (m_nType == TYPE_HIGH_SHELF && m_nFreq < kShelfSplitHz))
        SetFreq(kShelfSplitHz, TRUE);
    const int pos = GetGainPos();
    m_dGain = PosToGain(pos);
    if (m_pSlider)
        m_pSlider->SetPos(pos);
    LayoutBandHandle();
    UpdateResponse();
    return changed;
}

BOOL CFilter::DragWidthHandle(int x) {
    double edge;
    if (m_bGrabLow)
        edge = x - m_nLowGrabOffset - 34 + m_dWidthGrabFraction;
    else if (m_bGrabHigh)
        edge = x - m_nHighGrabOffset - 46 + m_dWidthGrabFraction;
    else
        return 1;
    const int decade = m_nPlotWidth / 3;
    double f = decade > 0 ? 20.0 * std::pow(10.0, edge / decade) : 20.0;
    f = f < 20.0 ? 20.0 : (f > 20000.0 ? 20000.0 : f);
    const double centre = MathFreq(m_nFreq);
    double bw = m_bGrabLow ? 2.0 * std::log2(centre / f) : 2.0 * std::log2(f / centre);
    if (!(bw <= 3.0))
        bw = bw > 3.0 ? 3.0 : 0.05;
    if (bw < 0.05)
        bw = 0.05;
    SetBandwidthPos(BandwidthToPos(bw));
    return 1;
}

BOOL CFilter::DragXoverHandle(CPoint point, int partnerHz) {
    const int mode = m_nRangeMode;
    int x = point.x - m_ptGrabOffset.x - 40;
    const bool isHp = m_nType == TYPE_HIGH_PASS;
    const bool isLp = m_nType == TYPE_LOW_PASS;
    if (mode != 10 && mode != 11 && x <= 0 && isHp) {
        SetFreq(20, TRUE);
        LayoutXoverHandle();
        return 1;
    }
    x = x < 0 ? 0 : (x > m_nPlotWidth ? m_nPlotWidth : x);
    int f = AxisPosToFreq(x, m_nPlotWidth);
    if (mode == 11)
        f = f < 1000 ? 1000 : f;
    if (f == m_nFreq)
        return 0;
    if (isHp) {
        if (mode == 11 && f == 20000)
            SetFreq(20000, TRUE);
        else
            SetFreq(f < partnerHz ? f : partnerHz, TRUE);
        return 1;
    }
    if (isLp) {
        SetFreq(f > partnerHz ? f : partnerHz, TRUE);
        return 1;
    }
    return 0;
}

void CFilter::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_nType << m_nFreq << m_nSentFreq.load() << m_dGain << m_bBypassAll << m_bBypass << m_dBandwidth
           << m_nFamily << m_nSlope << m_nBandId;
    } else {
        int sent = 0;
        ar >> m_nType >> m_nFreq >> sent >> m_dGain >> m_bBypassAll >> m_bBypass >> m_dBandwidth >>
            m_nFamily >> m_nSlope >> m_nBandId;
        m_nSentFreq.store(sent);
    }
    Relayout();
    UpdateResponse();
}
