// The boot default source dialog (882): one list of the four sources. A new choice is stored in
// byte 1 of the boot-source record and sent at once; the dialog has no OK or Cancel and ends
// with Enter, Escape or its close box.
#pragma once

#include "controls/ComBoxBtn.h"
#include "controls/TransparentStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

constexpr UINT IDD_DEF_SOURCE = 882;
constexpr UINT IDC_DEF_SOURCE_DROP = 36941;
constexpr UINT IDB_DEF_SOURCE_LIST = 883;
constexpr UINT IDB_DEF_SOURCE_LIST_HOVER = 884;

class CDefSourceDlg : public CDialog {
public:
    enum : int { IDC_PROMPT = 2858, IDC_LIST = 2857 };

    explicit CDefSourceDlg(CWnd* parent = nullptr);
    ~CDefSourceDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    // WM_COMBO_SELECT of the list: (list id, item index).
    LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);

    // Source code (input-type codes) of a list item and back: 1/3/0/5 <-> 0/1/2/3. Other
    // codes select nothing (-1); other items are taken as the code itself.
    static int ItemForCode(int code);
    static int CodeForItem(int item);

    CComBoxBtn m_list;
    CTransparentStatic m_prompt;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
    CFont m_fontPrompt;
};
