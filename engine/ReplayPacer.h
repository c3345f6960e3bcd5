#pragma once

#include <cstdint>

// Paces a kept run's samples as the device sent them, one every sample period, at a chosen
// speed. The window's timer tells it how much time went by; it answers how many samples are
// due. Paused, time stands still and a step hands on the next sample alone.
class ReplayPacer {
public:
    explicit ReplayPacer(std::uint32_t samples) : Samples(samples) {}

    // The samples that became due in `seconds` more of playing, none while paused. The first
    // sample is due at the start, sample i after i sample periods.
    std::uint32_t Advance(double seconds);
    // The next sample alone, while paused; nothing while playing or after the last.
    std::uint32_t Step();

    void SetPaused(bool paused) { Paused = paused; }
    // 1 plays at the device's rate, 2 twice as fast, 0.5 at half its rate.
    void SetSpeed(double factor) { Speed = factor; }

    std::uint32_t Given() const { return Handed; }
    std::uint32_t Total() const { return Samples; }
    bool Finished() const { return Handed >= Samples; }

private:
    std::uint32_t HandOn(std::uint32_t due);

    std::uint32_t Samples;
    std::uint32_t Handed = 0;
    double Position = 0.0; // in sample periods of the run since its first sample
    double Speed = 1.0;
    bool Paused = false;
};
