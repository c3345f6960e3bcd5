#pragma once

#include <cstdint>

// A scalar Kalman filter in single precision. Every stored value is a float, so the
// operations round exactly as the filter always has.
struct KalmanFilter {
    float R = 0;     // measurement-noise variance
    float Drift = 0; // added to the state in every prediction
    float Q = 0;     // process-noise variance
    float Z = 0;     // last measurement
    float XPred = 0; // predicted state: what a step returns
    float X = 0;     // state estimate
    float PPred = 0; // predicted error variance
    float P = 0;     // error variance
    float K = 0;     // gain
};

// Sets the noise values and restarts the prediction; X and Z keep their values, so a filter
// that is set up again continues from its last estimate.
void KalmanInit(KalmanFilter& filter, float r, float q);

// One predict-update cycle; returns the prediction made before this measurement.
float KalmanStep(KalmanFilter& filter, float z);

// A count through the filter as the frame processing takes it: the prediction less the level's
// bias, truncated toward zero into 16 bits and saturating where it leaves their range.
std::int16_t FilterCount(KalmanFilter& filter, double bias, std::int16_t count);

// The filter levels of the level box: measurement noise R and the bias that cancels the
// prediction's constant lead (1/K at steady state with Q = 1).
struct KalmanLevel {
    float R;
    double Bias;
};

// The level for a box index; any index outside the table (no item selected) is "off".
KalmanLevel KalmanLevelFor(int index);

constexpr int KalmanLevelCount = 7;
constexpr int KalmanFirstLockedLevel = 4; // OP1..OP3 need the unlocked options
constexpr int KalmanFallbackLevel = 2;
