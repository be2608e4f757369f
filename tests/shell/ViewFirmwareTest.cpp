// The main view's firmware update, serial link and monitor, with the view created offscreen and the
// device emulator behind loopback TCP.
#include "ViewLinkFixture.h"

#include "link/SerialPort.h"
#include "model/RecordFrames.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WinUser.h"
#include "shell/LockDataDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/UpgradeDlg.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <QImage>

#include <cstdio>
#include <fstream>

namespace {

std::string WriteFile(const std::string& dir, const char* name, const std::vector<BYTE>& bytes) {
    std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<BYTE> DspFile(size_t n) {
    std::vector<BYTE> f = {'W', 'D', 'S', 'P'};
    for (size_t i = 0; i < n; ++i)
        f.push_back(static_cast<BYTE>(i * 13 + 5));
    return f;
}

} // namespace

TEST_F(ViewLinkTest, UpdateDialogRunsAnUpdateOverTcp) {
    std::vector<BYTE> file = DspFile(700);
    g_strHexPath = WriteFile(m_dir, "dsp.bin", file).c_str();
    m_backend->SetPresent(false);
    m_reachable = true;
    m_view->m_net.m_bReachable = 1;
    m_view->m_fwTransfer.Timings().netHandshake = r9test::Ms(200);

    CUpgradeDlg dlg(&m_view->UpdateHost(), m_view.get());
    ASSERT_TRUE(dlg.Create(IDD_UPGRADE, m_view.get()));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    EXPECT_TRUE(dlg.IsStarted());
    ASSERT_TRUE(Pump([&] { return m_view->m_strLastMessage == g_strFwSuccess; }, 30000))
        << m_view->m_strLastMessage.GetString();
    EXPECT_EQ(g_bFwUpdated.load(), 1);
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    // The emulator holds the file's image and its check byte.
    DevsimFirmware fw = m_dev.GetFirmware();
    ASSERT_TRUE(fw.ended);
    EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), fw.dsp.begin()));
    EXPECT_EQ(fw.endChecksum, m_view->m_fwImage.GetDspChecksum());
    // The dialog shows the end.
    ASSERT_TRUE(Pump([&] { return dlg.Bar().GetPos() == dlg.Bar().GetRangeMax(); }));
    CString status;
    dlg.GetDlgItemText(CUpgradeDlg::IDC_STATUS, status);
    EXPECT_STREQ(status.GetString(), g_strFwSuccess);
    dlg.ShowWindow(SW_SHOW);
    EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), "upgrade_dialog_done").isNull());
    dlg.DestroyWindow();
}

TEST_F(ViewLinkTest, AfterAnUpdateOverTcpTheRestartedModuleIsConnectedByItself) {
    g_strHexPath = WriteFile(m_dir, "dsp.bin", DspFile(200)).c_str();
    m_backend->SetPresent(false);
    m_reachable = true;
    m_view->m_net.m_bReachable = 1;
    m_view->m_net.m_nRestartWaitMs = 20;
    m_view->m_fwTransfer.Timings().netHandshake = r9test::Ms(200);

    CUpgradeDlg dlg(&m_view->UpdateHost(), m_view.get());
    ASSERT_TRUE(dlg.Create(IDD_UPGRADE, m_view.get()));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_UPDATE, BN_CLICKED), 0);
    ASSERT_TRUE(dlg.IsStarted());
    // The module restarts after its update: it answers no ping for a while.
    m_reachable = false;
    ASSERT_TRUE(Pump([&] { return m_view->m_strLastMessage == g_strFwSuccess; }, 30000))
        << m_view->m_strLastMessage.GetString();
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_EQ(m_view->m_net.m_bReachable.load(), 0);
    const int connections = m_dev.GetConnectionCount();
    const size_t from = m_dev.GetRequestCount();
    // The ping thread probes it; unanswered, nothing is connected.
    const int ticks = m_view->m_net.GetPingTicks();
    ASSERT_TRUE(Pump([&] { return m_view->m_net.GetPingTicks() >= ticks + 2; }));
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(m_dev.GetConnectionCount(), connections);

    // Its first answer connects it, with the whole connect sequence.
    m_reachable = true;
    ASSERT_TRUE(WaitOnline()) << m_view->m_strLastMessage.GetString();
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
    EXPECT_EQ(g_bFirmwareFinished.load(), 0) << "the restart pause was taken";
    EXPECT_EQ(m_dev.GetConnectionCount(), connections + 1);
    EXPECT_GE(FindRequest(GROUP_SYSTEM, CMD_LINK_CHECK, from), static_cast<long>(from));
    EXPECT_TRUE(m_view->m_bShownConnected);
    dlg.DestroyWindow();
}

TEST_F(ViewLinkTest, FirmwareMenuRunsTheDialogAndLeavesUpdateMode) {
    CDialog::SetModalHook(
        [](CDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(CUpgradeDlg::IDC_QUIT, BN_CLICKED), 0); });
    g_bUpdatePolling = 1;
    m_view->SendMessage(WM_COMMAND, ID_FIRMWARE_UPDATE_MENU, 0);
    CDialog::SetModalHook(nullptr);
    EXPECT_EQ(g_bUpdatePolling.load(), 0);
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
}

TEST_F(ViewLinkTest, UnreadableUpdateFilesAreRefused) {
    g_strHexPath = WriteFile(m_dir, "short.bin", {'W', 'D', 'S', 'P', 1, 2}).c_str();
    EXPECT_FALSE(m_view->LoadFirmwareFile());
    EXPECT_STREQ(m_view->m_strLastMessage, "Update file error!");
    EXPECT_FALSE(g_strHexPath.IsEmpty()); // the file exists: the path stays
    g_strHexPath = (m_dir + "/missing.bin").c_str();
    EXPECT_FALSE(m_view->LoadFirmwareFile());
    EXPECT_TRUE(g_strHexPath.IsEmpty());
    g_strHexPath = WriteFile(m_dir, "ok.bin", DspFile(96)).c_str();
    EXPECT_TRUE(m_view->LoadFirmwareFile());
    EXPECT_EQ(g_nUpdateRange.load(), 100 / 48 + 6);
}

TEST_F(ViewLinkTest, ComLinkOpensNothingAndItsCloseKeepsTheLinkState) {
    EXPECT_FALSE(m_view->OpenComLink(g_strNull));
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    g_nLinkState = LINK_COM;
    m_view->m_bLinkOpen = 1;
    g_bOnline = 1;
    g_bTransferBusy = 1;
    m_view->CloseComLink();
    EXPECT_EQ(g_nLinkState.load(), LINK_COM);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_bOnline.load(), 0);
    EXPECT_EQ(g_bTransferBusy.load(), 0);
    g_nLinkState = LINK_NONE;
}

TEST_F(ViewLinkTest, TheUpdateReopenOverComTriesTheComLinkAndFailsWithoutThePort) {
    g_nLinkState = LINK_COM;
    g_bFirmwareMode = 1;
    m_view->m_command.AddPacket(BuildSystemReadFrame(CMD_VERSION, 0));
    EXPECT_FALSE(m_view->ReconnectForUpdate(FALSE));
    // The COM link's own open ran: its port, mask and buffer were taken before the open failed.
    EXPECT_EQ(m_view->m_serial.GetPortName(), std::string(g_strNull));
    EXPECT_EQ(m_view->m_serial.GetCommEvents(), SERIAL_DEFAULT_MASK);
    EXPECT_EQ(m_view->m_serial.GetWriteBufferSize(), 512);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_FALSE(m_view->m_worker.Exists());
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
    EXPECT_EQ(m_view->m_command.GetQueueCount(), 0);
    ASSERT_TRUE(Pump([&] { return m_view->m_nMessageCount == 1; }));
    EXPECT_STREQ(m_view->m_strLastMessage, g_strUsbFail);
    g_nLinkState = LINK_NONE;
}

TEST_F(ViewLinkTest, SerialErrorsReachTheUserOnTheUiThread) {
    int before = m_view->m_nMessageCount;
    std::thread comm([&] { m_view->m_serial.ReportCommError("SetCommState()"); });
    comm.join();
    EXPECT_EQ(m_view->m_nMessageCount, before); // nothing shown from the serial thread
    ASSERT_TRUE(Pump([&] { return m_view->m_nMessageCount > before; }));
    EXPECT_NE(std::string(m_view->m_strLastMessage.GetString()).find("SetCommState()"), std::string::npos);
}

TEST_F(ViewLinkTest, MonitorIsCreatedHidden) {
    ASSERT_NE(g_pMonitorDlg, nullptr);
    EXPECT_EQ(g_pMonitorDlg, m_view->m_pMonitor.get());
    EXPECT_FALSE(g_pMonitorDlg->IsWindowVisible());
}

TEST_F(ViewLinkTest, FirmwareFileChoiceTakesOnlyBinFilesAndRemembersThem) {
    const std::string regFile = m_dir + "/registry.ini";
    ::setenv("R9_REGISTRY_FILE", regFile.c_str(), 1);
    std::vector<std::string> answers;
    std::string initialDir;
    SetFileDialogHook([&](bool open, const OPENFILENAME& ofn, std::vector<std::string>& chosen) {
        EXPECT_TRUE(open);
        EXPECT_STREQ(ofn.lpstrDefExt, "bin");
        initialDir = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "";
        if (answers.empty())
            return FALSE;
        chosen = {answers.front()};
        answers.erase(answers.begin());
        return TRUE;
    });
    g_strHexPath = "/old.bin";
    EXPECT_FALSE(m_view->ChooseFirmwareFile());         // cancelled
    EXPECT_STREQ(g_strHexPath.GetString(), "/old.bin"); // no file chosen: the earlier one stays
    answers = {"/data/fw/notes.txt"};
    const int shown = m_view->m_nMessageCount;
    EXPECT_FALSE(m_view->ChooseFirmwareFile());
    // Refused with a word, and the earlier file is no longer the one Update sends.
    EXPECT_EQ(m_view->m_nMessageCount, shown + 1);
    EXPECT_STREQ(m_view->m_strLastMessage, "Not an update file: choose a .bin file!");
    EXPECT_STREQ(g_strHexPath.GetString(), "");
    answers = {"/data/fw/DSP_V2.BIN"};
    EXPECT_TRUE(m_view->ChooseFirmwareFile());
    EXPECT_STREQ(g_strHexPath.GetString(), "/data/fw/DSP_V2.BIN");
    answers = {"/data/fw/other.bin"};
    EXPECT_TRUE(m_view->ChooseFirmwareFile());
    EXPECT_EQ(initialDir, "/data/fw"); // the remembered folder
    SetFileDialogHook({});
    std::ifstream in(regFile);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("/data/fw/other.bin"), std::string::npos);
    EXPECT_NE(all.find("DspMcu"), std::string::npos);
    ::unsetenv("R9_REGISTRY_FILE");
}

// Through the dialog's buttons: a refused choice empties the file field, and Update then sends no
// firmware, although a readable file was armed before.
TEST_F(ViewLinkTest, UpdateDialogFlashesNoEarlierFileAfterARefusedChoice) {
    const std::string armed = WriteFile(m_dir, "dsp.bin", DspFile(700));
    const std::string later = WriteFile(m_dir, "later.bin", DspFile(96));
    g_strHexPath = armed.c_str();
    m_backend->SetPresent(false);
    m_reachable = true;
    m_view->m_net.m_bReachable = 1;
    std::string answer;
    SetFileDialogHook([&](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
        chosen = {answer};
        return TRUE;
    });
    CUpgradeDlg dlg(&m_view->UpdateHost(), m_view.get());
    ASSERT_TRUE(dlg.Create(IDD_UPGRADE, m_view.get()));
    dlg.ShowWindow(SW_SHOW);
    auto click = [&](int id) {
        QWidget* button = dlg.GetDlgItem(id)->Widget();
        r9test::Click(button, button->rect().center());
    };
    CString field;
    dlg.GetDlgItemText(CUpgradeDlg::IDC_PATH, field);
    EXPECT_STREQ(field.GetString(), armed.c_str());

    answer = m_dir + "/dsp.hex";
    click(CUpgradeDlg::IDC_BROWSE);
    EXPECT_STREQ(m_view->m_strLastMessage, "Not an update file: choose a .bin file!");
    dlg.GetDlgItemText(CUpgradeDlg::IDC_PATH, field);
    EXPECT_STREQ(field.GetString(), "");
    click(CUpgradeDlg::IDC_UPDATE);
    EXPECT_FALSE(dlg.IsStarted());
    EXPECT_STREQ(m_view->m_strLastMessage, "Update file error!");
    // No worker and no connection, once what the refusal posted was handled: nothing can be sent.
    r9::msg::DeliverPending();
    EXPECT_FALSE(m_view->m_worker.Exists());
    EXPECT_EQ(m_dev.GetConnectionCount(), 0);
    const DevsimFirmware fw = m_dev.GetFirmware();
    EXPECT_EQ(fw.handshakes, 0);
    EXPECT_TRUE(fw.dsp.empty());

    // The refusal in both languages, as its box shows it.
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        click(CUpgradeDlg::IDC_BROWSE);
        CMessageBoxDlg box(m_view->m_strLastMessage, MB_OK, g_strProduct, m_view->m_nLastMessageCode);
        ASSERT_TRUE(box.Create(IDD_MESSAGE_BOX));
        box.ShowWindow(SW_SHOW);
        EXPECT_FALSE(
            r9test::RenderToPng(box.Widget(), chinese ? "firmware_not_bin_zh" : "firmware_not_bin_en")
                .isNull());
    }
    g_bChinese = 0;
    EXPECT_STREQ(g_strHexPath.GetString(), "");

    // A valid choice arms that file.
    answer = later;
    click(CUpgradeDlg::IDC_BROWSE);
    dlg.GetDlgItemText(CUpgradeDlg::IDC_PATH, field);
    EXPECT_STREQ(field.GetString(), later.c_str());
    EXPECT_STREQ(g_strHexPath.GetString(), later.c_str());
    SetFileDialogHook({});
    dlg.DestroyWindow();
}
