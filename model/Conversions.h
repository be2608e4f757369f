// Value conversions of the parameter model: device codes to user units and back, graph scales,
// delay steps in whole displayed distance units, and the fixed-width name fields of the records.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

inline constexpr int kQTableSize = 296;
inline constexpr int kGridSize = 241;
inline constexpr int kMaxDelayCode = 354;

// Q of bandwidth 0.05 + 0.01 x i octave, three decimals, strictly decreasing.
extern const double g_qTable[kQTableSize];
// The 241 frequencies every response curve is computed at, 19.7 Hz .. 20 kHz.
extern const double g_eqFreqGrid[kGridSize];
extern const char* const g_strOutLabel[8];
extern const char* const g_strGEQFreq[15];

// Rounds half away from zero; NaN gives 0 and values beyond the int range are clamped. Inline:
// every curve point of every filter goes through it.
inline int RoundHalfAway(double v) {
    if (!(v == v))
        return 0;
    if (v >= 2.0e9)
        return 2000000000;
    if (v <= -2.0e9)
        return -2000000000;
    long long t = static_cast<long long>(v);
    const double frac = v - static_cast<double>(t);
    if (frac >= 0.5)
        ++t;
    else if (frac <= -0.5)
        --t;
    return static_cast<int>(t);
}
// Fixed-point text of v with `decimals` digits, halves rounded away from zero (never by printf).
CString FormatFixed(double v, int decimals);
// Typed number texts, read whatever the process locale is (the decimal mark is a point). The
// number at the start of the text as atof reads it: blanks skipped, reading stops at the first
// character that cannot continue it, no number (and NaN) gives 0; beyond the doubles, too large
// reads as infinity and too small as 0.
double ParseLeadingNumber(const CString& text);
// The integer at the start of the text as atoi reads it, saturated to the int range.
int ParseLeadingInt(const CString& text);

// Model routines never show UI. A failure that the user must see goes to this hook with both
// language variants; the UI side shows it on its own thread. Without a hook it is dropped.
using ModelErrorHook = void (*)(const char* textEn, const char* textCn);
void SetModelErrorHook(ModelErrorHook hook);
void ReportModelError(const char* textEn, const char* textCn);

int QToBandwidthIndex(double q);
double BandwidthIndexToQ(int index); // index clamped to 0..295

// Band gain position: 200 = 0 dB, 0.1 dB steps (80..320 = -12..+12 dB).
int GainToPos(double db);
double PosToGain(int pos);
// Bandwidth position: index into g_qTable, 0.01 octave steps from 0.05 octave.
int BandwidthToPos(double octaves);
double PosToBandwidth(int pos);

// Vertical scale: +12 dB at y 0, -12 dB at y h.
inline double DbToYReal(double db, int h) {
    return h / 24.0 * (12.0 - db);
}
inline int DbToY(double db, int h) {
    return RoundHalfAway(DbToYReal(db, h));
}
double YToDb(int y, int h); // unbiased, limited to -12..+12; 0 when h <= 0

// Horizontal log scale 20 Hz .. 20 kHz over three decades of (w div 3) pixels.
int FreqToAxisPos(double f, int w);
double FreqToAxisPosReal(double f, int w);
int AxisPosToFreq(int x, int w); // 20..20000 Hz; 20 when w < 3

int FreqToGridIndex(double f);

// Delay codes in samples at 48 kHz (0..354; 960 counts as 20 ms).
int StepDelayCm(int code, int step);
int StepDelayInch(int code, int step);
int SnapRatioCode(int v);
int SnapRatioCode2(int v);
CString FormatDelayCode(int code);

// Fixed-width record fields hold GBK bytes; widths count GBK bytes. The writers return FALSE,
// leave the field unchanged and report "Char len error!" when the text does not fit.
CString FieldToString(const void* field, int width);
CString FieldToStringN(const void* field, int n);
BOOL StringToField(void* field, int width, const CString& text);
BOOL CopyToField(void* field, const CString& text, int width);
BOOL StringToPaddedField(void* field, int width, const CString& text, BOOL padSpaces);

BOOL IsPresetNameUsed(int ownIndex, const void* name, BOOL userPresets, int length);
BOOL IsBlankString(const CString& text);
