#include "display/ChartSet.h"

#include "engine/MeasurementView.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <qcustomplot.h>

char* toString(const QCPRange& range) {
    return QTest::toString(QString("%1 .. %2").arg(range.lower).arg(range.upper));
}

class ChartSetTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> Window;
    QCustomPlot* Plots[3] = {};
    std::unique_ptr<ChartSet> Charts;

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
        Charts = std::make_unique<ChartSet>(Plots[0], Plots[1], Plots[2]);
        Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    }

    void SeriesSitOnTheirAxesWhichFollowTheUnit() {
        QCOMPARE(Plots[0]->graphCount(), 4);
        for (int series = 0; series < 4; ++series)
            QCOMPARE(Plots[0]->graph(series)->valueAxis(),
                     series == 1 ? Plots[0]->yAxis2 : Plots[0]->yAxis);
        QCOMPARE(Plots[0]->yAxis->range(), QCPRange(-1.64, 2.36));
        QCOMPARE(Plots[0]->yAxis2->range(), QCPRange(-5.24, -1.24));
        for (QCustomPlot* plot : Plots)
            QCOMPARE(plot->xAxis->range(), QCPRange(0, 60));
        for (int unit : {1, 0, 7}) {
            Charts->SetUnit(unit);
            const double limit = unit == 0 ? 2 : 20;
            QCOMPARE(Plots[0]->yAxis->label(), unit == 0 ? "가속도[g]" : "가속도[m/s2]");
            QCOMPARE(Plots[0]->yAxis2->label(), unit == 0 ? "힘[Kgf]" : "힘[N]");
            QCOMPARE(Plots[0]->yAxis->range(), QCPRange(-limit, limit));
            QCOMPARE(Plots[0]->yAxis2->range(), QCPRange(-limit, limit));
        }
    }

    void TimeWindowKeepsTheShownMinimumWhileItFits() {
        Charts->SetBottomRange(Chart1, 3, 8);
        Charts->SetTimeWindow(20);
        QCOMPARE(Plots[0]->xAxis->range(), QCPRange(3, 20));
        QCOMPARE(Plots[2]->xAxis->range(), QCPRange(0, 20));
        Charts->SetBottomRange(Chart1, 30, 50);
        Charts->SetTimeWindow(10);
        QCOMPARE(Plots[0]->xAxis->range(), QCPRange(0, 10));
    }

    void ManyAppendsShareOneReplot() {
        int replots = 0;
        connect(Plots[0], &QCustomPlot::afterReplot, this, [&] { ++replots; });
        for (int i = 0; i < 1000; ++i)
            Charts->AppendPoint(Chart1, 0, i * 0.02, i % 7);
        QTRY_COMPARE_WITH_TIMEOUT(replots, 1, 5000);
        QCOMPARE(Plots[0]->graph(0)->dataCount(), 1000);
    }

    void UserGesturesAloneAreAnnouncedAndUndoReturnsToTheProgramRanges() {
        QSignalSpy announced(Charts.get(), &ChartSet::UserRangeChanged);
        Charts->SetTimeWindow(30);
        Charts->SetUnit(0);
        Charts->SetBottomRange(Chart2, 1, 2);
        QCoreApplication::processEvents();
        QCOMPARE(announced.count(), 0);

        const QPointF topLeft = Charts->PixelToValues(200, 100);
        Drag(Plots[0], {200, 100}, {500, 200});
        QCOMPARE(announced, QList<QVariantList>{{Chart1}});
        QCOMPARE(Charts->BottomMin(Chart1), topLeft.x());
        QCOMPARE(Plots[0]->yAxis->range().upper, topLeft.y());
        QCOMPARE(Plots[0]->yAxis2->range(), Plots[0]->yAxis->range());

        Charts->SetBottomRange(Chart1, 2, 3); // following Chart2's zoom moves only the view
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
