// CPrinterJob: a print job of its own, outside any document and view: the print dialog (and, for
// print to file without a file yet, a save dialog for the PDF), the document named m_strTitle,
// the page loop from the dialog's from-page to its to-page, and an abort or end. Between pages
// the job serves waiting messages; a quit message or Cancel() ends the job as aborted.
#pragma once

#include "platform/ui/PrintInfo.h"

class CPrinterJob {
public:
    CPrinterJob();
    virtual ~CPrinterJob();
    CPrinterJob(const CPrinterJob&) = delete;
    CPrinterJob& operator=(const CPrinterJob&) = delete;

    // TRUE when the document was printed to its end.
    virtual BOOL PrintDocument();
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual BOOL OnPreparePrinting(CPrintInfo* info, BOOL preview = FALSE);

    BOOL DoPreparePrinting(CPrintInfo* info);
    // Asks a running job to stop at the next page end (the document is then aborted).
    void Cancel() { m_bCancel = true; }

    CString m_strTitle = "senza nome";

protected:
    // The abort procedure: serves waiting messages; FALSE stops the job.
    BOOL ContinuePrinting();
    // The PDF file for print to file; FALSE when cancelled.
    static BOOL ChooseOutputFile(CString& path);

    bool m_bCancel = false;
};
