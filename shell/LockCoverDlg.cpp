#include "shell/LockCoverDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/PaintDC.h"
#include "shell/LockDialogLayouts.h"

namespace {
// Under and beside a picture smaller than the page: the skin's dark ground.
constexpr COLORREF kGround = RGB(0x1E, 0x21, 0x26);
} // namespace

CLockCoverDlg::CLockCoverDlg(CWnd* parent) : CDialog(IDD_LOCK_COVER, parent) {
    RegisterLockDialogLayouts();
}

BOOL CLockCoverDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmpChinese.LoadBitmap(IDB_LOCK_COVER_CN);
    m_bmpEnglish.LoadBitmap(IDB_LOCK_COVER_EN);
    return TRUE;
}

BOOL CLockCoverDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CLockCoverDlg::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBitmap& picture = g_bChinese.load() ? m_bmpChinese : m_bmpEnglish;
    BITMAP info{};
    if (!picture.GetSafeHandle() || !picture.GetBitmap(&info)) {
        dc.FillSolidRect(&client, kGround);
        return;
    }
    if (info.bmWidth < client.Width())
        dc.FillSolidRect(info.bmWidth, 0, client.Width() - info.bmWidth, client.Height(), kGround);
    if (info.bmHeight < client.Height())
        dc.FillSolidRect(0, info.bmHeight, client.Width(), client.Height() - info.bmHeight, kGround);
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CBitmap* old = memDC.SelectObject(&picture);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(old);
}
