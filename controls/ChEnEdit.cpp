#include "controls/ChEnEdit.h"

namespace {

// Length in bytes of the UTF-8 sequence starting with byte c.
int SequenceLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

int CChEnEdit::ByteLength(const CString& text) {
    int bytes = 0;
    const char* p = text.GetString();
    const int n = text.GetLength();
    for (int i = 0; i < n;) {
        const auto c = static_cast<unsigned char>(p[i]);
        bytes += c < 0x80 ? 1 : 2;
        i += std::min(SequenceLength(c), n - i);
    }
    return bytes;
}

CString CChEnEdit::AlignText(const CString& text, int limitBytes) {
    CString out;
    int bytes = ByteLength(text);
    int n = 0;
    const char* p = text.GetString();
    const int len = text.GetLength();
    for (int i = 0; i < len;) {
        const auto c = static_cast<unsigned char>(p[i]);
        const int seq = std::min(SequenceLength(c), len - i);
        if (c >= 0x80) {
            // A double-byte character on an odd position gets a space before it while the text
            // still has room for one.
            if (n % 2 == 1 && (limitBytes <= 0 || bytes + 1 <= limitBytes)) {
                out += ' ';
                ++bytes;
                n = 0;
            }
        } else {
            ++n;
        }
        out += CString(p + i, seq);
        i += seq;
    }
    return out;
}

void CChEnEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch < 0x80) {
        CEdit::OnChar(ch, repeat, flags);
        return;
    }
    if (!m_bChinese)
        return;
    // The space goes in as the edit's own typing would put it, at the caret.
    if (LineLength(-1) % 2 == 1)
        ReplaceSel(" ");
    CEdit::OnChar(ch, repeat, flags);
}

void CChEnEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    if (!m_bChinese)
        return;
    CString text;
    GetWindowText(text);
    SetWindowText(AlignText(text, static_cast<int>(GetLimitText())));
}
