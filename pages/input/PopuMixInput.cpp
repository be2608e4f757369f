#include "model/Globals.h"
#include "model/KTV_Data.h"

#include "pages/input/PopuMixInput.h"

#include "controls/AppObjects.h"
#include "pages/input/MixerLayouts.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"

#include <mutex>

namespace {

constexpr COLORREF kLabelText = RGB(200, 200, 200);
constexpr COLORREF kEmptyFill = RGB(27, 30, 36); // the types without a background

} // namespace

CPopuMixInput::CPopuMixInput(CWnd* view, CKTV_Data* data)
    : CDialog(IDD_POPU_MIX_INPUT, view), m_pView(view), m_pData(data) {
    RegisterMixerLayouts();
}

CPopuMixInput::~CPopuMixInput() {
    DestroyWindow();
    if (g_pMixPopup == this)
        g_pMixPopup = nullptr;
}

void CPopuMixInput::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CAPTION_LABEL, m_labels[0]);
    for (int i = 1; i < kLabels; ++i)
        DDX_Control(dx, IDC_ROW_LABEL + i - 1, m_labels[i]);
}

BOOL CPopuMixInput::OnInitDialog() {
    CDialog::OnInitDialog();
    {
        std::lock_guard lock(g_linkLock);
        m_nInputType = g_pcSourceSet.inputType;
    }
    m_nDeviceType = g_nDeviceType.load();
    const bool chinese = g_bChinese.load() != 0;
    const bool wide = m_nDeviceType == CMixKnobMap::kWideDevice;

    m_labels[0].SetFontSize(16);
    for (CFontStatic& label : m_labels) {
        label.SetTextColor(kLabelText);
        label.SetLeftAlign(TRUE);
    }
    if (const char* format = CMixKnobMap::RowLabelFormat(m_nInputType, chinese))
        for (int i = 1; i < kLabels; ++i) {
            CString text;
            text.Format(format, i);
            m_labels[i].SetText(text);
        }
    if (!chinese)
        m_labels[0].SetText("Input Signal");
    // Only the six-row picture leaves its labels to the popup.
    for (CFontStatic& label : m_labels)
        label.ShowWindow(wide ? SW_SHOW : SW_HIDE);

    g_pMixPopup = this;
    if (g_fontArial16.GetSafeHandle())
        SetFont(&g_fontArial16);
    SetWindowText(chinese ? "输入信号" : "Input Signal");

    m_nBackground = CMixKnobMap::Background(m_nInputType, m_nDeviceType, chinese);
    if (m_nBackground)
        m_bmpBackground.LoadBitmap(m_nBackground);

    const int height = CMixKnobMap::PaneHeight(m_nInputType, m_nDeviceType);
    for (int i = 0; i < kPanes; ++i) {
        auto pane = std::make_unique<CRouteMixCom>(this);
        pane->SetOutput(i, m_pData ? m_pData->GetOut(i) : nullptr);
        if (!pane->Create(height))
            continue;
        const CRect rc = CMixKnobMap::PaneRect(i, m_nInputType, m_nDeviceType);
        pane->MoveWindow(rc.left, rc.top, rc.Width(), rc.Height());
        pane->ShowWindow(SW_SHOW);
        pane->SetPhaseSkins();
        m_panes[static_cast<size_t>(i)] = std::move(pane);
    }
    SetWindowPos(nullptr, 0, 0, CMixKnobMap::kPopupWidth,
                 CMixKnobMap::PopupHeight(m_nInputType, m_nDeviceType),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

CRouteMixCom* CPopuMixInput::Pane(int i) const {
    return i >= 0 && i < kPanes ? m_panes[static_cast<size_t>(i)].get() : nullptr;
}

void CPopuMixInput::RefreshPanes() {
    for (int i = 0; i < kPanes; ++i)
        if (CRouteMixCom* pane = Pane(i)) {
            pane->SetOut(m_pData ? m_pData->GetOut(i) : nullptr);
            pane->Refresh();
        }
}

void CPopuMixInput::PostToView() {
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->PostMessage(WM_MIX_POPUP_NOTICE, 0, 0);
}

BOOL CPopuMixInput::PreTranslateMessage(MSG* msg) {
    if (msg && msg->message == WM_LBUTTONDOWN) {
        SetFocus();
        return FALSE;
    }
    if (msg && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CPopuMixInput::OnDestroy() {
    if (g_pMixPopup == this)
        g_pMixPopup = nullptr;
    for (auto& pane : m_panes)
        pane.reset();
    CDialog::OnDestroy();
}

BOOL CPopuMixInput::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPopuMixInput::OnPaint() {
    CPaintDC dc(this);
    if (m_bmpBackground.GetSafeHandle()) {
        DrawBitmap(&dc, &m_bmpBackground, 0, 0);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kEmptyFill);
}
