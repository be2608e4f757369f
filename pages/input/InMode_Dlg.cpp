#include "pages/input/InMode_Dlg.h"

#include "model/Globals.h"
#include "pages/input/InputPageHost.h"
#include "pages/input/InputPageLayout.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/GdiplusGraphics.h"
#include "platform/ui/GdiplusImage.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/PngResource.h"

using namespace inpage;

namespace {

// Per connector: id, the input it posts, PNG normal (hover +1, pressed and checked +2), Chinese set
// (0: none).
struct Connector {
    int id;
    int input;
    UINT png;
    UINT pngZh;
};

constexpr Connector kConnectors[CInMode_Dlg::kButtons] = {
    {kBarSpdif, 0, 673, 4448},    {kBarHiLevel, 1, 676, 4451}, {kBarPhone, 2, 688, 4454},
    {kBarAux1, 3, 655, 4430},     {kBarAux2, 4, 658, 4433},    {kBarAux3, 5, 661, 4436},
    {kBarAux1Four, 3, 667, 4439}, {kBarAux2Two, 4, 700, 4442}, {kBarAux3Spare, 5, 703, 0},
    {kBarAux1Six, 3, 670, 4445},  {kBarAux2Spare, 4, 710, 0},
};

int IndexOf(int id) {
    for (int i = 0; i < CInMode_Dlg::kButtons; ++i)
        if (kConnectors[i].id == id)
            return i;
    return -1;
}

} // namespace

BEGIN_MESSAGE_MAP(CInMode_Dlg, CDialog)
ON_COMMAND_RANGE(kBarHiLevel, kBarPhone, &CInMode_Dlg::OnConnector)
END_MESSAGE_MAP()

CInMode_Dlg::CInMode_Dlg(CWnd* parent) : CDialog(IDD, parent) {
    RegisterInputPageLayouts();
}

CInMode_Dlg::~CInMode_Dlg() = default;

BOOL CInMode_Dlg::CreateBar(CWnd* parent) {
    return Create(IDD, parent);
}

void CInMode_Dlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < kButtons; ++i)
        DDX_Control(dx, kConnectors[i].id, m_btn[i]);
}

BOOL CInMode_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Gdiplus::Image* image = nullptr;
    if (LoadPngResource(kBarBackground, "PNG", &image)) {
        m_pBack.reset(image);
        m_nBackWidth = static_cast<int>(m_pBack->GetWidth());
        m_nBackHeight = static_cast<int>(m_pBack->GetHeight());
        SetWindowPos(nullptr, 0, 0, m_nBackWidth, m_nBackHeight, SWP_NOMOVE | SWP_NOZORDER);
    }
    m_pOwner = nullptr;
    SetButtonImages();
    return TRUE;
}

void CInMode_Dlg::SetButtonImages() {
    for (int i = 0; i < kButtons; ++i) {
        const Connector& c = kConnectors[i];
        m_btn[i].SetPngImages(c.png, c.png + 1, c.png + 2);
        m_btn[i].SetCheckedPngImages(c.png + 2, c.png + 2, c.png + 2);
        if (c.pngZh)
            m_btn[i].SetChinesePngImages(c.pngZh, c.pngZh + 1, c.pngZh + 2, c.pngZh + 2, c.pngZh + 2,
                                         c.pngZh + 2);
    }
}

CBtnPng* CInMode_Dlg::Button(int id) {
    const int i = IndexOf(id);
    return i < 0 ? nullptr : &m_btn[i];
}

void CInMode_Dlg::ShowLayout() {
    const int mode = g_nInputGroup;
    if (mode < 0 || mode > 2)
        return;
    for (int id : {kBarAux1, kBarAux2, kBarAux3})
        Button(id)->ShowWindow(mode == 0 ? SW_SHOW : SW_HIDE);
    for (int id : {kBarAux1Four, kBarAux2Two})
        Button(id)->ShowWindow(mode == 1 ? SW_SHOW : SW_HIDE);
    Button(kBarAux1Six)->ShowWindow(mode == 2 ? SW_SHOW : SW_HIDE);
}

void CInMode_Dlg::ClearChecks() {
    for (int id : {kBarSpdif, kBarHiLevel, kBarPhone})
        Button(id)->SetCheck(0);
    switch (g_nInputGroup) {
    case 0:
        for (int id : {kBarAux1, kBarAux2, kBarAux3})
            Button(id)->SetCheck(0);
        break;
    case 1:
        for (int id : {kBarAux1Four, kBarAux2Two, kBarAux3Spare})
            Button(id)->SetCheck(0);
        break;
    case 2:
        for (int id : {kBarAux1Six, kBarAux2Spare})
            Button(id)->SetCheck(0);
        break;
    default:
        break;
    }
}

int CInMode_Dlg::CheckedId(int input, int mode) {
    switch (input) {
    case 0:
        return kBarSpdif;
    case 1:
        return kBarHiLevel;
    case 2:
        return kBarPhone;
    case 3:
        return mode == 0 ? kBarAux1 : mode == 1 ? kBarAux1Four : mode == 2 ? kBarAux1Six : 0;
    case 4:
        return mode == 0 ? kBarAux2 : mode == 1 ? kBarAux2Two : mode == 2 ? kBarAux1Six : 0;
    case 5:
        return mode == 0 ? kBarAux3 : mode == 1 ? kBarAux1Four : 0;
    default:
        return 0;
    }
}

int CInMode_Dlg::UncheckedId(int input, int mode) {
    switch (input) {
    case 4:
        return mode == 0 ? kBarAux2 : mode == 1 ? kBarAux2Two : mode == 2 ? kBarAux2Spare : 0;
    case 5:
        return mode == 0 ? kBarAux3 : mode == 1 ? kBarAux3Spare : 0;
    case 6:
        return mode == 0 ? kBarAux1 : 0;
    default:
        return CheckedId(input, mode);
    }
}

void CInMode_Dlg::CheckCurrent() {
    ClearChecks();
    if (CBtnPng* b = Button(CheckedId(g_nCurInput.load(), g_nInputGroup)))
        b->SetCheck(1);
}

void CInMode_Dlg::UncheckCurrent() {
    if (CBtnPng* b = Button(UncheckedId(g_nCurInput.load(), g_nInputGroup)))
        b->SetCheck(0);
}

void CInMode_Dlg::RedrawButtons() {
    for (int i = 0; i < kButtons; ++i)
        if (kConnectors[i].id != kBarAux3Spare && kConnectors[i].id != kBarAux2Spare)
            m_btn[i].Redraw();
}

void CInMode_Dlg::ShowPhoneButton(int command) {
    Button(kBarPhone)->ShowWindow(command);
}

void CInMode_Dlg::ShowSpdifButton(int command) {
    Button(kBarSpdif)->ShowWindow(command);
}

void CInMode_Dlg::OnConnector(UINT id) {
    const int i = IndexOf(static_cast<int>(id));
    if (i < 0)
        return;
    const int input = kConnectors[i].input;
    if (g_nCurInput.load() != input) {
        UncheckCurrent();
        m_btn[i].SetCheck(1);
    }
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->PostMessage(WM_INPUT_CHANNEL_SELECT, 0, input);
}

BOOL CInMode_Dlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CInMode_Dlg::OnPaint() {
    CPaintDC dc(this);
    if (!m_pBack)
        return;
    Gdiplus::Graphics g(dc.GetSafeHdc());
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.DrawImage(m_pBack.get(), 0, 0, m_nBackWidth, m_nBackHeight);
}

BOOL CInMode_Dlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}
