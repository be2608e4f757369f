#include "grid/GridSearch.h"

CGridSearch::Cell CGridSearch::Next(const Shape& shape, Cell start, UINT flags, const StateOf& state) {
    const UINT want = flags & 0xFF;
    const UINT directions = flags & (GRIDNEXT_ABOVE | GRIDNEXT_BELOW | GRIDNEXT_TOLEFT | GRIDNEXT_TORIGHT);
    auto match = [&](int row, int column) {
        return row >= 0 && column >= 0 && row < shape.rows && column < shape.columns &&
               (state(row, column) & want) != 0;
    };
    const bool rowInside = start.row >= 0 && start.row < shape.rows;
    const bool columnInside = start.column >= 0 && start.column < shape.columns;

    if (directions == (GRIDNEXT_BELOW | GRIDNEXT_TOLEFT | GRIDNEXT_TORIGHT) ||
        directions == (GRIDNEXT_BELOW | GRIDNEXT_TORIGHT)) {
        const bool wholeRows = directions & GRIDNEXT_TOLEFT;
        const int firstRow = start.row <= 0 ? shape.fixedRows : start.row;
        for (int row = firstRow; row < shape.rows; ++row) {
            const int firstColumn = (row == firstRow || !wholeRows) ? start.column + 1 : shape.fixedColumns;
            for (int column = firstColumn < 0 ? 0 : firstColumn; column < shape.columns; ++column)
                if (match(row, column))
                    return {row, column};
        }
    } else if (directions == GRIDNEXT_ABOVE && columnInside) {
        for (int row = start.row - 1; row >= shape.fixedRows; --row)
            if (match(row, start.column))
                return {row, start.column};
    } else if (directions == GRIDNEXT_BELOW && columnInside) {
        for (int row = start.row + 1 < 0 ? 0 : start.row + 1; row < shape.rows; ++row)
            if (match(row, start.column))
                return {row, start.column};
    } else if (directions == GRIDNEXT_TOLEFT && rowInside) {
        for (int column = start.column - 1; column >= shape.fixedColumns; --column)
            if (match(start.row, column))
                return {start.row, column};
    } else if (directions == GRIDNEXT_TORIGHT && rowInside) {
        for (int column = start.column + 1 < 0 ? 0 : start.column + 1; column < shape.columns; ++column)
            if (match(start.row, column))
                return {start.row, column};
    }
    return {};
}
