// The list print job: its layout arithmetic, and whole jobs printed to PDF files and read back
// (pages, header and footer texts, column titles, cells), with the ways a job ends early.
#include "ReportFiles.h"
#include "controls/ControlFixture.h"
#include "grid/ListCtrlPrint.h"
#include "grid/ListPrintLayout.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/ListCtrl.h"

#include <filesystem>

using namespace ctltest;
using reporttest::PdfPages;
using reporttest::PdfText;

namespace {

TEST(ListPrintLayout, MillimetresPageRectAndScaledColumns) {
    EXPECT_EQ(CListPrintLayout::MillimetresToDots(10, 1200), 472);
    EXPECT_EQ(CListPrintLayout::MillimetresToDots(10, 600), 236);
    EXPECT_EQ(CListPrintLayout::MillimetresToDots(0, 600), 0);
    EXPECT_EQ(CListPrintLayout::PageRect(CRect(0, 0, 4960, 7016), 600, 600, 10, 10, 10, 10),
              CRect(236, 236, 4724, 6780));

    struct Case {
        std::vector<int> widths;
        int page;
        std::vector<int> edges;
    };
    const Case cases[] = {
        {{110, 90, 90}, 580, {0, 220, 400, 580}}, // stretched
        {{400, 400}, 100, {0, 50, 100}},          // a page narrower than the list keeps the shares
        {{110, 90, 90, 80, 80}, 4488, {0, 1097, 1994, 2892, 3690, 4488}}, // truncated, never rounded up
        {{0, 0}, 500, {0, 0, 0}},                                         // no width: nothing to divide by
        {{}, 500, {0}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CListPrintLayout::ScaleColumns(k.widths, k.page), k.edges) << k.page;
}

TEST(ListPrintLayout, RowsPerPageAndPageCount) {
    EXPECT_EQ(CListPrintLayout::RowsPerPage(100, 9), 9);
    EXPECT_EQ(CListPrintLayout::RowsPerPage(109, 9), 9);
    EXPECT_EQ(CListPrintLayout::RowsPerPage(110, 9), 10);
    EXPECT_EQ(CListPrintLayout::RowsPerPage(15, 9), 1); // too small for two rows: still one a page
    EXPECT_EQ(CListPrintLayout::RowsPerPage(-40, 9), 1);

    const struct {
        int items, rows, pages;
    } cases[] = {{20, 10, 2}, {21, 10, 3}, {19, 10, 2}, {1, 10, 1}, {0, 10, 1}, {5, 0, 5}};
    for (const auto& k : cases)
        EXPECT_EQ(CListPrintLayout::PageCount(k.items, k.rows), k.pages) << k.items << "/" << k.rows;
    EXPECT_EQ(CListPrintLayout::FirstRow(1, 40), 0);
    EXPECT_EQ(CListPrintLayout::FirstRow(3, 40), 80);
}

// A list in a window and hooks that answer the print and file dialogs.
struct ListPrintFixture : ::testing::Test {
    RecordingParent parent{RGB(240, 240, 240), 400, 300};
    CListCtrl list;
    std::string pdf;
    int printDialogs = 0;
    int fileDialogs = 0;
    PRINTDLG answer{};
    bool cancelPrint = false;
    bool cancelFile = false;

    void SetUp() override {
        pdf = testing::TempDir() + "list-print.pdf";
        std::filesystem::remove(pdf);
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &parent, 1367));
        SetPrintDialogHook([this](PRINTDLG& pd, PrintTarget&) {
            ++printDialogs;
            answer = pd;
            pd.Flags |= PD_PRINTTOFILE;
            return cancelPrint ? FALSE : TRUE;
        });
        SetFileDialogHook([this](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
            ++fileDialogs;
            chosen = {pdf};
            return cancelFile ? FALSE : TRUE;
        });
    }
    void TearDown() override {
        SetPrintDialogHook(nullptr);
        SetFileDialogHook(nullptr);
    }
    void Fill(int rows) {
        list.InsertColumn(0, "Args", LVCFMT_LEFT, 110);
        list.InsertColumn(1, "CH1", LVCFMT_CENTER, 90);
        list.InsertColumn(2, "CH2", LVCFMT_RIGHT, 90);
        for (int i = 0; i < rows; ++i) {
            CString key, a, b;
            key.Format("Row%03d", i);
            a.Format("A%03d", i);
            b.Format("B%03d", i);
            list.InsertItem(i, key);
            list.SetItemText(i, 1, a);
            list.SetItemText(i, 2, b);
        }
    }
    void Texts(CListCtrlPrint& job) {
        job.m_pList = &list;
        job.m_strHeader = "This is the report of the file\r\nMultiline!\r\n";
        job.m_strFooter = "Just a huar for the footers\r\neventually multiline too ..";
        job.m_strPageFmt = "Page %d of %d";
    }
};

TEST_F(ListPrintFixture, PrintsEveryRowOnPagesWithHeaderTitlesAndFooter) {
    Fill(150);
    CListCtrlPrint job;
    Texts(job);
    ASSERT_TRUE(job.PrintDocument());
    EXPECT_EQ(printDialogs, 1);
    EXPECT_EQ(fileDialogs, 1); // print to file without a file yet asks for one
    EXPECT_EQ(answer.nFromPage, 1);
    EXPECT_EQ(answer.nToPage, 0xFFFF); // the page count is known only after the dialog

    const int pages = job.GetPageCount();
    ASSERT_GT(pages, 1);
    EXPECT_EQ(pages, CListPrintLayout::PageCount(150, job.GetRowsPerPage()));
    EXPECT_EQ(PdfPages(pdf), pages);
    EXPECT_EQ(reporttest::PdfInfo(pdf, "Title"), "senza nome");
    reporttest::KeepInTestOut(pdf, "grid_list_print.pdf");

    const int rows = job.GetRowsPerPage();
    for (int p = 1; p <= pages; ++p) {
        const std::string text = PdfText(pdf, p);
        EXPECT_NE(text.find("Page " + std::to_string(p) + " of " + std::to_string(pages)), std::string::npos)
            << p;
        EXPECT_NE(text.find("This is the report of the file"), std::string::npos) << p;
        EXPECT_NE(text.find("Multiline!"), std::string::npos) << p;
        EXPECT_NE(text.find("Just a huar for the footers"), std::string::npos) << p;
        EXPECT_NE(text.find("eventually multiline too .."), std::string::npos) << p;
        for (const char* title : {"Args", "CH1", "CH2"})
            EXPECT_NE(text.find(title), std::string::npos) << p << title;
        // The page's first and last rows, and not the next page's first.
        char first[16], last[16], next[16];
        std::snprintf(first, sizeof first, "Row%03d", (p - 1) * rows);
        std::snprintf(last, sizeof last, "B%03d", std::min(150, p * rows) - 1);
        std::snprintf(next, sizeof next, "Row%03d", p * rows);
        EXPECT_NE(text.find(first), std::string::npos) << p;
        EXPECT_NE(text.find(last), std::string::npos) << p;
        EXPECT_EQ(text.find(next), std::string::npos) << p;
    }
}

TEST_F(ListPrintFixture, RowsThatFillThePagesExactlyGiveNoBlankPage) {
    Fill(10);
    CListCtrlPrint probe;
    Texts(probe);
    ASSERT_TRUE(probe.PrintDocument());
    const int rows = probe.GetRowsPerPage();
    list.DeleteAllItems();
    list.DeleteColumn(2);
    list.DeleteColumn(1);
    list.DeleteColumn(0);
    Fill(2 * rows);
    CListCtrlPrint job;
    Texts(job);
    ASSERT_TRUE(job.PrintDocument());
    EXPECT_EQ(job.GetPageCount(), 2);
    EXPECT_EQ(PdfPages(pdf), 2);
}

TEST_F(ListPrintFixture, PrintsTheChosenPageRangeOnly) {
    Fill(400);
    SetPrintDialogHook([this](PRINTDLG& pd, PrintTarget& target) {
        pd.Flags |= PD_PRINTTOFILE | PD_PAGENUMS;
        pd.nFromPage = 2;
        pd.nToPage = 3;
        target.file = pdf; // the dialog already named the file
        return TRUE;
    });
    CListCtrlPrint job;
    Texts(job);
    ASSERT_TRUE(job.PrintDocument());
    ASSERT_GE(job.GetPageCount(), 3);
    EXPECT_EQ(fileDialogs, 0);
    EXPECT_EQ(PdfPages(pdf), 2);
    const std::string all = PdfText(pdf);
    EXPECT_EQ(all.find("Page 1 of"), std::string::npos);
    EXPECT_NE(all.find("Page 2 of"), std::string::npos);
    EXPECT_NE(all.find("Page 3 of"), std::string::npos);
}

TEST_F(ListPrintFixture, NothingToPrintOrACancelEndsTheJobWithoutAFile) {
    CListCtrlPrint noList;
    EXPECT_FALSE(noList.PrintDocument());
    CListCtrlPrint empty;
    Texts(empty);
    list.InsertColumn(0, "Args", LVCFMT_LEFT, 110);
    EXPECT_FALSE(empty.PrintDocument()); // columns but no rows: no dialog
    EXPECT_EQ(printDialogs, 0);

    list.DeleteColumn(0);
    Fill(5);
    cancelPrint = true;
    CListCtrlPrint cancelled;
    Texts(cancelled);
    EXPECT_FALSE(cancelled.PrintDocument());
    EXPECT_EQ(printDialogs, 1);
    EXPECT_EQ(fileDialogs, 0);

    cancelPrint = false;
    cancelFile = true;
    CListCtrlPrint noFile;
    Texts(noFile);
    EXPECT_FALSE(noFile.PrintDocument());
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Stops itself after its first page, as a user's cancel would.
class CancellingPrint : public CListCtrlPrint {
public:
    void OnPrint(CDC* dc, CPrintInfo* info) override {
        CListCtrlPrint::OnPrint(dc, info);
        ++printed;
        Cancel();
    }
    int printed = 0;
};

TEST_F(ListPrintFixture, ACancelledJobIsAbortedAndLeavesNoDocument) {
    Fill(150);
    CancellingPrint job;
    Texts(job);
    EXPECT_FALSE(job.PrintDocument());
    EXPECT_EQ(job.printed, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Asks the program to quit while its first page prints.
class QuittingPrint : public CListCtrlPrint {
public:
    void OnPrint(CDC* dc, CPrintInfo* info) override {
        CListCtrlPrint::OnPrint(dc, info);
        ++printed;
        PostQuitMessage(3);
    }
    int printed = 0;
};

TEST_F(ListPrintFixture, AQuitBetweenPagesAbortsTheJobAndStaysForTheProgram) {
    Fill(150);
    QuittingPrint job;
    Texts(job);
    EXPECT_FALSE(job.PrintDocument());
    EXPECT_EQ(job.printed, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
