// A user's hands on the level and delay page inside the real main view, online against the
// emulator over TCP: another input chosen, the master moved, an input level set, a muted output's
// level set (it switches on), a delay of a linked group stepped in cm and in inch, the delay unit
// changed. Each reaches the device as exactly the bytes of what it changed, nothing else. The
// keyboard reaches the way back to the output page and never wanders the title bar unseen.
#include "OutputPageLinkFixture.h"

#include "model/Conversions.h"
#include "model/SpeakerGroupTable.h"
#include "pages/level/Level_Delay_Dlg.h"
#include "pages/output/OutRoute_Dlg.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <QApplication>

#include <algorithm>
#include <vector>

namespace {

using namespace levelpage;

// The level block (chunk 31) of an input or an output record.
ImageSpan InputLevelBlock(int n) {
    return {offsetof(PresetImage, inputs) + static_cast<size_t>(n) * sizeof(InputRecord) + 248, 8};
}
ImageSpan OutputLevelBlock(int n) {
    return {offsetof(PresetImage, outputs) + static_cast<size_t>(n) * sizeof(OutputRecord) + 248, 8};
}

bool IsSystemWrite(const DevsimRequest& r, int record) {
    return r.frame.size() > LinkFrame::OFS_INDEX && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
           r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && r.frame[LinkFrame::OFS_INDEX] == record;
}

class LevelPageActions : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        m_level = ShowLevelPage();
        ASSERT_NE(m_level, nullptr) << "the view's level slot holds the page";
        ASSERT_EQ(g_pLevelPage, m_level);
    }
    // Waits until nothing is pending, then starts a fresh record of the frames.
    void Settle() {
        EXPECT_TRUE(WaitLinkIdle());
        m_dev.ClearRequests();
    }
    // The speaker codes of the outputs, here only (the level page sends no map).
    void MapOutputs(std::initializer_list<int> codes) {
        int n = 0;
        for (int code : codes)
            g_posState[POS_STATE_OUTPUTS + n++] = static_cast<BYTE>(code);
        g_spkGroups.Rebuild();
        m_level->RefreshAll();
    }

    CLevel_Delay_Dlg* m_level = nullptr;
};

TEST_F(LevelPageActions, ChoosingAnotherInputSendsTheHeldSystemRecordThenTheSourceSet) {
    ASSERT_EQ(m_level->InputButton(3).GetSafeHwnd() != nullptr, true);
    const int from = g_nCurInput.load() == 3 ? 2 : g_nCurInput.load();
    g_nCurInput = from;
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.pageSwitch = 1; // the input is held
    }
    Settle();
    const DeviceState before = m_dev.GetState();
    const PresetImage image = before.live;
    Click(m_level->InputButton(3));
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(m_level->InputButton(3).GetCheck(), 1);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().sourceSet.inputType == 3; }));
    EXPECT_TRUE(WaitLinkIdle());
    const DeviceState after = m_dev.GetState();
    EXPECT_EQ(after.systemData.pageSwitch, 0);
    SystemDataRecord wantSystem;
    SourceSetRecord wantSource;
    {
        std::lock_guard lock(g_linkLock);
        wantSystem = g_systemData;
        wantSource = g_pcSourceSet;
    }
    EXPECT_TRUE(after.systemData == wantSystem);
    EXPECT_TRUE(after.sourceSet == wantSource);
    // The system record went out before the source set, each once.
    const std::vector<DevsimRequest> frames = m_dev.GetRequests();
    const auto system =
        std::find_if(frames.begin(), frames.end(), [](auto& r) { return IsSystemWrite(r, CMD_SYSTEM_DATA); });
    const auto source =
        std::find_if(frames.begin(), frames.end(), [](auto& r) { return IsSystemWrite(r, CMD_SOURCE_SET); });
    ASSERT_NE(system, frames.end());
    ASSERT_NE(source, frames.end());
    EXPECT_LT(system - frames.begin(), source - frames.begin());
    EXPECT_EQ(
        std::count_if(frames.begin(), frames.end(), [](auto& r) { return IsSystemWrite(r, CMD_SOURCE_SET); }),
        1);
    ExpectDeviceMatchesOnly(image, {});

    // The same input again sends nothing.
    Settle();
    Click(m_level->InputButton(3));
    EXPECT_TRUE(WaitLinkIdle());
    for (const DevsimRequest& r : m_dev.GetRequests())
        EXPECT_FALSE(IsSystemWrite(r, CMD_SOURCE_SET) || IsSystemWrite(r, CMD_SYSTEM_DATA));
}

TEST_F(LevelPageActions, TheMasterSwitchAndFaderReachTheDeviceAsTheSystemRecord) {
    m_level->RefreshAll();
    if (m_level->MasterButton().GetCheck() == 0)
        Click(m_level->MasterButton());
    Settle();
    const PresetImage image = m_dev.GetState().live;
    Click(m_level->MasterButton());
    EXPECT_EQ(m_level->MasterButton().GetCheck(), 0);
    // A device state read before the switch went out may still echo the old byte: the program
    // takes the device's byte with every state report.
    ASSERT_TRUE(
        Pump([&] { return m_dev.GetState().systemData.masterOn == 0 && CLevelBindings::MasterOn() == 0; }));
    // Moving the fader switches the master back on.
    const int target = CLevelBindings::MasterVolume() == 57 ? 56 : 57;
    m_level->MasterFader().SetPos(target);
    m_level->SendMessage(WM_SLIDER_MOVED, kMasterFader, 0);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().systemData.masterVolume.Get() == target; }));
    EXPECT_EQ(m_level->MasterButton().GetCheck(), 1);
    EXPECT_EQ(m_level->MasterSpin().GetPos(), target);
    // A state report read before the fader's record went out can echo the old byte for one
    // report: the device and the program agree again by the next one.
    auto agreed = [&] {
        std::lock_guard lock(g_linkLock);
        return m_dev.GetState().systemData == g_systemData;
    };
    EXPECT_TRUE(Pump(agreed));
    EXPECT_EQ(m_dev.GetState().systemData.masterOn, 1);
    ExpectDeviceMatchesOnly(image, {});
}

TEST_F(LevelPageActions, AnInputLevelReachesTheDeviceAsThatInputsLevelBlock) {
    constexpr int kIn = 2;
    const bool was333 = m_doc->GetMusic(kIn)->GetEffectiveLevel() == 333;
    const int level = was333 ? 334 : 333;
    Settle();
    const PresetImage before = m_dev.GetState().live;
    r9test::TypeInto(m_level->InputEdit(kIn), was333 ? "-26.6" : "-26.7");
    EXPECT_EQ(m_doc->GetMusic(kIn)->GetLevel(), level);
    ExpectDeviceChangedOnly(before, {InputLevelBlock(kIn)});
    r9test::RenderToPng(m_view->Widget(), "level_page_online_input_level");
}

TEST_F(LevelPageActions, AMutedOutputsLevelSwitchesItOnAndReachesTheDeviceAsItsLevelBlock) {
    constexpr int kOut = 4;
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    Click(m_level->OutputOn(kOut));
    ASSERT_EQ(m_doc->GetOut(kOut)->GetEnabled(), 0);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[kOut].on == 0; }));
    Settle();
    const PresetImage before = m_dev.GetState().live;
    r9test::TypeInto(m_level->OutputEdit(kOut), "-12");
    EXPECT_EQ(m_doc->GetOut(kOut)->GetLevel(), 480);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetEnabled(), 1);
    EXPECT_EQ(m_level->OutputOn(kOut).GetCheck(), 1);
    ExpectDeviceChangedOnly(before, {OutputLevelBlock(kOut)});
    EXPECT_EQ(m_dev.GetState().live.outputs[kOut].on, 1);
    EXPECT_EQ(m_dev.GetState().live.outputs[kOut].levelCode, 480);
}

TEST_F(LevelPageActions, ALinkedGroupsDelayStepsInCmAndInchReachTheDeviceAsBothMembersDelays) {
    // Outputs 0 and 1: FL-Tweeter and FL-Woofer, linked with the group's toggle (variant 2).
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    m_doc->GetOut(0)->SetDelay(100);
    m_doc->GetOut(1)->SetDelay(37);
    m_level->RefreshAll();
    Click(m_level->LinkToggle(6802));
    ASSERT_EQ(g_spkGroups.frontLeft.linkFlag, 1);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[1].delay == 37; }));
    for (int unit : {DELAY_UNIT_CM, DELAY_UNIT_INCH}) {
        Click(m_level->UnitButton(unit));
        ASSERT_EQ(g_nDelayUnit.load(), unit);
        Settle();
        const PresetImage before = m_dev.GetState().live;
        const int d0 = m_doc->GetOut(0)->GetDelay(), d1 = m_doc->GetOut(1)->GetDelay();
        const int want0 = unit == DELAY_UNIT_CM ? StepDelayCm(d0, 1) : StepDelayInch(d0, 1);
        const int want1 = unit == DELAY_UNIT_CM ? StepDelayCm(d1, 1) : StepDelayInch(d1, 1);
        // The linked field shows its arrows; its spin steps it and tells the page.
        ASSERT_TRUE(m_level->DelayField(0).SpinButton().IsWindowVisible());
        m_level->DelaySpin(0).Step(1);
        r9test::Pump();
        ASSERT_TRUE(Pump([&] { return m_doc->GetOut(1)->GetDelay() == want1; }, 3000)) << unit;
        EXPECT_EQ(m_doc->GetOut(0)->GetDelay(), want0);
        ExpectDeviceChangedOnly(before, {OutputLevelBlock(0), OutputLevelBlock(1)});
        EXPECT_EQ(m_dev.GetState().live.outputs[0].delay, want0);
        EXPECT_EQ(m_dev.GetState().live.outputs[1].delay, want1);
    }
    r9test::RenderToPng(m_view->Widget(), "level_page_online_linked_inch");
}

TEST_F(LevelPageActions, ChangingTheDelayUnitSendsNothing) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    Settle();
    const DeviceState before = m_dev.GetState();
    for (int unit : {DELAY_UNIT_CM, DELAY_UNIT_INCH, DELAY_UNIT_MS}) {
        Click(m_level->UnitButton(unit));
        EXPECT_EQ(g_nDelayUnit.load(), unit);
        EXPECT_EQ(m_level->DelayField(0).GetType(), NUMTYPE_DELAY_MS + unit - DELAY_UNIT_MS);
    }
    ExpectDeviceMatchesOnly(before.live, {});
    EXPECT_TRUE(m_dev.GetState().systemData == before.systemData);
    r9test::RenderToPng(m_view->Widget(), "level_page_online_ms");
    // The language switch reaches the page; nothing is sent for it either.
    m_view->ToggleLanguage(TRUE);
    ASSERT_TRUE(g_bChinese.load());
    EXPECT_TRUE(WaitLinkIdle());
    r9test::RenderToPng(m_view->Widget(), "level_page_online_zh_ms");
    m_view->ToggleLanguage(TRUE);
    ExpectDeviceMatchesOnly(before.live, {});
}

TEST_F(LevelPageActions, TheOutputPageButtonGoesBackByMouseAndByKeyboardAndSendsNothing) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    CWnd* output = m_view->PageWindow(PAGE_OUTPUT);
    ASSERT_NE(output, nullptr);
    CBitButton& back = m_level->OutputPageButton();
    ASSERT_TRUE(back.IsWindowVisible());
    r9test::RenderToPng(m_view->Widget(), "level_page_online_back_button_en");
    m_view->ToggleLanguage(TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    r9test::RenderToPng(m_view->Widget(), "level_page_online_back_button_zh");
    m_view->ToggleLanguage(TRUE);
    Settle();
    const DeviceState before = m_dev.GetState();
    const auto onOutputPage = [&] {
        CWnd* focus = CWnd::GetFocus();
        return g_nCurPage == PAGE_OUTPUT && output->IsWindowVisible() && !m_level->IsWindowVisible() &&
               focus && output->Widget()->isAncestorOf(focus->Widget());
    };

    // The mouse.
    const int refreshes = m_view->m_nPageRefreshes;
    Click(back);
    ASSERT_TRUE(Pump(onOutputPage)) << "the output page is current and has the focus";
    EXPECT_EQ(m_view->m_btnLevelPage.GetCheck(), 0);
    EXPECT_EQ(m_view->m_nPageRefreshes, refreshes + 1) << "shown and refreshed once";

    // The output page's Level / Delay button, then the keys: Escape leaves the field, Tab reaches
    // the button, Enter presses it.
    Click(*output->GetDlgItem(outpage::kLevelPage));
    ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
    m_level->OutputEdit(2).SetFocus();
    for (const auto& [key, text] : {std::pair{Qt::Key_Escape, "\x1b"}, {Qt::Key_Tab, "\t"}}) {
        r9test::Key(CWnd::GetFocus()->Widget(), key, Qt::NoModifier, text);
        r9test::Pump();
    }
    ASSERT_EQ(CWnd::GetFocus(), &back);
    r9test::Key(back.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_TRUE(Pump(onOutputPage));

    // Switching pages sends nothing.
    EXPECT_TRUE(WaitLinkIdle());
    ExpectDeviceMatchesOnly(before.live, {});
    EXPECT_TRUE(m_dev.GetState().systemData == before.systemData);
    EXPECT_TRUE(m_dev.GetState().sourceSet == before.sourceSet);
}

TEST_F(LevelPageActions, TheKeyboardReachesOutputEqFromTheEntryAndEveryFieldAndNeverTheTitleBar) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    CWnd* output = m_view->PageWindow(PAGE_OUTPUT);
    ASSERT_NE(output, nullptr);
    CBitButton& back = m_level->OutputPageButton();
    const auto inLevelPage = [&](CWnd* w) { return w && m_level->Widget()->isAncestorOf(w->Widget()); };
    const auto onOutputPage = [&] {
        return g_nCurPage == PAGE_OUTPUT && output->IsWindowVisible() &&
               inLevelPage(CWnd::GetFocus()) == false;
    };
    const auto tab = [&](Qt::KeyboardModifiers mods = Qt::NoModifier) {
        r9test::WindowKey(m_view->Widget(), mods & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, mods,
                          "\t");
        r9test::Pump();
    };
    const auto pressSpace = [&] {
        r9test::WindowKey(m_view->Widget(), Qt::Key_Space, Qt::NoModifier, " ");
        r9test::Pump();
    };
    Settle();
    const DeviceState before = m_dev.GetState();

    // The page's entry, from the output page's Level / Delay button: the keys start at the way
    // back, which shows its focus mark.
    Click(back);
    ASSERT_TRUE(Pump(onOutputPage));
    Click(*output->GetDlgItem(outpage::kLevelPage));
    ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
    ASSERT_EQ(CWnd::GetFocus(), &back);
    for (const bool chinese : {false, true}) {
        if (chinese)
            m_view->ToggleLanguage(TRUE);
        EXPECT_TRUE(WaitLinkIdle());
        ASSERT_EQ(CWnd::GetFocus(), &back);
        r9test::RenderToPng(m_view->Widget(),
                            chinese ? "level_page_focus_entry_zh" : "level_page_focus_entry_en");
    }
    m_view->ToggleLanguage(TRUE);

    // Tab walks every field once and comes back to the way back; the focus never leaves the page.
    std::vector<int> walk;
    for (int i = 0; i <= CLevel_Delay_Dlg::kNavCount && (walk.empty() || CWnd::GetFocus() != &back); ++i) {
        tab();
        ASSERT_TRUE(inLevelPage(CWnd::GetFocus())) << "step " << i;
        walk.push_back(CWnd::GetFocus()->GetDlgCtrlID());
    }
    ASSERT_EQ(CWnd::GetFocus(), &back) << "Tab reaches Output / EQ";
    EXPECT_EQ(walk.front(), kMasterEdit);
    EXPECT_EQ(walk[walk.size() - 2], kOutputEdit + 7) << "after the last output";
    EXPECT_EQ(std::count(walk.begin(), walk.end(), kOutputPageButton), 1);
    // Shift+Tab goes back the same way.
    tab(Qt::ShiftModifier);
    EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), kOutputEdit + 7);
    tab();
    ASSERT_EQ(CWnd::GetFocus(), &back);
    pressSpace();
    ASSERT_TRUE(Pump(onOutputPage)) << "Space on Output / EQ goes back";

    // Tab from a title-bar button goes into the level page, so a Space after it presses Output / EQ
    // and never the button beside it (here Disconnect).
    Click(*output->GetDlgItem(outpage::kLevelPage));
    ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
    m_view->m_btnPresets.SetFocus();
    r9test::Pump();
    r9test::RenderToPng(m_view->Widget(), "level_page_focus_title_bar_en");
    tab();
    ASSERT_EQ(CWnd::GetFocus(), &back);
    pressSpace();
    ASSERT_TRUE(Pump(onOutputPage));
    EXPECT_TRUE(m_view->IsLinkOpen());
    ExpectDeviceMatchesOnly(before.live, {});
}

TEST_F(LevelPageActions, OneDelayUnitIsPressedOnBothPagesWhicheverPageChoseIt) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    auto* output = dynamic_cast<COutputDlg*>(m_view->PageWindow(PAGE_OUTPUT));
    ASSERT_NE(output, nullptr);
    const auto pressed = [](auto& page, int unit) {
        for (int u = DELAY_UNIT_MS; u <= DELAY_UNIT_INCH; ++u)
            if ((page.DelayUnitButtonOf(u).GetCheck() != 0) != (u == unit))
                return false;
        return true;
    };
    struct LevelUnits {
        CLevel_Delay_Dlg& page;
        CBitButton& DelayUnitButtonOf(int u) { return page.UnitButton(u); }
    } level{*m_level};
    struct OutputUnits {
        COutputDlg& page;
        CBitButton& DelayUnitButtonOf(int u) { return page.DelayUnitButton(u); }
    } out{*output};
    const auto outputFieldType = [&] {
        auto* strip = dynamic_cast<CNumEdit*>(output->GetStrip(0)->GetDlgItem(COutRoute_Dlg::IDC_DELAY));
        auto* field = dynamic_cast<CNumEdit*>(output->GetDlgItem(outpage::kDelayField));
        return strip && field && strip->GetType() == field->GetType() ? field->GetType() : -1;
    };
    Settle();
    const DeviceState before = m_dev.GetState();
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        if (chinese)
            m_view->ToggleLanguage(TRUE);
        // "cm" on the output page, then the level page: "cm" alone is down there.
        m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
        EXPECT_TRUE(WaitLinkIdle());
        Click(output->DelayUnitButton(DELAY_UNIT_CM));
        EXPECT_TRUE(pressed(out, DELAY_UNIT_CM));
        EXPECT_EQ(outputFieldType(), NUMTYPE_DELAY_CM);
        Click(*output->GetDlgItem(outpage::kLevelPage));
        ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
        EXPECT_TRUE(pressed(level, DELAY_UNIT_CM));
        EXPECT_EQ(m_level->DelayField(0).GetType(), NUMTYPE_DELAY_CM);
        r9test::RenderToPng(m_view->Widget(),
                            chinese ? "level_page_unit_from_output_zh" : "level_page_unit_from_output_en");
        // "inch" on the level page, then the output page: "inch" alone is down there.
        Click(m_level->UnitButton(DELAY_UNIT_INCH));
        EXPECT_TRUE(pressed(level, DELAY_UNIT_INCH));
        Click(m_level->OutputPageButton());
        ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_OUTPUT && output->IsWindowVisible(); }));
        EXPECT_TRUE(pressed(out, DELAY_UNIT_INCH));
        EXPECT_EQ(outputFieldType(), NUMTYPE_DELAY_INCH);
        // Back to ms from the output page.
        Click(output->DelayUnitButton(DELAY_UNIT_MS));
        Click(*output->GetDlgItem(outpage::kLevelPage));
        ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
        EXPECT_TRUE(pressed(level, DELAY_UNIT_MS));
        EXPECT_EQ(g_nDelayUnit.load(), DELAY_UNIT_MS);
    }
    m_view->ToggleLanguage(TRUE);
    ExpectDeviceMatchesOnly(before.live, {});
}

TEST_F(LevelPageActions, TheLRLinkShowsOnTheLevelPageInBothLanguages) {
    CDialog::SetModalHook([](CDialog& d) { d.SendMessage(WM_COMMAND, IDOK, 0); });
    SetMessageBoxAnswer([](const CString&, UINT, int) { return IDYES; });
    auto* output = dynamic_cast<COutputDlg*>(m_view->PageWindow(PAGE_OUTPUT));
    ASSERT_NE(output, nullptr);
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        if (chinese)
            m_view->ToggleLanguage(TRUE);
        // Linked on the output page, then the level page: the link shows there.
        m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
        EXPECT_TRUE(WaitLinkIdle());
        Click(output->MapButton(outpage::kMapLink));
        ASSERT_EQ(g_bLRLinked.load(), 1);
        Click(*output->GetDlgItem(outpage::kLevelPage));
        ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL && m_level->IsWindowVisible(); }));
        EXPECT_TRUE(m_level->LRLinkPicture().IsWindowVisible());
        r9test::RenderToPng(m_view->Widget(), chinese ? "level_page_lr_link_zh" : "level_page_lr_link_en");
        // The language switched while the level page shows keeps it.
        m_view->ToggleLanguage(TRUE);
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_TRUE(m_level->LRLinkPicture().IsWindowVisible()) << "after the switch";
        m_view->ToggleLanguage(TRUE);
        // Unlinked: it goes.
        Click(m_level->OutputPageButton());
        ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_OUTPUT && output->IsWindowVisible(); }));
        Click(output->MapButton(outpage::kMapLink));
        ASSERT_EQ(g_bLRLinked.load(), 0);
        m_view->ShowSubPage(PAGE_LEVEL, TRUE);
        EXPECT_FALSE(m_level->LRLinkPicture().IsWindowVisible());
    }
    m_view->ToggleLanguage(TRUE);
    CDialog::SetModalHook(nullptr);
}

} // namespace
