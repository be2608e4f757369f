// R9VQ-TN: the application entry. The shell's application object does the start-up; this file
// only makes the toolkit's application around it and takes what start-up reads from the system.
#include "shell/TRV410App.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The registration switches end the program before anything else starts.
    if (CTRV410App::IsRegSwitch(args))
        return 0;
    // One pixel is one pixel: the layouts and fonts assume 96 DPI.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("R9VQ-TN");
    QApplication::setQuitOnLastWindowClosed(false);

    CTRV410App app;
    app.SetCommandLine(args);
    app.SetLocaleId(CTRV410App::LocaleIdFromName(QLocale::system().name().toStdString()));
    app.SetNetEnvironment(qEnvironmentVariable("R9_NET").toStdString());
    app.SetQuitHandler([](int code) { QCoreApplication::exit(code); });
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 0;
    }

    // Headless start (make run without a display): save what the window shows once the link is
    // up, then end.
    const QString shot = qEnvironmentVariable("R9_SCREENSHOT");
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("R9_QUIT_AFTER_MS", &ok);
    if (!shot.isEmpty() || (ok && quitAfter > 0)) {
        const int when = ok && quitAfter > 0 ? quitAfter : 4000;
        QTimer::singleShot(when, &qapp, [shot] {
            if (!shot.isEmpty())
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->isVisible() && w->width() >= 1000) {
                        w->grab().save(shot);
                        break;
                    }
            QCoreApplication::exit(0);
        });
    }
    const int code = QApplication::exec();
    app.ExitInstance();
    return code;
}
