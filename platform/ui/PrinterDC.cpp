#include "platform/ui/PrinterDC.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

CPrinterDC::CPrinterDC() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The printable area is what the printer can reach; a PDF page has no such limit.
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    m_bPrinting = true;
    m_hDC = reinterpret_cast<HDC>(this);
}

CPrinterDC::~CPrinterDC() {
    if (m_open)
        AbortDoc();
}

void CPrinterDC::SetPrinterName(const CString& name) {
    m_printer->setOutputFormat(QPrinter::NativeFormat);
    m_printer->setPrinterName(QString::fromUtf8(name.GetString()));
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

CString CPrinterDC::GetPrinterName() const {
    return CString(m_printer->printerName().toUtf8().toStdString());
}

void CPrinterDC::SetOutputFile(const CString& path) {
    m_printer->setOutputFileName(QString::fromUtf8(path.GetString()));
    if (!path.IsEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
}

CString CPrinterDC::GetOutputFile() const {
    return CString(m_printer->outputFileName().toUtf8().toStdString());
}

int CPrinterDC::GetDeviceCaps(int index) const {
    switch (index) {
    case HORZRES:
        return m_printer->width();
    case VERTRES:
        return m_printer->height();
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_printer->resolution();
    default:
        return CDC::GetDeviceCaps(index);
    }
}

int CPrinterDC::StartDoc(const DOCINFO* info) {
    if (m_open)
        return SP_ERROR;
    if (info && info->lpszDocName)
        m_printer->setDocName(QString::fromUtf8(info->lpszDocName));
    if (info && info->lpszOutput && *info->lpszOutput)
        SetOutputFile(info->lpszOutput);
    auto* painter = new QPainter();
    if (!painter->begin(m_printer.get())) {
        delete painter;
        return SP_ERROR;
    }
    AttachPainter(painter, true);
    m_open = true;
    m_pageOpen = false;
    m_pages = 0;
    return 1;
}

int CPrinterDC::StartPage() {
    if (!m_open || m_pageOpen)
        return SP_ERROR;
    // The first page is the one the document opened with.
    if (m_pages > 0 && !m_printer->newPage())
        return SP_ERROR;
    ++m_pages;
    m_pageOpen = true;
    ResetAttributes();
    return 1;
}

int CPrinterDC::EndPage() {
    if (!m_open || !m_pageOpen)
        return SP_ERROR;
    m_pageOpen = false;
    return 1;
}

void CPrinterDC::ClosePainter() {
    QPainter* painter = m_painter;
    AttachPainter(nullptr, true);
    if (painter) {
        if (painter->isActive())
            painter->end();
        delete painter;
    }
    m_open = false;
    m_pageOpen = false;
}

int CPrinterDC::EndDoc() {
    if (!m_open)
        return SP_ERROR;
    ClosePainter();
    return 1;
}

int CPrinterDC::AbortDoc() {
    if (!m_open)
        return SP_ERROR;
    m_printer->abort();
    ClosePainter();
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        QFile::remove(m_printer->outputFileName());
    return 1;
}
