#include "device/DeviceLink.h"

#include "tests/device/MemoryComm.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The window, its waits and the ports in memory, logging every call; the device is on Device.
struct DeviceLinkTest : testing::Test, SerialComm, LinkView, LinkWaiter, FrameConsumer {
    std::string Trace(std::initializer_list<std::string_view> prefixes = {""}) const {
        std::string trace;
        for (const std::string& line : Log)
            if (std::ranges::any_of(prefixes, [&](auto p) { return line.starts_with(p); }))
                trace += (trace.empty() ? "" : " | ") + line;
        return trace;
    }

    void SetDeviceName(const std::string& name) override { Name = name; }
    std::string DeviceName() const override { return Name; }
    void Open() override { Log.push_back("open " + (OpenName = Name)); }
    void Close() override { Log.push_back("close " + std::exchange(OpenName, "")); }
    bool Enabled() const override { return std::ranges::count(Existing, OpenName) > 0; }
    OpenFailure LastOpenFailure() const override {
        return std::ranges::count(Held, Name) > 0 ? OpenFailure::InUse : OpenFailure::None;
    }
    void SetDTRState(bool on) override { Log.push_back(on ? "dtr on" : "dtr off"); }
    int InQueCount() override { return Line.InQueCount(); }
    int Read(std::uint8_t* bytes, int count) override { return Line.Read(bytes, count); }
    void Write(const std::uint8_t* source, int count) override {
        std::string line = "send " + OpenName + ":";
        for (int i = 0; i < count; ++i)
            line += {' ', "0123456789ABCDEF"[source[i] >> 4], "0123456789ABCDEF"[source[i] & 15]};
        Log.push_back(line);
        if (OpenName == Device && source[1] == CmdIdentify) Arrive(BuildFrame(FrmIdentity, 1, 0));
    }
    void Arrive(const Frame& frame) { Line.Arrive(frame.data(), FrameLength); }

    std::string PortBoxText() const override { return Box; }
    void SetPortBoxText(const std::string& name) override { Log.push_back("box " + (Box = name)); }
    void ClearPortList() override { Log.push_back("list clear"); }
    void AddPortToList(const std::string& name) override { Log.push_back("list+ " + name); }
    void SetComButtonDown(bool down) override { Log.push_back(down ? "com down" : "com up"); }
    void SetEngineTimer(bool on) override { Log.push_back(on ? "engine on" : "engine off"); }
    void SetFavWorkTimer(bool on) override { Log.push_back(on ? "favwork on" : "favwork off"); }
    void SetReconnectTimer(bool on) override { Log.push_back(on ? "retry on" : "retry off"); }
    void SetBusyCursor(bool busy) override { Log.push_back(busy ? "busy" : "normal"); }
    void ConnectBegins() override { Log.push_back("connect"); }
    void StreamStartsAfresh() override { Log.push_back("afresh"); }
    void DeviceLost() override { Log.push_back("lost"); }
    void AppendMessage(const Message& message) override {
        Log.push_back("msg " + KoreanText(message));
    }
    void Sleep(int ms) override { Log.push_back("sleep " + std::to_string(ms)); }
    void WaitForBytes(int ms) override { Log.push_back("poll " + std::to_string(ms)); }
    void ProcessFrame(const Frame& frame) override {
        State.DeviceFound |= frame[1] == FrmIdentity;
        if (frame[1] != FrmAxisY) return;
        Arrive(BuildFrame(FrmAxisX, 0, 0)); // bytes and their event come while a frame is handled
        Link.Comm1RxChar();
    }

    std::vector<std::string> Log, Existing = {"Com5", "ttyUSB0", "ttyACM0"}; // ports that open
    std::vector<std::string> Held; // ports another program holds: they do not open
    std::string Device = "Com5", Box = "Com5", Name, OpenName;
    MemoryComm Line;
    LinkState State;
    PortContext Port{this};
    const std::vector<std::string> SearchOrder = {"ttyUSB0", "ttyUSB1", "ttyACM0"};
    DeviceLink Link{Port, State, *this, *this, *this, [this] { return SearchOrder; }};
};

TEST_F(DeviceLinkTest, ConnectsAtStartUpWatchesTheStreamAndClosesLateOnDisconnect) {
    Link.TmSystemTimer();
    Link.TmEngineTimer(); // no receive event yet: the first tick stops the watchdog
    EXPECT_EQ(Trace(), "msg Please, wait. Searching ZevuzaRuziv.... | busy | connect | favwork off"
                       " | sleep 100 | open Com5 | sleep 100 | dtr on | sleep 100 | list+ Com5"
                       " | send Com5: 02 00 00 00 02 03 | poll 20 | sleep 100"
                       " | send Com5: 02 01 01 00 04 03 | msg Found ZevuzaRuziv...OK"
                       " | engine on | com down | normal | engine off");

    Link.SbComAutoClick(true); // SbCom is down: the search does nothing
    Link.SbComClick(true);     // the device is known: the watchdog is only re-armed
    for (int tick = 0; tick < 11; ++tick)
        Link.TmEngineTimer();
    EXPECT_TRUE(Trace({"engine", "com up", "send"})
                    .ends_with("engine off | engine on | com up | send Com5: 02 01 01 00 04 03"
                               " | com up | send Com5: 02 01 01 00 04 03"));
    Arrive(BuildFrame(FrmAxisY, 0, 0));
    Link.Comm1RxChar();
    EXPECT_EQ(Line.InQueCount(), FrameLength); // the X frame waits: no nested receive
    Link.TmEngineTimer();
    // Nothing is reset: the only connect was the start-up one.
    EXPECT_TRUE(Log.back() == "com down" && State.DeviceFound &&
                Trace({"connect", "lost"}) == "connect");

    Link.SbComClick(false);
    EXPECT_TRUE(Trace().ends_with("send Com5: 02 01 00 00 03 03 | engine off | favwork on"));
    Link.SbComClick(true); // before the deferred tick: the connect cancels the close
    EXPECT_EQ(Trace({"favwork", "close"}), "favwork off | favwork on | favwork off");
    Link.SbComClick(false);
    Link.TmFavWorkTimer();
    EXPECT_TRUE(Trace().ends_with("favwork on | sleep 100 | close Com5 | favwork off"));
}

TEST_F(DeviceLinkTest, SearchAdvisesWhenNothingAnswersAndConnectsTheCandidateThatDoes) {
    Device.clear();
    Link.SbComAutoClick(false);
    EXPECT_EQ(Trace({"list"}), "list+ Com5 | list clear | list+ ttyUSB0 | list+ ttyACM0");
    EXPECT_EQ(std::ranges::count(Log, "poll 20"), 30); // ten polls on each port that opened
    EXPECT_TRUE(Trace().ends_with(
        "msg 점검 : 연결가능한 가속도계가 없습니다. 가속도계의 전원과 통신 케이블을 점검하세요"
        " | msg 해결1: 가속도계의 전원을 껏다 다시 켜고 우측 상단의 포트모양의 아이콘을 클릭합니다"
        " | msg 해결2: [제어판]-[장치관리자]에서 직렬 통신포트가 1~8사이로 설정되어 있는지 확인 "
        "합니다"
#ifdef __linux__
        " | msg 해결3: 리눅스에서는 포트를 /dev/ttyUSB0 또는 /dev/ttyACM0 형식으로 입력하고, "
        "사용자가 dialout 그룹에 속해 있는지 확인합니다 (sudo usermod -aG dialout 사용자명, 다시 "
        "로그인)"
#endif
        " | com up | normal"));

    Device = "ttyACM0"; // the last candidate is still open, yet Com5 is probed first
    Link.SbComAutoClick(false);
    EXPECT_TRUE(Trace({"open", "close", "sleep 50"})
                    .ends_with("open ttyACM0 | close ttyACM0 | open Com5 | close Com5 | sleep 50"
                               " | open ttyUSB0 | close ttyUSB0 | sleep 50 | open ttyUSB1"
                               " | sleep 50 | open ttyACM0"));
    EXPECT_TRUE(Trace().ends_with("poll 20 | sleep 100 | send ttyACM0: 02 01 01 00 04 03"
                                  " | msg 가속도계가 자동 연결되었습니다. | box ttyACM0 | afresh | "
                                  "sleep 100 | send ttyACM0: 02 01 01 00 04 03 | engine on"
                                  " | com down | normal"));
}

TEST_F(DeviceLinkTest, ADeviceThatAnswersButSendsNothingIsSaidToOnceASilence) {
    Link.TmSystemTimer();
    for (int spell = 0; spell < 2; ++spell) {
        Link.Comm1RxChar(); // bytes came
        for (int tick = 0; tick < 40; ++tick)
            Link.TmEngineTimer();
    }
    // Nine ticks of grace, then the start is asked for on each of the other 31.
    EXPECT_EQ(std::ranges::count(Log, "send Com5: 02 01 01 00 04 03"), 1 + 2 * 31);
    EXPECT_EQ(std::ranges::count(Log, "msg 가속도계가 연결되어 있지만 데이터를 보내지 않습니다 "
                                      "(Com5). 계속 요청하고 있습니다. 오래 계속되면 가속도계의 "
                                      "전원을 껐다 켜고 우측 상단의 포트모양의 아이콘을 눌러 다시 "
                                      "연결하세요"),
              2);
}

TEST_F(DeviceLinkTest, PortsHeldByAnotherProgramAreNamedInsteadOfTheAdvice) {
    Existing = {"ttyUSB0"};
    Held = {"Com5", "ttyACM0"};
    Link.TmSystemTimer();
    Link.SbComAutoClick(false);
    const std::string held = "을(를) 다른 프로그램이 사용 중입니다. 그 프로그램(다른 Tarvik 창, "
                             "시리얼 모니터 등)을 닫은 뒤 우측 상단의 포트모양의 아이콘을 눌러 "
                             "연결하세요";
    EXPECT_EQ(Trace({"msg"}), "msg Please, wait. Searching ZevuzaRuziv.... | msg 포트 Com5" + held +
                                  " | msg Please, wait. Searching ZevuzaRuziv.... | msg 포트 Com5, "
                                  "ttyACM0" +
                                  held);
}

TEST_F(DeviceLinkTest, ALostPortIsReportedOnceRetriedQuietlyAndReconnected) {
    Link.TmSystemTimer();
    Log.clear();
    Existing.clear(); // the adapter is unplugged
    Link.Comm1PortLost();
    Link.Comm1PortLost(); // the component may report it more than once
    Link.TmReconnectTimer();
    const std::string lost =
        "msg 가속도계 연결이 끊어졌습니다 (Com5). 케이블을 다시 연결하면 자동으로 다시 "
        "연결되며, 우측 상단의 포트모양의 아이콘을 눌러 바로 연결할 수도 있습니다";
    EXPECT_EQ(Trace(), "sleep 100 | close Com5 | engine off | com up | " + lost +
                           " | lost | retry on | open Com5"); // a missing port costs no pause
    Link.SbComClick(true);                                    // a click tries at once
    EXPECT_TRUE(Trace().ends_with("retry on | open Com5 | open Com5 | com up | " + lost));
    EXPECT_FALSE(State.DeviceFound);

    Existing = {"Com5"};
    Log.clear();
    Link.TmReconnectTimer();
    EXPECT_EQ(Trace(), "open Com5 | dtr on | sleep 100 | send Com5: 02 00 00 00 02 03 | poll 20"
                       " | retry off | sleep 100 | send Com5: 02 01 01 00 04 03"
                       " | msg 가속도계가 다시 연결되었습니다. | engine on | com down");
    EXPECT_TRUE(State.DeviceFound);

    Link.SbComClick(false); // a port the user is disconnecting closes without a word
    Log.clear();
    Link.Comm1PortLost();
    Link.TmReconnectTimer();
    EXPECT_EQ(Trace(), "sleep 100 | close Com5 | retry off");
}

} // namespace
