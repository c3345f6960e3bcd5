#include "display/ChartSet.h"

#include "display/ProjectorStyle.h"
#include "display/RepaintClock.h"
#include "engine/MeasurementView.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>
#include <qcustomplot.h>

char* toString(const QCPRange& range) {
    return QTest::toString(QString("%1 .. %2").arg(range.lower).arg(range.upper));
}

class ChartSetTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> Window;
    QCustomPlot* Plots[3] = {};
    RepaintClock Clock;
    std::unique_ptr<ChartSet> Charts;
    int Paints = 0; // of Chart1

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Plots[0] && event->type() == QEvent::Paint) ++Paints;
        return false;
    }

    // What the window shows of Chart1's plot area: the window's backing store, where only
    // what was repainted has changed.
    QImage ShownPlotArea() const {
        const QImage shown =
            Window->windowHandle()->screen()->grabWindow(Window->winId()).toImage();
        const QRect area = Plots[0]->axisRect()->rect().translated(Plots[0]->pos());
        return shown.copy(area);
    }

    // The shown plot area equals what a repaint of the whole chart shows.
    bool ShowsWholeRedraw() {
        const QImage shown = ShownPlotArea();
        Plots[0]->replot(QCustomPlot::rpImmediateRefresh);
        return !shown.isNull() && shown == ShownPlotArea();
    }

    // Waits for the repaint that shows what changed so far.
    void WaitForRepaint() {
        const int paints = Paints;
        QTRY_VERIFY_WITH_TIMEOUT(Paints > paints, 10000);
    }

    // Appends a sample to series 0 and 1 of Chart1, as a three-axis run does.
    void AppendSample(int i) {
        Charts->AppendPoint(Chart::Acceleration, SeriesX, i * 0.02, 15 * std::sin(i * 0.07));
        Charts->AppendPoint(Chart::Acceleration, SeriesY, i * 0.02, 12 * std::cos(i * 0.05));
    }

    // Samples arriving over several repaints.
    void RunSamples(int from, int to) {
        for (int i = from; i < to; ++i) {
            AppendSample(i);
            if (i % 10 == 9) WaitForRepaint();
        }
    }

    // A left drag; the points used lie well inside the plot area of a 700 x 400 chart.
    static void Drag(QCustomPlot* plot, QPoint from, QPoint to) {
        QTest::mousePress(plot, Qt::LeftButton, {}, from);
        QTest::mouseMove(plot, to);
        QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    }

private slots:
    void init() {
        Charts.reset();
        Window = std::make_unique<QWidget>();
        for (int i = 0; i < 3; ++i) {
            Plots[i] = new QCustomPlot(Window.get());
            Plots[i]->setGeometry(0, i * 420, 700, 400);
        }
        Charts = std::make_unique<ChartSet>(Plots[0], Plots[1], Plots[2], Clock);
        Plots[0]->installEventFilter(this);
        Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    }

    void TimeWindowKeepsTheShownMinimumWhileItFits() {
        Charts->SetBottomRange(Chart::Acceleration, SeriesForce, 8);
        Charts->SetTimeWindow(20);
        QCOMPARE(Plots[0]->xAxis->range(), QCPRange(3, 20));
        QCOMPARE(Plots[2]->xAxis->range(), QCPRange(0, 20));
        Charts->SetBottomRange(Chart::Acceleration, 30, 50);
        Charts->SetTimeWindow(10);
        QCOMPARE(Plots[0]->xAxis->range(), QCPRange(0, 10));
    }

    // Points appended during a run reach the screen by repainting only the strip they are in;
    // each strip must leave the plot area as a whole redraw would show it.
    void AppendedPointsReachTheScreenAsAWholeRedrawShowsThem() {
        Charts->SetUnit(1);
        Charts->SetTimeWindow(10);
        WaitForRepaint();
        const QImage empty = ShownPlotArea();
        RunSamples(0, 200);
        QVERIFY(ShownPlotArea() != empty);
        QVERIFY(ShowsWholeRedraw());

        // A spike to the top: the next repaint shows its tip.
        Charts->AppendPoint(Chart::Acceleration, SeriesX, 200 * 0.02, 19.5);
        WaitForRepaint();
        const QPoint tip = QPoint(qRound(Plots[0]->xAxis->coordToPixel(4.0)),
                                  qRound(Plots[0]->yAxis->coordToPixel(19.5)) + 2) -
                           Plots[0]->axisRect()->rect().topLeft();
        const QImage shown = ShownPlotArea();
        QVERIFY(std::min({shown.pixelColor(tip - QPoint(1, 0)).lightness(),
                          shown.pixelColor(tip).lightness(),
                          shown.pixelColor(tip + QPoint(1, 0)).lightness()}) < 128);
        QVERIFY(ShowsWholeRedraw());

        // Many points between two repaints: one repaint shows them all.
        for (int i = 201; i < 400; ++i)
            AppendSample(i);
        WaitForRepaint();
        QVERIFY(ShowsWholeRedraw());
    }

    // A strip is drawn from the points and the dotted sub-grid near it alone; with thick
    // projector pens and with curves dense enough to be thinned per pixel column, it must still
    // show what a whole redraw shows, also where it joins the strip before.
    void StripsOfThickOrDenseCurvesShowWhatAWholeRedrawShows_data() {
        QTest::addColumn<int>("windowSeconds");
        QTest::addColumn<int>("samplesPerSecond");
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<int>("samplesPerRepaint");
        QTest::addColumn<bool>("projector"); // the projector's axes, grid and type
        QTest::newRow("sparse, thick") << 10 << 50 << 3 << 2 << false;
        QTest::newRow("sparse, projector") << 10 << 50 << 3 << 2 << true;
        QTest::newRow("dense, thin") << 60 << 320 << 1 << 13 << false;
        QTest::newRow("dense, thick") << 60 << 320 << 3 << 13 << false;
        QTest::newRow("dense, thick, slow repaints") << 60 << 320 << 3 << 90 << false;
        QTest::newRow("dense, projector") << 60 << 320 << 3 << 13 << true;
    }
    void StripsOfThickOrDenseCurvesShowWhatAWholeRedrawShows() {
        QFETCH(int, windowSeconds);
        QFETCH(int, samplesPerSecond);
        QFETCH(int, penWidth);
        QFETCH(int, samplesPerRepaint);
        QFETCH(bool, projector);
        ProjectorStyle style({Plots[0]});
        if (projector) style.Apply(1080);
        Charts->SetUnit(1);
        Charts->SetTimeWindow(windowSeconds);
        for (int series : {SeriesX, SeriesY}) {
            QCPGraph* graph = Plots[0]->graph(series);
            graph->setPen(QPen(graph->pen().color(), penWidth));
        }
        WaitForRepaint();
        const double period = 1.0 / samplesPerSecond;
        const int samples = samplesPerSecond * 8;
        for (int i = 0; i < samples; ++i) {
            // A swing with a fast ripple: the thinning's columns span a range of values.
            Charts->AppendPoint(Chart::Acceleration, SeriesX, i * period,
                                12 * std::sin(i * period * 3) + 3 * std::sin(i * 1.3));
            Charts->AppendPoint(Chart::Acceleration, SeriesY, i * period,
                                10 * std::cos(i * period * 2) + 2 * std::cos(i * 0.9));
            if (i % samplesPerRepaint == samplesPerRepaint - 1 || i == samples - 1)
                WaitForRepaint();
        }
        QVERIFY(ShowsWholeRedraw());
    }

    void ZoomDuringARunIsKeptAndRedrawsTheAxes() {
        Charts->SetUnit(1);
        Charts->SetTimeWindow(10);
        RunSamples(0, 100);
        Drag(Plots[0], {200, 100}, {500, 300});
        const QCPRange zoomed = Plots[0]->xAxis->range();
        QVERIFY(zoomed.upper < 10);
        RunSamples(100, 300);
        QCOMPARE(Plots[0]->xAxis->range(), zoomed);
        QVERIFY(ShowsWholeRedraw());
    }

    void ReplacedPointsAreAllThatIsShown() {
        RunSamples(0, 300);
        const std::vector<double> x = {0, 0.02, 0.04}, y = {1, -1, 2, 99};
        Charts->ReplaceSeries(Chart::Acceleration, SeriesX, x, std::span(y).first(3));
        Charts->ReplaceSeries(Chart::Acceleration, SeriesY, x, {});
        QCOMPARE(Charts->PointCount(Chart::Acceleration, SeriesX), 3);
        QCOMPARE(Charts->YAt(Chart::Acceleration, SeriesX, 2), 2.0);
        QCOMPARE(Charts->LargestX(Chart::Acceleration, SeriesX), 0.04);
        QCOMPARE(Charts->PointCount(Chart::Acceleration, SeriesY), 0);
        WaitForRepaint();
        QVERIFY(ShowsWholeRedraw());
    }

    void UserGesturesAloneAreAnnouncedAndUndoReturnsToTheProgramRanges() {
        QSignalSpy announced(Charts.get(), &ChartSet::UserRangeChanged);
        Charts->SetTimeWindow(30);
        Charts->SetUnit(0);
        Charts->SetBottomRange(Chart::Velocity, 1, 2);
        QCoreApplication::processEvents();
        QCOMPARE(announced.count(), 0);

        const QPointF topLeft = Charts->PixelToValues(200, 100);
        Drag(Plots[0], {200, 100}, {500, 200});
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced[0][0].value<Chart>(), Chart::Acceleration);
        QCOMPARE(Charts->BottomMin(Chart::Acceleration), topLeft.x());
        QCOMPARE(Plots[0]->yAxis->range().upper, topLeft.y());
        QCOMPARE(Plots[0]->yAxis2->range(), Plots[0]->yAxis->range());

        Charts->SetBottomRange(Chart::Acceleration, SeriesZ,
                               3); // following Chart2's zoom moves only the view
        Drag(Plots[0], {500, 200}, {200, 100});
        QCOMPARE(announced.count(), 2);
        QCOMPARE(Plots[0]->xAxis->range(), QCPRange(0, 30));
        QCOMPARE(Plots[0]->yAxis->range(), QCPRange(-2, 2));
        QCOMPARE(Plots[0]->yAxis2->range(), QCPRange(-2, 2));
    }

    void PlainClicksAreAnnouncedAndDragsAreNot() {
        QSignalSpy clicked(Charts.get(), &ChartSet::Chart1Clicked);
        QSignalSpy changed(Charts.get(), &ChartSet::UserRangeChanged);
        const struct {
            Qt::MouseButton Button;
            Qt::KeyboardModifiers Modifiers;
            QPoint From, To;
            bool Click, RangeChanged;
        } gestures[] = {
            {Qt::LeftButton, {}, {300, 200}, {300, 200}, true, false},
            {Qt::RightButton, Qt::ShiftModifier, {300, 200}, {303, 198}, true, false}, // jitter
            {Qt::MiddleButton, {}, {10, 10}, {12, 11}, true, false},    // beside the plot area
            {Qt::LeftButton, {}, {200, 100}, {500, 200}, false, true},  // zoom
            {Qt::RightButton, {}, {300, 200}, {340, 200}, false, true}, // scroll
            {Qt::LeftButton, {}, {300, 200}, {312, 203}, false, false}, // a flat drag: nothing
        };
        for (const auto& gesture : gestures) {
            clicked.clear();
            changed.clear();
            const QCPRange time = Plots[0]->xAxis->range();
            QTest::mousePress(Plots[0], gesture.Button, gesture.Modifiers, gesture.From);
            QTest::mouseMove(Plots[0], gesture.To);
            QTest::mouseRelease(Plots[0], gesture.Button, gesture.Modifiers, gesture.To);
            const QList<QVariantList> click{{QVariant::fromValue(gesture.Button),
                                             QVariant::fromValue(gesture.Modifiers), gesture.From}};
            QCOMPARE(clicked, gesture.Click ? click : QList<QVariantList>{});
            QCOMPARE(!changed.isEmpty(), gesture.RangeChanged);
            QCOMPARE(Plots[0]->xAxis->range() != time, gesture.RangeChanged);
        }
    }
};

QTEST_MAIN(ChartSetTest)
#include "ChartSetTest.moc"
