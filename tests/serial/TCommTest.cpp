#include "device/qt/TComm.h"

#include "device/qt/PortCandidates.h"

#include <QSignalSpy>
#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

class TCommTest : public QObject {
    Q_OBJECT
private slots:
    void SearchTriesUsbAdaptersFirstAndAtMostEightPorts() {
        const std::vector<std::string> ordered =
            OrderPortCandidates({"ttyS0", "ttyUSB1", "ttyS1", "ttyACM0", "ttyS2", "ttyS3", "ttyS4",
                                 "ttyS5", "ttyS6", "ttyUSB0"});
        const std::vector<std::string> expected = {"ttyACM0", "ttyUSB0", "ttyUSB1", "ttyS0",
                                                   "ttyS1",   "ttyS2",   "ttyS3",   "ttyS4"};
        QVERIFY(ordered == expected);
    }
    void ExchangesFramesOnAPseudoTerminalAndDropsWritesWhenUnplugged() {
        const int device = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK); // the master side
        QVERIFY(device >= 0 && grantpt(device) == 0 && unlockpt(device) == 0);
        TComm comm;
        comm.SetDeviceName(ptsname(device));
        comm.Open();
        comm.SetDTRState(true);
        const Frame start = BuildFrame(CmdStream, StreamStart, 0);
        comm.Write(start.data(), FrameLength);
        Frame frame{};
        pollfd written{device, POLLIN, 0};
        QVERIFY(poll(&written, 1, 5000) == 1);
        QCOMPARE(read(device, frame.data(), FrameLength), ssize_t(FrameLength));
        QCOMPARE(frame, start);

        QSignalSpy rxChar(&comm, &TComm::RxChar);
        const Frame answer = BuildFrame(FrmIdentity, 1, 0);
        QCOMPARE(write(device, answer.data(), FrameLength), ssize_t(FrameLength));
        for (int attempt = 0; attempt < 250 && comm.InQueCount() < FrameLength; ++attempt)
            comm.WaitForBytes(20); // without the event loop, as the probe polls
        QCOMPARE(comm.Read(frame.data(), FrameLength), FrameLength);
        QCOMPARE(frame, answer);
        QVERIFY(rxChar.count() > 0);

        close(device); // unplugged: a frame the port cannot take is dropped, not retried
        comm.Write(start.data(), FrameLength);
        QCOMPARE(comm.findChild<QSerialPort*>()->bytesToWrite(), 0);
    }
};

QTEST_GUILESS_MAIN(TCommTest)
#include "TCommTest.moc"
