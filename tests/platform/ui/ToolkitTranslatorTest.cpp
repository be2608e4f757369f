// The toolkit's standard dialogs follow the user-interface language: the Chinese catalogue is
// loaded with the language and dropped again when it switches back.
#include "platform/ui/CommDlg.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/ToolkitTranslator.h"
#include "support/RenderToPng.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <string>

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

namespace {

bool HasCjk(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3000 && u <= 0x303F) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// What the open file dialog shows once its folder is listed: every text of its widgets, its
// detail view's headers and cells, and whether the size and date columns show their texts whole.
struct FileDialogLook {
    QStringList texts;
    QString smallFileSize;
    bool listed = false;
    bool columnsWhole = false;
    bool viewWide = false;
};

FileDialogLook LookAtFileDialog(const QString& folder, const char* language) {
    FileDialogLook look;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* view = dialog->findChild<QTreeView*>("treeView");
        QElapsedTimer clock;
        clock.start();
        // The folder is listed by a worker thread: wait until both files show their sizes.
        const auto row = [&](const char* name) {
            for (int r = 0; view && r < view->model()->rowCount(view->rootIndex()); ++r) {
                const QModelIndex i = view->model()->index(r, 0, view->rootIndex());
                if (i.data().toString() == name && !i.siblingAtColumn(1).data().toString().isEmpty())
                    return i;
            }
            return QModelIndex();
        };
        while ((!row("map.vtac").isValid() || !row("all.vtaa").isValid()) && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        look.listed = row("map.vtac").isValid() && row("all.vtaa").isValid();
        if (look.listed) {
            look.smallFileSize = row("map.vtac").siblingAtColumn(1).data().toString();
            for (int c = 0; c < 4; ++c)
                look.texts << view->model()->headerData(c, Qt::Horizontal).toString();
            for (const char* name : {"map.vtac", "all.vtaa"})
                for (int c = 0; c < 4; ++c)
                    look.texts << row(name).siblingAtColumn(c).data().toString();
            QHeaderView* header = view->header();
            // The widest cell of a column (the tree's own measure is protected).
            const QAbstractItemView* cells = view;
            look.columnsWhole = cells->sizeHintForColumn(1) <= header->sectionSize(1) &&
                                cells->sizeHintForColumn(3) <= header->sectionSize(3);
            look.viewWide = header->length() <= view->viewport()->width();
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            look.texts << label->text();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            look.texts << button->text() << button->toolTip();
        for (const QComboBox* box : dialog->findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i)
                look.texts << box->itemText(i);
        r9test::RenderToPng(dialog, QString("toolkit_open_file_dialog_") + language);
        dialog->reject();
    });
    char file[MAX_PATH] = "";
    const std::string start = folder.toStdString();
    OPENFILENAME ofn{};
    ofn.lpstrFilter = "Map and presets (*.vtac;*.vtaa)\0*.vtac;*.vtaa\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = start.c_str();
    ofn.lpstrTitle = "Open";
    EXPECT_FALSE(GetOpenFileName(&ofn)) << "cancelled";
    return look;
}

} // namespace

// The program's own file dialog after each language switch, whatever locale the program was
// started under: only the chosen language, the sizes, dates and file types included, and the
// size and date columns wide enough to read.
TEST(ToolkitTranslatorTest, TheFileDialogSpeaksOnlyTheChosenLanguageWithWholeColumns) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const auto& [name, size] : {std::pair{"map.vtac", 82}, std::pair{"all.vtaa", 12800}}) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, '\x01'));
    }
    for (const int chinese : {0, 1, 0}) {
        const char* language = chinese ? "zh" : "en";
        SCOPED_TRACE(language);
        ResourceLoader::SetChinese(chinese);
        const FileDialogLook look = LookAtFileDialog(folder.path(), language);
        ASSERT_TRUE(look.listed) << "the folder was never listed";
        EXPECT_TRUE(look.columnsWhole) << "size or date cut";
        EXPECT_TRUE(look.viewWide) << "the columns do not fit the dialog";
        EXPECT_EQ(look.smallFileSize,
                  QLocale(chinese ? QLocale::Chinese : QLocale::English).formattedDataSize(82));
        if (chinese) {
            EXPECT_TRUE(HasCjk(look.smallFileSize)) << look.smallFileSize.toStdString();
            for (int c = 0; c < 4; ++c)
                EXPECT_TRUE(HasCjk(look.texts[c])) << "column header " << look.texts[c].toStdString();
        } else {
            for (const QString& t : look.texts)
                EXPECT_FALSE(HasCjk(t)) << t.toStdString();
        }
    }
    ResourceLoader::SetChinese(FALSE);
}
