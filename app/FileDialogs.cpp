#include "app/FileDialogs.h"

#include "app/FreeHeap.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QMimeDatabase>
#include <QPixmapCache>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace {

// The file list's columns, as QFileSystemModel numbers them.
enum Column { NameColumn, SizeColumn, TypeColumn, DateColumn };

// QFileSystemModel writes sizes and dates in the system's locale; the dialog shows them in the
// program's, so that a Korean window shows no English month names.
class LocaleFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex file = mapToSource(index);
        if (role == Qt::DisplayRole && index.column() == SizeColumn && !files->isDir(file))
            return QLocale().formattedDataSize(files->size(file));
        if (role == Qt::DisplayRole && index.column() == DateColumn)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// A name of the program's (an export's, the longest) and the widest size and date, in the
// dialog's font and locale.
int TypicalRowWidth(const QFileDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    const QLocale locale;
    const QDateTime widestDate(QDate(2088, 12, 28), QTime(23, 58));
    const QString texts[] = {QStringLiteral("241207_153012_table.csv"),
                             locale.formattedDataSize(1023 * 1024 * 1023),
                             QMimeDatabase().mimeTypeForName(QStringLiteral("text/csv")).comment(),
                             locale.toString(widestDate, QLocale::ShortFormat)};
    int width = 0;
    for (const QString& text : texts)
        width += metrics.horizontalAdvance(text) + 3 * metrics.height(); // icon and padding
    return width;
}

// The places at the left as wide as their longest name, which Qt cuts short ("Com…").
int ShowWholePlaces(QFileDialog& dialog) {
    auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    if (places == nullptr) return 0;
    const int width = places->sizeHintForColumn(0) + 2 * places->frameWidth() +
                      places->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    places->setMinimumWidth(width);
    return width;
}

// The list in detail, its size, type and date columns as wide as what they show and the name
// taking the rest; the dialog wide enough for a typical row beside the places at its left.
void FitColumns(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (list == nullptr) return;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (const int column : {SizeColumn, TypeColumn, DateColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    const QFontMetrics metrics(dialog.font());
    const int places = ShowWholePlaces(dialog);
    dialog.resize(std::max(dialog.sizeHint().width(), places + TypicalRowWidth(dialog)),
                  std::max(dialog.sizeHint().height(), 28 * metrics.height()));
}

} // namespace

QString AskFilePath(QWidget* parent, FileDialogMode mode, const QString& folder,
                    const QString& proposedName, const QString& title, const QString& defaultSuffix,
                    const QStringList& filters) {
    QFileDialog dialog(parent);
    // Qt's own dialog on every system, in the program's language and locale.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLocale(QLocale());
    dialog.setProxyModel(new LocaleFileList(&dialog));
    FitColumns(dialog);
    dialog.setDirectory(folder);
    if (filters.isEmpty()) {
        dialog.setNameFilters({"csv (*.csv)", "txt (*.txt)", "All (*.*)"});
        dialog.setDefaultSuffix(defaultSuffix);
    } else {
        const auto suffixOf = [](const QString& filter) {
            return filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
        };
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(suffixOf(filters.constFirst()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffixOf](const QString& filter) {
                             dialog.setDefaultSuffix(suffixOf(filter));
                         });
    }
    dialog.selectFile(proposedName);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    if (mode == FileDialogMode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The style's pictures of the dialog's buttons, lists and icons would stay in Qt's pixmap
    // cache until pushed out (0.6 MB at full HD); the main window redraws the few it uses. The
    // dialog's file list, icons and watcher go with it.
    QPixmapCache::clear();
    ReturnFreeHeapSoon();
    return chosen ? QDir::toNativeSeparators(dialog.selectedFiles().constFirst()) : QString();
}
