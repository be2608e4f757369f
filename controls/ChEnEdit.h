// CChEnEdit: the text box of the preset-name entry. It either refuses double-byte (non-ASCII)
// characters or keeps each of them on an even byte position by inserting a space before it.
// Characters arrive whole; a non-ASCII character counts as two bytes, as in the GBK code page.
#pragma once

#include "platform/ui/Edit.h"

class CChEnEdit : public CEdit {
public:
    CChEnEdit() = default;
    ~CChEnEdit() override = default;

    void EnableChinese(int flag) { m_bChinese = flag; }
    int IsChineseEnabled() const { return m_bChinese; }
    // Byte length of a text in the double-byte code page (ASCII 1, anything else 2).
    static int ByteLength(const CString& text);
    // The focus-loss alignment: a space before every double-byte character that would start on
    // an odd byte position; no insertion that would take the text past limitBytes (0 = none).
    static CString AlignText(const CString& text, int limitBytes);

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    int m_bChinese = 1;
};
