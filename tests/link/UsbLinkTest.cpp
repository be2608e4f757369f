// The USB connection manager: enumeration by identity, the register of held paths shared by
// instances, the choice of the device to open, and the decisions of the Connect button and of
// device arrival and removal.
#include "link/LinkGlobals.h"
#include "link/Net_Socket.h"
#include "link/UsbLink.h"
#include "model/Globals.h"
#include "platform/io/HidBackend.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct NullDevice : CHidDevice {
    int WriteReport(const BYTE*, DWORD) override { return HID_IO_OK; }
    int ReadReport(BYTE*, DWORD) override { return HID_IO_TIMEOUT; }
    void Purge() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
};

// Lists what the test says and opens what is listed and not refused; records every open.
struct FakeBackend : CHidBackend {
    std::vector<HidInterfaceInfo> list;
    std::set<std::string> refuse; // held by some other program
    std::vector<std::string> opens;

    void Add(const std::string& path, USHORT vid = 0x0483, USHORT pid = 0x5750, USHORT ver = 0x0200) {
        HidInterfaceInfo info;
        info.path = path;
        info.attributes.VendorID = vid;
        info.attributes.ProductID = pid;
        info.attributes.VersionNumber = ver;
        list.push_back(info);
    }
    std::vector<HidInterfaceInfo> Enumerate() override { return list; }
    std::unique_ptr<CHidDevice> Open(const std::string& path) override {
        opens.push_back(path);
        bool listed = false;
        for (auto& i : list)
            listed = listed || i.path == path;
        if (!listed || refuse.count(path))
            return nullptr;
        return std::make_unique<NullDevice>();
    }
};

class UsbLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/r9-usblink-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        CHidBackend::Install(&m_backend);
        r9test::ResetLinkGlobals();
    }
    void TearDown() override {
        CHidBackend::Install(nullptr);
        r9test::ResetLinkGlobals();
        std::filesystem::remove_all(m_dir);
    }
    std::string m_dir;
    FakeBackend m_backend;
};

std::vector<std::string> Strings(const std::vector<CString>& v) {
    std::vector<std::string> out;
    for (const CString& s : v)
        out.emplace_back(static_cast<const char*>(s));
    return out;
}

} // namespace

TEST_F(UsbLinkTest, OnlyTheDeviceItselfIsListedOrOpened) {
    m_backend.Add("/dev/hidraw0", 0x046D, 0xC52B);         // a keyboard receiver
    m_backend.Add("/dev/hidraw1", 0x0483, 0x5750, 0x0100); // same ids, other version
    m_backend.Add("/dev/hidraw2");
    CUsbLink usb(m_dir);
    ASSERT_TRUE(usb.EnumHidDevices());
    EXPECT_EQ(Strings(usb.GetHidPaths()), std::vector<std::string>{"/dev/hidraw2"});

    // A foreign interface named directly (an arrival, a stale choice) is never opened.
    for (const char* foreign : {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw9"}) {
        usb.SetHidPath(foreign);
        EXPECT_FALSE(usb.OpenUsbDevice()) << foreign;
    }
    EXPECT_TRUE(m_backend.opens.empty());
    EXPECT_FALSE(usb.IsDeviceOpen());
}

TEST_F(UsbLinkTest, InstancesShareTheRegisterOfHeldPaths) {
    m_backend.Add("/dev/hidraw3");
    m_backend.Add("/dev/hidraw4");
    CUsbLink first(m_dir), second(m_dir);

    ASSERT_TRUE(first.ConnectUsb());
    EXPECT_EQ(std::string(first.GetHidPath()), "/dev/hidraw3") << "the first free path in enumeration order";
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    EXPECT_EQ(g_bUsbEnabled.load(), 1);
    EXPECT_FALSE(second.IsUsbPathFree("/dev/hidraw3"));

    // The other instance is offered only the free device, and its Connect button opens it at once.
    EXPECT_EQ(second.FillOfferedPaths(), 1);
    EXPECT_EQ(Strings(second.GetOfferedPaths()), std::vector<std::string>{"/dev/hidraw4"});
    EXPECT_EQ(CUsbLink::ChooseConnect(1, FALSE), ConnectChoice::ConnectOnlyUsb);
    second.SetHidPath("");
    ASSERT_TRUE(second.ConnectUsb());
    EXPECT_EQ(std::string(second.GetHidPath()), "/dev/hidraw4");

    // Closing and forgetting frees the path for everyone (the path global is per process, so
    // the first instance names its path again).
    first.CloseDevice();
    first.SetHidPath("/dev/hidraw3");
    first.ForgetUsbPath();
    EXPECT_TRUE(second.IsUsbPathFree("/dev/hidraw3"));
    EXPECT_FALSE(first.IsDeviceOpen());
}

TEST_F(UsbLinkTest, AStalePathIsReplacedByAFreshEnumeration) {
    m_backend.Add("/dev/hidraw5");
    CUsbLink usb(m_dir);
    // The device came back under another node: the remembered path is free but gone.
    usb.SetHidPath("/dev/hidraw2");
    ASSERT_TRUE(usb.ConnectUsb());
    EXPECT_EQ(std::string(usb.GetHidPath()), "/dev/hidraw5");
    EXPECT_TRUE(usb.IsDeviceOpen());

    // Reopening after a restart under yet another node.
    m_backend.list.clear();
    m_backend.Add("/dev/hidraw7");
    usb.ForgetUsbPath();
    ASSERT_TRUE(usb.ReopenUsb());
    EXPECT_EQ(std::string(usb.GetHidPath()), "/dev/hidraw7");
}

TEST_F(UsbLinkTest, ADeviceHeldByAnotherProgramIsSkipped) {
    m_backend.Add("/dev/hidraw1");
    m_backend.Add("/dev/hidraw2");
    m_backend.refuse.insert("/dev/hidraw1");
    CUsbLink usb(m_dir);
    ASSERT_TRUE(usb.ConnectUsb());
    EXPECT_EQ(std::string(usb.GetHidPath()), "/dev/hidraw2");

    m_backend.refuse.insert("/dev/hidraw2");
    usb.CloseDevice();
    usb.ForgetUsbPath();
    EXPECT_FALSE(usb.ConnectUsb());
    EXPECT_TRUE(usb.GetHidPath().IsEmpty());
}

TEST_F(UsbLinkTest, NoDeviceDisablesUsbAndDropsEveryMark) {
    m_backend.Add("/dev/hidraw1");
    CUsbLink usb(m_dir), other(m_dir);
    ASSERT_TRUE(usb.ConnectUsb());
    EXPECT_FALSE(other.IsUsbPathFree("/dev/hidraw1"));
    m_backend.list.clear();
    EXPECT_FALSE(usb.EnumHidDevices());
    EXPECT_EQ(g_bUsbEnabled.load(), 0);
    EXPECT_TRUE(other.IsUsbPathFree("/dev/hidraw1"));
    EXPECT_FALSE(usb.ConnectUsb());
    EXPECT_TRUE(usb.GetHidPath().IsEmpty());
}

TEST_F(UsbLinkTest, OpeningResetsTheNetworkRetriesOnlyWithoutALink) {
    m_backend.Add("/dev/hidraw1");
    CUsbLink usb(m_dir);
    std::atomic<int> linkOpen{1};
    usb.SetLinkOpenFlag(&linkOpen);
    g_nNetRetry = 2;
    usb.SetHidPath("/dev/hidraw1");
    ASSERT_TRUE(usb.OpenUsbDevice());
    EXPECT_EQ(g_nNetRetry.load(), 2);
    usb.CloseDevice();
    usb.ForgetUsbPath();
    linkOpen = 0;
    ASSERT_TRUE(usb.OpenUsbDevice());
    EXPECT_EQ(g_nNetRetry.load(), 0);
}

TEST_F(UsbLinkTest, OfferedEntriesAreBoundsChecked) {
    m_backend.Add("/dev/hidraw1");
    m_backend.Add("/dev/hidraw2");
    CUsbLink usb(m_dir);
    ASSERT_EQ(usb.FillOfferedPaths(), 2);
    CString path;
    EXPECT_TRUE(usb.GetOfferedPath(1, &path));
    EXPECT_EQ(std::string(path), "/dev/hidraw2");
    for (int bad : {-1, 2, 100})
        EXPECT_FALSE(usb.GetOfferedPath(bad, &path)) << bad;
}

TEST(UsbDecisions, ConnectButtonChoices) {
    struct Case {
        int n;
        BOOL reachable;
        ConnectChoice choice;
    } cases[] = {
        {0, FALSE, ConnectChoice::NoConnection},   {0, TRUE, ConnectChoice::ConnectNet},
        {1, FALSE, ConnectChoice::ConnectOnlyUsb}, {1, TRUE, ConnectChoice::MenuUsbAndNet},
        {2, FALSE, ConnectChoice::ListUsb},        {3, TRUE, ConnectChoice::ListUsbAndNet},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUsbLink::ChooseConnect(c.n, c.reachable), c.choice) << c.n << " " << c.reachable;
}

TEST(UsbDecisions, RemovalRules) {
    const CString open("/dev/hidraw3");
    struct Case {
        const char* path;
        int state;
        BOOL enabled, linkOpen;
        int step;
        RemovalAction action;
    } cases[] = {
        {"/dev/hidraw4", LINK_USB, 1, 1, 0, RemovalAction::Refresh}, // another device
        {"/DEV/HIDRAW3", LINK_NET, 1, 1, 0, RemovalAction::Refresh}, // no USB link
        {"/DEV/HIDRAW3", LINK_USB, 1, 1, 0, RemovalAction::Lost},    // case does not matter
        {"/dev/hidraw3", LINK_USB, 1, 1, HEXData, RemovalAction::Lost},
        {"/dev/hidraw3", LINK_USB, 1, 1, HEXApply, RemovalAction::DisableOnly},
        {"/dev/hidraw3", LINK_USB, 1, 1, HEXHandshake, RemovalAction::Ignore},
        {"/dev/hidraw3", LINK_USB, 0, 1, 0, RemovalAction::Ignore},
        {"/dev/hidraw3", LINK_USB, 1, 0, 0, RemovalAction::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUsbLink::DecideRemoval(c.path, open, c.state, c.enabled, c.linkOpen, c.step), c.action)
            << c.path << " state " << c.state << " step " << c.step;

    EXPECT_TRUE(CUsbLink::ShouldConnectOnArrival(LINK_NONE, FALSE, FALSE));
    EXPECT_FALSE(CUsbLink::ShouldConnectOnArrival(LINK_USB, FALSE, FALSE));
    EXPECT_FALSE(CUsbLink::ShouldConnectOnArrival(LINK_NONE, TRUE, FALSE));
    EXPECT_FALSE(CUsbLink::ShouldConnectOnArrival(LINK_NONE, FALSE, TRUE));
}
