// The version dialog (269): the device's version tag and the program's software tag by device
// type. Opening it clears the firmware-update mode flag.
#pragma once

#include "controls/HyLink.h"
#include "controls/TransparentStatic.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

#include <cstddef>

constexpr UINT IDD_VERSION = 269;
constexpr UINT IDB_VERSION_PICTURE = 275;

class CVersionDlg : public CDialog {
public:
    enum : int {
        IDC_QUIT = 1874,
        IDC_SOFTWARE = 1875,
        IDC_PRODUCT = 1876,
        IDC_DEVICE = 1877,
        IDC_MAKER = 1894,
        IDC_LINK = 1895,
        IDC_PICTURE = 2065,
        IDC_HELP_BUTTON = 8802,
    };

    explicit CVersionDlg(CWnd* parent = nullptr);
    ~CVersionDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    void OnQuit();
    void OnHelpButton() {}

    // The device's tag out of its fixed field: at most 11 bytes, up to a NUL, trimmed. The field
    // need not hold a NUL at all.
    static CString DeviceTag(const char* field, std::size_t size);

    CTransparentStatic m_device;
    CTransparentStatic m_software;
    CTransparentStatic m_product;
    CTransparentStatic m_maker;
    CHyLink m_link;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
    CBitmap m_picture;
};
