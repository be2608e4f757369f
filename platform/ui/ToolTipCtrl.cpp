#include "platform/ui/ToolTipCtrl.h"

#include <QWidget>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CWnd::CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "tooltips_class32", "", WS_POPUP | style,
                          CRect(0, 0, 1, 1), parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCTSTR text, LPCRECT, UINT_PTR id) {
    if (!tool || !tool->m_hWnd)
        return FALSE;
    DelTool(tool, id);
    m_tools.push_back(Tool{tool->m_hWnd, id, CString(text ? text : "")});
    Apply();
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* tool, UINT_PTR id) {
    if (!tool)
        return;
    for (auto it = m_tools.begin(); it != m_tools.end(); ++it)
        if (it->hwnd == tool->m_hWnd && it->id == id) {
            if (tool->Widget())
                tool->Widget()->setToolTip(QString());
            m_tools.erase(it);
            return;
        }
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR id) {
    for (Tool& t : m_tools)
        if (tool && t.hwnd == tool->m_hWnd && t.id == id)
            t.text = text ? text : "";
    Apply();
}

void CToolTipCtrl::GetText(CString& text, CWnd* tool, UINT_PTR id) const {
    text.Empty();
    for (const Tool& t : m_tools)
        if (tool && t.hwnd == tool->m_hWnd && t.id == id)
            text = t.text;
}

void CToolTipCtrl::SetTipTextColor(COLORREF colour) {
    m_text = colour;
    Apply();
}

void CToolTipCtrl::SetTipBkColor(COLORREF colour) {
    m_bk = colour;
    Apply();
}

void CToolTipCtrl::Activate(BOOL active) {
    m_active = active != FALSE;
    Apply();
}

void CToolTipCtrl::RelayEvent(MSG*) {}

void CToolTipCtrl::Apply() {
    auto hex = [](COLORREF c) {
        return QString::asprintf("#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    };
    for (const Tool& t : m_tools) {
        CWnd* w = CWnd::FromHandle(t.hwnd);
        if (!w || !w->Widget())
            continue;
        // Rich text carries the colours into the toolkit's tip.
        const QString body = QString::fromUtf8(t.text.GetString()).toHtmlEscaped();
        w->Widget()->setToolTip(
            m_active && !t.text.IsEmpty()
                ? QString("<div style='color:%1;background:%2'>%3</div>").arg(hex(m_text), hex(m_bk), body)
                : QString());
    }
}
