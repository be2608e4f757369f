#include "support/RenderToPng.h"

#include <QDir>
#include <QWidget>

namespace r9test {

QString TestOutDir() {
    QString dir = qEnvironmentVariable("R9_TEST_OUT", QDir::tempPath() + "/r9-test-out");
    QDir().mkpath(dir);
    return dir;
}

QImage RenderToPng(QWidget* widget, const QString& name) {
    QImage img(widget->size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    widget->render(&img);
    if (!name.isEmpty())
        img.save(TestOutDir() + "/" + name + ".png");
    return img;
}

} // namespace r9test
