// The application object: the registration switches, the locale, the WIFI address choice, the
// start-up into the frame and the view with every program-wide object and the real services, the
// frame's geometry, and the view's preset-name services.
#include "controls/AppObjects.h"
#include "controls/GradientProgressCtrl.h"
#include "link/InputPageServices.h"
#include "link/LinkViewServices.h"
#include "link/LinkMessages.h"
#include "link/OutputPageServices.h"
#include "pages/output/OutputDlg.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/LinkDocument.h"
#include "model/PresetServices.h"
#include "model/ViewServices.h"
#include "platform/core/Messages.h"
#include "platform/core/Registry.h"
#include "platform/ui/TopLevel.h"
#include "shell/AboutDlg.h"
#include "shell/CaptionView.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageBoxDlg.h"
#include "shell/SplashWnd.h"
#include "shell/TRV410App.h"
#include "shell/TRV410Doc.h"
#include "shell/TRV410View.h"
#include "shell/ViewPresetServices.h"
#include "support/PumpMessages.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/UiEvents.h"

#include <QGuiApplication>
#include <QIcon>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <thread>
#include <string>
#include <vector>

namespace {

void WriteDspMcu(const char* name, const char* value) {
    const std::string key = std::string(g_strRegKey) + "\\" + g_strRegDspMcu;
    HKEY h = nullptr;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_SUCCESS);
    RegSetValueEx(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                  static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(h);
}

void DeleteDspMcu() {
    const std::string key = std::string(g_strRegKey) + "\\" + g_strRegDspMcu;
    RegDeleteKey(HKEY_CURRENT_USER, key.c_str());
}

} // namespace

TEST(TRV410AppRules, RegistrationSwitchesAreWholeArguments) {
    struct Case {
        std::vector<std::string> args;
        BOOL exits;
    };
    const Case cases[] = {
        {{"-RegServer"}, TRUE},
        {{"/regserver"}, TRUE},
        {{"-UNREGSERVER"}, TRUE},
        {{"/UnregServer"}, TRUE},
        {{"preset.r9", "-unregserver"}, TRUE},
        {{}, FALSE},
        {{"/tmp/RegServer"}, FALSE},         // a path ending in the word
        {{"-RegServer.log"}, FALSE},         // the word followed by more
        {{"-RegServer now"}, FALSE},         // trailing text in the same argument
        {{"RegServer"}, FALSE},              // no '-' or '/'
        {{"--RegServer"}, FALSE},            // the rest is "-RegServer"
        {{"/home/u/UnregServer"}, FALSE},    // another path
        {{"preset.r9"}, FALSE},              // a file is ignored
        {{"--net", "127.0.0.1:8899"}, FALSE} // the emulator override
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args)
            joined += "[" + a + "]";
        EXPECT_EQ(CTRV410App::IsRegSwitch(c.args), c.exits) << joined;
    }
}

TEST(TRV410AppRules, OnlyAWholeEmbeddingOrAutomationSwitchClearsTheSplashFlag) {
    const struct {
        std::vector<std::string> args;
        BOOL splash;
    } cases[] = {
        {{}, TRUE},
        {{"--net", "127.0.0.1:8899"}, TRUE},
        {{"/tmp/Embedding"}, TRUE},
        {{"-Embedding.x"}, TRUE},
        {{"Automation"}, TRUE},
        {{"-Embedding"}, FALSE},
        {{"/automation"}, FALSE},
        {{"preset.r9", "/EMBEDDING"}, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTRV410App::SplashFlagOf(c.args), c.splash) << (c.args.empty() ? "" : c.args.back());
}

TEST(TRV410AppRules, OnlyChineseChinaIsTheChineseLocale) {
    const std::pair<const char*, DWORD> cases[] = {
        {"zh_CN", LCID_CHINESE_PRC},
        {"zh_CN.UTF-8", LCID_CHINESE_PRC},
        {"zh_CN.GB18030", LCID_CHINESE_PRC},
        {"zh_TW", LCID_ENGLISH_US},
        {"zh_HK.UTF-8", LCID_ENGLISH_US},
        {"en_US.UTF-8", LCID_ENGLISH_US},
        {"de_DE", LCID_ENGLISH_US},
        {"C", LCID_ENGLISH_US},
        {"", LCID_ENGLISH_US},
    };
    for (const auto& [name, lcid] : cases)
        EXPECT_EQ(CTRV410App::LocaleIdFromName(name), lcid) << name;
}

TEST(TRV410AppRules, NetAddressComesFromSettingsThenEnvironmentThenCommandLine) {
    struct Parse {
        const char* text;
        BOOL ok;
        const char* host;
        int port;
    };
    const Parse parses[] = {
        {"127.0.0.1:8899", TRUE, "127.0.0.1", 8899},
        {"localhost:1", TRUE, "localhost", 1},
        {"10.0.0.9:65535", TRUE, "10.0.0.9", 65535},
        {"10.0.0.9:65536", FALSE, "", 0},
        {"10.0.0.9:0", FALSE, "", 0},
        {"10.0.0.9:", FALSE, "", 0},
        {":8899", FALSE, "", 0},
        {"10.0.0.9", FALSE, "", 0},
        {"10.0.0.9:88a9", FALSE, "", 0},
        {"10.0.0.9:-1", FALSE, "", 0},
    };
    for (const Parse& p : parses) {
        CString host("untouched");
        int port = -7;
        EXPECT_EQ(CTRV410App::ParseNetAddress(p.text, &host, &port), p.ok) << p.text;
        EXPECT_STREQ(host, p.ok ? p.host : "untouched") << p.text;
        EXPECT_EQ(port, p.ok ? p.port : -7) << p.text;
    }

    auto choose = [](const std::vector<std::string>& args, const std::string& env) {
        CString host(g_strDefaultDevIP);
        int port = NET_DEFAULT_PORT;
        CTRV410App::ChooseNetAddress(args, env, &host, &port);
        return std::string(host.GetString()) + ":" + std::to_string(port);
    };
    DeleteDspMcu();
    EXPECT_EQ(choose({}, ""), "10.10.100.254:8899") << "the link's built default";
    WriteDspMcu("NetAddress", "192.168.4.1");
    WriteDspMcu("NetPort", "9000");
    EXPECT_EQ(choose({}, ""), "192.168.4.1:9000");
    EXPECT_EQ(choose({}, "127.0.0.1:5000"), "127.0.0.1:5000");
    EXPECT_EQ(choose({"--net", "127.0.0.2:6000"}, "127.0.0.1:5000"), "127.0.0.2:6000");
    EXPECT_EQ(choose({"--net", "junk"}, "bad"), "192.168.4.1:9000") << "malformed overrides are ignored";
    EXPECT_EQ(choose({"--net"}, ""), "192.168.4.1:9000");
    WriteDspMcu("NetPort", "99999");
    WriteDspMcu("NetAddress", "");
    EXPECT_EQ(choose({}, ""), "10.10.100.254:8899") << "bad stored values keep the default";
    DeleteDspMcu();
}

class TRV410AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        m_app = std::make_unique<CTRV410App>();
        m_app->SetQuitHandler([this](int code) {
            ++m_quits;
            m_quitCode = code;
        });
    }
    void TearDown() override {
        m_app.reset();
        r9test::PumpUntil([] { return false; }, 20);
        r9test::ResetLinkGlobals();
    }
    QWidget* Frame() { return m_app->GetMainWnd()->Widget(); }

    std::unique_ptr<CTRV410App> m_app;
    int m_quits = 0;
    int m_quitCode = -1;
};

TEST_F(TRV410AppTest, RegistrationSwitchEndsStartUpBeforeAnyWindow) {
    m_app->SetCommandLine({"-regserver"});
    EXPECT_FALSE(m_app->InitInstance());
    EXPECT_EQ(m_app->GetMainWnd(), nullptr);
    EXPECT_EQ(m_app->GetView(), nullptr);
    EXPECT_FALSE(m_app->IsComStarted());
}

TEST_F(TRV410AppTest, StartUpMakesTheProgramObjectsTheWindowsAndTheRealServices) {
    COutputPageServices& noOutputPage = OutputPageServices();
    CInputPageServices& noInputPages = InputPageServices();
    CLinkDocument& noDocument = LinkDocument();
    CLinkViewServices& noDisplays = LinkViewServices();
    // The image differs from the defaults until InitData has run.
    g_curImage.system.name[0] = 'X';
    // No language stored yet: the locale decides, and the view stores its choice.
    DeleteDspMcu();
    g_strLanguage = "";
    m_app->SetLocaleId(LCID_CHINESE_PRC);
    m_app->SetNetEnvironment("127.0.0.1:4321");
    CSplashWnd::EnableSplashScreen(FALSE);
    ASSERT_TRUE(m_app->InitInstance());

    EXPECT_NE(g_curImage.system.name[0], 'X') << "InitData ran";
    EXPECT_TRUE(CSplashWnd::IsSplashEnabled()) << "start-up permits the splash";
    EXPECT_EQ(CSplashWnd::Current(), nullptr) << "and shows none";
    EXPECT_EQ(g_bChinese.load(), 1);
    EXPECT_STREQ(g_strLanguage, "Chinese");
    EXPECT_STREQ(g_strDevIP, "127.0.0.1");
    EXPECT_EQ(g_nNetPort, 4321);

    // The seven fonts in table order, the brush and the speaker menu.
    const std::pair<CFont*, const FontSpec*> fonts[] = {
        {&g_fontArial16, &g_fontSpecArial16},           {&g_fontArial108, &g_fontSpecArial108},
        {&g_fontArial14, &g_fontSpecArial14},           {&g_fontArial12, &g_fontSpecArial12},
        {&g_fontSimSun12, &g_fontSpecSimSun12},         {&g_fontArial14b, &g_fontSpecArial14b},
        {&g_fontArial16Heavy, &g_fontSpecArial16Heavy},
    };
    for (const auto& [font, spec] : fonts) {
        LOGFONT lf{};
        ASSERT_NE(font->GetSafeHandle(), nullptr) << spec->face << spec->height;
        ASSERT_GT(font->GetLogFont(&lf), 0);
        EXPECT_EQ(lf.lfHeight, spec->height);
        EXPECT_EQ(lf.lfWeight, spec->weight);
        EXPECT_EQ(lf.lfWidth, 0);
        EXPECT_EQ(lf.lfCharSet, 0);
        EXPECT_EQ(lf.lfPitchAndFamily, FONT_PITCH_AND_FAMILY);
        EXPECT_STREQ(lf.lfFaceName, spec->face);
    }
    LOGBRUSH lb{};
    ASSERT_GT(g_brushDlg.GetLogBrush(&lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(0xE3, 0xE4, 0xEE));
    CMenu* positions = g_menuSpkPos.GetSubMenu(0);
    ASSERT_NE(positions, nullptr);
    ASSERT_EQ(positions->GetMenuItemCount(), 26) << "codes 0..26 without 24";
    CString text;
    EXPECT_EQ(positions->GetMenuItemID(0), 4100u);
    positions->GetMenuString(4101, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "前置左高频");
    EXPECT_EQ(positions->GetMenuItemID(23), 4123u);
    EXPECT_EQ(positions->GetMenuItemID(24), 32772u);
    positions->GetMenuString(32773, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "前右超低频");

    // Frame and view.
    ASSERT_NE(m_app->GetMainWnd(), nullptr);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(Frame()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(Frame()->windowIcon().isNull()) << "icon 273";
    EXPECT_EQ(std::signal(SIGPIPE, SIG_IGN), SIG_IGN) << "a closed peer never ends the program";
    EXPECT_EQ(Frame()->size(), QSize(1282, 722));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(Frame()->pos(), QPoint(area.center().x() - 1282 / 2, area.center().y() - 722 / 2)) << "centred";
    EXPECT_EQ(Frame()->mask(), QRegion(2, 2, 1278, 718));
    CTRV410View* view = m_app->GetView();
    ASSERT_NE(view, nullptr);
    // The window tree: main frame, child frame, view; the child frame 2 pixels larger than the
    // main frame each way, the view filling it.
    CChildFrame* child = m_app->GetChildFrame();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetParent(), m_app->GetMainWnd());
    EXPECT_EQ(view->GetParent(), child);
    EXPECT_TRUE(child->Widget()->isVisible());
    EXPECT_EQ(child->Widget()->geometry(), QRect(0, 0, 1284, 724));
    EXPECT_EQ(child->GetStyle() & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU), 0u);
    EXPECT_EQ(view->Widget()->geometry(), QRect(0, 0, 1284, 724));
    EXPECT_EQ(view->MainWindow(), m_app->GetMainWnd()) << "the view drags and closes the main frame";
    EXPECT_EQ(g_pMainView, view);
    // The view's first link step is still queued: it runs once the loop runs, the frame shown.
    EXPECT_EQ(r9::msg::RemovePending(view->GetSafeHwnd(), WM_START_LINK), 1);

    // Every service the model and the link call; the pages' services are the view's.
    EXPECT_EQ(&LinkDocument(), static_cast<CLinkDocument*>(&m_app->GetDocument()->GetData()));
    EXPECT_EQ(&ViewServices(), static_cast<CViewServices*>(m_app->GetServices()));
    EXPECT_EQ(&PresetServices(), static_cast<CPresetServices*>(m_app->GetServices()));
    EXPECT_EQ(&LinkViewServices(), static_cast<CLinkViewServices*>(m_app->GetServices()));
    ASSERT_NE(g_pDisplayBar, nullptr);
    g_pDisplayBar->SetRange(0, 40);
    LinkViewServices().SetTransferPos(17);
    EXPECT_EQ(g_pDisplayBar->GetRemote().GetPos(), 17) << "the progress dialog's bar follows the link";
    EXPECT_NE(dynamic_cast<COutputDlg*>(&OutputPageServices()), nullptr) << "the output page serves the link";
    EXPECT_EQ(&InputPageServices(), static_cast<CInputPageServices*>(&view->m_inputPageServices))
        << "the view's page services serve the link";
    r9test::RenderToPng(Frame(), "app_main_frame_offline");

    EXPECT_EQ(m_app->ExitInstance(), 0);
    EXPECT_EQ(&LinkDocument(), &noDocument);
    EXPECT_NE(&ViewServices(), static_cast<CViewServices*>(m_app->GetServices()));
    EXPECT_EQ(&LinkViewServices(), &noDisplays);
    EXPECT_EQ(&OutputPageServices(), &noOutputPage) << "the page's services leave with the page";
    EXPECT_EQ(&InputPageServices(), &noInputPages) << "the view's page services leave with the view";
    EXPECT_EQ(g_fontArial16.GetSafeHandle(), nullptr);
    EXPECT_EQ(m_quits, 0) << "leaving by ExitInstance does not ask the loop to quit";
}

TEST_F(TRV410AppTest, EnglishLocaleGivesEnglish) {
    DeleteDspMcu();
    g_strLanguage = "";
    g_bChinese = 1;
    m_app->SetLocaleId(LCID_ENGLISH_US);
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_EQ(g_bChinese.load(), 0);
}

TEST_F(TRV410AppTest, FrameKeepsItsMaskAndGoesBackHomeOnADisplayChange) {
    ASSERT_TRUE(m_app->InitInstance());
    CMainFrame* frame = m_app->GetMainWnd();
    frame->MoveWindow(100, 50, 700, 500);
    EXPECT_EQ(Frame()->mask(), QRegion(2, 2, 696, 496)) << "the mask follows every resize";

    // A screen changing its geometry reaches the frame as WM_DISPLAYCHANGE.
    QScreen* screen = QGuiApplication::primaryScreen();
    Q_EMIT screen->geometryChanged(screen->geometry());
    ASSERT_TRUE(r9test::PumpUntil([&] { return Frame()->pos() == QPoint(0, 0); }, 2000));
    EXPECT_EQ(Frame()->size(), QSize(1282, 722));
    EXPECT_EQ(Frame()->mask(), QRegion(2, 2, 1278, 718));
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(frame->SendMessage(WM_DISPLAYCHANGE), 1);
}

TEST_F(TRV410AppTest, TheCaptionViewTakesTheChildsPlaceAndItsModesBringANewMainViewBack) {
    DeleteDspMcu();
    g_strLanguage = "";
    m_app->SetLocaleId(LCID_ENGLISH_US);
    ASSERT_TRUE(m_app->InitInstance());
    CMainFrame* frame = m_app->GetMainWnd();
    const auto expectChildFills = [&](const char* when) {
        CChildFrame* child = m_app->GetChildFrame();
        ASSERT_NE(child, nullptr) << when;
        EXPECT_EQ(child->GetParent(), frame) << when;
        EXPECT_TRUE(child->Widget()->isVisible()) << when;
        EXPECT_EQ(child->Widget()->geometry(), QRect(0, 0, 1284, 724)) << when;
    };

    // The frame command shows the caption view in place of the main view; mode and language stay.
    g_nViewMode = 1;
    frame->SendMessage(WM_COMMAND, ID_SHOW_CAPTION_VIEW);
    r9test::PumpUntil([&] { return m_app->GetCaptionView() != nullptr; }, 2000);
    CCaptionView* caption = m_app->GetCaptionView();
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(m_app->GetView(), nullptr);
    EXPECT_EQ(g_pMainView, nullptr) << "the main view went with its child frame";
    expectChildFills("caption");
    EXPECT_EQ(caption->GetParent(), m_app->GetChildFrame());
    EXPECT_TRUE(caption->Widget()->isVisible());
    EXPECT_EQ(&LinkDocument(), static_cast<CLinkDocument*>(&m_app->GetDocument()->GetData()));
    EXPECT_EQ(g_nViewMode, 1);
    EXPECT_EQ(g_bChinese.load(), 0);
    r9test::RenderToPng(Frame(), "app_caption_view");

    // Its buttons: a new main view in mode 2, then in mode 1, in English with the product's title.
    for (int mode : {2, 1}) {
        SCOPED_TRACE(mode);
        if (!m_app->GetCaptionView()) {
            frame->SendMessage(WM_COMMAND, ID_SHOW_CAPTION_VIEW);
            ASSERT_TRUE(r9test::PumpUntil([&] { return m_app->GetCaptionView() != nullptr; }, 2000));
        }
        CCaptionView* form = m_app->GetCaptionView();
        g_bChinese = 1;
        frame->SetWindowText("x");
        CxSkinButton& button = mode == 2 ? form->m_btnMode2 : form->m_btnMode1;
        r9test::Click(button.Widget(), button.Widget()->rect().center());
        EXPECT_EQ(g_nViewMode, mode);
        EXPECT_EQ(g_bChinese.load(), 0);
        ASSERT_TRUE(r9test::PumpUntil([&] { return m_app->GetView() != nullptr; }, 2000));
        CTRV410View* view = m_app->GetView();
        EXPECT_EQ(m_app->GetCaptionView(), nullptr);
        expectChildFills("main view");
        EXPECT_EQ(view->GetParent(), m_app->GetChildFrame());
        EXPECT_TRUE(view->Widget()->isVisible());
        EXPECT_EQ(g_pMainView, view) << "the new view had its initial update";
        EXPECT_EQ(view->m_command.GetOwner(), view->GetSafeHwnd()) << "and takes the link's messages";
        EXPECT_EQ(&LinkDocument(), static_cast<CLinkDocument*>(&m_app->GetDocument()->GetData()));
        EXPECT_NE(dynamic_cast<COutputDlg*>(&OutputPageServices()), nullptr) << "with its pages";
        EXPECT_EQ(g_bChinese.load(), 0);
        CString title;
        frame->GetWindowText(title);
        EXPECT_STREQ(title, g_strProduct);
    }
    r9test::RenderToPng(Frame(), "app_after_caption_mode");
    g_nViewMode = 1; // its start value
}

TEST_F(TRV410AppTest, TheAboutCommandRunsTheAboutDialog) {
    ASSERT_TRUE(m_app->InitInstance());
    int runs = 0;
    UINT id = 0;
    bool about = false;
    CDialog::SetModalHook([&](CDialog& d) {
        ++runs;
        id = d.GetTemplateId();
        about = dynamic_cast<CAboutDlg*>(&d) != nullptr;
        d.EndDialog(IDOK);
    });
    // No menu sends it; the framework's routing from the frame reaches the application.
    m_app->GetMainWnd()->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    CDialog::SetModalHook(nullptr);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(id, IDD_ABOUTBOX);
    EXPECT_TRUE(about);
}

TEST_F(TRV410AppTest, ClosingTheFrameLeavesTheLoopOnce) {
    ASSERT_TRUE(m_app->InitInstance());
    // The view's close button ends with SC_CLOSE to the main window; any other close is WM_CLOSE.
    m_app->GetMainWnd()->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_quitCode, 0);
    EXPECT_EQ(m_app->GetMainWnd()->GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_app->ExitInstance(), 0);
    EXPECT_EQ(m_quits, 1);
}

TEST_F(TRV410AppTest, EveryMessageBoxGoesThroughTheProgramBox) {
    CString text;
    UINT type = 0;
    int code = 0;
    SetMessageBoxAnswer([&](const CString& t, UINT ty, int c) {
        text = t;
        type = ty;
        code = c;
        return IDNO;
    });
    EXPECT_EQ(m_app->DoMessageBox("File Data Error!", MB_YESNO, static_cast<UINT>(-4)), IDNO);
    SetMessageBoxAnswer(nullptr);
    EXPECT_STREQ(text, "File Data Error!");
    EXPECT_EQ(type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(code, -4);
}

// ---- The view's preset-name services -----------------------------------------------------------

class ViewPresetServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        ASSERT_TRUE(m_view.CreateView());
        m_services.Install();
    }
    void TearDown() override {
        m_services.Uninstall();
        r9test::ResetLinkGlobals();
    }
    static CString LiveName() { return FieldToString(g_curImage.system.name, 16); }

    CTRV410View m_view;
    CViewPresetServices m_services{m_view};
};

TEST_F(ViewPresetServicesTest, NameTextsOfLabelAndField) {
    struct Case {
        const char* name;
        const char* shown;
        const char* field;
    };
    const Case cases[] = {
        {"Rock", "Rock", "Rock"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL", "ABCDEFGHIJKLM"},  // a 13-byte name: 12 shown
        {"摇滚Mix", "摇滚Mix", "Mix"},                          // only plain ASCII goes to the device
        {"流行音乐", "流行音乐", "Custom"},                     // none at all
        {"一二三四五六七八九十一二三四", "一二三四", "Custom"}, // 13 bytes, whole characters
        {"", "", "Custom"},
    };
    for (const Case& c : cases) {
        g_bPresetNameDirty = 0;
        m_services.SetPresetName(c.name);
        EXPECT_STREQ(m_services.m_strShown, c.shown) << c.name;
        EXPECT_STREQ(g_strEmpty, c.shown) << c.name;
        EXPECT_STREQ(LiveName(), c.field) << c.name;
        EXPECT_EQ(g_bPresetNameDirty.load(), 1) << c.name;
    }
    // "Custom" reads as its Chinese word in the Chinese interface, exactly and only it.
    EXPECT_STREQ(CViewPresetServices::DisplayName("Custom", TRUE), "自定义");
    EXPECT_STREQ(CViewPresetServices::DisplayName("Custom", FALSE), "Custom");
    EXPECT_STREQ(CViewPresetServices::DisplayName("custom", TRUE), "custom");
    EXPECT_STREQ(CViewPresetServices::DisplayName("Custom1", TRUE), "Custom1");
}

TEST_F(ViewPresetServicesTest, NameNoticeMarksAtOnceAndTheHandlerShowsTheLiveName) {
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_bChinese = 1;
    m_services.PostPresetNameChanged();
    EXPECT_EQ(g_bPresetNameDirty.load(), 1) << "marked before the UI thread runs";
    EXPECT_TRUE(m_services.m_strShown.IsEmpty());
    g_bPresetNameDirty = 0;
    // The view's handler of the posted notice shows the name; the mark stays as the scheduler left it.
    ASSERT_TRUE(r9test::PumpUntil([&] { return !m_services.m_strShown.IsEmpty(); }, 2000));
    EXPECT_STREQ(m_services.m_strShown, "自定义");
    EXPECT_EQ(g_bPresetNameDirty.load(), 0);
}

TEST_F(ViewPresetServicesTest, TransferPositionsMoveTheProgressBar) {
    CGradientProgressCtrl bar;
    bar.SetRange(0, 20);
    LinkViewServices().SetTransferPos(3); // before a bar is handed over: only kept
    EXPECT_EQ(m_services.m_nTransferPos.load(), 3);
    m_services.SetTransferBar(bar.GetRemote());
    std::thread([] { LinkViewServices().SetTransferPos(12); }).join(); // as the worker does
    EXPECT_EQ(bar.GetRemote().GetPos(), 12);
    EXPECT_EQ(m_services.m_nTransferPos.load(), 12);
}
