#include "controls/DropListBox.h"

#include "platform/ui/DC.h"

BEGIN_MESSAGE_MAP(CDropListBox, CListBox)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_KILLFOCUS()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kListBack = RGB(27, 34, 50);
constexpr COLORREF kListHighlight = RGB(13, 133, 138);
} // namespace

CDropListBox::CDropListBox() = default;
CDropListBox::~CDropListBox() = default;

void CDropListBox::MakeGdiObjects() {
    m_pFramePen = std::make_unique<CPen>(PS_SOLID, 1, kListBack);
    m_pBkBrush = std::make_unique<CBrush>(kListBack);
    m_pHighlightBrush = std::make_unique<CBrush>(kListHighlight);
}

int CDropListBox::OnCreate(LPCREATESTRUCT cs) {
    if (CListBox::OnCreate(cs) == -1)
        return -1;
    MakeGdiObjects();
    SetItemHeight(0, 16);
    return 0;
}

void CDropListBox::OnSize(UINT type, int cx, int cy) {
    CListBox::OnSize(type, cx, cy);
    GetClientRect(&m_rcClient);
}

const DropItemInfo* CDropListBox::GetRecord(int index) const {
    if (index < 0 || index >= static_cast<int>(m_records.size()))
        return nullptr;
    return m_records[static_cast<size_t>(index)].get();
}

BOOL CDropListBox::CommitPick(int index, CString& text) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    GetText(index, text);
    SetCurSel(index);
    m_nSavedSel = index;
    return TRUE;
}

int CDropListBox::AddString(LPCTSTR text) {
    auto record = std::make_unique<DropItemInfo>();
    m_pCurRecord = record.get();
    if (m_records.empty())
        ++m_nGroupCount;
    else if (m_records.size() == 1)
        SetCurSel(m_nSavedSel);
    m_records.push_back(std::move(record));
    return CListBox::AddString(text);
}

int CDropListBox::InsertString(int index, LPCTSTR text) {
    const int count = static_cast<int>(m_records.size());
    const int at = (index < 0 || index > count) ? count : index;
    auto record = std::make_unique<DropItemInfo>();
    m_pCurRecord = record.get();
    if (m_records.empty())
        ++m_nGroupCount;
    m_records.insert(m_records.begin() + at, std::move(record));
    return CListBox::InsertString(at == count ? -1 : at, text);
}

int CDropListBox::InsertItem(int group, LPCTSTR text, COLORREF textColour, COLORREF selectedTextColour) {
    if (group > m_nGroupCount + 1)
        return -1;
    auto record = std::make_unique<DropItemInfo>();
    record->textColour = textColour;
    record->selectedTextColour = selectedTextColour;
    if (group == m_nGroupCount + 1) {
        ++m_nGroupCount;
        record->header = 1;
    }
    m_pCurRecord = record.get();
    m_records.push_back(std::move(record));
    return CListBox::AddString(text);
}

int CDropListBox::DeleteItem(UINT index) {
    if (index >= static_cast<UINT>(GetCount()) || index >= m_records.size())
        return -1;
    const auto drop = [this](UINT at) {
        if (m_pCurRecord == m_records[at].get())
            m_pCurRecord = nullptr;
        m_records.erase(m_records.begin() + at);
        CListBox::DeleteString(at);
    };
    if (m_records[index]->header) {
        drop(index);
        while (index < m_records.size() && !m_records[index]->header)
            drop(index);
        --m_nGroupCount;
    } else {
        drop(index);
    }
    return GetCount();
}

void CDropListBox::ResetContent() {
    m_records.clear();
    m_pCurRecord = nullptr;
    m_nGroupCount = 0;
    m_nSavedSel = 0;
    CListBox::ResetContent();
}

void CDropListBox::SetListFont(CFont* font, BOOL redraw) {
    if (m_pFont || !font)
        return; // only the first font counts
    m_pFont = font;
    SetFont(font, redraw);
    LOGFONT lf{};
    font->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_pBoldFont = std::make_unique<CFont>();
    m_pBoldFont->CreateFontIndirect(&lf);
    SetItemHeight(0, static_cast<UINT>(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight));
}

void CDropListBox::SetColor(COLORREF colour) {
    m_pFramePen = std::make_unique<CPen>(PS_SOLID, 1, colour);
    m_pBkBrush = std::make_unique<CBrush>(colour);
    if (m_hWnd) {
        Invalidate();
        UpdateWindow();
    }
}

void CDropListBox::SetHighlightColor(COLORREF colour) {
    m_pHighlightBrush = std::make_unique<CBrush>(colour);
    if (m_hWnd) {
        Invalidate();
        UpdateWindow();
    }
}

void CDropListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CDropListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis || static_cast<int>(dis->itemID) == -1 || !m_pFramePen)
        return;
    const int index = static_cast<int>(dis->itemID);
    CDC* dc = CDC::FromHandle(dis->hDC);
    if (!dc)
        return;
    GetText(index, m_strCurText);
    DropItemInfo* record =
        index < static_cast<int>(m_records.size()) ? m_records[static_cast<size_t>(index)].get() : nullptr;
    if (!record)
        return;
    m_pCurRecord = record;
    const bool highlighted = (dis->itemState & ODS_FOCUS) || (dis->itemState & ODS_SELECTED);
    CRect cell(dis->rcItem);
    cell.InflateRect(1, 1);

    CPen* oldPen = dc->SelectObject(m_pFramePen.get());
    CBrush* oldBrush = dc->SelectObject(m_pBkBrush.get());
    COLORREF text = record->textColour;
    if (highlighted && !record->header) {
        dc->SelectObject(m_pHighlightBrush.get());
        text = record->selectedTextColour;
    }
    dc->Rectangle(&cell);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    CRect textRect = cell;
    textRect.left = 4;
    textRect.right -= 5;
    if (record->header && m_pBoldFont) {
        CFont* oldFont = dc->SelectObject(m_pBoldFont.get());
        CRect measured = textRect;
        dc->DrawText(m_strCurText, &measured, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        dc->DrawText(m_strCurText, &measured, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        CPen line(PS_SOLID, 1, record->textColour);
        dc->SelectObject(&line);
        const int y = (measured.top + measured.bottom) / 2;
        dc->MoveTo(measured.right + 2, y);
        dc->LineTo(m_rcClient.right - 2, y);
        dc->SelectObject(m_pFramePen.get());
        dc->SelectObject(oldFont);
    } else {
        CFont* oldFont = m_pFont ? dc->SelectObject(m_pFont) : nullptr;
        dc->DrawText(m_strCurText, &textRect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        if (oldFont)
            dc->SelectObject(oldFont);
    }
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CDropListBox::OnMouseMove(UINT flags, CPoint point) {
    // The selection follows the mouse without any notification.
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        CRect item;
        if (GetItemRect(i, &item) != LB_ERR && item.PtInRect(point) && GetCurSel() != i)
            SetCurSel(i);
    }
    CListBox::OnMouseMove(flags, point);
}

void CDropListBox::OnKillFocus(CWnd* newWnd) {
    CListBox::OnKillFocus(newWnd);
    if (CWnd* popup = GetParent(); popup && popup->IsWindowVisible())
        popup->ShowWindow(SW_HIDE);
}

HBRUSH CDropListBox::CtlColor(CDC*, UINT) {
    return m_pBkBrush ? static_cast<HBRUSH>(m_pBkBrush->m_hObject) : nullptr;
}
