// CGradientProgressCtrl: a progress bar painting its filled part as a colour gradient, with an
// optional percentage. It keeps its own range and position; the system progress control under
// it only gets copies. The link worker moves it: SetPos stores the position atomically and posts
// PBM_SETPOS, so the bar is painted on the UI thread only. A worker keeps a Remote, not the bar:
// the Remote stays valid after the bar is destroyed, and a post to a destroyed bar goes nowhere.
#pragma once

#include "platform/ui/ProgressCtrl.h"

#include <atomic>
#include <memory>
#include <vector>

class CGradientProgressCtrl : public CProgressCtrl {
public:
    // Range and position shared between the bar and the threads that move it.
    struct Shared {
        std::atomic<int> lower{0};
        std::atomic<int> upper{100};
        std::atomic<int> pos{0};
        std::atomic<HWND> hwnd{nullptr};
    };

    // What another thread keeps of a bar.
    class Remote {
    public:
        Remote() = default;
        explicit Remote(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}
        // As the bar's SetPos; FALSE once the bar's window is gone.
        BOOL SetPos(int pos) const;
        int GetPos() const;
        int GetRangeMax() const;
        bool IsValid() const { return m_shared != nullptr; }

    private:
        std::shared_ptr<Shared> m_shared;
    };

    // One solid fill of a paint, in client coordinates.
    struct Fill {
        CRect rect;
        COLORREF colour;
        bool operator==(const Fill&) const = default;
    };

    CGradientProgressCtrl();
    ~CGradientProgressCtrl() override;

    void SetRange(int lower, int upper);
    void SetRange32(int lower, int upper);
    int GetRangeMax() const;
    int GetRangeMin() const;
    BOOL SetPos(int pos);
    int GetPos() const;
    void SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_clrBk; }
    void ShowPercent(BOOL show);
    void SetStep(int step);
    void StepIt();
    Remote GetRemote() const { return Remote(m_shared); }

    // The drawing of one paint, as fills in order (the gradient bands, then the background).
    static std::vector<Fill> GradientFills(COLORREF start, COLORREF end, COLORREF bk, const CRect& client,
                                           int barLength, bool vertical);
    // Bar length in pixels for a position inside (lower, upper].
    static int BarLength(int pos, int upper, int extent);
    // The percentage text, "%3.0f %%" at the upper bound, else "%3.2f %%".
    static CString PercentText(int lower, int upper, int pos);

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnSetPosMessage(WPARAM wParam, LPARAM lParam);
    void DrawGradient(CDC* dc, const CRect& client, int barLength, bool vertical);

    DECLARE_MESSAGE_MAP()

private:
    std::shared_ptr<Shared> m_shared;
    int m_nStep = 10;
    COLORREF m_clrStart = RGB(255, 0, 0);
    COLORREF m_clrEnd = RGB(0, 0, 255);
    COLORREF m_clrBk;
    COLORREF m_clrText = RGB(0, 0, 0);
    BOOL m_bShowPercent = FALSE;
};
