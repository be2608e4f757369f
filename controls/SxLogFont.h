// CSxLogFont: a LOGFONT for a point font (height in tenths of a point) with stroke precision
// and proof quality, as the group box makes its caption font.
#pragma once

#include "platform/ui/WinGdi.h"

struct CSxLogFont : public LOGFONT {
    CSxLogFont(int pointHeight, int weight, BYTE italic, const char* faceName);
};
