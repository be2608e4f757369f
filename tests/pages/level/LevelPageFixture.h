// The level and delay page on a real document, in a window of the tab area's size, with a host
// that records what the page asks of the view.
#pragma once

#include "controls/AppObjects.h"
#include "controls/ControlFixture.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/SpeakerGroupTable.h"
#include "pages/level/LevelPageHost.h"
#include "pages/level/Level_Delay_Dlg.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"

#include <memory>
#include <string>
#include <vector>

namespace leveltest {

class RecordingHost : public CLevelPageHost {
public:
    // Every call in order: "Send(cmd)", "Dirty", "Post(msg,w,l)", "Validate(input,mode)",
    // "ShowOutputPage", "ShowInput(input)".
    void SendCommand(int cmd, int) override { log.push_back("Send(" + std::to_string(cmd) + ")"); }
    void SetSystemDataDirty(BOOL set) override {
        if (set)
            log.push_back("Dirty");
    }
    void PostToInputPage(UINT message, WPARAM w, LPARAM l) override {
        log.push_back("Post(" + std::to_string(message) + "," + std::to_string(w) + "," + std::to_string(l) +
                      ")");
    }
    void ValidateSource(int input, int mode) override {
        log.push_back("Validate(" + std::to_string(input) + "," + std::to_string(mode) + ")");
    }
    void ShowOutputPage() override { log.push_back("ShowOutputPage"); }
    void ShowCurrentInput(int input) override { log.push_back("ShowInput(" + std::to_string(input) + ")"); }
    std::vector<std::string> log;
};

class LevelPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        CreateProgramFonts();
        doc = std::make_unique<CKTV_Data>();
        parent = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 1280, 656);
        page = std::make_unique<CLevel_Delay_Dlg>(parent.get());
        ASSERT_TRUE(page->CreatePage(parent.get(), &host, doc.get()));
        page->MoveWindow(0, 0, 1280, 656);
        page->ShowWindow(SW_SHOW);
        page->ApplyLanguage();
        page->RefreshAll();
        ctltest::Pump();
    }
    void TearDown() override {
        page.reset();
        parent.reset();
        doc.reset();
        DeleteProgramObjects();
        r9test::ResetModelGlobals();
    }

    // Gives the outputs their speaker codes (0 for the rest), rebuilds the groups and reloads.
    void MapOutputs(std::initializer_list<int> codes) {
        int n = 0;
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_posState[POS_STATE_OUTPUTS + i] = 0;
        for (int code : codes)
            g_posState[POS_STATE_OUTPUTS + n++] = static_cast<BYTE>(code);
        g_spkGroups.Rebuild();
        page->RefreshAll();
        ctltest::Pump();
    }
    CKTV_OutData* Out(int n) const { return doc->GetOut(n); }
    void Command(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static bool Shown(CWnd& w) { return (w.GetStyle() & WS_VISIBLE) != 0; }
    void Render(const char* name) {
        page->Invalidate(FALSE);
        ctltest::Pump();
        r9test::RenderToPng(page->Widget(), name);
    }

    std::unique_ptr<CKTV_Data> doc;
    std::unique_ptr<ctltest::RecordingParent> parent;
    std::unique_ptr<CLevel_Delay_Dlg> page;
    RecordingHost host;
};

} // namespace leveltest
