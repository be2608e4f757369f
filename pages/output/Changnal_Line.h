// CChangnal_Line: the strip of curve toggles CH1..CH8 beside the output graph. A toggle that is on
// shows that output's curve grey behind the current output's on the graph (while the show-all
// setting is on). The flags are program state only; nothing stores them.
#pragma once

#include "controls/BitButton.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

class CChangnal_Line : public CDialog {
public:
    static constexpr UINT IDD = 812;
    static constexpr UINT kBackground = 813;
    static constexpr int kFirstToggle = 2839; // CH1; CH8 is 2846
    static constexpr int kEqCountToggle = 2847;
    static constexpr int kToggleCount = 9;

    // What the strip calls on the output page that owns it.
    class Page {
    public:
        virtual void RefreshPage() = 0;
        virtual void ResetAllOutputEq(BOOL linked) = 0;
        virtual ~Page() = default;
    };

    CChangnal_Line();

    // Creates the strip as a child of the page at its place beside the graph and shows it.
    BOOL CreateStrip(CWnd* parent);
    void SetOutputDlg(Page* page) { m_pOutputDlg = page; }
    // The toggle of output k (0..7).
    CBitButton& Toggle(int k) { return m_btnToggle[kToggleCount - 1 - k]; }
    CBitButton& EqCountToggle() { return m_btnToggle[0]; }

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnToggleOut(UINT id);
    void OnToggleEqCount();
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bmpBack;
    // Member i is bound to control 2847 - i.
    CBitButton m_btnToggle[kToggleCount];
    Page* m_pOutputDlg = nullptr;
};
