// The output page's LEVEL group inside the real main view, online against the emulator over TCP:
// its label names the input whose level the fader shows after every road of a new input (the
// input list, the level page's input buttons, a device report, a preset file), in both languages.
#include "OutputPageLinkFixture.h"

#include "pages/level/Level_Delay_Dlg.h"
#include "platform/ui/CommDlg.h"
#include "presets/JsonPreset.h"
#include "presets/PresetRecords.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresetServices.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kLabelEn = 452; // + input type; the Chinese set from 459
constexpr UINT kLabelZh = 459;

class SourceLabelLink : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        m_services = std::make_unique<CViewPresetServices>(*m_view);
        m_services->Install();
        SetFileDialogHook([this](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
            chosen.push_back(m_file);
            return TRUE;
        });
        // A level of its own for every input, on the device and in the program alike.
        m_dev.ModifyState([](DeviceState& s) {
            for (int t = 0; t < NUM_INPUT_TYPES; ++t)
                s.sourceSet.sourceLevel[t] = static_cast<BYTE>(24 + 6 * t);
        });
        {
            std::lock_guard lock(g_linkLock);
            for (int t = 0; t < NUM_INPUT_TYPES; ++t)
                g_pcSourceSet.sourceLevel[t] = static_cast<BYTE>(24 + 6 * t);
        }
        m_page->ShowSourceLevel();
        m_file = (std::filesystem::path(m_dir) / "Sources.jtah").string();
    }
    void TearDown() override {
        SetFileDialogHook(nullptr);
        m_services.reset();
        OnlineOutputPageTest::TearDown();
    }

    // The label and the fader show input `type`, and so do the list and the level page.
    void ExpectShows(int type) {
        const UINT first = g_bChinese.load() ? kLabelZh : kLabelEn;
        EXPECT_EQ(m_page->InputTypePicture().LookBitmap(TRUE), first + static_cast<UINT>(type));
        EXPECT_EQ(m_page->SourceFader().GetPos(), 24 + 6 * type - 20);
        EXPECT_EQ(m_view->m_btnInputType.GetCurSel(), InputTypeToItem(type));
        auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_view->PageWindow(PAGE_LEVEL));
        ASSERT_NE(level, nullptr);
        for (int n = 0; n < NUM_INPUT_TYPES; ++n)
            EXPECT_EQ(level->InputButton(n).GetCheck(), n == type ? 1 : 0) << n;
    }
    bool DeviceHas(int type) {
        return Pump([&] { return m_dev.GetState().sourceSet.inputType == type; });
    }
    void ChooseInList(int type) {
        // What the list's popup sends when an item is picked.
        m_view->SendMessage(WM_COMBO_SELECT, IDC_INPUT_TYPE_DROP, InputTypeToItem(type));
        r9test::Pump();
    }

    std::unique_ptr<CViewPresetServices> m_services;
    std::string m_file;
};

TEST_F(SourceLabelLink, TheLevelGroupNamesTheInputItShowsAfterEveryRoad) {
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        if (chinese)
            m_view->ToggleLanguage(TRUE);
        m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
        EXPECT_TRUE(WaitLinkIdle());

        // The input list: Hi_Level then AUX, Player then AUX.
        for (const auto& [from, to] : {std::pair{1, 3}, std::pair{5, 3}}) {
            ChooseInList(from);
            ExpectShows(from);
            ChooseInList(to);
            ExpectShows(to);
            ASSERT_TRUE(DeviceHas(to));
        }
        r9test::RenderToPng(m_view->Widget(), chinese ? "source_label_aux_zh" : "source_label_aux_en");

        // The level page's input buttons.
        auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_view->PageWindow(PAGE_LEVEL));
        ASSERT_NE(level, nullptr);
        m_view->ShowSubPage(PAGE_LEVEL, TRUE);
        EXPECT_TRUE(WaitLinkIdle());
        Click(level->InputButton(2));
        m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
        ExpectShows(2);
        ASSERT_TRUE(DeviceHas(2));

        // A device report: the device's own choice.
        m_view->OnTimer(TIMER_INPUT_TYPE_BUSY);
        m_dev.ModifyState([](DeviceState& s) { s.sourceSet.inputType = 0; });
        const UINT spdif = chinese ? kLabelZh : kLabelEn;
        ASSERT_TRUE(Pump([&] { return m_page->InputTypePicture().LookBitmap(TRUE) == spdif; }))
            << "the report reached the page";
        ExpectShows(0);

        // An all-presets file with another input (a single preset keeps the input in use).
        PresetRecords file = PresetRecords::FromGlobals();
        file.sourceSet.inputType = 5;
        for (PresetImage& stored : file.stored) // the device's presets were never read here
            stored = file.live;
        ASSERT_TRUE(CJsonPreset().WriteCompleteFile(m_file.c_str(), file));
        m_view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_LOAD_ALL_PRESETS, 0), 0);
        ASSERT_TRUE(
            Pump([&] { return !g_bTransferBusy.load() && m_view->m_command.Queue().GetQueueCount() == 0; },
                 60000));
        ASSERT_TRUE(DeviceHas(5));
        ExpectShows(5);
        r9test::RenderToPng(m_view->Widget(), chinese ? "source_label_file_zh" : "source_label_file_en");

        ChooseInList(1);
        ExpectShows(1);
        ASSERT_TRUE(DeviceHas(1));
    }
    m_view->ToggleLanguage(TRUE);
}

} // namespace
