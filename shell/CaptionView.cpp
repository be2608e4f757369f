#include "shell/CaptionView.h"

#include "model/Globals.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"
#include "shell/ShellDialogLayouts.h"

IMPLEMENT_DYNAMIC(CCaptionView, CDialog)

BEGIN_MESSAGE_MAP(CCaptionView, CDialog)
ON_BN_CLICKED(CCaptionView::IDC_MODE1, &CCaptionView::OnMode1)
ON_BN_CLICKED(CCaptionView::IDC_MODE2, &CCaptionView::OnMode2)
END_MESSAGE_MAP()

BOOL CCaptionView::Create(CWnd* parent) {
    RegisterShellDialogLayouts();
    if (!CDialog::Create(IDD_CAPTION_VIEW, parent))
        return FALSE;
    m_btnMode1.SetWindowText(LangText("Mode 1", "模式1"));
    m_btnMode2.SetWindowText(LangText("Mode 2", "模式2"));
    return TRUE;
}

void CCaptionView::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MODE1, m_btnMode1);
    DDX_Control(dx, IDC_MODE2, m_btnMode2);
}

void CCaptionView::OnPaint() {
    CPaintDC dc(this);
    if (m_bitmap.GetSafeHandle())
        DrawBitmap(&dc, &m_bitmap, 0, 0);
}

void CCaptionView::OnMode1() {
    SendToMainWindow(ID_CAPTION_MODE1);
}

void CCaptionView::OnMode2() {
    SendToMainWindow(ID_CAPTION_MODE2);
}

void CCaptionView::SendToMainWindow(UINT command) {
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
