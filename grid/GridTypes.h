// Constants and records of the cell grid: cell states, masks of GridItem, grid line modes, mouse
// modes, search directions and the notification records sent to the grid's owner.
#pragma once

#include "grid/GridCellId.h"
#include "platform/core/String.h"
#include "platform/ui/WinGdi.h"
#include "platform/ui/WinUser.h"

// Cell state bits.
constexpr UINT GRIDSTATE_FOCUSED = 0x01;
constexpr UINT GRIDSTATE_SELECTED = 0x02;
constexpr UINT GRIDSTATE_DROPHILITED = 0x04;
constexpr UINT GRIDSTATE_READONLY = 0x08;
constexpr UINT GRIDSTATE_MODIFIED = 0x20;

// Which fields of a GridItem are read or written.
constexpr UINT GRIDMASK_TEXT = 0x01;
constexpr UINT GRIDMASK_IMAGE = 0x02;
constexpr UINT GRIDMASK_DATA = 0x04;
constexpr UINT GRIDMASK_STATE = 0x08;
constexpr UINT GRIDMASK_BKCOLOUR = 0x10;
constexpr UINT GRIDMASK_FGCOLOUR = 0x20;
constexpr UINT GRIDMASK_FORMAT = 0x40;
constexpr UINT GRIDMASK_FONT = 0x80;

// Grid line modes.
constexpr int GRIDLINES_NONE = 0;
constexpr int GRIDLINES_HORZ = 1;
constexpr int GRIDLINES_VERT = 2;
constexpr int GRIDLINES_BOTH = 3;

// Mouse modes.
constexpr int GRIDMODE_IDLE = 0;
constexpr int GRIDMODE_SELECT_ALL = 1;
constexpr int GRIDMODE_SELECT_COLUMNS = 2;
constexpr int GRIDMODE_SELECT_ROWS = 3;
constexpr int GRIDMODE_SELECT_CELLS = 4;
constexpr int GRIDMODE_ROW_EDGE = 6;
constexpr int GRIDMODE_ROW_SIZING = 7;
constexpr int GRIDMODE_COLUMN_EDGE = 8;
constexpr int GRIDMODE_COLUMN_SIZING = 9;
constexpr int GRIDMODE_EDIT_PENDING = 10;
constexpr int GRIDMODE_DRAG_PENDING = 11;
constexpr int GRIDMODE_DRAGGING = 12;

// Search directions of GetNextItem, combined with state bits.
constexpr int GRIDNEXT_ABOVE = 0x100;
constexpr int GRIDNEXT_BELOW = 0x200;
constexpr int GRIDNEXT_TOLEFT = 0x400;
constexpr int GRIDNEXT_TORIGHT = 0x800;

// Notification codes (WM_NOTIFY to the owner; the values of the list-view codes).
constexpr int GRIDN_FOCUS_LEAVING = -100;
constexpr int GRIDN_FOCUS_CHANGED = -101;
constexpr int GRIDN_CELL_CLEARED = -103;
constexpr int GRIDN_BEGIN_EDIT = -105;
constexpr int GRIDN_END_EDIT = -106;
constexpr int GRIDN_BEGIN_DRAG = -109;

// Control id of an in-place editor.
constexpr UINT GRID_EDITOR_ID = 8;

// Timer of the auto-scroll while selecting with the mouse.
constexpr UINT_PTR GRID_AUTOSCROLL_TIMER = 513;

// Masked contents of one cell, in and out.
struct GridItem {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT nFormat = 0;
    CString szText;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont{};
};

// WM_NOTIFY record of the grid to its owner.
struct GridNotify {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// WM_NOTIFY record of an in-place editor to its grid: the final text (mask TEXT | DATA) and, as
// item data, the key that ended the edit (0 when the focus went elsewhere).
struct GridEditNotify {
    NMHDR hdr;
    GridItem item;
};
