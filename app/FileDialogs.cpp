#include "app/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

QString AskFilePath(QWidget* parent, FileDialogMode mode, const QString& folder,
                    const QString& proposedName, const QString& title,
                    const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setDirectory(folder);
    dialog.setNameFilters({"csv (*.csv)", "txt (*.txt)", "All (*.*)"});
    dialog.selectFile(proposedName);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    dialog.setDefaultSuffix(defaultSuffix);
    if (mode == FileDialogMode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
