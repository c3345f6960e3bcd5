#pragma once

#include "engine/MeasurementView.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>
#include <vector>

class ChartSet;
class QTabWidget;
class QWidget;

// The parts of the window that move or grow with it.
struct WindowLayoutControls {
    QWidget* Central;      // centralwidget
    QWidget* TopBar;       // Panel1
    QWidget* DirectionBar; // Panel10
    QWidget* Messages;     // Memo1
    QTabWidget* PageControl1;
    QWidget* TabAccelo;
    QWidget* TabAngle;
    QWidget* TabPendulum;
    QWidget* TabSpeed;
    QWidget* TabLab;
    // The panels that stay in the value column at the right edge of their page.
    std::vector<QWidget*> ColumnPanels;
    QWidget* PnlAccValue;
    QWidget* PnlOffset;
    QWidget* PnlAccChart;
    QWidget* PnlSpeed;
    QWidget* Chart3;
};

// Lets the main window grow. The top bar, the direction panel and the message area follow
// the window's edges; on each page the value panels stay in a column at the right edge, and
// the charts take the rest. At the form's size, with the form's fonts, every control keeps
// the place the form gives it.
class WindowLayout : public QObject {
    Q_OBJECT
public:
    WindowLayout(const WindowLayoutControls& controls, QWidget* window);

    // Lays out the contents of every page for the page size now shown: the value column,
    // the chart panels wherever the page handler has put them (the velocity page shares its
    // height between the acceleration and the velocity chart). Call it after moving panels
    // or changing fonts.
    void PlacePages();
    // The acceleration chart and the value panels move to the page shown, with the chart's
    // axes as that page draws them (in three-axis mode or not); then the pages are laid out
    // again.
    void ShowPage(Page page, ChartSet& charts, bool threeAxis);
    // The form's panel sizes, or as large as their contents need (large value boxes).
    void SetFitContents(bool fit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceWindowEdges();
    int MessagesGrowth(int grownHeight) const;
    int ColumnWidth(int pageWidth) const;
    struct ChartRoom {
        int Width;
        int Height;
    };
    ChartRoom PlaceColumn(QWidget* page, int columnX, int columnWidth);
    void Place(QWidget* widget, const QRect& rect);

    WindowLayoutControls Controls;
    QSize FormSize;
    QHash<QWidget*, QRect> FormGeometry;
    bool FitContents = false;
    std::vector<QWidget*> Pages;
    std::vector<QWidget*> ColumnPanels;
    bool Placing = false;
};
