// CColorListCtrl: a report list whose cells or rows can have their own text and background
// colours (the last colouring of a cell wins), and whose columns cannot be resized by dragging.
#pragma once

#include "platform/ui/ListCtrl.h"

#include <vector>

struct CellColor {
    int item = -1;
    int subItem = -1;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF background = GetSysColor(COLOR_WINDOW);
};

class CColorListCtrl : public CListCtrl {
public:
    CColorListCtrl();
    ~CColorListCtrl() override;

    void SetCellColor(int item, int subItem, COLORREF text, COLORREF background);
    void SetRowColor(int item, COLORREF text, COLORREF background);
    void ClearColors();
    void DeleteAllRows();
    BOOL DeleteRow(int item);

    // The colours the cell is drawn with.
    void GetCellColors(int item, int subItem, COLORREF& text, COLORREF& background) const;
    const std::vector<CellColor>& GetColorRecords() const { return m_colors; }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnCustomDraw(NMHDR* hdr, LRESULT* result);
    void RepaintNow();

    DECLARE_MESSAGE_MAP()

private:
    std::vector<CellColor> m_colors;
};
