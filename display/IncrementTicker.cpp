#include "display/IncrementTicker.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxLabelIntervals = 20;
// Least room per label, so that labels never crowd a short axis (the speed page halves
// the acceleration chart).
constexpr int MinVerticalSpacing = 24;
constexpr int MinHorizontalSpacing = 50;
constexpr int MaxDecimals = 3;

} // namespace

double ReadableTickStep(double increment, double rangeSize, int maxIntervals) {
    const double least = rangeSize / maxIntervals;
    if (increment >= least) return increment;
    double magnitude = std::pow(10.0, std::floor(std::log10(least)));
    for (int decade = 0; decade < 3; ++decade, magnitude *= 10) {
        for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            const double step = mantissa * magnitude;
            const double factor = step / increment;
            if (step >= least && std::abs(factor - std::round(factor)) < 1e-6 * factor) return step;
        }
    }
    return increment * std::ceil(least / increment);
}

IncrementTicker::IncrementTicker(const QCPAxis* axis, double increment, int minDecimals)
    : Axis(axis), DesiredIncrement(increment), MinDecimals(minDecimals) {}

double IncrementTicker::getTickStep(const QCPRange& range) {
    const QRect area = Axis->axisRect()->rect();
    const int room = Axis->orientation() == Qt::Vertical ? area.height() / MinVerticalSpacing
                                                         : area.width() / MinHorizontalSpacing;
    return ReadableTickStep(DesiredIncrement, range.size(), std::clamp(room, 2, MaxLabelIntervals));
}

QString IncrementTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    QString text = grouped.toString(tick, 'f', MaxDecimals);
    for (int optional = MaxDecimals - MinDecimals; optional > 0 && text.endsWith('0'); --optional)
        text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text;
}
