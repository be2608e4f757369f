// CPrintDialog: the print dialog over the toolkit's (CUPS printers and print to a PDF file). On
// OK it holds a printer DC set up as chosen; "print to file" sets PD_PRINTTOFILE and, when the
// toolkit's dialog already asked for the file, the output file. The page range comes back in
// nFromPage / nToPage with PD_PAGENUMS.
#pragma once

#include "platform/ui/PrinterDC.h"
#include "platform/ui/Wnd.h"

#include <functional>
#include <memory>
#include <string>

constexpr DWORD PD_ALLPAGES = 0x0;
constexpr DWORD PD_SELECTION = 0x1;
constexpr DWORD PD_PAGENUMS = 0x2;
constexpr DWORD PD_NOSELECTION = 0x4;
constexpr DWORD PD_NOPAGENUMS = 0x8;
constexpr DWORD PD_PRINTTOFILE = 0x20;
constexpr DWORD PD_RETURNDC = 0x100;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x100000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x40000;

struct PRINTDLG {
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HDC hDC;
};

// Where the chosen job goes: a printer by name ("" = default) or, with PD_PRINTTOFILE, a file.
struct PrintTarget {
    std::string printer;
    std::string file;
};

// Tests and tools: answers the print dialog instead of showing it; FALSE = cancelled.
using PrintDialogHook = std::function<BOOL(PRINTDLG& pd, PrintTarget& target)>;
void SetPrintDialogHook(PrintDialogHook hook);

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION,
                          CWnd* parent = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    INT_PTR DoModal();
    // The DC of the chosen printer (owned by the dialog), or null before OK.
    HDC GetPrinterDC() const;
    CPrinterDC* PrinterDC() const { return m_dc.get(); }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    int GetFromPage() const;
    int GetToPage() const;
    CString GetDeviceName() const;

    PRINTDLG m_pd{};

private:
    CWnd* m_parent;
    std::unique_ptr<CPrinterDC> m_dc;
};
