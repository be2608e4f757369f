#include "platform/ui/ResourceLoader.h"

#include "platform/ui/ToolkitTranslator.h"

#include "res/ResourceTable.h"
#include "res/SkinPainter.h"

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <atomic>

namespace {
std::atomic<bool> g_chinese{false};

QHash<quint64, QImage>& Cache() {
    static QHash<quint64, QImage> cache;
    return cache;
}

// path names a file of the compiled resources (":/...") or is the SVG text itself ("<svg ...").
QImage RenderSvg(const char* path, int width, int height, bool alpha) {
    if (!path)
        return {};
    QSvgRenderer renderer;
    if (path[0] == '<')
        renderer.load(QByteArray(path));
    else
        renderer.load(QString::fromUtf8(path));
    if (!renderer.isValid())
        return {};
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    renderer.render(&p, QRectF(0, 0, width, height));
    p.end();
    return alpha ? img : img.convertToFormat(QImage::Format_RGB32);
}

QSize ImageSize(UINT id, bool png) {
    if (const res::ArtSpec* art = res::FindArt(id); art && art->png == png)
        return QSize(std::max(1, art->width), std::max(1, art->height));
    if (const res::SvgSpec* svg = res::FindSvg(id, png); svg && svg->path)
        return QSize(svg->width, svg->height);
    return {};
}

QImage Load(UINT id, bool png) {
    const quint64 key = (static_cast<quint64>(png) << 32) | id;
    auto it = Cache().constFind(key);
    if (it != Cache().constEnd())
        return *it;
    QImage img;
    if (const res::ArtSpec* art = res::FindArt(id); art && art->png == png)
        img = res::PaintArt(*art);
    else if (const res::SvgSpec* svg = res::FindSvg(id, png))
        img = RenderSvg(svg->path, svg->width, svg->height, png);
    // Window-sized backgrounds are loaded once by the window that shows them, which keeps its own
    // copy once it draws from it: a second copy here cost a few megabytes each.
    constexpr qsizetype kLargestCached = 1 << 20;
    if (!img.isNull() && img.sizeInBytes() <= kLargestCached)
        Cache().insert(key, img);
    return img;
}
} // namespace

void ResourceLoader::SetChinese(BOOL chinese) {
    g_chinese = chinese != FALSE;
    // The toolkit's standard dialogs follow the language too.
    CToolkitTranslator::Apply(chinese);
}

BOOL ResourceLoader::IsChinese() {
    return g_chinese ? TRUE : FALSE;
}

QImage ResourceLoader::LoadBitmapImage(UINT id) {
    return Load(id, false);
}

QImage ResourceLoader::LoadPngImage(UINT id) {
    return Load(id, true);
}

QSize ResourceLoader::BitmapSize(UINT id) {
    return ImageSize(id, false);
}

QSize ResourceLoader::PngSize(UINT id) {
    return ImageSize(id, true);
}

BOOL ResourceLoader::LoadCursor(UINT id, QCursor* cursor) {
    const res::CursorSpec* spec = res::FindCursor(id);
    if (!spec || !cursor)
        return FALSE;
    QImage img = RenderSvg(spec->svgPath, 32, 32, true);
    if (img.isNull())
        return FALSE;
    *cursor = QCursor(QPixmap::fromImage(img), spec->hotX, spec->hotY);
    return TRUE;
}

BOOL ResourceLoader::LoadString(UINT id, CString& text) {
    const res::StringSpec* s = res::FindString(id);
    if (!s) {
        text.Empty();
        return FALSE;
    }
    text = Pick(s->en, s->zh);
    return TRUE;
}

const char* ResourceLoader::Pick(const char* en, const char* zh) {
    if (g_chinese && zh && *zh)
        return zh;
    return en ? en : "";
}

void ResourceLoader::ClearCache() {
    Cache().clear();
}
