#include "device/DeviceLink.h"

#include <algorithm>
#include <utility>

namespace {

const char* const SearchingMessage = "Please, wait. Searching ZevuzaRuziv....";
const char* const FoundMessage = "Found ZevuzaRuziv...OK";
const MessageId AdviceLines[] = {
    MessageId::AdviceCheck,
    MessageId::AdviceFix1,
    MessageId::AdviceFix2,
#ifdef __linux__
    // The two lines above speak of Windows; here ports have device paths and permissions.
    MessageId::AdviceFix3Linux,
#endif
};

Message InUseMessage(const std::vector<std::string>& ports) {
    std::string names;
    for (const std::string& port : ports)
        names += (names.empty() ? "" : ", ") + port;
    return {MessageId::PortInUse, {names}};
}

constexpr int PortSettleMs = 100;
constexpr int CandidateSettleMs = 50;
constexpr int ProbePollMs = 20;
constexpr int ProbePolls = 10;
constexpr int StreamStartDelayMs = 100;
constexpr std::uint8_t WatchdogSilentTicks = 10;

// Holds the receive flag for the time ReceiveData runs, also when a frame handler throws.
class ReceivingScope {
public:
    explicit ReceivingScope(bool& flag) : Flag(flag) { Flag = true; }
    ~ReceivingScope() { Flag = false; }

private:
    bool& Flag;
};

} // namespace

DeviceLink::DeviceLink(PortContext& port, LinkState& state, FrameConsumer& consumer, LinkView& view,
                       LinkWaiter& waiter, PortCandidates candidates)
    : Port(port), State(state), Consumer(consumer), View(view), Waiter(waiter),
      Candidates(std::move(candidates)) {}

bool DeviceLink::OpenPort() {
    if (Port.Opened) return true;
    Waiter.Sleep(PortSettleMs);
    Port.Comm->Open();
    Waiter.Sleep(PortSettleMs);
    const bool opened = TakeOpenedPort();
    Waiter.Sleep(PortSettleMs);
    return opened;
}

// Takes the port over once the component has opened it; false when it did not.
bool DeviceLink::TakeOpenedPort() {
    Port.Opened = Port.Comm->Enabled();
    if (Port.Opened) {
        Port.RxCount = 0;
        Port.Comm->SetDTRState(true);
        OpenedName = Port.Comm->DeviceName();
    }
    return Port.Opened;
}

void DeviceLink::ClosePort() {
    if (Port.Opened) {
        Waiter.Sleep(PortSettleMs);
        Port.Comm->Close();
    }
    Port.Opened = false;
}

bool DeviceLink::ProbeDevice() {
    if (!OpenPort()) return false;
    View.AddPortToList(Port.Comm->DeviceName());
    return AskIdentity();
}

bool DeviceLink::AskIdentity() {
    State.DeviceFound = false;
    SendCommand(Port, CmdIdentify, 0, 0);
    // The probe polls the buffer itself: the receive event is not delivered while it blocks.
    for (int poll = 0; poll < ProbePolls && !State.DeviceFound; ++poll) {
        Waiter.WaitForBytes(ProbePollMs);
        Receive();
    }
    return State.DeviceFound;
}

void DeviceLink::ConnectDevice(bool search) {
    View.ConnectBegins();
    Port.RxCount = 0;
    // A close still pending from a disconnect would cut the connection made here.
    View.SetFavWorkTimer(false);
    const std::string remembered = View.PortBoxText();
    // The port only takes a new name when it opens, so a port left open under another name
    // (a probe without answer, the last search candidate) is closed first.
    if (Port.Opened && OpenedName != remembered) ClosePort();
    Port.Comm->SetDeviceName(remembered);
    // Ports another program holds are named instead of advice on cables and power.
    std::vector<std::string> inUse;
    const auto probe = [&](const std::string& name) {
        if (ProbeDevice()) return true;
        if (Port.Comm->LastOpenFailure() == OpenFailure::InUse &&
            std::find(inUse.begin(), inUse.end(), name) == inUse.end())
            inUse.push_back(name);
        return false;
    };
    if (probe(remembered)) {
        StartStream(FoundMessage);
        return;
    }
    if (search) {
        View.ClearPortList();
        for (const std::string& candidate : Candidates()) {
            ClosePort();
            Port.Comm->SetDeviceName(candidate);
            Waiter.Sleep(CandidateSettleMs);
            Port.RxCount = 0;
            if (probe(candidate)) {
                StartStream(MessageId::AutoConnected);
                View.SetPortBoxText(candidate);
                break;
            }
        }
    }
    if (State.DeviceFound) return;
    Port.Comm->SetDeviceName(remembered);
    if (!inUse.empty()) {
        View.AppendMessage(InUseMessage(inUse));
        return;
    }
    for (const MessageId line : AdviceLines)
        View.AppendMessage(line);
}

void DeviceLink::Receive() {
    // Bytes whose event is skipped here stay queued in the port until its next event.
    if (Receiving) return;
    ReceivingScope scope(Receiving);
    ReceiveData(Port, Consumer);
}

void DeviceLink::Comm1RxChar() {
    State.RxWatchdog = 1;
    SilenceReported = false;
    Receive();
}

void DeviceLink::TmSystemTimer() {
    View.AppendMessage(SearchingMessage);
    View.SetBusyCursor(true);
    ConnectDevice(false);
    if (State.DeviceFound) View.SetEngineTimer(true);
    View.SetComButtonDown(State.DeviceFound);
    View.SetBusyCursor(false);
}

void DeviceLink::SbComClick(bool nowDown) {
    if (!nowDown) {
        StopAwaiting();
        if (State.DeviceFound) SendCommand(Port, CmdStream, StreamStop, 0);
        State.DeviceFound = false;
        State.RxWatchdog = 0;
        View.SetEngineTimer(false);
        // Closed a second later, once the stop command has gone out.
        View.SetFavWorkTimer(true);
        return;
    }
    if (State.DeviceFound) {
        State.RxWatchdog = 1;
        View.SetEngineTimer(true);
        return;
    }
    if (!LostName.empty()) {
        if (Reconnect()) return;
        View.SetComButtonDown(false);
        View.AppendMessage({MessageId::DeviceLost, {LostName}});
        return;
    }
    ConnectFromButton(false);
}

void DeviceLink::SbComAutoClick(bool comDown) {
    if (comDown) return;
    StopAwaiting();
    View.AppendMessage(SearchingMessage);
    View.SetBusyCursor(true);
    Port.RxCount = 0;
    ConnectFromButton(true);
}

void DeviceLink::TmEngineTimer() {
    if (State.RxWatchdog == 0) {
        View.SetEngineTimer(false);
        return;
    }
    ++State.RxWatchdog;
    if (State.RxWatchdog <= WatchdogSilentTicks) {
        View.SetComButtonDown(true);
        return;
    }
    // Held at the limit, so every further silent tick asks for the stream again; the first
    // says so once.
    Port.RxCount = 0;
    State.RxWatchdog = WatchdogSilentTicks;
    View.SetComButtonDown(false);
    SendCommand(Port, CmdStream, StreamStart, 0);
    if (!std::exchange(SilenceReported, true))
        View.AppendMessage({MessageId::DeviceSilent, {OpenedName}});
}

void DeviceLink::TmFavWorkTimer() {
    ClosePort();
    View.SetFavWorkTimer(false);
}

void DeviceLink::StartStream(const Message& message) {
    Waiter.Sleep(StreamStartDelayMs);
    SendCommand(Port, CmdStream, StreamStart, 0);
    View.AppendMessage(message);
}

// The connection set-up shared by both connect buttons.
void DeviceLink::ConnectFromButton(bool search) {
    ConnectDevice(search);
    if (State.DeviceFound) {
        View.StreamStartsAfresh();
        Waiter.Sleep(StreamStartDelayMs);
        SendCommand(Port, CmdStream, StreamStart, 0);
        State.RxWatchdog = 1;
        View.SetEngineTimer(true);
    }
    View.SetComButtonDown(State.DeviceFound);
    View.SetBusyCursor(false);
}

void DeviceLink::Comm1PortLost() {
    if (!Port.Opened) return; // reported again, or for a port already closed
    const bool connected = State.DeviceFound;
    ClosePort();
    // A port without a device, or one the user is disconnecting, just stays closed.
    if (!connected) return;
    State.DeviceFound = false;
    State.RxWatchdog = 0;
    View.SetEngineTimer(false);
    View.SetComButtonDown(false);
    View.AppendMessage({MessageId::DeviceLost, {OpenedName}});
    View.DeviceLost();
    LostName = OpenedName;
    View.SetReconnectTimer(true);
}

void DeviceLink::TmReconnectTimer() {
    if (LostName.empty())
        View.SetReconnectTimer(false);
    else
        Reconnect();
}

// Connects to the lost port as the start-up connect does, without clearing the charts. While
// the port is missing it costs one failed open and no pause at all.
bool DeviceLink::Reconnect() {
    if (!Port.Opened) {
        Port.Comm->SetDeviceName(LostName);
        Port.Comm->Open();
        if (!TakeOpenedPort()) return false;
        Waiter.Sleep(PortSettleMs);
    }
    if (!AskIdentity()) return false; // the port stays open; the next try asks again
    StopAwaiting();
    StartStream(MessageId::Reconnected);
    State.RxWatchdog = 1;
    View.SetEngineTimer(true);
    View.SetComButtonDown(true);
    return true;
}

void DeviceLink::StopAwaiting() {
    if (LostName.empty()) return;
    LostName.clear();
    View.SetReconnectTimer(false);
}
