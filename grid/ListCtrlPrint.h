// CListCtrlPrint: prints a report list: 10 mm margins; on every page a header (the page-number
// text right-aligned, the header text word-wrapped in the width left of it), a framed row of the
// column titles, ruled row slots with the cells' texts aligned like their columns, and the footer
// text at the page bottom. The columns are stretched or shrunk to the page width.
#pragma once

#include "grid/PrinterJob.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListCtrl.h"

#include <vector>

class CListCtrlPrint : public CPrinterJob {
public:
    CListCtrlPrint();
    ~CListCtrlPrint() override;

    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    BOOL OnPreparePrinting(CPrintInfo* info, BOOL preview = FALSE) override;

    // Pages of the last job laid out.
    int GetPageCount() const { return m_nPages; }
    int GetRowsPerPage() const { return m_nRowsPerPage; }

    int m_nMarginLeft = 10;
    int m_nMarginTop = 10;
    int m_nMarginRight = 10;
    int m_nMarginBottom = 10;
    CFont m_fontRow;
    CFont m_fontHeader;
    CFont m_fontFooter;
    CSize m_szRow;
    CSize m_szHeader;
    CSize m_szFooter;
    std::vector<int> m_pColPos;
    std::vector<int> m_pColFmt;
    std::vector<CString> m_pColTitle;
    int m_nRowsPerPage = 1;
    int m_nCols = 0;
    int m_nItems = 0;
    CListCtrl* m_pList = nullptr;
    CString m_strHeader;
    CString m_strFooter;
    CString m_strPageFmt;
    CString m_strHeaderFont = "Arial";
    CString m_strFooterFont = "Times New Roman";
    CString m_strRowFont = "Arial";
    int m_nHeaderSize = 12;
    int m_nFooterSize = 6;
    int m_nRowSize = 8;
    int m_nFooterHeight = 0;

protected:
    CRect PageRect(CDC* dc, const CPrintInfo* info) const;
    CString PageText(int page) const;
    // Height of the header band; draws it when draw is set.
    int Header(CDC* dc, const CRect& page, int pageNumber, bool draw);
    static UINT ColumnAlignment(int format);

    int m_nPages = 1;
};
