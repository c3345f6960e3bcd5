#pragma once

#include <array>
#include <cstdint>

// The six-byte frame both sides of the serial line speak: STX, type, value low, value high,
// checksum over the first four bytes, ETX. The value is a little-endian int16.
using Frame = std::array<std::uint8_t, 6>;

constexpr std::uint8_t FrameStx = 0x02;
constexpr std::uint8_t FrameEtx = 0x03;
constexpr int FrameLength = 6;

// Frames the device sends.
constexpr std::uint8_t FrmAxisY = 0x10;
constexpr std::uint8_t FrmAxisX = 0x11;
constexpr std::uint8_t FrmAxisZ = 0x12;
constexpr std::uint8_t FrmOffsetY = 0x16;
constexpr std::uint8_t FrmOffsetX = 0x17;
constexpr std::uint8_t FrmOffsetZ = 0x18;
constexpr std::uint8_t FrmScaleY = 0x19;
constexpr std::uint8_t FrmScaleX = 0x1A;
constexpr std::uint8_t FrmScaleZ = 0x1B;
constexpr std::uint8_t FrmIdentity = 0x80;

// Commands the PC sends.
constexpr std::uint8_t CmdIdentify = 0x00;
constexpr std::uint8_t CmdStream = 0x01;  // byte 2: 1 start, 0 stop
constexpr std::uint8_t CmdReadCal = 0x04; // byte 2: 1 offsets, 2 scales
constexpr std::uint8_t CmdOffsetY = 0x05;
constexpr std::uint8_t CmdOffsetX = 0x06;
constexpr std::uint8_t CmdOffsetZ = 0x07;
constexpr std::uint8_t CmdOffsetEnd = 0x08;
constexpr std::uint8_t CmdScaleY = 0x09;
constexpr std::uint8_t CmdScaleX = 0x0A;
constexpr std::uint8_t CmdScaleZ = 0x0B;
constexpr std::uint8_t CmdScaleEnd = 0x0C;

constexpr std::uint8_t StreamStop = 0;
constexpr std::uint8_t StreamStart = 1;
constexpr std::uint8_t ReadCalOffsets = 1;
constexpr std::uint8_t ReadCalScales = 2;

// Sum of bytes 0..3 modulo 256; the STX is included.
constexpr std::uint8_t FrameChecksum(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                                     std::uint8_t b3) {
    return static_cast<std::uint8_t>(b0 + b1 + b2 + b3);
}

constexpr Frame BuildFrame(std::uint8_t type, std::uint8_t byte2, std::uint8_t byte3) {
    return {FrameStx, type, byte2, byte3, FrameChecksum(FrameStx, type, byte2, byte3), FrameEtx};
}

// A frame carrying a signed value: its lower 16 bits, low byte first.
constexpr Frame BuildValueFrame(std::uint8_t type, std::int32_t value) {
    return BuildFrame(type, static_cast<std::uint8_t>(value & 0xFF),
                      static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

constexpr std::uint8_t FrameType(const Frame& frame) {
    return frame[1];
}

constexpr std::int16_t FrameValue(const Frame& frame) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(frame[2] | (frame[3] << 8)));
}

// 16-bit negation, as the device's counts wrap: −32768 stays −32768.
constexpr std::int16_t Negate16(std::int16_t count) {
    return static_cast<std::int16_t>(-static_cast<std::uint16_t>(count));
}

// One count is 1/16384 g when the device reports range code 1 and 1/8192 g otherwise,
// also before any identify answer.
constexpr double CountToG(std::int16_t count, std::uint8_t rangeCode) {
    const double factor = rangeCode == 1 ? 0.0009765625 : 0.001953125;
    return count * factor * 0.0625;
}
