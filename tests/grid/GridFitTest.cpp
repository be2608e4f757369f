#include "grid/GridFit.h"

#include <gtest/gtest.h>

namespace {

TEST(GridFit, SparePixelsSpreadWithTheRemainderToTheFirst) {
    struct Case {
        std::vector<int> sizes;
        int client;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{10, 10, 10}, 40, {14, 13, 13}},
        {{10, 10, 10}, 20, {6, 7, 7}},
        {{10, 10, 10}, 30, {10, 10, 10}},
        {{5, 50}, 56, {6, 50}},
        {{7}, 3, {3}},
        {{1, 1, 30}, 3, {0, 0, 21}}, // too narrow: no size below 0
        {{}, 100, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> sizes = c.sizes;
        CGridFit::Expand(sizes, c.client);
        EXPECT_EQ(sizes, c.expected) << "client " << c.client;
    }
}

} // namespace
