#pragma once

#include "device/PortContext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// A serial port over memory for tests, benchmarks and the fuzzer: bytes that arrive wait in
// the input queue until they are read, and every write is kept as one piece.
class MemoryComm final : public SerialComm {
public:
    void Arrive(const std::uint8_t* bytes, std::size_t count) {
        input.insert(input.end(), bytes, bytes + count);
    }
    void Arrive(std::initializer_list<std::uint8_t> bytes) { Arrive(bytes.begin(), bytes.size()); }
    void Arrive(const std::vector<std::uint8_t>& bytes) { Arrive(bytes.data(), bytes.size()); }

    void SetDeviceName(const std::string& name) override { deviceName = name; }
    std::string DeviceName() const override { return deviceName; }
    void Open() override { enabled = true; }
    void Close() override { enabled = false; }
    bool Enabled() const override { return enabled; }
    void SetDTRState(bool) override {}
    int InQueCount() override { return static_cast<int>(input.size() - readPosition); }
    int Read(std::uint8_t* destination, int count) override {
        const int taken = std::clamp(count, 0, InQueCount());
        if (taken == 0) return 0;
        std::memcpy(destination, input.data() + readPosition, taken);
        readPosition += taken;
        if (readPosition == input.size()) {
            // Everything read: start over so a long stream keeps its memory.
            input.clear();
            readPosition = 0;
        }
        return taken;
    }
    void Write(const std::uint8_t* source, int count) override {
        Writes.emplace_back(source, source + count);
    }

    std::vector<std::vector<std::uint8_t>> Writes;

private:
    std::vector<std::uint8_t> input;
    std::size_t readPosition = 0;
    std::string deviceName;
    bool enabled = false;
};
