#include "display/ChartGestures.h"

#include <QRubberBand>
#include <cstdlib>

namespace {

// A drag shorter than this in either direction is a click and changes nothing.
constexpr int MinDragPixels = 8;

bool Dragged(QPoint from, QPoint to) {
    const QPoint drag = to - from;
    return std::abs(drag.x()) >= MinDragPixels || std::abs(drag.y()) >= MinDragPixels;
}

} // namespace

ChartGestures::ChartGestures(QCustomPlot* plot, QList<QCPAxis*> axes, bool scrollVertically)
    : QObject(plot), Plot(plot), Axes(std::move(axes)), ScrollVertically(scrollVertically),
      Band(new QRubberBand(QRubberBand::Rectangle, plot)) {
    Plot->setInteractions({});
    connect(Plot, &QCustomPlot::mousePress, this, &ChartGestures::Press);
    connect(Plot, &QCustomPlot::mouseMove, this, &ChartGestures::Move);
    connect(Plot, &QCustomPlot::mouseRelease, this, &ChartGestures::Release);
    connect(Plot, &QCustomPlot::mouseDoubleClick, this, &ChartGestures::DoubleClick);
}

void ChartGestures::Press(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (ClickButton == Qt::NoButton) {
        ClickButton = event->button();
        ClickModifiers = event->modifiers();
        ClickStart = position;
        ClickCancelled = false;
    } else {
        ClickCancelled = true; // a second button held with the first is no click
    }
    const bool dragButton = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (DragButton != Qt::NoButton || !dragButton || !Plot->axisRect()->rect().contains(position))
        return;
    DragButton = event->button();
    DragStart = LastPosition = position;
    Scrolling = false;
    MarkingTimeRange = DragButton == Qt::LeftButton &&
                       (TimeRangeArmed || event->modifiers().testFlag(Qt::ShiftModifier));
    TimeRangeArmed = false;
}

void ChartGestures::MarkTimeRange(QPoint position, bool finished) {
    const QCPAxis* time = Plot->xAxis;
    emit TimeRangeDragged(time->pixelToCoord(DragStart.x()), time->pixelToCoord(position.x()),
                          finished);
}

void ChartGestures::Move(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (ClickButton != Qt::NoButton && Dragged(ClickStart, position)) ClickCancelled = true;
    if (MarkingTimeRange) {
        MarkTimeRange(position, false);
    } else if (DragButton == Qt::LeftButton) {
        if (position.x() > DragStart.x() && position.y() > DragStart.y()) {
            Band->setGeometry(QRect(DragStart, position).intersected(Plot->axisRect()->rect()));
            Band->show();
        } else {
            Band->hide();
        }
    } else if (DragButton == Qt::RightButton && position != LastPosition) {
        // The axes stay put until the pointer leaves the click's few pixels, then follow it
        // from the press.
        if (!Scrolling && !Dragged(DragStart, position)) return;
        Scrolling = true;
        for (QCPAxis* axis : Axes) {
            const bool horizontal = axis->orientation() == Qt::Horizontal;
            if (!horizontal && !ScrollVertically) continue;
            const double from = horizontal ? LastPosition.x() : LastPosition.y();
            const double to = horizontal ? position.x() : position.y();
            axis->moveRange(axis->pixelToCoord(from) - axis->pixelToCoord(to));
        }
        LastPosition = position;
        emit RangeChangedByUser();
    }
}

void ChartGestures::Release(QMouseEvent* event) {
    if (event->button() == ClickButton) {
        const bool click = !ClickCancelled && !Dragged(ClickStart, event->position().toPoint());
        ClickButton = Qt::NoButton;
        if (click) emit Clicked(event->button(), ClickModifiers, ClickStart);
        if (click && event->button() == Qt::RightButton) emit MenuRequested(ClickStart);
    }
    if (event->button() != DragButton) return;
    DragButton = Qt::NoButton;
    if (event->button() != Qt::LeftButton) return;
    const QPoint end = event->position().toPoint();
    if (MarkingTimeRange) {
        MarkingTimeRange = false;
        MarkTimeRange(end, true);
        return;
    }
    Band->hide();
    const QPoint drag = end - DragStart;
    if (drag.x() >= MinDragPixels && drag.y() >= MinDragPixels) {
        const QRectF dragged{QPointF(DragStart), QPointF(end)};
        Plot->axisRect()->zoom(dragged.intersected(Plot->axisRect()->rect()), Axes);
        emit RangeChangedByUser();
    } else if (drag.x() <= -MinDragPixels && drag.y() <= -MinDragPixels) {
        ReturnHome();
    }
}

void ChartGestures::DoubleClick(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ReturnHome();
}

void ChartGestures::ReturnHome() {
    for (QCPAxis* axis : Axes)
        axis->setRange(Homes.value(axis, axis->range()));
    emit RangeChangedByUser();
}
