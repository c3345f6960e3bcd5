#include "display/ChartPaint.h"

#include <QObject>
#include <QRegion>
#include <algorithm>
#include <qcustomplot.h>

namespace {

// QCustomPlot keeps the pieces that paint a chart protected; member pointers named through
// these classes reach them.
struct LayerableInternals : QCPLayerable {
    using QCPLayerable::applyAntialiasingHint;
    using QCPLayerable::applyDefaultAntialiasingHint;
    using QCPLayerable::clipRect;
    using QCPLayerable::draw;
};
struct PlotInternals : QCustomPlot {
    using QCustomPlot::drawBackground;
    using QCustomPlot::hasInvalidatedPaintBuffers;
    using QCustomPlot::mBackgroundBrush;
    using QCustomPlot::mPaintBuffers;
};
struct AxisInternals : QCPAxis {
    using QCPAxis::mAxisPainter;
    using QCPAxis::mSubTickVector;
    using QCPAxis::mTickVector;
};
struct GridInternals : QCPGrid {
    using QCPGrid::drawGridLines;
    using QCPGrid::mParentAxis;
};
struct AxisPainterInternals : QCPAxisPainterPrivate {
    using QCPAxisPainterPrivate::mLabelCache;
};
struct GraphInternals : QCPGraph {
    using QCPGraph::drawLinePlot;
    using QCPGraph::getLines;
};

// Tick labels an axis keeps rendered. QCustomPlot keeps 16, fewer than a time axis of 0.02-s
// increments or a value axis of 0.01 g shows; the strip repaints of a run would render the
// rest anew each time.
constexpr int CachedTickLabels = 128;

// Pixels of points drawn left of a region: enough for their density to decide whether the
// thinning of dense curves is used, as the density of the whole curve decides it.
constexpr int ThinningSpan = 16;

// Draws the points of a plain line series near `area`. A graph draws all its points, and
// stroking thousands of them with a thick pen (projector mode) costs tens of milliseconds
// however small the clip; the few near a strip cost next to nothing. Clipped to `area` the
// pixels are those of a whole draw, since the thinning groups points by pixel column wherever
// it starts. False for a series drawn otherwise (steps, markers, a fill, a selection): it is
// drawn whole.
bool DrawSeriesNear(QCPGraph* graph, QCPPainter* painter, const QRect& area) {
    QCPAxis* time = graph->keyAxis();
    if (graph->lineStyle() != QCPGraph::lsLine || !graph->scatterStyle().isNone() ||
        graph->brush().style() != Qt::NoBrush || graph->selected() || time == nullptr ||
        time->orientation() != Qt::Horizontal || time->scaleType() != QCPAxis::stLinear)
        return false;
    if (time->range().size() <= 0 || graph->data()->isEmpty()) return true;
    const double reach = graph->pen().widthF() + 2; // half the pen, its cap, smoothing
    const double left = time->pixelToCoord(area.left() - std::max<double>(reach, ThinningSpan));
    const double right = time->pixelToCoord(area.right() + 1 + reach);
    const QCPDataRange points(graph->findBegin(std::min(left, right)),
                              graph->findEnd(std::max(left, right)));
    QVector<QPointF> lines;
    (graph->*(&GraphInternals::getLines))(&lines, points);
    painter->setPen(graph->pen());
    painter->setBrush(Qt::NoBrush);
    (graph->*(&GraphInternals::drawLinePlot))(painter, lines);
    return true;
}

// Draws a value axis' grid with its dotted sub-grid only near `area`. The sub-grid's lines run
// across the whole plot, and a dashed pen is stroked dash by dash along all of a line however
// small the clip: for a strip of new points that costs more than the points. Each line starts
// a whole number of dash periods from where a whole draw starts it, so its dots fall where they
// always do. False for a grid drawn otherwise (a time axis' grid, a solid sub-grid) and for an
// area as wide as the plot: the grid draws itself whole.
bool DrawGridNear(QCPGrid* grid, QCPPainter* painter, const QRect& area) {
    QCPAxis* axis = grid->*(&GridInternals::mParentAxis);
    const QPen pen = grid->subGridPen();
    if (axis == nullptr || axis->orientation() != Qt::Vertical || !axis->subTicks() ||
        !grid->subGridVisible() || pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen)
        return false;
    const qreal unit = std::max<qreal>(pen.widthF(), 1); // a dash pattern counts pen widths
    qreal period = 0;
    for (const qreal length : pen.dashPattern())
        period += length * unit;
    if (period <= 0) return false;
    const QRect plot = axis->axisRect()->rect();
    if (area.left() <= plot.left() && area.right() >= plot.right()) return false;
    const qreal reach = 2 * period + unit + 2; // a dash and its cap reaching into the area
    const qreal from =
        plot.left() +
        std::max<qreal>(0, std::floor((area.left() - reach - plot.left()) / period)) * period;
    const qreal to = std::min<qreal>(plot.right(), area.right() + 1 + reach);
    if (from < to) {
        (grid->*(&LayerableInternals::applyAntialiasingHint))(painter, grid->antialiasedSubGrid(),
                                                              QCP::aeSubGrid);
        painter->setPen(pen);
        for (const double tick : axis->*(&AxisInternals::mSubTickVector)) {
            const double y = axis->coordToPixel(tick);
            painter->drawLine(QLineF(from, y, to, y));
        }
    }
    (grid->*(&GridInternals::drawGridLines))(painter);
    return true;
}

// Draws the time axis' parts inside the plot, its base line and the inner ends of its ticks,
// for an area that lies inside the plot. The axis would lay out and look up all its tick labels
// below the plot, none of which reaches such an area, and the labels cost far more than the
// lines. False where the axis is drawn whole.
bool DrawTimeAxisNear(QCPAxis* axis, QCPPainter* painter, const QRect& area) {
    const QRect plot = axis->axisRect()->rect();
    if (axis->axisType() != QCPAxis::atBottom || area.bottom() > plot.bottom() ||
        axis->selectedParts() != QCPAxis::spNone || axis->rangeReversed() ||
        axis->lowerEnding().style() != QCPLineEnding::esNone ||
        axis->upperEnding().style() != QCPLineEnding::esNone)
        return false;
    const QPointF origin = plot.bottomLeft() + QPoint(0, axis->offset());
    painter->setPen(axis->basePen());
    painter->drawLine(QLineF(origin, origin + QPointF(plot.width(), 0)));
    const auto ticks = [&](const QVector<double>& at, const QPen& pen, int in, int out) {
        painter->setPen(pen);
        const double reach = pen.widthF() + 2;
        for (const double tick : at) {
            const double x = axis->coordToPixel(tick);
            if (x >= area.left() - reach && x <= area.right() + 1 + reach)
                painter->drawLine(QLineF(x, origin.y() + out, x, origin.y() - in));
        }
    };
    if (!axis->ticks()) return true;
    ticks(axis->*(&AxisInternals::mTickVector), axis->tickPen(), axis->tickLengthIn(),
          axis->tickLengthOut());
    if (axis->subTicks())
        ticks(axis->*(&AxisInternals::mSubTickVector), axis->subTickPen(), axis->subTickLengthIn(),
              axis->subTickLengthOut());
    return true;
}

// Draws the part of the chart near `area` that is cheaper to draw there alone; false for a
// part that draws itself whole.
bool DrawNear(QCPLayerable* child, QCPPainter* painter, const QRect& area) {
    if (auto* graph = qobject_cast<QCPGraph*>(child)) return DrawSeriesNear(graph, painter, area);
    if (auto* grid = qobject_cast<QCPGrid*>(child)) return DrawGridNear(grid, painter, area);
    if (auto* axis = qobject_cast<QCPAxis*>(child)) return DrawTimeAxisNear(axis, painter, area);
    return false;
}

// An axis draws along one edge of its axis rect: its line and inner ticks just inside it, the
// rest outside. QCustomPlot renders tick labels anew each time once an axis has more of them
// than it caches, so an axis that cannot reach `area` is better not drawn at all.
bool AxisReaches(const QCPAxis* axis, const QRect& area) {
    const QRect rect = axis->axisRect()->rect();
    const int pens =
        std::max({axis->basePen().width(), axis->tickPen().width(), axis->subTickPen().width(), 1});
    const int inside = std::max(axis->tickLengthIn(), axis->subTickLengthIn()) + pens + 2;
    switch (axis->axisType()) {
    case QCPAxis::atLeft:
        return area.left() <= rect.left() + inside;
    case QCPAxis::atRight:
        return area.right() >= rect.right() - inside;
    case QCPAxis::atTop:
        return area.top() <= rect.top() + inside;
    case QCPAxis::atBottom:
        return area.bottom() >= rect.bottom() - inside;
    }
    return true;
}

// Whether a part of the chart may draw inside `area`. A title or another element of the
// layout draws inside its place there; parts it does not know may draw anywhere.
bool Reaches(QCPLayerable* child, const QRect& area) {
    if (const auto* axis = qobject_cast<QCPAxis*>(child)) return AxisReaches(axis, area);
    if (const auto* element = qobject_cast<QCPLayoutElement*>(child))
        return element->outerRect().intersects(area);
    return true;
}

class LayerPainter : public QObject {
public:
    explicit LayerPainter(QCustomPlot* plot) : QObject(plot) {
        plot->installEventFilter(this);
        for (QCPAxis* axis : plot->axisRect()->axes()) {
            QCPAxisPainterPrivate* labels = axis->*(&AxisInternals::mAxisPainter);
            (labels->*(&AxisPainterInternals::mLabelCache)).setMaxCost(CachedTickLabels);
        }
        // The buffer a replot drew into goes back once the replot is done; the next replot
        // makes a new one.
        connect(plot, &QCustomPlot::afterReplot, this, [plot] {
            for (const auto& buffer : plot->*(&PlotInternals::mPaintBuffers)) {
                buffer->setSize(QSize(1, 1));
                buffer->setInvalidated(false); // what it held is painted from the layers
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        PaintRegion(static_cast<QCustomPlot*>(watched), static_cast<QPaintEvent*>(event)->region());
        return true;
    }
};

} // namespace

void PaintFromLayers(QCustomPlot* plot) {
    new LayerPainter(plot);
}

void PaintRegion(QCustomPlot* plot, const QRegion& region) {
    QCPPainter painter(plot);
    if (!painter.isActive()) return;
    const QRect area = region.boundingRect();
    const QBrush& background = plot->*(&PlotInternals::mBackgroundBrush);
    if (background.style() != Qt::NoBrush) painter.fillRect(area, background);
    (plot->*(&PlotInternals::drawBackground))(&painter);
    for (int index = 0; index < plot->layerCount(); ++index) {
        for (QCPLayerable* child : plot->layer(index)->children()) {
            const QRect clip = (child->*(&LayerableInternals::clipRect))().translated(0, -1) & area;
            if (!child->realVisibility() || clip.isEmpty() || !Reaches(child, area)) continue;
            painter.save();
            painter.setClipRect(clip);
            (child->*(&LayerableInternals::applyDefaultAntialiasingHint))(&painter);
            if (!DrawNear(child, &painter, area)) (child->*(&LayerableInternals::draw))(&painter);
            painter.restore();
        }
    }
}

bool NeedsReplot(QCustomPlot* plot) {
    return (plot->*(&PlotInternals::hasInvalidatedPaintBuffers))();
}
