#include "engine/MeasurementView.h"

const char* BoxName(Box box) {
    switch (box) {
    case Box::EdAcceloG:
        return "EdAcceloG";
    case Box::EdAcceloM:
        return "EdAcceloM";
    case Box::EdAccSumG:
        return "EdAccSumG";
    case Box::EdAccSumM:
        return "EdAccSumM";
    case Box::EdAngle:
        return "EdAngle";
    case Box::EdForrceKgf:
        return "EdForrceKgf";
    case Box::EdForceN:
        return "EdForceN";
    case Box::EdSpd:
        return "EdSpd";
    case Box::EdDist:
        return "EdDist";
    case Box::EdDataX:
        return "EdDataX";
    case Box::EdPeakMX:
        return "EdPeakMX";
    case Box::EdPeakPX:
        return "EdPeakPX";
    case Box::EdDataY:
        return "EdDataY";
    case Box::EdPeakMY:
        return "EdPeakMY";
    case Box::EdPeakPY:
        return "EdPeakPY";
    case Box::EdDataZ:
        return "EdDataZ";
    case Box::EdPeakMZ:
        return "EdPeakMZ";
    case Box::EdPeakPZ:
        return "EdPeakPZ";
    case Box::EdAccSum:
        return "EdAccSum";
    case Box::EdAccSumDelta:
        return "EdAccSumDelta";
    case Box::EdAngleMon:
        return "EdAngleMon";
    case Box::EdRcvdOstY:
        return "EdRcvdOstY";
    case Box::EdRcvdOstX:
        return "EdRcvdOstX";
    case Box::EdRcvdOstZ:
        return "EdRcvdOstZ";
    case Box::EdRcvdScaleY:
        return "EdRcvdScaleY";
    case Box::EdRcvdScaleX:
        return "EdRcvdScaleX";
    case Box::EdRcvdScaleZ:
        return "EdRcvdScaleZ";
    }
    return "";
}

void MeasurementView::ReplaceSeries(Chart chart, int series, std::span<const double> x,
                                    std::span<const double> y) {
    ClearSeries(chart, series);
    for (std::size_t i = 0; i < y.size(); ++i)
        AppendPoint(chart, series, x[i], y[i]);
}
