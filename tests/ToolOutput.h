#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What a command-line tool (pdftotext, pdfinfo, …) writes on its standard output; empty if it
// does not finish within a minute.
inline QString ToolOutput(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000)) return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}
