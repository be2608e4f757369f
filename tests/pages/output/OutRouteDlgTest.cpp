// The output strip on a real document under a fake page: the clicks, fields and fader that change
// its own output, the messages it posts to the page, the position popup's states, copy and paste,
// the map lock, the keyboard ring, and its look.
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPos.h"

#include "controls/AppObjects.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutStripLayout.h"
#include "platform/ui/WinUser.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

CString Text(CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return s;
}

QPoint Centre(CWnd& w) {
    return w.Widget()->rect().center();
}

// The page as the strips see it: a window that records what is posted to it, and the operations
// of COutStripOwner done the page's way on the document.
class FakePage : public r9test::LogWnd, public COutStripOwner {
public:
    CKTV_Data* doc = nullptr;
    std::array<std::unique_ptr<COutRoute_Dlg>, NUM_OUTPUTS> strips;
    int onButtonRefreshes = 0;
    std::vector<int> linkedLevelRefreshes;
    std::vector<int> subLevelsShown;
    std::vector<int> subLevelsChanged;
    int lowestOverride = -2; // -2: computed from the document
    int shownLevelFocus = 0;
    int highPassFocus = 0;
    struct Box {
        std::string text;
        UINT type;
        int code;
    };
    std::vector<Box> boxes;
    int boxAnswer = IDYES;

    void RefreshOnButton() override { ++onButtonRefreshes; }
    void RefreshLinkedLevels(int output) override {
        linkedLevelRefreshes.push_back(output);
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            if (j != output && g_nOutLinkGroup[j] == g_nOutLinkGroup[output] && strips[j])
                strips[j]->RefreshLevel();
    }
    int GetLowestSubLevel() override {
        if (lowestOverride != -2)
            return lowestOverride;
        int lowest = -1;
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            if (g_posState[POS_STATE_OUTPUTS + j] > 21) {
                const int level = doc->GetOut(j)->GetEffectiveLevel();
                lowest = lowest < 0 ? level : std::min(lowest, level);
            }
        return lowest;
    }
    void ShowSubLevel(int code) override { subLevelsShown.push_back(code); }
    void OnSubLevelChanged(int level) override { subLevelsChanged.push_back(level); }
    void ApplyOutputDelay(int output) override {
        if (strips[output])
            strips[output]->TakeDelay();
    }
    COutRoute_Dlg* GetStrip(int output) override {
        return output >= 0 && output < NUM_OUTPUTS ? strips[output].get() : nullptr;
    }
    void FocusShownLevelEdit() override { ++shownLevelFocus; }
    void FocusHighPassEdit() override { ++highPassFocus; }
    int StripMessageBox(const CString& text, UINT type, int code) override {
        boxes.push_back({text.GetString(), type, code});
        return boxAnswer;
    }
};

class OutRouteDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(CreateProgramFonts());
        RegisterSpeakerMenus();
        g_menuSpkPos.DestroyMenu();
        ASSERT_TRUE(g_menuSpkPos.LoadMenu(106));
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        // Outputs 1..8 on FL-Tweeter, FL-Woofer, FR-Tweeter, FR-Woofer, RL-Full, RR-Full,
        // RL-Subwoofer, nothing.
        SetMap({1, 3, 7, 9, 15, 18, 22, 0});
        ASSERT_TRUE(m_page.CreateTop(1280, 656));
        m_page.doc = m_doc.get();
    }
    void TearDown() override {
        CMenu::SetTrackHook(nullptr);
        for (auto& s : m_page.strips)
            s.reset();
        m_page.DestroyWindow();
        m_doc.reset();
        g_menuSpkPos.DestroyMenu();
        r9test::ResetModelGlobals();
    }
    static void SetMap(std::array<int, NUM_OUTPUTS> codes) {
        ResetSpeakerStates();
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            g_posState[POS_STATE_OUTPUTS + j] = static_cast<BYTE>(codes[j]);
        RecalcSpeakerStates();
    }
    COutRoute_Dlg& Strip(int n) {
        auto& s = m_page.strips[n];
        if (!s) {
            s = std::make_unique<COutRoute_Dlg>(&m_page, &m_page);
            s->SetOutput(n);
            s->SetDocument(m_doc.get());
            s->SetSkin(g_bChinese ? striplayout::kSkinCn : striplayout::kSkinEn);
            EXPECT_TRUE(s->Create());
            s->MoveWindow(striplayout::kLeft + n * (s->GetSkinWidth() + striplayout::kGap), striplayout::kTop,
                          s->GetSkinWidth(), s->GetSkinHeight());
            s->ShowWindow(SW_SHOW);
            r9test::Pump();
        }
        return *s;
    }
    void AllStrips() {
        for (int n = 0; n < NUM_OUTPUTS; ++n)
            Strip(n);
    }
    void TypeInto(CNumEdit& edit, const char* text) { r9test::TypeInto(edit, text); }
    void ClickSpin(CNumSpin& spin, bool up) {
        const QRect r = spin.Widget()->rect();
        const QPoint at(r.center().x(), up ? r.top() + 2 : r.bottom() - 2);
        r9test::Click(spin.Widget(), at);
        r9test::Pump();
    }
    std::vector<r9test::LoggedMessage> Posted(UINT message) {
        r9test::Pump();
        return m_page.Of(message);
    }
    CKTV_OutData* Out(int n) { return m_doc->GetOut(n); }

    std::unique_ptr<CKTV_Data> m_doc;
    FakePage m_page;
};

TEST_F(OutRouteDlgTest, OnAndPolarityButtonsFlipTheirOutputAndMarkIt) {
    g_bOnline = 1;
    // (output, its position code is a subwoofer's)
    const struct {
        int output;
        bool sub;
    } cases[] = {{0, false}, {6, true}};
    for (const auto& c : cases) {
        COutRoute_Dlg& s = Strip(c.output);
        CKTV_OutData* out = Out(c.output);
        ASSERT_EQ(out->GetEnabled(), 1);
        ASSERT_EQ(s.m_btnOn.GetCheck(), 1);
        m_page.onButtonRefreshes = 0;
        out->SetLevelChanged(0);
        r9test::Click(s.m_btnOn.Widget(), Centre(s.m_btnOn));
        r9test::Pump();
        EXPECT_EQ(out->GetEnabled(), 0) << c.output;
        EXPECT_EQ(s.m_btnOn.GetCheck(), 0) << c.output;
        EXPECT_TRUE(out->GetLevelChanged()) << c.output;
        EXPECT_EQ(m_page.onButtonRefreshes, c.sub ? 1 : 0) << "the page's on button follows the subwoofers";
        r9test::Click(s.m_btnOn.Widget(), Centre(s.m_btnOn));
        r9test::Pump();
        EXPECT_EQ(out->GetEnabled(), 1);
        EXPECT_EQ(s.m_btnOn.GetCheck(), 1);

        out->SetLevelChanged(0);
        r9test::Click(s.m_btnPolarity.Widget(), Centre(s.m_btnPolarity));
        r9test::Pump();
        EXPECT_EQ(out->GetPolarity(), 1) << c.output;
        EXPECT_EQ(s.m_btnPolarity.GetCheck(), 1);
        EXPECT_TRUE(out->GetLevelChanged());
        r9test::Click(s.m_btnPolarity.Widget(), Centre(s.m_btnPolarity));
        r9test::Pump();
        EXPECT_EQ(out->GetPolarity(), 0);
        EXPECT_EQ(s.m_btnPolarity.GetCheck(), 0);
    }
    // Nothing else moved.
    for (int j : {1, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(Out(j)->GetEnabled(), 1) << j;
        EXPECT_EQ(Out(j)->GetPolarity(), 0) << j;
    }
}

TEST_F(OutRouteDlgTest, LevelFieldSpinAndFaderReachTheModelUnmuteAndShowEachOther) {
    g_bOnline = 1;
    g_nOutLinkGroup[3] = 1; // output 4 linked with output 2
    AllStrips();
    COutRoute_Dlg& s = Strip(1);
    CKTV_OutData* out = Out(1);
    out->SetEnabled(0);
    s.Refresh();
    ASSERT_EQ(s.m_btnOn.GetCheck(), 0);

    TypeInto(s.m_editLevel, "-10");
    EXPECT_EQ(out->GetLevel(), 500);
    EXPECT_EQ(out->GetEnabled(), 1) << "a level change unmutes";
    EXPECT_EQ(s.m_btnOn.GetCheck(), 1);
    EXPECT_EQ(s.m_fader.GetPos(), 500);
    EXPECT_EQ(Out(3)->GetLevel(), 500) << "the model copies the level to the link group";
    EXPECT_EQ(Strip(3).m_spinLevel.GetPos(), 500) << "the linked strip shows it";
    EXPECT_EQ(Out(2)->GetLevel(), LEVEL_CODE_0DB);
    ASSERT_EQ(m_page.linkedLevelRefreshes, std::vector<int>{1});

    ClickSpin(s.m_spinLevel, true);
    EXPECT_EQ(out->GetLevel(), 501);
    EXPECT_EQ(s.m_fader.GetPos(), 501);
    ClickSpin(s.m_spinLevel, false);
    ClickSpin(s.m_spinLevel, false);
    EXPECT_EQ(out->GetLevel(), 499);
    EXPECT_STREQ(Text(s.m_editLevel).GetString(), "-10.1dB");

    // The fader: the spin and the edit take its value; a release gives the edit the focus.
    out->SetEnabled(0);
    s.Refresh();
    s.m_fader.SetPos(250);
    s.SendMessage(WM_SLIDER_MOVING, COutRoute_Dlg::IDC_LEVEL_FADER, 0);
    EXPECT_EQ(out->GetLevel(), 250);
    EXPECT_EQ(out->GetEnabled(), 1) << "moving the fader of a muted output switches it on";
    EXPECT_EQ(s.m_btnOn.GetCheck(), 1);
    EXPECT_EQ(s.m_spinLevel.GetPos(), 250);
    EXPECT_STREQ(Text(s.m_editLevel).GetString(), "-35.0dB");
    s.m_fader.SetPos(260);
    EXPECT_EQ(s.SendMessage(WM_SLIDER_MOVED, COutRoute_Dlg::IDC_LEVEL_FADER, 0), 1);
    r9test::Pump();
    EXPECT_EQ(out->GetLevel(), 260);
    EXPECT_EQ(CWnd::GetFocus(), &s.m_editLevel);

    // The same level again changes nothing and marks nothing.
    out->SetLevelChanged(0);
    m_page.linkedLevelRefreshes.clear();
    TypeInto(s.m_editLevel, "-34");
    EXPECT_EQ(out->GetLevel(), 260);
    EXPECT_FALSE(out->GetLevelChanged());
    EXPECT_TRUE(m_page.linkedLevelRefreshes.empty());
    // The bottom of the range is a level of zero, shown and kept as such.
    TypeInto(s.m_editLevel, "-99");
    EXPECT_EQ(out->GetEffectiveLevel(), 0);
    EXPECT_EQ(s.m_fader.GetPos(), 0);
}

TEST_F(OutRouteDlgTest, ALevelOnASubwooferPositionSyncsThePageSubLevelAfterwards) {
    AllStrips();                   // Enter moves the focus to the next strip, which ends the typing
    COutRoute_Dlg& sub = Strip(6); // RL-Subwoofer
    COutRoute_Dlg& other = Strip(0);
    TypeInto(other.m_editLevel, "-20");
    EXPECT_TRUE(m_page.subLevelsShown.empty()) << "not a subwoofer";
    EXPECT_TRUE(m_page.subLevelsChanged.empty()) << "not a subwoofer";

    TypeInto(sub.m_editLevel, "-12.5");
    r9test::Pump();
    ASSERT_EQ(m_page.subLevelsShown, std::vector<int>{475});
    EXPECT_EQ(m_page.onButtonRefreshes, 1);
    // The page hears of the new level from the change itself, the fader's too.
    sub.m_fader.SetPos(300);
    sub.SendMessage(WM_SLIDER_MOVING, COutRoute_Dlg::IDC_LEVEL_FADER, 0);
    EXPECT_EQ(m_page.subLevelsChanged, (std::vector<int>{475, 300}));

    // The message handled after the output lost its subwoofer code: the page gets its top level,
    // never -1.
    m_page.subLevelsShown.clear();
    m_page.lowestOverride = -1;
    sub.SendMessage(WM_STRIP_SUB_SYNC, 0, 0);
    EXPECT_EQ(m_page.subLevelsShown, std::vector<int>{600});
}

TEST_F(OutRouteDlgTest, DelayFieldAndSpinReachTheModelInEveryUnit) {
    g_bOnline = 1;
    AllStrips();
    COutRoute_Dlg& s = Strip(2);
    CKTV_OutData* out = Out(2);
    TypeInto(s.m_editDelay, "1.01");
    EXPECT_EQ(out->GetDelay(), 48);
    EXPECT_TRUE(out->GetLevelChanged());
    ClickSpin(s.m_spinDelay, true);
    EXPECT_EQ(out->GetDelay(), 49);
    ClickSpin(s.m_spinDelay, false);
    ClickSpin(s.m_spinDelay, false);
    EXPECT_EQ(out->GetDelay(), 47);
    // The same value again marks nothing.
    out->SetLevelChanged(0);
    TypeInto(s.m_editDelay, "0.99");
    EXPECT_EQ(out->GetDelay(), 47);
    EXPECT_FALSE(out->GetLevelChanged());
    EXPECT_EQ(Out(3)->GetDelay(), 0) << "no other output moves";
    // Past the end the field clamps to 354 samples.
    TypeInto(s.m_editDelay, "99");
    EXPECT_EQ(out->GetDelay(), COutRoute_Dlg::kMaxDelay);
    // The page switches the unit; the field then reads and steps in it.
    s.SetDelayType(NUMTYPE_DELAY_CM);
    TypeInto(s.m_editDelay, "0");
    EXPECT_EQ(out->GetDelay(), 0);
    ClickSpin(s.m_spinDelay, true);
    EXPECT_GT(out->GetDelay(), 0) << "one centimetre up";
    EXPECT_EQ(Text(s.m_editDelay).Find("1"), 0) << Text(s.m_editDelay).GetString();
}

TEST_F(OutRouteDlgTest, SelectPostsToThePageUnlessAlreadyCurrentAndMarked) {
    COutRoute_Dlg& s = Strip(4);
    g_nCurOut = 0;
    r9test::Click(s.m_btnSelect.Widget(), Centre(s.m_btnSelect));
    auto posted = Posted(WM_OUTPUT_SELECT);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, 4u);
    EXPECT_EQ(posted[0].lParam, 0);
    // Marked as linked with the current output: still a select.
    s.SetMarked(TRUE);
    EXPECT_EQ(s.m_btnSelect.GetCheck(), 1);
    m_page.Clear();
    r9test::Click(s.m_btnSelect.Widget(), Centre(s.m_btnSelect));
    EXPECT_EQ(Posted(WM_OUTPUT_SELECT).size(), 1u);
    // Already the current output.
    g_nCurOut = 4;
    m_page.Clear();
    r9test::Click(s.m_btnSelect.Widget(), Centre(s.m_btnSelect));
    EXPECT_TRUE(Posted(WM_OUTPUT_SELECT).empty());
}

// The popup's check marks and greying are those of a map in which this output has no position;
// each choice posts the assignment to the page, except the output's own code.
TEST_F(OutRouteDlgTest, PositionPopupOffersWhatTheOutputCouldTakeAndPostsTheChoice) {
    struct Item {
        int code;
        bool checked, grayed;
    };
    const struct Case {
        const char* what;
        std::array<int, NUM_OUTPUTS> map;
        int output;
        std::vector<Item> items;
    } cases[] = {
        {"own code checked and enabled; another output's code checked and grey",
         {1, 3, 7, 9, 15, 18, 22, 0},
         0,
         {{1, true, false}, {3, true, true}, {7, true, true}, {22, true, true}, {0, false, false}}},
        {"a code blocked only by the output's own position is offered",
         {2, 0, 0, 0, 0, 0, 0, 0},
         0,
         {{2, true, false}, {1, false, false}, {3, false, false}, {6, false, false}}},
        {"an output without a position: the others' codes are taken",
         {2, 0, 0, 0, 0, 0, 0, 0},
         3,
         {{2, true, true}, {8, false, false}}},
    };
    for (const Case& c : cases) {
        SetMap(c.map);
        COutRoute_Dlg& s = Strip(c.output);
        BYTE before[POS_STATE_SIZE];
        std::memcpy(before, g_posState, sizeof before);
        int trackedFlag = -1;
        CPoint trackedAt;
        std::vector<UINT> states;
        CMenu::SetTrackHook([&](CMenu& menu, int x, int y) -> UINT {
            trackedFlag = g_nStateFlags[26];
            trackedAt = CPoint(x, y);
            for (const Item& it : c.items)
                states.push_back(menu.GetMenuState(COutRoute_Dlg::CommandFromCode(it.code), MF_BYCOMMAND));
            return 0;
        });
        r9test::Click(s.m_btnPosition.Widget(), Centre(s.m_btnPosition));
        r9test::Pump();
        ASSERT_EQ(states.size(), c.items.size()) << c.what;
        for (size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ((states[i] & MF_CHECKED) != 0, c.items[i].checked)
                << c.what << ": code " << c.items[i].code;
            EXPECT_EQ((states[i] & MF_GRAYED) != 0, c.items[i].grayed)
                << c.what << ": code " << c.items[i].code;
        }
        EXPECT_EQ(trackedFlag, 1) << "the popup flag is set while it is open";
        EXPECT_EQ(g_nStateFlags[26].load(), 0);
        CRect rc;
        s.m_btnPosition.GetWindowRect(&rc);
        EXPECT_EQ(trackedAt, CPoint(rc.left, rc.bottom + 2));
        EXPECT_EQ(std::memcmp(before, g_posState, sizeof before), 0)
            << c.what << ": the popup changed the map";
        m_page.strips[c.output].reset();
    }

    // Choices: another code posts, the own code and "none" without a position post nothing.
    SetMap({1, 3, 7, 9, 15, 18, 22, 0});
    m_page.Clear();
    const struct {
        int output;
        UINT command;
        int postedCode; // -1: nothing
    } choices[] = {
        {0, 4105, 5},   {0, 4101, -1},  {0, 4100, 0},  {7, 4100, -1},
        {7, 32773, 26}, {7, 32772, 25}, {7, 4124, 24},
    };
    for (const auto& ch : choices) {
        COutRoute_Dlg& s = Strip(ch.output);
        CMenu::SetTrackHook([&](CMenu&, int, int) -> UINT { return ch.command; });
        m_page.Clear();
        r9test::Click(s.m_btnPosition.Widget(), Centre(s.m_btnPosition));
        const auto posted = Posted(WM_OUTPUT_SET_POSITION);
        if (ch.postedCode < 0) {
            EXPECT_TRUE(posted.empty()) << ch.command;
        } else {
            ASSERT_EQ(posted.size(), 1u) << ch.command;
            EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(ch.output));
            EXPECT_EQ(posted[0].lParam, ch.postedCode);
        }
    }
}

TEST_F(OutRouteDlgTest, CopyAndPasteByKeysAndPopup) {
    AllStrips();
    COutRoute_Dlg& src = Strip(2);
    COutRoute_Dlg& dst = Strip(5);
    g_nCurOut = 0;

    // Nothing copied: the popup's Paste is grey and Ctrl+V does nothing.
    UINT pasteState = 0;
    CMenu::SetTrackHook([&](CMenu& menu, int, int) -> UINT {
        pasteState = menu.GetMenuState(1, MF_BYPOSITION);
        return 0;
    });
    r9test::Mouse(dst.Widget(), QEvent::MouseButtonPress, QPoint(60, 200), Qt::RightButton, Qt::RightButton);
    r9test::Pump();
    EXPECT_TRUE(pasteState & MF_GRAYED);
    dst.m_editLevel.SetFocus();
    r9test::Key(dst.m_editLevel.Widget(), Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_TRUE(Posted(WM_OUTPUT_PASTE).empty());
    EXPECT_TRUE(m_page.boxes.empty());

    // Ctrl+C in strip 3 makes output 3 the source (and only it).
    g_outCopy.source = 1;
    g_outCopy.flags[1] = 1;
    src.m_editLevel.SetFocus();
    r9test::Key(src.m_editLevel.Widget(), Qt::Key_C, Qt::ControlModifier, "\x03");
    r9test::Pump();
    EXPECT_EQ(g_outCopy.source, 2);
    EXPECT_EQ(g_outCopy.flags[2], 1);
    EXPECT_EQ(g_outCopy.flags[1], 0);

    // Pasting onto the source itself does nothing.
    src.SendMessage(WM_OUTPUT_PASTE, 0, 1);
    EXPECT_TRUE(m_page.boxes.empty());

    // No to the question: nothing posted.
    m_page.boxAnswer = IDNO;
    dst.SendMessage(WM_OUTPUT_PASTE, 0, 1);
    ASSERT_EQ(m_page.boxes.size(), 1u);
    EXPECT_EQ(m_page.boxes[0].text, "Whether copy CH3 data to CH6");
    EXPECT_EQ(m_page.boxes[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(m_page.boxes[0].code, -3);
    EXPECT_TRUE(Posted(WM_OUTPUT_PASTE).empty());

    // Yes by Ctrl+V: the page copies; the destination is not selected.
    m_page.boxAnswer = IDYES;
    m_page.Clear();
    dst.m_editLevel.SetFocus();
    r9test::Key(dst.m_editLevel.Widget(), Qt::Key_V, Qt::ControlModifier, "\x16");
    auto pasted = Posted(WM_OUTPUT_PASTE);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(pasted[0].wParam, 2u);
    EXPECT_EQ(pasted[0].lParam, 5);
    EXPECT_TRUE(m_page.Of(WM_OUTPUT_SELECT).empty());

    // Yes from the popup (Paste enabled now): the destination becomes the current output too.
    m_page.Clear();
    CMenu::SetTrackHook([&](CMenu& menu, int, int) -> UINT {
        pasteState = menu.GetMenuState(1, MF_BYPOSITION);
        return COutRoute_Dlg::IDM_PASTE;
    });
    r9test::Mouse(dst.Widget(), QEvent::MouseButtonPress, QPoint(60, 200), Qt::RightButton, Qt::RightButton);
    r9test::Pump();
    EXPECT_FALSE(pasteState & MF_GRAYED);
    ASSERT_EQ(Posted(WM_OUTPUT_PASTE).size(), 1u);
    auto selected = m_page.Of(WM_OUTPUT_SELECT);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].wParam, 5u);

    // Chinese question with its caption code.
    g_bChinese = 1;
    m_page.boxes.clear();
    dst.SendMessage(WM_OUTPUT_PASTE, 0, 0);
    ASSERT_EQ(m_page.boxes.size(), 1u);
    EXPECT_EQ(m_page.boxes[0].text, "是否拷贝CH3的数据到CH6");
    EXPECT_EQ(m_page.boxes[0].code, -2);

    // A linked destination refuses with its position name (and the Chinese reason).
    g_bChinese = 0;
    dst.ShowPositionName();
    g_nOutLinkGroup[4] = 5;
    m_page.boxes.clear();
    r9test::Pump();
    m_page.Clear();
    dst.SendMessage(WM_OUTPUT_PASTE, 0, 1);
    ASSERT_EQ(m_page.boxes.size(), 1u);
    EXPECT_EQ(m_page.boxes[0].text, Text(dst.m_btnPosition).GetString());
    EXPECT_EQ(m_page.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(Posted(WM_OUTPUT_PASTE).empty());
    g_bChinese = 1;
    dst.ShowPositionName();
    m_page.boxes.clear();
    dst.SendMessage(WM_OUTPUT_PASTE, 0, 1);
    ASSERT_EQ(m_page.boxes.size(), 1u);
    EXPECT_EQ(m_page.boxes[0].text,
              std::string(Text(dst.m_btnPosition).GetString()) + "已经联调,禁止通道拷贝");
}

TEST_F(OutRouteDlgTest, RefreshShowsTheModelAndThePositionNameInTheLanguage) {
    COutRoute_Dlg& s = Strip(1);
    CKTV_OutData* out = Out(1);
    out->SetLevel(423);
    out->SetEnabled(0);
    out->SetPolarity(1);
    out->SetDelay(96);
    s.Refresh();
    EXPECT_EQ(s.m_btnOn.GetCheck(), 0);
    EXPECT_EQ(s.m_btnPolarity.GetCheck(), 1);
    EXPECT_EQ(s.m_spinLevel.GetPos(), 423);
    EXPECT_EQ(s.m_fader.GetPos(), 423);
    EXPECT_STREQ(Text(s.m_editLevel).GetString(), "-17.7dB");
    EXPECT_EQ(s.m_spinDelay.GetPos(), 96);
    EXPECT_STREQ(Text(s.m_editDelay).GetString(), "2.000");
    // The level zero flag shows as the bottom of the range.
    out->SetLevel(0);
    s.RefreshLevel();
    EXPECT_EQ(s.m_fader.GetPos(), 0);

    EXPECT_STREQ(Text(s.m_btnPosition).GetString(), GetSpeakerPosName(3, false));
    g_bChinese = 1;
    s.ApplyLanguage();
    EXPECT_STREQ(Text(s.m_btnPosition).GetString(), GetSpeakerPosName(3, true));
    g_posState[POS_STATE_OUTPUTS + 1] = 0;
    s.ShowPositionName();
    EXPECT_STREQ(Text(s.m_btnPosition).GetString(), "空");
}

// Map lock: a strip without a position is disabled whole; a mapped one keeps everything but its
// position button, also when it got its position while it was disabled whole.
TEST_F(OutRouteDlgTest, MapLockDisablesUnmappedStripsWholeAndOnlyThePositionButtonOfMappedOnes) {
    COutRoute_Dlg& mapped = Strip(0);
    COutRoute_Dlg& unmapped = Strip(7);
    auto live = [](COutRoute_Dlg& s) {
        return s.IsWindowEnabled() && s.m_btnOn.IsWindowEnabled() && s.m_btnPolarity.IsWindowEnabled() &&
               s.m_editLevel.IsEditable() && s.m_fader.IsSliderEnabled() && s.m_btnSelect.IsWindowEnabled();
    };
    mapped.EnableWindow(FALSE);
    EXPECT_TRUE(live(mapped));
    EXPECT_FALSE(mapped.m_btnPosition.IsWindowEnabled());
    unmapped.EnableWindow(FALSE);
    EXPECT_FALSE(unmapped.IsWindowEnabled());
    EXPECT_FALSE(unmapped.m_btnOn.IsWindowEnabled());
    EXPECT_FALSE(unmapped.m_editLevel.IsEditable());
    EXPECT_FALSE(unmapped.m_fader.IsSliderEnabled());
    EXPECT_FALSE(unmapped.m_btnPosition.IsWindowEnabled());

    // Output 8 gets a position while the map stays locked.
    g_posState[POS_STATE_OUTPUTS + 7] = 23;
    unmapped.EnableWindow(FALSE);
    EXPECT_TRUE(live(unmapped)) << "a mapped strip must not stay disabled whole";
    EXPECT_FALSE(unmapped.m_btnPosition.IsWindowEnabled());

    for (COutRoute_Dlg* s : {&mapped, &unmapped}) {
        s->EnableWindow(TRUE);
        EXPECT_TRUE(live(*s));
        EXPECT_TRUE(s->m_btnPosition.IsWindowEnabled());
    }
}

// Left, right, Enter and Tab from the strips' fields: a ring over the level edits, then the delay
// edits, then the page.
TEST_F(OutRouteDlgTest, KeyboardRingAcrossTheStrips) {
    AllStrips();
    enum Target { Level, Delay, ShownLevel, HighPass };
    const struct {
        int strip;
        int id;
        int key; // Qt key
        Target target;
        int targetStrip;
    } cases[] = {
        {3, COutRoute_Dlg::IDC_LEVEL, Qt::Key_Left, Level, 2},
        {3, COutRoute_Dlg::IDC_LEVEL, Qt::Key_Right, Level, 4},
        {3, COutRoute_Dlg::IDC_LEVEL, Qt::Key_Return, Level, 4},
        {0, COutRoute_Dlg::IDC_LEVEL, Qt::Key_Left, ShownLevel, -1},
        {7, COutRoute_Dlg::IDC_LEVEL, Qt::Key_Right, Delay, 0},
        {3, COutRoute_Dlg::IDC_DELAY, Qt::Key_Left, Delay, 2},
        {3, COutRoute_Dlg::IDC_DELAY, Qt::Key_Right, Delay, 4},
        {0, COutRoute_Dlg::IDC_DELAY, Qt::Key_Left, Level, 7},
        {7, COutRoute_Dlg::IDC_DELAY, Qt::Key_Right, HighPass, -1},
        {7, COutRoute_Dlg::IDC_DELAY, Qt::Key_Return, HighPass, -1},
    };
    for (const auto& c : cases) {
        COutRoute_Dlg& s = Strip(c.strip);
        CNumEdit& from = c.id == COutRoute_Dlg::IDC_LEVEL ? s.m_editLevel : s.m_editDelay;
        from.SetFocus();
        r9test::Pump();
        m_page.shownLevelFocus = m_page.highPassFocus = 0;
        const char* text = c.key == Qt::Key_Return ? "\r" : "";
        r9test::Key(from.Widget(), c.key, Qt::NoModifier, text);
        r9test::Pump();
        const std::string what =
            std::to_string(c.strip) + "/" + std::to_string(c.id) + "/" + std::to_string(c.key);
        switch (c.target) {
        case Level:
            EXPECT_EQ(CWnd::GetFocus(), &Strip(c.targetStrip).m_editLevel) << what;
            break;
        case Delay:
            EXPECT_EQ(CWnd::GetFocus(), &Strip(c.targetStrip).m_editDelay) << what;
            break;
        case ShownLevel:
            EXPECT_GE(m_page.shownLevelFocus, 1) << what;
            break;
        case HighPass:
            EXPECT_GE(m_page.highPassFocus, 1) << what;
            break;
        }
    }
    // Digits do not move, Tab goes to the page as a move to the right, Escape closes nothing.
    COutRoute_Dlg& s = Strip(2);
    s.m_editLevel.SetFocus();
    r9test::Pump();
    r9test::Key(s.m_editLevel.Widget(), Qt::Key_5, Qt::NoModifier, "5");
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &s.m_editLevel);
    m_page.Clear();
    r9test::Key(s.m_editLevel.Widget(), Qt::Key_Tab, Qt::NoModifier, "\t");
    const auto nav = Posted(WM_NUMEDIT_NAVIGATE);
    ASSERT_EQ(nav.size(), 1u);
    EXPECT_EQ(nav[0].wParam, static_cast<WPARAM>(COutRoute_Dlg::IDC_LEVEL));
    EXPECT_EQ(nav[0].lParam, VK_RIGHT);
    r9test::Key(s.m_editLevel.Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    r9test::Pump();
    EXPECT_TRUE(s.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(s.m_hWnd));
}

// Timer 5 (nothing starts it): the on button looks hot while the pointer is over an unmarked
// enabled strip, or over a marked one only when asked for.
TEST_F(OutRouteDlgTest, HoverTickLightsTheOnButtonOnlyWhereAllowed) {
    COutRoute_Dlg& s = Strip(1);
    CRect rc;
    s.GetWindowRect(&rc);
    QCursor::setPos(rc.CenterPoint().x, rc.CenterPoint().y);
    if (QCursor::pos() != QPoint(rc.CenterPoint().x, rc.CenterPoint().y))
        GTEST_SKIP() << "the platform cannot place the pointer";
    s.SendMessage(WM_TIMER, COutRoute_Dlg::kHoverTimer, 0);
    EXPECT_TRUE(s.m_btnOn.GetHot());
    QCursor::setPos(rc.left - 50, rc.top - 50);
    s.SendMessage(WM_TIMER, COutRoute_Dlg::kHoverTimer, 0);
    EXPECT_FALSE(s.m_btnOn.GetHot());
    // Marked (the current output): no hover look.
    s.SetMarked(TRUE);
    QCursor::setPos(rc.CenterPoint().x, rc.CenterPoint().y);
    s.SendMessage(WM_TIMER, COutRoute_Dlg::kHoverTimer, 0);
    EXPECT_FALSE(s.m_btnOn.GetHot());
}

// Looks: a row of strips in both languages (sounding, muted, inverted, marked, mapped and not,
// outputs 1 and 7 among them) and the single strips of outputs 1 and 7.
TEST_F(OutRouteDlgTest, RendersInBothLanguages) {
    for (int chinese = 0; chinese <= 1; ++chinese) {
        g_bChinese = chinese;
        SetMap({1, 4, 7, 9, 15, 18, 22, 0});
        Out(1)->SetEnabled(0);
        Out(2)->SetPolarity(1);
        Out(3)->SetLevel(420);
        Out(6)->SetDelay(150);
        AllStrips();
        Strip(0).SetMarked(TRUE);
        Strip(7).EnableWindow(FALSE);
        for (auto& s : m_page.strips) {
            s->SetSkin(chinese ? striplayout::kSkinCn : striplayout::kSkinEn);
            s->ApplyLanguage();
            s->Refresh();
        }
        r9test::Pump();
        const QString lang = chinese ? "cn" : "en";
        QImage row = r9test::RenderToPng(m_page.Widget(), "out_strips_" + lang);
        ASSERT_FALSE(row.isNull());
        // The strip's skin is drawn, not the empty fill.
        const QColor inside = row.pixelColor(striplayout::kLeft + 2, striplayout::kTop + 100);
        EXPECT_NE(inside, QColor(24, 27, 32));
        for (int n : {0, 6}) {
            QImage one =
                r9test::RenderToPng(Strip(n).Widget(), QString("out_strip_%1_%2").arg(n + 1).arg(lang));
            EXPECT_EQ(one.width(), striplayout::kWidth);
            EXPECT_EQ(one.height(), striplayout::kHeight);
        }
        for (auto& s : m_page.strips)
            s.reset();
    }
}

} // namespace
