// The caption form (227): two skin buttons that send the caption-mode commands 8000 and 8001 to
// the main window, over a bitmap that nothing loads. The frame command 32774 shows it in place of
// the main view; no control of the program sends that command.
#pragma once

#include "controls/xSkinButton.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "shell/MainFrame.h" // ID_CAPTION_MODE1, ID_CAPTION_MODE2

constexpr UINT IDD_CAPTION_VIEW = 227;

class CCaptionView : public CDialog {
    DECLARE_DYNAMIC(CCaptionView)
public:
    enum : int { IDC_MODE1 = 1781, IDC_MODE2 = 1837 };

    CCaptionView() = default;
    ~CCaptionView() override = default;

    using CDialog::Create;
    // The form as a child of parent.
    BOOL Create(CWnd* parent);
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    void OnMode1();
    void OnMode2();
    // The form's background; empty unless someone loads it.
    CBitmap m_bitmap;

    CxSkinButton m_btnMode1;
    CxSkinButton m_btnMode2;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void SendToMainWindow(UINT command);
};
