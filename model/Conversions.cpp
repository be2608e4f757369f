#include "model/Conversions.h"

#include "model/Globals.h"
#include "platform/core/Encoding.h"

#include <atomic>
#include <charconv>
#include <limits>
#include <mutex>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

const double g_qTable[kQTableSize] = {
    28.852, 24.043, 20.608, 18.031, 16.027, 14.424, 13.112, 12.019, 11.094, 10.301, 9.614, 9.012, 8.482,
    8.010,  7.588,  7.208,  6.864,  6.551,  6.266,  6.004,  5.764,  5.541,  5.336,  5.144, 4.966, 4.800,
    4.645,  4.499,  4.362,  4.233,  4.112,  3.997,  3.889,  3.786,  3.688,  3.595,  3.507, 3.423, 3.343,
    3.266,  3.193,  3.123,  3.056,  2.992,  2.930,  2.871,  2.814,  2.759,  2.707,  2.656, 2.607, 2.560,
    2.515,  2.471,  2.428,  2.387,  2.348,  2.309,  2.272,  2.236,  2.201,  2.167,  2.134, 2.102, 2.071,
    2.041,  2.012,  1.983,  1.955,  1.928,  1.902,  1.877,  1.852,  1.827,  1.804,  1.780, 1.758, 1.736,
    1.714,  1.693,  1.673,  1.653,  1.633,  1.614,  1.596,  1.577,  1.559,  1.542,  1.525, 1.508, 1.492,
    1.475,  1.460,  1.444,  1.429,  1.414,  1.400,  1.385,  1.371,  1.358,  1.344,  1.331, 1.318, 1.305,
    1.293,  1.280,  1.268,  1.256,  1.245,  1.233,  1.222,  1.211,  1.200,  1.189,  1.179, 1.168, 1.158,
    1.148,  1.138,  1.128,  1.119,  1.109,  1.100,  1.091,  1.082,  1.073,  1.064,  1.056, 1.047, 1.039,
    1.031,  1.023,  1.015,  1.007,  0.999,  0.991,  0.984,  0.976,  0.969,  0.961,  0.954, 0.947, 0.940,
    0.933,  0.927,  0.920,  0.913,  0.907,  0.900,  0.894,  0.887,  0.881,  0.875,  0.869, 0.863, 0.857,
    0.851,  0.845,  0.840,  0.834,  0.828,  0.823,  0.817,  0.812,  0.807,  0.801,  0.796, 0.791, 0.786,
    0.781,  0.776,  0.771,  0.766,  0.761,  0.757,  0.752,  0.747,  0.742,  0.738,  0.733, 0.729, 0.724,
    0.720,  0.716,  0.711,  0.707,  0.703,  0.699,  0.695,  0.690,  0.686,  0.682,  0.678, 0.674, 0.671,
    0.667,  0.663,  0.659,  0.655,  0.652,  0.648,  0.644,  0.641,  0.637,  0.633,  0.630, 0.626, 0.623,
    0.620,  0.616,  0.613,  0.609,  0.606,  0.603,  0.600,  0.596,  0.593,  0.590,  0.587, 0.584, 0.581,
    0.577,  0.574,  0.571,  0.568,  0.565,  0.563,  0.560,  0.557,  0.554,  0.551,  0.548, 0.545, 0.543,
    0.540,  0.537,  0.534,  0.532,  0.529,  0.526,  0.524,  0.521,  0.518,  0.516,  0.513, 0.511, 0.508,
    0.506,  0.503,  0.501,  0.498,  0.496,  0.493,  0.491,  0.489,  0.486,  0.484,  0.482, 0.479, 0.477,
    0.475,  0.473,  0.470,  0.468,  0.466,  0.464,  0.461,  0.459,  0.457,  0.455,  0.453, 0.451, 0.449,
    0.447,  0.445,  0.442,  0.440,  0.438,  0.436,  0.434,  0.432,  0.430,  0.428,  0.427, 0.425, 0.423,
    0.421,  0.419,  0.417,  0.415,  0.413,  0.411,  0.410,  0.408,  0.406,  0.404,
};

const double g_eqFreqGrid[kGridSize] = {
    19.7,  20.3,  20.9,  21.5,  22.1,  22.7,  23.4,  24.1,  24.8,  25.5,  26.3,  27,    27.8,  28.7,  29.5,
    30.4,  31.3,  32.2,  33.1,  34.1,  35.1,  36.1,  37.2,  38.3,  39.4,  40.5,  41.7,  42.9,  44.2,  45.5,
    46.8,  48.2,  49.6,  51.1,  52.6,  54.1,  55.7,  57.3,  59,    60.7,  62.5,  64.3,  66.2,  68.2,  70.2,
    72.2,  74.3,  76.5,  78.7,  81.1,  83.4,  85.9,  88.4,  91,    93.6,  96.4,  99.2,  102,   105,   108,
    111,   115,   118,   121,   125,   129,   132,   136,   140,   144,   149,   153,   158,   162,   167,
    172,   179,   182,   187,   193,   198,   204,   210,   216,   223,   229,   236,   243,   250,   257,
    265,   273,   281,   289,   297,   306,   315,   324,   334,   344,   354,   364,   375,   386,   397,
    409,   420,   433,   445,   459,   472,   486,   500,   515,   530,   545,   561,   578,   595,   612,
    630,   648,   667,   687,   707,   728,   749,   771,   794,   817,   841,   866,   891,   917,   944,
    972,   1000,  1030,  1060,  1090,  1123,  1155,  1190,  1224,  1260,  1297,  1335,  1374,  1414,  1456,
    1498,  1542,  1587,  1634,  1682,  1731,  1782,  1834,  1888,  1943,  2000,  2059,  2119,  2181,  2245,
    2311,  2378,  2448,  2520,  2594,  2670,  2748,  2828,  2911,  2997,  3084,  3175,  3268,  3364,  3462,
    3564,  3668,  3776,  3886,  4000,  4117,  4238,  4362,  4490,  4621,  4757,  4896,  5000,  5187,  5339,
    5496,  5657,  5823,  5993,  6169,  6350,  6536,  6727,  6924,  7127,  7336,  7551,  7772,  8000,  8234,
    8476,  8724,  8980,  9243,  9514,  9792,  10079, 10374, 10679, 10992, 11314, 11645, 11987, 12338, 12699,
    13071, 13454, 13849, 14254, 14672, 15102, 15545, 16000, 16469, 16951, 17448, 17959, 18486, 19027, 19585,
    20000,
};

const char* const g_strOutLabel[8] = {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};
const char* const g_strGEQFreq[15] = {"25",   "40",   "63",   "100",  "160",  "250",   "400",  "630",
                                      "1000", "1600", "2500", "4000", "6300", "10000", "16000"};

namespace {

std::atomic<ModelErrorHook> s_errorHook{nullptr};

constexpr double kSoundSpeed = 331.0 + 0.6 * 25;     // shown distances
constexpr double kSoundSpeedInch = 331.4 + 0.6 * 25; // inch input and the 20 ms code
constexpr double kInchPerMetre = 3.2808 * 12;
constexpr int kTwentyMsCode = 960;

double ClampToInt(double v) {
    if (std::isnan(v))
        return 0.0;
    if (v > 2.0e9)
        return 2.0e9;
    if (v < -2.0e9)
        return -2.0e9;
    return v;
}

double DelayMs(long long n) {
    return n == kTwentyMsCode ? 20.0 : static_cast<double>(n) / 48.0;
}

// Whole centimetres of a code as the delay field shows them.
long long DistanceCm(long long n) {
    // speed / 1000 x ms x 100, ordered so that exact halves (code 120: 86.5 cm) stay exact.
    double cm = n == kTwentyMsCode ? kSoundSpeed * 2.0 : kSoundSpeed * static_cast<double>(n) / 480.0;
    return std::llround(cm);
}

long long DistanceInch(long long n) {
    double speed = n == kTwentyMsCode ? kSoundSpeedInch : kSoundSpeed;
    return std::llround(speed / 1000.0 * DelayMs(n) * kInchPerMetre);
}

int MsToCode(double ms) {
    if (ms >= 20.0)
        return kMaxDelayCode;
    return static_cast<int>(ClampToInt(ms * 48.0 + 0.5));
}

int ClampDelay(long long code) {
    return static_cast<int>(code < 0 ? 0 : (code > kMaxDelayCode ? kMaxDelayCode : code));
}

// Search of both delay steppers: moves n by step until the shown distance differs by one whole
// unit in the step's direction or a limit code is reached (the limit itself is evaluated).
template <typename Distance> long long SearchDelay(int code, int step, Distance distance, bool* atLimit) {
    const long long d0 = distance(code);
    long long n = static_cast<long long>(code) + step;
    *atLimit = false;
    for (;;) {
        const long long d = distance(n);
        if (step > 0 ? d - d0 >= 1 : d - d0 <= -1)
            return n;
        n += step;
        if (n >= kMaxDelayCode) {
            *atLimit = true;
            return kMaxDelayCode;
        }
        if (n < 0) {
            *atLimit = true;
            return 0;
        }
    }
}

bool FitsOrReport(bool fits) {
    if (!fits)
        ReportModelError("Char len error!", "字符长度错误!");
    return fits;
}

CString Trimmed(CString s) {
    s.Trim();
    return s;
}

} // namespace

CString FormatFixed(double v, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > 6)
        decimals = 6;
    if (!std::isfinite(v))
        v = 0.0;
    double scale = std::pow(10.0, decimals);
    double scaled = v * scale;
    // A decimal half stored a hair below .5 (2.675 -> 267.4999...) still rounds away from zero.
    scaled += std::copysign(1e-9 * std::fmax(1.0, std::fabs(scaled)), scaled);
    long long k = std::llround(std::fmax(-9.0e15, std::fmin(9.0e15, scaled)));
    CString out;
    long long p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    unsigned long long a = static_cast<unsigned long long>(k < 0 ? -k : k);
    if (decimals == 0)
        out.Format("%s%llu", k < 0 ? "-" : "", a);
    else
        out.Format("%s%llu.%0*llu", k < 0 ? "-" : "", a / p, decimals, a % p);
    return out;
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Power of ten of the leading digit of a decimal number text (digits, point, exponent), e.g. 2 for
// "123.4" and -3 for "0.00123e0"; it tells an overflowing number from an underflowing one.
long long DecimalMagnitude(const char* p, const char* end) {
    long long intDigits = 0, zerosAfterPoint = 0;
    bool point = false, seenDigit = false;
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            point = true;
        } else if (!seenDigit && *p == '0') {
            if (point)
                ++zerosAfterPoint;
        } else {
            seenDigit = true;
            if (!point)
                ++intDigits;
        }
    }
    long long exponent = 0;
    if (p < end) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-'))
            negative = *p++ == '-';
        for (; p < end && *p >= '0' && *p <= '9'; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1LL << 40);
        if (negative)
            exponent = -exponent;
    }
    return (intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1)) + exponent;
}

// Moves p past leading blanks and one sign; true for a minus.
bool SkipBlanksAndSign(const char*& p, const char* end) {
    while (p < end && IsBlank(*p))
        ++p;
    if (p < end && (*p == '+' || *p == '-'))
        return *p++ == '-';
    return false;
}

} // namespace

double ParseLeadingNumber(const CString& text) {
    const char* p = text.GetString();
    const char* end = p + text.GetLength();
    const bool negative = SkipBlanksAndSign(p, end);
    if (p >= end || *p == '-' || *p == '+')
        return 0.0;
    double v = 0.0;
    auto r = std::from_chars(p, end, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large reads as infinity, too small as 0 (the caller's limits take over).
        v = DecimalMagnitude(p, r.ptr) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (r.ec != std::errc()) {
        return 0.0;
    }
    if (std::isnan(v))
        return 0.0;
    return negative ? -v : v;
}

int ParseLeadingInt(const CString& text) {
    const char* p = text.GetString();
    const char* end = p + text.GetLength();
    const bool negative = SkipBlanksAndSign(p, end);
    long long v = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > 1LL << 32)
            v = 1LL << 32;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

void SetModelErrorHook(ModelErrorHook hook) {
    s_errorHook.store(hook);
}

void ReportModelError(const char* textEn, const char* textCn) {
    if (ModelErrorHook hook = s_errorHook.load())
        hook(textEn, textCn);
}

int QToBandwidthIndex(double q) {
    for (int i = 0; i < kQTableSize - 1; ++i) {
        if (q >= g_qTable[i])
            return i;
    }
    return kQTableSize - 1;
}

double BandwidthIndexToQ(int index) {
    if (index < 0)
        index = 0;
    if (index >= kQTableSize)
        index = kQTableSize - 1;
    return g_qTable[index];
}

int GainToPos(double db) {
    return RoundHalfAway((db + 20.0) * 10.0);
}

double PosToGain(int pos) {
    return pos * 0.1 - 20.0;
}

int BandwidthToPos(double octaves) {
    double v = ClampToInt((octaves - 0.05) / 0.01);
    // +0.05 absorbs the binary error of the 0.01 steps; mirrored for negative values.
    return v >= 0 ? static_cast<int>(v + 0.05) : -static_cast<int>(-v + 0.05);
}

double PosToBandwidth(int pos) {
    return pos * 0.01 + 0.05;
}

double YToDb(int y, int h) {
    if (h <= 0)
        return 0.0;
    double g = 12.0 - y * 24.0 / h;
    return g > 12.0 ? 12.0 : (g < -12.0 ? -12.0 : g);
}

double FreqToAxisPosReal(double f, int w) {
    if (!(f > 0.0))
        f = g_eqFreqGrid[0];
    return std::log10(f / 20.0) * (w / 3);
}

int FreqToAxisPos(double f, int w) {
    return static_cast<int>(ClampToInt(FreqToAxisPosReal(f, w)));
}

int AxisPosToFreq(int x, int w) {
    const int decade = w / 3;
    if (decade <= 0)
        return 20;
    double f = 20.0 * std::pow(10.0, static_cast<double>(x) / decade);
    if (!(f >= 20.0))
        return 20;
    if (f > 20000.0)
        return 20000;
    return static_cast<int>(f);
}

int FreqToGridIndex(double f) {
    if (std::isnan(f))
        return 0;
    // The first grid point at or above f (the grid rises), or its lower neighbour when nearer.
    const double* p = std::lower_bound(g_eqFreqGrid, g_eqFreqGrid + kGridSize, f);
    const int i = static_cast<int>(p - g_eqFreqGrid);
    if (i == kGridSize)
        return kGridSize - 1;
    if (i == 0)
        return 0;
    return f - g_eqFreqGrid[i - 1] < *p - f ? i - 1 : i;
}

int StepDelayCm(int code, int step) {
    if (step == 0 || (step > 0 && code == kTwentyMsCode) || (step < 0 && code == 0))
        return code;
    bool atLimit = false;
    long long n = SearchDelay(code, step, DistanceCm, &atLimit);
    return ClampDelay(MsToCode(DelayMs(n)));
}

int StepDelayInch(int code, int step) {
    if (step == 0 || (step > 0 && code == kTwentyMsCode) || (step < 0 && code == 0))
        return code;
    bool atLimit = false;
    long long n = SearchDelay(code, step, DistanceInch, &atLimit);
    if (n > 0 && n < kMaxDelayCode) {
        double ms = (static_cast<double>(DistanceInch(n)) / 39.3696) * 1000.0 / kSoundSpeedInch;
        return ClampDelay(MsToCode(ms));
    }
    return ClampDelay(n);
}

int SnapRatioCode(int v) {
    if (v > 11 && (v - 1) % 10 != 0 && (v - 1) % 10 != 5)
        v = v / 10 * 10 + 6;
    return v > 191 ? 191 : v;
}

int SnapRatioCode2(int v) {
    return SnapRatioCode(v);
}

CString FormatDelayCode(int code) {
    double ms = code <= 476 ? code * 0.021 : static_cast<double>(code) - 466.0;
    return FormatFixed(ms, ms < 10.0 ? 3 : 1) + "ms";
}

CString FieldToString(const void* field, int width) {
    if (!field || width <= 1)
        return CString();
    return Trimmed(ReadGbkField(field, width - 1));
}

CString FieldToStringN(const void* field, int n) {
    if (!field || n <= 0)
        return CString();
    return Trimmed(ReadGbkField(field, n));
}

BOOL StringToField(void* field, int width, const CString& text) {
    if (!field || width <= 0)
        return FALSE;
    return FitsOrReport(WriteGbkField(field, width, text, FieldOverflow::Refuse, width - 1, '\0'));
}

BOOL CopyToField(void* field, const CString& text, int width) {
    return StringToField(field, width, text);
}

BOOL StringToPaddedField(void* field, int width, const CString& text, BOOL padSpaces) {
    if (!field || width <= 0)
        return FALSE;
    return FitsOrReport(
        WriteGbkField(field, width, text, FieldOverflow::Refuse, width, padSpaces ? ' ' : '\0'));
}

BOOL IsBlankString(const CString& text) {
    return Trimmed(text).IsEmpty() ? TRUE : FALSE;
}

BOOL IsPresetNameUsed(int ownIndex, const void* name, BOOL userPresets, int length) {
    if (!name)
        return FALSE;
    // The name fields are 16 bytes; a longer length would compare beyond them.
    if (length > kPresetNameFieldWidth)
        length = kPresetNameFieldWidth;
    if (length < 0)
        length = 0;
    const auto n = static_cast<std::size_t>(length);
    std::lock_guard lock(g_linkLock);
    if (userPresets) {
        for (int i = 0; i < NUM_STORED_PRESETS; ++i) {
            if (i != ownIndex && std::memcmp(name, g_storedPresets[i].system.name, n) == 0)
                return TRUE;
        }
        return FALSE;
    }
    for (int i = 0; i < NUM_MACHINE_PRESETS; ++i) {
        if (i != ownIndex && std::memcmp(name, g_machinePresets[i].name, n) == 0)
            return TRUE;
    }
    return FALSE;
}
