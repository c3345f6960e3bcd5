#include "display/RepaintClock.h"

#include <algorithm>

RepaintClock::RepaintClock(QObject* parent) : QObject(parent) {
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, [this] {
        SinceTick.start();
        emit Tick();
    });
}

void RepaintClock::Request() {
    if (Timer.isActive()) return;
    const qint64 since = SinceTick.isValid() ? SinceTick.elapsed() : IntervalMs;
    Timer.start(static_cast<int>(std::max<qint64>(0, IntervalMs - since)));
}
