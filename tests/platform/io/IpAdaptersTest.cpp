#include "platform/io/IpAdapters.h"

#include <gtest/gtest.h>

TEST(IpAdapters, ListsLoopbackWithItsMask) {
    auto list = GetIpAdapters();
    bool found = false;
    for (const auto& a : list) {
        if (a.name == "lo") {
            found = true;
            EXPECT_EQ(a.ipAddress, "127.0.0.1");
            EXPECT_EQ(a.ipMask, "255.0.0.0");
        }
        // One entry per adapter.
        int same = 0;
        for (const auto& b : list)
            same += a.name == b.name;
        EXPECT_EQ(same, 1) << a.name;
    }
    EXPECT_TRUE(found);
}
