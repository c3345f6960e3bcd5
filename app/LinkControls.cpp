#include "app/LinkControls.h"

#include "device/qt/PortCandidates.h"
#include "device/qt/TComm.h"
#include "display/QtText.h"
#include "display/ValueBoxes.h"
#include "engine/RunControl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QThread>
#include <QTimer>

LinkControls::LinkControls(QComboBox* portBox, QAbstractButton* comButton, LinkTimers timers,
                           TComm& comm, LiveState& state, MeasurementView& view, ValueBoxes& boxes)
    : PortBox(portBox), ComButton(comButton), Timers(timers), Comm(comm), State(state), View(view),
      Boxes(boxes) {}

std::string LinkControls::PortBoxText() const {
    return Std(PortBox->currentText());
}

void LinkControls::ProposeSystemPort() {
    const std::optional<std::string> proposed = ProposedPortPath();
    if (!proposed) return;
    PortBox->clear();
    PortBox->setEditText(Text(*proposed));
    PortBox->lineEdit()->setPlaceholderText(QString::fromLatin1(PortPathForm));
}

void LinkControls::SetPortBoxText(const std::string& name) {
    PortBox->setEditText(Text(name));
}

// The list changes under an editable box must not change the port name it shows.
void LinkControls::ClearPortList() {
    const QString name = PortBox->currentText();
    PortBox->clear();
    PortBox->setEditText(name);
}

void LinkControls::AddPortToList(const std::string& name) {
    const QString shown = PortBox->currentText();
    PortBox->addItem(Text(name));
    PortBox->setEditText(shown);
    // The list opens wide enough to read whole device paths.
    QAbstractItemView* list = PortBox->view();
    const int needed = list->sizeHintForColumn(0) + list->frameWidth() * 2 +
                       list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setMinimumWidth(std::max(list->minimumWidth(), needed));
}

void LinkControls::SetComButtonDown(bool down) {
    ComButton->setChecked(down);
}

static void Switch(QTimer& timer, bool on) {
    on ? timer.start() : timer.stop();
}

void LinkControls::SetEngineTimer(bool on) {
    Switch(Timers.Engine, on);
}

void LinkControls::SetFavWorkTimer(bool on) {
    Switch(Timers.FavWork, on);
}

void LinkControls::SetReconnectTimer(bool on) {
    Switch(Timers.Reconnect, on);
}

void LinkControls::SetBusyCursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void LinkControls::AppendMessage(const Message& message) {
    View.AppendMessage(message);
}

void LinkControls::ConnectBegins() {
    EndRunsSilently(State);
}

void LinkControls::StreamStartsAfresh() {
    RestartStreamTime(State, View);
}

void LinkControls::DeviceLost() {
    Boxes.ShowNotLive();
    EndRunForLostDevice(State, View);
}

void LinkControls::Sleep(int ms) {
    QThread::msleep(ms);
}

void LinkControls::WaitForBytes(int ms) {
    Comm.WaitForBytes(ms);
}
