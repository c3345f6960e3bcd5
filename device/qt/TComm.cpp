#include "device/qt/TComm.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace {

// A port refused although its device file lets us read and write it is held by another
// program (it locked the port, or opened it for itself alone). Windows refuses only that way.
OpenFailure FailureOf(QSerialPort::SerialPortError error,
                      [[maybe_unused]] const std::string& name) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenFailure::Missing;
    case QSerialPort::PermissionError: {
#ifdef _WIN32
        return OpenFailure::InUse;
#else
        const QString path = QString::fromStdString(name.starts_with('/') ? name : "/dev/" + name);
        const QFileInfo device(path);
        return device.isReadable() && device.isWritable() ? OpenFailure::InUse
                                                          : OpenFailure::NotPermitted;
#endif
    }
    default:
        return OpenFailure::Other;
    }
}

} // namespace

TComm::TComm(QObject* parent) : QObject(parent) {
    Port.setBaudRate(QSerialPort::Baud57600);
    connect(&Port, &QSerialPort::readyRead, this, &TComm::RxChar);
    // Queued: the handler closes the port, which must not happen inside the port's own signal.
    connect(
        &Port, &QSerialPort::errorOccurred, this,
        [this](QSerialPort::SerialPortError error) {
            const bool lost = error == QSerialPort::ResourceError ||
                              error == QSerialPort::ReadError || error == QSerialPort::WriteError;
            if (lost && Port.isOpen()) emit PortLost();
        },
        Qt::QueuedConnection);
}

void TComm::SetDeviceName(const std::string& name) {
    Name = name;
}

std::string TComm::DeviceName() const {
    return Name;
}

void TComm::Open() {
    if (Port.isOpen()) return;
    Port.setPortName(QString::fromStdString(Name));
    Failure = Port.open(QIODevice::ReadWrite) ? OpenFailure::None : FailureOf(Port.error(), Name);
}

void TComm::Close() {
    if (Port.isOpen()) Port.close();
}

bool TComm::Enabled() const {
    return Port.isOpen();
}

void TComm::SetDTRState(bool on) {
    // A pseudo-terminal has no modem lines; the port stays usable without them.
    if (Port.isOpen()) Port.setDataTerminalReady(on);
}

int TComm::InQueCount() {
    return static_cast<int>(Port.bytesAvailable());
}

int TComm::Read(std::uint8_t* destination, int count) {
    const qint64 read = Port.read(reinterpret_cast<char*>(destination), count);
    return read > 0 ? static_cast<int>(read) : 0;
}

void TComm::Write(const std::uint8_t* source, int count) {
    if (!Port.isOpen()) return;
    Port.write(reinterpret_cast<const char*>(source), count);
    // A frame the port cannot take (the device was unplugged) is dropped: left in the write
    // buffer, it would be retried by the event loop without pause.
    if (!Port.flush()) Port.clear(QSerialPort::Output);
}

bool TComm::WaitForBytes(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (Port.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) continue;
        // Closed or failed: keep the interval anyway, the caller paces its polls by it.
        if (Port.error() != QSerialPort::TimeoutError)
            QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
        break;
    }
    return Port.bytesAvailable() > 0;
}
