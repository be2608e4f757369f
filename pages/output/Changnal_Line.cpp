#include "pages/output/Changnal_Line.h"

#include "model/Globals.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "res/ResourceTable.h"

namespace {

// The six looks of each toggle: off normal, hover, pressed; on normal, hover, pressed.
struct ToggleLooks {
    UINT looks[6];
};
const ToggleLooks kLooks[CChangnal_Line::kToggleCount] = {
    {{814, 815, 816, 816, 816, 816}}, {{817, 818, 819, 819, 819, 819}}, {{820, 821, 822, 822, 822, 822}},
    {{823, 824, 825, 825, 825, 825}}, {{826, 827, 828, 828, 828, 828}}, {{829, 830, 831, 831, 831, 831}},
    {{838, 839, 840, 840, 840, 840}}, {{841, 842, 843, 843, 843, 843}}, {{848, 845, 846, 846, 847, 848}},
};

constexpr DWORD kToggleStyle = WS_VISIBLE | BS_PUSHBUTTON;
// One under the other from the top; the band-count toggle last, created hidden and disabled.
const res::DialogItemSpec kStripItems[] = {
    {2839, "Button", 3, 9, 32, 16, kToggleStyle, 0, "", ""},
    {2840, "Button", 3, 30, 32, 16, kToggleStyle, 0, "", ""},
    {2841, "Button", 3, 50, 32, 16, kToggleStyle, 0, "", ""},
    {2842, "Button", 3, 71, 32, 16, kToggleStyle, 0, "", ""},
    {2843, "Button", 3, 91, 32, 16, kToggleStyle, 0, "", ""},
    {2844, "Button", 3, 112, 32, 16, kToggleStyle, 0, "", ""},
    {2845, "Button", 3, 132, 32, 16, kToggleStyle, 0, "", ""},
    {2846, "Button", 3, 153, 32, 16, kToggleStyle, 0, "", ""},
    {2847, "Button", 3, 173, 32, 16, WS_DISABLED | BS_PUSHBUTTON, 0, "", ""},
};
const res::DialogSpec kStripDialog[] = {
    {CChangnal_Line::IDD, 38, 190, WS_CHILD, 0, "", "", "Arial", -12, kStripItems},
};

const res::TableRegistrar kStripDialogRegistrar{kStripDialog};

} // namespace

BEGIN_MESSAGE_MAP(CChangnal_Line, CDialog)
ON_COMMAND_RANGE(CChangnal_Line::kFirstToggle, CChangnal_Line::kFirstToggle + 7, &CChangnal_Line::OnToggleOut)
ON_COMMAND(CChangnal_Line::kEqCountToggle, &CChangnal_Line::OnToggleEqCount)
END_MESSAGE_MAP()

CChangnal_Line::CChangnal_Line() : CDialog(IDD) {}

BOOL CChangnal_Line::CreateStrip(CWnd* parent) {
    if (!Create(IDD, parent))
        return FALSE;
    MoveWindow(1231, 10, 38, 190);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CChangnal_Line::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < kToggleCount; ++i)
        DDX_Control(dx, kEqCountToggle - i, m_btnToggle[i]);
}

BOOL CChangnal_Line::OnInitDialog() {
    m_bmpBack.LoadBitmap(kBackground);
    CDialog::OnInitDialog();
    for (int i = 0; i < kToggleCount; ++i) {
        const UINT* l = kLooks[kEqCountToggle - i - kFirstToggle].looks;
        m_btnToggle[i].SetBitmaps(l[0], l[1], l[2], l[3], l[4], l[5]);
    }
    // The flags start off after start-up; the looks follow them.
    for (int k = 0; k < NUM_OUTPUTS; ++k)
        Toggle(k).SetCheck(g_outCurveShown[k] ? 1 : 0);
    return TRUE;
}

BOOL CChangnal_Line::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CChangnal_Line::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(0, 0, 0));
    if (m_bmpBack.GetSafeHandle())
        DrawBitmap(&dc, &m_bmpBack, 0, 0);
}

void CChangnal_Line::OnToggleOut(UINT id) {
    const int k = static_cast<int>(id) - kFirstToggle;
    if (k < 0 || k >= NUM_OUTPUTS)
        return;
    CBitButton& toggle = Toggle(k);
    const int on = toggle.GetCheck() ? 0 : 1;
    g_outCurveShown[k] = on;
    toggle.SetCheck(on);
    // The current output is drawn green whatever its flag says.
    if (g_nCurOut.load() != k && m_pOutputDlg)
        m_pOutputDlg->RefreshPage();
}

void CChangnal_Line::OnToggleEqCount() {
    CBitButton& toggle = EqCountToggle();
    toggle.SetCheck(toggle.GetCheck() ? 0 : 1);
    if (m_pOutputDlg)
        m_pOutputDlg->ResetAllOutputEq(TRUE);
}
