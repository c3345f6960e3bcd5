#pragma once

#include "device/PortContext.h"

#include <algorithm>
#include <vector>

// A serial port in memory, always open: bytes that arrive wait to be read; writes are kept.
class MemoryComm final : public SerialComm {
public:
    void Arrive(const std::uint8_t* bytes, std::size_t count) {
        input.insert(input.end(), bytes, bytes + count);
    }

    void SetDeviceName(const std::string&) override {}
    std::string DeviceName() const override { return {}; }
    void Open() override {}
    void Close() override {}
    bool Enabled() const override { return true; }
    void SetDTRState(bool) override {}
    int InQueCount() override { return static_cast<int>(input.size()); }
    int Read(std::uint8_t* destination, int count) override {
        const int taken = std::clamp(count, 0, InQueCount());
        std::copy_n(input.begin(), taken, destination);
        input.erase(input.begin(), input.begin() + taken);
        return taken;
    }
    void Write(const std::uint8_t* source, int count) override {
        Writes.emplace_back(source, source + count);
    }

    std::vector<std::vector<std::uint8_t>> Writes;

private:
    std::vector<std::uint8_t> input;
};
