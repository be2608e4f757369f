// The communication monitor created offscreen, hidden, as the main view creates it.
#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "shell/LockDataDlg.h"
#include "support/RenderToPng.h"

#include <gtest/gtest.h>

#include <QImage>

TEST(LockDataDlg, AppendsTextStampAndLineEnd) {
    struct Case {
        const char* log;
        const char* text;
        BOOL stamp;
        BOOL newLine;
        const char* expect;
    } cases[] = {
        {"", "A1", FALSE, FALSE, "A1"},
        {"A1", "B2", FALSE, FALSE, "A1B2"}, // repeated appends build one line
        {"x", "y", FALSE, TRUE, "xy\r\n"},
        {"", "z", 2, 2, "z"}, // only 1 switches a part on
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CLockDataDlg::ComposeAppend(c.log, c.text, c.stamp, c.newLine, 0).GetString(), c.expect)
            << c.text;
    CString stamped = CLockDataDlg::ComposeAppend("", "w", TRUE, TRUE, 0);
    std::string s = stamped.GetString();
    ASSERT_GE(s.size(), 6u);
    EXPECT_EQ(s.substr(0, 3), "w (");
    EXPECT_EQ(s.substr(s.size() - 3), ")\r\n");
    EXPECT_NE(s.find(FormatElapsedSeconds(0).GetString()), std::string::npos);
}

TEST(LockDataDlg, HiddenMonitorLogsClearsAndShows) {
    CLockDataDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_LOCK_DATA));
    EXPECT_FALSE(dlg.IsWindowVisible());
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_STREQ(caption.GetString(), "Lock");
    EXPECT_EQ(g_pMonitorEdit1, dlg.GetDlgItem(CLockDataDlg::IDC_SMALL1));
    EXPECT_NE(g_pMonitorEdit2, nullptr);

    dlg.AppendWritten("6B 6B 6B EE A2", FALSE, TRUE);
    dlg.AppendRead("6B 6B 6B EE 53", FALSE, FALSE);
    dlg.AppendRead(" 01", FALSE, FALSE);
    CString written, read;
    dlg.m_editWritten.GetWindowText(written);
    dlg.m_editRead.GetWindowText(read);
    EXPECT_STREQ(written.GetString(), "6B 6B 6B EE A2\r\n");
    EXPECT_EQ(dlg.m_editWritten.GetLineCount(), 2);
    EXPECT_STREQ(read.GetString(), "6B 6B 6B EE 53 01");

    dlg.ShowMonitor();
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.m_editWritten.GetWindowText(written);
    EXPECT_TRUE(written.IsEmpty());
    for (int i = 0; i < 40; ++i)
        dlg.AppendWritten("6B 6B 6B EE A1 01 00 04 02 1F 00 00 08 00", FALSE, TRUE);
    dlg.AppendRead("6B 6B 6B EE 51 01 00 04 02 1F 00 00 00 00 49 AA", FALSE, TRUE);
    EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), "monitor_dialog").isNull());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(CLockDataDlg::IDC_CLEAR, BN_CLICKED), 0);
    dlg.m_editWritten.GetWindowText(written);
    dlg.m_editRead.GetWindowText(read);
    EXPECT_TRUE(written.IsEmpty());
    EXPECT_TRUE(read.IsEmpty());
    dlg.DestroyWindow();
    g_pMonitorEdit1 = g_pMonitorEdit2 = nullptr;
}
