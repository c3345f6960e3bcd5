#pragma once

// Every text the core hands on to be shown in the program's language; MessageTexts.cpp holds
// the Korean source of each. Plain is a text shown as it is in either language.
enum class MessageId {
    Plain,
    // the statistics table and the curves' titles
    RangeStatistics,
    PointCount,
    StartTime,
    EndTime,
    Minimum,
    Maximum,
    Mean,
    StandardDeviation,
    MeanAcceleration,
    MeanAccelerationInterval,
    VelocityTitle,
    TiltTitle,
    ForceNewtonTitle,
    ForceKgfTitle,
    TimeTitle,
    DistanceTitle,
    VectorSumTitle, // %1 the unit
    // the sine fit's lines
    SineFit,
    SineFitDamped,
    GravityWithoutLength,
    AmplitudeNotAlongString,
    AmplitudeNotByGravity,
    AmplitudeNotAbsolute,
    AmplitudeWithoutOthers,
    AmplitudeNotASwing,
    DampedNote,
    IntervalNote,
    FitTooFewPoints,
    FitNotANumber,
    FitNoChange,
    FitNoOscillation,
    FitShorterThanPeriod,
    // the message area
    AutoConnected,
    AdviceCheck,
    AdviceFix1,
    AdviceFix2,
    AdviceFix3Linux,
    Reconnected,
    DeviceSilent, // %1 the port
    PortInUse,    // %1 the ports
    PeriodTooNoisy,
    PeriodTooFewSwings,
    PeriodUneven,
    DeviceLost,           // %1 the port
    LostSamples,          // %1 the samples, %2 their percentage
    RunEndedByLostDevice, // %1 the time
    AxisNotRecorded,      // %1 the axis letter
    SpreadsheetNotALog,   // %1 the file
    // the chart readout
    AxisReadout, // %1 the axis letter, %2 the value
    // the sine fit's lines and the large swing's note with their values, the curves' titles
    StrayPointsLeftOut,   // %1 the fit's title, %2 the points
    PeriodLine,           // %1 value ± interval
    GravityLine,          // %1 value ± interval
    LengthLine,           // %1 value ± interval
    LargeSwing,           // %1 the amplitude, %2 how much low, %3 the corrected g
    AmplitudeLine,        // %1 value ± interval
    SmallSwingPeriodLine, // %1 value ± interval
    CorrectedGravityLine, // %1 value ± interval
    PendulumAxisTitle,    // %1 the axis letter, %2 the unit
    AccelerationTitle,    // %1 the axis letter, %2 the unit
    // the line and parabola fits' lines
    LineFit,
    ParabolaFit,
    LineFitLabel,          // %1 the equation's right side with its coefficients
    ParabolaFitLabel,      // %1 the equation's right side with its coefficients
    ResidualDeviationLine, // %1 the spread with its unit
    FittedPointsNote,      // %1 the points, %2 the degrees of freedom
    // the statistics table
    AreaUnderCurve,
};

constexpr int MessageIdCount = static_cast<int>(MessageId::AreaUnderCurve) + 1;
