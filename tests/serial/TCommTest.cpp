#include "device/qt/TComm.h"

#include "device/qt/PortCandidates.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTest>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

const Frame IdentifyAnswer = BuildFrame(FrmIdentity, 1, 0);
constexpr int DeadlineMs = 5000;

// A pseudo-terminal whose master side plays the device. The slave stays open here too, so
// the master keeps working while the component closes and reopens it.
class PseudoTerminal {
public:
    PseudoTerminal() {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0) return;
        SlavePath = ptsname(Master);
        Slave = open(SlavePath.c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        tcgetattr(Slave, &settings);
        cfmakeraw(&settings);
        tcsetattr(Slave, TCSANOW, &settings);
        fcntl(Master, F_SETFL, fcntl(Master, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() {
        if (Slave >= 0) close(Slave);
        if (Master >= 0) close(Master);
    }
    // Opens the component on the slave side, as the port box would name it.
    bool Attach(TComm& comm) const {
        comm.SetDeviceName(SlavePath);
        comm.Open();
        return Slave >= 0 && comm.Enabled();
    }
    void Unplug() {
        close(Master);
        Master = -1;
    }
    void Send(const Frame& frame) const {
        QCOMPARE_EQ(write(Master, frame.data(), frame.size()), ssize_t(frame.size()));
    }
    // What the component wrote, collected without running the event loop.
    std::vector<std::uint8_t> Receive(std::size_t count) const {
        std::vector<std::uint8_t> bytes;
        const QDeadlineTimer deadline(DeadlineMs);
        while (bytes.size() < count && !deadline.hasExpired()) {
            std::uint8_t byte;
            if (read(Master, &byte, 1) == 1)
                bytes.push_back(byte);
            else
                usleep(1000);
        }
        return bytes;
    }

    int Master = -1;
    int Slave = -1;
    std::string SlavePath;
};

} // namespace

class TCommTest : public QObject {
    Q_OBJECT
private slots:
    void ExchangesFramesWithDeviceByPath() {
        PseudoTerminal device;
        TComm comm;
        QSignalSpy rxChar(&comm, &TComm::RxChar);
        QVERIFY(device.Attach(comm));
        QCOMPARE(comm.DeviceName(), device.SlavePath);
        comm.SetDTRState(true);

        const Frame identify = BuildFrame(CmdIdentify, 0, 0);
        comm.Write(identify.data(), FrameLength);
        QCOMPARE(device.Receive(FrameLength),
                 std::vector<std::uint8_t>(identify.begin(), identify.end()));

        device.Send(IdentifyAnswer);
        QTRY_VERIFY_WITH_TIMEOUT(comm.InQueCount() == FrameLength, DeadlineMs);
        QVERIFY(rxChar.count() > 0);
        Frame received{};
        QCOMPARE(comm.Read(received.data(), 16), FrameLength);
        QCOMPARE(received, IdentifyAnswer);
        QCOMPARE(comm.InQueCount(), 0);

        comm.Close();
        QVERIFY(!comm.Enabled());
        comm.Open();
        QVERIFY(comm.Enabled());
    }

    void WaitForBytesTakesInBytesWithoutEventLoop() {
        PseudoTerminal device;
        TComm comm;
        QVERIFY(device.Attach(comm));
        QVERIFY(!comm.WaitForBytes(20));

        device.Send(IdentifyAnswer);
        device.Send(IdentifyAnswer);
        const QDeadlineTimer deadline(DeadlineMs);
        while (comm.InQueCount() < 2 * FrameLength && !deadline.hasExpired())
            comm.WaitForBytes(20);
        QCOMPARE(comm.InQueCount(), 2 * FrameLength);
    }

    void UnavailablePortStaysClosedWithoutHarm() {
        TComm missing;
        missing.SetDeviceName("/dev/ttyNoSuchPort9");
        missing.Open();
        QVERIFY(!missing.Enabled());
        missing.SetDTRState(true);
        const Frame start = BuildFrame(CmdStream, StreamStart, 0);
        missing.Write(start.data(), FrameLength);
        QCOMPARE(missing.InQueCount(), 0);
        QVERIFY(!missing.WaitForBytes(20));

        PseudoTerminal device;
        TComm first;
        TComm busy;
        QVERIFY(device.Attach(first));
        QVERIFY(!device.Attach(busy));
    }

    void UnpluggedDeviceLeavesNoWriteToRetry() {
        PseudoTerminal device;
        TComm comm;
        QVERIFY(device.Attach(comm));
        device.Unplug();
        const Frame start = BuildFrame(CmdStream, StreamStart, 0);
        comm.Write(start.data(), FrameLength);
        QVERIFY(!comm.WaitForBytes(20));
        QCOMPARE(comm.findChild<QSerialPort*>()->bytesToWrite(), 0);
    }

    void SearchTriesUsbSerialPortsFirstAndAtMostEight() {
        const std::vector<std::string> listed = {"ttyS1", "ttyS0", "ttyUSB1", "ttyS2",   "ttyACM0",
                                                 "ttyS3", "ttyS4", "ttyS5",   "ttyUSB0", "ttyS6"};
        const std::vector<std::string> expected = {"ttyACM0", "ttyUSB0", "ttyUSB1", "ttyS0",
                                                   "ttyS1",   "ttyS2",   "ttyS3",   "ttyS4"};
        QCOMPARE(OrderPortCandidates(listed), expected);
    }
};

QTEST_GUILESS_MAIN(TCommTest)
#include "TCommTest.moc"
