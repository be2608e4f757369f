// The parameter table: its labels and titles in both languages, the rows it fills from the
// document, the dialog (look, refused column resizing), the print to PDF and the .xlsx export
// read back cell by cell, with the export's choices of file and its failures.
#include "ReportFiles.h"
#include "controls/AppObjects.h"
#include "controls/ControlFixture.h"
#include "grid/DataViewDlg.h"
#include "grid/ParameterTable.h"
#include "grid/WorkbookExport.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "platform/core/DiskFaults.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/PrintDialog.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <QScrollBar>
#include <filesystem>
#include <fstream>

using namespace ctltest;
using reporttest::CellRef;
using reporttest::XlsxCells;

namespace {

TEST(ParameterTableLabels, BandCrossoverAndChannelLabelsInBothLanguages) {
    const std::vector<CString> en = CParameterTable::RowLabels(31, false);
    ASSERT_EQ(static_cast<int>(en.size()), CParameterTable::RowCount(31));
    EXPECT_EQ(en.size(), 31u * 6 + 8 + 11);
    const struct {
        size_t row;
        const char* text;
    } cases[] = {
        {0, "EQ1 Type"},
        {1, "EQ1 Gain"},
        {2, "EQ1 Freq"},
        {3, "EQ1 BW"},
        {4, "EQ1 Q"},
        {5, ""},
        {6, "EQ2 Type"},
        {14 * 6 + 0, "EQ15 Type"},
        {14 * 6 + 1, "EQ15Gain"},
        {14 * 6 + 2, "EQ15req"},
        {14 * 6 + 4, "EQ15Q"},
        {15 * 6 + 1, "EQ16 Gain"},
        {29 * 6 + 2, "EQ30req"},
        {30 * 6 + 4, "EQ31Q"},
        {186, "HPF_Type"},
        {187, "HPF_Freq"},
        {188, "HPF_Oct"},
        {189, ""},
        {190, "LPF_Type"},
        {192, "LPF_Oct"},
        {194, "POL"},
        {195, "Delay"},
        {196, "Gain"},
        {197, "IN L"},
        {198, "IN R"},
        {199, "Mute"},
        {200, ""},
        {201, "Threshold"},
        {202, "Attach"},
        {203, "Release"},
        {204, ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(en[k.row], CString(k.text)) << k.row;

    const std::vector<CString> zh = CParameterTable::RowLabels(31, true);
    ASSERT_EQ(zh.size(), en.size());
    const struct {
        size_t row;
        const char* text;
    } zhCases[] = {
        {0, "均衡1类型"},  {1, "均衡1增益"},       {2, "均衡1频率"},  {3, "均衡1宽度"},  {4, "均衡1Q值"},
        {15, "均衡3宽度"}, {30 * 6, "均衡31类型"}, {186, "低切类型"}, {188, "低切斜率"}, {190, "高切类型"},
        {194, "相  位"},   {195, "延  时"},        {199, "静  音"},   {201, "限幅电平"}, {203, "释放时间"},
    };
    for (const auto& k : zhCases)
        EXPECT_EQ(zh[k.row], CString(k.text)) << k.row;
    EXPECT_EQ(CParameterTable::RowLabels(9, false).size(), 9u * 6 + 19);
}

TEST(ParameterTableLabels, OneTitledColumnPerChannel) {
    const char* en[] = {"Args", "MIC", "CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "Effect", "OUT1", "", ""};
    const char* zh[] = {"参数", "话筒", "CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "效果", "输出1", "", ""};
    for (int c = 0; c < CParameterTable::kTitles; ++c) {
        EXPECT_EQ(CParameterTable::ColumnTitle(c, false), CString(en[c])) << c;
        EXPECT_EQ(CParameterTable::ColumnTitle(c, true), CString(zh[c])) << c;
    }
    for (int c = 0; c < CParameterTable::kColumns; ++c)
        EXPECT_FALSE(CParameterTable::ColumnTitle(c, false).IsEmpty()) << c;
    EXPECT_EQ(CWorkbookExport::ColumnName("", 7), CString("Column 8"));
    EXPECT_EQ(CWorkbookExport::ColumnName("CH3", 4), CString("CH3"));
}

struct ParameterTableFixture : ::testing::Test {
    void SetUp() override {
        r9test::ResetModelGlobals();
        doc = std::make_unique<CKTV_Data>();
    }
    void TearDown() override {
        doc.reset();
        r9test::ResetModelGlobals();
    }
    std::unique_ptr<CKTV_Data> doc;
};

TEST_F(ParameterTableFixture, EveryChannelsValuesLandUnderItsOwnColumnInLabelledRows) {
    // A shelf on the mic's first band, a peak on its second.
    CMIC_InData& mic = *doc->GetMic(0);
    mic.GetBand(0)->SetEqType(1);
    mic.GetBand(1)->SetEqType(0);
    const CParameterTable table(*doc);
    EXPECT_EQ(table.GetBands(), OUTPUT_BAND_SLOTS);
    ASSERT_EQ(table.GetRowCount(), CParameterTable::RowCount(OUTPUT_BAND_SLOTS));

    const CFilter& shelf = *mic.GetBand(0);
    EXPECT_EQ(table.GetCell(0, 0), shelf.FormatTypeText());
    EXPECT_EQ(table.GetCell(1, 0), shelf.FormatGainText());
    EXPECT_EQ(table.GetCell(2, 0), shelf.FormatFreqText());
    EXPECT_EQ(table.GetCell(3, 0), shelf.FormatShelfSlopeText());
    EXPECT_EQ(table.GetCell(4, 0), CString());
    const CFilter& peak = *mic.GetBand(1);
    EXPECT_EQ(table.GetCell(6 + 3, 0), peak.FormatBandwidthText());
    EXPECT_EQ(table.GetCell(6 + 4, 0), peak.FormatQText());
    EXPECT_FALSE(table.GetCell(6 + 4, 0).IsEmpty());
    // The mic has fewer bands than output 1: its later band rows stay empty, output 1's do not.
    const int lastBandRow = (OUTPUT_BAND_SLOTS - 1) * 6;
    EXPECT_TRUE(table.GetCell(lastBandRow, 0).IsEmpty());
    EXPECT_EQ(table.GetCell(lastBandRow, 8),
              doc->GetOut(0)->GetBand(OUTPUT_BAND_SLOTS - 1)->FormatTypeText());

    // Music input 3 in column 4 of the list (channel 3), with its crossover and levels.
    const CMusic_InData& in3 = *doc->GetMusic(2);
    const int xo = OUTPUT_BAND_SLOTS * 6;
    EXPECT_EQ(table.GetCell(xo + 0, 3), in3.GetHPF()->FormatFamilyText());
    EXPECT_EQ(table.GetCell(xo + 1, 3), in3.GetHPF()->FormatFreqText());
    EXPECT_EQ(table.GetCell(xo + 2, 3), in3.GetHPF()->FormatSlopeText());
    EXPECT_EQ(table.GetCell(xo + 5, 3), in3.GetLPF()->FormatFreqText());
    const int ch = xo + 8;
    EXPECT_EQ(table.GetCell(ch + 0, 3), in3.FormatPolarityText());
    EXPECT_EQ(table.GetCell(ch + 1, 3), in3.FormatDelayText());
    EXPECT_EQ(table.GetCell(ch + 2, 3), in3.FormatGainText());
    EXPECT_EQ(table.GetCell(ch + 5, 3), in3.FormatOnOffText());
    EXPECT_TRUE(table.GetCell(ch + 7, 3).IsEmpty()); // inputs have no limiter

    const CKTV_OutData& out1 = *doc->GetOut(0);
    EXPECT_EQ(table.GetCell(ch + 3, 8), out1.FormatInLText());
    EXPECT_EQ(table.GetCell(ch + 4, 8), out1.FormatInRText());
    EXPECT_EQ(table.GetCell(ch + 7, 8), out1.FormatLimThresholdText());
    EXPECT_EQ(table.GetCell(ch + 8, 8), out1.FormatLimAttackText());
    EXPECT_EQ(table.GetCell(ch + 9, 8), out1.FormatLimReleaseText());
    EXPECT_EQ(table.GetCell(ch + 1, 7), doc->GetEffect()->FormatDelayText());
    EXPECT_TRUE(table.GetCell(-1, 0).IsEmpty());
    EXPECT_TRUE(table.GetCell(0, 9).IsEmpty());
}

// The dialog made modeless over a parent, filled from a document, with the file and print
// dialogs answered.
struct DataViewFixture : ::testing::Test {
    std::unique_ptr<RecordingParent> parent;
    std::unique_ptr<CKTV_Data> doc;
    std::unique_ptr<CDataViewDlg> dlg;
    std::string folder;
    std::string chosen;
    int fileDialogs = 0;
    OPENFILENAME asked{};
    std::string askedTitle, askedFilter, askedDir, askedExt;
    std::vector<CString> messages;

    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(CreateProgramFonts());
        folder = testing::TempDir() + "dataview/";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        SetFileDialogHook([this](bool, const OPENFILENAME& ofn, std::vector<std::string>& out) {
            ++fileDialogs;
            asked = ofn;
            askedTitle = ofn.lpstrTitle ? ofn.lpstrTitle : "";
            // The filter is NUL-separated: keep its first pair.
            askedFilter = ofn.lpstrFilter ? std::string(ofn.lpstrFilter, 22) : "";
            askedDir = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "";
            askedExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : "";
            if (chosen.empty())
                return FALSE;
            out = {chosen};
            return TRUE;
        });
    }
    void Open() {
        parent = std::make_unique<RecordingParent>(RGB(240, 240, 240), 910, 560);
        doc = std::make_unique<CKTV_Data>();
        dlg = std::make_unique<CDataViewDlg>(doc.get(), CString(folder.c_str()) + "work", parent.get());
        ASSERT_TRUE(dlg->Create(CDataViewDlg::IDD, parent.get()));
        dlg->SetMessageHandler([this](const CString& text) { messages.push_back(text); });
    }
    void TearDown() override {
        SetFileDialogHook(nullptr);
        SetPrintDialogHook(nullptr);
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
        doc.reset();
        parent.reset();
        DeleteProgramObjects();
        r9test::ResetModelGlobals();
    }
    void ClickExport() { r9test::Click(dlg->GetDlgItem(CDataViewDlg::IDC_EXCEL)->Widget(), {5, 5}); }
};

TEST_F(DataViewFixture, TextsColoursAndTheFilledTableInBothLanguages) {
    for (int chinese : {0, 1}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        Open();
        CString caption, print, excel;
        dlg->GetWindowText(caption);
        dlg->GetDlgItemText(CDataViewDlg::IDC_PRINT, print);
        dlg->GetDlgItemText(CDataViewDlg::IDC_EXCEL, excel);
        EXPECT_EQ(caption, CString(chinese ? "参数值显示" : "Report"));
        EXPECT_EQ(print, CString(chinese ? "打印" : "Print"));
        EXPECT_EQ(excel, CString(chinese ? "导出Excel" : "Export Excel"));
        CListCtrl& list = dlg->GetList();
        EXPECT_EQ(list.GetItemCount(), 0); // nothing fills it until FillTable
        EXPECT_EQ(list.GetBkColor(), CDataViewDlg::kListBack);
        EXPECT_EQ(list.GetTextColor(), CDataViewDlg::kListText);
        EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_GRIDLINES);

        dlg->FillTable();
        ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), CParameterTable::kColumns);
        ASSERT_EQ(list.GetItemCount(), CParameterTable::RowCount(OUTPUT_BAND_SLOTS));
        EXPECT_EQ(list.GetColumnWidth(0), 110);
        EXPECT_EQ(list.GetColumnWidth(2), 90);
        EXPECT_EQ(list.GetColumnWidth(3), 80);
        EXPECT_EQ(list.GetHeaderCtrl()->GetColumnText(1), CParameterTable::ColumnTitle(1, chinese));
        EXPECT_EQ(list.GetItemText(0, 0), CParameterTable::BandLabel(1, 0, chinese));
        EXPECT_EQ(list.GetItemText(0, 1), doc->GetMic(0)->GetBand(0)->FormatTypeText());
        EXPECT_EQ(dlg->GetRowKeys().size(), static_cast<size_t>(list.GetItemCount()));
        const QImage img = Render(*dlg, chinese ? "grid_dataview_cn" : "grid_dataview_en");
        CRect rc;
        list.GetWindowRect(&rc);
        dlg->ScreenToClient(&rc);
        EXPECT_GT(CountColour(img, CRect(rc.left + 5, rc.top + 40, rc.right - 5, rc.bottom - 5),
                              CDataViewDlg::kListBack),
                  1000);
        EXPECT_GT(CountNear(img, rc, CDataViewDlg::kListText, 60), 100); // blue cell texts

        // Dragging a column divider leaves the width.
        CHeaderCtrl* header = list.GetHeaderCtrl();
        r9test::Press(header->Widget(), {110, 5});
        r9test::Move(header->Widget(), {170, 5}, Qt::LeftButton);
        r9test::Release(header->Widget(), {170, 5});
        EXPECT_EQ(list.GetColumnWidth(0), 110);
        dlg->DestroyWindow();
    }
}

TEST_F(DataViewFixture, TheLongTableScrollsWithItsBarWheelAndKeys) {
    Open();
    dlg->FillTable();
    CListCtrl& list = dlg->GetList();
    auto* bar = list.Widget()->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    const int last = list.GetItemCount() - list.GetCountPerPage();
    ASSERT_GT(last, 100);
    EXPECT_TRUE(bar->isVisibleTo(list.Widget()));
    EXPECT_EQ(bar->maximum(), last);
    for (int i = 0; i < 100; ++i)
        r9test::Wheel(list.Widget(), {200, 200}, -120);
    EXPECT_EQ(list.GetTopIndex(), last); // the last row at the bottom, no further
    EXPECT_EQ(bar->value(), last);
    Render(*dlg, "grid_dataview_end");
    bar->setValue(10);
    EXPECT_EQ(list.GetTopIndex(), 10);
    // Keys keep the selected row in sight.
    list.SetItemState(10, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocus();
    r9test::Key(list.Widget(), Qt::Key_Up);
    EXPECT_EQ(list.GetTopIndex(), 9);
    r9test::Key(list.Widget(), Qt::Key_End);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), list.GetItemCount() - 1);
    EXPECT_EQ(list.GetTopIndex(), last);
    list.DeleteAllItems();
    EXPECT_FALSE(bar->isVisibleTo(list.Widget()));
}

TEST_F(DataViewFixture, ExportWritesEveryListCellIntoSheetQL800AtTheChosenPath) {
    g_nViewMode = 1;
    Open();
    dlg->FillTable();
    // A new file in a folder of its own: neither the file nor the current folder matter.
    std::filesystem::create_directories(folder + "out");
    chosen = folder + "out/table.xlsx";
    ClickExport();
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(askedTitle, "Load");
    EXPECT_EQ(askedFilter, std::string("Excel (*.xlsx)\0*.xlsx\0", 22));
    EXPECT_EQ(askedExt, "xlsx");
    EXPECT_EQ(askedDir, folder + "work/MusicFile/QL800");
    EXPECT_TRUE(std::filesystem::is_directory(askedDir));
    EXPECT_FALSE(asked.Flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(asked.Flags & OFN_OVERWRITEPROMPT);
    ASSERT_TRUE(std::filesystem::exists(chosen));
    EXPECT_FALSE(std::filesystem::exists("table.xlsx"));
    EXPECT_TRUE(messages.empty());

    EXPECT_NE(reporttest::ZipPart(chosen, "xl/workbook.xml").find("name=\"QL800\""), std::string::npos);
    const auto cells = XlsxCells(chosen);
    CListCtrl& list = dlg->GetList();
    for (int c = 0; c < CParameterTable::kColumns; ++c)
        EXPECT_EQ(cells.at(CellRef(0, c)), std::string(CParameterTable::ColumnTitle(c, false).GetString()))
            << c;
    int compared = 0;
    for (int r = 0; r < list.GetItemCount(); ++r)
        for (int c = 0; c < CParameterTable::kColumns; ++c) {
            const std::string want = list.GetItemText(r, c).GetString();
            const auto it = cells.find(CellRef(r + 1, c));
            EXPECT_EQ(it == cells.end() ? std::string() : it->second, want) << r << "," << c;
            compared += want.empty() ? 0 : 1;
        }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(cells.count(CellRef(list.GetItemCount() + 1, 0)), 0u);

    // Exporting again over the same file replaces it.
    list.SetItemText(0, 1, "changed & <new>");
    ClickExport();
    EXPECT_EQ(XlsxCells(chosen).at("B2"), "changed & <new>");
}

TEST_F(DataViewFixture, ExportDoesNothingWithoutRowsOnCancelOrInOtherViewModes) {
    g_nViewMode = 1;
    Open();
    chosen = folder + "never.xlsx";
    ClickExport(); // empty list
    EXPECT_EQ(fileDialogs, 0);
    dlg->FillTable();
    g_nViewMode = 0;
    ClickExport();
    EXPECT_EQ(fileDialogs, 0);
    g_nViewMode = 2;
    chosen.clear(); // cancel
    ClickExport();
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(folder + "never.xlsx"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(DataViewFixture, AWorkbookThatCannotBeWrittenIsToldToTheUser) {
    g_nViewMode = 1;
    g_bChinese = 0;
    Open();
    dlg->FillTable();
    std::ofstream(folder + "plain-file") << "x";
    chosen = folder + "plain-file/table.xlsx"; // its folder is a file
    ClickExport();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Find("The Excel file could not be written"), 0);
}

// The old workbook is replaced only by a whole new one: a full disk keeps it as it was.
TEST_F(DataViewFixture, AFailedExportKeepsThePreviousWorkbook) {
    g_nViewMode = 1;
    g_bChinese = 0;
    Open();
    dlg->FillTable();
    chosen = folder + "kept.xlsx";
    ClickExport();
    ASSERT_TRUE(messages.empty());
    const std::string before = reporttest::ZipPart(chosen, "xl/sharedStrings.xml");
    dlg->GetList().SetItemText(0, 1, "never written");
    {
        disktest::InjectedFullDisk full;
        ClickExport();
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Find("The Excel file could not be written"), 0);
    EXPECT_EQ(reporttest::ZipPart(chosen, "xl/sharedStrings.xml"), before);
    EXPECT_EQ(disktest::Names(folder), (std::vector<std::string>{"kept.xlsx", "work"}));
}

TEST_F(DataViewFixture, PrintsTheFilledTableToAPdf) {
    Open();
    dlg->FillTable();
    const std::string pdf = folder + "table.pdf";
    SetPrintDialogHook([&](PRINTDLG& pd, PrintTarget& target) {
        pd.Flags |= PD_PRINTTOFILE;
        target.file = pdf;
        return TRUE;
    });
    r9test::Click(dlg->GetDlgItem(CDataViewDlg::IDC_PRINT)->Widget(), {5, 5});
    const int pages = reporttest::PdfPages(pdf);
    ASSERT_GE(pages, 2);
    const std::string first = reporttest::PdfText(pdf, 1);
    for (const char* text : {"Args", "MIC", "CH6", "Effect", "OUT1", "EQ1 Type",
                             "This is the report of the file", "Just a huar for the footers"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
    EXPECT_NE(first.find("Page 1 of " + std::to_string(pages)), std::string::npos);
    const std::string last = reporttest::PdfText(pdf, pages);
    EXPECT_NE(last.find("Release"), std::string::npos);
    reporttest::KeepInTestOut(pdf, "grid_dataview_print.pdf");
}

TEST_F(DataViewFixture, TheChineseTablePrintsItsLabelsAndTitles) {
    g_bChinese = 1;
    Open();
    dlg->FillTable();
    const std::string pdf = folder + "table-cn.pdf";
    SetPrintDialogHook([&](PRINTDLG& pd, PrintTarget& target) {
        pd.Flags |= PD_PRINTTOFILE;
        target.file = pdf;
        return TRUE;
    });
    r9test::Click(dlg->GetDlgItem(CDataViewDlg::IDC_PRINT)->Widget(), {5, 5});
    const std::string first = reporttest::PdfText(pdf, 1);
    for (const char* text : {"参数", "话筒", "效果", "输出1", "均衡1类型", "均衡1宽度", "参量均衡"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
}

} // namespace
