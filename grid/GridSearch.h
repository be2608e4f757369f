// GetNextItem's directional search over cell states, without a window.
#pragma once

#include "grid/GridTypes.h"

#include <functional>

class CGridSearch {
public:
    struct Shape {
        int rows = 0;
        int columns = 0;
        int fixedRows = 0;
        int fixedColumns = 0;
    };
    struct Cell {
        int row = -1;
        int column = -1;
    };
    using StateOf = std::function<UINT(int row, int column)>;

    // The first cell in the flags' directions from start whose state has any of the flags' state
    // bits; (-1, -1) when none or for a combination of directions that is not searched.
    static Cell Next(const Shape& shape, Cell start, UINT flags, const StateOf& state);
};
