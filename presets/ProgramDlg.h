// The machine-preset dialog (170): the names of the device's six stored presets in a 7 x 2 grid,
// and in one of three modes it loads a stored preset into the live settings, saves the live
// settings as a stored preset under a name asked for in CSaveDlg, or deletes a stored preset's
// name. Enter and Escape never close it; it ends through Quit or its close box.
#pragma once

#include "grid/ComboGridCtrl.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "presets/ProgramDlgHost.h"

// Messages the dialog posts to itself (wParam 0, lParam 0).
constexpr UINT WM_MACHINE_PRESET_SAVE_AS = 0x590;
constexpr UINT WM_MACHINE_PRESET_LOAD = 0x591;
constexpr UINT WM_MACHINE_PRESET_DELETE = 0x592;
// Commands of the grid's popup menu.
constexpr UINT ID_GRID_SAVE_AS = 713;
constexpr UINT ID_GRID_LOAD = 714;
constexpr UINT ID_GRID_DELETE = 715;

class CProgramDlg : public CDialog {
public:
    enum Mode : int { MODE_LOAD = 0, MODE_SAVE_AS = 1, MODE_DELETE = 2 };
    enum : int { IDC_ACTION = 2727, IDC_GRID = 2724 };
    static constexpr int kRows = 7;
    static constexpr int kNameWidth = 262;
    static constexpr COLORREF kGridLineColour = RGB(51, 153, 255);

    CProgramDlg(int mode, CProgramDlgHost& host, CWnd* parent = nullptr);
    ~CProgramDlg() override;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // The refusals of a name for stored preset n (1..6), checked in this order.
    enum class NameCheck { Ok, Empty, Blank, Used };
    static NameCheck CheckName(int preset, const CString& name);

    // The three actions on a grid row; rows outside 1..6 do nothing.
    void SaveAs(int row);
    void Load(int row);
    void Delete(int row);
    // The row an action of the given kind takes: the remembered cell of that kind.
    void OnActionButton();
    LRESULT OnSaveAsMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLoadMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteMessage(WPARAM wParam, LPARAM lParam);
    // Fills the number and name cells of rows 1..6 from the stored presets.
    void FillNames();

    CButton m_btnCancel;
    CButton m_btnAction;
    CComboGridCtrl m_grid;
    int m_nMode;
    int m_nPreset = 1;
    CString m_strName;
    GridCellId m_saveAsCell{-1, -1};
    GridCellId m_loadCell{-1, -1};
    GridCellId m_deleteCell{-1, -1};

protected:
    DECLARE_MESSAGE_MAP()

private:
    static bool IsPresetRow(int row) { return row >= 1 && row < kRows; }
    void SetTexts();
    // Runs the action of a menu command or notification on a cell.
    void Act(UINT message, GridCellId cell, GridCellId* remembered);

    CProgramDlgHost& m_host;
    CBrush m_brush;
};

// The open machine-preset dialog (the progress display disables it during transfers).
extern CProgramDlg* g_pProgramDlg;
