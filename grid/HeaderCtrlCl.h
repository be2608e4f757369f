// CHeaderCtrlCl: a report list's header painted as a vertical gradient (one-pixel bands, each
// darker by the step, clamped at 0), with its own heading texts and one alignment character per
// column ("0" left, "1" centre, "2" right, anything else centre), and a height factor applied on
// top of the toolkit's layout.
#pragma once

#include "platform/ui/HeaderCtrl.h"

#include <vector>

class CHeaderCtrlCl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CHeaderCtrlCl)
public:
    CHeaderCtrlCl() = default;

    // Colour of band `row` (0 = the top band) from the top colour and the step.
    static COLORREF BandColour(int red, int green, int blue, int step, int row);
    // DrawText alignment of an alignment character.
    static UINT AlignmentFormat(char alignment);
    // Text height of the default GUI font: headings and list cells are centred on it.
    static int GuiTextHeight();

    void OnPaint() override;

    std::vector<CString> m_columnTexts;
    CString m_alignment;
    int m_red = 180;
    int m_green = 179;
    int m_blue = 179;
    int m_gradient = 3;
    float m_height = 1.0f;
    COLORREF m_color = 0;

protected:
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    void FillGradient(CDC& dc, const CRect& rc) const;

    DECLARE_MESSAGE_MAP()
};
