#include "platform/ui/PrintDialog.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/InputState.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace {
PrintDialogHook& Hook() {
    static PrintDialogHook hook;
    return hook;
}
} // namespace

void SetPrintDialogHook(PrintDialogHook hook) {
    Hook() = std::move(hook);
}

CPrintDialog::CPrintDialog(BOOL, DWORD flags, CWnd* parent) : m_parent(parent) {
    m_pd.Flags = flags;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal() {
    auto dc = std::make_unique<CPrinterDC>();
    const CInputState::ModalLoop pointerTaken;
    if (Hook()) {
        PrintTarget target;
        if (!Hook()(m_pd, target))
            return IDCANCEL;
        if (m_pd.Flags & PD_PRINTTOFILE)
            dc->SetOutputFile(CString(target.file));
        else
            dc->SetPrinterName(CString(target.printer));
    } else {
        QPrinter* printer = dc->Printer();
        CWnd* owner = CDialog::ModalOwnerFor(m_parent);
        QPrintDialog dialog(printer, owner ? owner->Widget() : nullptr);
        QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
        if (!(m_pd.Flags & PD_NOPAGENUMS))
            options |= QAbstractPrintDialog::PrintPageRange;
        if (!(m_pd.Flags & PD_NOSELECTION))
            options |= QAbstractPrintDialog::PrintSelection;
        dialog.setOptions(options);
        dialog.setMinMax(m_pd.nMinPage, m_pd.nMaxPage);
        if (m_pd.Flags & PD_PAGENUMS)
            dialog.setFromTo(m_pd.nFromPage, m_pd.nToPage);
        if (dialog.exec() != QDialog::Accepted)
            return IDCANCEL;
        m_pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION | PD_PRINTTOFILE);
        if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
            m_pd.Flags |= PD_PAGENUMS;
            m_pd.nFromPage = static_cast<WORD>(dialog.fromPage());
            m_pd.nToPage = static_cast<WORD>(dialog.toPage());
        }
        if (printer->outputFormat() == QPrinter::PdfFormat)
            m_pd.Flags |= PD_PRINTTOFILE;
        m_pd.nCopies = static_cast<WORD>(printer->copyCount());
    }
    m_dc = std::move(dc);
    m_pd.hDC = m_dc->GetSafeHdc();
    return IDOK;
}

HDC CPrintDialog::GetPrinterDC() const {
    return m_dc ? m_dc->GetSafeHdc() : nullptr;
}

int CPrintDialog::GetFromPage() const {
    return PrintRange() ? m_pd.nFromPage : m_pd.nMinPage;
}

int CPrintDialog::GetToPage() const {
    return PrintRange() ? m_pd.nToPage : m_pd.nMaxPage;
}

CString CPrintDialog::GetDeviceName() const {
    return m_dc ? m_dc->GetPrinterName() : CString();
}
