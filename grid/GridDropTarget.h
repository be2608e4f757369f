// CGridDropTarget: the drop target of one grid; drags over the grid's window go to the grid's
// OnDrag... handlers, which refuse everything while the grid's drag and drop is off.
#pragma once

#include "platform/ui/OleDropTarget.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;

    // FALSE when already registered or without a window.
    BOOL Register(CGridCtrl* grid);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* wnd, const CString* text, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, const CString* text, DWORD keyState, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, const CString* text, DROPEFFECT effect, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    // Dragging over the grid never scrolls it.
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);

private:
    bool IsGrid(const CWnd* wnd) const;

    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
};
