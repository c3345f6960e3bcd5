#include "app/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

QString AskFilePath(QWidget* parent, FileDialogMode mode, const QString& folder,
                    const QString& proposedName, const QString& title, const QString& defaultSuffix,
                    const QStringList& filters) {
    QFileDialog dialog(parent);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
