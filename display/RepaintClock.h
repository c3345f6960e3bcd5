#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// One rhythm for the window's live repaints. Whoever has something new to show asks for a
// tick; it comes at once after a quiet spell and then at most once per interval, however fast
// the samples arrive. Charts and value boxes change on the same tick, so the window paints
// and reaches the screen once for both.
class RepaintClock : public QObject {
    Q_OBJECT
public:
    // 25 repaints a second: a new sample is on screen within 40 ms.
    static constexpr int IntervalMs = 40;

    explicit RepaintClock(QObject* parent = nullptr);

    void Request();

signals:
    void Tick();

private:
    QTimer Timer;
    QElapsedTimer SinceTick;
};
