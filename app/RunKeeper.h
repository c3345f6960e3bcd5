#pragma once

#include "engine/LiveState.h"
#include "engine/MeasurementView.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <string>

// The folder the runs are kept in, inside the log folder.
QString AutosaveFolder(const QString& logDir);

// Makes sure no measured run is lost: every run that ends — by Stop, a full window, a page
// change, a reconnect, a new Start or closing the window — is written once, in the log
// format, to the folder Autosave inside the log folder under the name its Start gave it.
class RunKeeper : public QObject {
    Q_OBJECT
public:
    RunKeeper(const LiveState& state, MeasurementView& view, const QString& logDir,
              QObject* parent = nullptr);

    void RunStarted(const std::string& name, Page page);
    // Keeps the run that was open, if any; a second call for the same run does nothing.
    void RunFinished();
    // RunFinished when the run has been ended by something that only clears the run flag.
    void KeepIfEnded();

signals:
    // A run with samples ended while its page's charts still show it.
    void RunKept(Page page, const QDateTime& started);

private:
    const LiveState& State;
    MeasurementView& View;
    const QString& LogDir;
    bool Open = false;
    std::string Name;
    Page RunPage = Page::TabAccelo;
    QDateTime Started;
};
