#pragma once

#include <qcustomplot.h>

// The tick step for an axis with a desired increment: the increment itself while the range
// needs at most maxIntervals steps of it, otherwise the smallest round step (1, 2, 2.5 or 5
// times a power of ten) that is a whole multiple of the increment and needs no more; when
// no round multiple exists, the smallest multiple that fits.
double ReadableTickStep(double increment, double rangeSize, int maxIntervals);

// Axis ticks at the desired increment, thinned to readable labels as the axis gets shorter
// or the range wider, with one minor tick between labels. Labels read like "#,##0.###";
// minDecimals 1 gives "#,##0.0##".
class IncrementTicker : public QCPAxisTicker {
public:
    IncrementTicker(const QCPAxis* axis, double increment, int minDecimals = 0);

    double Increment() const { return DesiredIncrement; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double) override { return 1; }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override;

private:
    const QCPAxis* Axis;
    double DesiredIncrement;
    int MinDecimals;
};
