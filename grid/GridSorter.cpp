#include "grid/GridSorter.h"

#include <string>

namespace {

// One partition step pattern for both sorts: "less" answers the sign of key(row) against the pivot.
// The larger part is handled by the loop and the smaller by recursion, so the depth stays logarithmic;
// the two parts are disjoint, so the order of handling them does not change the result.
template <typename PivotOf, typename Cmp, typename Differs>
void QuickSort(int low, int high, bool ascending, const PivotOf& pivotOf, const Cmp& cmp,
               const Differs& differs, const CGridSorter::SwapRows& swap) {
    while (low < high) {
        auto pivot = pivotOf((low + high) / 2);
        int i = low;
        int j = high;
        while (i <= j) {
            if (ascending) {
                while (i < high && cmp(i, pivot) < 0)
                    ++i;
                while (j > low && cmp(j, pivot) > 0)
                    --j;
            } else {
                while (i < high && cmp(i, pivot) > 0)
                    ++i;
                while (j > low && cmp(j, pivot) < 0)
                    --j;
            }
            if (i <= j) {
                if (i != j && differs(i, j))
                    swap(i, j);
                ++i;
                --j;
            }
        }
        if (j - low < high - i) {
            if (low < j)
                QuickSort(low, j, ascending, pivotOf, cmp, differs, swap);
            low = i;
        } else {
            if (i < high)
                QuickSort(i, high, ascending, pivotOf, cmp, differs, swap);
            high = j;
        }
    }
}

} // namespace

void CGridSorter::SortText(int low, int high, bool ascending, const TextOf& text, const SwapRows& swap) {
    QuickSort(
        low, high, ascending, [&](int row) { return std::string(text(row).str()); },
        [&](int row, const std::string& pivot) { return text(row).str().compare(pivot); },
        [&](int a, int b) { return text(a).str() != text(b).str(); }, swap);
}

void CGridSorter::SortData(int low, int high, bool ascending, const DataOf& data, const Compare& compare,
                           const SwapRows& swap) {
    QuickSort(
        low, high, ascending, [&](int row) { return data(row); },
        [&](int row, LPARAM pivot) { return compare(data(row), pivot); },
        [&](int a, int b) { return compare(data(a), data(b)) != 0; }, swap);
}
