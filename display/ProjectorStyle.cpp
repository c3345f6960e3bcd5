#include "display/ProjectorStyle.h"

#include <qcustomplot.h>

namespace {

QCPTextElement* Title(QCustomPlot* plot) {
    return qobject_cast<QCPTextElement*>(plot->plotLayout()->element(0, 0));
}

QFont WithPixelSize(QFont font, int pixels, bool bold) {
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

QColor ProjectorStyle::CurveColour(const QColor& normal) {
    // Blues become pure blue, reds a deep red; black and greys darken.
    if (normal.blue() > normal.red() && normal.blue() > normal.green()) return QColor(0, 0, 255);
    if (normal.red() > normal.green() && normal.red() > normal.blue()) return QColor(220, 0, 0);
    return normal.darker(150);
}

void ProjectorStyle::Apply(int screenHeight) {
    if (Applied()) return;
    const int tickPixels = std::max(14, screenHeight / 40);
    const int labelPixels = std::max(16, screenHeight / 34);
    const int titlePixels = std::max(18, screenHeight / 30);
    for (QCustomPlot* plot : Plots) {
        PlotLooks looks{plot, {}, {}, {}};
        for (int i = 0; i < plot->graphCount(); ++i) {
            QCPGraph* graph = plot->graph(i);
            looks.GraphPens.emplace_back(graph, graph->pen());
            graph->setPen(QPen(CurveColour(graph->pen().color()), 3));
        }
        for (QCPAxis* axis : {plot->xAxis, plot->yAxis, plot->yAxis2}) {
            looks.Axes.push_back({axis, axis->labelFont(), axis->tickLabelFont(), axis->basePen(),
                                  axis->tickPen(), axis->subTickPen(), axis->grid()->pen(),
                                  axis->grid()->subGridPen()});
            axis->setLabelFont(WithPixelSize(axis->labelFont(), labelPixels, true));
            axis->setTickLabelFont(WithPixelSize(axis->tickLabelFont(), tickPixels, true));
            auto strong = [](QPen pen) {
                pen.setWidth(2);
                pen.setColor(CurveColour(pen.color()));
                return pen;
            };
            axis->setBasePen(strong(axis->basePen()));
            axis->setTickPen(strong(axis->tickPen()));
            axis->setSubTickPen(strong(axis->subTickPen()));
            axis->grid()->setPen(QPen(QColor(110, 110, 110), 1, Qt::SolidLine));
            axis->grid()->setSubGridPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
        }
        if (QCPTextElement* title = Title(plot)) {
            looks.TitleFont = title->font();
            title->setFont(WithPixelSize(title->font(), titlePixels, true));
        }
        Saved.push_back(std::move(looks));
        plot->replot();
    }
}

void ProjectorStyle::Restore() {
    for (PlotLooks& looks : Saved) {
        for (const auto& [graph, pen] : looks.GraphPens)
            if (graph) graph->setPen(pen); // an overlay may have gone meanwhile
        for (const AxisLooks& axis : looks.Axes) {
            axis.Axis->setLabelFont(axis.LabelFont);
            axis.Axis->setTickLabelFont(axis.TickLabelFont);
            axis.Axis->setBasePen(axis.BasePen);
            axis.Axis->setTickPen(axis.TickPen);
            axis.Axis->setSubTickPen(axis.SubTickPen);
            axis.Axis->grid()->setPen(axis.GridPen);
            axis.Axis->grid()->setSubGridPen(axis.SubGridPen);
        }
        if (QCPTextElement* title = Title(looks.Plot)) title->setFont(looks.TitleFont);
        looks.Plot->replot();
    }
    Saved.clear();
}
