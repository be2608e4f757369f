// The about dialog (100) of the application command; no window of the program opens it.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDI_ABOUT_ICON = 128;

class CAboutDlg : public CDialog {
public:
    enum : int { IDC_VERSION_LINE = 1867 };

    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override = default;

    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

private:
    CBrush m_brush;
    CBitmap m_icon;
};
