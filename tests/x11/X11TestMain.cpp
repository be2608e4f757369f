// Main of the tests against a real X server: the program starts its own, then one application on
// the xcb platform for all its tests. Listing the tests needs no server.
#include "XServer.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    r9test::TestFolders folders;
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    r9test::XServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "no X server for the tests\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
