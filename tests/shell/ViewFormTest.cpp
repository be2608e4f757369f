// The main view as a window: the controls of its form, the pages, the start-up, page switching,
// the key filter, the drag by the skin, the two shutdown roads, the input type and phone lists
// and the Connect popup; the view rendered offline and online in both languages.
#include "ViewLinkFixture.h"

#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "link/OutputPageServices.h"
#include "model/RecordFrames.h"
#include "pages/input/InPutDlg.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <QApplication>
#include <QWidget>

namespace {

// A view whose close question, save and main-window close are scripted.
class ScriptedView : public CTRV410View {
public:
    int answer = SAVE_ANSWER_CANCEL;
    BOOL saveResult = FALSE;
    int questions = 0;
    int saves = 0;
    int closes = 0;
    int AskSaveBeforeClose() override {
        ++questions;
        return answer;
    }
    BOOL SavePresetFile() override {
        ++saves;
        return saveResult;
    }
    void CloseMainWindow() override { ++closes; }
};

// Records what the view asks of the output page.
class OutputPageSpy : public COutputPageServices {
public:
    int sourceLevels = 0;
    int busyAtSourceLevel = -1;
    int queuedAtSourceLevel = -1;
    CKTVCommand* command = nullptr;
    void ShowSourceLevel() override {
        ++sourceLevels;
        busyAtSourceLevel = g_bInputTypeBusy.load();
        if (command)
            queuedAtSourceLevel = command->GetQueueCount();
    }
};

CRect ChildRect(CWnd& parent, CWnd& child) {
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

bool Shown(CWnd* w) {
    return w && w->IsWindowVisible();
}

} // namespace

class ViewFormTest : public ViewLinkTest {
protected:
    void SetUp() override {
        ViewLinkTest::SetUp();
        m_backend->SetPresent(false);
        m_spy.command = &m_view->m_command;
        SetOutputPageServices(&m_spy);
    }
    void TearDown() override {
        SetOutputPageServices(nullptr);
        g_bChinese = 0;
        ViewLinkTest::TearDown();
    }
    // Replaces the fixture's view by a scripted one.
    ScriptedView& UseScriptedView() {
        m_spy.command = nullptr;
        m_view.reset();
        auto* view = new ScriptedView;
        m_view.reset(view);
        m_spy.command = &m_view->m_command;
        EXPECT_TRUE(m_view->CreateView());
        return *view;
    }
    void StartUp() {
        m_view->OnInitialUpdate();
        // The real output page installed itself with the view's pages; the spy stands in again.
        SetOutputPageServices(&m_spy);
        m_view->ShowWindow(SW_SHOW);
        // What the start-up posted (the link's start) runs now.
        r9::msg::DeliverPending();
        r9test::Pump();
    }
    void Click(int id) { m_view->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // Takes the queued packets over into m_sent; then the writes of one system record so far.
    int QueuedSystemWrites(int cmd) {
        {
            std::lock_guard lock(g_linkLock);
            CSendDataQueue& q = m_view->m_command.Queue();
            while (CSendData* p = q.GetHeadPacket()) {
                m_sent.emplace_back(p->GetData(), p->GetData() + p->GetSize());
                q.RemoveHead();
            }
        }
        int n = 0;
        for (const auto& f : m_sent)
            n += f.size() > LinkFrame::OFS_PAYLOAD && f[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                 f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == cmd;
        return n;
    }
    void ClearSent() {
        m_view->m_command.ClearQueue();
        m_sent.clear();
    }

    OutputPageSpy m_spy;
    std::vector<std::vector<BYTE>> m_sent;
};

TEST_F(ViewFormTest, EveryControlOfTheFormIsInPlace) {
    CTRV410View& v = *m_view;
    struct Row {
        int id;
        CWnd* member;
        bool shown;
        CRect rect;
    } rows[] = {
        {1368, &v.m_tabArea, true, CRect(0, 64, 1280, 720)},
        {2830, &v.m_btnInputType, true, CRect(70, 34, 180, 60)},
        {2862, &v.m_btnPhone, true, CRect(290, 34, 400, 60)}, // sized by the list art it shares with 2830
        {2776, &v.m_linkIndicator, true, CRect(520, 36, 720, 58)},
        {2854, &v.m_btnSettingsPopup, true, CRect(760, 33, 840, 61)},
        {2829, &v.m_btnLock, true, CRect(850, 33, 930, 61)},
        {8801, &v.m_btnPresets, true, CRect(940, 33, 1020, 61)},
        {8802, &v.m_btnSettings, true, CRect(1030, 33, 1110, 61)},
        {1413, &v.m_btnConnect, true, CRect(1140, 34, 1260, 60)},
        {2772, &v.m_btnMinimize, true, CRect(1218, 4, 1242, 24)},
        {2773, &v.m_btnClose, true, CRect(1248, 4, 1272, 24)},
        {2770, &v.m_btnPresetName, false, CRect(149, 7, 224, 26)},
        {2828, &v.m_picLanguage, false, CRect(314, 2, 415, 27)},
        {2840, &v.m_editBootLevel, false, CRect(450, 5, 488, 19)},
        {2842, &v.m_spinBootLevel, false, CRect(488, 0, 505, 25)},
        {2841, &v.m_sliderBootLevel, false, CRect(507, 0, 530, 21)},
        {2562, &v.m_btnInputPage, false, CRect(492, 32, 543, 57)},
        {2563, &v.m_btnLevelPage, false, CRect(492, 32, 543, 57)},
        {2561, &v.m_btnPage1, false, CRect(558, 0, 609, 25)},
        {2826, &v.m_btnHiLevel, false, CRect(498, 62, 573, 87)},
        {2818, &v.m_btnAux, false, CRect(597, 62, 672, 87)},
        {2827, &v.m_btnPhoneType, false, CRect(696, 62, 771, 87)},
        {8804, &v.m_btnReport, false, CRect(887, 127, 959, 157)},
        {8803, &v.m_btnSystem, false, CRect(997, 125, 1054, 146)},
        {2066, &v.m_btnSlot[0], false, CRect(1154, 99, 1166, 113)},
        {2067, &v.m_btnSlot[1], false, CRect(1175, 99, 1187, 113)},
        {2068, &v.m_btnSlot[2], false, CRect(1193, 99, 1205, 113)},
        {2069, &v.m_btnSlot[3], false, CRect(1211, 97, 1223, 111)},
        {1414, &v.m_transferBar, false, CRect(1173, 25, 1187, 48)},
        {1002, &v.m_editStatus, false, CRect(1190, 28, 1199, 49)},
    };
    StartUp();
    CRect client;
    v.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 1280, 720));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        // The member itself is the window of the id (the form's control was replaced by it).
        ASSERT_EQ(v.GetDlgItem(r.id), r.member);
        EXPECT_EQ(Shown(r.member), r.shown);
        EXPECT_EQ(ChildRect(v, *r.member), r.rect);
    }
    // The preset name label is a label: disabled.
    EXPECT_FALSE(v.m_btnPresetName.IsWindowEnabled());

    // The pages: children of the tab area, hidden but the current one, covering its client area;
    // the lock cover stays hidden in its corner.
    struct Page {
        UINT id;
        CWnd* window;
        CRect rect;
    } pages[] = {
        {136, v.m_pOutputPage.get(), CRect(0, 0, 1280, 656)},
        {382, v.m_pInputPage.get(), CRect(0, 0, 1280, 656)},
        {522, v.m_pLevelPage.get(), CRect(0, 0, 1280, 656)},
        {760, v.m_pLockCover.get(), CRect(0, 0, 1196, 411)},
    };
    for (const Page& p : pages) {
        SCOPED_TRACE(p.id);
        ASSERT_NE(p.window, nullptr);
        EXPECT_EQ(p.window->GetParent(), &v.m_tabArea);
        EXPECT_EQ(static_cast<UINT>(p.window->GetDlgCtrlID()), p.id);
        EXPECT_EQ(ChildRect(v.m_tabArea, *p.window), p.rect);
        EXPECT_EQ(Shown(p.window), p.id == 136);
    }
    // The input page is the real page, and the pages reach it through g_pInputPage.
    auto* input = dynamic_cast<CInPutDlg*>(v.m_pInputPage.get());
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(g_pInputPage, input);
}

TEST_F(ViewFormTest, StartUpLeavesTheViewOfflineOnTheOutputPageAndStartsTheLink) {
    // A slot button down before the start: the start-up releases it and keeps the slot.
    g_slotTable.curSlot = 2;
    m_view->m_btnSlot[2].SetCheck(1);
    StartUp();
    EXPECT_EQ(m_view->m_btnSlot[2].GetCheck(), 0);
    EXPECT_EQ(g_slotTable.curSlot, 2);
    EXPECT_EQ(g_pMainView, m_view.get());
    EXPECT_EQ(g_pViewWnd, m_view.get());
    EXPECT_EQ(g_pSerialCommand.load(), &m_view->m_command);
    EXPECT_NE(g_pMonitorDlg, nullptr);
    EXPECT_FALSE(Shown(g_pMonitorDlg));
    EXPECT_EQ(g_nCurPage, PAGE_OUTPUT);
    EXPECT_TRUE(m_view->m_linkIndicator.IsBlinking());
    CString text;
    m_view->m_linkIndicator.GetWindowText(text);
    EXPECT_STREQ(text, g_strNotConnected);
    EXPECT_FALSE(m_view->m_strHelpEn.IsEmpty());
    EXPECT_TRUE(m_view->m_strHelpEn.Right(12) == "/EN_Help.chm");
    // Without a device the start-up's posted WM_START_LINK only starts the idle ping.
    ASSERT_TRUE(Pump([&] { return m_view->m_net.IsPingRunning(); }));
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
}

TEST_F(ViewFormTest, PagesSwitchWithThePressedLookOfTheirButtons) {
    StartUp();
    CTRV410View& v = *m_view;
    auto state = [&] {
        return std::make_tuple(g_nCurPage, v.m_btnInputPage.GetCheck(), v.m_btnLevelPage.GetCheck(),
                               Shown(v.m_pInputPage.get()), Shown(v.m_pOutputPage.get()),
                               Shown(v.m_pLevelPage.get()));
    };
    EXPECT_EQ(state(), std::make_tuple(PAGE_OUTPUT, 0, 0, false, true, false));

    int refreshes = v.m_nPageRefreshes;
    Click(IDC_INPUT_PAGE_BUTTON);
    EXPECT_EQ(state(), std::make_tuple(PAGE_INPUT, 1, 0, true, false, false));
    EXPECT_EQ(v.m_nPageRefreshes, refreshes + 1);
    // The current page's own button does nothing.
    Click(IDC_INPUT_PAGE_BUTTON);
    EXPECT_EQ(v.m_nPageRefreshes, refreshes + 1);

    // The output page's level button posts this message.
    ASSERT_TRUE(v.PostMessage(WM_SHOW_LEVEL_PAGE, 0, 0));
    ASSERT_TRUE(Pump([&] { return g_nCurPage == PAGE_LEVEL; }));
    EXPECT_EQ(state(), std::make_tuple(PAGE_LEVEL, 0, 1, false, false, true));
    refreshes = v.m_nPageRefreshes;
    Click(IDC_LEVEL_PAGE_BUTTON);
    EXPECT_EQ(v.m_nPageRefreshes, refreshes);
    // The first page button has no effect at all.
    Click(IDC_PAGE_BUTTON_1);
    EXPECT_EQ(state(), std::make_tuple(PAGE_LEVEL, 0, 1, false, false, true));

    v.ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_EQ(state(), std::make_tuple(PAGE_OUTPUT, 0, 0, false, true, false));
    EXPECT_EQ(v.m_nPageRefreshes, refreshes + 1);
}

TEST_F(ViewFormTest, KeysOfTheViewsWindowsAreFiltered) {
    StartUp();
    CTRV410View& v = *m_view;
    // A control on the output page that records its keys, and a dialog-like window of its own.
    r9test::LogWnd field;
    ASSERT_TRUE(field.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 40),
                               v.m_pOutputPage.get(), 4242));
    r9test::LogWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, "", "", WS_POPUP | WS_VISIBLE, CRect(50, 50, 250, 150), &v, 0));
    auto keysOf = [](r9test::LogWnd& w) {
        std::vector<WPARAM> keys;
        for (const auto& m : w.Of(WM_KEYDOWN))
            keys.push_back(m.wParam);
        w.Clear();
        return keys;
    };

    struct Case {
        int qtKey;
        WPARAM vk;
        bool reaches;
        bool viewFocused;
        int tabs;
    } cases[] = {
        {Qt::Key_Up, VK_UP, false, false, 0},       {Qt::Key_Down, VK_DOWN, false, false, 0},
        {Qt::Key_Return, VK_RETURN, true, true, 0}, {Qt::Key_Escape, VK_ESCAPE, true, true, 0},
        {Qt::Key_Tab, VK_TAB, true, false, 1},      {Qt::Key_Left, VK_LEFT, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        field.SetFocus();
        const int tabs = v.m_nOutputPageFocus;
        r9test::Key(field.Widget(), c.qtKey);
        const auto keys = keysOf(field);
        EXPECT_EQ(!keys.empty() && keys[0] == c.vk, c.reaches);
        EXPECT_EQ(CWnd::GetFocus() == &v, c.viewFocused);
        EXPECT_EQ(v.m_nOutputPageFocus - tabs, c.tabs);

        // A window of its own is not the view's: every key reaches it.
        r9test::Key(dialog.Widget(), c.qtKey);
        const auto own = keysOf(dialog);
        EXPECT_TRUE(!own.empty() && own[0] == c.vk);
    }

    // Tab means the output page's focus only while that page is shown.
    v.ShowSubPage(PAGE_LEVEL, TRUE);
    const int tabs = v.m_nOutputPageFocus;
    r9test::Key(field.Widget(), Qt::Key_Tab);
    EXPECT_EQ(v.m_nOutputPageFocus, tabs);
    dialog.DestroyWindow();
    field.DestroyWindow();
}

TEST_F(ViewFormTest, DraggingTheSkinMovesTheWindowUnderTheCursor) {
    struct Case {
        CPoint cursor;
        CPoint click;
        CPoint topLeft;
    } cases[] = {
        {CPoint(500, 300), CPoint(100, 20), CPoint(400, 280)},
        {CPoint(10, 10), CPoint(600, 30), CPoint(-590, -20)},
        {CPoint(0, 0), CPoint(0, 0), CPoint(0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTRV410View::DragTopLeft(c.cursor, c.click), c.topLeft);

    StartUp();
    CTRV410View& v = *m_view;
    v.MoveWindow(100, 80, 1280, 720);
    CRect before;
    v.GetWindowRect(&before);
    // A press on the skin in the header, away from any control, then a move of 30, 15.
    r9test::Press(v.Widget(), QPoint(420, 12));
    EXPECT_TRUE(v.m_bDragging);
    r9test::Move(v.Widget(), QPoint(450, 27), Qt::LeftButton);
    CRect after;
    v.GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), CPoint(before.left + 30, before.top + 15));
    EXPECT_EQ(after.Size(), before.Size());
    r9test::Release(v.Widget(), QPoint(420, 12));
    EXPECT_FALSE(v.m_bDragging);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ViewFormTest, TheCloseButtonRoads) {
    struct Case {
        const char* name;
        int answer;
        BOOL saveResult;
        int saves;
        bool closed;
    } cases[] = {
        {"cancel", SAVE_ANSWER_CANCEL, FALSE, 0, false},
        {"box closed", IDCANCEL + 100, FALSE, 0, false},
        {"yes, save cancelled", SAVE_ANSWER_YES, FALSE, 1, false},
        {"yes, saved", SAVE_ANSWER_YES, TRUE, 1, true},
        {"no", SAVE_ANSWER_NO, FALSE, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedView& v = UseScriptedView();
        v.answer = c.answer;
        v.saveResult = c.saveResult;
        v.OnInitialUpdate();
        Pump([&] { return v.m_net.IsPingRunning(); });
        Click(IDC_CLOSE_BUTTON);
        EXPECT_EQ(v.questions, 1);
        EXPECT_EQ(v.saves, c.saves);
        EXPECT_EQ(v.closes, c.closed ? 1 : 0);
        EXPECT_EQ(v.m_nShutdownStops, c.closed ? 1 : 0);
        EXPECT_EQ(v.m_net.IsPingRunning(), !c.closed);
        // The window's end runs the stops only when the close button has not.
        v.DestroyWindow();
        EXPECT_EQ(v.m_nShutdownStops, 1);
    }
}

TEST_F(ViewFormTest, ClosingWhileOnlineStopsTheWorkerBeforeTheDeviceIsLetGo) {
    ScriptedView& v = UseScriptedView();
    v.answer = SAVE_ANSWER_NO;
    m_backend->SetPresent(true);
    v.OnInitialUpdate();
    ASSERT_TRUE(WaitOnline());
    ASSERT_NE(v.m_usb.GetDevice(), nullptr);
    v.OnCloseButton();
    EXPECT_EQ(v.closes, 1);
    EXPECT_FALSE(v.m_worker.Exists());
    EXPECT_EQ(v.m_usb.GetDevice(), nullptr);
    v.DestroyWindow();
    EXPECT_EQ(v.m_nShutdownStops, 1);
}

TEST_F(ViewFormTest, TransferAndFirmwareEnds) {
    StartUp();
    CTRV410View& v = *m_view;
    v.m_bLinkOpen = 1;
    g_pcSourceSet.inputType = 3;
    g_bTransferBusy = 1;
    v.SendMessage(WM_TRANSFER_DONE, 0, 1);
    EXPECT_EQ(g_bTransferBusy.load(), 0);
    EXPECT_EQ(QueuedSystemWrites(CMD_SOURCE_SET), 1);
    EXPECT_EQ(m_sent.back()[LinkFrame::OFS_PAYLOAD], 3);
    ClearSent();
    v.m_bLinkOpen = 0;

    for (LPARAM step : {0, 1, 56, 58, 0x39}) {
        SCOPED_TRACE(step);
        g_bFirmwareMode = 1;
        v.m_nMessageCount = 0;
        v.SendMessage(WM_FIRMWARE_DONE, 0, step);
        const bool end = step == 0x39;
        EXPECT_EQ(g_bFirmwareMode.load(), end ? 0 : 1);
        EXPECT_EQ(v.m_nMessageCount, end ? 1 : 0);
    }
    EXPECT_STREQ(v.m_strLastMessage, "Update successfully");
    EXPECT_EQ(v.m_nLastMessageCode, 2000);
    g_bFirmwareMode = 0;
}

TEST_F(ViewFormTest, TheInputTypeDropListShowsEveryItemWithRoomInBothLanguages) {
    StartUp();
    CTRV410View& v = *m_view;
    for (BOOL chinese : {FALSE, TRUE}) {
        SCOPED_TRACE(chinese);
        if (chinese)
            v.ToggleLanguage(TRUE);
        QWidget* button = v.m_btnInputType.Widget();
        r9test::Click(button, button->rect().center());
        r9test::Pump();
        CDropWnd* drop = v.m_btnInputType.GetDropWnd();
        CDropListBox* list = v.m_btnInputType.GetListBox();
        ASSERT_NE(drop, nullptr);
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(drop->IsWindowVisible());
        // Every item shows without scrolling, in the view's font, each row a good deal taller than
        // the text and each text inside the list's width.
        ASSERT_EQ(list->GetCount(), INPUT_TYPE_ITEMS);
        const int row = list->GetItemHeight(0);
        CRect client;
        list->GetClientRect(&client);
        EXPECT_GE(client.Height(), INPUT_TYPE_ITEMS * row);
        CDC* dc = list->GetDC();
        ASSERT_NE(dc, nullptr);
        CFont* old = dc->SelectObject(&v.m_font16);
        for (int i = 0; i < INPUT_TYPE_ITEMS; ++i) {
            CString text;
            list->GetText(i, text);
            const CSize extent = dc->GetTextExtent(text);
            EXPECT_GE(row, extent.cy + 6) << text.GetString();
            EXPECT_LE(extent.cx + 8, client.Width()) << text.GetString();
        }
        dc->SelectObject(old);
        list->ReleaseDC(dc);
        r9test::RenderToPng(drop->Widget(), chinese ? "input_type_drop_list_zh" : "input_type_drop_list_en");
        v.m_btnInputType.HideDropList();
    }
    v.ToggleLanguage(TRUE);
}

TEST_F(ViewFormTest, InputTypeListMapsItemsAndCodes) {
    const int itemOfCode[] = {3, 0, 2, 1, -1, 4};
    for (int code = 0; code < 6; ++code) {
        EXPECT_EQ(InputTypeToItem(code), itemOfCode[code]) << code;
        if (itemOfCode[code] >= 0) {
            EXPECT_EQ(ItemToInputType(itemOfCode[code]), code) << code;
        }
    }
    for (int odd : {-1, 6, 7, 255})
        EXPECT_EQ(InputTypeToItem(odd), -1) << odd;
    EXPECT_EQ(ItemToInputType(5), 5);

    StartUp();
    CTRV410View& v = *m_view;
    // Both languages' texts, the shown item following the type.
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        v.FillInputTypeList();
        CString text;
        v.m_btnInputType.GetWindowText(text);
        EXPECT_STREQ(text, chinese ? "高电平" : "Hi_Level");
    }
    g_bChinese = 0;
}

TEST_F(ViewFormTest, ChoosingAnInputTypeSendsItOnceAfterTheBusyWindowStarted) {
    StartUp();
    CTRV410View& v = *m_view;
    v.m_bLinkOpen = 1;
    g_pcSourceSet.inputType = 1;
    v.SetInputType(1, FALSE);

    // The item already shown sends nothing.
    v.SendMessage(WM_COMBO_SELECT, IDC_INPUT_TYPE_DROP, 0);
    EXPECT_EQ(QueuedSystemWrites(CMD_SOURCE_SET), 0);
    EXPECT_EQ(g_bInputTypeBusy.load(), 0);

    // "Optical": code 0, stored, sent once; the busy window was running before the send.
    m_spy.sourceLevels = 0;
    v.SendMessage(WM_COMBO_SELECT, IDC_INPUT_TYPE_DROP, 3);
    EXPECT_EQ(g_pcSourceSet.inputType, 0);
    EXPECT_EQ(QueuedSystemWrites(CMD_SOURCE_SET), 1);
    EXPECT_EQ(m_spy.busyAtSourceLevel, 1);
    EXPECT_EQ(m_spy.queuedAtSourceLevel, 1); // the source-set write
    EXPECT_EQ(v.m_btnInputType.GetCurSel(), 3);
    v.KillTimer(TIMER_INPUT_TYPE_BUSY);
    g_bInputTypeBusy = 0;
    ClearSent();

    // Other lists' ids are ignored.
    v.SendMessage(WM_COMBO_SELECT, 9999, 1);
    EXPECT_EQ(v.m_command.GetQueueCount(), 0);
    v.m_bLinkOpen = 0;
}

TEST_F(ViewFormTest, InputTypesWithoutAnItemKeepTheSelection) {
    StartUp();
    CTRV410View& v = *m_view;
    v.SetInputType(2, FALSE);
    ASSERT_EQ(v.m_btnInputType.GetCurSel(), 2);
    struct Case {
        int type;
        int levels; // source-level shows asked of the output page
    } cases[] = {{4, 1}, {5, 1}, {6, 0}, {200, 0}, {-3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        v.SetInputType(2, FALSE);
        m_spy.sourceLevels = 0;
        v.SetInputType(c.type, FALSE);
        EXPECT_EQ(v.m_btnInputType.GetCurSel(), c.type == 5 ? 4 : 2);
        EXPECT_EQ(m_spy.sourceLevels, c.levels);
    }
    // A device byte without a level is stored as it came, and shown nowhere.
    v.m_bLinkOpen = 1;
    v.SetInputType(9, TRUE);
    EXPECT_EQ(g_pcSourceSet.inputType, 9);
    EXPECT_EQ(QueuedSystemWrites(CMD_SOURCE_SET), 1);
    ClearSent();
    v.m_bLinkOpen = 0;
    g_pcSourceSet.inputType = 1;
}

TEST_F(ViewFormTest, HiddenInputTypeButtonsSendOnlyAChange) {
    StartUp();
    CTRV410View& v = *m_view;
    v.m_bLinkOpen = 1;
    struct Case {
        int id;
        int code;
    } cases[] = {{IDC_HI_LEVEL_BUTTON, 1}, {IDC_AUX_BUTTON, 3}, {IDC_PHONE_BUTTON, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        g_pcSourceSet.inputType = static_cast<BYTE>(c.code);
        Click(c.id);
        EXPECT_EQ(v.m_command.GetQueueCount(), 0);
        g_pcSourceSet.inputType = 5;
        Click(c.id);
        EXPECT_EQ(g_pcSourceSet.inputType, c.code);
        EXPECT_EQ(QueuedSystemWrites(CMD_SOURCE_SET), 1);
        ClearSent();
    }
    v.m_bLinkOpen = 0;
}

TEST_F(ViewFormTest, PhoneListShowsAndStoresTheSetting) {
    StartUp();
    CTRV410View& v = *m_view;
    struct Shown {
        BYTE phone;
        int chinese;
        int item;
        const char* text;
    } shown[] = {
        {2, 0, 0, "Phone"}, {255, 0, 1, "OFF"}, {0, 0, 1, "OFF"},
        {5, 0, 1, "OFF"},   {2, 1, 0, "蓝牙"},  {7, 1, 1, "关闭"},
    };
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.phone);
        g_bChinese = s.chinese;
        g_bootSource.phoneMode = s.phone;
        v.FillPhoneList();
        EXPECT_EQ(v.m_btnPhone.GetCurSel(), s.item);
        CString text;
        v.m_btnPhone.GetWindowText(text);
        EXPECT_STREQ(text, s.text);
    }
    g_bChinese = 0;

    // "OFF" over an odd value stores 255 and sends it; choosing it again sends nothing.
    v.m_bLinkOpen = 1;
    g_bootSource.phoneMode = 5;
    v.SendMessage(WM_COMBO_SELECT, IDC_PHONE_DROP, 1);
    EXPECT_EQ(g_bootSource.phoneMode, PHONE_OFF);
    EXPECT_EQ(QueuedSystemWrites(CMD_BOOT_SOURCE), 1);
    v.SendMessage(WM_COMBO_SELECT, IDC_PHONE_DROP, 1);
    EXPECT_EQ(QueuedSystemWrites(CMD_BOOT_SOURCE), 1);
    v.SendMessage(WM_COMBO_SELECT, IDC_PHONE_DROP, 0);
    EXPECT_EQ(g_bootSource.phoneMode, PHONE_ON);
    EXPECT_EQ(QueuedSystemWrites(CMD_BOOT_SOURCE), 2);
    ClearSent();
    v.m_bLinkOpen = 0;
}

TEST_F(ViewFormTest, SourceConflictTruthTable) {
    StartUp();
    CTRV410View& v = *m_view;
    auto rule = [](int p, int t) {
        const auto in = [](int x, std::initializer_list<int> s) {
            return std::find(s.begin(), s.end(), x) != s.end();
        };
        return (in(p, {2, 5, 0}) && in(t, {2, 0, 5})) || (p == 1 && t == 3) || (p == 3 && t == 1) || p == t;
    };
    for (int p : {0, 1, 2, 3, 4, 5, 255}) {
        for (int t = 0; t < 6; ++t) {
            SCOPED_TRACE(testing::Message() << "phone " << p << " type " << t);
            g_bootSource.phoneMode = static_cast<BYTE>(p);
            g_pcSourceSet.inputType = static_cast<BYTE>(t);
            v.SetInputType(t, FALSE);
            EXPECT_EQ(g_bSourceTypeMatch.load(), rule(p, t) ? 1 : 0);
        }
    }
    // With the phone on, the list's conflict colour follows the chosen type.
    v.m_bLinkOpen = 1;
    g_bootSource.phoneMode = PHONE_ON;
    g_pcSourceSet.inputType = 1;
    v.SetInputType(1, FALSE);
    const COLORREF plain = v.m_btnPhone.StateTextColor(FALSE);
    v.SendMessage(WM_COMBO_SELECT, IDC_INPUT_TYPE_DROP, 2); // "Phone"
    EXPECT_EQ(g_bSourceTypeMatch.load(), 1);
    EXPECT_NE(v.m_btnPhone.StateTextColor(FALSE), plain);
    v.SendMessage(WM_COMBO_SELECT, IDC_PHONE_DROP, 1); // "OFF"
    EXPECT_EQ(g_bSourceTypeMatch.load(), 0);
    EXPECT_EQ(v.m_btnPhone.StateTextColor(FALSE), plain);
    ClearSent();
    v.KillTimer(TIMER_INPUT_TYPE_BUSY);
    g_bInputTypeBusy = 0;
    v.m_bLinkOpen = 0;
}

TEST_F(ViewFormTest, ConnectPopupOffersTheLinksUnderTheButtonAndWifiConnects) {
    StartUp();
    CTRV410View& v = *m_view;
    m_backend->SetPresent(true);
    v.m_net.m_bReachable = 1;
    m_reachable = true;
    std::vector<std::pair<UINT, CString>> offered;
    m_popupChoice = [&](CMenu& menu) {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            offered.emplace_back(menu.GetMenuItemID(i), text);
        }
        return ID_CONNECT_NET;
    };
    Click(IDC_CONNECT_BUTTON);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].first, ID_CONNECT_USB);
    EXPECT_STREQ(offered[0].second, "USB");
    EXPECT_EQ(offered[1].first, ID_CONNECT_NET);
    EXPECT_STREQ(offered[1].second, "WIFI");
    CRect button;
    v.m_btnConnect.GetWindowRect(&button);
    EXPECT_EQ(m_popupAt, CPoint(button.left, button.bottom + 2));

    // The chosen WIFI item comes back as its command and connects over TCP.
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);
    EXPECT_EQ(m_dev.GetConnectionCount(), 1);
    CString text;
    v.m_linkIndicator.GetWindowText(text);
    EXPECT_STREQ(text, g_strConnected);
    EXPECT_FALSE(v.m_linkIndicator.IsBlinking());
}

TEST_F(ViewFormTest, RendersOfflineAndOnlineInBothLanguages) {
    StartUp();
    CTRV410View& v = *m_view;
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        v.ToggleLanguage(FALSE);
        v.ShowLinkState(FALSE);
        const QImage img =
            r9test::RenderToPng(v.Widget(), chinese ? "shell-view-offline-zh" : "shell-view-offline-en");
        EXPECT_EQ(img.width(), 1280);
        EXPECT_EQ(img.height(), 720);
    }
    g_bChinese = 0;
    m_reachable = true;
    v.m_net.m_bReachable = 1;
    v.OnConnectButton();
    ASSERT_TRUE(WaitOnline());
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        v.ToggleLanguage(FALSE);
        v.ShowLinkState(TRUE);
        r9test::RenderToPng(v.Widget(), chinese ? "shell-view-online-zh" : "shell-view-online-en");
    }
    g_bChinese = 0;
}

TEST_F(ViewFormTest, TransfersDriveTheProgressDialogAndTheWifiResetShowsItsFactoryMode) {
    StartUp();
    CTRV410View& v = *m_view;
    ASSERT_NE(g_pDisplayDlg, nullptr);
    EXPECT_EQ(g_pDisplayBar, &g_pDisplayDlg->GetBar());
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());

    v.ShowProgress(1);
    EXPECT_TRUE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_EQ(g_pDisplayDlg->GetTarget(), 1);
    EXPECT_FALSE(g_pDisplayDlg->IsFactoryMode());
    v.HideProgress();
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());

    // Without a link the reset sends nothing and shows nothing.
    v.SendCommand(CMD_WIFI_RESET, 0);
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_EQ(v.m_command.GetQueueCount(), 0);

    v.m_bLinkOpen = 1;
    v.SendCommand(CMD_WIFI_RESET, 0);
    EXPECT_EQ(QueuedSystemWrites(CMD_WIFI_RESET), 1);
    EXPECT_EQ(g_bTransferBusy.load(), 1);
    EXPECT_TRUE(g_pDisplayDlg->IsFactoryMode());
    EXPECT_TRUE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_EQ(g_pDisplayDlg->GetTarget(), 1);
    v.HideProgress();
    g_bTransferBusy = 0;
    v.m_bLinkOpen = 0;
}

TEST_F(ViewFormTest, ChannelLinksCopyEachUsedPairInTheChosenDirection) {
    StartUp();
    CTRV410View& v = *m_view;
    for (LRPair& p : g_lrPairs)
        p = {-1, -1, 0};
    EXPECT_FALSE(v.ApplyChannelLinks(0));
    g_lrPairs[0] = {0, 1, 1};
    g_lrPairs[2] = {6, 7, 1};
    g_lrPairs[3] = {2, 3, 0};
    struct Case {
        int direction;
        int group[NUM_OUTPUTS];
    } cases[] = {
        {0, {0, 0, 2, 3, 4, 5, 6, 6}},
        {1, {1, 1, 2, 3, 4, 5, 7, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        v.ClearOutputLinks();
        {
            std::lock_guard lock(g_linkLock);
            m_doc->GetOut(c.direction == 0 ? 0 : 1)->GetHPF()->SetFreq(250 + c.direction, FALSE);
        }
        EXPECT_TRUE(v.ApplyChannelLinks(c.direction));
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            EXPECT_EQ(g_nOutLinkGroup[i], c.group[i]) << i;
        EXPECT_EQ(m_doc->GetOut(c.direction == 0 ? 1 : 0)->GetHPF()->GetFreq(), 250 + c.direction);
    }
    v.ClearOutputLinks();
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(g_nOutLinkGroup[i], i);
}

TEST_F(ViewFormTest, MinimiseButtonMinimisesTheTopLevelWindow) {
    StartUp();
    CTRV410View& v = *m_view;
    EXPECT_EQ(v.MainWindow(), &v);
    Click(IDC_MINIMIZE_BUTTON);
    EXPECT_TRUE(Pump([&] { return v.Widget()->isMinimized(); }, 2000));
}

TEST_F(ViewFormTest, AsTheFramesChildTheViewDragsAndTitlesTheFrame) {
    r9test::LogWnd frame;
    ASSERT_TRUE(frame.CreateTop(1280, 720));
    m_spy.command = nullptr;
    m_view = std::make_unique<CTRV410View>();
    m_spy.command = &m_view->m_command;
    ASSERT_TRUE(m_view->CreateView(&frame));
    CTRV410View& v = *m_view;
    EXPECT_TRUE(v.GetStyle() & WS_CHILD);
    EXPECT_EQ(v.MainWindow(), &frame);
    v.OnInitialUpdate();
    v.ShowWindow(SW_SHOW);
    CString title;
    frame.GetWindowText(title);
    EXPECT_STREQ(title, g_strProduct);

    CRect before;
    frame.GetWindowRect(&before);
    r9test::Press(v.Widget(), QPoint(420, 12));
    r9test::Move(v.Widget(), QPoint(400, 52), Qt::LeftButton);
    r9test::Release(v.Widget(), QPoint(400, 52));
    CRect after;
    frame.GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), CPoint(before.left - 20, before.top + 40));
    EXPECT_EQ(after.Size(), before.Size());
    m_view.reset();
    frame.DestroyWindow();
}

TEST_F(ViewFormTest, ADeviceInputTypeWithoutALevelIsKeptButShowsNoLevel) {
    StartUp();
    CTRV410View& v = *m_view;
    v.m_bLinkOpen = 1;
    g_pcSourceSet.inputType = 3;
    v.SetInputType(3, FALSE);
    for (int i = 0; i < 15; ++i)
        g_devStateBytes[i] = i >= 2 && i <= 7 ? g_pcSourceSet.sourceLevel[i - 2] : 0;
    g_devStateBytes[14] = g_systemData.masterOn;
    g_devStateBytes[0] = 9;
    m_spy.sourceLevels = 0;
    v.OnDeviceState(0, 30);
    EXPECT_EQ(g_pcSourceSet.inputType, 9);
    EXPECT_EQ(v.m_btnInputType.GetCurSel(), InputTypeToItem(3));
    EXPECT_EQ(m_spy.sourceLevels, 0);
    EXPECT_EQ(g_bSourceTypeMatch.load(), ComputeSourceTypeMatch(g_bootSource.phoneMode, 9));
    // New levels under that type are stored, and still no level is shown.
    g_devStateBytes[3] = g_pcSourceSet.sourceLevel[1] + 1;
    v.OnDeviceState(0, 30);
    EXPECT_EQ(g_pcSourceSet.sourceLevel[1], g_devStateBytes[3].load());
    EXPECT_EQ(m_spy.sourceLevels, 0);

    g_devStateBytes[0] = 5;
    v.OnDeviceState(0, 30);
    EXPECT_EQ(g_pcSourceSet.inputType, 5);
    EXPECT_EQ(v.m_btnInputType.GetCurSel(), InputTypeToItem(5));
    EXPECT_GE(m_spy.sourceLevels, 1);
    v.m_bLinkOpen = 0;
    g_pcSourceSet.inputType = 1;
}
