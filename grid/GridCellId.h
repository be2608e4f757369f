// GridCellId: one cell of a grid by row and column; (-1, -1) names no cell.
#pragma once

#include "platform/core/WinTypes.h"

class GridCellId {
public:
    int row = -1;
    int col = -1;

    constexpr GridCellId() = default;
    constexpr GridCellId(int r, int c) : row(r), col(c) {}

    // Both parts at least 0; the grid checks them against its counts (CGridModel::IsValid).
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    constexpr bool operator==(const GridCellId& other) const = default;
    // Key of the selection maps: low word row, high word column.
    constexpr DWORD Key() const {
        return (static_cast<DWORD>(col & 0xFFFF) << 16) | static_cast<DWORD>(row & 0xFFFF);
    }
};
