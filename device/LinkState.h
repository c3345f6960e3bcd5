#pragma once

#include <cstdint>

// What the connection logic and the frame processing share about the device on the line.
struct LinkState {
    bool DeviceFound = false; // it answered identify
    // Engine ticks since bytes last came; 0 while the link is not watched.
    std::uint8_t RxWatchdog = 0;
};
