// ResourceLoader: turns registry rows into images, cursors and texts for the window layer, in
// the current user-interface language. Images are drawn once and cached.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class QCursor;
class QImage;
class QSize;

class ResourceLoader {
public:
    // Picks the text of string tables, menus and dialog layouts (TRUE Chinese, FALSE English).
    static void SetChinese(BOOL chinese);
    static BOOL IsChinese();

    // Opaque bitmap resource; null image when the id does not exist.
    static QImage LoadBitmapImage(UINT id);
    // PNG resource with alpha; null image when the id does not exist.
    static QImage LoadPngImage(UINT id);
    // The size of the bitmap or PNG resource id without drawing it; empty when the id does not exist.
    static QSize BitmapSize(UINT id);
    static QSize PngSize(UINT id);
    // Cursor resource with its hot spot; FALSE when the id does not exist.
    static BOOL LoadCursor(UINT id, QCursor* cursor);
    // String resource in the current language; FALSE (and empty text) when missing.
    static BOOL LoadString(UINT id, CString& text);
    // Picks the language's text of a pair (the English one when the Chinese one is missing).
    static const char* Pick(const char* en, const char* zh);
    static void ClearCache();
};
