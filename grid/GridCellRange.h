// GridCellRange: an inclusive block of cells (minimum row and column to maximum row and column).
#pragma once

#include "grid/GridCellId.h"

#include <algorithm>

class GridCellRange {
public:
    constexpr GridCellRange() = default;
    constexpr GridCellRange(int minRow, int minCol, int maxRow, int maxCol)
        : m_minRow(minRow), m_minCol(minCol), m_maxRow(maxRow), m_maxCol(maxCol) {}

    constexpr void Set(int minRow, int minCol, int maxRow, int maxCol) {
        m_minRow = minRow;
        m_minCol = minCol;
        m_maxRow = maxRow;
        m_maxCol = maxCol;
    }
    constexpr int GetMinRow() const { return m_minRow; }
    constexpr int GetMinCol() const { return m_minCol; }
    constexpr int GetMaxRow() const { return m_maxRow; }
    constexpr int GetMaxCol() const { return m_maxCol; }
    constexpr void SetMinRow(int v) { m_minRow = v; }
    constexpr void SetMinCol(int v) { m_minCol = v; }
    constexpr void SetMaxRow(int v) { m_maxRow = v; }
    constexpr void SetMaxCol(int v) { m_maxCol = v; }
    constexpr GridCellId GetTopLeft() const { return {m_minRow, m_minCol}; }

    // Inside a grid of rows x cols.
    constexpr bool IsValid(int rows, int cols) const {
        return m_minRow >= 0 && m_minCol >= 0 && m_maxRow >= 0 && m_maxCol >= 0 && m_maxRow < rows &&
               m_maxCol < cols && m_minRow <= m_maxRow && m_minCol <= m_maxCol;
    }
    constexpr bool InRange(int row, int col) const {
        return row >= m_minRow && row <= m_maxRow && col >= m_minCol && col <= m_maxCol;
    }
    constexpr bool InRange(const GridCellId& cell) const { return InRange(cell.row, cell.col); }
    constexpr int Count() const { return (m_maxRow - m_minRow + 1) * (m_maxCol - m_minCol + 1); }
    constexpr GridCellRange Intersect(const GridCellRange& other) const {
        return {std::max(m_minRow, other.m_minRow), std::max(m_minCol, other.m_minCol),
                std::min(m_maxRow, other.m_maxRow), std::min(m_maxCol, other.m_maxCol)};
    }
    constexpr bool operator==(const GridCellRange& other) const = default;

private:
    int m_minRow = -1;
    int m_minCol = -1;
    int m_maxRow = -1;
    int m_maxCol = -1;
};
