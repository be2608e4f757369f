#include "controls/TransparentStatic.h"

#include "controls/SkinControl.h"

#include "platform/ui/PaintDC.h"

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

namespace {
// Private message: a text handed over by another thread waits in the shared record.
constexpr UINT WM_REMOTE_TEXT = WM_APP + 0x51;
} // namespace

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
ON_WM_PAINT()
ON_WM_CTLCOLOR_REFLECT()
ON_MESSAGE(WM_SETTEXT, &CTransparentStatic::OnSetText)
ON_MESSAGE(WM_REMOTE_TEXT, &CTransparentStatic::OnRemoteText)
END_MESSAGE_MAP()

BOOL CTransparentStatic::Remote::SetWindowText(const CString& text) const {
    if (!m_shared)
        return FALSE;
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->text = text;
    }
    HWND hWnd = m_shared->hwnd.load();
    return hWnd ? ::PostMessage(hWnd, WM_REMOTE_TEXT, 0, 0) : FALSE;
}

CTransparentStatic::CTransparentStatic() : m_shared(std::make_shared<Shared>()) {}

CTransparentStatic::~CTransparentStatic() {
    m_shared->hwnd.store(nullptr);
}

int CTransparentStatic::OnCreate(LPCREATESTRUCT cs) {
    const int r = CStatic::OnCreate(cs);
    m_shared->hwnd.store(m_hWnd);
    return r;
}

void CTransparentStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    m_shared->hwnd.store(m_hWnd);
}

void CTransparentStatic::OnDestroy() {
    m_shared->hwnd.store(nullptr);
    CStatic::OnDestroy();
}

void CTransparentStatic::SetTextColor(COLORREF colour) {
    m_clrText = colour;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CTransparentStatic::SetWindowText(LPCTSTR text) {
    const CString next = text ? text : "";
    // Compared with what the label shows, so a template caption can be emptied too.
    CString shown;
    if (m_hWnd)
        GetWindowText(shown);
    else
        shown = m_strKept;
    if (next == shown)
        return;
    m_strKept = next;
    CStatic::SetWindowText(next);
}

LRESULT CTransparentStatic::OnRemoteText(WPARAM, LPARAM) {
    CString text;
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        text = m_shared->text;
    }
    SetWindowText(text);
    return 0;
}

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) {
    const LRESULT r = Default();
    skin::InvalidateParentArea(this);
    Invalidate(TRUE);
    return r;
}

UINT CTransparentStatic::TextFormatFromStyle(DWORD style) {
    UINT format = 0;
    if (style & SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_CENTER)
        format |= DT_CENTER;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & 0xC000)
        format |= DT_WORD_ELLIPSIS;
    if (style & SS_ENDELLIPSIS)
        format |= DT_END_ELLIPSIS;
    if (style & SS_PATHELLIPSIS)
        format |= DT_PATH_ELLIPSIS;
    if (!(style & 0xC20C))
        format |= DT_WORDBREAK;
    return format;
}

void CTransparentStatic::OnPaint() {
    CPaintDC dc(this);
    CString text;
    GetWindowText(text);
    CRect rc;
    GetClientRect(&rc);
    CFont* old = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
    dc.DrawText(text, &rc, TextFormatFromStyle(GetStyle()));
    if (old)
        dc.SelectObject(old);
}

HBRUSH CTransparentStatic::CtlColor(CDC* dc, UINT) {
    if (dc)
        dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
