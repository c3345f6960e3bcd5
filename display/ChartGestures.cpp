#include "display/ChartGestures.h"

#include <QRubberBand>

namespace {

// A drag shorter than this in either direction is a click and changes nothing.
constexpr int MinDragPixels = 8;
// A right button moved less than this is a click: it opens the menu and scrolls nothing.
constexpr int MenuClickPixels = 4;

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
    if (MarkingTimeRange) {
        MarkTimeRange(position, false);
    } else if (DragButton == Qt::LeftButton) {
        if (position.x() > DragStart.x() && position.y() > DragStart.y()) {
            Band->setGeometry(QRect(DragStart, position).intersected(Plot->axisRect()->rect()));
            Band->show();
        } else {
            Band->hide();
        }
    } else if (DragButton == Qt::RightButton && !Scrolling) {
        // Past the click's slack the scroll starts from the press, losing no movement.
        Scrolling = (position - DragStart).manhattanLength() >= MenuClickPixels;
        if (Scrolling) Move(event);
    } else if (DragButton == Qt::RightButton && position != LastPosition) {
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
    if (event->button() != DragButton) return;
    DragButton = Qt::NoButton;
    const QPoint end = event->position().toPoint();
    if (event->button() == Qt::RightButton && !Scrolling) emit MenuRequested(end);
    if (event->button() != Qt::LeftButton) return;
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
