// CWnd: a window of the system code over one bridge QWidget. Qt events become window messages
// with the Windows values (WM_PAINT, mouse messages with MK_ flags and client coordinates in
// lParam, keys as virtual-key codes, WM_CHAR, focus, WM_TIMER by id, WM_SIZE ...); they run
// through WindowProc: the message map first, then the virtual On... handlers, whose base
// versions call Default(), i.e. the toolkit's own handling of the event being translated.
// SendMessage runs WindowProc at once on the UI thread; PostMessage (any thread) queues it.
#pragma once

#include "platform/core/Messages.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/DC.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinUser.h"

#include <map>
#include <memory>
#include <vector>

class CDataExchange;
class CFont;
class CRgn;
class QEvent;
class QWidget;

// Control colour types of OnCtlColor.
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;

struct CREATESTRUCT {
    void* lpCreateParams;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCTSTR lpszName;
    LPCTSTR lpszClass;
    DWORD dwExStyle;
};
using LPCREATESTRUCT = CREATESTRUCT*;

class CWnd : public CObject, public CMessageTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The window object of a handle, or null for unknown and destroyed handles.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }

    // --- creation and destruction ------------------------------------------------------------
    // className is informative (the C++ class decides the window's behaviour). A child needs a
    // parent; without WS_CHILD the window is top-level (a popup owned by parent).
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, void* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();
    // Takes over the control with this id of parent: a new window of this class replaces it with
    // the same id, rectangle, styles, text, font, visibility, state and z-order; then
    // PreSubclassWindow runs.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    BOOL SubclassWindow(HWND hWnd);
    virtual void PreSubclassWindow() {}
    virtual BOOL PreCreateWindow(CREATESTRUCT&) { return TRUE; }
    virtual void PostNcDestroy() {}

    // --- messages ----------------------------------------------------------------------------
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Reflected WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM from the parent; TRUE = handled
    // here and the parent's own handling stops.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Keyboard and mouse input passes here for the target window and each of its parents, target
    // first; TRUE eats the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    const MSG* GetCurrentMessage() const;

    // --- family ------------------------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* SetParent(CWnd* parent);
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    // GW_CHILD: first child; GW_HWNDNEXT / GW_HWNDPREV: siblings in z-order (creation order).
    CWnd* GetWindow(UINT command) const;
    // Next (or previous) control of the same group: groups start at a WS_GROUP control.
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    BOOL IsChild(const CWnd* window) const;
    std::vector<CWnd*> Children() const;

    // --- text and font -----------------------------------------------------------------------
    void SetWindowText(LPCTSTR text);
    int GetWindowText(CString& text) const;
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    // The font set with SetFont (or the dialog's), else the default GUI font.
    CFont* GetFont() const;

    // --- geometry ----------------------------------------------------------------------------
    // Screen coordinates; equal to the client rectangle mapped to the screen (no frames).
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    // To another window's client coordinates (null: the screen).
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    int SetWindowRgn(HRGN region, BOOL redraw);

    // --- state -------------------------------------------------------------------------------
    virtual BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    virtual BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void BringWindowToTop();
    // Z-order positions of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    void SetRedraw(BOOL redraw = TRUE);

    // --- painting ----------------------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    // Paints the invalid part now (WM_PAINT runs before this returns).
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // A DC on the client area. Inside this window's WM_PAINT it draws into the paint; elsewhere
    // it measures, and what it draws is discarded while the window is repainted instead.
    CDC* GetDC();
    CDC* GetWindowDC() { return GetDC(); }
    int ReleaseDC(CDC* dc);

    // --- input -------------------------------------------------------------------------------
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Caret of edit controls (FALSE for other windows); the edit stops drawing it while hidden.
    BOOL HideCaret();
    BOOL ShowCaret();
    bool CaretHidden() const;

    // --- control helpers -----------------------------------------------------------------------
    // WM_COMMAND(MAKEWPARAM(id, code), this window) sent to the parent; 0 without a parent.
    LRESULT NotifyParent(UINT code);
    // Asks the parent (or this window when it has none) for the colours of a WM_CTLCOLOR...
    // message; the answer is never null (the system colours' brush when nobody answers).
    HBRUSH SendCtlColor(CDC* dc, UINT message);
    // Invalidates, with erasing, the parent's area under this window (transparent controls).
    void RepaintParentArea();

    // --- dialog helpers ----------------------------------------------------------------------
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    // --- handlers (base versions run the default processing) ----------------------------------
    virtual int OnCreate(LPCREATESTRUCT cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    // point is in screen coordinates, as the system gives it.
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnMouseHover(UINT flags, CPoint point);
    virtual void OnMouseLeave();
    virtual void OnCaptureChanged(CWnd* window);
    // By default the window gives up the capture it holds.
    virtual void OnCancelMode();
    virtual void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual UINT OnGetDlgCode();
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    virtual void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);
    virtual void OnVScroll(UINT code, UINT pos, CWnd* scrollBar);

    // --- platform side -----------------------------------------------------------------------
    QWidget* Widget() const { return m_widget; }
    // The window of a bridge widget (or of its nearest bridged ancestor).
    static CWnd* FromWidget(const QWidget* widget);
    // Entry of the bridge: runs one Qt event through the message machinery. baseHandler runs the
    // toolkit's own handling of it (called at most once, by Default()).
    bool DispatchQtEvent(QEvent* event, bool (*baseHandler)(QWidget*, QEvent*));
    // TRUE while this window handles a message translated from a toolkit event whose own
    // handling has not run yet (Default() will run it).
    bool HasToolkitDefault(UINT message) const;
    // Called by the bridge when its widget dies under the window.
    void WidgetDestroyed();
    // The DC of the paint in progress for this window, if any.
    CDC* ActivePaintDC() const { return m_activePaintDC; }
    void SetActivePaintDC(CDC* dc) { m_activePaintDC = dc; }
    // Emulation of TrackMouseEvent for this window.
    BOOL TrackMouse(DWORD flags, DWORD hoverTime);
    // Makes the layer deliver posted messages and window timers (idempotent; on the UI thread).
    static void InstallDelivery();

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
    // The bridge widget for this class; standard controls that wrap a Qt widget override it.
    virtual QWidget* CreateWidget(QWidget* parent);
    // Applies the style words to the widget (focus policy, visibility, enabled state).
    virtual void ApplyStyle();
    // Runs the reflected entries of this window's message map.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void SendSizeIfChanged();
    void SendMoveIfChanged();

    QWidget* m_widget = nullptr;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    int m_id = 0;
    CString m_text;
    HFONT m_hFont = nullptr;
    // Class background brush: WM_ERASEBKGND's default fills with it when set.
    HBRUSH m_hbrBackground = nullptr;
    CDC* m_activePaintDC = nullptr;
    bool m_eraseNeeded = true;
    bool m_redraw = true;

private:
    friend class CEventTranslator;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    void DetachWidget();
};

// Capture, focus and cursor at process level (over CInputState).
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HCURSOR SetCursor(HCURSOR cursor);
// Null instance: the system cursors (IDC_ARROW ...); otherwise a cursor resource of the program.
HCURSOR LoadCursor(HINSTANCE instance, UINT id);
HCURSOR CopyIcon(HCURSOR cursor);
BOOL DestroyCursor(HCURSOR cursor);
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
BOOL GetCursorPos(LPPOINT point);
// Best effort: some display servers do not let a program move the pointer.
BOOL SetCursorPos(int x, int y);
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
// Key state at the time of the message being handled: the high bit (0x8000 as a SHORT) when down.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
BOOL EnableWindow(HWND hWnd, BOOL enable);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
BOOL InvalidateRect(HWND hWnd, LPCRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int command);
BOOL DestroyWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
int GetDlgCtrlID(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int id);
BOOL MessageBeep(UINT type);

constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_IBEAM = 32513;
constexpr UINT IDC_WAIT = 32514;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;
constexpr UINT IDC_NO = 32648;
constexpr UINT IDC_HAND = 32649;
