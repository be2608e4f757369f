// The communication monitor: a log of written data and one of read data, each line optionally
// stamped with the high-resolution clock. The main view creates it hidden; nothing shows it.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"

constexpr UINT IDD_LOCK_DATA = 109;

class CLockDataDlg : public CDialog {
public:
    enum : int {
        IDC_WRITTEN = 1221,
        IDC_READ = 1024,
        IDC_CLEAR = 1222,
        IDC_SMALL1 = 1884,
        IDC_SMALL2 = 1885,
    };

    explicit CLockDataDlg(CWnd* parent = nullptr);
    ~CLockDataDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnClear();
    void AppendWritten(const CString& text, BOOL bStamp, BOOL bNewLine);
    void AppendRead(const CString& text, BOOL bStamp, BOOL bNewLine);
    void AppendWritten(const char* text, BOOL bStamp, BOOL bNewLine) {
        AppendWritten(CString(text), bStamp, bNewLine);
    }
    void AppendRead(const char* text, BOOL bStamp, BOOL bNewLine) {
        AppendRead(CString(text), bStamp, bNewLine);
    }
    // Empties both logs and shows the dialog.
    void ShowMonitor();

    // The log text after one append: the text, " (" seconds ")" with bStamp, "\r\n" with bNewLine.
    static CString ComposeAppend(const CString& log, const CString& text, BOOL bStamp, BOOL bNewLine,
                                 LONGLONG counter);

    CEdit m_editWritten;
    CEdit m_editRead;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void Append(CEdit& edit, const CString& text, BOOL bStamp, BOOL bNewLine);
};

// The monitor the main view created, or null.
extern CLockDataDlg* g_pMonitorDlg;
// The two small edits under the logs (nothing reads them).
extern CWnd* g_pMonitorEdit1;
extern CWnd* g_pMonitorEdit2;
