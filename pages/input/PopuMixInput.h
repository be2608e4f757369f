// CPopuMixInput: the mixer popup (dialog 850, modal): eight mixer panes side by side, one per
// output, for the input type and device type it reads when it opens. g_pMixPopup points to it
// while it is open, so the view refreshes the panes after new data. Enter, Escape and Tab never
// close it; its caption's close box does.
#pragma once

#include "controls/FontStatic.h"
#include "pages/input/RouteMixCom.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

#include <array>
#include <memory>

class CKTV_Data;

constexpr UINT IDD_POPU_MIX_INPUT = 850;
constexpr UINT WM_MIX_POPUP_NOTICE = 0x612; // popup to view

class CPopuMixInput : public CDialog {
public:
    enum : int {
        IDC_CAPTION_LABEL = 2859,
        IDC_ROW_LABEL = 2860, // 2860..2865: rows 1..6
    };
    static constexpr int kPanes = CMixKnobMap::kPanes;
    static constexpr int kLabels = 7;

    // view: the main view (the owner); data: the document whose outputs the panes edit.
    CPopuMixInput(CWnd* view, CKTV_Data* data);
    ~CPopuMixInput() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // After new data: every pane takes its output again and shows what it holds.
    void RefreshPanes();
    // Posts WM_MIX_POPUP_NOTICE (0, 0) to the view; nothing calls it and the view ignores it.
    void PostToView();

    CRouteMixCom* Pane(int i) const;
    CFontStatic& Label(int i) { return m_labels[i]; } // 0 the caption, 1..6 the rows
    CWnd* GetView() const { return m_pView; }
    int GetInputType() const { return m_nInputType; }
    int GetDeviceType() const { return m_nDeviceType; }
    UINT GetBackground() const { return m_nBackground; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;

private:
    CWnd* m_pView;
    CKTV_Data* m_pData;
    int m_nInputType = 0;
    int m_nDeviceType = 0;
    UINT m_nBackground = 0;
    CBitmap m_bmpBackground;
    CFontStatic m_labels[kLabels];
    std::array<std::unique_ptr<CRouteMixCom>, kPanes> m_panes;
};
