#include "link/ComPortInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

TEST(ComPortList, EntriesFromTheSystemPortsWithDescriptions) {
    char tmpl[] = "/tmp/r9-comports-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    std::string root = tmpl;
    auto mk = [](const std::string& p) { (void)std::system(("mkdir -p '" + p + "'").c_str()); };
    auto put = [](const std::string& f, const std::string& text) { std::ofstream(f) << text << "\n"; };
    std::string usbDev = root + "/devices/pci0000:00/usb1/1-1";
    mk(usbDev + "/1-1:1.0/ttyR9U0");
    put(usbDev + "/idVendor", "1a86");
    put(usbDev + "/product", "USB Serial");
    mk(root + "/devices/platform/serial8250/tty/ttyR9S0");
    mk(root + "/class/tty/ttyR9U0");
    mk(root + "/class/tty/ttyR9S0");
    ::symlink((usbDev + "/1-1:1.0").c_str(), (root + "/class/tty/ttyR9U0/device").c_str());
    ::symlink((root + "/devices/platform/serial8250").c_str(), (root + "/class/tty/ttyR9S0/device").c_str());
    put(root + "/class/tty/ttyR9S0/type", "4");

    std::vector<ComPortInfo> list;
    ASSERT_EQ(EnumComPorts(list, false, root), 2);
    EXPECT_EQ(list[0].port, "ttyR9S0");
    EXPECT_FALSE(list[0].isUsb);
    EXPECT_EQ(list[0].friendly, "ttyR9S0");
    EXPECT_EQ(list[0].desc, "ttyR9S0");
    EXPECT_EQ(list[1].port, "ttyR9U0");
    EXPECT_EQ(list[1].path, "/dev/ttyR9U0");
    EXPECT_TRUE(list[1].isUsb);
    EXPECT_EQ(list[1].friendly, "USB Serial (ttyR9U0)");
    EXPECT_EQ(list[1].desc, "USB Serial");
    // The fake ports do not exist as devices: none of them opens.
    EXPECT_EQ(EnumComPorts(list, true, root), 0);
    (void)std::system(("rm -rf '" + root + "'").c_str());

    list.push_back(ComPortInfo{});
    EXPECT_EQ(EnumComPorts(list, false, "/nonexistent-r9"), 0);
    EXPECT_TRUE(list.empty());
}

TEST(ComPortList, DescriptionCutsOnlyAClosingPortTail) {
    struct Case {
        const char* friendly;
        const char* desc;
    } cases[] = {
        {"USB-SERIAL CH340 (COM5)", "USB-SERIAL CH340"},
        {"Adapter (ttyUSB0) spare", "Adapter (ttyUSB0) spare"},
        {" (COM1)", " (COM1)"}, // " (" at the very start is kept
        {"ttyS0", "ttyS0"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescriptionFromFriendly(c.friendly), c.desc) << c.friendly;
}
