// CToolTipCtrl: tool tips for windows (the toolkit's tool tip of each tool window, in the colours
// set here). RelayEvent is accepted; the toolkit shows the tips by itself.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

#include <vector>

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    using CWnd::Create;
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* tool, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* tool, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR id = 0);
    void GetText(CString& text, CWnd* tool, UINT_PTR id = 0) const;
    void SetTipTextColor(COLORREF colour);
    void SetTipBkColor(COLORREF colour);
    COLORREF GetTipTextColor() const { return m_text; }
    COLORREF GetTipBkColor() const { return m_bk; }
    void Activate(BOOL active);
    void RelayEvent(MSG* msg);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }

protected:
    void Apply();
    struct Tool {
        HWND hwnd;
        UINT_PTR id;
        CString text;
    };
    std::vector<Tool> m_tools;
    COLORREF m_text = RGB(0, 0, 0);
    COLORREF m_bk = RGB(255, 255, 225);
    bool m_active = true;
};
