// A modal dialog on a real X server while the user clicks the window it blocks: the window manager
// gives that window the keyboard focus, and the dialog takes it back, so the keys the user types
// next (Escape, Return) reach the dialog and not a window that ignores them.
#include "ForeignWindowSteps.h"

#include "platform/ui/Dialog.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

using r9test::TopWindow;
using r9test::WaitFor;
using r9test::XId;

constexpr UINT kDlg = 64600;
const res::DialogItemSpec kItems[] = {
    {IDOK, "Button", 20, 40, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "OK", "确定"},
    {IDCANCEL, "Button", 100, 40, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, "Cancel", "取消"},
};
const res::DialogSpec kDialogs[] = {
    {kDlg, 200, 90, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Question", "问题", "Arial", -12,
     kItems},
};

TEST(ModalDialogFocus, AClickedWindowItBlocksHandsTheKeyboardBackAndEscapeEndsTheDialog) {
    r9test::ServerWindows server;
    ASSERT_TRUE(server.Connected());
    res::RegisterDialogs(kDialogs);
    r9test::LogWnd main;
    ASSERT_TRUE(main.CreateTop(400, 260));
    AfxSetMainWnd(&main);
    ASSERT_TRUE(WaitFor([&] { return r9test::ShownAndActive(server, main); }));

    std::vector<QWindow*> focusSeen;
    const QMetaObject::Connection watch = QObject::connect(
        qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp, [&](QWindow* w) { focusSeen.push_back(w); });
    bool dialogShown = false, mainGotIt = false, dialogTookItBack = false;
    CDialog::SetModalHook([&](CDialog& d) {
        dialogShown = WaitFor([&] { return r9test::ShownAndActive(server, d); });
        focusSeen.clear();
        // The user clicks the blocked main window; the window manager hands it the focus.
        server.ClickToFocus(XId(main), 200, 200);
        mainGotIt = WaitFor([&] {
            return std::find(focusSeen.begin(), focusSeen.end(), TopWindow(main)) != focusSeen.end();
        });
        dialogTookItBack = WaitFor(
            [&] { return QGuiApplication::focusWindow() == TopWindow(d) && server.InputFocus() == XId(d); });
        // Escape goes where the keyboard is, as the window system delivers it.
        if (QWindow* focus = QGuiApplication::focusWindow()) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            QApplication::sendEvent(focus, &down);
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            QApplication::sendEvent(focus, &up);
        }
        // Whatever happened, the loop must end.
        if (d.IsWindowVisible())
            d.EndDialog(IDOK);
    });
    CDialog dialog(kDlg, &main);
    const INT_PTR result = dialog.DoModal();
    CDialog::SetModalHook(nullptr);
    QObject::disconnect(watch);
    AfxSetMainWnd(nullptr);

    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(mainGotIt) << "the server gave the blocked window the focus";
    EXPECT_TRUE(dialogTookItBack) << "the dialog holds the keyboard again, in the toolkit and on the server";
    EXPECT_EQ(result, IDCANCEL) << "Escape reached the dialog";
}

} // namespace
