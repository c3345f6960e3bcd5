#include "device/ReceiveQueue.h"

#include "tests/device/MemoryComm.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Wire(const Frame& frame) {
    return Bytes(frame.begin(), frame.end());
}

// Keeps what ReceiveData hands on.
struct RecordingConsumer final : FrameConsumer {
    std::vector<Bytes> Frames;
    std::vector<std::string> Messages;
    void ProcessFrame(const Frame& frame) override { Frames.push_back(Wire(frame)); }
    void AppendMessage(const std::string& line) override { Messages.push_back(line); }
};

// A port bound to an in-memory serial component, as the main window binds slot 0.
struct Link {
    MemoryComm Comm;
    PortContext Port;
    RecordingConsumer Consumer;
    Link() {
        Port.Comm = &Comm;
        Port.Opened = true;
    }
    void Receive(const Bytes& bytes) {
        Comm.Arrive(bytes);
        ReceiveData(Port, Consumer);
    }
    Bytes Buffered() const { return Bytes(Port.RxBuffer, Port.RxBuffer + Port.RxCount); }
};

} // namespace

TEST(ExtractFrame, CutsValidFramesAndLeavesTheRestAsFound) {
    const struct {
        const char* name;
        Bytes buffer;
        std::vector<Bytes> frames;
        int lastResult;
        Bytes left;
    } cases[] = {
        {"whole frame",
         {0x02, 0x10, 0x34, 0x12, 0x58, 0x03},
         {{0x02, 0x10, 0x34, 0x12, 0x58, 0x03}},
         0,
         {}},
        {"noise before a frame is consumed with it",
         {0x41, 0x42, 0x02, 0x11, 0x00, 0x00, 0x13, 0x03},
         {{0x02, 0x11, 0x00, 0x00, 0x13, 0x03}},
         0,
         {}},
        {"wrong ETX: the false start is erased, its tail kept",
         {0x02, 0x11, 0x00, 0x00, 0x00, 0x05, 0x02},
         {},
         0,
         {0x00, 0x11, 0x00, 0x00, 0x00, 0x05, 0x02}},
        {"checksum one off, then a valid frame",
         {0x02, 0x10, 0x34, 0x12, 0x59, 0x03, 0x02, 0x11, 0x00, 0x00, 0x13, 0x03},
         {{0x02, 0x11, 0x00, 0x00, 0x13, 0x03}},
         0,
         {}},
        {"the next start may lie inside a rejected one",
         {0x02, 0xAA, 0x02, 0x12, 0x00, 0x00, 0x14, 0x03},
         {{0x02, 0x12, 0x00, 0x00, 0x14, 0x03}},
         0,
         {}},
        {"STX and ETX values inside the data need no escaping",
         {0x02, 0x10, 0x02, 0x03, 0x17, 0x03},
         {{0x02, 0x10, 0x02, 0x03, 0x17, 0x03}},
         0,
         {}},
        {"six bytes without STX",
         {0x41, 0x41, 0x41, 0x41, 0x41, 0x41},
         {},
         -1,
         {0x41, 0x41, 0x41, 0x41, 0x41, 0x41}},
        {"five bytes always wait",
         {0x41, 0x41, 0x41, 0x41, 0x41},
         {},
         0,
         {0x41, 0x41, 0x41, 0x41, 0x41}},
        {"an incomplete frame keeps the noise before it",
         {0x41, 0x41, 0x02, 0x10, 0x34, 0x12, 0x58},
         {},
         0,
         {0x41, 0x41, 0x02, 0x10, 0x34, 0x12, 0x58}},
    };
    for (const auto& c : cases) {
        Bytes buffer = c.buffer;
        std::int32_t count = static_cast<std::int32_t>(buffer.size());
        std::vector<Bytes> frames;
        Frame out{};
        int result;
        while ((result = ExtractFrame(buffer.data(), count, out)) == FrameLength)
            frames.push_back(Wire(out));
        EXPECT_EQ(frames, c.frames) << c.name;
        EXPECT_EQ(result, c.lastResult) << c.name;
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + count), c.left) << c.name;
    }
}

TEST(ReceiveData, CompletesAFrameSplitOverTwoReads) {
    Link link;
    link.Receive({0x02, 0x10, 0x34});
    EXPECT_TRUE(link.Consumer.Frames.empty());
    EXPECT_EQ(link.Port.RxCount, 3);
    link.Receive({0x12, 0x58, 0x03});
    ASSERT_EQ(link.Consumer.Frames.size(), 1u);
    EXPECT_EQ(FrameValue(link.Port.Frame), 0x1234);
    EXPECT_EQ(link.Port.RxCount, 0);
}

TEST(ReceiveData, ResynchronisesAfterWrongEtx) {
    Link link;
    link.Receive({0x02, 0x11, 0x00, 0x00, 0x00, 0x05, 0x02});
    EXPECT_TRUE(link.Consumer.Frames.empty());
    EXPECT_EQ(link.Buffered(), (Bytes{0x00, 0x11, 0x00, 0x00, 0x00, 0x05, 0x02}));

    link.Receive({0x12, 0x00, 0x00, 0x14, 0x03});
    EXPECT_EQ(link.Consumer.Frames, (std::vector<Bytes>{{0x02, 0x12, 0x00, 0x00, 0x14, 0x03}}));
    EXPECT_EQ(link.Port.RxCount, 0);
}

TEST(ReceiveData, DropsSixBytesWithoutStxSilently) {
    Link link;
    link.Receive({0x41, 0x41, 0x41, 0x41, 0x41});
    EXPECT_EQ(link.Port.RxCount, 5);
    link.Receive({0x41});
    EXPECT_EQ(link.Port.RxCount, 0);
    EXPECT_TRUE(link.Consumer.Messages.empty());
}

TEST(ReceiveData, DeliversEveryFrameOfOneReadInOrder) {
    Link link;
    Bytes stream;
    std::vector<Bytes> sent;
    for (std::uint8_t type : {FrmAxisY, FrmAxisX, FrmAxisZ, FrmIdentity}) {
        sent.push_back(Wire(BuildValueFrame(type, type * 3)));
        stream.insert(stream.end(), sent.back().begin(), sent.back().end());
    }
    link.Receive(stream);
    EXPECT_EQ(link.Consumer.Frames, sent);
    EXPECT_EQ(link.Port.RxCount, 0);
}

TEST(ReceiveData, ChunkingDoesNotChangeTheFramesDelivered) {
    // Frames with noise and damaged copies in between, cut at random places.
    std::mt19937 random(7);
    Bytes stream;
    std::vector<Bytes> sent;
    for (int i = 0; i < 300; ++i) {
        const Bytes frame = Wire(BuildValueFrame(FrmAxisY + i % 3, i * 97 - 15000));
        if (i % 7 == 0) stream.push_back(0x41);
        if (i % 11 == 0) {
            Bytes damaged = frame;
            damaged[4] ^= 0x01;
            stream.insert(stream.end(), damaged.begin(), damaged.end());
        }
        stream.insert(stream.end(), frame.begin(), frame.end());
        sent.push_back(frame);
    }
    Link link;
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t piece = std::min<std::size_t>(random() % 20 + 1, stream.size() - at);
        link.Receive(Bytes(stream.begin() + at, stream.begin() + at + piece));
        at += piece;
    }
    EXPECT_EQ(link.Consumer.Frames, sent);
    EXPECT_TRUE(link.Consumer.Messages.empty());
}

TEST(ReceiveData, OverflowDropsTheUnconsumedBytesAndWorksOnTheNewOnes) {
    Link link;
    // 1999 bytes of noise and a frame start near the end: all 2000 wait for more.
    Bytes waiting(1999, 0x41);
    waiting.push_back(0x02);
    link.Receive(waiting);
    ASSERT_EQ(link.Port.RxCount, 2000);

    Bytes fresh;
    for (int i = 0; i < 16; ++i) {
        const Frame frame = BuildValueFrame(FrmAxisX, i);
        fresh.insert(fresh.end(), frame.begin(), frame.end());
    }
    fresh.insert(fresh.end(), {0x02, 0x11, 0x05, 0x00});
    ASSERT_EQ(fresh.size(), 100u);
    link.Receive(fresh);

    EXPECT_EQ(link.Consumer.Messages,
              std::vector<std::string>{"Overflow : Not Processed Data[2000] New Data[100]"});
    ASSERT_EQ(link.Consumer.Frames.size(), 16u);
    EXPECT_EQ(FrameValue(link.Port.Frame), 15);
    EXPECT_EQ(link.Buffered(), (Bytes{0x02, 0x11, 0x05, 0x00}));
}

TEST(ReceiveData, ReadsNoMoreThanTheBufferHoldsWhenMoreWaits) {
    Link link;
    Bytes flood;
    for (int i = 0; i < 500; ++i) { // 3000 bytes at once
        const Frame frame = BuildValueFrame(FrmAxisZ, i);
        flood.insert(flood.end(), frame.begin(), frame.end());
    }
    link.Receive(flood);
    EXPECT_EQ(link.Consumer.Messages,
              std::vector<std::string>{"Overflow : Not Processed Data[0] New Data[3000]"});
    // 2048 bytes are 341 frames and two bytes of the next; the rest waits in the port.
    EXPECT_EQ(link.Consumer.Frames.size(), 341u);
    EXPECT_EQ(link.Port.RxCount, 2);
    EXPECT_EQ(link.Comm.InQueCount(), 3000 - RxBufferSize);
}
