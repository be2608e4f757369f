#include "pages/output/PageFrame.h"

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"

CPageFrame::CPageFrame(UINT pageId, CWnd* parent) : CDialog(pageId, parent), m_nPageId(pageId) {}

CPageFrame::~CPageFrame() {
    if (m_release)
        m_release();
}

BOOL CPageFrame::CreatePageWindow(CWnd* parent) {
    return Create(m_nPageId, parent);
}

CPageFrame::Focus CPageFrame::Focused() {
    Focus f;
    f.wnd = GetFocus();
    if (!f.wnd)
        return f;
    f.edit = dynamic_cast<CEdit*>(f.wnd) != nullptr;
    f.button = dynamic_cast<CButton*>(f.wnd) != nullptr;
    f.id = static_cast<WPARAM>(f.wnd->GetDlgCtrlID());
    return f;
}
