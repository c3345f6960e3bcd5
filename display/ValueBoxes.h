#pragma once

#include "engine/MeasurementView.h"

#include <QObject>
#include <array>
#include <string>

class QLineEdit;
class QWidget;
class RepaintClock;

// The text boxes the measurement writes, shown on the repaint clock's tick: a box shows the
// newest text it was given since the last tick, and a box whose text stays is not touched
// (setting the same text would still lay it out anew). Texts wait as plain strings, so a sample
// that refreshes the boxes costs no conversion until its texts are shown.
class ValueBoxes : public QObject {
public:
    // The boxes are the window's line edits named as the boxes; a missing one is skipped. They
    // draw their panels from a cache (PanelCacheStyle), which also repaints them alone.
    ValueBoxes(const QWidget& window, RepaintClock& clock);

    void Show(Box box, const std::string& text);
    // A text put into a box by other means wins over one the measurement queued before it.
    void Forget(const QLineEdit* edit);
    // Without a device the live values are shown grayed, until the stream brings new ones.
    void ShowNotLive();

private:
    void ShowWaiting();

    RepaintClock& Clock;
    std::array<QLineEdit*, BoxCount> Edits{};
    std::array<std::string, BoxCount> Waiting;
    std::array<bool, BoxCount> IsWaiting{};
    std::array<bool, BoxCount> NotLive{};
};
