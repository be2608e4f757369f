#include "shell/TRV410App.h"

#include "controls/AppObjects.h"
#include "link/LinkMessages.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "platform/core/Registry.h"
#include "platform/core/Time.h"
#include "platform/ui/TopLevel.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"
#include "shell/AboutDlg.h"
#include "shell/CaptionView.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageBoxDlg.h"
#include "shell/SplashWnd.h"
#include "shell/TRV410Doc.h"
#include "shell/TRV410View.h"
#include "shell/ViewPresetServices.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <initializer_list>
#include <cstdlib>
#include <mutex>

namespace {

CTRV410App* g_pApp = nullptr;

// Icon 273: our own mark, a level meter on the skin's dark ground.
const res::SvgSpec kAppIcon[] = {
    {IDR_MAINICON, true, 32, 32,
     "<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32'>"
     "<rect x='1' y='1' width='30' height='30' rx='6' fill='#1b1e24' stroke='#5aa0e6' stroke-width='2'/>"
     "<rect x='7' y='16' width='4' height='10' fill='#5aa0e6'/>"
     "<rect x='14' y='9' width='4' height='17' fill='#5aa0e6'/>"
     "<rect x='21' y='13' width='4' height='13' fill='#e6a03c'/></svg>"},
};

bool ReadSetting(HKEY key, const char* name, std::string* value) {
    char buf[300] = {};
    DWORD size = sizeof buf - 1;
    DWORD type = 0;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    *value = buf;
    return true;
}

// A whole argument "-name" or "/name" of the list, in any letter case.
bool HasSwitch(const std::vector<std::string>& args, std::initializer_list<const char*> names) {
    for (const std::string& a : args) {
        if (a.size() < 2 || (a[0] != '-' && a[0] != '/'))
            continue;
        std::string rest = a.substr(1);
        std::transform(rest.begin(), rest.end(), rest.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (const char* name : names)
            if (rest == name)
                return true;
    }
    return false;
}

} // namespace

CTRV410App* AfxGetApp() {
    return g_pApp;
}

CTRV410App::CTRV410App() {
    g_pApp = this;
}

CTRV410App::~CTRV410App() {
    ExitInstance();
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CTRV410App::IsRegSwitch(const std::vector<std::string>& args) {
    return HasSwitch(args, {"regserver", "unregserver"}) ? TRUE : FALSE;
}

BOOL CTRV410App::SplashFlagOf(const std::vector<std::string>& args) {
    return HasSwitch(args, {"embedding", "automation"}) ? FALSE : TRUE;
}

DWORD CTRV410App::LocaleIdFromName(const std::string& name) {
    // "zh_CN", "zh_CN.UTF-8", "zh_CN@variant"; zh_TW and zh_HK are other locales.
    const std::string base = name.substr(0, name.find_first_of(".@"));
    return base == "zh_CN" || base == "zh-CN" ? LCID_CHINESE_PRC : LCID_ENGLISH_US;
}

BOOL CTRV410App::ParseNetAddress(const std::string& text, CString* host, int* port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size())
        return FALSE;
    const std::string h = text.substr(0, colon);
    const std::string p = text.substr(colon + 1);
    if (p.size() > 5 || p.find_first_not_of("0123456789") != std::string::npos)
        return FALSE;
    if (h.find_first_of(" \t:") != std::string::npos)
        return FALSE;
    const int n = std::atoi(p.c_str());
    if (n < 1 || n > 65535)
        return FALSE;
    *host = h.c_str();
    *port = n;
    return TRUE;
}

void CTRV410App::ChooseNetAddress(const std::vector<std::string>& args, const std::string& env, CString* host,
                                  int* port) {
    const std::string key = std::string(g_strRegKey) + "\\" + g_strRegDspMcu;
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
        std::string value;
        if (ReadSetting(h, "NetAddress", &value) && !value.empty() && value.find(':') == std::string::npos)
            *host = value.c_str();
        if (ReadSetting(h, "NetPort", &value)) {
            CString ignored;
            int p = 0;
            if (ParseNetAddress("x:" + value, &ignored, &p))
                *port = p;
        }
        RegCloseKey(h);
    }
    if (!env.empty())
        ParseNetAddress(env, host, port);
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--net")
            ParseNetAddress(args[i + 1], host, port);
}

void CTRV410App::ApplyNetAddress() {
    std::lock_guard lock(g_linkLock);
    CString host = g_strDevIP;
    int port = g_nNetPort;
    ChooseNetAddress(m_args, m_netEnv, &host, &port);
    g_strDevIP = host;
    g_nNetPort = port;
}

BOOL CTRV410App::InitATL() {
    m_bATLInited = TRUE;
    // No COM on this system: only the registration switches survive, and they end the program.
    if (IsRegSwitch(m_args)) {
        m_bATLInited = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CTRV410App::InitInstance() {
    // 1-3: the command line is m_args; the splash is only permitted (nothing shows one), no
    // control container.
    CSplashWnd::EnableSplashScreen(SplashFlagOf(m_args));
    // 4: sockets need no start-up; a peer that closes must not end the process on a send.
    std::signal(SIGPIPE, SIG_IGN);
    // 5: the registration switches end start-up here.
    if (!InitATL())
        return FALSE;
    // 6-8: the process runs at 96 DPI (main turns the toolkit's scaling off); no profile.
    // 9
    LARGE_INTEGER freq{};
    if (QueryPerformanceFrequency(&freq))
        g_llPerfFreq = freq.QuadPart;
    // 10
    InitData();
    ApplyNetAddress();
    // 11
    if (!CreateProgramFonts())
        return FALSE;
    // 12: the stored "Language" setting is applied later by the view.
    g_bChinese = m_localeId == LCID_CHINESE_PRC ? 1 : 0;
    // 13
    if (!CreateDialogBrushAndMenu())
        return FALSE;
    // 14: the document (made with the child frame at step 18).
    // 15
    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->LoadFrame())
        return FALSE;
    // Dialogs and boxes opened without an owner of their own belong to it and block it.
    AfxSetMainWnd(m_pMainFrame.get());
    m_pMainFrame->m_onDestroyed = [this] {
        if (m_quit)
            m_quit(0);
    };
    // 16-17
    res::RegisterSvg(kAppIcon);
    SetWindowIconResource(m_pMainFrame.get(), IDR_MAINICON);
    // 18
    if (!OpenChild(ChildView::Main))
        return FALSE;
    // 19: posted messages run once the loop runs, after the window is shown.
    m_pMainFrame->ShowWindow(SW_SHOW);
    m_pMainFrame->UpdateWindow();
    return TRUE;
}

BOOL CTRV410App::OpenChild(ChildView view) {
    // The document owns the channel data, which becomes the link's document.
    m_pDoc = std::make_unique<CTRV410Doc>();
    // The child frame, and the view filling it (the frame's borders are removed).
    m_pChildFrame = std::make_unique<CChildFrame>();
    if (!m_pChildFrame->LoadFrame(m_pMainFrame.get()))
        return FALSE;
    if (view == ChildView::Caption) {
        m_pCaption = std::make_unique<CCaptionView>();
        if (!m_pCaption->Create(m_pChildFrame.get()))
            return FALSE;
        m_pCaption->MoveWindow(0, 0, CChildFrame::kWidth, CChildFrame::kHeight, FALSE);
        m_pCaption->ShowWindow(SW_SHOW);
        return TRUE;
    }
    m_pView = std::make_unique<CTRV410View>();
    if (!m_pView->CreateView(m_pChildFrame.get()))
        return FALSE;
    m_pView->MoveWindow(0, 0, CChildFrame::kWidth, CChildFrame::kHeight, FALSE);
    m_pServices = std::make_unique<CViewPresetServices>(*m_pView);
    m_pServices->Install();
    // It posts WM_START_LINK, which runs once the loop runs.
    m_pView->OnInitialUpdate();
    // The progress dialog exists now: the link's transfer position moves its bar.
    if (g_pDisplayBar)
        m_pServices->SetTransferBar(g_pDisplayBar->GetRemote());
    m_pView->ShowWindow(SW_SHOW);
    return TRUE;
}

void CTRV410App::CloseChild() {
    // The view stops its worker and threads before its members go; only then may the services
    // the worker calls return to the defaults.
    m_pView.reset();
    if (m_pServices)
        m_pServices->Uninstall();
    m_pServices.reset();
    m_pCaption.reset();
    m_pChildFrame.reset();
    m_pDoc.reset();
}

BOOL CTRV410App::ReplaceChild(ChildView view) {
    if (!m_pMainFrame || !m_pMainFrame->GetSafeHwnd())
        return FALSE;
    // The open link closes as the Connect button closes it (a close it still waits for runs now),
    // so the next view starts from no link: offline, its device read not taken for done.
    if (m_pView)
        m_pView->CloseLinkNow();
    CloseChild();
    if (OpenChild(view))
        return TRUE;
    CloseChild();
    return FALSE;
}

int CTRV410App::ExitInstance() {
    if (m_pMainFrame) {
        m_pMainFrame->m_onDestroyed = nullptr;
        if (m_pMainFrame->GetSafeHwnd())
            m_pMainFrame->DestroyWindow();
    }
    CloseChild();
    m_pMainFrame.reset();
    // The COM module and GDI+ have nothing to end here.
    m_bATLInited = FALSE;
    DeleteProgramObjects();
    return 0;
}

void CTRV410App::OnAppAbout() {
    CAboutDlg about(m_pMainFrame.get());
    about.DoModal();
}

int CTRV410App::DoMessageBox(LPCTSTR prompt, UINT type, UINT code) {
    return ShowMessageBox(CString(prompt ? prompt : ""), type, static_cast<int>(code));
}
