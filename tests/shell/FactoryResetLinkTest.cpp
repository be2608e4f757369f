// The factory reset from the settings menu, online against the emulator through the real windows:
// the device drops what the user set, and the view reads the device again, so the output page
// shows what the device holds without a disconnect and connect.
#include "OutputPageLinkFixture.h"

#include "model/KTV_OutData.h"
#include "platform/ui/Dialog.h"
#include "shell/InitDlg.h"
#include "shell/ViewMenus.h"
#include "support/RenderToPng.h"

#include <cstring>

namespace {

class FactoryResetLink : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        if (HasFatalFailure())
            return;
        ShowPageInFront(PAGE_OUTPUT);
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        OnlineOutputPageTest::TearDown();
    }
};

TEST_F(FactoryResetLink, AfterTheResetThePageShowsWhatTheDeviceHoldsAgain) {
    COutRoute_Dlg* strip = m_page->GetStrip(0);
    ASSERT_NE(strip, nullptr);
    CKTV_OutData* out = m_doc->GetOut(0);
    const OutputRecord factory = m_dev.GetState().live.outputs[0];
    ASSERT_EQ(factory.polarity, 0);
    ASSERT_EQ(factory.levelCode.Get(), LEVEL_CODE_0DB);

    // CH1 at -10 dB and inverted, on the device too.
    r9test::TypeInto(strip->m_editLevel, "-10");
    Click(strip->m_btnPolarity);
    ASSERT_TRUE(Pump([&] {
        const OutputRecord live = m_dev.GetState().live.outputs[0];
        return live.levelCode.Get() == 500 && live.polarity == 1;
    }));
    ASSERT_EQ(out->GetPolarity(), 1);
    ASSERT_EQ(strip->m_spinLevel.GetPos(), 500);

    // Settings menu, "Restore factory settings", OK.
    int confirmations = 0;
    CDialog::SetModalHook([&](CDialog& d) {
        ++confirmations;
        EXPECT_NE(dynamic_cast<CInitDlg*>(&d), nullptr);
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    m_popupChoice = [](CMenu&) { return ID_FACTORY_RESET_MENU; };
    const size_t from = m_dev.GetRequests().size();
    Click(m_view->m_btnSettings);
    ASSERT_TRUE(Pump([&] { return confirmations == 1; }));
    m_popupChoice = nullptr;

    ASSERT_TRUE(Pump([&] { return out->GetPolarity() == 0 && out->GetLevel() == LEVEL_CODE_0DB; }, 15000))
        << "the view never read the device again";
    ASSERT_TRUE(WaitOnline());
    const long reset = FindRequest(GROUP_SYSTEM, CMD_FACTORY_RESET, from);
    const long version = FindRequest(GROUP_SYSTEM, g_sysReadList[6], from);
    ASSERT_GE(reset, 0);
    EXPECT_GT(version, reset) << "the device is read after it took the reset";
    EXPECT_GE(FindRequest(GROUP_OUTPUT, 0, static_cast<size_t>(reset)), 0) << "the outputs were read again";

    // The device holds its factory values, and the program the same bytes; the page shows them.
    const PresetImage device = m_dev.GetState().live;
    EXPECT_EQ(device.outputs[0].polarity, 0);
    EXPECT_EQ(device.outputs[0].levelCode.Get(), LEVEL_CODE_0DB);
    const PresetImage mine = ProgramImage();
    for (int o = 0; o < NUM_OUTPUTS; ++o)
        EXPECT_EQ(std::memcmp(&device.outputs[o], &mine.outputs[o], sizeof(OutputRecord)), 0)
            << "output " << o;
    EXPECT_EQ(strip->m_btnPolarity.GetCheck(), 0);
    EXPECT_EQ(strip->m_spinLevel.GetPos(), LEVEL_CODE_0DB);
    EXPECT_EQ(strip->m_fader.GetPos(), LEVEL_CODE_0DB);
    EXPECT_EQ(m_page->PolarityButton().GetCheck(), 0);
    r9test::RenderToPng(m_view->Widget(), "factory_reset_online_after");

    // Nothing the program held before the reset went out after it.
    EXPECT_TRUE(WaitLinkIdle());
    EXPECT_EQ(m_dev.GetState().live.outputs[0].polarity, 0);
    EXPECT_EQ(m_dev.GetState().live.outputs[0].levelCode.Get(), LEVEL_CODE_0DB);
}

} // namespace
