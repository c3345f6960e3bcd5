#include "device/PortContext.h"

void SendCommand(PortContext& port, std::uint8_t type, std::uint8_t byte2, std::uint8_t byte3) {
    if (!port.Opened || port.Comm == nullptr) return;
    const Frame frame = BuildFrame(type, byte2, byte3);
    port.Comm->Write(frame.data(), FrameLength);
}
