// CEnTabCtrl: the look of the owner-drawn tab control: flat or gradient tab faces, coloured
// edges in lighter and darker shades of the tab colour, its own tab font, and look flags shared
// by every tab control of the class.
#pragma once

#include "controls/BaseTabCtrl.h"
#include "platform/ui/Font.h"

class CDC;

// Each channel times the factor, truncated; the factor is kept within 0..1.
COLORREF Darken(COLORREF colour, float factor);
// Each channel times the factor (at least 1), truncated and limited to 255.
COLORREF Lighten(COLORREF colour, float factor);
// Shortens text with an ending ellipsis to fit width on the DC; returns the shortened extent.
CSize FormatTabText(CString& text, CDC* dc, int width);

class CEnTabCtrl : public CBaseTabCtrl {
public:
    // Look flags.
    static constexpr int ETC_FLAT = 1;
    static constexpr int ETC_COLOR = 2;
    static constexpr int ETC_SELECTION = 4;
    static constexpr int ETC_GRADIENT = 8;
    static constexpr int ETC_BACKTABS = 16;

    CEnTabCtrl();
    ~CEnTabCtrl() override;

    static void SetLookFlags(BOOL enable, int flags);
    static int GetLookFlags();

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void DrawMainBorder(LPDRAWITEMSTRUCT dis) override;
    void DrawTabBorder(LPDRAWITEMSTRUCT dis) override;
    COLORREF GetTabColor(BOOL selected) override;
    COLORREF GetTabTextColor(BOOL selected) override;
    int GetLastDrawnTab() const { return m_nLastTab; }

protected:
    void PreSubclassWindow() override;

private:
    int m_nLastTab = 3;
    CFont m_fontTab;
};
