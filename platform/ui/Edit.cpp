#include "platform/ui/Edit.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/WndBridge.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QPainter>
#include <QValidator>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace {

int BytesOf(const QString& s) {
    int n = 0;
    for (const uint c : s.toUcs4())
        n += c < 0x80 ? 1 : 2;
    return n;
}

// Refuses typed text beyond the byte limit (and non-digits with ES_NUMBER).
class LimitValidator : public QValidator {
public:
    LimitValidator(QObject* parent, const int* limit, bool digitsOnly)
        : QValidator(parent), m_limit(limit), m_digits(digitsOnly) {}
    State validate(QString& input, int&) const override {
        if (BytesOf(input) > *m_limit)
            return Invalid;
        if (m_digits)
            for (const QChar c : input)
                if (!c.isDigit())
                    return Invalid;
        return Acceptable;
    }

private:
    const int* m_limit;
    bool m_digits;
};

QLineEdit* Line(QWidget* w) {
    return qobject_cast<QLineEdit*>(w);
}

} // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Edit", "", style, rect, parent, id);
}

QWidget* CEdit::CreateWidget(QWidget* parent) {
    if (m_style & ES_MULTILINE) {
        auto* text = new WndBridge<QPlainTextEdit>(this, parent);
        text->setFrameShape(QFrame::NoFrame);
        text->setPlainText(QString::fromUtf8(m_text.GetString()).replace("\r\n", "\n"));
        text->document()->setModified(false);
        text->setVerticalScrollBarPolicy((m_style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
        text->setHorizontalScrollBarPolicy((m_style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
        text->setLineWrapMode((m_style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
                                                                        : QPlainTextEdit::WidgetWidth);
        text->setReadOnly(m_style & ES_READONLY);
        text->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(text, &QPlainTextEdit::textChanged, text, [this] {
            NotifyParent(EN_UPDATE);
            NotifyParent(EN_CHANGE);
        });
        return text;
    }
    auto* edit = new WndBridge<QLineEdit>(this, parent);
    edit->setFrame(false);
    edit->setAutoFillBackground(false);
    edit->setText(QString::fromUtf8(m_text.GetString()));
    edit->setModified(false);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] {
        NotifyParent(EN_UPDATE);
        NotifyParent(EN_CHANGE);
    });
    return edit;
}

void CEdit::ApplyStyle() {
    CWnd::ApplyStyle();
    QLineEdit* edit = Line(m_widget);
    if (!edit)
        return;
    edit->setReadOnly(m_style & ES_READONLY);
    edit->setEchoMode((m_style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
    Qt::Alignment align = Qt::AlignLeft;
    if (m_style & ES_CENTER)
        align = Qt::AlignHCenter;
    else if (m_style & ES_RIGHT)
        align = Qt::AlignRight;
    edit->setAlignment(align | Qt::AlignVCenter);
    if (!edit->validator())
        edit->setValidator(new LimitValidator(edit, &m_limit, m_style & ES_NUMBER));
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    (void)noScroll;
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
    SetSel(static_cast<SHORT>(LOWORD(selection)), static_cast<SHORT>(HIWORD(selection)), noScroll);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                                          reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL));
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : ""));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(const_cast<CEdit*>(this)->SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL modified) {
    SendMessage(EM_SETMODIFY, modified);
}

void CEdit::LimitText(int bytes) {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(bytes));
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT));
}

int CEdit::LineLength(int line) const {
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_LINELENGTH, static_cast<WPARAM>(line)));
}

void CEdit::SetPasswordChar(char ch) {
    SendMessage(EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)));
}

BOOL CEdit::CanUndo() const {
    return static_cast<BOOL>(const_cast<CEdit*>(this)->SendMessage(EM_CANUNDO));
}

BOOL CEdit::Undo() {
    return static_cast<BOOL>(SendMessage(EM_UNDO));
}

void CEdit::Clear() {
    SendMessage(WM_CLEAR);
}
void CEdit::Copy() {
    SendMessage(WM_COPY);
}
void CEdit::Cut() {
    SendMessage(WM_CUT);
}
void CEdit::Paste() {
    SendMessage(WM_PASTE);
}

int CEdit::ByteLength(const char* utf8) {
    return utf8 ? BytesOf(QString::fromUtf8(utf8)) : 0;
}

void CEdit::PaintBackground() {
    QLineEdit* edit = Line(m_widget);
    if (!edit)
        return;
    // The colours are asked on a scratch DC: the edit paints its own text with them, and a solid
    // brush becomes its background (a hollow one leaves the parent visible). The DC has no surface:
    // only its colours are read, and a painter per edit per paint cost a tenth of a page repaint.
    const bool staticLook = edit->isReadOnly() || !IsWindowEnabled();
    CDC dc;
    dc.AttachPainter(nullptr);
    dc.SetBkMode(OPAQUE);
    HBRUSH brush = SendCtlColor(&dc, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    const QColor base =
        brush && brush->brushStyle != BS_NULL ? gdi::ToQColor(brush->colour) : QColor(Qt::transparent);
    const QColor text =
        IsWindowEnabled() ? gdi::ToQColor(dc.GetTextColor()) : gdi::ToQColor(GetSysColor(COLOR_GRAYTEXT));
    dc.DeleteDC();
    QPalette pal = edit->palette();
    QPalette next = pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        next.setColor(group, QPalette::Text, text);
        next.setColor(group, QPalette::Base, base);
        next.setColor(group, QPalette::Window, Qt::transparent);
    }
    if (next != pal)
        edit->setPalette(next);
}

int CEdit::GetLineCount() const {
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETLINECOUNT));
}

void CEdit::LineScroll(int lines, int chars) {
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), static_cast<LPARAM>(lines));
}

int CEdit::GetFirstVisibleLine() const {
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETFIRSTVISIBLELINE));
}

LRESULT CEdit::MultiLineProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* text = qobject_cast<QPlainTextEdit*>(m_widget);
    auto toText = [](const QString& s) { return QString(s).replace("\n", "\r\n").toUtf8(); };
    switch (message) {
    case WM_SETTEXT:
        text->setPlainText(
            QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "").replace("\r\n", "\n"));
        text->document()->setModified(false);
        return TRUE;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        const QByteArray t = toText(text->toPlainText());
        const size_t n = std::min<size_t>(wParam - 1, static_cast<size_t>(t.size()));
        std::memcpy(buf, t.constData(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return toText(text->toPlainText()).size();
    case EM_GETLINECOUNT:
        return std::max(1, text->document()->blockCount());
    case EM_LINESCROLL: {
        QScrollBar* bar = text->verticalScrollBar();
        bar->setValue(bar->value() + static_cast<int>(lParam));
        return TRUE;
    }
    case EM_GETFIRSTVISIBLELINE:
        return text->verticalScrollBar()->value();
    case EM_SCROLLCARET:
        text->ensureCursorVisible();
        return TRUE;
    case EM_SETSEL: {
        QTextCursor c = text->textCursor();
        const int len = static_cast<int>(text->toPlainText().size());
        const int start = static_cast<int>(wParam), end = static_cast<int>(lParam);
        if (start < 0) {
            c.clearSelection();
        } else {
            c.setPosition(std::min(start, len));
            c.setPosition(end < 0 ? len : std::min(end, len), QTextCursor::KeepAnchor);
        }
        text->setTextCursor(c);
        return 0;
    }
    case EM_REPLACESEL:
        text->insertPlainText(
            QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "").replace("\r\n", "\n"));
        return 0;
    case EM_SETREADONLY:
        text->setReadOnly(wParam != 0);
        m_style = wParam ? (m_style | ES_READONLY) : (m_style & ~ES_READONLY);
        return TRUE;
    case EM_GETMODIFY:
        return text->document()->isModified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        text->document()->setModified(wParam != 0);
        return 0;
    case EM_LINELENGTH:
        return BytesOf(text->textCursor().block().text());
    case WM_COPY:
        text->copy();
        return 0;
    case WM_CUT:
        text->cut();
        return 0;
    case WM_PASTE:
        text->paste();
        return 0;
    case WM_LBUTTONDOWN:
        if (GetFocus() != this)
            SetFocus();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        NotifyParent(message == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
        return r;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (qobject_cast<QPlainTextEdit*>(m_widget))
        return MultiLineProc(message, wParam, lParam);
    QLineEdit* edit = Line(m_widget);
    if (!edit)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        edit->setText(QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        edit->setModified(false);
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        const QByteArray t = edit->text().toUtf8();
        const size_t n = std::min<size_t>(wParam - 1, static_cast<size_t>(t.size()));
        std::memcpy(buf, t.constData(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return edit->text().toUtf8().size();
    case EM_SETSEL: {
        const int start = static_cast<int>(wParam), end = static_cast<int>(lParam);
        const int len = static_cast<int>(edit->text().size());
        if (start < 0)
            edit->deselect();
        else if (start == 0 && end == -1)
            edit->selectAll();
        else {
            const int s = std::min(start, len), e = end < 0 ? len : std::min(end, len);
            edit->setSelection(s, e - s);
        }
        return 0;
    }
    case EM_GETSEL: {
        DWORD s = static_cast<DWORD>(edit->cursorPosition()), e = s;
        if (edit->hasSelectedText()) {
            s = static_cast<DWORD>(edit->selectionStart());
            e = static_cast<DWORD>(edit->selectionEnd());
        }
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = s;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = e;
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(s), static_cast<WORD>(e)));
    }
    case EM_REPLACESEL:
        edit->insert(QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        return 0;
    case EM_SETREADONLY:
        edit->setReadOnly(wParam != 0);
        if (wParam)
            m_style |= ES_READONLY;
        else
            m_style &= ~ES_READONLY;
        edit->update();
        return TRUE;
    case EM_GETMODIFY:
        return edit->isModified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        edit->setModified(wParam != 0);
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
        return 0;
    case EM_GETLIMITTEXT:
        return m_limit;
    case EM_LINELENGTH:
        return BytesOf(edit->text());
    case EM_LINEFROMCHAR:
        return 0;
    case EM_SETPASSWORDCHAR:
        edit->setEchoMode(wParam ? QLineEdit::Password : QLineEdit::Normal);
        return 0;
    case EM_CANUNDO:
        return edit->isUndoAvailable() ? TRUE : FALSE;
    case EM_UNDO:
        edit->undo();
        return TRUE;
    case WM_CUT:
        edit->cut();
        return 0;
    case WM_COPY:
        edit->copy();
        return 0;
    case WM_PASTE:
        edit->paste();
        return 0;
    case WM_CLEAR:
        edit->del();
        return 0;
    case WM_PAINT:
        PaintBackground();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        if (message == WM_KILLFOCUS && GetCapture() == this)
            ::ReleaseCapture();
        NotifyParent(message == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The edit takes the focus itself (the toolkit's click focus is off for every window). Only
        // a real press captures: a press sent by code has no release to end the capture.
        const bool real = HasToolkitDefault(message);
        if (GetFocus() != this)
            SetFocus();
        if (!m_hWnd)
            return 0;
        if (real)
            SetCapture();
        break;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == this)
            ::ReleaseCapture();
        break;
    case WM_CHAR: {
        // Characters sent by the program (no key event behind them) are typed here.
        if (!HasToolkitDefault(message)) {
            if (edit->isReadOnly())
                return 0;
            if (wParam == VK_BACK)
                edit->backspace();
            else if (wParam >= 0x20) {
                const char32_t ch = static_cast<char32_t>(wParam);
                const QString s = QString::fromUcs4(&ch, 1);
                QString next = edit->text();
                if (BytesOf(next) + BytesOf(s) - BytesOf(edit->selectedText()) > m_limit) {
                    NotifyParent(EN_MAXTEXT);
                    return 0;
                }
                edit->insert(s);
            }
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
