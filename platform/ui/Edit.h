// CEdit: the edit control over a QLineEdit (a plain-text editor with ES_MULTILINE). Its text is UTF-8; byte
// counts (limits, line lengths) count every non-ASCII character as two bytes, as the system's double-byte
// code page does. The parent gets EN_SETFOCUS, EN_KILLFOCUS, EN_UPDATE, EN_CHANGE and EN_MAXTEXT as
// WM_COMMAND, and is asked for the colours with WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC while
// read-only or disabled) at every paint: a hollow brush leaves the parent visible.
#pragma once

#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // start 0, end -1 selects everything; start -1 removes the selection.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    // Set by user edits only; text set by the program clears it.
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    // Limit in bytes; 0 = the largest.
    void LimitText(int bytes = 0);
    void SetLimitText(UINT bytes) { LimitText(static_cast<int>(bytes)); }
    UINT GetLimitText() const;
    // Length in bytes of the line (the only line here; -1 = the caret's line).
    int LineLength(int line = -1) const;
    void SetPasswordChar(char ch);
    // Multi-line edits (ES_MULTILINE): lines end in "\r\n" in the window text.
    int GetLineCount() const;
    void LineScroll(int lines, int chars = 0);
    int GetFirstVisibleLine() const;
    BOOL CanUndo() const;
    BOOL Undo();
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Byte count of UTF-8 text with non-ASCII characters counted as two bytes each.
    static int ByteLength(const char* utf8);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyStyle() override;
    void PaintBackground();
    LRESULT MultiLineProc(UINT message, WPARAM wParam, LPARAM lParam);

    int m_limit = 0x7FFFFFFE;
};
