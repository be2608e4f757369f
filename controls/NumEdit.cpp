// The model first: its record fields must be parsed before any toolkit header is seen.
#include "model/Conversions.h"
#include "model/Globals.h"

#include "controls/NumEdit.h"

#include "controls/BitmapSlider.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double kSampleMs = 1.0 / 48;
constexpr double kMaxDelayMs = 7.354;
constexpr const char* kOffCn = "关闭";

// The texts are made in the C locale whatever the process locale is (the device's numbers use
// a point); to_chars with a precision rounds exactly like printf's %f.
CString Fixed(double v, int decimals) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof(buf), v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return CString();
    return CString(buf, static_cast<int>(r.ptr - buf));
}

CString Int(long long v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof(buf), v);
    return CString(buf, static_cast<int>(r.ptr - buf));
}

// trunc() to int of a finite double, saturated (the limits make every caller's value small).
int Trunc(double x) {
    if (!(x == x))
        return 0;
    if (x >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (x <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}

// round() of the rules: trunc(x + 0.5).
int RoundUp(double x) {
    return Trunc(x + 0.5);
}

double LimitHigh(double a, double lo, double hi) {
    if (a > hi)
        a = hi;
    if (a < lo)
        a = lo;
    return a;
}

bool IsOffText(const CString& text) {
    return text == "OFF" || text == kOffCn;
}

const char* OffText() {
    return g_bChinese.load() ? kOffCn : "OFF";
}

// Types whose commit or take-over reads a number from the text.
bool ReadsNumber(int type) {
    return type >= NUMTYPE_DELAY_MS && type <= NUMTYPE_INT_CLAMP && type != NUMTYPE_TEMPERATURE &&
           type != NUMTYPE_BALANCE;
}

bool ReadsInteger(int type) {
    return type == NUMTYPE_INT || type == NUMTYPE_INT_UNIT || type == NUMTYPE_FREQ ||
           type == NUMTYPE_FREQ_20K || type == NUMTYPE_FREQ_LOW || type == NUMTYPE_FREQ_HIGH ||
           type == NUMTYPE_INT_CLAMP;
}

// The OFF words a type reads as a value of its own (or, for the frequencies, as "leave it").
bool TakesOffText(int type, const CString& text) {
    switch (type) {
    case NUMTYPE_INT:
    case NUMTYPE_FREQ:
    case NUMTYPE_FREQ_20K:
        return text == "OFF";
    case NUMTYPE_LEVEL_DBU:
    case NUMTYPE_LEVEL_DBU_1DEC:
    case NUMTYPE_LEVEL_DB:
    case NUMTYPE_LEVEL_DBU_OFF:
    case NUMTYPE_VPP:
        return IsOffText(text);
    default:
        return false;
    }
}

// Whether the text starts with a number (blanks and one sign may come first): a digit, or for
// the decimal types a point and a digit. Empty text, blanks and letters first hold none.
bool HoldsNumber(const CString& text, bool integer) {
    const char* p = text.GetString();
    const char* end = p + text.GetLength();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    auto digit = [&](const char* q) { return q < end && *q >= '0' && *q <= '9'; };
    if (digit(p))
        return true;
    return !integer && p < end && *p == '.' && digit(p + 1);
}

} // namespace

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
ON_CONTROL_REFLECT(EN_UPDATE, &CNumEdit::OnUpdate)
ON_CONTROL_REFLECT(EN_SETFOCUS, &CNumEdit::OnSetFocusReflect)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CNumEdit::CNumEdit() {
    m_brHighlight.CreateSolidBrush(m_crHighlight);
}

CNumEdit::~CNumEdit() = default;

// --- value model ----------------------------------------------------------------------------

int CNumEdit::Limit(int v) const {
    if (v > m_nMax)
        v = m_nMax;
    if (v < m_nMin)
        v = m_nMin;
    return v;
}

void CNumEdit::SetRange(int minimum, int maximum) {
    m_nMin = minimum;
    m_nMax = maximum;
    m_nValue = minimum;
}

void CNumEdit::SetValue(int value) {
    if (value < m_nMin || value > m_nMax)
        return;
    m_nValue = value;
    ShowValue();
}

int CNumEdit::GetValue() {
    if (m_bModified) {
        TakeTypedText();
        m_bModified = 0;
    }
    return m_nValue;
}

void CNumEdit::SetType(int type, const CString& unit) {
    m_nType = type;
    m_strUnit = unit;
    ShowValue();
}

void CNumEdit::SetTemperature(int code) {
    m_nTemperature = code;
    ShowValue();
}

void CNumEdit::StepValue(int step) {
    long long v = static_cast<long long>(m_nValue) + step;
    if (v > m_nMax)
        v = m_nMax;
    if (v < m_nMin)
        v = m_nMin;
    m_nValue = static_cast<int>(v);
    ShowValue();
    SendCommit();
}

int CNumEdit::CommitDelayText() {
    if (m_nType == NUMTYPE_DELAY_MS || m_nType == NUMTYPE_DELAY_MS_ALT || m_nType == NUMTYPE_DELAY_CM ||
        m_nType == NUMTYPE_DELAY_INCH)
        CommitText();
    return m_nValue;
}

int CNumEdit::ShowValue() {
    const bool isType = (m_nType >= 0 && m_nType <= 33) || m_nType == NUMTYPE_RATIO;
    if (isType)
        SetWindowText(FormatText());
    if (m_bSpinCreated) {
        CString text;
        GetWindowText(text);
        m_spinBtn.SetWindowText(text);
    }
    RepaintParentArea();
    return 1;
}

CString CNumEdit::FormatText() {
    const int v = m_nValue;
    const double T = m_nTemperature - 50;
    const bool zh = g_bChinese.load() != 0;
    const bool unit = !m_strUnit.IsEmpty();
    auto ms = [&] { return v == m_nMax ? kMaxDelayMs : v * kSampleMs; };
    const double shown = v * m_dStep - m_dOffset;
    switch (m_nType) {
    // Delays round halves away from zero like the delay steppers (StepDelayCm/Inch), so that
    // every spin step moves the shown distance by exactly one unit (code 120 is 86.5 cm: 87).
    case NUMTYPE_DELAY_MS:
    case NUMTYPE_DELAY_MS_ALT:
        return FormatFixed(ms(), 3) + (unit ? (zh ? "毫秒" : "MS") : "");
    case NUMTYPE_DELAY_CM: {
        const double d = (331.0 + 0.6 * T) / 1000 * ms();
        return FormatFixed(d * 100, 0) + (unit ? (zh ? "厘米" : "CM") : "");
    }
    case NUMTYPE_DELAY_INCH: {
        const double speed = v == m_nMax ? 331.4 + 0.6 * T : 331.0 + 0.6 * T;
        const double d = speed / 1000 * ms();
        return FormatFixed(d * 3.2808 * 12, 0) + (unit ? (zh ? "英寸" : "INCH") : "");
    }
    case NUMTYPE_CENTERED:
        return Fixed((v - m_nMax / 2) * m_dStep, 1);
    case NUMTYPE_INT:
        return Int(v);
    case NUMTYPE_TIME_MS:
        if (v > 6)
            return Int(static_cast<long long>(v) - 6) + "ms";
        return Fixed((v + 3) * 0.1, 1) + "ms";
    case NUMTYPE_INT_UNIT:
        return Int(v) + m_strUnit;
    case NUMTYPE_STEP_2DEC:
        return Fixed(v * m_dStep + 0.05, 2);
    case NUMTYPE_FREQ:
        return Int(v) + "Hz";
    case NUMTYPE_FREQ_20K:
        return v == m_nMax ? CString("20000Hz") : Int(v) + "Hz";
    case NUMTYPE_LEVEL:
        return Fixed(shown, 1);
    case NUMTYPE_Q: {
        // The Q table has 296 entries; a range beyond it reads its nearest end.
        const double q = g_qTable[std::clamp(v, 0, kQTableSize - 1)];
        return Fixed(q, q > 10 ? 2 : 3);
    }
    case NUMTYPE_TEMPERATURE: {
        const int c = v - 50;
        const int f = Trunc(c * 1.8 + 32 + 0.5);
        return Int(c) + "C(" + Int(f) + "F)";
    }
    case NUMTYPE_PERCENT:
    case NUMTYPE_STEP_INT:
    case NUMTYPE_STEP_DB: {
        CString s = Int(Trunc(v * m_dStep));
        if (m_nType == NUMTYPE_PERCENT)
            s += "%";
        else if (m_nType == NUMTYPE_STEP_DB)
            s += "dB";
        return s + m_strUnit;
    }
    case NUMTYPE_HUNDREDTHS:
        return Fixed(v * 0.01, 2) + m_strUnit;
    case NUMTYPE_INT_MAX:
        return Int(std::min(v, m_nMax)) + m_strUnit;
    case NUMTYPE_DELAY_MS_LONG:
        if (v == 0)
            return Fixed(0.0, 4);
        if (v <= 9615)
            return Fixed(v * 0.0104, 4);
        if (v == 9616)
            return Fixed(100.0, 3);
        return Fixed((v - 9616) * 0.021 + 100, 3);
    case NUMTYPE_DELAY_CM_LONG: {
        const double d = (331.4 + 0.6 * T) / 1000 * (v * 0.021);
        return Fixed(d * 100, 3);
    }
    case NUMTYPE_DELAY_FEET_LONG: {
        const double d = (331.4 + 0.6 * T) / 1000 * (v * 0.021);
        return Fixed(d * 3.2808, 3);
    }
    case NUMTYPE_TENTHS:
        return Fixed(v * 0.1, 1) + m_strUnit;
    case NUMTYPE_INT_DOUBLE:
        return Int(2LL * std::min(v, m_nMax)) + m_strUnit;
    case NUMTYPE_LEVEL_DBU:
        if (v == 0)
            return OffText();
        return m_strUnit == "dBu" ? Fixed(shown, 0) + "dBu" : Fixed(shown, 1) + "dB";
    case NUMTYPE_LEVEL_DBU_1DEC:
        return Fixed(shown, 1) + "dBu";
    case NUMTYPE_LEVEL_DB:
        if (v == m_nMin)
            return OffText();
        return Fixed(shown, 0) + "dB";
    case NUMTYPE_LEVEL_DBU_0DEC: {
        m_nValue = Limit(v);
        const double s = m_nValue * m_dStep - m_dOffset;
        return Fixed(s, 0) + (unit ? "dB" : "dBu");
    }
    case NUMTYPE_FREQ_LOW:
        if (v == m_nMin)
            return "20Hz";
        if (v == m_nMax)
            return "1000Hz";
        return Int(v) + "Hz";
    case NUMTYPE_FREQ_HIGH:
        if (v == m_nMin)
            return "5000Hz";
        if (v == m_nMax)
            return "20000Hz";
        return Int(v) + "Hz";
    case NUMTYPE_LEVEL_DBU_OFF:
        if (v == m_nMax)
            return OffText();
        return Fixed(shown, 1) + "dBu";
    case NUMTYPE_BALANCE:
        if (v <= 99)
            return "R_" + Int(100LL - v) + "%";
        if (v == 100)
            return "OFF";
        if (v <= m_nMax)
            return "L_" + Int(static_cast<long long>(v) - 100) + "%";
        return CString();
    case NUMTYPE_VPP: {
        m_nValue = Limit(v);
        if (m_nValue == m_nMax)
            return OffText();
        const double s = m_nValue * m_dStep - m_dOffset;
        return Fixed(std::pow(10.0, s / 20) * 2.2, 3) + "Vpp";
    }
    case NUMTYPE_INT_CLAMP:
        m_nValue = Limit(v);
        return Int(m_nValue);
    case NUMTYPE_RATIO:
        if (v == 1)
            return "1:1";
        return Int((v + 9LL) / 10) + "." + Int((v + 9LL) % 10) + ":1";
    default:
        return CString();
    }
}

void CNumEdit::SendCommit() {
    CWnd* parent = GetParent();
    if (parent)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), 0),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CNumEdit::Commit(int v) {
    m_nValue = Limit(v);
    SetWindowText(FormatText());
    SendCommit();
}

bool CNumEdit::KeepValueForText(const CString& text) {
    const int type = m_nType;
    if (!ReadsNumber(type) || TakesOffText(type, text) || HoldsNumber(text, ReadsInteger(type)))
        return false;
    // No number typed is no value: a typo or an emptied field must never become 0 (a level
    // at OFF would jump to 0 dB). The stored value is shown again; nothing is pending.
    if (m_bModified) {
        ShowValue();
        m_bModified = 0;
    }
    return true;
}

void CNumEdit::CommitText() {
    CString text;
    GetWindowText(text);
    const int type = m_nType;
    const double T = m_nTemperature - 50;
    const bool modified = m_bModified != 0;
    if (KeepValueForText(text))
        return;
    switch (type) {
    case NUMTYPE_DELAY_MS:
    case NUMTYPE_DELAY_MS_ALT: {
        if (!modified)
            return;
        const double a = ParseLeadingNumber(text);
        int v;
        if (a < 0)
            v = m_nMin;
        else if (a >= kMaxDelayMs)
            v = m_nMax;
        else
            v = Trunc(a / kSampleMs);
        Commit(v);
        return;
    }
    case NUMTYPE_DELAY_CM:
    case NUMTYPE_DELAY_INCH: {
        if (!modified)
            return;
        const double a = ParseLeadingNumber(text);
        const double speed = type == NUMTYPE_DELAY_CM ? 0.6 * T + 331.0 : 0.6 * T + 331.4;
        if (!(speed > 0)) {
            Commit(m_nValue);
            return;
        }
        double m;
        if (type == NUMTYPE_DELAY_CM) {
            m = LimitHigh(a / 100, 0, speed / 1000 * kMaxDelayMs);
        } else {
            const double inches = LimitHigh(a, 0, speed / 1000 * kMaxDelayMs * 3.2808 * 12);
            m = inches / 39.3696;
        }
        const double msv = 1000 * m / speed;
        Commit(RoundUp(msv / kSampleMs));
        return;
    }
    case NUMTYPE_CENTERED: {
        const double a = ParseLeadingNumber(text);
        if (!modified)
            return;
        if (m_dStep == 0) {
            Commit(m_nValue);
            return;
        }
        const int half = m_nMax / 2;
        double x = a;
        if (x > half * m_dStep)
            x = half * m_dStep;
        if (x < (m_nMin - half) * m_dStep)
            x = (m_nMin - half) * m_dStep;
        Commit(Trunc(half + x / m_dStep));
        return;
    }
    case NUMTYPE_INT:
    case NUMTYPE_FREQ:
    case NUMTYPE_FREQ_20K:
    case NUMTYPE_FREQ_LOW:
    case NUMTYPE_FREQ_HIGH: {
        if (type <= NUMTYPE_FREQ_20K && text == "OFF")
            return;
        // Stored even without a user edit; rewritten and reported only after one.
        m_nValue = Limit(ParseLeadingInt(text));
        if (modified) {
            SetWindowText(FormatText());
            SendCommit();
        }
        return;
    }
    case NUMTYPE_TIME_MS: {
        double a = ParseLeadingNumber(text);
        if (a < 0.3)
            a = 0.3;
        if (m_nMax < a + 6)
            a = m_nMax - 6;
        if (!modified)
            return;
        int v = m_nValue;
        if (a >= 0.3 && a <= 0.9)
            v = Trunc((a - 0.3) / 0.1);
        else if (a >= 1 && a <= m_nMax)
            v = Trunc(a) + 6;
        Commit(v);
        return;
    }
    case NUMTYPE_INT_UNIT: {
        int a = ParseLeadingInt(text);
        if (a < m_nMin)
            a = m_nMin;
        if (a > m_nMax)
            a = m_nMax;
        if (modified)
            Commit(a);
        return;
    }
    case NUMTYPE_STEP_2DEC: {
        double a = ParseLeadingNumber(text);
        if (!modified)
            return;
        if (m_dStep == 0) {
            Commit(m_nValue);
            return;
        }
        if (a > 3.0)
            a = 3.0;
        if (a < 0.05)
            a = 0.05;
        Commit(Trunc((a - 0.05 + 0.0000011) * ((1 / m_dStep) * 10) / 10));
        return;
    }
    case NUMTYPE_LEVEL:
    case NUMTYPE_LEVEL_DBU:
    case NUMTYPE_LEVEL_DBU_1DEC:
    case NUMTYPE_LEVEL_DB:
    case NUMTYPE_LEVEL_DBU_0DEC:
    case NUMTYPE_LEVEL_DBU_OFF:
    case NUMTYPE_VPP: {
        double x;
        if (IsOffText(text) && type != NUMTYPE_LEVEL && type != NUMTYPE_LEVEL_DBU_0DEC) {
            x = type == NUMTYPE_LEVEL_DBU        ? -120.0
                : type == NUMTYPE_LEVEL_DBU_1DEC ? 20.0
                : type == NUMTYPE_LEVEL_DB       ? -60.0
                                                 : 12.0;
        } else if (type == NUMTYPE_VPP) {
            const double a = ParseLeadingNumber(text);
            // No voltage at or below 0: it counts as the lower end.
            x = a > 0 ? 20 * std::log10(a / 2.2) : m_nMin * m_dStep - m_dOffset;
        } else {
            x = ParseLeadingNumber(text);
        }
        if (!modified)
            return;
        if (m_dStep == 0) {
            Commit(m_nValue);
            return;
        }
        x = LimitHigh(x, m_nMin * m_dStep - m_dOffset, m_nMax * m_dStep - m_dOffset);
        Commit(Trunc((x + m_dOffset) * 10 / (m_dStep * 10)));
        return;
    }
    case NUMTYPE_Q: {
        double a = ParseLeadingNumber(text);
        if (!modified)
            return;
        if (a > g_qTable[0])
            a = g_qTable[0];
        if (a < 0.404)
            a = 0.404;
        Commit(QToBandwidthIndex(a));
        return;
    }
    case NUMTYPE_PERCENT:
    case NUMTYPE_STEP_INT:
    case NUMTYPE_STEP_DB: {
        const double a = ParseLeadingNumber(text);
        if (!modified)
            return;
        if (m_dStep == 0) {
            Commit(m_nValue);
            return;
        }
        Commit(Trunc(LimitHigh(a, m_nMin * m_dStep, m_nMax * m_dStep) / m_dStep));
        return;
    }
    case NUMTYPE_HUNDREDTHS:
    case NUMTYPE_TENTHS: {
        const double a = ParseLeadingNumber(text);
        if (!modified)
            return;
        const double f = type == NUMTYPE_TENTHS ? 0.1 : 0.01;
        const double mult = type == NUMTYPE_TENTHS ? 10 : 100;
        Commit(Trunc(mult * LimitHigh(a, m_nMin * f, m_nMax * f)));
        return;
    }
    case NUMTYPE_INT_MAX:
    case NUMTYPE_INT_DOUBLE: {
        double a = ParseLeadingNumber(text);
        if (type == NUMTYPE_INT_DOUBLE)
            a /= 2;
        if (!modified)
            return;
        Commit(Trunc(LimitHigh(a, m_nMin, m_nMax)));
        return;
    }
    case NUMTYPE_DELAY_MS_LONG: {
        if (!modified)
            return;
        const double a = ParseLeadingNumber(text);
        if (a < 0)
            Commit(m_nMin);
        else if (a > 8400)
            Commit(m_nMax);
        else
            Commit(RoundUp(a / 0.021));
        return;
    }
    case NUMTYPE_DELAY_CM_LONG:
    case NUMTYPE_DELAY_FEET_LONG: {
        if (!modified)
            return;
        const double a = ParseLeadingNumber(text);
        const double speed = 0.6 * T + 331.4;
        if (!(speed > 0)) {
            Commit(m_nValue);
            return;
        }
        double m;
        if (type == NUMTYPE_DELAY_CM_LONG)
            m = LimitHigh(a / 100, 0, speed / 1000 * 8400);
        else
            m = LimitHigh(a, 0, speed / 1000 * 8400 * 3.2808) / 3.2808;
        const double msv = 1000 * m / speed;
        Commit(RoundUp(msv / 0.021));
        return;
    }
    case NUMTYPE_INT_CLAMP: {
        const int a = ParseLeadingInt(text);
        if (modified)
            Commit(a);
        return;
    }
    default:
        // Temperature, balance, ratio and the numbers that are no type keep the text as typed.
        return;
    }
}

void CNumEdit::TakeTypedText() {
    CString text;
    GetWindowText(text);
    const int type = m_nType;
    const double T = m_nTemperature - 50;
    auto store = [this](int v) { m_nValue = Limit(v); };
    if (KeepValueForText(text) ||
        (text == "OFF" && (type == NUMTYPE_INT || type == NUMTYPE_FREQ || type == NUMTYPE_FREQ_20K)))
        return;
    switch (type) {
    case NUMTYPE_DELAY_MS:
    case NUMTYPE_DELAY_MS_ALT: {
        const double a = ParseLeadingNumber(text);
        const double top = type == NUMTYPE_DELAY_MS ? kMaxDelayMs : 60.0;
        if (a < 0 || a > top)
            return;
        store(a == kMaxDelayMs ? m_nMax : RoundUp(a / kSampleMs));
        return;
    }
    case NUMTYPE_DELAY_CM:
    case NUMTYPE_DELAY_INCH: {
        const double a = ParseLeadingNumber(text);
        const double speed = type == NUMTYPE_DELAY_CM ? 0.6 * T + 331.0 : 0.6 * T + 331.4;
        if (!(speed > 0))
            return;
        double m;
        if (type == NUMTYPE_DELAY_CM) {
            m = a / 100;
            if (m < 0 || m > speed / 1000 * kMaxDelayMs)
                return;
        } else {
            if (a < 0 || a > speed / 1000 * kMaxDelayMs * 3.2808 * 12)
                return;
            m = a / 39.3696;
        }
        const double msv = 1000 * m / speed;
        store(msv >= kMaxDelayMs ? m_nMax : RoundUp(msv / kSampleMs));
        return;
    }
    case NUMTYPE_CENTERED: {
        const double a = ParseLeadingNumber(text);
        const int half = m_nMax / 2;
        if (m_dStep == 0 || a < (m_nMin - half) * m_dStep || a > half * m_dStep)
            return;
        store(Trunc(half + a / m_dStep));
        return;
    }
    case NUMTYPE_INT:
    case NUMTYPE_FREQ:
    case NUMTYPE_FREQ_20K:
    case NUMTYPE_FREQ_LOW:
    case NUMTYPE_FREQ_HIGH: {
        const int a = ParseLeadingInt(text);
        if (a >= m_nMin && a <= m_nMax)
            m_nValue = a;
        return;
    }
    case NUMTYPE_TIME_MS: {
        const double a = ParseLeadingNumber(text);
        if (a >= 0.3 && a <= 0.9)
            store(Trunc((a - 0.3) / 0.1));
        else if (a >= 1 && a <= m_nMax)
            store(Trunc(a) + 6);
        return;
    }
    case NUMTYPE_INT_UNIT:
    case NUMTYPE_INT_CLAMP:
        store(ParseLeadingInt(text));
        return;
    case NUMTYPE_STEP_2DEC: {
        const double a = ParseLeadingNumber(text);
        if (m_dStep == 0 || a < 0.05 || a > 3.0)
            return;
        store(Trunc((a - 0.05) * ((1 / m_dStep) * 10) / 10));
        return;
    }
    case NUMTYPE_LEVEL:
    case NUMTYPE_LEVEL_DBU:
    case NUMTYPE_LEVEL_DBU_1DEC:
    case NUMTYPE_LEVEL_DB:
    case NUMTYPE_LEVEL_DBU_0DEC:
    case NUMTYPE_LEVEL_DBU_OFF: {
        double x;
        if (IsOffText(text) && type != NUMTYPE_LEVEL && type != NUMTYPE_LEVEL_DBU_0DEC)
            x = type == NUMTYPE_LEVEL_DBU        ? -120.0
                : type == NUMTYPE_LEVEL_DBU_1DEC ? 20.0
                : type == NUMTYPE_LEVEL_DB       ? -60.0
                                                 : 12.0;
        else
            x = ParseLeadingNumber(text);
        if (m_dStep == 0)
            return;
        x = LimitHigh(x, m_nMin * m_dStep - m_dOffset, m_nMax * m_dStep - m_dOffset);
        store(Trunc((x + m_dOffset) * 10 / (m_dStep * 10)));
        return;
    }
    case NUMTYPE_Q: {
        const double a = ParseLeadingNumber(text);
        if (a < 0.404 || a > g_qTable[0])
            return;
        store(QToBandwidthIndex(a));
        return;
    }
    case NUMTYPE_PERCENT:
    case NUMTYPE_STEP_INT:
    case NUMTYPE_STEP_DB: {
        const double a = ParseLeadingNumber(text);
        if (m_dStep == 0 || a < m_nMin * m_dStep || a > m_nMax * m_dStep)
            return;
        store(Trunc(a / m_dStep));
        return;
    }
    case NUMTYPE_HUNDREDTHS:
    case NUMTYPE_TENTHS: {
        const double a = ParseLeadingNumber(text);
        const double f = type == NUMTYPE_TENTHS ? 0.1 : 0.01;
        const double mult = type == NUMTYPE_TENTHS ? 10 : 100;
        if (a < m_nMin * f || a > m_nMax * f)
            return;
        store(Trunc(mult * a));
        return;
    }
    case NUMTYPE_INT_MAX:
    case NUMTYPE_INT_DOUBLE: {
        double a = ParseLeadingNumber(text);
        if (type == NUMTYPE_INT_DOUBLE)
            a /= 2;
        if (a < m_nMin || a > m_nMax)
            return;
        store(Trunc(a));
        return;
    }
    case NUMTYPE_DELAY_MS_LONG: {
        const double a = ParseLeadingNumber(text);
        if (a < 0 || a > 8400)
            return;
        store(RoundUp(a / 0.021));
        return;
    }
    case NUMTYPE_DELAY_CM_LONG:
    case NUMTYPE_DELAY_FEET_LONG: {
        const double a = ParseLeadingNumber(text);
        const double speed = 0.6 * T + 331.4;
        if (!(speed > 0))
            return;
        double m;
        if (type == NUMTYPE_DELAY_CM_LONG) {
            m = a / 100;
            if (m < 0 || m > speed / 1000 * 8400)
                return;
        } else {
            if (a < 0 || a > speed / 1000 * 8400 * 3.2808)
                return;
            m = a / 3.2808;
        }
        store(RoundUp(1000 * m / speed / 0.021));
        return;
    }
    default:
        return;
    }
}

// --- look, focus and companion ----------------------------------------------------------------

void CNumEdit::RepaintParentArea() {
    CWnd* parent = GetParent();
    if (!parent || !m_hWnd)
        return;
    CRect rc;
    GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    parent->InvalidateRect(&rc, TRUE);
    Invalidate(TRUE);
}

void CNumEdit::SetHighlight(int flag) {
    if (flag == m_bHighlight)
        return;
    m_bHighlight = flag;
    RepaintParentArea();
}

void CNumEdit::CreateSpinButton(int id) {
    if (!m_hWnd || m_bSpinCreated)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (!m_spinBtn.Create("", WS_CHILD | WS_VISIBLE | BS_TOP, rc, this, static_cast<UINT>(id)))
        return;
    m_spinBtn.ShowWindow(SW_HIDE);
    m_spinBtn.SetFont(GetFont(), TRUE);
    m_bSpinCreated = 1;
}

void CNumEdit::BindSpinButton(int spinId, CNumSpin* spin) {
    if (m_bSpinCreated)
        m_spinBtn.BindSpin(spinId, spin);
}

BOOL CNumEdit::ShowWindow(int command) {
    m_bShowChanged = 0;
    if (m_bVisible && command == SW_HIDE) {
        m_bVisible = 0;
        m_bShowChanged = 1;
        return CEdit::ShowWindow(SW_HIDE);
    }
    if (!m_bVisible && command == SW_SHOW) {
        m_bVisible = 1;
        m_bShowChanged = 1;
        return CEdit::ShowWindow(SW_SHOW);
    }
    if (m_bVisible && !IsWindowVisible() && command == SW_SHOW) {
        m_bShowChanged = 1;
        CEdit::ShowWindow(SW_SHOW);
    } else if (!m_bVisible && IsWindowVisible() && command == SW_HIDE) {
        m_bShowChanged = 1;
        CEdit::ShowWindow(SW_HIDE);
    }
    return m_bVisible;
}

void CNumEdit::EnableEdit(int flag) {
    if (flag != m_bEditable) {
        RepaintParentArea();
        m_bEditable = flag;
    }
    CEdit::SetReadOnly(!flag);
}

BOOL CNumEdit::SetReadOnly(BOOL flag) {
    RepaintParentArea();
    if (m_bSpinCreated)
        m_spinBtn.ShowWindow(flag ? SW_SHOW : SW_HIDE);
    return CEdit::SetReadOnly(flag);
}

void CNumEdit::ApplyLanguage() {
    if (m_nType == NUMTYPE_DELAY_MS || m_nType == NUMTYPE_DELAY_CM || m_nType == NUMTYPE_DELAY_INCH) {
        ShowValue();
        return;
    }
    CString text;
    GetWindowText(text);
    if (g_bChinese.load()) {
        if (text == "OFF")
            text = kOffCn;
    } else if (text == kOffCn) {
        text = "OFF";
    }
    SetWindowText(text);
}

COLORREF CNumEdit::TextColor() const {
    if (m_bHighlight)
        return RGB(0, 0, 0);
    return m_bEditable ? RGB(255, 255, 255) : RGB(200, 200, 200);
}

void CNumEdit::OnUpdate() {
    if (GetModify())
        m_bModified = 1;
}

void CNumEdit::OnSetFocusReflect() {
    m_bHighlight = 1;
    RepaintParentArea();
    if (m_pSlider)
        m_pSlider->SetActive(1);
    if (!(GetStyle() & ES_READONLY)) {
        SetSel(0, -1);
        return;
    }
    HideCaret();
    if (!m_bEditable && m_bSpinCreated)
        m_spinBtn.SetActive(1);
}

HBRUSH CNumEdit::CtlColor(CDC* dc, UINT) {
    if (m_bHighlight) {
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkColor(m_crHighlight);
        return static_cast<HBRUSH>(m_brHighlight.GetSafeHandle());
    }
    dc->SetTextColor(TextColor());
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CNumEdit::OnKillFocus(CWnd* newWnd) {
    m_bFocusPress = false;
    CEdit::OnKillFocus(newWnd);
    CommitText();
    if (m_bSpinCreated)
        m_spinBtn.SetActive(0);
    m_bHighlight = 0;
    RepaintParentArea();
    if (m_pSlider)
        m_pSlider->SetActive(0);
}

void CNumEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    // Characters arrive whole: anything beyond ASCII counts as double-byte and is refused.
    if (ch >= 0x80)
        return;
    RepaintParentArea();
    CEdit::OnChar(ch, repeat, flags);
}

void CNumEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if ((GetStyle() & ES_READONLY) && shift)
        return;
    CEdit::OnKeyDown(ch, repeat, flags);
    if (ctrl || shift)
        return;
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_NUMEDIT_NAVIGATE, static_cast<WPARAM>(GetDlgCtrlID()),
                            static_cast<LPARAM>(ch));
}

void CNumEdit::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_bEditable) {
        CEdit::OnLButtonDown(flags, point);
        PostMessage(WM_KILLFOCUS, 0, 0);
        return;
    }
    if (GetParent())
        SendCommit();
    if (GetFocus() != this) {
        SetFocus();
        m_bFocusPress = GetFocus() == this;
        return;
    }
    m_bFocusPress = false;
    CEdit::OnLButtonDown(flags, point);
    if (GetStyle() & ES_READONLY)
        HideCaret();
}

void CNumEdit::OnLButtonDblClk(UINT flags, CPoint point) {
    CEdit::OnLButtonDblClk(flags, point);
    PostMessage(WM_SETFOCUS, 0, 0);
}

void CNumEdit::OnLButtonUp(UINT flags, CPoint point) {
    m_bFocusPress = false;
    CEdit::OnLButtonUp(flags, point);
}

void CNumEdit::OnMouseMove(UINT flags, CPoint point) {
    if (GetStyle() & ES_READONLY) {
        HideCaret();
        return;
    }
    if (m_bFocusPress && (flags & MK_LBUTTON))
        return;
    CEdit::OnMouseMove(flags, point);
}
