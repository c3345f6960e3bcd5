#pragma once

#include "device/PortContext.h"

#include <QObject>
#include <QSerialPort>
#include <string>

// The serial component Comm1: one port at 57600 baud, 8N1, no flow control. RxChar is raised
// on the thread that owns the component (the user-interface thread) when bytes arrived,
// PortLost when the port stopped working.
class TComm : public QObject, public SerialComm {
    Q_OBJECT
public:
    explicit TComm(QObject* parent = nullptr);

    // Takes effect at the next Open; a port that is open keeps talking to its old name.
    void SetDeviceName(const std::string& name) override;
    // The name as it was set, e.g. "COM5", "ttyUSB0" or a full path.
    std::string DeviceName() const override;
    // A port that is missing, busy or not permitted just stays closed: see Enabled, and
    // LastOpenFailure for why.
    void Open() override;
    void Close() override;
    bool Enabled() const override;
    OpenFailure LastOpenFailure() const override { return Failure; }
    void SetDTRState(bool on) override;
    int InQueCount() override;
    int Read(std::uint8_t* destination, int count) override;
    // Hands the bytes to the system at once, also while a handler blocks the event loop.
    void Write(const std::uint8_t* source, int count) override;

    // Takes in what arrives during ms milliseconds without running the event loop, so that
    // InQueCount and Read see it. Returns whether bytes are waiting. RxChar may be raised
    // from inside this call.
    bool WaitForBytes(int ms);

signals:
    void RxChar();
    // The open port is gone (unplugged adapter) or failed to read or write. Raised from the
    // event loop, never from inside a call of this component.
    void PortLost();

private:
    QSerialPort Port{this};
    std::string Name;
    OpenFailure Failure = OpenFailure::None;
};
