#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>

// accsim on a pseudo-terminal, started for one test. It prints its device path first and,
// with --verbose, one "rx …" line per command frame it receives.
class SimulatorProcess {
public:
    explicit SimulatorProcess(QStringList options) {
        Process.setProgram(QStringLiteral(ACCSIM_PATH));
        Process.setArguments(options << QStringLiteral("--verbose"));
        Process.start();
        QElapsedTimer clock;
        clock.start();
        while (!Process.canReadLine() && clock.elapsed() < 10000)
            Process.waitForReadyRead(100);
        Path = QString::fromUtf8(Process.readLine()).trimmed();
    }
    ~SimulatorProcess() {
        Process.terminate();
        Process.waitForFinished(5000);
    }

    QString DevicePath() const { return Path; }
    // The settings line that has the program open this device.
    QString PortLine() const { return QStringLiteral("CmbComPort=%1\r\n").arg(Path); }

    // Every command line received so far, as "02 01 01 00 04 03 t=…".
    QStringList Received() {
        while (Process.canReadLine()) {
            const QString line = QString::fromUtf8(Process.readLine()).trimmed();
            if (line.startsWith(QLatin1String("rx "))) Lines << line.mid(3);
        }
        return Lines;
    }

    int CountOf(const QString& frame) { return Received().filter(frame).size(); }

    // Milliseconds since the simulator's start at which a frame first arrived; -1 if never.
    double TimeOf(const QString& frame) {
        for (const QString& line : Received()) {
            if (line.startsWith(frame)) return line.section(QLatin1String("t="), 1).toDouble();
        }
        return -1;
    }

private:
    QProcess Process;
    QString Path;
    QStringList Lines;
};
