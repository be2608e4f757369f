// The printer DC on a PDF file: resolution, point fonts scaled to it, the document and page
// calls in their order, pages in the file, and an aborted document leaving no file. Line ends in
// multi-line text.
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrinterDC.h"
#include "support/RenderToPng.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int PdfPages(const std::string& path) {
    std::string out;
    if (FILE* pipe = popen(("pdfinfo '" + path + "' 2>/dev/null").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    const size_t at = out.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(out.substr(at + 6));
}

TEST(PrinterDCTest, DocumentAndPagesInOrderOnAPdfFile) {
    const std::string pdf = testing::TempDir() + "printer-dc.pdf";
    std::filesystem::remove(pdf);
    CPrinterDC dc;
    dc.SetOutputFile(pdf.c_str());
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    EXPECT_GE(dpi, 300);
    EXPECT_GT(dc.GetDeviceCaps(HORZRES), 8 * dpi); // a whole sheet wide
    EXPECT_TRUE(dc.IsPrinting());

    // 12 points on the printer: 12/72 inch in its dots.
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial", &dc));
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -dpi / 6);
    CFont screen;
    ASSERT_TRUE(screen.CreatePointFont(120, "Arial"));
    screen.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -16);

    EXPECT_EQ(dc.StartPage(), SP_ERROR); // no document yet
    DOCINFO doc{sizeof(DOCINFO), "two pages", nullptr, nullptr, 0};
    ASSERT_GT(dc.StartDoc(&doc), 0);
    EXPECT_EQ(dc.StartDoc(&doc), SP_ERROR);
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(dc.StartPage(), 0);
        EXPECT_EQ(dc.StartPage(), SP_ERROR); // a page at a time
        dc.SelectObject(&font);
        CRect rc(100, 100, 2000, 400);
        EXPECT_GT(dc.DrawText("page", &rc, DT_LEFT | DT_SINGLELINE), 0);
        ASSERT_GT(dc.EndPage(), 0);
    }
    EXPECT_EQ(dc.GetPageCount(), 2);
    ASSERT_GT(dc.EndDoc(), 0);
    EXPECT_EQ(PdfPages(pdf), 2);

    // A document begun and aborted leaves nothing behind.
    const std::string aborted = testing::TempDir() + "printer-dc-aborted.pdf";
    DOCINFO other{sizeof(DOCINFO), "aborted", aborted.c_str(), nullptr, 0};
    ASSERT_GT(dc.StartDoc(&other), 0);
    ASSERT_GT(dc.StartPage(), 0);
    ASSERT_GT(dc.AbortDoc(), 0);
    EXPECT_FALSE(std::filesystem::exists(aborted));
    EXPECT_EQ(dc.EndDoc(), SP_ERROR);
}

TEST(PrinterDCTest, CrLfCrAndLfEachEndALineOfWrappedText) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CRect one(0, 0, 400, 0);
    const int line = dc.DrawText("a", &one, DT_CALCRECT | DT_WORDBREAK);
    CRect lf(0, 0, 400, 0);
    const int two = dc.DrawText("a\nb", &lf, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(two, line + line / 2);
    for (const char* text : {"a\r\nb", "a\rb", "a\r\n\r\nb"}) {
        CRect rc(0, 0, 400, 0);
        const int height = dc.DrawText(text, &rc, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_EQ(height,
                  std::strlen(text) > 4 ? dc.DrawText("a\n\nb", &lf, DT_CALCRECT | DT_WORDBREAK) : two)
            << text;
    }
}

TEST(PrintDialogTest, TheToolkitsDialogRunsAndItsCancelGivesNoPrinter) {
    SetPrintDialogHook(nullptr);
    CPrintDialog dialog(FALSE);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 9;
    bool seen = false;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            seen = true;
            r9test::RenderToPng(w, "platform_ui_print_dialog");
            w->close();
        }
    });
    closer.start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    closer.stop();
    EXPECT_TRUE(seen);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
}

} // namespace
