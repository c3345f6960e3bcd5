#include "device/Frame.h"

#include "device/PortContext.h"
#include "tests/device/MemoryComm.h"

#include <gtest/gtest.h>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

static Bytes Wire(const Frame& frame) {
    return Bytes(frame.begin(), frame.end());
}

TEST(Frame, CommandFramesMatchTheWire) {
    const struct {
        Frame frame;
        Bytes wire;
    } cases[] = {
        {BuildFrame(CmdIdentify, 0, 0), {0x02, 0x00, 0x00, 0x00, 0x02, 0x03}},
        {BuildFrame(CmdStream, StreamStart, 0), {0x02, 0x01, 0x01, 0x00, 0x04, 0x03}},
        {BuildFrame(CmdStream, StreamStop, 0), {0x02, 0x01, 0x00, 0x00, 0x03, 0x03}},
        {BuildFrame(CmdReadCal, ReadCalOffsets, 0), {0x02, 0x04, 0x01, 0x00, 0x07, 0x03}},
        {BuildFrame(CmdReadCal, ReadCalScales, 0), {0x02, 0x04, 0x02, 0x00, 0x08, 0x03}},
        {BuildFrame(CmdOffsetEnd, 0, 0), {0x02, 0x08, 0x00, 0x00, 0x0A, 0x03}},
        {BuildFrame(CmdScaleEnd, 0, 0), {0x02, 0x0C, 0x00, 0x00, 0x0E, 0x03}},
        // The checksum wraps: 0x02 + 0x06 + 0xFE + 0xFF = 0x205.
        {BuildValueFrame(CmdOffsetX, -2), {0x02, 0x06, 0xFE, 0xFF, 0x05, 0x03}},
        // Only the lower 16 bits of a typed value go out: 70000 = 0x11170.
        {BuildValueFrame(CmdScaleY, 70000), {0x02, 0x09, 0x70, 0x11, 0x8C, 0x03}},
        {BuildValueFrame(CmdScaleZ, -32768), {0x02, 0x0B, 0x00, 0x80, 0x8D, 0x03}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Wire(c.frame), c.wire) << int(c.frame[1]);
}

TEST(Frame, ValueIsLittleEndianInt16AndConvertsByRange) {
    const struct {
        std::uint8_t low, high;
        std::int16_t value;
    } values[] = {
        {0xFF, 0x7F, 32767}, {0x00, 0x80, -32768}, {0xFF, 0xFF, -1}, {0x34, 0x12, 0x1234}};
    for (const auto& v : values)
        EXPECT_EQ(FrameValue(BuildFrame(FrmAxisX, v.low, v.high)), v.value) << v.value;

    // Range code 1 is the fine range; every other code, and no answer yet (0), the coarse one.
    EXPECT_EQ(CountToG(16384, 1), 1.0);
    EXPECT_EQ(CountToG(8192, 0), 1.0);
    EXPECT_EQ(CountToG(8192, 2), 1.0);
    EXPECT_EQ(CountToG(-32768, 0), -4.0);
    EXPECT_EQ(CountToG(-32768, 1), -2.0);
    EXPECT_EQ(CountToG(1, 1), 1.0 / 16384);
}

TEST(Frame, SendCommandWritesOneFrameOnlyWhileOpen) {
    MemoryComm comm;
    PortContext port;
    SendCommand(port, CmdIdentify, 0, 0); // no port bound at all
    port.Comm = &comm;
    SendCommand(port, CmdIdentify, 0, 0);
    EXPECT_TRUE(comm.Writes.empty());

    port.Opened = true;
    SendCommand(port, CmdStream, StreamStart, 0);
    ASSERT_EQ(comm.Writes.size(), 1u);
    EXPECT_EQ(comm.Writes[0], Wire(BuildFrame(CmdStream, StreamStart, 0)));
}
