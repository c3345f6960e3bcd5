#pragma once

#include "device/DeviceLink.h"
#include "device/PortContext.h"

#include <cstdint>
#include <functional>
#include <optional>

// The value to write with one of the offset or scale commands (CmdOffsetY … CmdScaleZ);
// nothing when there is none to write, which ends the sequence at that command.
using CalibrationValue = std::function<std::optional<int>(std::uint8_t command)>;

// Writes the offsets, then the scales into the sensor, each channel in wire order Y, X, Z and
// each group closed by its end command; the device needs the pauses between the commands.
// False when a value was missing: the commands before it have gone out.
bool WriteCalibration(PortContext& port, LinkWaiter& waiter, const CalibrationValue& value);
