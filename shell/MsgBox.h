// A hidden window of the main view that shows a message box and closes it again after one
// second (timer 100). The box is ended directly with its default result, never by a synthetic
// key press, which would confirm whatever window has the focus by then.
#pragma once

#include "platform/ui/Wnd.h"

class CMessageBoxDlg;

constexpr UINT_PTR TIMER_MSGBOX_CLOSE = 100;
constexpr UINT MSGBOX_CLOSE_MS = 1000;
constexpr UINT IDC_MSGBOX_WINDOW = 1000;

class CMsgBox : public CWnd {
    DECLARE_DYNAMIC(CMsgBox)
public:
    CMsgBox() = default;
    ~CMsgBox() override;

    using CWnd::Create;
    // Once only: the hidden child of parent (a hidden popup without one).
    BOOL Create(CWnd* parent);
    // Shows the text (OK box, product caption) and ends it after a second; returns its result.
    int ShowAutoClose(CString text);
    void OnTimer(UINT_PTR id) override;

    BOOL IsCreated() const { return m_bCreated; }
    // The box shown now, null when none.
    CMessageBoxDlg* GetOpenBox() const { return m_pBox; }

private:
    CString m_strText;
    BOOL m_bCreated = FALSE;
    CMessageBoxDlg* m_pBox = nullptr;
};
