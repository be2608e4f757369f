#include "controls/DropBtn.h"

#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "platform/ui/DC.h"

BEGIN_MESSAGE_MAP(CDropBtn, CButton)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_COMBO_SELECT, &CDropBtn::OnComboSelect)
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kDefault = static_cast<COLORREF>(-1);
}

CDropBtn::CDropBtn() = default;

CDropBtn::~CDropBtn() {
    m_pDropWnd.reset();
    if (m_bOwnFont)
        delete m_pFont;
}

CDropListBox* CDropBtn::GetListBox() const {
    return m_pDropWnd ? m_pDropWnd->GetListBox() : nullptr;
}

BOOL CDropBtn::Create(const CString&, const CRect&, CWnd* parent, UINT listId, COLORREF normal,
                      COLORREF hover, COLORREF highlight, COLORREF second, CFont* font) {
    if (normal == kDefault) {
        m_pNormalBrush = std::make_unique<CBrush>(RGB(255, 217, 205));
        m_pHoverBrush = std::make_unique<CBrush>(RGB(233, 229, 255));
    } else {
        m_pNormalBrush = std::make_unique<CBrush>(normal);
        m_pHoverBrush = std::make_unique<CBrush>(hover);
    }
    m_penFrame.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_clrHighlight = highlight == kDefault ? RGB(0, 255, 0) : highlight;
    m_clrSecond = second == kDefault ? 0 : second;
    if (!font) {
        m_pFont = new CFont;
        m_pFont->CreateFont(15, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
        m_bOwnFont = 1;
    } else {
        m_pFont = font;
    }
    m_pArrowBrush = std::make_unique<CBrush>(m_clrHighlight);
    m_penArrow.CreatePen(PS_SOLID, 1, m_clrHighlight);
    GetClientRect(&m_rcClient);
    m_nListWidth = m_rcClient.Width();
    m_pDropWnd = CDropWnd::Make(this, m_pFont);
    if (!m_pDropWnd)
        return FALSE;
    m_nListId = listId;
    m_pParent = parent;
    return TRUE;
}

void CDropBtn::RepaintNow() {
    Invalidate(TRUE);
    UpdateWindow();
}

void CDropBtn::DrawArrow(CDC* dc, int x, int y, int side) {
    const POINT points[3] = {{x, y}, {x + side - 1, y}, {x + side / 2, y + side / 2}};
    CBrush* oldBrush = dc->SelectObject(m_pArrowBrush.get());
    CPen* oldPen = dc->SelectObject(&m_penArrow);
    dc->Polygon(points, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CDropBtn::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis || !m_pNormalBrush)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect item(dis->rcItem);
    CPen* oldPen = dc->SelectObject(&m_penFrame);
    CBrush* oldBrush = dc->SelectObject(m_bHovered ? m_pHoverBrush.get() : m_pNormalBrush.get());
    dc->Rectangle(&item);
    CFont* oldFont = m_pFont ? dc->SelectObject(m_pFont) : nullptr;
    CString caption;
    GetWindowText(caption);
    const CSize m = dc->GetTextExtent(CString("M"));
    const CSize text = dc->GetTextExtent(caption);
    const int offset = (item.Height() - text.cy) / 2;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_clrHighlight);
    DrawArrow(dc, item.right - m.cx - 5, m.cy / 3 + offset, m.cx);
    CRect client;
    GetClientRect(&client);
    CRect captionRect(5, 0, client.right - m.cx - 10, client.bottom);
    dc->DrawText(caption, &captionRect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    if (oldFont)
        dc->SelectObject(oldFont);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CDropBtn::ShowList() {
    // Never above the button.
    if (m_pDropWnd && m_pDropWnd->GetListBox())
        m_rcDrop = m_pDropWnd->ShowUnder(this, m_nListWidth, m_nListMaxHeight, FALSE);
}

void CDropBtn::OnMouseMove(UINT flags, CPoint point) {
    const bool popupShown = m_pDropWnd && m_pDropWnd->IsWindowVisible();
    if (!m_bHovered && !popupShown)
        SetCapture();
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        if (!m_bHovered && !popupShown) {
            m_bHovered = 1;
            RepaintNow();
        }
    } else if (popupShown) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CRect popup;
        m_pDropWnd->GetWindowRect(&popup);
        if (!popup.PtInRect(screen))
            m_pDropWnd->ShowWindow(SW_HIDE);
    } else {
        m_bHovered = 0;
        RepaintNow();
        ::ReleaseCapture();
    }
    CButton::OnMouseMove(flags, point);
}

void CDropBtn::OnLButtonDown(UINT flags, CPoint point) {
    m_bHovered = 0;
    const BOOL open = m_pDropWnd && m_pDropWnd->PressOnOwner(this, point, m_rcDrop);
    Invalidate(TRUE);
    // The button takes the focus with the press; the list opened after it takes it over.
    CButton::OnLButtonDown(flags, point);
    if (open && m_hWnd)
        ShowList();
}

void CDropBtn::OnSetFocus(CWnd* oldWnd) {
    CButton::OnSetFocus(oldWnd);
    if (m_pDropWnd && m_pDropWnd->IsWindowVisible())
        if (CDropListBox* list = GetListBox())
            list->SetFocus();
}

LRESULT CDropBtn::OnComboSelect(WPARAM wParam, LPARAM) {
    CDropListBox* list = GetListBox();
    const int index = static_cast<int>(wParam);
    CString text;
    if (!list || !list->CommitPick(index, text))
        return 0;
    if (m_bSelectionAsCaption) {
        SetWindowText(text);
        RepaintNow();
    }
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMBO_SELECT, m_nListId, static_cast<LPARAM>(index));
    return 1;
}
