#include "presets/ProgramDlg.h"

#include "controls/AppObjects.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "presets/PresetDialogLayouts.h"
#include "presets/SaveDlg.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <cstring>
#include <mutex>

CProgramDlg* g_pProgramDlg = nullptr;

namespace {

constexpr int kNameField = 16;
constexpr int kNameCompared = 13;
constexpr int kRowHeight = 20;
constexpr UINT kCellFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

struct ModeTexts {
    const char* captionEn;
    const char* captionCn;
    const char* buttonEn;
    const char* buttonCn;
};
constexpr ModeTexts kModeTexts[] = {
    {"Load Machine Preset", "加载 机器预置场景", "Load", "加载"},
    {"Save As Machine Preset", "另存为 机器预置场景", "Save", "保存"},
    {"Delete Machine Preset", "删除 机器预置场景", "Delete", "删除"},
};

CString StoredName(int preset) {
    std::lock_guard lock(g_linkLock);
    return FieldToString(g_storedPresets[preset - 1].system.name, kNameField);
}

} // namespace

BEGIN_MESSAGE_MAP(CProgramDlg, CDialog)
ON_MESSAGE(WM_MACHINE_PRESET_SAVE_AS, &CProgramDlg::OnSaveAsMessage)
ON_MESSAGE(WM_MACHINE_PRESET_LOAD, &CProgramDlg::OnLoadMessage)
ON_MESSAGE(WM_MACHINE_PRESET_DELETE, &CProgramDlg::OnDeleteMessage)
END_MESSAGE_MAP()

CProgramDlg::CProgramDlg(int mode, CProgramDlgHost& host, CWnd* parent)
    : CDialog(IDD_PROGRAM_DLG, parent), m_nMode(mode >= MODE_LOAD && mode <= MODE_DELETE ? mode : MODE_LOAD),
      m_host(host) {
    RegisterPresetDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

CProgramDlg::~CProgramDlg() {
    if (g_pProgramDlg == this)
        g_pProgramDlg = nullptr;
}

void CProgramDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDCANCEL, m_btnCancel);
    DDX_Control(dx, IDC_ACTION, m_btnAction);
    DDX_GridControl(dx, IDC_GRID, m_grid);
}

BOOL CProgramDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nPreset = 1;
    m_grid.SetRowCount(kRows);
    m_grid.SetColumnCount(2);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetColumnWidth(1, kNameWidth);
    m_grid.SetEditable(FALSE);
    m_grid.SetRowResize(FALSE);
    m_grid.SetListMode(TRUE);
    m_grid.SetSingleRowSelection(TRUE);
    m_grid.SetGridColour(kGridLineColour);
    m_grid.SetFont(&g_fontArial16);
    // All seven rows fit the dialog without scrolling.
    for (int r = 0; r < kRows; ++r) {
        m_grid.SetRowHeight(r, kRowHeight);
        for (int c = 0; c < 2; ++c)
            m_grid.SetItemFormat(r, c, kCellFormat);
    }
    m_grid.ResetScrollBars();
    // The number column takes the rest of the grid's width (no scroll bar is left to narrow it).
    CRect client;
    m_grid.GetClientRect(&client);
    m_grid.SetColumnWidth(0, std::max(40, client.Width() - kNameWidth - 1));
    m_grid.ResetScrollBars();
    m_grid.SetItemText(0, 0, "No.");
    m_grid.SetItemText(0, 1, "Name");
    m_grid.SetSelectedRange(1, 0, 1, 1, TRUE);
    m_grid.EnsureVisible(1, 0);
    FillNames();
    m_grid.SetFocusCellAt(1, 1);
    SetTexts();
    Invalidate();
    g_pProgramDlg = this;
    return TRUE;
}

void CProgramDlg::SetTexts() {
    const ModeTexts& t = kModeTexts[m_nMode];
    SetWindowText(LangText(t.captionEn, t.captionCn));
    m_btnAction.SetWindowText(LangText(t.buttonEn, t.buttonCn));
    m_btnCancel.SetWindowText(LangText("Quit", "退出"));
    m_grid.SetItemText(0, 0, LangText("No.", "序号"));
    m_grid.SetItemText(0, 1, LangText("Preset", "场景名"));
}

void CProgramDlg::FillNames() {
    for (int n = 1; n < kRows; ++n) {
        CString number;
        number.Format("%d", n);
        m_grid.SetItemText(n, 0, number);
        m_grid.SetItemText(n, 1, StoredName(n).Trim());
    }
}

CProgramDlg::NameCheck CProgramDlg::CheckName(int preset, const CString& name) {
    if (name.IsEmpty())
        return NameCheck::Empty;
    if (IsBlankString(name))
        return NameCheck::Blank;
    std::lock_guard lock(g_linkLock);
    std::memset(g_nameBuf, 0, sizeof g_nameBuf);
    StringToField(g_nameBuf, kNameField, name);
    if (IsPresetNameUsed(preset - 1, g_nameBuf, TRUE, kNameCompared))
        return NameCheck::Used;
    return NameCheck::Ok;
}

void CProgramDlg::SaveAs(int row) {
    if (!IsPresetRow(row))
        return;
    const int n = row;
    m_nPreset = n;
    CSaveDlg dlg(n, this);
    dlg.m_strName = StoredName(n);
    if (dlg.DoModal() != IDOK)
        return;
    m_strName = dlg.m_strName;
    switch (CheckName(n, m_strName)) {
    case NameCheck::Empty:
        m_host.ShowPresetMessage("The machine preset name can not be empty!", "机器预置场景名不能为空!",
                                 MB_OK);
        return;
    case NameCheck::Blank:
        m_host.ShowPresetMessage("The machine preset name can not be all spaces!",
                                 "机器预置场景名不能全为空格!", MB_OK);
        return;
    case NameCheck::Used:
        m_host.ShowPresetMessage("Have been the same machine preset name!", "已有相同的机器预置场景名!",
                                 MB_OK);
        return;
    case NameCheck::Ok:
        break;
    }
    {
        std::lock_guard lock(g_linkLock);
        char* field = g_storedPresets[n - 1].system.name;
        std::memset(field, 0, kNameField);
        StringToField(field, kNameField, m_strName);
        std::memcpy(g_curImage.system.name, field, kNameField);
    }
    if (m_grid.GetSafeHwnd()) {
        m_grid.SetItemText(row, 1, m_strName);
        m_grid.Invalidate();
    }
    m_host.ShowPresetNameBoth(1);
    m_host.SendPreset(n, TRUE);
}

void CProgramDlg::Load(int row) {
    if (!IsPresetRow(row))
        return;
    const int n = row;
    m_nPreset = n;
    if (!g_bOnline.load())
        return;
    std::lock_guard lock(g_linkLock);
    PresetImage& stored = g_storedPresets[n - 1];
    std::memcpy(g_curImage.system.name, stored.system.name, kNameField);
    LockMarkBlock mark = stored.outputs[0].GetLockMark();
    if (mark.lockOption == ' ') {
        mark.lockOption = 0;
        stored.outputs[0].SetLockMark(mark);
    }
    LockMarkBlock live = g_curImage.outputs[0].GetLockMark();
    live.lockOption = mark.lockOption;
    g_curImage.outputs[0].SetLockMark(live);
    m_host.ReadDevicePreset(n);
}

void CProgramDlg::Delete(int row) {
    if (!IsPresetRow(row))
        return;
    const int n = row;
    m_nPreset = n;
    CString textEn;
    CString textCn;
    textEn.Format("Are you delete No.%d preset?", n);
    textCn.Format("是否删除第%d组场景?", n);
    if (m_host.ShowPresetMessage(textEn, textCn, MB_YESNO) != IDYES)
        return;
    if (!g_bOnline.load())
        return;
    m_strName.Empty();
    BOOL current = FALSE;
    {
        std::lock_guard lock(g_linkLock);
        std::memset(g_storedPresets[n - 1].system.name, 0, kNameField);
        current = g_curPresetNo[0] == n;
    }
    if (m_grid.GetSafeHwnd()) {
        m_grid.SetItemText(row, 1, "");
        m_grid.Invalidate();
    }
    if (current)
        m_host.SendPresetCleared(n);
    else
        m_host.SendCommand(CMD_PRESET_NAME, n);
}

void CProgramDlg::Act(UINT message, GridCellId cell, GridCellId* remembered) {
    *remembered = cell;
    switch (message) {
    case WM_MACHINE_PRESET_SAVE_AS:
        SaveAs(cell.row);
        break;
    case WM_MACHINE_PRESET_LOAD:
        Load(cell.row);
        break;
    default:
        Delete(cell.row);
        break;
    }
}

void CProgramDlg::OnActionButton() {
    const GridCellId focus = m_grid.GetFocusCell();
    switch (m_nMode) {
    case MODE_SAVE_AS:
        Act(WM_MACHINE_PRESET_SAVE_AS, focus, &m_saveAsCell);
        break;
    case MODE_LOAD:
        Act(WM_MACHINE_PRESET_LOAD, focus, &m_loadCell);
        break;
    default:
        Act(WM_MACHINE_PRESET_DELETE, focus, &m_deleteCell);
        break;
    }
}

LRESULT CProgramDlg::OnSaveAsMessage(WPARAM, LPARAM) {
    SaveAs(m_saveAsCell.row);
    return 0;
}

LRESULT CProgramDlg::OnLoadMessage(WPARAM, LPARAM) {
    Load(m_loadCell.row);
    return 0;
}

LRESULT CProgramDlg::OnDeleteMessage(WPARAM, LPARAM) {
    Delete(m_deleteCell.row);
    return 0;
}

BOOL CProgramDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (static_cast<int>(wParam) != IDC_GRID || !header || header->idFrom != IDC_GRID)
        return CDialog::OnNotify(wParam, lParam, result);
    const auto* notify = reinterpret_cast<const GridNotify*>(lParam);
    const GridCellId cell{notify->iRow, notify->iColumn};
    switch (static_cast<int>(header->code)) {
    case static_cast<int>(NM_DBLCLK):
        if (m_nMode == MODE_LOAD) {
            m_loadCell = cell;
            PostMessage(WM_MACHINE_PRESET_LOAD, 0, 0);
        } else if (m_nMode == MODE_SAVE_AS) {
            m_saveAsCell = cell;
            PostMessage(WM_MACHINE_PRESET_SAVE_AS, 0, 0);
        } else {
            m_deleteCell = cell;
            PostMessage(WM_MACHINE_PRESET_DELETE, 0, 0);
        }
        break;
    case GRIDN_END_EDIT:
        Act(WM_MACHINE_PRESET_SAVE_AS, cell, &m_saveAsCell);
        break;
    case GRIDN_CELL_CLEARED:
        Act(WM_MACHINE_PRESET_DELETE, cell, &m_deleteCell);
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, result);
    }
    if (result)
        *result = 0;
    return TRUE;
}

BOOL CProgramDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    switch (id) {
    case IDC_ACTION:
        if (HIWORD(wParam) == BN_CLICKED)
            OnActionButton();
        return TRUE;
    case ID_GRID_LOAD:
        Act(WM_MACHINE_PRESET_LOAD, m_grid.GetRightClickCell(), &m_loadCell);
        return TRUE;
    case ID_GRID_SAVE_AS:
        Act(WM_MACHINE_PRESET_SAVE_AS, m_grid.GetRightClickCell(), &m_saveAsCell);
        return TRUE;
    case ID_GRID_DELETE:
        Act(WM_MACHINE_PRESET_DELETE, m_grid.GetRightClickCell(), &m_deleteCell);
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CProgramDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Escape only take the focus to the dialog: no default button, no closing.
    if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        SetFocus();
        return TRUE;
    }
    // Other keys go to the focused control (the grid's arrows move its focus cell).
    if (msg && msg->message == WM_KEYDOWN)
        return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

HBRUSH CProgramDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
