#include "support/UiApplication.h"

#include "support/TestFolders.h"

#include <QApplication>

namespace r9test {

struct UiApplication::Impl {
    TestFolders folders;
    std::unique_ptr<QApplication> app;
};

UiApplication::UiApplication(int& argc, char** argv) : m_impl(std::make_unique<Impl>()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    m_impl->app = std::make_unique<QApplication>(argc, argv);
}

UiApplication::~UiApplication() = default;

void UiApplication::ProcessEvents() {
    QApplication::processEvents();
}

} // namespace r9test
