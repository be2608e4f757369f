// CButtonRadio: a system-drawn radio button or check box whose text takes a chosen colour on a
// transparent background, so that it can sit on a skinned dialog.
#pragma once

#include "platform/ui/Button.h"

class CButtonRadio : public CButton {
public:
    CButtonRadio() = default;
    ~CButtonRadio() override = default;

    void SetTextColor(COLORREF colour) { m_crText = colour; }
    COLORREF GetTextColor() const { return m_crText; }

    // Reflected WM_CTLCOLOR: text colour, transparent background, hollow brush.
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);

protected:
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_crText = 0;
};
