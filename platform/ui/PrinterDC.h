// CPrinterDC: a device context on a printer of the toolkit's print support: a CUPS printer, or a
// PDF file when an output file is given. Device units are the printer's dots (HORZRES x VERTRES
// is the printable area, LOGPIXELSX/Y its resolution); point fonts made for this DC scale to it.
// StartDoc opens the document, StartPage begins every page after the first on a new sheet,
// AbortDoc drops the document (a PDF file begun is removed).
#pragma once

#include "platform/ui/DC.h"

#include <memory>

constexpr int SP_ERROR = -1;

struct DOCINFO {
    int cbSize;
    LPCTSTR lpszDocName;
    LPCTSTR lpszOutput; // a file: the document goes there as PDF
    LPCTSTR lpszDatatype;
    DWORD fwType;
};

class QPrinter;

class CPrinterDC : public CDC {
public:
    CPrinterDC();
    ~CPrinterDC() override;

    // "" = the system's default printer.
    void SetPrinterName(const CString& name);
    CString GetPrinterName() const;
    // A PDF file instead of the printer ("" = the printer).
    void SetOutputFile(const CString& path);
    CString GetOutputFile() const;

    int GetDeviceCaps(int index) const override;

    int StartDoc(const DOCINFO* info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    // Pages begun in the open or last document.
    int GetPageCount() const { return m_pages; }

    // Platform side: the printer the print dialog sets up.
    QPrinter* Printer() const { return m_printer.get(); }

private:
    void ClosePainter();

    std::unique_ptr<QPrinter> m_printer;
    int m_pages = 0;
    bool m_open = false;
    bool m_pageOpen = false;
};
