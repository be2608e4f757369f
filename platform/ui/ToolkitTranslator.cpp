#include "platform/ui/ToolkitTranslator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {
// Owned by the application, so it goes with it; the guard then reads null.
QPointer<QTranslator> g_chinese;
} // namespace

BOOL CToolkitTranslator::Apply(BOOL chinese) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return FALSE;
    // Sizes, dates and file types the toolkit words itself follow the language, not the
    // system's locale the program was started under.
    QLocale::setDefault(chinese ? QLocale(QLocale::Chinese, QLocale::China)
                                : QLocale(QLocale::English, QLocale::UnitedStates));
    if (!chinese) {
        if (g_chinese) {
            QCoreApplication::removeTranslator(g_chinese);
            delete g_chinese.data();
        }
        return TRUE;
    }
    if (g_chinese)
        return TRUE;
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return FALSE;
    }
    QCoreApplication::installTranslator(translator);
    g_chinese = translator;
    return TRUE;
}

BOOL CToolkitTranslator::IsChineseLoaded() {
    return g_chinese ? TRUE : FALSE;
}
