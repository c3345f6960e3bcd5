#pragma once

#include "device/DeviceLink.h"

class MeasurementView;
class QAbstractButton;
class QComboBox;
class QTimer;
class TComm;
class ValueBoxes;
struct LiveState;

// The timers that watch the link: TmEngine, TmFavWork and TmReconnect.
struct LinkTimers {
    QTimer& Engine;
    QTimer& FavWork;
    QTimer& Reconnect;
};

// The connection logic's side of the window: the port box CmbComPort, the connect button SbCom,
// the link's timers, the busy cursor and the waits. What happens on the line gets its meaning
// for runs, charts and values here.
class LinkControls final : public LinkView, public LinkWaiter {
public:
    LinkControls(QComboBox* portBox, QAbstractButton* comButton, LinkTimers timers, TComm& comm,
                 LiveState& state, MeasurementView& view, ValueBoxes& boxes);

    // Where the form's port name means nothing on this system, the box offers the port found
    // instead, or stays empty with the form of a port path greyed in it. The settings file
    // may then name another.
    void ProposeSystemPort();

    std::string PortBoxText() const override;
    void SetPortBoxText(const std::string& name) override;
    void ClearPortList() override;
    void AddPortToList(const std::string& name) override;
    void SetComButtonDown(bool down) override;
    void SetEngineTimer(bool on) override;
    void SetFavWorkTimer(bool on) override;
    void SetReconnectTimer(bool on) override;
    void SetBusyCursor(bool busy) override;
    void AppendMessage(const Message& message) override;
    void ConnectBegins() override;
    void StreamStartsAfresh() override;
    void DeviceLost() override;

    void Sleep(int ms) override;
    void WaitForBytes(int ms) override;

private:
    QComboBox* PortBox;
    QAbstractButton* ComButton;
    LinkTimers Timers;
    TComm& Comm;
    LiveState& State;
    MeasurementView& View;
    ValueBoxes& Boxes;
};
