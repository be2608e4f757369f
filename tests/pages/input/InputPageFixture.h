// The input page on a real document, in a window of the tab area's size, with a host that records
// what the page asks of the view and answers its questions from a script, and a stand-in view and
// level page that record the messages they get.
#pragma once

#include "controls/AppObjects.h"
#include "controls/ControlFixture.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/Music_InData.h"
#include "pages/input/InPutDlg.h"
#include "pages/input/InputPageHost.h"
#include "pages/output/OutStripOwner.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"

#include <memory>
#include <string>
#include <vector>

namespace inputtest {

class RecordingHost : public CInputPageHost {
public:
    void SendCommand(int cmd, int preset) override {
        log.push_back("Send(" + std::to_string(cmd) + "," + std::to_string(preset) + ")");
    }
    void SetSystemDataDirty(BOOL set) override { log.push_back("Dirty(" + std::to_string(set) + ")"); }
    void SendInputChannel(int input) override { log.push_back("Channel(" + std::to_string(input) + ")"); }
    void ResetInputEq(int input) override {
        log.push_back("Reset(" + std::to_string(input) + ")");
        if (onReset)
            onReset();
    }
    int AskPage(LPCTSTR text, LPCTSTR, UINT, int code) override {
        questions.push_back(text);
        codes.push_back(code);
        return answer;
    }
    std::vector<std::string> log;
    std::vector<std::string> questions;
    std::vector<int> codes;
    int answer = IDNO;
    std::function<void()> onReset;
};

class InputPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        CreateProgramFonts();
        doc = std::make_unique<CKTV_Data>();
        view = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 100, 100);
        level = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 100, 100);
        g_pViewWnd = view.get();
        parent = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 1280, 656);
        page = std::make_unique<CInPutDlg>(parent.get());
        ASSERT_TRUE(page->CreatePage(parent.get(), &host));
        page->AttachChannelData(doc.get());
        page->SetLevelPageWindow(level.get());
        page->MoveWindow(0, 0, 1280, 656);
        page->ShowWindow(SW_SHOW);
        page->ShowInputSelection(FALSE);
        ctltest::Pump();
        host.log.clear();
    }
    void TearDown() override {
        page.reset();
        parent.reset();
        g_pViewWnd = nullptr;
        level.reset();
        view.reset();
        doc.reset();
        DeleteProgramObjects();
        r9test::ResetModelGlobals();
    }

    CMusic_InData* In(int n) const { return doc->GetMusic(n); }
    void Command(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void TypeAndEnter(int id, const char* text) {
        auto* edit = dynamic_cast<CNumEdit*>(page->GetDlgItem(id));
        ASSERT_NE(edit, nullptr) << id;
        edit->SetWindowText(text);
        edit->SetModified(1);
        page->SendMessage(WM_NUMEDIT_ENTER, static_cast<WPARAM>(id), 0);
    }
    static bool Shown(CWnd& w) { return (w.GetStyle() & WS_VISIBLE) != 0; }
    CRect PlaceOf(CWnd& w) const {
        CRect rc;
        w.GetWindowRect(&rc);
        page->ScreenToClient(&rc);
        return rc;
    }
    void Render(const char* name) { ctltest::Render(*page, name); }

    std::unique_ptr<CKTV_Data> doc;
    std::unique_ptr<ctltest::RecordingParent> view;
    std::unique_ptr<ctltest::RecordingParent> level;
    std::unique_ptr<ctltest::RecordingParent> parent;
    std::unique_ptr<CInPutDlg> page;
    RecordingHost host;
};

} // namespace inputtest
