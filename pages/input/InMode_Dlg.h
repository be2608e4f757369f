// CInMode_Dlg: the input selector bar (dialog 653), a picture of the device's connector panel on the
// input page. A connector posts WM_INPUT_CHANNEL_SELECT (0, input) to its owner, which makes the
// choice; the bar shows the connectors of the current AUX mode and lights the current input's.
#pragma once

#include "controls/BtnPng.h"
#include "platform/ui/Dialog.h"

#include <memory>

namespace Gdiplus {
class Image;
}

class CInMode_Dlg : public CDialog {
public:
    static constexpr UINT IDD = 653;
    static constexpr int kButtons = 11;

    explicit CInMode_Dlg(CWnd* parent = nullptr);
    ~CInMode_Dlg() override;

    // Creates the bar as a child of parent, sized to its background image.
    BOOL CreateBar(CWnd* parent);
    void SetOwner(CWnd* owner) { m_pOwner = owner; }

    // The connectors of g_nInputGroup: 2706-2708, or 2710-2711, or 2713. Other modes change nothing.
    void ShowLayout();
    void ClearChecks();
    // Exactly one connector lit for (g_nCurInput, g_nInputGroup), or none.
    void CheckCurrent();
    void UncheckCurrent();
    void RedrawButtons();
    void ShowPhoneButton(int command);
    void ShowSpdifButton(int command);
    // A child paints over its page here, so the page's pixels need no copy.
    void CaptureBackground(CDC*) {}

    // The connector of a control id (2704..2715), or null.
    CBtnPng* Button(int id);
    // The control that CheckCurrent lights for an input and mode (0 for none); and the one
    // UncheckCurrent clears.
    static int CheckedId(int input, int mode);
    static int UncheckedId(int input, int mode);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnConnector(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    void SetButtonImages();

    CBtnPng m_btn[kButtons];
    CWnd* m_pOwner = nullptr;
    std::unique_ptr<Gdiplus::Image> m_pBack;
    int m_nBackWidth = 0;
    int m_nBackHeight = 0;
};
