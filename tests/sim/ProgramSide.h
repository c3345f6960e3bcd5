#pragma once

#include "device/ReceiveQueue.h"
#include "engine/ProcessFrame.h"
#include "tests/device/MemoryComm.h"
#include "tests/engine/RecordingView.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

// A serial line opened with plain POSIX calls, non-blocking.
class FdComm final : public SerialComm {
public:
    explicit FdComm(int fd) : fd(fd) {}
    void SetDeviceName(const std::string&) override {}
    std::string DeviceName() const override { return {}; }
    void Open() override {}
    void Close() override {}
    bool Enabled() const override { return true; }
    void SetDTRState(bool) override {}
    int InQueCount() override {
        int waiting = 0;
        return ioctl(fd, FIONREAD, &waiting) == 0 ? waiting : 0;
    }
    int Read(std::uint8_t* destination, int count) override {
        return static_cast<int>(std::max<ssize_t>(read(fd, destination, count), 0));
    }
    void Write(const std::uint8_t* source, int count) override {
        ASSERT_EQ(write(fd, source, count), count);
    }

private:
    int fd;
};

struct SampleValues {
    double GX, GY, GZ, TiltAngle, Velocity;
};

// Every sample shows a device at rest, hanging with gravity along Y.
inline bool AllAtRest(const std::vector<SampleValues>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](const SampleValues& sample) {
        return sample.GY == 1.0 && sample.GX == 0.0 && sample.GZ == 0.0 && sample.TiltAngle == 0.0;
    });
}

// The program's receive path, ReceiveData and ProcessFrame with the Kalman filter off,
// recording every frame and what each sample showed. Large: allocate it on the heap.
class ProgramSide final : public FrameConsumer {
public:
    LiveState State;
    ControlState Controls;
    RecordingView View;
    PortContext Port;
    std::vector<Frame> Frames;
    std::vector<SampleValues> Samples;

    ProgramSide() {
        Controls.KalmanIndex = 0;
        Port.Opened = true;
    }

    void Receive(SerialComm& comm) {
        Port.Comm = &comm;
        ReceiveData(Port, *this);
    }
    // Hands the bytes over in pieces the size of a serial read.
    void Feed(const std::vector<std::uint8_t>& bytes) {
        MemoryComm comm;
        for (std::size_t at = 0; at < bytes.size(); at += 512) {
            comm.Arrive(bytes.data() + at, std::min<std::size_t>(512, bytes.size() - at));
            Receive(comm);
        }
    }

    void ProcessFrame(const Frame& frame) override {
        Frames.push_back(frame);
        ::ProcessFrame(State, Controls, View, frame);
        if (FrameType(frame) == FrmAxisZ)
            Samples.push_back({State.GX, State.GY, State.GZ, State.TiltAngle, State.Velocity});
    }
    void AppendMessage(const std::string& line) override { View.AppendMessage(line); }
};
