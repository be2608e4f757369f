// The floor of the start-up figure: a Qt program that shows and paints one frameless window of the
// main window's size (a filled background, a frame and a line of text), started the way the
// start-up benchmark starts the program. At its first paint it prints "painted rss_kb N" and ends.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(38, 41, 46));
        p.setPen(QColor(120, 126, 134));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, "R9VQ-TN");
        if (m_reported)
            return;
        m_reported = true;
        QTimer::singleShot(0, qApp, [] {
            std::printf("painted rss_kb %ld\n", ResidentKb());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

private:
    bool m_reported = false;
};

} // namespace

int main(int argc, char** argv) {
    // The program's own settings: one pixel is one pixel.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    Window window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.resize(1282, 722); // CMainFrame::kWidth x kHeight
    window.show();
    return QApplication::exec();
}
