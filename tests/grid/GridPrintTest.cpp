// The grid's own print job, printed to PDF files and read back.
#include "GridExtFixture.h"
#include "ReportFiles.h"

#include "platform/ui/PrintDialog.h"

#include <filesystem>

using namespace gridext;

namespace {

class GridPrintTest : public GridExtTest {
protected:
    void SetUp() override {
        GridExtTest::SetUp();
        pdf = testing::TempDir() + "grid-print.pdf";
        std::filesystem::remove(pdf);
        SetPrintDialogHook([this](PRINTDLG& pd, PrintTarget& target) {
            flags = pd.Flags;
            ++dialogs;
            pd.Flags |= PD_PRINTTOFILE;
            target.file = pdf;
            return TRUE;
        });
    }
    void TearDown() override { SetPrintDialogHook(nullptr); }
    std::string pdf;
    DWORD flags = 0;
    int dialogs = 0;
};

TEST_F(GridPrintTest, PrintsHeaderTitlesRowsAndFooterOnEveryPage) {
    Shape(grid, 121, 4);
    grid.SetItemText(0, 1, "Preset");
    grid.SetItemText(0, 2, "Gain");
    grid.SetItemText(57, 1, "Row fifty-seven");
    grid.SetItemText(120, 3, "Last cell");
    parent.SetWindowText("Machine presets");
    grid.Print();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(flags & PD_NOPAGENUMS);
    EXPECT_TRUE(flags & PD_HIDEPRINTTOFILE);
    EXPECT_TRUE(flags & PD_NOSELECTION);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const int pages = reporttest::PdfPages(pdf);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(reporttest::PdfInfo(pdf, "Title"), "R9VQ-TN");
    for (int page = 1; page <= pages; ++page) {
        const std::string text = reporttest::PdfText(pdf, page);
        EXPECT_NE(text.find("R9VQ-TN"), std::string::npos) << page;
        EXPECT_NE(text.find("Machine presets"), std::string::npos) << page;
        EXPECT_NE(text.find("Preset"), std::string::npos) << page; // column titles on every page
        EXPECT_NE(text.find("Page " + std::to_string(page) + " of " + std::to_string(pages)),
                  std::string::npos)
            << page;
    }
    const std::string all = reporttest::PdfText(pdf);
    EXPECT_NE(all.find("Row fifty-seven"), std::string::npos);
    EXPECT_NE(all.find("Last cell"), std::string::npos);
    EXPECT_NE(reporttest::PdfText(pdf, 1).find("1,1"), std::string::npos);
    EXPECT_EQ(reporttest::PdfText(pdf, 1).find("120,1"), std::string::npos);
    EXPECT_NE(reporttest::PdfText(pdf, pages).find("120,1"), std::string::npos);
    reporttest::KeepInTestOut(pdf, "grid_print.pdf");
}

TEST_F(GridPrintTest, AGridWithoutRowsPrintsNothing) {
    Shape(grid, 1, 4);
    grid.Print();
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

} // namespace
