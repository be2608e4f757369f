#include "controls/SxLogFont.h"

#include <algorithm>
#include <cstring>

CSxLogFont::CSxLogFont(int pointHeight, int weight, BYTE italic, const char* faceName) : LOGFONT{} {
    lfHeight = pointHeight;
    lfWeight = weight;
    lfItalic = italic;
    if (faceName) {
        // The face field holds at most 31 characters and its terminator.
        const std::size_t n = std::min<std::size_t>(std::strlen(faceName), LF_FACESIZE - 1);
        std::memcpy(lfFaceName, faceName, n);
        lfFaceName[n] = '\0';
    }
    lfOutPrecision = OUT_STROKE_PRECIS;
    lfClipPrecision = CLIP_STROKE_PRECIS;
    lfQuality = PROOF_QUALITY;
    lfPitchAndFamily = 0;
}
