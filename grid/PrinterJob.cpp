#include "grid/PrinterJob.h"

#include "platform/ui/CommDlg.h"
#include "platform/ui/Dialog.h"

#include <algorithm>

namespace {
constexpr UINT kOpenEnded = 0xFFFF;
} // namespace

CPrinterJob::CPrinterJob() = default;

CPrinterJob::~CPrinterJob() = default;

void CPrinterJob::OnPrint(CDC*, CPrintInfo*) {}

void CPrinterJob::OnEndPrinting(CDC*, CPrintInfo*) {}

void CPrinterJob::OnBeginPrinting(CDC*, CPrintInfo*) {}

BOOL CPrinterJob::OnPreparePrinting(CPrintInfo* info, BOOL preview) {
    return preview ? TRUE : DoPreparePrinting(info);
}

BOOL CPrinterJob::DoPreparePrinting(CPrintInfo* info) {
    if (!info || !info->m_pPD)
        return FALSE;
    if (info->GetMaxPage() < info->GetMinPage())
        info->SetMaxPage(info->GetMinPage());
    PRINTDLG& pd = info->m_pPD->m_pd;
    pd.nFromPage = static_cast<WORD>(info->GetMinPage());
    pd.nToPage = static_cast<WORD>(info->GetMaxPage());
    if (info->m_pPD->DoModal() != IDOK || !info->m_pPD->GetPrinterDC())
        return FALSE;
    info->m_strPageDesc = "Page %u\nPages %u-%u\n";
    return TRUE;
}

BOOL CPrinterJob::ChooseOutputFile(CString& path) {
    char file[MAX_PATH] = "Output.pdf";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = "PDF Files (*.pdf)\0*.pdf\0All Files (*.*)\0*.*\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrTitle = "Print to File";
    ofn.lpstrDefExt = "pdf";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!GetSaveFileName(&ofn))
        return FALSE;
    path = file;
    return !path.IsEmpty();
}

BOOL CPrinterJob::ContinuePrinting() {
    MSG msg{};
    while (!m_bCancel && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program still ends once the job is gone.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        DispatchMessage(&msg);
    }
    return m_bCancel ? FALSE : TRUE;
}

BOOL CPrinterJob::PrintDocument() {
    m_bCancel = false;
    CPrintInfo info;
    if (!OnPreparePrinting(&info, FALSE))
        return FALSE;
    CPrinterDC* dc = info.m_pPD->PrinterDC();
    if (!dc)
        return FALSE;

    CString output = dc->GetOutputFile();
    if (info.m_pPD->PrintToFile() && output.IsEmpty() && !ChooseOutputFile(output))
        return FALSE;

    DOCINFO doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = m_strTitle.GetString();
    doc.lpszOutput = output.IsEmpty() ? nullptr : output.GetString();

    info.m_rectDraw.SetRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    dc->DPtoLP(&info.m_rectDraw);
    OnBeginPrinting(dc, &info);

    // The main window comes back after the job, unless a modal dialog still holds it.
    CWnd* main = CDialog::InnermostModal() ? nullptr : AfxGetMainWnd();
    if (dc->StartDoc(&doc) == SP_ERROR) {
        if (main)
            main->EnableWindow(TRUE);
        OnEndPrinting(dc, &info);
        return FALSE;
    }

    const int minPage = static_cast<int>(info.GetMinPage()), maxPage = static_cast<int>(info.GetMaxPage());
    const int from = std::clamp(static_cast<int>(info.GetFromPage()), minPage, maxPage);
    const int to = info.GetToPage() == kOpenEnded
                       ? static_cast<int>(kOpenEnded)
                       : std::clamp(static_cast<int>(info.GetToPage()), minPage, maxPage);
    const int step = to >= from ? 1 : -1;
    bool error = false;
    for (int page = from; step > 0 ? page <= to : page >= to; page += step) {
        info.m_nCurPage = static_cast<UINT>(page);
        // An open-ended job prints its first page only.
        info.m_bContinuePrinting = maxPage != static_cast<int>(kOpenEnded) || page == minPage;
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw.SetRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
        dc->DPtoLP(&info.m_rectDraw);
        if (dc->StartPage() < 0) {
            error = true;
            break;
        }
        const int saved = dc->SaveDC();
        OnPrint(dc, &info);
        dc->RestoreDC(saved);
        if (dc->EndPage() < 0 || !ContinuePrinting()) {
            error = true;
            break;
        }
    }

    if (error)
        dc->AbortDoc();
    else
        dc->EndDoc();
    if (main)
        main->EnableWindow(TRUE);
    OnEndPrinting(dc, &info);
    return error ? FALSE : TRUE;
}
