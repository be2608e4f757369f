// The toolkit's standard dialogs follow the user-interface language: the Chinese catalogue is
// loaded with the language and dropped again when it switches back.
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/ToolkitTranslator.h"
#include "support/RenderToPng.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

struct Phrase {
    const char* context;
    const char* text;
};
// Texts of the file dialog, the print dialog and the message box buttons.
const Phrase kPhrases[] = {{"QFileDialog", "Look in:"},
                           {"QFileDialog", "File &name:"},
                           {"QPrintDialog", "Print"},
                           {"QPlatformTheme", "Cancel"}};

QString Tr(const Phrase& p) {
    return QCoreApplication::translate(p.context, p.text);
}

void RenderDialogs(const char* language) {
    QFileDialog files(nullptr, QCoreApplication::translate("QFileDialog", "Open"), QDir::tempPath());
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.resize(640, 400);
    files.show();
    QCoreApplication::processEvents();
    r9test::RenderToPng(&files, QString("toolkit_file_dialog_") + language);
    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    QCoreApplication::processEvents();
    r9test::RenderToPng(&print, QString("toolkit_print_dialog_") + language);
}

TEST(ToolkitTranslatorTest, TheLanguageSwitchLoadsAndDropsTheStandardDialogTexts) {
    ResourceLoader::SetChinese(FALSE);
    EXPECT_FALSE(CToolkitTranslator::IsChineseLoaded());
    for (const Phrase& p : kPhrases)
        EXPECT_EQ(Tr(p), QString::fromUtf8(p.text)) << p.text;
    RenderDialogs("en");

    ResourceLoader::SetChinese(TRUE);
    ASSERT_TRUE(CToolkitTranslator::IsChineseLoaded())
        << "the Qt catalogue (qt6-translations-l10n) is missing";
    for (const Phrase& p : kPhrases)
        EXPECT_NE(Tr(p), QString::fromUtf8(p.text)) << p.text;
    EXPECT_EQ(Tr(kPhrases[0]), QString::fromUtf8("查找范围："));
    // A second switch to Chinese keeps the one catalogue.
    EXPECT_TRUE(CToolkitTranslator::Apply(TRUE));
    RenderDialogs("zh");

    ResourceLoader::SetChinese(FALSE);
    EXPECT_FALSE(CToolkitTranslator::IsChineseLoaded());
    for (const Phrase& p : kPhrases)
        EXPECT_EQ(Tr(p), QString::fromUtf8(p.text)) << p.text;
}

} // namespace
