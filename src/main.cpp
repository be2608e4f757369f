// R9VQ-TN: the application entry. The shell's application object takes over once it exists.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    QApplication::setApplicationName("R9VQ-TN");

    QWidget frame(nullptr, Qt::Window | Qt::FramelessWindowHint);
    frame.setWindowTitle("R9VQ-TN");
    frame.setFixedSize(1282, 722);
    frame.setStyleSheet("background-color: #1b1e24;");
    frame.show();

    // Headless start (make run without a display): save what the window shows, then end.
    const QString shot = qEnvironmentVariable("R9_SCREENSHOT");
    if (!shot.isEmpty()) {
        QTimer::singleShot(1500, &frame, [&frame, shot] { frame.grab().save(shot); });
    }
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("R9_QUIT_AFTER_MS", &ok);
    if (ok && quitAfter > 0)
        QTimer::singleShot(quitAfter, &app, &QApplication::quit);
    return app.exec();
}
