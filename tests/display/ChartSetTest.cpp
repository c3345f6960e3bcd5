#include "display/ChartSet.h"

#include "display/IncrementTicker.h"
#include "engine/MeasurementView.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <qcustomplot.h>

namespace {

void CompareRange(const QCPRange& actual, double lower, double upper) {
    QCOMPARE(actual.lower, lower);
    QCOMPARE(actual.upper, upper);
}

void Drag(QWidget* widget, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(widget, button, {}, from);
    QTest::mouseMove(widget, (from + to) / 2);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, button, {}, to);
}

// A point of the plot area, as fractions of its width and height from the top left.
QPoint At(QCustomPlot* plot, double across, double down) {
    const QRect area = plot->axisRect()->rect();
    return area.topLeft() + QPoint(int(area.width() * across), int(area.height() * down));
}

} // namespace

class ChartSetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> Window;
    QCustomPlot* Plots[3] = {};
    std::unique_ptr<ChartSet> Charts;

private slots:
    void init() {
        Window = std::make_unique<QWidget>();
        Window->resize(700, 1260);
        for (int i = 0; i < 3; ++i) {
            Plots[i] = new QCustomPlot(Window.get());
            Plots[i]->setGeometry(0, i * 420, 700, 400);
        }
        Charts = std::make_unique<ChartSet>(Plots[0], Plots[1], Plots[2]);
        Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
        for (QCustomPlot* plot : Plots)
            plot->replot(); // lays out the plot areas the gestures aim at
    }

    void cleanup() {
        Charts.reset();
        Window.reset();
    }

    void SeriesSitOnTheirAxes() {
        QCustomPlot* chart1 = Plots[0];
        QCOMPARE(chart1->graphCount(), 4);
        for (int series = 0; series < 4; ++series)
            QCOMPARE(chart1->graph(series)->valueAxis(),
                     series == 1 ? chart1->yAxis2 : chart1->yAxis);
        QCOMPARE(chart1->graph(2)->pen().color(), QColor(0x00, 0x80, 0xFF));
        QVERIFY(chart1->yAxis2->visible());
        CompareRange(chart1->yAxis->range(), -1.64, 2.36);
        CompareRange(chart1->yAxis2->range(), -5.24, -1.24);
        for (QCustomPlot* plot : Plots)
            CompareRange(plot->xAxis->range(), 0, 60);
    }

    void UnitSetsOneRangeOnBothAxes_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<double>("limit");
        QTest::newRow("g") << 0 << "가속도[g]"
                           << "힘[Kgf]" << 2.0;
        QTest::newRow("m/s2") << 1 << "가속도[m/s2]"
                              << "힘[N]" << 20.0;
        QTest::newRow("any other index") << 7 << "가속도[m/s2]"
                                         << "힘[N]" << 20.0;
    }

    void UnitSetsOneRangeOnBothAxes() {
        QFETCH(int, unit);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(double, limit);
        Charts->SetUnit(unit == 0 ? 1 : 0);
        Charts->SetUnit(unit);
        QCOMPARE(Plots[0]->yAxis->label(), left);
        QCOMPARE(Plots[0]->yAxis2->label(), right);
        CompareRange(Plots[0]->yAxis->range(), -limit, limit);
        CompareRange(Plots[0]->yAxis2->range(), -limit, limit);
    }

    void TimeWindowKeepsShownMinimum() {
        Charts->SetBottomRange(Chart1, 3, 8);
        Charts->SetTimeWindow(20);
        QCOMPARE(Charts->BottomMin(Chart1), 3.0);
        QCOMPARE(Charts->BottomMax(Chart1), 20.0);
        CompareRange(Plots[1]->xAxis->range(), 0, 20);
        CompareRange(Plots[2]->xAxis->range(), 0, 20);
        // A minimum beyond the new window would turn the axis round.
        Charts->SetBottomRange(Chart1, 30, 50);
        Charts->SetTimeWindow(10);
        CompareRange(Plots[0]->xAxis->range(), 0, 10);
    }

    void SeriesKeepAppendOrder() {
        for (int i = 0; i < 5; ++i)
            Charts->AppendPoint(Chart1, 0, i * 0.02, 10.0 - i);
        Charts->AppendPoint(Chart3, 0, 0, 45);
        QCOMPARE(Charts->YAt(Chart1, 0, 3), 7.0);
        QCOMPARE(Charts->LargestX(Chart1, 0), 0.08);
        QCOMPARE(Charts->LargestX(Chart2, 0), 0.0);
        const ChartSeriesReader reader(*Charts, Chart1, 0);
        QCOMPARE(reader.Count(), 5);
        QCOMPARE(reader.YAt(4), 6.0);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, reader.YAt(5));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Charts->YAt(Chart1, 0, -1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Charts->AppendPoint(Chart2, 1, 0, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Charts->PointCount(4, 0));
        Charts->ClearSeries(Chart1, 0);
        QCOMPARE(Charts->PointCount(Chart1, 0), 0);
        QCOMPARE(Charts->PointCount(Chart3, 0), 1);
    }

    void ManyAppendsShareFewReplots() {
        int replots = 0;
        int pointsDrawn = 0;
        connect(Plots[0], &QCustomPlot::afterReplot, this, [&] {
            ++replots;
            pointsDrawn = Charts->PointCount(Chart1, 0);
        });
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 1000; ++i) {
            Charts->AppendPoint(Chart1, 0, i * 0.02, i % 7);
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE_WITH_TIMEOUT(pointsDrawn, 1000, 5000);
        // Replots lie at least one refresh apart (timers may fire a little early).
        const qint64 elapsedMs = clock.elapsed();
        qInfo("1000 appends, one event-loop turn each: %d replots in %lld ms", replots, elapsedMs);
        QVERIFY2(replots <= 1 + elapsedMs / 15, qPrintable(QString::number(replots)));
    }

    void ProgramRangesAreNeverAnnounced() {
        QSignalSpy announced(Charts.get(), &ChartSet::UserRangeChanged);
        Charts->SetTimeWindow(30);
        Charts->SetUnit(0);
        Charts->SetBottomRange(Chart2, 1, 2);
        Charts->SetBottomRange(Chart1, 1, 2);
        Charts->SetRightAxisVisible(false);
        Charts->SetLeftMinorGridVisible(false);
        QCoreApplication::processEvents();
        QCOMPARE(announced.count(), 0);
    }

    void UserGesturesAreAnnouncedWithNewRange() {
        Charts->SetUnit(0);
        QSignalSpy announced(Charts.get(), &ChartSet::UserRangeChanged);
        QSignalSpy pressed(Charts.get(), &ChartSet::Chart1MousePressed);
        QCustomPlot* chart1 = Plots[0];

        // A click is no gesture, but Chart1 reports the press.
        QTest::mouseClick(chart1, Qt::LeftButton, Qt::ShiftModifier, At(chart1, 0.5, 0.5));
        QCOMPARE(announced.count(), 0);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(pressed[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
        QCOMPARE(pressed[0][2].toPoint(), At(chart1, 0.5, 0.5));

        const QPoint from = At(chart1, 0.25, 0.25), to = At(chart1, 0.75, 0.5);
        const QPointF topLeft = Charts->PixelToValues(from.x(), from.y());
        const QPointF bottomRight = Charts->PixelToValues(to.x(), to.y());
        Drag(chart1, Qt::LeftButton, from, to);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced[0][0].toInt(), Chart1);
        QCOMPARE(Charts->BottomMin(Chart1), topLeft.x());
        QCOMPARE(Charts->BottomMax(Chart1), bottomRight.x());
        CompareRange(chart1->yAxis->range(), bottomRight.y(), topLeft.y());
        CompareRange(chart1->yAxis2->range(), bottomRight.y(), topLeft.y());

        // Scrolling moves the view against the drag.
        const QCPRange zoomedTime = chart1->xAxis->range();
        Drag(chart1, Qt::RightButton, At(chart1, 0.5, 0.5), At(chart1, 0.7, 0.5));
        QVERIFY(announced.count() > 1);
        QCOMPARE(announced.last()[0].toInt(), Chart1);
        QVERIFY(chart1->xAxis->range().lower < zoomedTime.lower);
        QCOMPARE(chart1->xAxis->range().size(), zoomedTime.size());

        // The tilt chart scrolls along the time axis only.
        QCustomPlot* chart3 = Plots[2];
        const QCPRange tilt = chart3->yAxis->range();
        Drag(chart3, Qt::RightButton, At(chart3, 0.5, 0.5), At(chart3, 0.3, 0.8));
        QCOMPARE(announced.last()[0].toInt(), Chart3);
        QVERIFY(chart3->xAxis->range().lower > 0);
        CompareRange(chart3->yAxis->range(), tilt.lower, tilt.upper);
    }

    void UndoZoomReturnsToLastProgramRange() {
        Charts->SetUnit(0);
        Charts->SetTimeWindow(10);
        QCustomPlot* chart1 = Plots[0];
        Drag(chart1, Qt::LeftButton, At(chart1, 0.2, 0.2), At(chart1, 0.6, 0.6));
        // The link to the other chart's zoom moves the view, not the home range.
        Charts->SetBottomRange(Chart1, 2, 3);
        QSignalSpy announced(Charts.get(), &ChartSet::UserRangeChanged);
        Drag(chart1, Qt::LeftButton, At(chart1, 0.6, 0.6), At(chart1, 0.2, 0.2));
        QCOMPARE(announced.count(), 1);
        CompareRange(chart1->xAxis->range(), 0, 10);
        CompareRange(chart1->yAxis->range(), -2, 2);
        CompareRange(chart1->yAxis2->range(), -2, 2);

        QCustomPlot* chart2 = Plots[1];
        Drag(chart2, Qt::LeftButton, At(chart2, 0.2, 0.2), At(chart2, 0.6, 0.6));
        QVERIFY(chart2->xAxis->range().upper < 10);
        QTest::mouseDClick(chart2, Qt::LeftButton, {}, At(chart2, 0.5, 0.5));
        QCOMPARE(announced.last()[0].toInt(), Chart2);
        CompareRange(chart2->xAxis->range(), 0, 10);
        CompareRange(chart2->yAxis->range(), -2, 2);
    }

    void TickStepStaysReadable_data() {
        QTest::addColumn<double>("increment");
        QTest::addColumn<double>("range");
        QTest::addColumn<int>("maxIntervals");
        QTest::addColumn<double>("step");
        QTest::newRow("increment fits") << 0.5 << 4.0 << 20 << 0.5;
        QTest::newRow("hundredths over four g") << 0.01 << 4.0 << 20 << 0.2;
        QTest::newRow("samples over a minute") << 0.02 << 60.0 << 20 << 5.0;
        QTest::newRow("short axis") << 0.1 << 40.0 << 10 << 5.0;
        QTest::newRow("no round multiple") << 0.3 << 100.0 << 20 << 5.1;
    }

    void TickStepStaysReadable() {
        QFETCH(double, increment);
        QFETCH(double, range);
        QFETCH(int, maxIntervals);
        QFETCH(double, step);
        QCOMPARE(ReadableTickStep(increment, range, maxIntervals), step);
    }

    void VelocityLabelsKeepOneDecimal() {
        Plots[1]->replot();
        const QList<QString> labels = Plots[1]->yAxis->tickVectorLabels();
        for (const char* label : {"-2.0", "-1.5", "0.0", "0.5", "2.0"})
            QVERIFY2(labels.contains(label), label);
        Plots[2]->replot();
        QVERIFY(Plots[2]->yAxis->tickVectorLabels().contains("-60"));
    }
};

QTEST_MAIN(ChartSetTest)
#include "ChartSetTest.moc"
