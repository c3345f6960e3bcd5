#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class FileDialogMode { Save, Open };

// The file dialog of logs and sensor feature files: opened in a folder with the csv, txt and
// All filters, proposing a file name. Open asks for an existing file and, with a default
// suffix, adds it to a name typed without one. Other filters ("PNG (*.png)", …) may be given:
// a name typed without a suffix then gets the one of the filter chosen. The chosen path with
// the platform's separators; empty when the user cancelled.
QString AskFilePath(QWidget* parent, FileDialogMode mode, const QString& folder,
                    const QString& proposedName, const QString& title = {},
                    const QString& defaultSuffix = {}, const QStringList& filters = {});
