// CGridCellItem: one cell of the grid, owned by its row.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/WinGdi.h"
#include "platform/ui/WinUser.h"

class CGridCellItem : public CObject {
public:
    CGridCellItem() = default;
    ~CGridCellItem() override = default;

    UINT state = 0;
    UINT nFormat = 0; // DrawText flags; 0 = DT_LEFT | DT_TOP
    CString szText;
    CString szSavedText;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    LOGFONT lfFont{};
    LPARAM lParam = 0;
};
