#include "app/RunKeeper.h"

#include "files/Autosave.h"

RunKeeper::RunKeeper(const LiveState& state, const ControlState& controls, MeasurementView& view,
                     QString autosaveFolder, QObject* parent)
    : QObject(parent), State(state), Controls(controls), View(view),
      Folder(std::move(autosaveFolder)) {}

void RunKeeper::RunStarted(const std::string& name, Page page) {
    Open = true;
    Name = name;
    RunPage = page;
    Started = QDateTime::currentDateTime();
}

void RunKeeper::RunFinished() {
    if (!Open) return;
    Open = false;
    if (State.LogCount == 0) return;
    AutosaveRun(Folder.toStdString(), Name, State, State.LogCount, Controls.ThreeAxis,
                Controls.UnitIndex, View);
    emit RunKept(RunPage, Started);
}

void RunKeeper::KeepIfEnded() {
    if (!State.Logging) RunFinished();
}
