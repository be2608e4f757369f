#include "model/ChannelText.h"

#include "model/Conversions.h"
#include "model/Globals.h"

CString ChannelOnOffText(int on) {
    return CString(on ? "On" : "OFF");
}

CString ChannelNoiseGateText(int code) {
    if (code == 0)
        return CString("OFF");
    return FormatFixed(code - 120.0, 1) + "dBu";
}

CString ChannelPolarityText(int polarity) {
    if (polarity == 1)
        return CString(LangText("Pol-", "反相"));
    if (polarity == 0)
        return CString(LangText("Pol+", "正相"));
    return CString();
}

CString ChannelDelayCodeText(int code) {
    const double ms = code < 100 ? code * 0.1 : (code - 100) + 10.0;
    return FormatFixed(ms, 1) + "ms";
}

CString ChannelExtLevelText(int code) {
    return FormatFixed(code * 0.1 - 30.0, 1);
}

CString ChannelPercentText(int v) {
    CString s;
    s.Format("%d%%", v);
    return s;
}
