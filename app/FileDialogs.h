#pragma once

#include <QString>

class QWidget;

enum class FileDialogMode { Save, Open };

// The file dialog of logs and sensor feature files: opened in a folder with the csv, txt and
// All filters, proposing a file name. Open asks for an existing file and, with a default
// suffix, adds it to a name typed without one. The chosen path with the platform's
// separators; empty when the user cancelled.
QString AskFilePath(QWidget* parent, FileDialogMode mode, const QString& folder,
                    const QString& proposedName, const QString& title = {},
                    const QString& defaultSuffix = {});
