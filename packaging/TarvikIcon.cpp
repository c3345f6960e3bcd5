#include "packaging/TarvikIcon.h"

#include <QDir>

QIcon TarvikIcon() {
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/TarvikIcon")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    return icon;
}
