#pragma once

#include "device/Frame.h"

#include <cstdint>
#include <string>

// Why the last Open left a port closed.
enum class OpenFailure { None, Missing, InUse, NotPermitted, Other };

// What the program needs of a serial port: the operations of the serial component. The Qt
// component implements it over a real port; tests implement it over memory or a
// pseudo-terminal.
class SerialComm {
public:
    virtual ~SerialComm() = default;
    virtual void SetDeviceName(const std::string& name) = 0;
    virtual std::string DeviceName() const = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool Enabled() const = 0;
    virtual OpenFailure LastOpenFailure() const { return OpenFailure::None; }
    virtual void SetDTRState(bool on) = 0;
    virtual int InQueCount() = 0;
    virtual int Read(std::uint8_t* destination, int count) = 0;
    virtual void Write(const std::uint8_t* source, int count) = 0;
};

constexpr std::int32_t RxBufferSize = 2048;

// Receive context of one serial port. The unconsumed bytes are always the first RxCount
// bytes of RxBuffer.
struct PortContext {
    SerialComm* Comm = nullptr;
    bool Opened = false;
    std::int32_t RxCount = 0;
    std::uint8_t RxBuffer[RxBufferSize] = {};
    ::Frame Frame = {};
};

// Sends one command frame in a single write; does nothing while the port is not open.
void SendCommand(PortContext& port, std::uint8_t type, std::uint8_t byte2, std::uint8_t byte3);
