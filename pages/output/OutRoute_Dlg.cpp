#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPos.h"

#include "pages/output/OutRoute_Dlg.h"

#include "controls/AppObjects.h"
#include "pages/output/OutStripLayout.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"

#include <cstring>

namespace {

constexpr COLORREF kStripFill = RGB(24, 27, 32); // shown only while the skin is missing
constexpr int kFirstSubCode = 22;                // codes above 21 are subwoofers

CString OutLabel(int output) {
    CString s;
    s.Format("CH%d", output + 1);
    return s;
}

bool HasFont(CFont& font) {
    return font.GetSafeHandle() != nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(COutRoute_Dlg, CDialog)
ON_MESSAGE(WM_SLIDER_MOVING, &COutRoute_Dlg::OnSliderMoving)
ON_MESSAGE(WM_SLIDER_MOVED, &COutRoute_Dlg::OnSliderMoved)
ON_MESSAGE(WM_STRIP_COPY, &COutRoute_Dlg::OnStripCopy)
ON_MESSAGE(WM_OUTPUT_PASTE, &COutRoute_Dlg::OnPaste)
ON_MESSAGE(WM_STRIP_SUB_SYNC, &COutRoute_Dlg::OnSubSync)
ON_MESSAGE(WM_NUMEDIT_NAVIGATE, &COutRoute_Dlg::OnNumEditNavigate)
ON_MESSAGE(WM_NUMEDIT_ENTER, &COutRoute_Dlg::OnNumEditEnter)
END_MESSAGE_MAP()

COutRoute_Dlg::COutRoute_Dlg(CWnd* parent, COutStripOwner* owner)
    : CDialog(IDD_OUT_ROUTE, parent), m_pPage(parent), m_pOwner(owner) {
    RegisterOutStripLayout();
}

COutRoute_Dlg::~COutRoute_Dlg() {
    DestroyWindow();
}

BOOL COutRoute_Dlg::Create() {
    if (!CDialog::Create(IDD_OUT_ROUTE, m_pPage))
        return FALSE;
    if (m_nSkinWidth > 0 && m_nSkinHeight > 0)
        SetWindowPos(nullptr, 0, 0, m_nSkinWidth, m_nSkinHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void COutRoute_Dlg::SetSkin(UINT bitmapId) {
    m_nSkin = bitmapId;
    m_bmpSkin.DeleteObject();
    m_nSkinWidth = m_nSkinHeight = 0;
    if (m_bmpSkin.LoadBitmap(bitmapId)) {
        BITMAP bm{};
        m_bmpSkin.GetBitmap(&bm);
        m_nSkinWidth = bm.bmWidth;
        m_nSkinHeight = bm.bmHeight;
    }
    if (m_hWnd)
        Invalidate(FALSE);
}

void COutRoute_Dlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SELECT, m_btnSelect);
    DDX_Control(dx, IDC_POSITION, m_btnPosition);
    DDX_Control(dx, IDC_ON, m_btnOn);
    DDX_Control(dx, IDC_POLARITY, m_btnPolarity);
    DDX_Control(dx, IDC_LEVEL, m_editLevel);
    DDX_Control(dx, IDC_LEVEL_SPIN, m_spinLevel);
    DDX_Control(dx, IDC_LEVEL_FADER, m_fader);
    DDX_Control(dx, IDC_DELAY, m_editDelay);
    DDX_Control(dx, IDC_DELAY_SPIN, m_spinDelay);
}

BOOL COutRoute_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    using namespace striplayout;
    m_bHover = FALSE;
    m_bHoverWhenMarked = FALSE;

    const UINT select =
        kSelect + 3 * static_cast<UINT>(m_nOutput >= 0 && m_nOutput < NUM_OUTPUTS ? m_nOutput : 0);
    m_btnSelect.SetBitmaps(select, select + 1, select + 2, select + 2, select + 2, select + 2);
    const UINT selectOff = kSelectDisabled + static_cast<UINT>(select - kSelect) / 3;
    m_btnSelect.SetDisabledBitmaps(selectOff, selectOff);

    m_btnPosition.SetBitmaps(kPosition, kPosition + 1, kPosition + 2, kPosition + 3, kPosition + 3,
                             kPosition + 3);
    m_btnPosition.SetDisabledBitmaps(kPosition + 4, kPosition + 4);
    m_btnPosition.SetTextColors(kPositionText, kPositionTextHot, kPositionTextHot, kPositionText,
                                kPositionTextHot, kPositionTextHot);
    m_btnPosition.SetDisabledTextColor(kPositionTextDisabled);
    // The position names are long ("RL-Subwoofer"): the smaller font keeps them clear of the
    // button's drop mark.
    if (HasFont(g_fontArial12)) {
        m_btnPosition.SetFonts(&g_fontArial12, &g_fontArial12, &g_fontArial12, &g_fontArial12, &g_fontArial12,
                               &g_fontArial12);
        m_btnPosition.SetDisabledFont(&g_fontArial12);
    }
    if (HasFont(g_fontArial14)) {
        m_editLevel.SetFont(&g_fontArial14);
        m_editDelay.SetFont(&g_fontArial14);
    }

    // Level: edit, spin and fader show one code 0..600 (dB = code / 10 - 60).
    m_spinLevel.SetBuddy(&m_editLevel);
    m_editLevel.SetType(NUMTYPE_LEVEL_DBU, "");
    m_editLevel.SetStep(0.1);
    m_editLevel.SetOffset(60.0);
    m_editLevel.SetLimitText(6);
    m_spinLevel.SetRange32(0, kMaxLevel);
    m_editLevel.SetBuddySlider(&m_fader);
    m_fader.SetVertical(TRUE);
    m_fader.SetChannelBitmaps(kFaderChannel);
    m_fader.SetThumbBitmaps(kFaderThumb, kFaderThumbActive);
    m_fader.SetDisabledThumb(kFaderThumbDisabled);
    m_fader.SetRange(0, kMaxLevel);
    m_fader.SetMargins(kFaderMarginLeft, kFaderMarginTop, kFaderMarginRight, kFaderMarginBottom);
    m_fader.EnableMoveNotify(TRUE);
    m_fader.SetBuddyEdit(&m_editLevel);

    m_menuCopy.LoadMenu(kCopyMenu);

    m_spinDelay.SetBuddy(&m_editDelay);
    m_editDelay.SetType(NUMTYPE_DELAY_MS, "");
    m_editDelay.SetLimitText(6);
    m_spinDelay.SetRange32(0, kMaxDelay);
    m_spinDelay.SetPos(0);

    ApplyLanguage();
    if (Out())
        Refresh();
    return TRUE;
}

CKTV_OutData* COutRoute_Dlg::Out() const {
    return m_pDoc && m_nOutput >= 0 && m_nOutput < NUM_OUTPUTS ? m_pDoc->GetOut(m_nOutput) : nullptr;
}

int COutRoute_Dlg::PositionCode() const {
    return m_nOutput >= 0 && m_nOutput < NUM_OUTPUTS ? g_posState[POS_STATE_OUTPUTS + m_nOutput] : 0;
}

// ---- Refresh from the model ------------------------------------------------------------------

void COutRoute_Dlg::Refresh() {
    CKTV_OutData* out = Out();
    if (!out || !m_hWnd)
        return;
    ShowOn(out->GetEnabled());
    RefreshPolarity();
    RefreshLevel();
    m_nDelay = out->GetDelay();
    m_spinDelay.SetPos(m_nDelay);
}

void COutRoute_Dlg::RefreshPolarity() {
    CKTV_OutData* out = Out();
    if (!out || !m_hWnd)
        return;
    m_nPolarity = out->GetPolarity();
    m_btnPolarity.SetCheck(m_nPolarity ? 1 : 0);
}

void COutRoute_Dlg::RefreshLevel() {
    CKTV_OutData* out = Out();
    if (!out || !m_hWnd)
        return;
    m_nLevel = out->GetEffectiveLevel();
    m_spinLevel.SetPos(m_nLevel);
    m_fader.SetPos(m_spinLevel.GetPos());
}

void COutRoute_Dlg::ShowOn(int on) {
    m_nOn = on ? 1 : 0;
    m_btnOn.SetCheck(m_nOn);
}

void COutRoute_Dlg::ShowPositionName() {
    if (!m_hWnd)
        return;
    const char* name = GetSpeakerPosName(PositionCode(), g_bChinese.load() != 0);
    m_btnPosition.SetWindowText(name ? name : "");
}

void COutRoute_Dlg::SetMarked(BOOL on) {
    m_bMarked = on ? TRUE : FALSE;
    if (m_hWnd)
        m_btnSelect.SetCheck(m_bMarked ? 1 : 0);
}

void COutRoute_Dlg::ApplyLanguage() {
    if (!m_hWnd)
        return;
    const UINT on = g_bChinese.load() ? striplayout::kOnCn : striplayout::kOn;
    m_btnOn.SetBitmaps(on, on + 1, on + 2, on + 3, on + 4, on + 5);
    m_btnOn.SetDisabledBitmaps(on + 6, on + 7);
    const UINT pol = g_bChinese.load() ? striplayout::kPolarityCn : striplayout::kPolarityEn;
    m_btnPolarity.SetBitmaps(pol, pol + 1, pol + 2, pol + 3, pol + 4, pol + 5);
    m_btnPolarity.SetDisabledBitmaps(pol + 6, pol + 7);
    m_editLevel.ApplyLanguage();
    ShowPositionName();
    Invalidate(FALSE);
}

void COutRoute_Dlg::SetDelayType(int numType) {
    if (!m_hWnd)
        return;
    m_editDelay.SetType(numType, "");
    m_spinDelay.SetStepMode(numType);
}

BOOL COutRoute_Dlg::TakeDelay() {
    CKTV_OutData* out = Out();
    if (!out || !m_hWnd)
        return FALSE;
    const int value = m_spinDelay.RefreshFromBuddy();
    m_nDelay = value;
    if (value == out->GetDelay())
        return FALSE;
    out->SetDelay(value);
    return TRUE;
}

// ---- Output map lock -------------------------------------------------------------------------

// A strip without a position is wholly enabled or disabled. A mapped strip keeps its on, polarity,
// level and select controls whatever the lock says, and only its position button follows it; the
// strip window itself is enabled again in case it was disabled whole before the output got its
// position.
BOOL COutRoute_Dlg::EnableWindow(BOOL enable) {
    if (!m_hWnd)
        return FALSE;
    const BOOL wasDisabled = !IsWindowEnabled();
    auto enableControls = [this](BOOL on) {
        m_btnOn.EnableWindow(on);
        m_btnPolarity.EnableWindow(on);
        m_editLevel.EnableEdit(on ? 1 : 0);
        m_editLevel.EnableWindow(on);
        m_spinLevel.EnableWindow(on);
        m_fader.EnableSlider(on);
        m_btnSelect.EnableWindow(on);
    };
    if (PositionCode() == 0) {
        m_btnPosition.EnableWindow(enable);
        enableControls(enable);
        Invalidate(FALSE);
        CDialog::EnableWindow(enable);
        return wasDisabled;
    }
    enableControls(TRUE);
    m_btnPosition.EnableWindow(enable);
    CDialog::EnableWindow(TRUE);
    Invalidate(FALSE);
    return wasDisabled;
}

// ---- Buttons and fields ----------------------------------------------------------------------

BOOL COutRoute_Dlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != 0)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_ON:
        OnOnButton();
        return TRUE;
    case IDC_POLARITY:
        OnPolarityButton();
        return TRUE;
    case IDC_LEVEL:
    case IDC_LEVEL_SPIN:
        OnLevelCommand();
        return TRUE;
    case IDC_DELAY:
    case IDC_DELAY_SPIN:
        OnDelayCommand();
        return TRUE;
    case IDC_SELECT:
        OnSelectButton();
        return TRUE;
    case IDC_POSITION:
        OnPositionButton();
        return TRUE;
    case IDM_COPY:
        OnCopy();
        return TRUE;
    case IDM_PASTE:
        OnPaste(0, 1);
        return TRUE;
    default:
        break;
    }
    if (const int code = CodeFromCommand(id); code >= 0) {
        OnPositionCommand(code);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void COutRoute_Dlg::OnOnButton() {
    CKTV_OutData* out = Out();
    if (!out)
        return;
    out->SetEnabled(out->GetEnabled() ? 0 : 1);
    ShowOn(out->GetEnabled());
    if (PositionCode() >= kFirstSubCode && m_pOwner)
        m_pOwner->RefreshOnButton();
}

void COutRoute_Dlg::OnPolarityButton() {
    CKTV_OutData* out = Out();
    if (!out)
        return;
    out->SetPolarity(out->GetPolarity() ? 0 : 1);
    m_nPolarity = out->GetPolarity();
    m_btnPolarity.SetCheck(m_nPolarity ? 1 : 0);
}

void COutRoute_Dlg::OnLevelCommand() {
    ApplyLevel(m_spinLevel.RefreshFromBuddy(), false);
}

void COutRoute_Dlg::ApplyLevel(int level, bool fromFader) {
    CKTV_OutData* out = Out();
    if (!out || level == out->GetEffectiveLevel())
        return;
    out->SetLevel(level);
    if (!out->GetEnabled()) {
        out->SetEnabled(1);
        ShowOn(1);
    }
    m_nLevel = level;
    if (fromFader)
        m_spinLevel.SetPos(level);
    else
        m_fader.SetPos(level);
    if (m_pOwner)
        m_pOwner->RefreshLinkedLevels(m_nOutput);
    if (PositionCode() >= kFirstSubCode) {
        if (m_pOwner)
            m_pOwner->OnSubLevelChanged(level);
        PostMessage(WM_STRIP_SUB_SYNC, 0, 0);
    }
}

LRESULT COutRoute_Dlg::OnSliderMoving(WPARAM wParam, LPARAM) {
    if (static_cast<int>(wParam) == IDC_LEVEL_FADER)
        ApplyLevel(m_fader.GetPos(), true);
    return 1;
}

LRESULT COutRoute_Dlg::OnSliderMoved(WPARAM wParam, LPARAM) {
    if (static_cast<int>(wParam) == IDC_LEVEL_FADER) {
        ApplyLevel(m_fader.GetPos(), true);
        m_editLevel.SetFocus();
    }
    return 1;
}

LRESULT COutRoute_Dlg::OnSubSync(WPARAM, LPARAM) {
    if (!m_pOwner)
        return 0;
    // No subwoofer output left (the message may arrive after the position changed): the page's
    // subwoofer level shows its top, as the mode button and the map reset do.
    int lowest = m_pOwner->GetLowestSubLevel();
    if (lowest < 0)
        lowest = kMaxLevel;
    m_pOwner->ShowSubLevel(lowest);
    m_pOwner->RefreshOnButton();
    return 0;
}

void COutRoute_Dlg::OnDelayCommand() {
    if (m_pOwner)
        m_pOwner->ApplyOutputDelay(m_nOutput);
}

void COutRoute_Dlg::OnSelectButton() {
    if (m_bMarked && m_nOutput == g_nCurOut.load())
        return;
    if (m_pPage)
        m_pPage->PostMessage(WM_OUTPUT_SELECT, static_cast<WPARAM>(m_nOutput), 0);
}

// ---- Speaker position popup ------------------------------------------------------------------

int COutRoute_Dlg::CodeFromCommand(UINT id) {
    if (id >= 4100 && id <= 4124)
        return static_cast<int>(id) - 4100;
    if (id == 32772)
        return 25;
    if (id == 32773)
        return 26;
    return -1;
}

UINT COutRoute_Dlg::CommandFromCode(int code) {
    if (code == 25)
        return 32772;
    if (code == 26)
        return 32773;
    return 4100 + static_cast<UINT>(code);
}

// The states the rules give while this output holds no position, so its own position and the ones
// only it blocks are offered. The shared states are put back byte for byte afterwards: opening a
// popup changes nothing.
void COutRoute_Dlg::BuildPositionStates() {
    if (m_nOutput < 0 || m_nOutput >= NUM_OUTPUTS)
        return;
    BYTE saved[POS_STATE_SIZE];
    std::memcpy(saved, g_posState, sizeof saved);
    BYTE& code = g_posState[POS_STATE_OUTPUTS + m_nOutput];
    const int own = code;
    ReleaseSpeakerPos(own, m_nOutput);
    code = 0;
    SelectSpeakerPos(0, 0);
    std::memcpy(m_posState, g_posState, sizeof m_posState);
    std::memcpy(g_posState, saved, sizeof saved);
    m_posState[POS_STATE_OUTPUTS + m_nOutput] = static_cast<BYTE>(own);
}

void COutRoute_Dlg::UpdatePositionMenu(CMenu& menu) const {
    const int own = m_nOutput >= 0 && m_nOutput < NUM_OUTPUTS ? m_posState[POS_STATE_OUTPUTS + m_nOutput] : 0;
    menu.EnableMenuItem(CommandFromCode(0), MF_BYCOMMAND | MF_ENABLED);
    for (int code = 1; code <= 26; ++code) {
        const UINT id = CommandFromCode(code);
        if (code == own) {
            menu.CheckMenuItem(id, MF_BYCOMMAND | MF_CHECKED);
            menu.EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
            continue;
        }
        switch (m_posState[code]) {
        case POS_TAKEN:
            menu.CheckMenuItem(id, MF_BYCOMMAND | MF_CHECKED);
            menu.EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
            break;
        case POS_BLOCKED:
            menu.CheckMenuItem(id, MF_BYCOMMAND | MF_UNCHECKED);
            menu.EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
            break;
        case POS_FREE:
            menu.CheckMenuItem(id, MF_BYCOMMAND | MF_UNCHECKED);
            menu.EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
            break;
        default:
            break;
        }
    }
}

void COutRoute_Dlg::OnPositionButton() {
    CRect rc;
    m_btnPosition.GetWindowRect(&rc);
    BuildPositionStates();
    CMenu* popup = g_menuSpkPos.GetSubMenu(0);
    if (!popup)
        return;
    UpdatePositionMenu(*popup);
    g_nStateFlags[26] = 1;
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, this);
    g_nStateFlags[26] = 0;
}

void COutRoute_Dlg::OnPositionCommand(int code) {
    if (code < 0 || code > 26 || code == PositionCode())
        return;
    if (m_pPage)
        m_pPage->PostMessage(WM_OUTPUT_SET_POSITION, static_cast<WPARAM>(m_nOutput),
                             static_cast<LPARAM>(code));
}

// ---- Copy and paste --------------------------------------------------------------------------

void COutRoute_Dlg::OnCopy() {
    if (m_nOutput < 0 || m_nOutput >= NUM_OUTPUTS)
        return;
    if (g_outCopy.source >= 0 && g_outCopy.source < NUM_OUTPUTS)
        g_outCopy.flags[g_outCopy.source] = 0;
    g_outCopy.flags[m_nOutput] = 1;
    g_outCopy.source = m_nOutput;
}

LRESULT COutRoute_Dlg::OnStripCopy(WPARAM, LPARAM) {
    OnCopy();
    return 0;
}

CString COutRoute_Dlg::PasteQuestion(int source) const {
    CString text;
    if (g_bChinese.load())
        text = CString("是否拷贝") + OutLabel(source) + "的数据到" + OutLabel(m_nOutput);
    else
        text = CString("Whether copy ") + OutLabel(source) + " data to " + OutLabel(m_nOutput);
    return text;
}

LRESULT COutRoute_Dlg::OnPaste(WPARAM, LPARAM lParam) {
    if (IsOutInLinkGroup(m_nOutput)) {
        CString text;
        m_btnPosition.GetWindowText(text);
        if (g_bChinese.load())
            text += "已经联调,禁止通道拷贝";
        if (m_pOwner)
            m_pOwner->StripMessageBox(text, MB_OK, 0);
        return 0;
    }
    const int source = g_outCopy.source;
    if (source < 0 || source >= NUM_OUTPUTS || source == m_nOutput || !m_pOwner)
        return 0;
    const int caption = g_bChinese.load() ? -2 : -3;
    if (m_pOwner->StripMessageBox(PasteQuestion(source), MB_YESNO, caption) != IDYES)
        return 0;
    if (!m_pPage)
        return 0;
    m_pPage->PostMessage(WM_OUTPUT_PASTE, static_cast<WPARAM>(source), static_cast<LPARAM>(m_nOutput));
    if (lParam == 1 && !(m_bMarked && m_nOutput == g_nCurOut.load()))
        m_pPage->PostMessage(WM_OUTPUT_SELECT, static_cast<WPARAM>(m_nOutput), 0);
    return 0;
}

void COutRoute_Dlg::OnRButtonDown(UINT flags, CPoint point) {
    if (CMenu* popup = m_menuCopy.GetSubMenu(0)) {
        popup->ModifyMenu(IDM_COPY, MF_BYCOMMAND | MF_STRING, IDM_COPY, LangText("Copy", "复制"));
        popup->ModifyMenu(IDM_PASTE, MF_BYCOMMAND | MF_STRING, IDM_PASTE, LangText("Paste", "粘贴"));
        popup->EnableMenuItem(1, MF_BYPOSITION | (g_outCopy.source < 0 ? MF_GRAYED : MF_ENABLED));
        CPoint at = point;
        ClientToScreen(&at);
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
    }
    CDialog::OnRButtonDown(flags, point);
}

// ---- Keyboard --------------------------------------------------------------------------------

BOOL COutRoute_Dlg::PreTranslateMessage(MSG* msg) {
    if (!msg || !m_hWnd)
        return FALSE;
    CWnd* target = CWnd::FromHandle(msg->hwnd);
    if (!target || (target != this && !IsChild(target)))
        return CDialog::PreTranslateMessage(msg);
    if (msg->message == WM_LBUTTONDOWN) {
        // A press into the field being edited keeps its focus, so the click places the caret.
        if (target != CWnd::GetFocus())
            SetFocus();
        return FALSE;
    }
    if (msg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(msg);
    CWnd* focus = CWnd::GetFocus();
    CNumEdit* edit =
        (focus == &m_editLevel || focus == &m_editDelay) ? static_cast<CNumEdit*>(focus) : nullptr;
    const WPARAM id = edit ? static_cast<WPARAM>(edit->GetDlgCtrlID()) : 0;
    switch (msg->wParam) {
    case VK_RETURN:
        if (edit) {
            PostMessage(WM_NUMEDIT_ENTER, id, 0);
            return FALSE;
        }
        SetFocus();
        return FALSE;
    case VK_TAB:
        if (edit && m_pPage) {
            m_pPage->PostMessage(WM_NUMEDIT_NAVIGATE, id, VK_RIGHT);
            return TRUE;
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (edit) {
            PostMessage(WM_NUMEDIT_NAVIGATE, id, static_cast<LPARAM>(msg->wParam));
            return FALSE;
        }
        break;
    case VK_ESCAPE:
        SetFocus();
        return FALSE;
    default:
        break;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        if (msg->wParam == 0x43) {
            PostMessage(WM_STRIP_COPY, 0, 0);
            return TRUE;
        }
        if (msg->wParam == 0x56) {
            PostMessage(WM_OUTPUT_PASTE, 0, 0);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT COutRoute_Dlg::OnNumEditNavigate(WPARAM wParam, LPARAM lParam) {
    if (lParam == VK_LEFT)
        FocusLeft(static_cast<int>(wParam));
    else if (lParam == VK_RIGHT)
        FocusRight(static_cast<int>(wParam));
    return 0;
}

LRESULT COutRoute_Dlg::OnNumEditEnter(WPARAM wParam, LPARAM) {
    FocusRight(static_cast<int>(wParam));
    return 0;
}

void COutRoute_Dlg::FocusLeft(int id) {
    if (!m_pOwner)
        return;
    COutRoute_Dlg* prev = m_nOutput > 0 ? m_pOwner->GetStrip(m_nOutput - 1) : nullptr;
    if (id == IDC_LEVEL) {
        if (m_nOutput > 0) {
            if (prev)
                prev->m_editLevel.SetFocus();
        } else {
            m_pOwner->FocusShownLevelEdit();
        }
    } else if (id == IDC_DELAY) {
        COutRoute_Dlg* to = m_nOutput > 0 ? prev : m_pOwner->GetStrip(NUM_OUTPUTS - 1);
        if (to)
            (m_nOutput > 0 ? to->m_editDelay : to->m_editLevel).SetFocus();
    }
}

void COutRoute_Dlg::FocusRight(int id) {
    if (!m_pOwner)
        return;
    const bool last = m_nOutput >= NUM_OUTPUTS - 1;
    COutRoute_Dlg* next = last ? nullptr : m_pOwner->GetStrip(m_nOutput + 1);
    if (id == IDC_LEVEL) {
        if (!last) {
            if (next)
                next->m_editLevel.SetFocus();
        } else if (COutRoute_Dlg* first = m_pOwner->GetStrip(0)) {
            first->m_editDelay.SetFocus();
        }
    } else if (id == IDC_DELAY) {
        if (!last) {
            if (next)
                next->m_editDelay.SetFocus();
        } else {
            m_pOwner->FocusHighPassEdit();
        }
    }
}

// ---- Painting and the hover look -------------------------------------------------------------

BOOL COutRoute_Dlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void COutRoute_Dlg::OnPaint() {
    CPaintDC dc(this);
    if (m_bmpSkin.GetSafeHandle()) {
        DrawBitmap(&dc, &m_bmpSkin, 0, 0);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kStripFill);
}

// Timer 5 is never started; the hover look stays available to a caller that starts it.
void COutRoute_Dlg::OnTimer(UINT_PTR id) {
    if (id != kHoverTimer) {
        CDialog::OnTimer(id);
        return;
    }
    CPoint pt;
    GetCursorPos(&pt);
    GetWindowRect(&m_rcScreen);
    if (m_rcScreen.PtInRect(pt)) {
        if (!m_bHover && ((!m_bMarked && IsWindowEnabled()) || (m_bMarked && m_bHoverWhenMarked))) {
            m_bHover = TRUE;
            m_btnOn.SetHot(TRUE);
            Invalidate(FALSE);
        }
    } else if (m_bHover) {
        m_bHover = FALSE;
        m_btnOn.SetHot(FALSE);
        Invalidate(FALSE);
    }
}
