// The mixer popup and its panes on a real document: which byte each knob edits for every input
// and device type, the geometry, the knob memory, the phase bits, the focus walk, the keys that
// never close it, what it shows after an offline change, and its look for every type.
#include "controls/ControlFixture.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"

#include "pages/input/MixKnobMap.h"
#include "pages/input/PopuMixInput.h"
#include "pages/output/OutStripOwner.h"
#include "platform/core/Messages.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr int kMix1 = 264;
constexpr int kMix2 = 272;

// ---- The window-free table ---------------------------------------------------------------------

struct ByteCase {
    int type;
    int device;
    std::array<int, 6> bytes; // -1: the knob has no byte
};
constexpr ByteCase kByteCases[] = {
    {1, 2, {264, 265, 266, 267, 268, 269}}, {1, 3, {264, 265, 266, 267, 268, 269}},
    {3, 2, {268, 269, 274, 275, 276, 277}}, {3, 3, {272, 273, 274, 275, 276, 277}},
    {3, 4, {272, 273, 274, 275, 276, 277}}, {2, 2, {270, 271, -1, -1, -1, -1}},
    {5, 3, {270, 271, -1, -1, -1, -1}},     {0, 2, {272, 273, -1, -1, -1, -1}},
    {0, 3, {272, 273, -1, -1, -1, -1}},     {4, 2, {-1, -1, -1, -1, -1, -1}},
    {4, 3, {-1, -1, -1, -1, -1, -1}},       {7, 2, {-1, -1, -1, -1, -1, -1}},
};

TEST(MixKnobMap, KnobBytesForEveryInputAndDeviceType) {
    for (const ByteCase& c : kByteCases)
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(CMixKnobMap::KnobByte(k, c.type, c.device), c.bytes[static_cast<size_t>(k - 1)])
                << "type " << c.type << " device " << c.device << " knob " << k;
    EXPECT_EQ(CMixKnobMap::KnobByte(0, 1, 2), -1);
    EXPECT_EQ(CMixKnobMap::KnobByte(7, 1, 2), -1);
}

TEST(MixKnobMap, StoreKnobReachesExactlyItsByteThroughTheMarkingSetter) {
    r9test::ResetModelGlobals();
    for (const ByteCase& c : kByteCases)
        for (int k = 1; k <= 6; ++k) {
            CKTV_Data doc;
            CKTV_OutData& out = *doc.GetOut(1);
            g_bOnline = 1;
            out.SetAllChanged(FALSE);
            std::array<int, 16> before{};
            for (int b = 0; b < 16; ++b)
                before[static_cast<size_t>(b)] = CMixKnobMap::ReadMixByte(out, kMix1 + b);
            const int at = c.bytes[static_cast<size_t>(k - 1)];
            EXPECT_EQ(CMixKnobMap::StoreKnob(out, k, c.type, c.device, 77), at >= 0 ? TRUE : FALSE);
            for (int b = 0; b < 16; ++b) {
                const int expected = kMix1 + b == at ? 77 : before[static_cast<size_t>(b)];
                EXPECT_EQ(CMixKnobMap::ReadMixByte(out, kMix1 + b), expected)
                    << "type " << c.type << " device " << c.device << " knob " << k << " byte " << kMix1 + b;
            }
            EXPECT_EQ(out.GetMix1Changed() != 0, at >= kMix1 && at < kMix2);
            EXPECT_EQ(out.GetMix2Changed() != 0, at >= kMix2);
            g_bOnline = 0;
        }
    r9test::ResetModelGlobals();
}

TEST(MixKnobMap, GeometryByInputAndDeviceType) {
    struct Case {
        int type, device, rows, height, top, popup;
        UINT zh, en;
    };
    const Case cases[] = {
        {1, 2, 4, 436, 30, 550, 851, 852}, {1, 3, 6, 661, 30, 775, 885, 885},
        {3, 3, 6, 661, 30, 775, 885, 885}, {3, 2, 2, 211, 36, 331, 878, 879},
        {3, 4, 2, 211, 36, 331, 878, 879}, {0, 2, 2, 211, 36, 331, 891, 892},
        {0, 3, 2, 211, 36, 331, 0, 0},     {2, 3, 2, 211, 36, 331, 877, 880},
        {5, 2, 2, 211, 36, 331, 897, 898}, {4, 2, 2, 211, 36, 331, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " device " << c.device);
        EXPECT_EQ(CMixKnobMap::KnobRows(c.type, c.device), c.rows);
        EXPECT_EQ(CMixKnobMap::PaneHeight(c.type, c.device), c.height);
        EXPECT_EQ(CMixKnobMap::PaneTop(c.type, c.device), c.top);
        EXPECT_EQ(CMixKnobMap::PopupHeight(c.type, c.device), c.popup);
        EXPECT_EQ(CMixKnobMap::Background(c.type, c.device, true), c.zh);
        EXPECT_EQ(CMixKnobMap::Background(c.type, c.device, false), c.en);
        for (UINT id : {c.zh, c.en})
            if (id) {
                const res::ArtSpec* art = res::FindArt(id);
                ASSERT_NE(art, nullptr) << id;
                EXPECT_EQ(art->height, c.popup) << id;
            }
        const CRect last = CMixKnobMap::PaneRect(7, c.type, c.device);
        EXPECT_EQ(last, CRect(164 + 126 * 7, c.top, 164 + 126 * 7 + 116, c.top + c.height));
    }
}

TEST(MixKnobMap, FocusWalksRowByRowAcrossThePanes) {
    using P = CMixKnobMap::Place;
    struct Case {
        P from;
        int type;
        P next, prev;
    };
    const Case cases[] = {
        {{3, 2}, 1, {4, 2}, {2, 2}}, {{7, 1}, 1, {0, 2}, {6, 1}}, {{7, 2}, 1, {0, 3}, {6, 2}},
        {{7, 2}, 3, {0, 1}, {6, 2}}, {{7, 3}, 1, {0, 4}, {6, 3}}, {{7, 4}, 1, {0, 1}, {6, 4}},
        {{0, 1}, 1, {1, 1}, {7, 4}}, {{0, 1}, 0, {1, 1}, {7, 2}}, {{0, 2}, 1, {1, 2}, {7, 1}},
        {{0, 3}, 1, {1, 3}, {7, 2}}, {{0, 4}, 1, {1, 4}, {7, 3}},
    };
    for (const Case& c : cases) {
        P to{};
        ASSERT_TRUE(CMixKnobMap::NextKnob(c.from, c.type, &to));
        EXPECT_EQ(to.pane, c.next.pane) << c.from.pane << "/" << c.from.knob;
        EXPECT_EQ(to.knob, c.next.knob) << c.from.pane << "/" << c.from.knob;
        ASSERT_TRUE(CMixKnobMap::PrevKnob(c.from, c.type, &to));
        EXPECT_EQ(to.pane, c.prev.pane) << c.from.pane << "/" << c.from.knob;
        EXPECT_EQ(to.knob, c.prev.knob) << c.from.pane << "/" << c.from.knob;
    }
    // Knobs 5 and 6 do not move the focus.
    EXPECT_FALSE(CMixKnobMap::NextKnob({2, 5}, 1, nullptr));
    EXPECT_FALSE(CMixKnobMap::PrevKnob({2, 6}, 1, nullptr));
}

// ---- The popup on a document -------------------------------------------------------------------

class MixerPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
    }
    void TearDown() override {
        m_popup.reset();
        m_doc.reset();
        r9test::ResetModelGlobals();
    }
    CPopuMixInput& Open(int type, int device) {
        m_popup.reset();
        {
            std::lock_guard lock(g_linkLock);
            g_pcSourceSet.inputType = static_cast<BYTE>(type);
        }
        g_nDeviceType = device;
        m_popup = std::make_unique<CPopuMixInput>(nullptr, m_doc.get());
        EXPECT_TRUE(m_popup->Create(IDD_POPU_MIX_INPUT));
        m_popup->ShowWindow(SW_SHOW);
        r9test::Pump();
        return *m_popup;
    }
    static void TypeInto(CNumEdit& edit, const char* text) {
        edit.SetFocus();
        r9test::Pump();
        r9test::Type(edit.Widget(), QString::fromUtf8(text));
        r9test::Key(edit.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
    }
    static CString Text(CWnd& w) {
        CString s;
        w.GetWindowText(s);
        return s;
    }
    static void Click(CWnd& w) {
        r9test::Click(w.Widget(), w.Widget()->rect().center());
        r9test::Pump();
    }

    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<CPopuMixInput> m_popup;
};

TEST_F(MixerPopupTest, LaysOutEightPanesForTheTypeAndSetsTheGlobalWhileOpen) {
    CPopuMixInput& p = Open(1, 2);
    EXPECT_EQ(g_pMixPopup, &p);
    CRect rc;
    p.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 1180);
    EXPECT_EQ(rc.Height(), 550);
    for (int i = 0; i < 8; ++i) {
        CRouteMixCom* pane = p.Pane(i);
        ASSERT_NE(pane, nullptr);
        CRect pr;
        pane->GetWindowRect(&pr);
        p.ScreenToClient(&pr);
        EXPECT_EQ(pr, CRect(164 + 126 * i, 30, 164 + 126 * i + 116, 466)) << i;
        EXPECT_EQ(pane->GetOut(), m_doc->GetOut(i));
    }
    // Four rows: knob 4's controls inside the pane, knob 5's below its bottom; phases hidden.
    CRouteMixCom& pane = *p.Pane(0);
    CRect knob4, knob5;
    pane.Edit(4).GetWindowRect(&knob4);
    pane.Edit(5).GetWindowRect(&knob5);
    pane.ScreenToClient(&knob4);
    pane.ScreenToClient(&knob5);
    EXPECT_LT(knob4.bottom, 436);
    EXPECT_GT(knob5.top, 436);
    EXPECT_FALSE(pane.Phase(1).IsWindowVisible());
    // The labels are the six-row picture's only.
    EXPECT_FALSE(p.Label(1).IsWindowVisible());
    m_popup.reset();
    EXPECT_EQ(g_pMixPopup, nullptr);
}

TEST_F(MixerPopupTest, AKnobEditsItsByteAndTheSameValueChangesNothing) {
    CPopuMixInput& p = Open(1, 2);
    CRouteMixCom& pane = *p.Pane(1);
    g_bOnline = 1;
    m_doc->GetOut(1)->SetAllChanged(FALSE);
    std::array<std::array<int, 8>, 8> before{};
    for (int o = 0; o < 8; ++o)
        for (int n = 1; n <= 8; ++n)
            before[static_cast<size_t>(o)][static_cast<size_t>(n - 1)] = m_doc->GetOut(o)->GetMix1In(n);
    TypeInto(pane.Edit(3), "42");
    EXPECT_EQ(m_doc->GetOut(1)->GetMix1In(3), 42); // byte 266 of output 1
    EXPECT_TRUE(m_doc->GetOut(1)->GetMix1Changed());
    EXPECT_EQ(pane.KnobMem(3), 42);
    EXPECT_EQ(pane.LastKnob(), 3);
    EXPECT_EQ(pane.Fader(3).GetPos(), 42);
    EXPECT_EQ(pane.OnOff(3).GetCheck(), 1);
    // No other output and no other byte moved.
    for (int o = 0; o < 8; ++o)
        for (int n = 1; n <= 8; ++n) {
            if (o != 1 || n != 3) {
                EXPECT_EQ(m_doc->GetOut(o)->GetMix1In(n),
                          before[static_cast<size_t>(o)][static_cast<size_t>(n - 1)])
                    << o << "/" << n;
            }
        }

    // Typing the value it has marks nothing.
    m_doc->GetOut(1)->SetAllChanged(FALSE);
    TypeInto(pane.Edit(3), "42");
    EXPECT_FALSE(m_doc->GetOut(1)->GetMix1Changed());

    // The fader stores without comparing, and the edit follows.
    pane.Fader(2).SetPos(17);
    pane.SendMessage(WM_SLIDER_MOVED, static_cast<WPARAM>(CRouteMixCom::kKnobIds[1].fader), 0);
    EXPECT_EQ(m_doc->GetOut(1)->GetMix1In(2), 17);
    EXPECT_EQ(pane.Spin(2).GetPos(), 17);
    EXPECT_EQ(pane.LastKnob(), 2);
}

// The popup as its panes see it, counting the change notices they post.
class CountingPopup : public CPopuMixInput {
public:
    using CPopuMixInput::CPopuMixInput;
    struct Notice {
        int output;
        LPARAM value;
    };
    std::vector<Notice> notices;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MIX_CHANGED)
            notices.push_back({*reinterpret_cast<const int*>(wParam), lParam});
        return CPopuMixInput::WindowProc(message, wParam, lParam);
    }
};

TEST_F(MixerPopupTest, AChangePostsItsOutputAndValueAndTheSameValuePostsNothing) {
    {
        std::lock_guard lock(g_linkLock);
        g_pcSourceSet.inputType = 1;
    }
    CountingPopup p(nullptr, m_doc.get());
    ASSERT_TRUE(p.Create(IDD_POPU_MIX_INPUT));
    p.ShowWindow(SW_SHOW);
    r9test::Pump();
    CRouteMixCom& pane = *p.Pane(6);
    const int old = pane.Spin(2).GetPos();
    TypeInto(pane.Edit(2), std::to_string(old == 55 ? 56 : 55).c_str());
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0].output, 6);
    EXPECT_EQ(p.notices[0].value, old == 55 ? 56 : 55);
    TypeInto(pane.Edit(2), std::to_string(old == 55 ? 56 : 55).c_str());
    pane.OnKnobOnOff(2); // the switch posts nothing either
    r9test::Pump();
    EXPECT_EQ(p.notices.size(), 1u);
}

TEST_F(MixerPopupTest, CopyAndPasteKeysArePostedToThePaneAndChangeNothing) {
    CPopuMixInput& p = Open(1, 2);
    CRouteMixCom& pane = *p.Pane(2);
    CNumEdit& edit = pane.Edit(1);
    edit.SetFocus();
    r9test::Pump();
    const CString shown = Text(edit);
    OutputRecord before;
    {
        std::lock_guard lock(g_linkLock);
        before = g_curImage.outputs[2];
    }
    struct Case {
        int key;
        const char* text;
        UINT message;
    } cases[] = {{Qt::Key_C, "\x03", WM_STRIP_COPY}, {Qt::Key_V, "\x16", WM_OUTPUT_PASTE}};
    for (const Case& c : cases) {
        r9test::Key(edit.Widget(), c.key, Qt::ControlModifier, c.text);
        MSG queued{};
        EXPECT_TRUE(PeekMessage(&queued, pane.GetSafeHwnd(), c.message, c.message, PM_NOREMOVE)) << c.message;
        r9test::Pump();
        EXPECT_STREQ(Text(edit), shown) << c.message;
    }
    std::lock_guard lock(g_linkLock);
    EXPECT_EQ(std::memcmp(&g_curImage.outputs[2], &before, sizeof before), 0);
}

TEST_F(MixerPopupTest, PostToViewPostsTheNoticeToTheView) {
    ctltest::RecordingParent view;
    CPopuMixInput p(&view, m_doc.get());
    ASSERT_TRUE(p.Create(IDD_POPU_MIX_INPUT));
    p.PostToView();
    r9test::Pump();
    const auto notices = view.Of(WM_MIX_POPUP_NOTICE);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, 0u);
    EXPECT_EQ(notices[0].lParam, 0);
}

TEST_F(MixerPopupTest, OnOffBringsBackTheLastValueOr100AndTheSixthKnobStaysInBounds) {
    CKTV_OutData& out = *m_doc->GetOut(7);
    out.SetMix1In1(0);
    out.SetMix1In6(0);
    out.SetMix1In5(23);
    CPopuMixInput& p = Open(1, 3); // six rows
    CRouteMixCom& pane = *p.Pane(7);
    for (int k : {1, 6}) {
        SCOPED_TRACE(k);
        // Never set: off at start, on brings 100.
        EXPECT_EQ(pane.OnOff(k).GetCheck(), 0);
        pane.OnKnobOnOff(k);
        EXPECT_EQ(pane.Spin(k).GetPos(), 100);
        EXPECT_EQ(pane.OnOff(k).GetCheck(), 1);
        EXPECT_EQ(out.GetMix1In(k), 100);
        // A value, off (0 stored), on again: the value comes back.
        TypeInto(pane.Edit(k), "35");
        pane.OnKnobOnOff(k);
        EXPECT_EQ(out.GetMix1In(k), 0);
        EXPECT_EQ(pane.Spin(k).GetPos(), 0);
        EXPECT_EQ(pane.OnOff(k).GetCheck(), 0);
        EXPECT_EQ(pane.KnobMem(k), 35);
        pane.OnKnobOnOff(k);
        EXPECT_EQ(out.GetMix1In(k), 35);
        EXPECT_EQ(pane.OnOff(k).GetCheck(), 1);
    }
    // Knob 6's memory sits inside the pane's own table: the output index and the other knobs
    // are untouched.
    EXPECT_EQ(pane.GetOutput(), 7);
    EXPECT_EQ(pane.KnobMem(5), 23);
    EXPECT_EQ(pane.KnobMem(2), out.GetMix1In(2));
    // A knob typed to 0 shows off.
    TypeInto(pane.Edit(2), "0");
    EXPECT_EQ(pane.OnOff(2).GetCheck(), 0);
}

TEST_F(MixerPopupTest, InputTypeNoneMovesTheKnobsAndStoresNothing) {
    CPopuMixInput& p = Open(4, 2);
    EXPECT_EQ(p.GetBackground(), 0u);
    CRouteMixCom& pane = *p.Pane(0);
    g_bOnline = 1;
    m_doc->GetOut(0)->SetAllChanged(FALSE);
    BYTE mix1[8], mix2[8], was1[8], was2[8];
    m_doc->GetOut(0)->GetMix1(was1);
    m_doc->GetOut(0)->GetMix2(was2);
    TypeInto(pane.Edit(1), "60");
    pane.OnKnobOnOff(2);
    pane.OnKnobOnOff(2);
    EXPECT_EQ(pane.Spin(1).GetPos(), 60);
    EXPECT_EQ(pane.Spin(2).GetPos(), 0);
    m_doc->GetOut(0)->GetMix1(mix1);
    m_doc->GetOut(0)->GetMix2(mix2);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(mix1[i], was1[i]);
        EXPECT_EQ(mix2[i], was2[i]);
    }
    EXPECT_FALSE(m_doc->GetOut(0)->GetMix1Changed());
    EXPECT_FALSE(m_doc->GetOut(0)->GetMix2Changed());
}

TEST_F(MixerPopupTest, PhaseBitsAreSetAndClearedAloneThroughTheSetter) {
    CPopuMixInput& p = Open(1, 2);
    CRouteMixCom& pane = *p.Pane(2);
    CKTV_OutData& out = *m_doc->GetOut(2);
    out.SetMix2Mask(0xF0); // bits the phases do not own
    g_bOnline = 1;
    out.SetAllChanged(FALSE);
    pane.OnKnobPhase(1);
    pane.OnKnobPhase(3);
    EXPECT_EQ(out.GetMix2Mask(), 0xF5);
    EXPECT_TRUE(out.GetMix2Changed());
    pane.OnKnobPhase(1); // selected: cleared, the others stay
    EXPECT_EQ(out.GetMix2Mask(), 0xF4);
    // A bit already clear in the record but shown selected stays clear (no borrow into others).
    pane.OnKnobPhase(3);
    EXPECT_EQ(out.GetMix2Mask(), 0xF0);
    out.SetMix2Mask(0xF0);
    pane.Phase(2).SetCheck(1);
    pane.OnKnobPhase(2);
    EXPECT_EQ(out.GetMix2Mask(), 0xF0);
    // Knobs 5 and 6 have no phase handler.
    pane.OnKnobPhase(5);
    EXPECT_EQ(out.GetMix2Mask(), 0xF0);
}

TEST_F(MixerPopupTest, TabAndEnterWalkTheKnobsAndNoKeyClosesThePopup) {
    CPopuMixInput& p = Open(1, 2);
    TypeInto(p.Pane(7)->Edit(4), "12");
    // Enter moved from knob 4 of pane 7 to knob 1 of pane 0.
    EXPECT_EQ(CWnd::GetFocus(), &p.Pane(0)->Edit(1));
    r9test::Key(p.Pane(0)->Edit(1).Widget(), Qt::Key_Tab);
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &p.Pane(1)->Edit(1));
    // Arrow keys walk back.
    r9test::Key(p.Pane(1)->Edit(1).Widget(), Qt::Key_Left);
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &p.Pane(0)->Edit(1));
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab}) {
        r9test::Key(CWnd::GetFocus() ? CWnd::GetFocus()->Widget() : p.Widget(), key);
        r9test::Pump();
        EXPECT_TRUE(p.IsWindowVisible()) << key;
        EXPECT_EQ(g_pMixPopup, &p);
    }
    EXPECT_EQ(m_doc->GetOut(7)->GetMix1In(4), 12);
}

TEST_F(MixerPopupTest, ShowsWhatTheSettersHoldAfterAnOfflineChangeAndAfterNewData) {
    {
        CPopuMixInput& p = Open(3, 2);
        TypeInto(p.Pane(5)->Edit(2), "64"); // offline: byte 269
    }
    m_popup.reset();
    EXPECT_EQ(m_doc->GetOut(5)->GetMix1In(6), 64);
    CPopuMixInput& p = Open(3, 2);
    EXPECT_EQ(p.Pane(5)->Spin(2).GetPos(), 64);
    EXPECT_EQ(p.Pane(5)->OnOff(2).GetCheck(), 1);
    // New data under an open popup: the panes reload.
    m_doc->GetOut(4)->SetMix1In5(9);
    p.RefreshPanes();
    EXPECT_EQ(p.Pane(4)->Spin(1).GetPos(), 9);
    // A type change while open: the knobs now show the new type's bytes.
    {
        std::lock_guard lock(g_linkLock);
        g_pcSourceSet.inputType = 1;
    }
    m_doc->GetOut(4)->SetMix1In1(33);
    p.RefreshPanes();
    EXPECT_EQ(p.Pane(4)->Spin(1).GetPos(), 33);
    EXPECT_EQ(p.Pane(4)->Spin(5).GetPos(), 9);
}

TEST_F(MixerPopupTest, LabelsAndTooltipsOfTheSixRowDevice) {
    g_bChinese = 1;
    CPopuMixInput& p = Open(3, 3);
    EXPECT_EQ(p.GetBackground(), 885u);
    EXPECT_TRUE(p.Label(0).IsWindowVisible());
    EXPECT_STREQ(Text(p.Label(0)).GetString(), "输入信号");
    EXPECT_STREQ(Text(p.Label(6)).GetString(), "低电平 6");
    CString tip;
    p.Pane(0)->Tips().GetText(tip, &p.Pane(0)->Edit(2));
    EXPECT_STREQ(tip.GetString(), "低电平2");
    g_bChinese = 0;
    CPopuMixInput& en = Open(1, 3);
    EXPECT_STREQ(Text(en.Label(0)).GetString(), "Input Signal");
    EXPECT_STREQ(Text(en.Label(1)).GetString(), "Hi.level 1");
    en.Pane(0)->Tips().GetText(tip, &en.Pane(0)->Fader(6));
    EXPECT_STREQ(tip.GetString(), "Hi.Level6");
    CPopuMixInput& phone = Open(2, 2);
    phone.Pane(3)->Tips().GetText(tip, &phone.Pane(3)->OnOff(2));
    EXPECT_STREQ(tip.GetString(), "Bluetooth-R");
}

TEST_F(MixerPopupTest, RendersEveryInputAndDeviceTypeInBothLanguages) {
    for (int i = 0; i < 8; ++i) {
        m_doc->GetOut(i)->SetMix1In1(static_cast<BYTE>(10 * i + 5));
        m_doc->GetOut(i)->SetMix1In2(static_cast<BYTE>(100 - 10 * i));
        m_doc->GetOut(i)->SetMix1In3(static_cast<BYTE>(i % 2 ? 0 : 60));
        m_doc->GetOut(i)->SetMix2In1(static_cast<BYTE>(40 + i));
        m_doc->GetOut(i)->SetMix1In7(static_cast<BYTE>(80 - 5 * i));
    }
    for (int chinese = 0; chinese < 2; ++chinese)
        for (int device : {2, 3, 4})
            for (int type = 0; type <= 5; ++type) {
                g_bChinese = chinese;
                ResourceLoader::SetChinese(chinese);
                CPopuMixInput& p = Open(type, device);
                const QString name =
                    QString("mixer_popup_dev%1_type%2_%3").arg(device).arg(type).arg(chinese ? "zh" : "en");
                const QImage img = r9test::RenderToPng(p.Widget(), name);
                EXPECT_EQ(img.width(), 1180);
                EXPECT_EQ(img.height(), CMixKnobMap::PopupHeight(type, device));
            }
    ResourceLoader::SetChinese(FALSE);
}

} // namespace
