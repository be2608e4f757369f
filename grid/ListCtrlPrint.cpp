#include "grid/ListCtrlPrint.h"

#include "grid/ListPrintLayout.h"
#include "platform/ui/Pen.h"

#include <algorithm>

namespace {
constexpr int kTitleChars = 127;
// The first count characters of a UTF-8 text (never a part of one).
CString FirstChars(const CString& text, int count) {
    const char* p = text.GetString();
    int bytes = 0;
    for (int chars = 0; p[bytes]; ++bytes) {
        const bool starts = (static_cast<unsigned char>(p[bytes]) & 0xC0) != 0x80;
        if (starts && chars++ == count)
            break;
    }
    return text.Left(bytes);
}
// Text keeps this many dots off the rules.
int Inset(CDC* dc) {
    return std::max(1, dc->GetDeviceCaps(LOGPIXELSX) / 72);
}
} // namespace

CListCtrlPrint::CListCtrlPrint() = default;

CListCtrlPrint::~CListCtrlPrint() = default;

UINT CListCtrlPrint::ColumnAlignment(int format) {
    if (format & LVCFMT_RIGHT)
        return DT_RIGHT;
    if (format & LVCFMT_CENTER)
        return DT_CENTER;
    return DT_LEFT;
}

BOOL CListCtrlPrint::OnPreparePrinting(CPrintInfo* info, BOOL preview) {
    if (!m_pList || !m_pList->m_hWnd)
        return FALSE;
    m_nItems = m_pList->GetItemCount();
    if (m_nItems <= 0)
        return FALSE;
    CHeaderCtrl* header = m_pList->GetHeaderCtrl();
    m_nCols = header ? header->GetItemCount() : 0;
    if (m_nCols <= 0)
        return FALSE;
    m_pColPos.assign(static_cast<size_t>(m_nCols) + 1, 0);
    m_pColFmt.assign(static_cast<size_t>(m_nCols), 0);
    m_pColTitle.assign(static_cast<size_t>(m_nCols), CString());
    for (int i = 0; i < m_nCols; ++i) {
        m_pColPos[static_cast<size_t>(i) + 1] = m_pList->GetColumnWidth(i);
        m_pColFmt[static_cast<size_t>(i)] = header->GetColumnFormat(i);
        m_pColTitle[static_cast<size_t>(i)] = FirstChars(header->GetColumnText(i), kTitleChars);
    }
    return CPrinterJob::OnPreparePrinting(info, preview);
}

CRect CListCtrlPrint::PageRect(CDC* dc, const CPrintInfo* info) const {
    return CListPrintLayout::PageRect(info->m_rectDraw, dc->GetDeviceCaps(LOGPIXELSX),
                                      dc->GetDeviceCaps(LOGPIXELSY), m_nMarginLeft, m_nMarginTop,
                                      m_nMarginRight, m_nMarginBottom);
}

CString CListCtrlPrint::PageText(int page) const {
    CString text;
    text.Format(m_strPageFmt.GetString(), page, m_nPages);
    return text;
}

int CListCtrlPrint::Header(CDC* dc, const CRect& page, int pageNumber, bool draw) {
    CFont* old = dc->SelectObject(&m_fontHeader);
    const CString number = PageText(pageNumber);
    CRect numberRect(page.left, page.top, page.right, page.top);
    dc->DrawText(number, &numberRect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int numberWidth = std::min(numberRect.Width(), page.Width());
    numberRect.SetRect(page.right - numberWidth, page.top, page.right, page.bottom);
    CRect textRect(page.left, page.top, numberRect.left - m_szHeader.cx, page.bottom);
    CRect measure = textRect;
    const int textHeight =
        m_strHeader.IsEmpty()
            ? 0
            : dc->DrawText(m_strHeader, &measure, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
    CRect numberMeasure = numberRect;
    const int numberHeight =
        dc->DrawText(number, &numberMeasure, DT_CALCRECT | DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX);
    if (draw) {
        dc->DrawText(number, &numberRect, DT_RIGHT | DT_WORDBREAK | DT_NOPREFIX);
        if (!m_strHeader.IsEmpty())
            dc->DrawText(m_strHeader, &textRect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    dc->SelectObject(old);
    return std::max(textHeight, numberHeight);
}

void CListCtrlPrint::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
    if (!dc || !info)
        return;
    m_fontRow.DeleteObject();
    m_fontHeader.DeleteObject();
    m_fontFooter.DeleteObject();
    m_fontRow.CreatePointFont(m_nRowSize * 10, m_strRowFont.GetString(), dc);
    m_fontHeader.CreatePointFont(m_nHeaderSize * 10, m_strHeaderFont.GetString(), dc);
    m_fontFooter.CreatePointFont(m_nFooterSize * 10, m_strFooterFont.GetString(), dc);
    CFont* old = dc->SelectObject(&m_fontRow);
    m_szRow = dc->GetTextExtent("X");
    m_szRow.cy += 4;
    dc->SelectObject(&m_fontHeader);
    m_szHeader = dc->GetTextExtent("X");
    m_szHeader.cy += 4;
    dc->SelectObject(&m_fontFooter);
    m_szFooter = dc->GetTextExtent("X");
    dc->SelectObject(old);

    CRect page = PageRect(dc, info);
    // Until here m_pColPos holds each column's width as the next edge; from now on the scaled edges.
    const std::vector<int> widths(m_pColPos.size() > 1 ? m_pColPos.begin() + 1 : m_pColPos.end(),
                                  m_pColPos.end());
    m_pColPos = CListPrintLayout::ScaleColumns(widths, page.Width());

    // The page count is not known yet: measure the header with the widest number it can show.
    m_nPages = std::max(1, m_nItems);
    page.top += Header(dc, page, m_nPages, false);
    page.top += m_szRow.cy;
    old = dc->SelectObject(&m_fontFooter);
    CRect footer(page.left, page.top, page.right, page.top);
    m_nFooterHeight = (m_strFooter.IsEmpty()
                           ? 0
                           : dc->DrawText(m_strFooter, &footer, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX)) +
                      2;
    dc->SelectObject(old);
    page.bottom -= m_nFooterHeight;

    m_nRowsPerPage = CListPrintLayout::RowsPerPage(page.Height(), m_szRow.cy);
    m_nPages = CListPrintLayout::PageCount(m_nItems, m_nRowsPerPage);
    info->SetMaxPage(static_cast<UINT>(m_nPages));
}

void CListCtrlPrint::OnPrint(CDC* dc, CPrintInfo* info) {
    if (!dc || !info || !m_pList)
        return;
    const int pageNumber = static_cast<int>(info->m_nCurPage);
    CRect page = PageRect(dc, info);
    const int bottom = page.bottom;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    CPen rule(PS_SOLID, std::max(1, dc->GetDeviceCaps(LOGPIXELSX) / 200), RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&rule);
    dc->SelectStockObject(NULL_BRUSH);
    const int inset = Inset(dc);

    // Header.
    page.top += Header(dc, page, pageNumber, true);

    // Column titles, each in its frame.
    CFont* oldFont = dc->SelectObject(&m_fontRow);
    const int rowHeight = m_szRow.cy;
    const int left = page.left;
    dc->Rectangle(left, page.top, left + m_pColPos.back() + 1, page.top + rowHeight + 1);
    for (int c = 0; c < m_nCols; ++c) {
        CRect cell(left + m_pColPos[static_cast<size_t>(c)], page.top,
                   left + m_pColPos[static_cast<size_t>(c) + 1], page.top + rowHeight);
        dc->Rectangle(cell.left, cell.top, cell.right + 1, cell.bottom + 1);
        CRect text = cell;
        text.DeflateRect(inset, 0);
        dc->DrawText(m_pColTitle[static_cast<size_t>(c)], &text,
                     ColumnAlignment(m_pColFmt[static_cast<size_t>(c)]) | DT_VCENTER | DT_SINGLELINE |
                         DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    page.top += rowHeight;

    // Row slots: texts where a row exists, the left and bottom rules everywhere.
    const int first = CListPrintLayout::FirstRow(pageNumber, m_nRowsPerPage);
    int y = page.top;
    for (int slot = 0; slot < m_nRowsPerPage; ++slot) {
        const int row = first + slot;
        for (int c = 0; c < m_nCols; ++c) {
            const int x0 = left + m_pColPos[static_cast<size_t>(c)],
                      x1 = left + m_pColPos[static_cast<size_t>(c) + 1];
            if (row < m_nItems) {
                CRect text(x0 + inset, y, x1 - inset, y + rowHeight);
                dc->DrawText(m_pList->GetItemText(row, c), &text,
                             ColumnAlignment(m_pColFmt[static_cast<size_t>(c)]) | DT_VCENTER | DT_SINGLELINE |
                                 DT_NOPREFIX | DT_END_ELLIPSIS);
            }
            dc->MoveTo(x0, y);
            dc->LineTo(x0, y + rowHeight + 1);
            dc->MoveTo(x0, y + rowHeight);
            dc->LineTo(x1, y + rowHeight);
        }
        y += rowHeight + 1;
    }
    dc->MoveTo(left, y);
    dc->LineTo(left + m_pColPos.back() + 1, y);

    // Footer at the page bottom.
    dc->SelectObject(&m_fontFooter);
    CRect footer(page.left, bottom - m_nFooterHeight, page.right, bottom);
    dc->DrawText(m_strFooter, &footer, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}

void CListCtrlPrint::OnEndPrinting(CDC*, CPrintInfo*) {
    m_fontRow.DeleteObject();
    m_fontHeader.DeleteObject();
    m_fontFooter.DeleteObject();
}
