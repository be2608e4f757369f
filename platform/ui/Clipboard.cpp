#include "platform/ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

BOOL CClipboard::SetText(const CString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return FALSE;
    clipboard->setText(QString::fromUtf8(text.GetString(), text.GetLength()));
    return TRUE;
}

BOOL CClipboard::HasText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText() ? TRUE : FALSE;
}

CString CClipboard::GetText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return CString();
    return CString(clipboard->text().toUtf8().toStdString());
}
