// The lock cover: a page of the tab area that shows the picture of the UI language (772 Chinese,
// 778 English) and nothing else. The view creates it hidden; no command shows it.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_LOCK_COVER = 760;
constexpr UINT IDB_LOCK_COVER_CN = 772;
constexpr UINT IDB_LOCK_COVER_EN = 778;

class CLockCoverDlg : public CDialog {
public:
    explicit CLockCoverDlg(CWnd* parent = nullptr);
    ~CLockCoverDlg() override = default;

    BOOL OnInitDialog() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

    CBitmap m_bmpChinese;
    CBitmap m_bmpEnglish;
};
