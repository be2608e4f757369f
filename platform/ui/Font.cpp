#include "platform/ui/Font.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiHandle.h"

#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const char* const kCjkFamily = "Noto Sans CJK SC";

QString MapFace(const QString& face) {
    const QString f = face.trimmed().toLower();
    if (f.isEmpty() || f == "arial" || f == "ms sans serif" || f == "microsoft sans serif" || f == "tahoma" ||
        f == "ms shell dlg" || f == "ms shell dlg 2" || f == "system" || f == "helvetica")
        return "Liberation Sans";
    if (f.contains("verdana"))
        return "DejaVu Sans";
    if (f == "courier new" || f == "courier")
        return "Liberation Mono";
    if (f == "times new roman")
        return "Liberation Serif";
    static const char* const cjk[] = {"宋体",   "新宋体", "黑体",    "微软雅黑",        "楷体",  "仿宋",
                                      "simsun", "simhei", "nsimsun", "microsoft yahei", "kaiti", "fangsong"};
    for (const char* c : cjk)
        if (f == QString::fromUtf8(c))
            return kCjkFamily;
    return face;
}

QFont::Weight MapWeight(int w) {
    if (w <= 0)
        return QFont::Normal;
    if (w <= 150)
        return QFont::Thin;
    if (w <= 250)
        return QFont::ExtraLight;
    if (w <= 350)
        return QFont::Light;
    if (w <= 450)
        return QFont::Normal;
    if (w <= 550)
        return QFont::Medium;
    if (w <= 650)
        return QFont::DemiBold;
    if (w <= 750)
        return QFont::Bold;
    if (w <= 850)
        return QFont::ExtraBold;
    return QFont::Black;
}

// Ratio of cell height (ascent + descent) to em height, per family.
double CellRatio(const QFont& base) {
    static QHash<QString, double> cache;
    const QString key = base.family();
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    QFont probe(base);
    probe.setPixelSize(100);
    QFontMetricsF fm(probe);
    double ratio = (fm.ascent() + fm.descent()) / 100.0;
    if (ratio <= 0.5)
        ratio = 1.15;
    cache.insert(key, ratio);
    return ratio;
}
} // namespace

QFont CFont::MakeQFont(const LOGFONT& lf) {
    QFont font;
    const QString face =
        MapFace(QString::fromUtf8(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE))));
    font.setFamilies({face, kCjkFamily});
    font.setWeight(MapWeight(lf.lfWeight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setHintingPreference(QFont::PreferFullHinting);
    int px = 0;
    if (lf.lfHeight < 0)
        px = -lf.lfHeight;
    else if (lf.lfHeight > 0)
        px = static_cast<int>(std::lround(lf.lfHeight / CellRatio(font)));
    else
        px = 12;
    font.setPixelSize(std::max(1, px));
    // A given width narrows or widens the face against its own average character width.
    if (lf.lfWidth > 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        if (average > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * lf.lfWidth / average)), 1, 4000));
    }
    return font;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
    if (!logFont)
        return FALSE;
    DeleteObject();
    auto* h = new GdiHandle(GdiHandle::Kind::Font);
    h->logFont = *logFont;
    h->font = MakeQFont(*logFont);
    return Attach(h);
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, void* dc) {
    LOGFONT lf{};
    lf.lfHeight = pointSize;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, void* dc) {
    if (!logFont)
        return FALSE;
    LOGFONT lf = *logFont;
    // Tenths of a point to the device's pixels (96 DPI for screens), as a character height.
    const int dpi = dc ? static_cast<CDC*>(dc)->GetDeviceCaps(LOGPIXELSY) : 96;
    lf.lfHeight = -static_cast<LONG>(std::lround(std::abs(logFont->lfHeight) * dpi / 720.0));
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* logFont) const {
    if (!m_hObject || !logFont)
        return 0;
    *logFont = m_hObject->logFont;
    return sizeof(LOGFONT);
}
