// Renders a widget to a PNG under the build's test-out folder, for pixel checks and for looking.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace r9test {
// Returns the rendered image; writes <R9_TEST_OUT>/<name>.png when name is not empty.
QImage RenderToPng(QWidget* widget, const QString& name);
QString TestOutDir();
} // namespace r9test
