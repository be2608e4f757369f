// Texts that several channel classes show in the parameter table the same way.
#pragma once

#include "platform/core/String.h"

// "On" when on is not 0, else "OFF".
CString ChannelOnOffText(int on);
// 0: "OFF"; else code - 120 as "%0.1fdBu".
CString ChannelNoiseGateText(int code);
// 1: "Pol-", 0: "Pol+" (Chinese "反相", "正相"); other values give an empty text.
CString ChannelPolarityText(int polarity);
// Input delay code: below 100 tenths of a millisecond, from 100 on (code - 100) + 10 ms.
CString ChannelDelayCodeText(int code);
// code x 0.1 - 30 with one decimal, no unit.
CString ChannelExtLevelText(int code);
// "%d%".
CString ChannelPercentText(int v);
