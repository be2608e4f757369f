// The output page on a real document, in a window of the tab area's size, with a host that
// records what the page asks of the view and answers its questions from a script.
#pragma once

#include "controls/AppObjects.h"
#include "controls/ControlFixture.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "pages/output/OutputDlg.h"
#include "pages/output/OutputPageHost.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"

#include <memory>
#include <string>
#include <vector>

namespace pagetest {

class RecordingHost : public COutputPageHost {
public:
    void SendCommand(int cmd, int preset) override { commands.push_back({cmd, preset}); }
    void SetSystemDataDirty(BOOL set) override { systemDirty += set ? 1 : 0; }
    void StartInputTypeTimer() override { ++inputTypeTimers; }
    void ResetLinkedOutputEq() override {
        ++eqResets;
        if (onReset)
            onReset();
    }
    void SendOutputChannel(int output) override { sentOutputs.push_back(output); }
    void ResetOutputEq(int output) override { Log("ResetOutputEq(" + std::to_string(output) + ")"); }
    int AskPage(LPCTSTR text, LPCTSTR caption, UINT, int code) override {
        questions.push_back(text);
        captions.push_back(caption);
        codes.push_back(code);
        if (onQuestion)
            onQuestion();
        return answer;
    }

    // The speaker map's calls, in order, as "Name(args)".
    void HoldMasterForChange(BOOL restore) override { Log("Hold(" + std::to_string(restore) + ")"); }
    void SendSpeakerMap(int output, int mode) override {
        Log("SendSpeakerMap(" + std::to_string(output) + "," + std::to_string(mode) + ")");
    }
    void SetOutputMixDefaults(int output, int code, BOOL restore) override {
        Log("Mix(" + std::to_string(output) + "," + std::to_string(code) + "," + std::to_string(restore) +
            ")");
    }
    void ClearOutputLinks() override {
        Log("ClearOutputLinks()");
        for (auto& g : g_nOutLinkGroup)
            g = static_cast<int>(&g - g_nOutLinkGroup);
    }
    BOOL ApplyChannelLinks(int direction) override {
        Log("ApplyChannelLinks(" + std::to_string(direction) + ")");
        for (const LRPair& pair : g_lrPairs)
            if (pair.used)
                g_nOutLinkGroup[pair.second] = pair.first;
        return TRUE;
    }
    void PasteOutput(int from, int to) override {
        Log("PasteOutput(" + std::to_string(from) + "," + std::to_string(to) + ")");
    }
    int AskMapReset() override {
        Log("AskMapReset()");
        return resetAnswer;
    }
    int AskLinkDirection() override {
        Log("AskLinkDirection()");
        return linkAnswer;
    }
    void Log(const std::string& s) { mapLog.push_back(s); }
    std::vector<std::string> mapLog;
    int resetAnswer = 0;
    int linkAnswer = -1;
    void PostViewMessage(UINT message) override { viewPosts.push_back(message); }

    std::vector<std::pair<int, int>> commands;
    std::vector<UINT> viewPosts;
    int systemDirty = 0;
    int inputTypeTimers = 0;
    int eqResets = 0;
    std::vector<int> sentOutputs;
    std::vector<std::string> questions;
    std::vector<std::string> captions;
    std::vector<int> codes;
    int answer = IDNO;
    std::function<void()> onQuestion;
    std::function<void()> onReset;
};

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        CreateProgramFonts();
        g_nViewMode = 1;
        g_bOutMapLocked = 0;
        doc = std::make_unique<CKTV_Data>();
        parent = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 1280, 656);
        page = std::make_unique<COutputDlg>(parent.get());
        ASSERT_TRUE(page->CreatePage(parent.get(), &host));
        page->AttachChannelData(doc.get());
        page->MoveWindow(0, 0, 1280, 656);
        page->ShowWindow(SW_SHOW);
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

    CKTV_OutData* Out(int n) const { return doc->GetOut(n); }
    CFilter* Band(int n, int i) const { return Out(n)->GetBand(i); }
    void Command(int id, int code = 0) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), 0); }
    // Types text into a field of the page and presses Enter as the page's key filter reports it.
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
    CString Text(CWnd& w) const {
        CString t;
        w.GetWindowText(t);
        return t;
    }
    void Render(const char* name) {
        page->Invalidate(FALSE);
        ctltest::Pump();
        r9test::RenderToPng(page->Widget(), name);
    }

    std::unique_ptr<CKTV_Data> doc;
    std::unique_ptr<ctltest::RecordingParent> parent;
    std::unique_ptr<COutputDlg> page;
    RecordingHost host;
};

} // namespace pagetest
