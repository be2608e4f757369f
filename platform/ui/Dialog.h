// CDialog: a dialog laid out from the resource registry's layout table of its id (controls with
// their class, rectangle, styles and text in the current language, the dialog's font). Modal
// (DoModal runs a local event loop until EndDialog) or modeless (Create). The dialog manager's
// keys are handled in PreTranslateMessage: Enter = the focused push button or the default
// button (IDOK), Escape = IDCANCEL, Tab / Shift+Tab = the next / previous tab stop.
#pragma once

#include "platform/ui/Wnd.h"

#include <functional>
#include <memory>
#include <vector>

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    using CWnd::Create;
    // Modeless: created from the layout table; shown only when its style has WS_VISIBLE.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Sets the focus to a control (the dialog manager's way: edits get their text selected).
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    UINT GetTemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }
    int ModalResult() const { return m_result; }

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

    // The window a modal dialog of this parent (null: none given) belongs to: the parent's top-level
    // window, else the innermost modal dialog running, else the main window.
    static CWnd* ModalOwnerFor(CWnd* parent);
    // The innermost modal dialog running now; null when none runs.
    static CDialog* InnermostModal();

    // Tests: runs once each time a modal dialog has been shown, inside its loop (e.g. to click a
    // button and end it). Null to remove.
    static void SetModalHook(std::function<void(CDialog&)> hook);

    // Makes the window of a control class named in a layout table ("Button", "Static", "Edit",
    // "ListBox", "ComboBox", "UpDown", "Progress", "Tab", "ListView", "" = plain window).
    using ControlFactory = CWnd* (*)();
    static void RegisterControlClass(const char* className, ControlFactory make);

protected:
    // Builds the window and its controls from the layout table; FALSE when the id has none.
    BOOL CreateFromTable(CWnd* parent, bool modal);
    // A modal dialog's owner takes no input while it runs; the dialog stays enabled.
    void DisableOwner(CWnd* owner);
    void ReturnFocus(CWnd* owner, HWND focusBefore);

    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;
    bool m_modal = false;
    bool m_ending = false;
    bool m_ownerDisabled = false;
    int m_result = 0;
    UINT m_defId = IDOK;
    struct Loop;
    std::unique_ptr<Loop> m_loop;
    std::vector<std::unique_ptr<CWnd>> m_templateItems;
    std::unique_ptr<class CFont> m_font;
};
