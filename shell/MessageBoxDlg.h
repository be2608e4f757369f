// The program's own message box (dialog 116): one centred text and one or two buttons whose
// captions follow the UI language. A code picks the caption and, when positive, closes the box by
// itself after that many milliseconds. Every message of the program goes through ShowMessageBox.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WinUser.h"

#include <functional>

constexpr UINT IDD_MESSAGE_BOX = 116;
// Closes a box whose code is a time-out in milliseconds.
constexpr UINT_PTR TIMER_MESSAGE_BOX = 300;

// Besides MB_OK, MB_OKCANCEL and MB_YESNO: a box with one "Quit" button (the help file's).
constexpr UINT MB_QUIT_ONLY = 0x6;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_TYPEMASK = 0xF;

class CMessageBoxDlg : public CDialog {
public:
    enum : int { IDC_TEXT = 1001 };
    // How a box ends, for the result table.
    enum class Ending { OkButton, Cancel, TimeOut };

    CMessageBoxDlg(LPCTSTR text, UINT type, LPCTSTR caption, int code, CWnd* parent = nullptr);
    explicit CMessageBoxDlg(CWnd* parent);
    ~CMessageBoxDlg() override = default;

    // For the parent-only form: text, type and code, with the product name as caption.
    void SetMessage(LPCTSTR text, UINT type, int code);

    // Runs the box modally (or asks the test answer, see SetMessageBoxAnswer); its result.
    int Show();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // The caption a code gives (the given caption for 0, other positive and other negative codes).
    static CString CaptionForCode(int code, const CString& given);
    // Milliseconds until the box closes itself; 0 when it waits for the user.
    static UINT TimeoutForCode(int code);
    // The result of a box of this type ended this way.
    static int ResultFor(UINT type, Ending ending);
    // Whether a type shows only one (centred) button, and which.
    static int SingleButtonId(UINT type);

    int GetResult() const { return m_nResult; }
    const CString& GetText() const { return m_strText; }
    UINT GetType() const { return m_nType; }
    int GetCode() const { return m_nCode; }

protected:
    void SetButtonTexts();
    void ArrangeButtons();

    CString m_strText;
    UINT m_nType = MB_OK;
    CString m_strCaption;
    int m_nCode = 0;
    int m_nResult = IDOK;
    CRect m_rcOk;
    CRect m_rcCancel;
    CBrush m_brush;
};

// Shows a box modally with the product name as caption; returns the result of the table (IDOK,
// IDCANCEL, IDYES, IDNO). The box blocks its owner's window (without one: the innermost modal
// dialog running, else the main window). This is what the application's message-box hook runs,
// so every caller gets the same box.
int ShowMessageBox(const CString& text, UINT type, int code, CWnd* owner = nullptr);

// The form the link and the pages use: caption and language are not used; the caption comes from
// the code (2000 prompt, 2001 warning, -2..-5 fixed captions).
int ShowTimedMessageBox(CWnd* owner, LPCTSTR text, LPCTSTR caption, UINT type, int language, int timeout);

// Tests: while set, ShowMessageBox (and so ShowTimedMessageBox and CMsgBox) shows nothing and
// returns what the function answers for the box (text, type, code); a test records the boxes it
// is asked in the function. Null shows real boxes again.
using MessageBoxAnswer = std::function<int(const CString& text, UINT type, int code)>;
void SetMessageBoxAnswer(MessageBoxAnswer answer);
