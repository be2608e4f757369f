// CDataViewDlg (dialog 102): the parameter table. A report list with a label column and one
// column per channel (CParameterTable), printed through CListCtrlPrint and exported as an .xlsx
// workbook with one sheet "QL800". Its columns cannot be resized. A failed export is told
// through the message handler the opener gives.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

#include <functional>
#include <vector>

class CKTV_Data;

class CDataViewDlg : public CDialog {
public:
    enum : UINT { IDD = 102 };
    enum : int { IDC_PRINT = 1366, IDC_LIST = 1367, IDC_CLOSE = 1368, IDC_EXCEL = 1369 };

    // workDir: the folder the program started in (the export starts in its MusicFile/QL800).
    CDataViewDlg(CKTV_Data* doc, const CString& workDir, CWnd* parent = nullptr);
    ~CDataViewDlg() override;

    BOOL OnInitDialog() override;
    // Columns and rows from the document.
    void FillTable();
    void OnPrintList();
    void OnExportExcel();
    // The chosen workbook's full path, or empty when cancelled.
    CString ChooseExcelFile();
    // Creates every folder along path (and path itself unless it names a file); whether path exists.
    static BOOL EnsurePath(const CString& path, BOOL isFile);

    using MessageHandler = std::function<void(const CString& text)>;
    void SetMessageHandler(MessageHandler handler) { m_onMessage = std::move(handler); }

    CListCtrl& GetList() { return m_list; }
    const std::vector<CString>& GetRowKeys() const { return m_strRowKey; }

    static constexpr COLORREF kListBack = RGB(0xF7, 0xF7, 0xFF);
    static constexpr COLORREF kListText = RGB(0x00, 0x00, 0xFF);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnClose1368();

    CListCtrl m_list;
    std::vector<CString> m_strRowKey;
    CString m_strPrint;
    CString m_strClose;
    CString m_strExcel;
    std::vector<CString> m_strRowLabel;
    std::vector<CString> m_strColTitle;
    CKTV_Data* m_pDoc;
    CString m_strWorkDir;
    MessageHandler m_onMessage;

    DECLARE_MESSAGE_MAP()
};
