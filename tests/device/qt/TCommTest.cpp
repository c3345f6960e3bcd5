#include "device/qt/TComm.h"

#include "device/qt/PortCandidates.h"

#include <QTest>
#include <fcntl.h>
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
        QVERIFY(FirstUsbSerialPath({"ttyS0", "ttyUSB1", "ttyUSB0"}) == "/dev/ttyUSB0");
        QVERIFY(FirstUsbSerialPath({"ttyS1", "ttyS0"}).empty()); // no adapter: nothing proposed
        QVERIFY(FirstUsbSerialPath({}).empty());
    }
    // Frames both ways on a pseudo-terminal are exchanged end to end (AppTests).
    void DropsWritesWhenUnplugged() {
        const int device = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK); // the master side
        QVERIFY(device >= 0 && grantpt(device) == 0 && unlockpt(device) == 0);
        TComm comm;
        comm.SetDeviceName(ptsname(device));
        comm.Open();
        QVERIFY(comm.Enabled());
        close(device); // a frame the port cannot take is dropped, not retried
        const Frame start = BuildFrame(CmdStream, StreamStart, 0);
        comm.Write(start.data(), FrameLength);
        QCOMPARE(comm.findChild<QSerialPort*>()->bytesToWrite(), 0);
    }
    // A port another program holds is told from one that is not there.
    void TellsAPortInUseFromAMissingOne() {
        const int device = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(device >= 0 && grantpt(device) == 0 && unlockpt(device) == 0);
        TComm holder, second;
        for (TComm* comm : {&holder, &second})
            comm->SetDeviceName(ptsname(device));
        holder.Open();
        QVERIFY(holder.Enabled() && holder.LastOpenFailure() == OpenFailure::None);
        second.Open();
        QVERIFY(!second.Enabled() && second.LastOpenFailure() == OpenFailure::InUse);
        holder.Close();
        second.Open();
        QVERIFY(second.Enabled());
        TComm missing;
        missing.SetDeviceName("/dev/ttyUSB97");
        missing.Open();
        QVERIFY(missing.LastOpenFailure() == OpenFailure::Missing);
        close(device);
    }
};

QTEST_GUILESS_MAIN(TCommTest)
#include "TCommTest.moc"
