#include "device/CalibrationWrite.h"

#include "device/Frame.h"

namespace {

constexpr int ValuePauseMs = 50;
constexpr int GroupPauseMs = 200;

// The three values of a group and its end command; false when a value was missing.
bool WriteGroup(PortContext& port, LinkWaiter& waiter, const CalibrationValue& value,
                const std::uint8_t (&commands)[3], std::uint8_t end) {
    for (const std::uint8_t command : commands) {
        const std::optional<int> number = value(command);
        if (!number) return false;
        const Frame frame = BuildValueFrame(command, *number);
        SendCommand(port, command, frame[2], frame[3]);
        waiter.Sleep(ValuePauseMs);
    }
    SendCommand(port, end, 0, 0);
    return true;
}

} // namespace

bool WriteCalibration(PortContext& port, LinkWaiter& waiter, const CalibrationValue& value) {
    if (!WriteGroup(port, waiter, value, {CmdOffsetY, CmdOffsetX, CmdOffsetZ}, CmdOffsetEnd))
        return false;
    waiter.Sleep(GroupPauseMs);
    return WriteGroup(port, waiter, value, {CmdScaleY, CmdScaleX, CmdScaleZ}, CmdScaleEnd);
}
