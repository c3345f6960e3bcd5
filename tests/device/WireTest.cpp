#include "device/CalibrationWrite.h"
#include "device/ReceiveQueue.h"
#include "tests/device/MemoryComm.h"

#include <gtest/gtest.h>
#include <map>

using Bytes = std::vector<std::uint8_t>;

static Bytes Hex(const std::string& text) {
    Bytes bytes;
    for (std::size_t at = 0; at < text.size(); at += 3)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16)));
    return bytes;
}

// Slot 0 bound to a port in memory; keeps the frames handed on, end to end, and the messages.
struct Link final : FrameConsumer {
    MemoryComm Comm;
    PortContext Port{.Comm = &Comm, .Opened = true};
    Bytes Frames;
    std::vector<std::string> Messages;

    void ProcessFrame(const Frame& frame) override {
        Frames.insert(Frames.end(), frame.begin(), frame.end());
    }
    void AppendMessage(const Message& message) override { Messages.push_back(KoreanText(message)); }
    void Receive(const Bytes& bytes) {
        Comm.Arrive(bytes.data(), bytes.size());
        ReceiveData(Port, *this);
    }
};

TEST(SendCommand, WritesEachFrameInOneWriteOnlyWhileThePortIsOpen) {
    Link link;
    PortContext closed{.Comm = &link.Comm};
    SendCommand(closed, CmdIdentify, 0, 0);
    SendCommand(link.Port, CmdIdentify, 0, 0);
    SendCommand(link.Port, CmdStream, StreamStart, 0);
    SendCommand(link.Port, CmdStream, StreamStop, 0);
    EXPECT_EQ(link.Comm.Writes,
              (std::vector<Bytes>{Hex("02 00 00 00 02 03"), Hex("02 01 01 00 04 03"),
                                  Hex("02 01 00 00 03 03")}));
    // A typed value goes out as its lower 16 bits; the checksum wraps (0x205 here).
    EXPECT_EQ(BuildValueFrame(CmdOffsetX, -2), (Frame{0x02, 0x06, 0xFE, 0xFF, 0x05, 0x03}));
    EXPECT_EQ(BuildValueFrame(CmdScaleY, 70000), (Frame{0x02, 0x09, 0x70, 0x11, 0x8C, 0x03}));
}

// Offsets, then scales, each in wire order Y, X, Z and closed by its end command, with the
// pauses the device needs; a missing value ends the write there.
TEST(WriteCalibration, WritesOffsetsThenScalesWithPausesAndStopsAtAMissingValue) {
    struct Pauses final : LinkWaiter {
        void Sleep(int ms) override { Taken.push_back(ms); }
        void WaitForBytes(int) override {}
        std::vector<int> Taken;
    };
    const std::map<std::uint8_t, int> values = {{CmdOffsetY, -2},     {CmdOffsetX, 300},
                                                {CmdOffsetZ, -32768}, {CmdScaleY, 1000},
                                                {CmdScaleX, -1},      {CmdScaleZ, 32767}};
    for (const std::uint8_t missing : {std::uint8_t{0}, CmdScaleX}) {
        Link link;
        Pauses pauses;
        const bool written = WriteCalibration(link.Port, pauses, [&](std::uint8_t command) {
            return command == missing ? std::nullopt : std::optional(values.at(command));
        });
        const std::vector<Bytes> all = {Hex("02 05 FE FF 04 03"), Hex("02 06 2C 01 35 03"),
                                        Hex("02 07 00 80 89 03"), Hex("02 08 00 00 0A 03"),
                                        Hex("02 09 E8 03 F6 03"), Hex("02 0A FF FF 0A 03"),
                                        Hex("02 0B FF 7F 8B 03"), Hex("02 0C 00 00 0E 03")};
        if (missing == 0) {
            EXPECT_TRUE(written);
            EXPECT_EQ(link.Comm.Writes, all);
            EXPECT_EQ(pauses.Taken, (std::vector<int>{50, 50, 50, 200, 50, 50, 50}));
        } else {
            EXPECT_FALSE(written);
            EXPECT_EQ(link.Comm.Writes, std::vector<Bytes>(all.begin(), all.begin() + 5));
        }
    }
}

TEST(ReceiveData, DeliversValidFramesInOrderAndResynchronisesSilently) {
    const struct {
        std::vector<const char*> reads;
        const char* frames;
        int left;
    } cases[] = {
        {{"02 10 34", "12 58 03"}, "02 10 34 12 58 03", 0},
        // Noise before a frame goes with it; STX and ETX values in the data need no escaping.
        {{"41 42 02 11 00 00 13 03 02 10 02 03 17 03"}, "02 11 00 00 13 03 02 10 02 03 17 03", 0},
        {{"02 EA 02 12 00 00 14 03"}, "02 12 00 00 14 03", 0}, // wrong ETX, a start inside
        {{"02 10 34 12 59 03 02 11 00 00 13 03"}, "02 11 00 00 13 03", 0},
        {{"41 41 41 41 41 41"}, "", 0},
        {{"41 41 02 10 34 12 58"}, "", 7},
    };
    for (const auto& c : cases) {
        Link link;
        for (const char* bytes : c.reads)
            link.Receive(Hex(bytes));
        EXPECT_EQ(link.Frames, Hex(c.frames)) << c.reads[0];
        EXPECT_EQ(link.Port.RxCount, c.left) << c.reads[0];
        EXPECT_TRUE(link.Messages.empty());
    }
}

TEST(ReceiveData, OverflowDropsTheWaitingBytesAndNeverOverrunsTheBuffer) {
    Bytes stream;
    for (int i = 0; i < 500; ++i) {
        const Frame frame = BuildValueFrame(FrmAxisX, i);
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    Link link;
    Bytes waiting(2000, 0x41); // noise, then a frame start: all 2000 bytes wait for more
    waiting.back() = FrameStx;
    link.Receive(waiting);
    // 3000 new bytes: the buffer takes 2048 of them (341 frames and 2 bytes), the rest wait.
    link.Receive(stream);
    EXPECT_EQ(link.Messages,
              (std::vector<std::string>{"Overflow : Not Processed Data[2000] New Data[3000]"}));
    EXPECT_EQ(link.Frames, Bytes(stream.begin(), stream.begin() + 341 * FrameLength));
    link.Receive({});
    EXPECT_EQ(link.Frames, stream);
}
