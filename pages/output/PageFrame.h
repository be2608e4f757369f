// CPageFrame: what the pages of the main view's tab area (output, input, level and delay) share
// as windows: a dialog created hidden on the tab area from its own layout, an optional
// program-wide pointer to the page that holds it from its OnInitDialog until the page goes, and
// the look at the focused control their key handling starts from.
#pragma once

#include "platform/ui/Dialog.h"

#include <functional>

class CPageFrame : public CDialog {
public:
    ~CPageFrame() override;

    // The focused window as the pages' keys see it.
    struct Focus {
        CWnd* wnd = nullptr;
        bool edit = false;   // an edit control (the numeric fields)
        bool button = false; // a button
        WPARAM id = 0;       // its control id, 0 without a focus
    };
    static Focus Focused();

protected:
    CPageFrame(UINT pageId, CWnd* parent);

    // Creates the page window on parent from its layout (the page layouts are not visible).
    BOOL CreatePageWindow(CWnd* parent);
    // global points to the page from now on, and is cleared when the page goes (unless another
    // page took it meanwhile).
    template <class Page> void HoldPagePointer(Page*& global, Page* page) {
        global = page;
        m_release = [&global, page] {
            if (global == page)
                global = nullptr;
        };
    }

private:
    UINT m_nPageId;
    std::function<void()> m_release;
};
