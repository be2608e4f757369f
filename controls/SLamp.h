// CSLamp: a 12-lamp level meter (nine level lamps, then three status lamps) of solid cells.
#pragma once

#include "platform/ui/Static.h"

class CSLamp : public CStatic {
public:
    static constexpr int kLamps = 12;

    CSLamp();
    ~CSLamp() override = default;

    void CalcLayout();
    // Low nibble 0..9 lights level lamps 0..n-1 (10..15 leave them); bits 0x40, 0x20, 0x10 light
    // lamps 9, 10, 11. Repaints only when a lamp changed (or a repaint is pending).
    void SetLevel(DWORD value);
    void ClearLamps();

    BOOL IsLampOn(int lamp) const { return m_lamps[lamp] != 0; }
    // Lamp rectangle of cell i as drawn (the cell less its top row).
    CRect LampRect(int lamp) const;
    CSize CellSize() const { return m_cell; }
    static COLORREF LampColor(int lamp, BOOL on);
    // Number of times the lamps were drawn (paints).
    int DrawCount() const { return m_nDraws; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    void DrawLamps(CDC* dc);
    void DrawNow();

    CRect m_rcLamp;
    CRect m_rcClient;
    CSize m_cell;
    BYTE m_lamps[kLamps];
    BYTE m_previous[kLamps];
    BOOL m_bPending = TRUE;
    int m_nDraws = 0;
};
