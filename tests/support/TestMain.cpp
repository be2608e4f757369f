// Main of the headless test programs.
#include "support/TestFolders.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    r9test::TestFolders folders;
    return RUN_ALL_TESTS();
}
