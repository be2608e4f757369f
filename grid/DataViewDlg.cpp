#include "grid/DataViewDlg.h"

#include "grid/ListCtrlPrint.h"
#include "grid/ParameterTable.h"
#include "grid/ReportDialogLayouts.h"
#include "grid/WorkbookExport.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

#include <filesystem>
#include <system_error>

namespace {
constexpr const char* kTable = "QL800";
constexpr int kLabelWidth = 110;
constexpr int kWideWidth = 90;
constexpr int kNarrowWidth = 80;
} // namespace

BEGIN_MESSAGE_MAP(CDataViewDlg, CDialog)
ON_BN_CLICKED(IDC_PRINT, &CDataViewDlg::OnPrintList)
ON_BN_CLICKED(IDC_EXCEL, &CDataViewDlg::OnExportExcel)
ON_COMMAND(IDC_CLOSE, &CDataViewDlg::OnClose1368)
END_MESSAGE_MAP()

CDataViewDlg::CDataViewDlg(CKTV_Data* doc, const CString& workDir, CWnd* parent)
    : CDialog(IDD, parent), m_pDoc(doc), m_strWorkDir(workDir) {
    RegisterReportDialogLayouts();
}

CDataViewDlg::~CDataViewDlg() = default;

void CDataViewDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST, m_list);
}

BOOL CDataViewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool chinese = g_bChinese.load() != 0;
    m_strPrint = chinese ? "打印" : "Print";
    m_strClose = chinese ? "关闭" : "close";
    m_strExcel = chinese ? "导出Excel" : "Export Excel";
    // One label for every row the document's values fill.
    const int bands = m_pDoc ? CParameterTable(*m_pDoc).GetBands() : OUTPUT_BAND_SLOTS;
    m_strRowLabel = CParameterTable::RowLabels(bands, chinese);
    m_strColTitle.clear();
    for (int c = 0; c < CParameterTable::kTitles; ++c)
        m_strColTitle.push_back(CParameterTable::ColumnTitle(c, chinese));

    SetWindowText(chinese ? "参数值显示" : "Report");
    SetDlgItemText(IDC_PRINT, m_strPrint);
    SetDlgItemText(IDC_EXCEL, m_strExcel);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SetBkColor(kListBack);
    m_list.SetTextColor(kListText);
    m_list.SetTextBkColor(kListBack);
    m_strRowKey = m_strRowLabel;
    return TRUE;
}

void CDataViewDlg::FillTable() {
    if (!m_pDoc || !m_list.m_hWnd)
        return;
    const CParameterTable table(*m_pDoc);
    m_strRowKey = CParameterTable::RowLabels(table.GetBands(), g_bChinese.load() != 0);
    m_list.DeleteAllItems();
    while (m_list.GetHeaderCtrl() && m_list.GetHeaderCtrl()->GetItemCount() > 0)
        m_list.DeleteColumn(0);
    for (int c = 0; c < CParameterTable::kColumns; ++c) {
        const int width = c == 0 ? kLabelWidth : c <= 2 ? kWideWidth : kNarrowWidth;
        m_list.InsertColumn(
            c,
            m_strColTitle.size() > static_cast<size_t>(c) ? m_strColTitle[static_cast<size_t>(c)] : CString(),
            LVCFMT_CENTER, width);
    }
    for (int r = 0; r < table.GetRowCount(); ++r) {
        m_list.InsertItem(r, m_strRowKey[static_cast<size_t>(r)]);
        for (int ch = 0; ch < CParameterTable::kChannels; ++ch)
            m_list.SetItemText(r, ch + 1, table.GetCell(r, ch));
    }
}

void CDataViewDlg::OnPrintList() {
    CListCtrlPrint job;
    job.m_pList = &m_list;
    job.m_strHeader = "This is the report of the file\r\nMultiline!\r\n";
    job.m_strFooter = "Just a huar for the footers\r\neventually multiline too ..";
    job.m_strPageFmt = "Page %d of %d";
    job.PrintDocument();
}

BOOL CDataViewDlg::EnsurePath(const CString& path, BOOL isFile) {
    if (path.IsEmpty())
        return FALSE;
    const std::filesystem::path p(path.GetString());
    std::error_code ec;
    const std::filesystem::path folder = isFile ? p.parent_path() : p;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    return std::filesystem::exists(p, ec) ? TRUE : FALSE;
}

CString CDataViewDlg::ChooseExcelFile() {
    const bool chinese = g_bChinese.load() != 0;
    const CString start = m_strWorkDir + "/MusicFile/QL800";
    EnsurePath(start, FALSE);
    char file[MAX_PATH] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = "Excel (*.xlsx)\0*.xlsx\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrInitialDir = start.GetString();
    ofn.lpstrTitle = chinese ? "导出" : "Load";
    ofn.lpstrDefExt = "xlsx";
    // A new file may be named: only its folder has to exist.
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!GetSaveFileName(&ofn))
        return CString();
    return CString(file);
}

void CDataViewDlg::OnExportExcel() {
    if (g_nViewMode != 1 && g_nViewMode != 2)
        return;
    if (!m_list.m_hWnd || m_list.GetItemCount() == 0)
        return;
    const CString path = ChooseExcelFile();
    if (path.IsEmpty())
        return;
    // The chosen file itself, in the folder chosen. An old file there is not deleted first: the
    // export replaces it only once the new one is written whole.
    EnsurePath(path, TRUE);
    std::vector<CString> titles;
    std::vector<std::vector<CString>> rows;
    CWorkbookExport::ReadList(m_list, titles, rows);
    CString error;
    if (!CWorkbookExport::Write(path, kTable, titles, rows, &error) && m_onMessage) {
        CString text;
        if (g_bChinese.load())
            text.Format("导出Excel失败: %s", error.GetString());
        else
            text.Format("The Excel file could not be written: %s", error.GetString());
        m_onMessage(text);
    }
}

void CDataViewDlg::OnClose1368() {
    EndDialog(IDOK);
}

BOOL CDataViewDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && (hdr->code == HDN_BEGINTRACKA || hdr->code == HDN_BEGINTRACKW)) {
        if (result)
            *result = 1;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}
