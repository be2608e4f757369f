// Filter responses against the section formulas evaluated here on their own, with complex
// arithmetic instead of the filter's folded trigonometry.
#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr double kCornerFactor = 6.544985e-05;

struct Coef {
    double b0, b1, b2, a0, a1, a2;
};

double GridAngle(int i) {
    return 6.2831852 * g_eqFreqGrid[i] / 96000.0;
}

std::vector<double> Evaluate(const std::vector<Coef>& sections) {
    std::vector<double> db(kGridSize, 0.0);
    for (int i = 0; i < kGridSize; ++i) {
        const std::complex<double> z1 = std::polar(1.0, -GridAngle(i));
        const std::complex<double> z2 = z1 * z1;
        for (const Coef& c : sections)
            db[i] +=
                20.0 * std::log10(std::abs((c.b0 + c.b1 * z1 + c.b2 * z2) / (c.a0 + c.a1 * z1 + c.a2 * z2)));
    }
    return db;
}

std::vector<Coef> PeakRef(double fc, double gain, double bw) {
    const double a = std::pow(10.0, gain / 40.0);
    const double w0 = fc * kCornerFactor;
    const double alpha = std::sin(w0) * std::sinh(0.34657359 * bw * w0 / std::sin(w0));
    return {
        {1 + alpha * a, -2 * std::cos(w0), 1 - alpha * a, 1 + alpha / a, -2 * std::cos(w0), 1 - alpha / a}};
}

std::vector<Coef> ShelfRef(bool low, int slope, double f, double gain) {
    const double scale[2][2] = {{2.0, 1.2727272727}, {0.4545454546, 0.76923076923}};
    const double s = slope == 0 ? 0.5 : 1.3;
    const double w0 = f * kCornerFactor * scale[low ? 0 : 1][slope];
    const double a = std::pow(10.0, gain / 40.0);
    const double c = std::cos(w0);
    const double alpha = std::sin(w0) / 2 * std::sqrt((a + 1 / a) * (1 / s - 1) + 2);
    const double b = 2 * std::sqrt(a) * alpha;
    if (low)
        return {{a * ((a + 1) - (a - 1) * c + b), 2 * a * ((a - 1) - (a + 1) * c),
                 a * ((a + 1) - (a - 1) * c - b), (a + 1) + (a - 1) * c + b, -2 * ((a - 1) + (a + 1) * c),
                 (a + 1) + (a - 1) * c - b}};
    return {{a * ((a + 1) + (a - 1) * c + b), -2 * a * ((a - 1) + (a + 1) * c),
             a * ((a + 1) + (a - 1) * c - b), (a + 1) - (a - 1) * c + b, 2 * ((a - 1) - (a + 1) * c),
             (a + 1) - (a - 1) * c - b}};
}

const double kLR[8][4] = {{1.0, 0, 0, 0},
                          {1.0, 0, 0, 0},
                          {1.0, 0.70422535211, 0, 0},
                          {0.70422535211, 0.70422535211, 0, 0},
                          {1.0, 0.62, 0.62, 0},
                          {1.0, 0.5, 0.5, 0},
                          {1.0, 0.453134315, 0.92592592593, 0.453134315},
                          {0.92592592593, 0.373134315, 0.92592592593, 0.373134315}};
const double kBW[8][4] = {{0.70422535, 0, 0, 0},
                          {0.70422535, 0, 0, 0},
                          {1.0, 0.5, 0, 0},
                          {0.92592593, 0.38167939, 0, 0},
                          {1.0, 0.8064616129, 0.3086417953, 0},
                          {0.96153846, 0.70422535211, 0.2590673575, 0},
                          {1.0, 0.90909090909, 0.625, 0.2222222222},
                          {0.98039216, 0.83333333, 0.55555556, 0.1953125}};
const double kBesselHpDiv[8] = {1.2683112435, 1.2683112435, 1.2854981442, 1.5006420029,
                                1.3854981442, 1.5554981442, 1.5554981442, 1.679120141};
const double kBesselHp[8][4] = {{0.70422535, 0, 0, 0},
                                {0.70422535, 0, 0, 0},
                                {0.756, 0.72463768, 0, 0},
                                {0.96153846, 0.61728395, 0, 0},
                                {0.6656, 0.8928571428, 0.54347826, 0},
                                {0.980392156, 0.819672131, 0.490196, 0},
                                {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
                                {0.98039216, 0.89285714, 0.70422535, 0.40650406}};
const double kBesselLpDiv[8] = {1.3616541287, 1.3616541287, 1.75567236868, 2.1139176749,
                                1.0,          1.0,          1.0,           3.17961723751};
const double kBesselLpP[8][4] = {{1.0, 0, 0, 0},
                                 {1.0, 0, 0, 0},
                                 {0.5693712514, 0.430628846, 0, 0},
                                 {0.369, 0.6278294896, 0, 0},
                                 {0.6656, 1.1402, 0.6216, 0},
                                 {1.2217, 0.9686, 0.5131, 0},
                                 {0.5937, 1.0944, 0.8304, 0.4332},
                                 {0.117235677, 0.226516664, 0.3067559, 0.3494916166}};
const double kBesselLpQ[8][4] = {
    {0.3333333333, 0, 0, 0},     {0.3333333333, 0, 0, 0},
    {0.154812441, 0, 0, 0},      {0.087858766, 0.109408, 0, 0},
    {0, 0.4128, 0.3245, 0},      {0.3887, 0.3505, 0.2756, 0},
    {0, 0.3395, 0.3011, 0.2381}, {0.02064747, 0.0259273886, 0.0294683265, 0.031272257}};

std::vector<Coef> CrossoverRef(bool highPass, int family, int slope, double freq) {
    std::vector<Coef> out;
    const bool odd = slope % 2 == 0;
    if (!highPass && family == 1) {
        const double k = std::tan(freq / kBesselLpDiv[slope] * kCornerFactor / 2);
        for (int s = 0; s < 4; ++s) {
            const double p = kBesselLpP[slope][s], q = kBesselLpQ[slope][s];
            if (p != 0)
                out.push_back(
                    {k * k, 2 * k * k, k * k, k * k + p * k + q, 2 * k * k - 2 * q, k * k - p * k + q});
        }
        return out;
    }
    const double* d = family == 0 ? kLR[slope] : family == 2 ? kBW[slope] : kBesselHp[slope];
    const double f = highPass && family == 1 ? freq / kBesselHpDiv[slope] : freq;
    const double w0 = f * kCornerFactor, cs = std::cos(w0), sn = std::sin(w0), k = std::tan(w0 / 2);
    for (int s = 0; s < 4; ++s) {
        if (d[s] == 0)
            continue;
        if (s == 0 && odd)
            out.push_back(highPass ? Coef{1, -1, 0, d[0] * k + 1, d[0] * k - 1, 0}
                                   : Coef{k, k, 0, k + d[0], k - d[0], 0});
        else if (highPass)
            out.push_back({(1 + cs) / 2, -(1 + cs), (1 + cs) / 2, 1 + sn * d[s], -2 * cs, 1 - sn * d[s]});
        else
            out.push_back({(1 - cs) / 2, 1 - cs, (1 - cs) / 2, 1 + sn * d[s], -2 * cs, 1 - sn * d[s]});
    }
    return out;
}

void ExpectCurve(const CFilter& f, const std::vector<double>& ref, double tol = 1e-6) {
    for (int i = 0; i < kGridSize; ++i)
        ASSERT_NEAR(f.Response()[i], ref[i], tol) << "grid point " << i;
}

void MakeCrossover(CFilter& f, int type, int family, int slope, int hz) {
    f.SetEqBand(0);
    f.SetType(type);
    f.SetSlope(slope, FALSE); // before the family, so a Bessel row 0 stays Bessel
    f.SetFamily(family, FALSE);
    f.SetFreq(hz, FALSE);
}

TEST(FilterResponse, PeakBand) {
    CFilter f;
    f.SetGainPos(320);
    ExpectCurve(f, Evaluate(PeakRef(1000, 12, 0.19)));
    EXPECT_NEAR(f.Response()[136], 12.0, 0.05);
    EXPECT_NEAR(f.Response()[112], 0.0, 0.5); // an octave below a narrow band

    f.SetFreq(1010, FALSE); // centred on the nearest grid point
    ExpectCurve(f, Evaluate(PeakRef(1000, 12, 0.19)));
    f.SetBandwidthPos(295);
    f.SetGainPos(90);
    ExpectCurve(f, Evaluate(PeakRef(1000, -11, 3.0)));
}

TEST(FilterResponse, Shelves) {
    const struct {
        int shape;
        int hz;
        int gainPos;
    } cases[] = {{1, 100, 140}, {2, 100, 320}, {3, 5000, 260}, {4, 8000, 80}};
    for (const auto& c : cases) {
        CFilter f;
        f.SetShapeCode(c.shape);
        f.SetFreq(c.hz, FALSE);
        f.SetGainPos(c.gainPos);
        SCOPED_TRACE(c.shape);
        ExpectCurve(f, Evaluate(ShelfRef(c.shape <= 2, (c.shape - 1) % 2, c.hz, PosToGain(c.gainPos))));
    }
}

TEST(FilterResponse, EveryCrossoverFamilyAndSlope) {
    for (int type : {3, 4})
        for (int family = 0; family < 3; ++family)
            for (int slope = 0; slope < 8; ++slope) {
                CFilter f;
                MakeCrossover(f, type, family, slope, 1000);
                SCOPED_TRACE(testing::Message()
                             << "type " << type << " family " << family << " slope " << slope);
                ExpectCurve(f, Evaluate(CrossoverRef(type == 3, family, slope, 1000)));
            }
}

TEST(FilterResponse, CornerValues) {
    const struct {
        int type, family, slope;
        double atCorner;
    } cases[] = {// second-order Butterworth at its corner: |H| = Q = 1 / (2 x 0.70422535)
                 {3, 0, 1, -6.02}, {4, 0, 1, -6.02}, {3, 0, 3, -5.95},  {4, 0, 3, -5.95},
                 {3, 0, 0, -3.01}, {4, 0, 0, -3.01}, {3, 2, 1, -2.975}, {4, 2, 1, -2.975}};
    for (const auto& c : cases) {
        CFilter f;
        MakeCrossover(f, c.type, c.family, c.slope, 1000);
        EXPECT_NEAR(f.Response()[136], c.atCorner, 0.02) << c.type << " " << c.family << " " << c.slope;
    }
    // Second-order Linkwitz-Riley an octave away: (1/2)^2 / (1 + (1/2)^2) in magnitude.
    CFilter hp;
    MakeCrossover(hp, 3, 0, 1, 1000);
    EXPECT_NEAR(hp.Response()[112], 20 * std::log10(0.2), 0.1);
    EXPECT_NEAR(hp.Response()[240], 0.0, 0.02);

    CFilter lp0, lp1;
    MakeCrossover(lp0, 4, 1, 0, 2000);
    MakeCrossover(lp1, 4, 1, 1, 2000);
    for (int i = 0; i < kGridSize; ++i)
        ASSERT_EQ(lp0.Response()[i], lp1.Response()[i]);
}

TEST(FilterResponse, FlatCases) {
    auto expectFlat = [](const CFilter& f, const char* what) {
        for (int i = 0; i < kGridSize; ++i)
            ASSERT_EQ(f.Response()[i], 0.0) << what << " at " << i;
    };
    CFilter bypassed;
    bypassed.SetGainPos(300);
    bypassed.SetBypass(TRUE);
    expectFlat(bypassed, "bypassed peak");

    CFilter shelf;
    shelf.SetShapeCode(1);
    shelf.SetGainPos(250);
    shelf.SetGain(0.0); // bypass flag stays clear
    expectFlat(shelf, "zero-gain shelf");

    CFilter hp, lp, off;
    MakeCrossover(hp, 3, 0, 3, 20);
    expectFlat(hp, "high-pass at 20 Hz");
    MakeCrossover(lp, 4, 2, 7, 20000);
    expectFlat(lp, "low-pass at 20 kHz");
    MakeCrossover(off, 3, 1, 8, 1000);
    expectFlat(off, "slope off");
}

TEST(FilterResponse, LoadedNonsenseStaysFinite) {
    std::vector<CFilter*> filters;
    auto crossover = [&](int type, int family, int slope, int hz) {
        auto* f = new CFilter;
        MakeCrossover(*f, type, family, slope, hz);
        filters.push_back(f);
    };
    crossover(4, 1, 4, 0); // Bessel low-pass at 0 Hz: a0 would be 0
    crossover(4, 1, 6, -300);
    crossover(3, 0, 7, 0);
    crossover(3, 7, 3, 1000);   // unknown family
    crossover(4, 0, 200, 1000); // unknown slope
    auto band = [&](int shape, int gainPos, int bwPos, int hz) {
        auto* f = new CFilter;
        f->SetShapeCode(shape);
        f->SetFreq(hz, FALSE);
        f->SetBandwidthPos(bwPos);
        f->SetGainPos(gainPos);
        filters.push_back(f);
    };
    band(2, 600, 14, 1000);     // 12 dB/Oct shelf at +40 dB: square root of a negative number
    band(4, -30000, 14, 30000); // huge cut
    band(0, 32000, 30000, 0);   // huge gain and bandwidth at 0 Hz
    band(0, 250, -500, 1000);   // negative bandwidth
    for (CFilter* f : filters) {
        for (int i = 0; i < kGridSize; ++i) {
            ASSERT_TRUE(std::isfinite(f->Response()[i])) << i;
            ASSERT_LE(std::fabs(f->Response()[i]), 800.0) << i;
        }
        f->FormatQText();
        f->FormatSlopeText();
        delete f;
    }
    CFilter shelf;
    shelf.SetShapeCode(2);
    shelf.SetGainPos(230);
    EXPECT_NE(shelf.Response()[0], 0.0);
}

} // namespace

// The curve's pixels are the response rounded as DbToY does, for every grid point, down to the
// clamp: a tall plot pushes the stop band of a steep high-pass beyond the int range.
TEST(FilterResponse, CurvePointsAreTheRoundedResponse) {
    for (int height : {240, 7, 1000000000}) {
        CFilter f;
        f.SetType(BAND_HIGH_PASS);
        f.SetFamily(2, FALSE);
        f.SetSlope(7, FALSE);
        f.SetFreq(1000, FALSE);
        f.SetGraphRect(CRect(0, 0, 600, height));
        int clamped = 0;
        for (int i = 0; i < kGridSize; ++i) {
            ASSERT_EQ(f.Curve()[i + 1].y, DbToY(f.Response()[i], height) + 10) << height << " @" << i;
            clamped += f.Curve()[i + 1].y == 2000000000 + 10;
        }
        EXPECT_EQ(clamped > 0, height == 1000000000) << height;
    }
}
