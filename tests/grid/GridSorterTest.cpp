#include "grid/GridSorter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Rows as (text, original index) pairs; every swap is checked to be between differing texts.
struct Rows {
    std::vector<CString> texts;
    std::vector<int> ids;
    int swaps = 0;
    bool equalSwapped = false;

    explicit Rows(std::vector<CString> t) : texts(std::move(t)) {
        for (size_t k = 0; k < texts.size(); ++k)
            ids.push_back(static_cast<int>(k));
    }
    void Sort(int low, int high, bool ascending) {
        CGridSorter::SortText(
            low, high, ascending,
            [this](int row) -> const CString& { return texts[static_cast<size_t>(row)]; },
            [this](int a, int b) {
                equalSwapped |= texts[static_cast<size_t>(a)] == texts[static_cast<size_t>(b)];
                std::swap(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]);
                std::swap(ids[static_cast<size_t>(a)], ids[static_cast<size_t>(b)]);
                ++swaps;
            });
    }
};

TEST(GridSorter, TextsSortInByteOrderBothWays) {
    Rows up({"b", "A", "a"});
    up.Sort(0, 2, true);
    EXPECT_EQ(up.texts, (std::vector<CString>{"A", "a", "b"}));
    Rows down({"b", "A", "a", "\xE4\xB8\xAD", "Z"});
    down.Sort(0, 4, false);
    EXPECT_EQ(down.texts, (std::vector<CString>{"\xE4\xB8\xAD", "b", "a", "Z", "A"}));
}

TEST(GridSorter, EqualRowsAreNeverSwapped) {
    Rows same({"x", "x", "x", "x"});
    same.Sort(0, 3, true);
    EXPECT_EQ(same.swaps, 0);
    EXPECT_EQ(same.ids, (std::vector<int>{0, 1, 2, 3}));

    Rows mixed({"b", "a", "b", "a", "b", "a", "c", "a"});
    mixed.Sort(0, 7, true);
    EXPECT_FALSE(mixed.equalSwapped);
    EXPECT_TRUE(std::is_sorted(mixed.texts.begin(), mixed.texts.end()));
}

TEST(GridSorter, OnlyTheGivenRowsMove) {
    Rows rows({"head", "c", "b", "a", "tail"});
    rows.Sort(1, 3, true);
    EXPECT_EQ(rows.texts, (std::vector<CString>{"head", "a", "b", "c", "tail"}));
}

TEST(GridSorter, RandomTextsWithManyDuplicatesEndSorted) {
    std::mt19937 rng(7);
    std::vector<CString> texts;
    for (int k = 0; k < 5000; ++k)
        texts.emplace_back(std::to_string(rng() % 300));
    for (bool ascending : {true, false}) {
        Rows rows(texts);
        rows.Sort(0, 4999, ascending);
        EXPECT_FALSE(rows.equalSwapped);
        if (ascending)
            EXPECT_TRUE(std::is_sorted(rows.texts.begin(), rows.texts.end()));
        else
            EXPECT_TRUE(std::is_sorted(rows.texts.rbegin(), rows.texts.rend()));
        std::vector<int> ids = rows.ids;
        std::sort(ids.begin(), ids.end());
        for (int k = 0; k < 5000; ++k)
            ASSERT_EQ(ids[static_cast<size_t>(k)], k); // a permutation: nothing lost or doubled
    }
}

TEST(GridSorter, DataSortUsesTheCompareFunction) {
    std::vector<LPARAM> data = {30, -5, 12, 30, 0};
    bool equalSwapped = false;
    auto run = [&](bool ascending) {
        CGridSorter::SortData(
            0, 4, ascending, [&](int row) { return data[static_cast<size_t>(row)]; },
            [](LPARAM a, LPARAM b) { return a < b ? -1 : (a > b ? 1 : 0); },
            [&](int a, int b) {
                equalSwapped |= data[static_cast<size_t>(a)] == data[static_cast<size_t>(b)];
                std::swap(data[static_cast<size_t>(a)], data[static_cast<size_t>(b)]);
            });
    };
    run(true);
    EXPECT_EQ(data, (std::vector<LPARAM>{-5, 0, 12, 30, 30}));
    run(false);
    EXPECT_EQ(data, (std::vector<LPARAM>{30, 30, 12, 0, -5}));
    EXPECT_FALSE(equalSwapped);
}

} // namespace
