#include "platform/ui/ToolkitFileDialog.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>

namespace {
// The columns of the toolkit's file model.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// The file model's sizes and dates in the default locale (the language's), in place of the
// system's.
class LanguageFileModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == kSizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == kDateColumn) {
            const QDateTime modified = files->lastModified(source);
            return modified.isValid() ? QLocale().toString(modified, QLocale::ShortFormat) : QString();
        }
        return QIdentityProxyModel::data(index, role);
    }
};

QTreeView* DetailView(QFileDialog* dialog) {
    return dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
}
} // namespace

CToolkitFileDialog::CToolkitFileDialog(QWidget* parent, const QString& caption, const QString& start,
                                       const QString& filter)
    : QFileDialog(parent, caption, start, filter) {
    setOption(QFileDialog::DontUseNativeDialog);
    setProxyModel(new LanguageFileModel(this));
    FitColumns();
}

void CToolkitFileDialog::FitColumns() {
    QTreeView* view = DetailView(this);
    if (!view)
        return;
    const QLocale locale;
    const QFontMetrics metrics(view->font());
    const auto widest = [&](int column, const QStringList& samples) {
        int w = metrics.horizontalAdvance(view->model()->headerData(column, Qt::Horizontal).toString());
        for (const QString& s : samples)
            w = std::max(w, metrics.horizontalAdvance(s));
        // Room for the cell's margins and the header's sort arrow.
        constexpr int kPadding = 28;
        return w + kPadding;
    };
    // The widest number of each unit, and a date with two-digit fields everywhere.
    QStringList sizes;
    for (qint64 unit = 1; unit <= (qint64(1) << 40); unit <<= 10)
        sizes << locale.formattedDataSize(1024 * unit - 1);
    const QDateTime late(QDate(2026, 12, 28), QTime(23, 58, 58));
    const int size = widest(kSizeColumn, sizes);
    const int date = widest(kDateColumn, {locale.toString(late, QLocale::ShortFormat)});
    QHeaderView* header = view->header();
    header->resizeSection(kSizeColumn, std::max(header->sectionSize(kSizeColumn), size));
    header->resizeSection(kDateColumn, std::max(header->sectionSize(kDateColumn), date));
}

void CToolkitFileDialog::showEvent(QShowEvent* event) {
    QFileDialog::showEvent(event);
    // Wide enough for every column of the detail view beside the side bar.
    QTreeView* view = DetailView(this);
    if (!view)
        return;
    const QHeaderView* header = view->header();
    const int needed =
        header->length() + 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    const int missing = needed - view->width();
    if (missing > 0)
        resize(width() + missing, height());
}
