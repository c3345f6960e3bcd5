#pragma once

#include "device/LinkState.h"
#include "device/PortContext.h"
#include "device/ReceiveQueue.h"

#include <functional>
#include <string>
#include <vector>

// What the connection logic reads and switches on the main window.
class LinkView {
public:
    virtual ~LinkView() = default;
    // CmbComPort: its text names the port to connect to; its list collects the ports that
    // opened during probes. Names are UTF-8.
    virtual std::string PortBoxText() const = 0;
    virtual void SetPortBoxText(const std::string& name) = 0;
    virtual void ClearPortList() = 0;
    virtual void AddPortToList(const std::string& name) = 0;
    // SbCom: down shows a live link. Setting it from here never runs its click handler.
    virtual void SetComButtonDown(bool down) = 0;
    virtual void SetEngineTimer(bool on) = 0;  // TmEngine, the link watchdog
    virtual void SetFavWorkTimer(bool on) = 0; // TmFavWork, the deferred close
    // TmReconnect: about once a second, while a port that disappeared is awaited.
    virtual void SetReconnectTimer(bool on) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void AppendMessage(const Message& message) = 0;

    // What happens on the line, for the layers above to give it its meaning.
    // A connect begins: whatever was measured from the stream before stops there.
    virtual void ConnectBegins() = 0;
    // A connect button found the device and its stream starts over, from time 0.
    virtual void StreamStartsAfresh() = 0;
    // The connected device went away (after the line saying so).
    virtual void DeviceLost() = 0;
};

// The blocking waits of the connection logic. Neither may handle window events: the probe
// polls the receive buffer itself and the handlers must not be re-entered.
class LinkWaiter {
public:
    virtual ~LinkWaiter() = default;
    virtual void Sleep(int ms) = 0;
    // The probe's poll interval: the port takes in whatever arrives during ms milliseconds.
    virtual void WaitForBytes(int ms) = 0;
};

// The port names the automatic search tries, in order.
using PortCandidates = std::function<std::vector<std::string>()>;

// Opens and closes port slot 0, finds the accelerometer, starts its stream and watches it.
// Everything runs on the user-interface thread; port.Comm must be bound before any call.
class DeviceLink {
public:
    DeviceLink(PortContext& port, LinkState& state, FrameConsumer& consumer, LinkView& view,
               LinkWaiter& waiter, PortCandidates candidates);

    bool OpenPort();
    void ClosePort();
    // Opens the port and asks the device to identify itself; the port stays open.
    bool ProbeDevice();
    // Connects to the port of the port box and starts the stream; with search, tries the
    // candidates when that port does not answer.
    void ConnectDevice(bool search);
    // ReceiveData for the port, skipped when it is already running further up the stack.
    void Receive();

    // Handlers. TmSystem is a one-shot timer, so TmSystemTimer leaves it alone; the buttons
    // pass the state of SbCom after the click.
    void Comm1RxChar();
    void TmSystemTimer();
    void SbComClick(bool nowDown);
    void SbComAutoClick(bool comDown);
    void TmEngineTimer();
    void TmFavWorkTimer();

    // The serial component reports the open port gone (an unplugged adapter, a read or write
    // error): the port is closed and, when a device was connected, reported and awaited.
    void Comm1PortLost();
    // Tries the lost port again, quietly until it opens; then connects as at start-up.
    void TmReconnectTimer();

private:
    bool TakeOpenedPort();
    bool AskIdentity();
    void StartStream(const Message& message);
    void ConnectFromButton(bool search);
    bool Reconnect();
    void StopAwaiting();

    PortContext& Port;
    LinkState& State;
    FrameConsumer& Consumer;
    LinkView& View;
    LinkWaiter& Waiter;
    PortCandidates Candidates;
    std::string OpenedName; // the name the open port was opened under
    std::string LostName;   // the port that disappeared; empty while none is awaited
    bool Receiving = false;
    bool SilenceReported = false; // since the stream last brought bytes
};
