// Quicksort of a grid's rows through callbacks, so the algorithm runs without a grid.
// Rows equal to each other are never swapped; only the rows between low and high move.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>

class CGridSorter {
public:
    using TextOf = std::function<const CString&(int row)>;
    using DataOf = std::function<LPARAM(int row)>;
    using Compare = std::function<int(LPARAM a, LPARAM b)>;
    using SwapRows = std::function<void(int a, int b)>;

    // Texts compare as case-sensitive byte strings.
    static void SortText(int low, int high, bool ascending, const TextOf& text, const SwapRows& swap);
    // compare(a, b) answers < 0, 0 or > 0 over the rows' item data.
    static void SortData(int low, int high, bool ascending, const DataOf& data, const Compare& compare,
                         const SwapRows& swap);
};
