// R9VQ-TN: the application entry. The shell's application object does the start-up; this file
// only makes the toolkit's application around it and takes what start-up reads from the system.
#include "model/Globals.h"
#include "shell/MainFrame.h"
#include "shell/TRV410App.h"
#include "shell/TRV410View.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The locale of messages, as the language switch reads it: LC_ALL, LC_MESSAGES, LANG.
std::string MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v)
            return v;
    return {};
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// R9_STARTUP_REPORT: the first paint of the main view ends the program with a line for the
// start-up benchmark: "painted rss_kb N".
class FirstPaintReport : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, [] {
                std::printf("painted rss_kb %ld\n", ResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The registration switches end the program before anything else starts.
    if (CTRV410App::IsRegSwitch(args))
        return 0;
    // The frameless window places itself absolutely, which Wayland does not allow: under Wayland the
    // program runs through XWayland, unless a platform was chosen.
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // One pixel is one pixel: the layouts and fonts assume 96 DPI.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("R9VQ-TN");
    QApplication::setQuitOnLastWindowClosed(false);

    CTRV410App app;
    app.SetCommandLine(args);
    app.SetLocaleId(CTRV410App::LocaleIdFromName(MessagesLocale()));
    app.SetNetEnvironment(qEnvironmentVariable("R9_NET").toStdString());
    app.SetQuitHandler([](int code) { QCoreApplication::exit(code); });
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 0;
    }

    FirstPaintReport firstPaint;
    if (!qEnvironmentVariableIsEmpty("R9_STARTUP_REPORT"))
        if (CTRV410View* view = app.GetView(); view && view->Widget())
            view->Widget()->installEventFilter(&firstPaint);

    // Headless start (make run without a display): the link comes up on its own (no USB device, the
    // WIFI module answers the ping); once it is up, save what the main window shows and end; R9_QUIT_AFTER_MS
    // bounds the wait (the screenshot is then taken offline). R9_QUIT_AFTER_MS alone ends the program after
    // that time.
    const QString shot = qEnvironmentVariable("R9_SCREENSHOT");
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("R9_QUIT_AFTER_MS", &ok);
    QTimer watch;
    if (!shot.isEmpty()) {
        const qint64 limit = ok && quitAfter > 0 ? quitAfter : 20000;
        QElapsedTimer clock;
        clock.start();
        qint64 onlineAt = -1;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const bool online = g_bOnline.load() && !g_bTransferBusy.load();
            if (online && onlineAt < 0)
                onlineAt = clock.elapsed();
            // A moment online for the answers to reach the controls.
            if ((onlineAt >= 0 && clock.elapsed() - onlineAt > 800) || clock.elapsed() > limit) {
                watch.stop();
                if (onlineAt < 0)
                    std::fprintf(stderr,
                                 "r9vq-tn: no link within %lld ms (does the device answer a ping?); "
                                 "the screenshot shows the program offline\n",
                                 static_cast<long long>(limit));
                if (CMainFrame* frame = app.GetMainWnd(); frame && frame->Widget())
                    // What the window shows: the area inside its mask.
                    frame->Widget()->grab(frame->Widget()->mask().boundingRect()).save(shot);
                QCoreApplication::exit(0);
            }
        });
        watch.start(100);
    } else if (ok && quitAfter > 0) {
        QTimer::singleShot(quitAfter, &qapp, [] { QCoreApplication::exit(0); });
    }
    const int code = QApplication::exec();
    app.ExitInstance();
    return code;
}
