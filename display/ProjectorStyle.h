#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPointer>
#include <utility>
#include <vector>

class QCPAxis;
class QCPGraph;
class QCustomPlot;

// Chart looks that carry across a classroom: curves 3 px wide in strong colours (X black,
// Y red, Z blue, force red), large axis titles and tick labels, black axes and a darker grid.
// Everything it changes is kept and put back by Restore.
class ProjectorStyle {
public:
    explicit ProjectorStyle(std::vector<QCustomPlot*> plots) : Plots(std::move(plots)) {}

    // Type sizes follow the screen's height in pixels.
    void Apply(int screenHeight);
    void Restore();
    bool Applied() const { return !Saved.empty(); }

    // The colour a curve is drawn in with this style: a stronger shade of its own colour.
    static QColor CurveColour(const QColor& normal);

private:
    struct AxisLooks {
        QCPAxis* Axis;
        QFont LabelFont, TickLabelFont;
        QPen BasePen, TickPen, SubTickPen, GridPen, SubGridPen;
    };
    struct PlotLooks {
        QCustomPlot* Plot;
        std::vector<std::pair<QPointer<QCPGraph>, QPen>> GraphPens;
        std::vector<AxisLooks> Axes;
        QFont TitleFont;
    };

    std::vector<QCustomPlot*> Plots;
    std::vector<PlotLooks> Saved;
};
