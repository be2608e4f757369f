// COleDropTarget: makes a window a drop target for text dragged over it (from this program or
// another, through the desktop's drag and drop). The On... answers say what a drop would do;
// DROPEFFECT_NONE refuses. DoDragDrop starts a drag of plain text from a window.
#pragma once

#include "platform/core/Point.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <memory>

class CWnd;

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // The window takes drops from now on; FALSE without a window.
    BOOL Register(CWnd* wnd);
    virtual void Revoke();
    CWnd* GetWindow() const { return m_wnd; }

    // text: the plain text offered (null when the drag offers none); keyState: MK_ bits.
    virtual DROPEFFECT OnDragEnter(CWnd* wnd, const CString* text, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, const CString* text, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(CWnd* wnd, const CString* text, DROPEFFECT effect, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);

private:
    class Filter;
    std::unique_ptr<Filter> m_filter;
    CWnd* m_wnd = nullptr;
};

// Drags text from the window until it is dropped or given up; the effect the drop took
// (DROPEFFECT_NONE when refused or given up).
DROPEFFECT DoDragDrop(CWnd* source, const CString& text, DROPEFFECT allowed);
