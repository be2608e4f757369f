// The application object: start-up into the one main window (frame, document, view), the
// program-wide objects, the services the model and the link call, and shutdown.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCaptionView;
class CChildFrame;
class CMainFrame;
class CTRV410Doc;
class CTRV410View;
class CViewPresetServices;

constexpr DWORD LCID_CHINESE_PRC = 0x0804;
constexpr DWORD LCID_ENGLISH_US = 0x0409;
// Icon of the main window.
constexpr UINT IDR_MAINICON = 273;

class CTRV410App {
public:
    CTRV410App();
    ~CTRV410App();
    CTRV410App(const CTRV410App&) = delete;
    CTRV410App& operator=(const CTRV410App&) = delete;

    // ---- Start-up inputs (main sets them; tests inject their own) ----
    // The arguments after the program name.
    void SetCommandLine(std::vector<std::string> args) { m_args = std::move(args); }
    // The system default locale id (0x0804 Chinese).
    void SetLocaleId(DWORD lcid) { m_localeId = lcid; }
    // R9_NET of the environment ("HOST:PORT"), empty when not set.
    void SetNetEnvironment(std::string value) { m_netEnv = std::move(value); }
    // Leaves the message loop with the code; called once the main window has gone.
    void SetQuitHandler(std::function<void(int)> quit) { m_quit = std::move(quit); }

    // TRUE: run the message loop; FALSE: end the process at once.
    BOOL InitInstance();
    // After the message loop: the view and the document go, the services return to the defaults.
    int ExitInstance();
    // Every message box of the program.
    int DoMessageBox(LPCTSTR prompt, UINT type, UINT code);
    // The framework's About command (ID_APP_ABOUT, which the main frame hands on): the about
    // dialog, modal.
    void OnAppAbout();

    // What the child frame of the main frame holds.
    enum class ChildView { Main, Caption };
    // Closes the child frame shown now with its view (the main view stops the link first) and its
    // document, then opens a new document and child frame holding the view; the main view gets its
    // initial update, which connects again. FALSE when a window could not be made (the main frame
    // then stays empty).
    BOOL ReplaceChild(ChildView view);

    CMainFrame* GetMainWnd() const { return m_pMainFrame.get(); }
    CChildFrame* GetChildFrame() const { return m_pChildFrame.get(); }
    CTRV410Doc* GetDocument() const { return m_pDoc.get(); }
    // Null while the caption view is shown.
    CTRV410View* GetView() const { return m_pView.get(); }
    // Null while the main view is shown.
    CCaptionView* GetCaptionView() const { return m_pCaption.get(); }
    CViewPresetServices* GetServices() const { return m_pServices.get(); }
    BOOL IsComStarted() const { return m_bATLInited; }

    // ---- Pure rules ----
    // A whole argument "-RegServer", "/UnregServer" ... in any letter case: the program ends with 0
    // before any window. A path such as "/tmp/RegServer" or a word followed by more is no switch.
    static BOOL IsRegSwitch(const std::vector<std::string>& args);
    // The command line's splash flag: cleared by a whole "-Embedding" or "/Automation" argument
    // (any letter case), as the program started by another program shows no splash.
    static BOOL SplashFlagOf(const std::vector<std::string>& args);
    // 0x0804 for a Chinese (China) locale name such as "zh_CN" or "zh_CN.UTF-8", else 0x0409.
    static DWORD LocaleIdFromName(const std::string& name);
    // "HOST:PORT" with a port of 1..65535; FALSE (outputs untouched) for anything else.
    static BOOL ParseNetAddress(const std::string& text, CString* host, int* port);
    // The WIFI module's address and port: the built default, then "NetAddress"/"NetPort" of the
    // settings key "DspMcu", then R9_NET, then --net HOST:PORT (the last one given wins).
    static void ChooseNetAddress(const std::vector<std::string>& args, const std::string& env, CString* host,
                                 int* port);

private:
    BOOL InitATL();
    void ApplyNetAddress();
    // A new document and child frame holding the view (step 18 of the start-up).
    BOOL OpenChild(ChildView view);
    // The view, its services, the child frame and the document go, in that order.
    void CloseChild();

    std::vector<std::string> m_args;
    DWORD m_localeId = LCID_ENGLISH_US;
    std::string m_netEnv;
    std::function<void(int)> m_quit;
    BOOL m_bATLInited = FALSE;
    std::unique_ptr<CTRV410Doc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CChildFrame> m_pChildFrame;
    std::unique_ptr<CTRV410View> m_pView;
    std::unique_ptr<CCaptionView> m_pCaption;
    std::unique_ptr<CViewPresetServices> m_pServices;
};

// The running application (null outside InitInstance .. ExitInstance).
CTRV410App* AfxGetApp();
