#include "app/RunKeeper.h"

#include "display/QtText.h"
#include "files/Autosave.h"

#include <QDir>

QString AutosaveFolder(const QString& logDir) {
    return logDir + QDir::separator() + QStringLiteral("Autosave");
}

RunKeeper::RunKeeper(const LiveState& state, MeasurementView& view, const QString& logDir,
                     QObject* parent)
    : QObject(parent), State(state), View(view), LogDir(logDir) {}

void RunKeeper::RunStarted(const std::string& name, Page page) {
    Open = true;
    Name = name;
    RunPage = page;
    Started = QDateTime::currentDateTime();
}

void RunKeeper::RunFinished() {
    if (!Open) return;
    Open = false;
    if (State.Recorded.LogCount == 0) return;
    AutosaveRun(Std(AutosaveFolder(LogDir)), Name, State.Recorded,
                State.Recorded.Conditions.UnitIndex, View);
    emit RunKept(RunPage, Started);
}

void RunKeeper::KeepIfEnded() {
    if (!State.Logging) RunFinished();
}
