#include "device/DeviceLink.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

using Events = std::vector<std::string>;

std::string Hex(const std::uint8_t* bytes, int count) {
    std::string text;
    char byte[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(byte, sizeof byte, " %02X", bytes[i]);
        text += byte;
    }
    return text;
}

// Serial ports in memory. The accelerometer sits on DevicePort and answers identify there.
class ScriptedPorts : public SerialComm {
public:
    explicit ScriptedPorts(Events& log) : Log(log) {}
    std::set<std::string> Existing;
    std::string DevicePort;
    std::deque<std::uint8_t> Incoming;

    void SetDeviceName(const std::string& name) override { Name = name; }
    std::string DeviceName() const override { return Name; }
    void Open() override {
        if (!Existing.contains(Name)) return;
        OpenName = Name;
        Log.push_back("open " + Name);
    }
    void Close() override {
        Log.push_back("close " + OpenName);
        OpenName.clear();
    }
    bool Enabled() const override { return !OpenName.empty(); }
    void SetDTRState(bool on) override { Log.push_back(on ? "dtr on" : "dtr off"); }
    int InQueCount() override { return static_cast<int>(Incoming.size()); }
    int Read(std::uint8_t* destination, int count) override {
        int read = 0;
        for (; read < count && !Incoming.empty(); ++read) {
            destination[read] = Incoming.front();
            Incoming.pop_front();
        }
        return read;
    }
    void Write(const std::uint8_t* source, int count) override {
        Log.push_back("send" + Hex(source, count) + " @" + OpenName);
        if (OpenName == DevicePort && count == FrameLength && source[1] == CmdIdentify)
            Send(BuildFrame(FrmIdentity, 1, 0));
    }
    void Send(const Frame& frame) { Incoming.insert(Incoming.end(), frame.begin(), frame.end()); }

private:
    Events& Log;
    std::string Name;
    std::string OpenName;
};

// Records what the link shows, how long it waits and which frames reach the processing.
class Recorder : public LinkView, public LinkWaiter, public FrameConsumer {
public:
    Recorder(Events& log, LiveState& state) : Log(log), State(state) {}
    std::string PortBox = "Com5";
    int Frames = 0;
    int Depth = 0;
    int MaxDepth = 0;
    std::function<void()> DuringFrame; // what happens while a frame is being processed

    std::string PortBoxText() const override { return PortBox; }
    void SetPortBoxText(const std::string& name) override {
        PortBox = name;
        Log.push_back("port box " + name);
    }
    void ClearPortList() override { Log.push_back("list clear"); }
    void AddPortToList(const std::string& name) override { Log.push_back("list+ " + name); }
    void SetComButtonDown(bool down) override { Log.push_back(down ? "com down" : "com up"); }
    void SetEngineTimer(bool on) override { Log.push_back(on ? "engine on" : "engine off"); }
    void SetFavWorkTimer(bool on) override { Log.push_back(on ? "favwork on" : "favwork off"); }
    void SetBusyCursor(bool busy) override { Log.push_back(busy ? "busy" : "normal"); }
    void ClearSeries(int chart, int series) override {
        Log.push_back("clear " + std::to_string(chart) + "." + std::to_string(series));
    }
    void ShowNoteWindow() override { Log.push_back("note"); }
    void ApplyKalmanLevelFromBox() override { Log.push_back("kalman"); }
    void AppendMessage(const std::string& line) override { Log.push_back("msg " + line); }
    void Sleep(int ms) override { Log.push_back("sleep " + std::to_string(ms)); }
    void WaitForBytes(int ms) override { Log.push_back("poll " + std::to_string(ms)); }
    void ProcessFrame(const Frame& frame) override {
        ++Frames;
        MaxDepth = std::max(MaxDepth, ++Depth);
        if (FrameType(frame) == FrmIdentity) State.DeviceFound = true;
        if (DuringFrame) DuringFrame();
        --Depth;
    }

private:
    Events& Log;
    LiveState& State;
};

const char* const Advice[] = {
    "점검 : 연결가능한 가속도계가 없습니다. 가속도계의 전원과 통신 케이블을 점검하세요",
    "해결1: 가속도계의 전원을 껏다 다시 켜고 우측 상단의 포트모양의 아이콘을 클릭합니다",
    "해결2: [제어판]-[장치관리자]에서 직렬 통신포트가 1~8사이로 설정되어 있는지 확인 합니다",
};

Events SearchCandidates() {
    return {"ttyUSB0", "ttyUSB1", "ttyACM0", "ttyS0"};
}

class DeviceLinkTest : public testing::Test {
protected:
    DeviceLinkTest() { Port.Comm = &Comm; }

    // The logged events that start with prefix, in order, joined by " | ".
    std::string Trace(const std::string& prefix = "") const {
        std::string trace;
        for (const std::string& event : Log)
            if (event.starts_with(prefix)) trace += (trace.empty() ? "" : " | ") + event;
        return trace;
    }
    void ConnectWithButton() {
        Comm.Existing = {"Com5"};
        Comm.DevicePort = "Com5";
        Link.SbComClick(true);
        ASSERT_TRUE(State.DeviceFound);
        Log.clear();
    }

    Events Log;
    LiveState State;
    PortContext Port;
    ScriptedPorts Comm{Log};
    Recorder Window{Log, State};
    DeviceLink Link{Port, State, Window, Window, Window, SearchCandidates};
};

TEST_F(DeviceLinkTest, StartUpConnectIdentifiesThenStartsStreamWithoutArmingWatchdog) {
    Comm.Existing = {"Com5"};
    Comm.DevicePort = "Com5";
    Link.TmSystemTimer();
    EXPECT_EQ(Trace(), "kalman | msg Please, wait. Searching ZevuzaRuziv.... | busy | favwork off"
                       " | sleep 100 | open Com5 | sleep 100 | dtr on | sleep 100 | list+ Com5"
                       " | send 02 00 00 00 02 03 @Com5 | poll 20 | sleep 100"
                       " | send 02 01 01 00 04 03 @Com5 | msg Found ZevuzaRuziv...OK"
                       " | engine on | com down | normal | note");
    EXPECT_TRUE(Port.Opened);
    EXPECT_EQ(State.RxWatchdog, 0);
    Log.clear();
    Link.TmEngineTimer();
    EXPECT_EQ(Trace(), "engine off");
}

TEST_F(DeviceLinkTest, AutoSearchFindsDeviceOnThirdCandidate) {
    Comm.Existing = {"Com5", "ttyUSB0", "ttyACM0"};
    Comm.DevicePort = "ttyACM0";
    State.VelocityRun = State.Logging = true;
    State.ChartTime = 4.2;
    Link.SbComAutoClick(false);

    EXPECT_TRUE(State.DeviceFound);
    EXPECT_FALSE(State.VelocityRun || State.Logging);
    EXPECT_EQ(State.ChartTime, 0.0);
    EXPECT_EQ(State.RxWatchdog, 1);
    EXPECT_EQ(Window.PortBox, "ttyACM0");
    EXPECT_EQ(Trace("list"), "list+ Com5 | list clear | list+ ttyUSB0 | list+ ttyACM0");
    EXPECT_EQ(Trace("msg"), "msg Please, wait. Searching ZevuzaRuziv.... | msg 가속도계가 자동 "
                            "연결되었습니다.");
    // Per candidate: the previous port closed, 50 ms, the probe; then start, 100 ms, start.
    EXPECT_EQ(Trace("close"), "close Com5 | close ttyUSB0");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "sleep 50"), 3);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "poll 20"), 10 + 10 + 1);
    EXPECT_EQ(Trace("send"), "send 02 00 00 00 02 03 @Com5 | send 02 00 00 00 02 03 @ttyUSB0"
                             " | send 02 00 00 00 02 03 @ttyACM0 | send 02 01 01 00 04 03 @ttyACM0"
                             " | send 02 01 01 00 04 03 @ttyACM0");
    EXPECT_TRUE(
        Trace().ends_with("msg 가속도계가 자동 연결되었습니다. | port box ttyACM0 | clear 1.0"
                          " | clear 1.1 | clear 1.2 | clear 1.3 | clear 2.0 | sleep 100"
                          " | send 02 01 01 00 04 03 @ttyACM0 | engine on | com down"
                          " | normal"));
}

TEST_F(DeviceLinkTest, FailedSearchAdvisesAndNextConnectUsesPortBoxName) {
    Comm.Existing = {"Com5", "ttyUSB0", "ttyUSB1", "ttyACM0", "ttyS0"};
    Link.SbComAutoClick(false);

    EXPECT_FALSE(State.DeviceFound);
    EXPECT_TRUE(Trace().ends_with(std::string("msg ") + Advice[0] + " | msg " + Advice[1] +
                                  " | msg " + Advice[2] + " | com up | normal"));
    EXPECT_EQ(Comm.DeviceName(), "Com5");
    EXPECT_EQ(Trace("list"), "list+ Com5 | list clear | list+ ttyUSB0 | list+ ttyUSB1"
                             " | list+ ttyACM0 | list+ ttyS0");

    // The device is switched on at the port of the port box: a plain connect must reach it
    // even though the last candidate was left open.
    Comm.DevicePort = "Com5";
    Log.clear();
    Link.SbComClick(true);
    EXPECT_TRUE(State.DeviceFound);
    EXPECT_TRUE(Trace("send").starts_with("send 02 00 00 00 02 03 @Com5"));
}

TEST_F(DeviceLinkTest, AutoButtonDoesNothingWhileConnected) {
    Link.SbComAutoClick(true);
    EXPECT_TRUE(Log.empty());
}

TEST_F(DeviceLinkTest, DisconnectStopsStreamAtOnceAndClosesPortOnDeferredTick) {
    ConnectWithButton();
    Link.SbComClick(false);
    EXPECT_EQ(Trace(), "send 02 01 00 00 03 03 @Com5 | engine off | favwork on");
    EXPECT_FALSE(State.DeviceFound);
    EXPECT_EQ(State.RxWatchdog, 0);
    EXPECT_TRUE(Port.Opened);

    Log.clear();
    Link.TmFavWorkTimer();
    EXPECT_EQ(Trace(), "sleep 100 | close Com5 | favwork off");
    EXPECT_FALSE(Port.Opened);

    Log.clear();
    Link.SbComClick(false); // no device: nothing to stop
    EXPECT_EQ(Trace("send"), "");
}

TEST_F(DeviceLinkTest, ReconnectBeforeDeferredCloseKeepsPortOpen) {
    ConnectWithButton();
    Link.SbComClick(false);
    Link.SbComClick(true);
    EXPECT_TRUE(State.DeviceFound);
    EXPECT_EQ(Trace("favwork"), "favwork on | favwork off");
}

TEST_F(DeviceLinkTest, WatchdogPopsUpAfterTenSilentTicksAndResendsStartUntilBytesArrive) {
    ConnectWithButton();
    State.Logging = State.VelocityRun = true;
    State.ChartTime = 3.0;
    for (int tick = 1; tick <= 9; ++tick)
        Link.TmEngineTimer();
    EXPECT_EQ(Log, Events(9, "com down"));

    Port.RxCount = 5;
    for (int tick = 1; tick <= 3; ++tick) {
        Log.clear();
        Link.TmEngineTimer();
        EXPECT_EQ(Trace(), "com up | send 02 01 01 00 04 03 @Com5") << "silent tick " << tick;
        EXPECT_EQ(Port.RxCount, 0);
        EXPECT_EQ(State.RxWatchdog, 10);
    }

    Comm.Send(BuildFrame(FrmAxisY, 0, 0));
    Link.Comm1RxChar();
    Log.clear();
    Link.TmEngineTimer();
    EXPECT_EQ(Trace(), "com down");
    EXPECT_TRUE(State.Logging && State.VelocityRun && State.DeviceFound);
    EXPECT_EQ(State.ChartTime, 3.0);

    // Pressing SbCom again while the device is known only re-arms the watchdog.
    State.RxWatchdog = 10;
    Log.clear();
    Link.SbComClick(true);
    EXPECT_EQ(Trace(), "engine on");
    EXPECT_EQ(State.RxWatchdog, 1);
}

TEST_F(DeviceLinkTest, ReceiveEventInsideFrameProcessingDoesNotReenter) {
    ConnectWithButton();
    Window.Frames = 0;
    bool arrived = false;
    Window.DuringFrame = [&] {
        if (!arrived) Comm.Send(BuildFrame(FrmAxisZ, 3, 0));
        arrived = true;
        Link.Comm1RxChar();
    };
    Comm.Send(BuildFrame(FrmAxisY, 1, 0));
    Comm.Send(BuildFrame(FrmAxisX, 2, 0));
    Link.Comm1RxChar();
    EXPECT_EQ(Window.MaxDepth, 1);
    EXPECT_EQ(Window.Frames, 2);
    EXPECT_EQ(Comm.InQueCount(), FrameLength); // left for the next receive event
    Link.Comm1RxChar();
    EXPECT_EQ(Window.Frames, 3);
    EXPECT_EQ(Port.RxCount, 0);
}

} // namespace
