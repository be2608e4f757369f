// Message maps: per-class tables routing window messages, commands and notifications to member
// functions. Standard messages reach the virtual On... handlers of CWnd without an entry, so the
// ON_WM_... macros expand to nothing; they are accepted to keep maps readable.
#pragma once

#include "platform/core/WinTypes.h"

class CWnd;

using AfxMsgFn = LRESULT (*)(CWnd*, WPARAM, LPARAM);

enum class AfxEntryKind {
    Message,        // any message, LRESULT fn(WPARAM, LPARAM)
    Command,        // WM_COMMAND with code and id range, void fn() or void fn(UINT id)
    Notify,         // WM_NOTIFY with code and id range, void fn(NMHDR*, LRESULT*)
    ReflectCommand, // WM_COMMAND reflected to the control that sent it
    ReflectNotify,  // WM_NOTIFY reflected to the control that sent it
    ReflectCtlColor // WM_CTLCOLOR... reflected to the control being painted
};

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind kind;
    UINT message; // or the notification code
    UINT idFirst;
    UINT idLast;
    AfxMsgFn fn; // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Ranges of commands and notifications call fn with the id in wParam; reflected handlers
// ending in _EX return FALSE to let the parent see the notification too (carried in the result).
#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                                      \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                                        \
        using ThisClass = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { AfxEntryKind::Message, 0, 0, 0, nullptr }                                                              \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]};                           \
    return &map;                                                                                             \
    }

#define ON_MESSAGE(message, memberFxn)                                                                       \
    {AfxEntryKind::Message, static_cast<UINT>(message), 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT { \
         return (static_cast<ThisClass*>(w)->*(memberFxn))(wp, lp);                                          \
     }},

#define ON_COMMAND(id, memberFxn)                                                                            \
    {AfxEntryKind::Command, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                 \
     [](CWnd* w, WPARAM, LPARAM) -> LRESULT {                                                                \
         (static_cast<ThisClass*>(w)->*(memberFxn))();                                                       \
         return 0;                                                                                           \
     }},

#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                         \
    {AfxEntryKind::Command, 0, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),                        \
     [](CWnd* w, WPARAM wp, LPARAM) -> LRESULT {                                                             \
         (static_cast<ThisClass*>(w)->*(memberFxn))(static_cast<UINT>(LOWORD(wp)));                          \
         return 0;                                                                                           \
     }},

#define ON_CONTROL(code, id, memberFxn)                                                                      \
    {AfxEntryKind::Command, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),           \
     [](CWnd* w, WPARAM, LPARAM) -> LRESULT {                                                                \
         (static_cast<ThisClass*>(w)->*(memberFxn))();                                                       \
         return 0;                                                                                           \
     }},

#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFxn)                                                   \
    {AfxEntryKind::Command, static_cast<UINT>(code), static_cast<UINT>(idFirst), static_cast<UINT>(idLast),  \
     [](CWnd* w, WPARAM wp, LPARAM) -> LRESULT {                                                             \
         (static_cast<ThisClass*>(w)->*(memberFxn))(static_cast<UINT>(LOWORD(wp)));                          \
         return 0;                                                                                           \
     }},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

#define ON_NOTIFY(code, id, memberFxn)                                                                       \
    {AfxEntryKind::Notify, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),            \
     [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                                                          \
         (static_cast<ThisClass*>(w)->*(memberFxn))(reinterpret_cast<NMHDR*>(lp),                            \
                                                    reinterpret_cast<LRESULT*>(wp));                         \
         return 0;                                                                                           \
     }},

#define ON_NOTIFY_RANGE(code, idFirst, idLast, memberFxn)                                                    \
    {AfxEntryKind::Notify, static_cast<UINT>(code), static_cast<UINT>(idFirst), static_cast<UINT>(idLast),   \
     [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                                                          \
         auto* hdr = reinterpret_cast<NMHDR*>(lp);                                                           \
         (static_cast<ThisClass*>(w)->*(memberFxn))(static_cast<UINT>(hdr->idFrom), hdr,                     \
                                                    reinterpret_cast<LRESULT*>(wp));                         \
         return 0;                                                                                           \
     }},

#define ON_CONTROL_REFLECT(code, memberFxn)                                                                  \
    {AfxEntryKind::ReflectCommand, static_cast<UINT>(code), 0, 0, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {   \
         (static_cast<ThisClass*>(w)->*(memberFxn))();                                                       \
         return TRUE;                                                                                        \
     }},

#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                               \
    {AfxEntryKind::ReflectCommand, static_cast<UINT>(code), 0, 0, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {   \
         return (static_cast<ThisClass*>(w)->*(memberFxn))() ? TRUE : FALSE;                                 \
     }},

#define ON_NOTIFY_REFLECT(code, memberFxn)                                                                   \
    {AfxEntryKind::ReflectNotify, static_cast<UINT>(code), 0, 0,                                             \
     [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                                                          \
         (static_cast<ThisClass*>(w)->*(memberFxn))(reinterpret_cast<NMHDR*>(lp),                            \
                                                    reinterpret_cast<LRESULT*>(wp));                         \
         return TRUE;                                                                                        \
     }},

#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                                \
    {AfxEntryKind::ReflectNotify, static_cast<UINT>(code), 0, 0,                                             \
     [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                                                          \
         return (static_cast<ThisClass*>(w)->*(memberFxn))(reinterpret_cast<NMHDR*>(lp),                     \
                                                           reinterpret_cast<LRESULT*>(wp))                   \
                    ? TRUE                                                                                   \
                    : FALSE;                                                                                 \
     }},

// HBRUSH fn(CDC* dc, UINT ctlColor): a non-null brush answers the parent's WM_CTLCOLOR.
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    {AfxEntryKind::ReflectCtlColor, 0, 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                  \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(w)->CtlColor(                              \
             CDC::FromHandle(reinterpret_cast<HDC>(wp)), static_cast<UINT>(lp)));                            \
     }},

// Standard messages dispatch to virtual handlers; these entries are documentation only.
#define ON_WM_PAINT()
#define ON_WM_ERASEBKGND()
#define ON_WM_CREATE()
#define ON_WM_DESTROY()
#define ON_WM_CLOSE()
#define ON_WM_SIZE()
#define ON_WM_MOVE()
#define ON_WM_TIMER()
#define ON_WM_MOUSEMOVE()
#define ON_WM_MOUSEWHEEL()
#define ON_WM_MOUSELEAVE()
#define ON_WM_MOUSEHOVER()
#define ON_WM_LBUTTONDOWN()
#define ON_WM_LBUTTONUP()
#define ON_WM_LBUTTONDBLCLK()
#define ON_WM_RBUTTONDOWN()
#define ON_WM_RBUTTONUP()
#define ON_WM_RBUTTONDBLCLK()
#define ON_WM_MBUTTONDOWN()
#define ON_WM_MBUTTONUP()
#define ON_WM_KEYDOWN()
#define ON_WM_KEYUP()
#define ON_WM_CHAR()
#define ON_WM_SYSKEYDOWN()
#define ON_WM_SETFOCUS()
#define ON_WM_KILLFOCUS()
#define ON_WM_SHOWWINDOW()
#define ON_WM_ENABLE()
#define ON_WM_CTLCOLOR()
#define ON_WM_SETCURSOR()
#define ON_WM_DRAWITEM()
#define ON_WM_MEASUREITEM()
#define ON_WM_GETDLGCODE()
#define ON_WM_CAPTURECHANGED()
#define ON_WM_CANCELMODE()
#define ON_WM_HSCROLL()
#define ON_WM_VSCROLL()
#define ON_WM_NCDESTROY()
