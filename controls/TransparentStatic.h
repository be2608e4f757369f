// CTransparentStatic: a label drawn straight onto its parent's background in its own colour. It
// sets a new text only when the text really changes; a worker thread sets it through a Remote,
// which outlives the label and never touches its window.
#pragma once

#include "platform/ui/Static.h"

#include <atomic>
#include <memory>
#include <mutex>

class CTransparentStatic : public CStatic {
    DECLARE_DYNAMIC(CTransparentStatic)
public:
    // Text handed over by other threads, taken by the label on the UI thread.
    struct Shared {
        std::mutex lock;
        CString text;
        std::atomic<HWND> hwnd{nullptr};
    };
    class Remote {
    public:
        Remote() = default;
        explicit Remote(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}
        // Hands the text to the label; FALSE once its window is gone.
        BOOL SetWindowText(const CString& text) const;

    private:
        std::shared_ptr<Shared> m_shared;
    };

    CTransparentStatic();
    ~CTransparentStatic() override;

    void SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_clrText; }
    virtual void SetWindowText(LPCTSTR text);
    Remote GetRemote() const { return Remote(m_shared); }

    // DrawText flags of a static's style words (also used by the hyperlink label).
    static UINT TextFormatFromStyle(DWORD style);

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void PreSubclassWindow() override;
    void OnDestroy() override;
    void OnPaint() override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnRemoteText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_clrText = 0;
    CString m_strKept;
    std::shared_ptr<Shared> m_shared;
};
