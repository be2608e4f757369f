// The firmware update dialog created offscreen against a stand-in of the main view.
#include "link/FirmwareImage.h"
#include "link/LinkGlobals.h"
#include "link/LinkViewServices.h"
#include "link/UpData_Thread.h"
#include "link/UsbLink.h"
#include "model/Globals.h"
#include "platform/core/Messages.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"
#include "shell/UpdateHost.h"
#include "shell/UpgradeDlg.h"
#include "support/PumpMessages.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

struct FakeHost : CUpdateHost {
    std::vector<CString> paths;
    BOOL reachable = FALSE;
    BOOL loadOk = TRUE;
    BOOL startOk = TRUE;
    std::atomic<int> reconnectResult{0};
    std::vector<std::string> calls;
    std::atomic<int> reconnects{0};
    CString lastMessage;

    BOOL ChooseFirmwareFile() override {
        calls.push_back("choose");
        g_strHexPath = "/tmp/chosen.bin";
        return TRUE;
    }
    BOOL LoadFirmwareFile() override {
        calls.push_back("load " + std::string(g_strHexPath.GetString()));
        if (loadOk)
            g_nUpdateRange = 42;
        return loadOk;
    }
    int CloseLinkForUpdate() override {
        calls.push_back("close");
        return 0;
    }
    BOOL StartUsbUpdate(const CString& path) override {
        calls.push_back("usb " + std::string(path.GetString()));
        g_bFirmwareMode = startOk;
        return startOk;
    }
    BOOL StartNetUpdate() override {
        calls.push_back("net");
        g_bFirmwareMode = startOk;
        return startOk;
    }
    BOOL ReconnectForUpdate(BOOL) override {
        ++reconnects;
        return reconnectResult.load();
    }
    void AbortFirmwareUpdate() override {
        calls.push_back(g_bUpdateAborting.load() ? "abort (aborting)" : "abort");
        g_bFirmwareMode = 0;
    }
    int FillOfferedPaths() override { return static_cast<int>(paths.size()); }
    BOOL GetOfferedPath(int index, CString* path) override {
        if (index < 0 || index >= static_cast<int>(paths.size()))
            return FALSE;
        *path = paths[static_cast<size_t>(index)];
        return TRUE;
    }
    BOOL IsNetReachable() override { return reachable; }
    void ShowTimedMessage(const char* en, const char*, int) override { lastMessage = en; }
};

class TestUpgradeDlg : public CUpgradeDlg {
public:
    using CUpgradeDlg::CUpgradeDlg;
    BOOL answer = FALSE;
    int questions = 0;
    BOOL AskForcedQuit() override {
        ++questions;
        return answer;
    }
};

class UpgradeDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_strHexPath = "/tmp/fw.bin";
        m_choice = 0;
        m_shown.clear();
        // The popup is answered here instead of being shown.
        CMenu::SetTrackHook([this](CMenu& menu, int, int) {
            std::vector<std::string> texts;
            for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
                CString text;
                menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
                texts.emplace_back(text.GetString());
            }
            m_shown.push_back(texts);
            return m_choice;
        });
        m_dlg = std::make_unique<TestUpgradeDlg>(&m_host);
        ASSERT_TRUE(m_dlg->Create(IDD_UPGRADE));
    }
    void TearDown() override {
        m_dlg.reset();
        CMenu::SetTrackHook(nullptr);
        r9test::ResetLinkGlobals();
    }
    CString Text(int id) {
        CString s;
        m_dlg->GetDlgItemText(id, s);
        return s;
    }
    FakeHost m_host;
    std::unique_ptr<TestUpgradeDlg> m_dlg;
    UINT m_choice = 0;
    std::vector<std::vector<std::string>> m_shown;
};

} // namespace

TEST_F(UpgradeDlgTest, OpensWithItsTextsThePathAndAPollThread) {
    CString title;
    m_dlg->GetWindowText(title);
    EXPECT_STREQ(title.GetString(), "Device Firmware Update");
    EXPECT_STREQ(Text(CUpgradeDlg::IDC_PATH).GetString(), "/tmp/fw.bin");
    EXPECT_STREQ(Text(CUpgradeDlg::IDC_QUIT).GetString(), "Quit");
    EXPECT_STREQ(Text(CUpgradeDlg::IDC_HEX_LABEL).GetString(), "Hex File");
    EXPECT_NE(m_dlg->GetPollThread(), nullptr);
    CRect rc;
    m_dlg->GetWindowRect(&rc);
    EXPECT_EQ(rc.Width(), CUpgradeDlg::WIDTH);
    EXPECT_EQ(rc.Height(), CUpgradeDlg::HEIGHT);
    // The hidden COM choice holds at least "NULL".
    ASSERT_FALSE(m_dlg->m_comItems.empty());
    EXPECT_GE(m_dlg->m_nComSel, 0);
    m_dlg->ShowWindow(SW_SHOW);
    QImage img = r9test::RenderToPng(m_dlg->Widget(), "upgrade_dialog");
    EXPECT_FALSE(img.isNull());
}

TEST_F(UpgradeDlgTest, GroupCaptionsInBothLanguages) {
    // Both the layout and the texts set at opening carry the captions, so either one wrong shows.
    struct Case {
        BOOL chinese;
        const char* iface;
        const char* file;
        const char* png;
    };
    const Case cases[] = {
        {FALSE, "Communication interface", "Update File", "upgrade_dialog_groups_en"},
        {TRUE, "通信接口", "Hex文件", "upgrade_dialog_groups_zh"},
    };
    const res::DialogSpec* layout = res::FindDialog(IDD_UPGRADE);
    ASSERT_NE(layout, nullptr);
    auto item = [&](int id) -> const res::DialogItemSpec* {
        for (const res::DialogItemSpec& it : layout->items)
            if (it.id == id)
                return &it;
        return nullptr;
    };
    const res::DialogItemSpec* ifaceItem = item(CUpgradeDlg::IDC_GROUP_IFACE);
    const res::DialogItemSpec* fileItem = item(CUpgradeDlg::IDC_GROUP_FILE);
    ASSERT_NE(ifaceItem, nullptr);
    ASSERT_NE(fileItem, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.png);
        EXPECT_STREQ(c.chinese ? ifaceItem->zh : ifaceItem->en, c.iface);
        EXPECT_STREQ(c.chinese ? fileItem->zh : fileItem->en, c.file);
        m_dlg.reset();
        g_bChinese = c.chinese;
        m_dlg = std::make_unique<TestUpgradeDlg>(&m_host);
        ASSERT_TRUE(m_dlg->Create(IDD_UPGRADE));
        EXPECT_STREQ(Text(CUpgradeDlg::IDC_GROUP_IFACE).GetString(), c.iface);
        EXPECT_STREQ(Text(CUpgradeDlg::IDC_GROUP_FILE).GetString(), c.file);
        m_dlg->ShowWindow(SW_SHOW);
        EXPECT_FALSE(r9test::RenderToPng(m_dlg->Widget(), c.png).isNull());
    }
}

TEST_F(UpgradeDlgTest, UpdateButtonChoosesTheInterface) {
    struct Case {
        const char* name;
        std::vector<CString> paths;
        BOOL reachable;
        std::vector<std::string> calls;
        std::vector<UINT> menu;
        const char* message;
    } cases[] = {
        {"nothing", {}, FALSE, {"close"}, {}, "No connection can be opened"},
        {"network only", {}, TRUE, {"close", "load /tmp/fw.bin", "close", "net"}, {}, ""},
        {"one device",
         {"/dev/hidraw3"},
         FALSE,
         {"close", "load /tmp/fw.bin", "close", "usb /dev/hidraw3"},
         {},
         ""},
        {"one device and network", {"/dev/hidraw3"}, TRUE, {"close"}, {ID_CONNECT_USB, ID_CONNECT_NET}, ""},
        {"two devices", {"/dev/a", "/dev/b"}, FALSE, {"close"}, {6600, 6601}, ""},
        {"two devices and network", {"/dev/a", "/dev/b"}, TRUE, {"close"}, {6600, 6601, ID_CONNECT_NET}, ""},
    };
    for (const Case& c : cases) {
        m_host.calls.clear();
        m_host.lastMessage = "";
        m_host.paths = c.paths;
        m_host.reachable = c.reachable;
        g_bFirmwareMode = 0;
        const_cast<std::vector<CUpgradeDlg::MenuItem>&>(m_dlg->LastMenu()).clear();
        m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
        EXPECT_EQ(m_host.calls, c.calls) << c.name;
        std::vector<UINT> menu;
        for (const auto& item : m_dlg->LastMenu())
            menu.push_back(item.id);
        EXPECT_EQ(menu, c.menu) << c.name;
        EXPECT_STREQ(m_host.lastMessage.GetString(), c.message) << c.name;
    }
}

TEST_F(UpgradeDlgTest, MenuChoicesOutsideTheOfferedListDoNothing) {
    m_host.paths = {"/dev/a", "/dev/b"};
    m_dlg->SendMessage(WM_COMMAND, 6600 + 5, 0);
    m_dlg->SendMessage(WM_COMMAND, 6700, 0);
    EXPECT_TRUE(m_host.calls.empty());
    m_dlg->SendMessage(WM_COMMAND, 6601, 0);
    ASSERT_FALSE(m_host.calls.empty());
    EXPECT_EQ(m_host.calls.back(), "usb /dev/b");
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    // A started update gives the bar the file's range.
    EXPECT_EQ(m_dlg->Bar().GetRangeMax(), 42);
    EXPECT_EQ(m_dlg->Bar().GetPos(), 0);
    // While an update runs the Update button does nothing.
    size_t n = m_host.calls.size();
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    EXPECT_EQ(m_host.calls.size(), n);
}

TEST_F(UpgradeDlgTest, AFailedStartPollsAndReportsTheResult) {
    m_host.paths = {"/dev/a"};
    m_host.startOk = FALSE;
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    EXPECT_EQ(g_bUpdatePolling.load(), 1);
    EXPECT_TRUE(m_dlg->GetPollThread()->IsTimerOn());
    // The device comes back on a quiet try.
    m_host.reconnectResult = 1;
    ASSERT_TRUE(r9test::PumpUntil([&] { return g_bUpdatePolling.load() == 0; }, 5000));
    EXPECT_GE(m_host.reconnects.load(), 1);
    EXPECT_FALSE(m_dlg->GetPollThread()->IsTimerOn());
    EXPECT_EQ(m_dlg->Bar().GetRangeMax(), 42);
    // A failed poll names the failure.
    m_dlg->SendMessage(WM_UPDATE_POLL_RESULT, 0, 0);
    EXPECT_STREQ(Text(CUpgradeDlg::IDC_STATUS).GetString(), "The firmware update failed");
}

TEST_F(UpgradeDlgTest, QuitDuringAnUpdateAsksFirst) {
    m_host.paths = {"/dev/a"};
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    ASSERT_EQ(g_bFirmwareMode.load(), 1);
    m_dlg->answer = FALSE;
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_QUIT, BN_CLICKED), 0);
    EXPECT_EQ(m_dlg->questions, 1);
    EXPECT_TRUE(m_dlg->IsWindowVisible() || m_dlg->ModalResult() == 0);
    EXPECT_EQ(g_bFirmwareMode.load(), 1);
    EXPECT_EQ(m_host.calls.back(), "usb /dev/a");
    m_dlg->answer = TRUE;
    // Closing the window takes the same way.
    m_dlg->SendMessage(WM_CLOSE, 0, 0);
    ASSERT_TRUE(r9test::PumpUntil([&] { return m_dlg->questions == 2; }));
    EXPECT_EQ(m_host.calls.back(), "abort (aborting)");
    EXPECT_EQ(g_bUpdateAborting.load(), 0);
    EXPECT_EQ(m_dlg->ModalResult(), IDCANCEL);
}

TEST_F(UpgradeDlgTest, EnterAndEscapeDoNotCloseIt) {
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{m_dlg->GetSafeHwnd(), WM_KEYDOWN, key, 0, 0};
        EXPECT_TRUE(m_dlg->PreTranslateMessage(&msg));
    }
    EXPECT_EQ(m_dlg->ModalResult(), 0);
}

TEST_F(UpgradeDlgTest, WorkerProgressReachesBarAndTextByPosts) {
    m_dlg->Bar().SetRange(0, 100);
    std::thread worker([] { LinkViewServices().SetUpdateProgress(37, g_strFwProgramming); });
    worker.join();
    ASSERT_TRUE(r9test::PumpUntil([&] { return m_dlg->Bar().GetPos() == 37; }));
    ASSERT_TRUE(r9test::PumpUntil([&] { return Text(CUpgradeDlg::IDC_STATUS) == g_strFwProgramming; }));
    m_dlg->ShowWindow(SW_SHOW);
    EXPECT_FALSE(r9test::RenderToPng(m_dlg->Widget(), "upgrade_dialog_progress").isNull());
    // Once the dialog is gone, the services are the previous ones again.
    CLinkViewServices* during = &LinkViewServices();
    m_dlg.reset();
    EXPECT_NE(&LinkViewServices(), during);
    LinkViewServices().SetUpdateProgress(1, "after"); // reaches no window
}

TEST_F(UpgradeDlgTest, PopupOffersTheInterfacesAndStartsTheChosenOne) {
    g_strDevIP = "10.10.100.254";
    m_host.paths = {"/dev/hidraw1"};
    m_host.reachable = TRUE;
    m_choice = ID_CONNECT_NET;
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0], (std::vector<std::string>{"USB", "10.10.100.254"}));
    ASSERT_TRUE(r9test::PumpUntil([&] { return !m_host.calls.empty() && m_host.calls.back() == "net"; }));

    g_bFirmwareMode = 0;
    m_host.calls.clear();
    m_host.paths = {"/dev/hidraw1", "/dev/hidraw2"};
    m_choice = 6601;
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1], (std::vector<std::string>{"USB1", "USB2", "10.10.100.254"}));
    ASSERT_TRUE(r9test::PumpUntil(
        [&] { return !m_host.calls.empty() && m_host.calls.back() == "usb /dev/hidraw2"; }));
}

TEST_F(UpgradeDlgTest, ForcedQuitAsksTheQuestionBox) {
    m_dlg.reset();
    CUpgradeDlg dlg(&m_host);
    ASSERT_TRUE(dlg.Create(IDD_UPGRADE));
    m_host.paths = {"/dev/a"};
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    ASSERT_EQ(g_bFirmwareMode.load(), 1);
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    CDialog::SetModalHook([&](CDialog& q) {
        CString text;
        q.GetDlgItemText(1001, text);
        asked.emplace_back(text.GetString());
        q.SendMessage(WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_QUIT, BN_CLICKED), 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0],
              "Update is not completed, will be forced to exit the damaged equipment, whether to exit?");
    EXPECT_EQ(g_bFirmwareMode.load(), 1); // No: the update goes on
    answer = IDOK;
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_QUIT, BN_CLICKED), 0);
    CDialog::SetModalHook(nullptr);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(m_host.calls.back(), "abort (aborting)");
    EXPECT_EQ(dlg.ModalResult(), IDCANCEL);
    dlg.DestroyWindow();
}
