#include "WindowGeometry.h"
#include "app/ProjectorMode.h"
#include "display/ChartTools.h"
#include "tests/app/Program.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <qcustomplot.h>

// The main window at its default size and beyond.
class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QDir::setCurrent(Folder.path());
        Form = std::make_unique<TForm1>();
        Window.Form1 = Form.get();
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Window.Unlock(); // the options page joins the walk
    }
    void cleanup() { Form.reset(); }

    // The table was recorded from the window before it could grow; TARVIK_RECORD_GEOMETRY names
    // a file to write the current table to instead.
    void DefaultSizeKeepsEveryControlWhereItWas() {
        const QStringList now = GeometryLines(VisibleGeometry(Form.get()));
        if (const QString record = qEnvironmentVariable("TARVIK_RECORD_GEOMETRY");
            !record.isEmpty()) {
            QFile out(record);
            QVERIFY(out.open(QIODevice::WriteOnly) &&
                    out.write(now.join('\n').toUtf8() + '\n') > 0);
            QSKIP("geometry recorded");
        }
        QFile in(QStringLiteral(TARVIK_GEOMETRY_TABLE));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QStringList recorded = QString::fromUtf8(in.readAll()).trimmed().split('\n');
        QVERIFY(recorded.size() > 200);
        QCOMPARE(now, recorded);
    }

    void LargerWindowGivesTheChartsTheRoom() {
        const GeometryTable before = VisibleGeometry(Form.get());
        Form->resize(1600, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(Form->size(), QSize(1600, 1000), 10000);
        const GeometryTable after = VisibleGeometry(Form.get());
        const std::pair<const char*, int> charts[] = {{"TabAccelo/Chart1", 240},
                                                      {"TabAngle/Chart3", 240},
                                                      {"TabPendulum/Chart1", 240},
                                                      {"TabSpeed/Chart1", 120},
                                                      {"TabSpeed/Chart2", 120}};
        for (const auto& [chart, taller] : charts) {
            QVERIFY2(after[chart].width() >= before[chart].width() + 500, chart);
            QVERIFY2(after[chart].height() >= before[chart].height() + taller, chart);
        }

        // The message area shows the advice given at a start without a device whole.
        auto* messages = Window.Find<QPlainTextEdit>("Memo1");
        QTRY_VERIFY_WITH_TIMEOUT(Window.Memo().contains(QStringLiteral("해결3")), 20000);
        QCOMPARE(messages->verticalScrollBar()->maximum(), 0);

        VerifyPagesDoNotOverlap();
        if (QTest::currentTestFailed()) return;
        // The top bar and the direction panel each stay one row, the latter beside the tabs.
        auto* bar = Window.Find<QWidget>("Panel1");
        for (QWidget* control : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(bar->rect().contains(control->geometry()));
            QVERIFY(control->geometry().center().y() - bar->rect().center().y() <= 2);
        }
        auto* direction = Window.Find<QWidget>("Panel10");
        QCOMPARE(direction->geometry().right(), Form->width() - 3);
        auto* pages = Window.Find<QTabWidget>("PageControl1");
        QTabBar* tabs = pages->tabBar();
        QVERIFY(tabs->mapTo(Form.get(), tabs->tabRect(pages->count() - 1).topRight()).x() <
                direction->x());
    }

    void ProjectorModeEnlargesTheValuesAndPutsThemBack() {
        const GeometryTable normal = VisibleGeometry(Form.get());
        auto* value = Window.Find("EdAcceloG");
        auto* chart = Window.Find<QCustomPlot>("Chart1");
        const QFont normalFont = value->font();
        const QFont normalPeriodFont = Window.Find("EdPendT")->font();
        const QFont normalTicks = chart->xAxis->tickLabelFont();

        Window.ShowPage("TabAccelo");
        QTest::keyClick(Form.get(), Qt::Key_F11);
        QVERIFY(Form->Projection().Active());
        const int screenHeight = Form->screen()->geometry().height();
        QTRY_COMPARE_WITH_TIMEOUT(Form->height(), screenHeight, 10000);
        // Readable from the back of the room: type of a fifteenth of the screen, values that fit.
        QVERIFY(QFontInfo(value->font()).pixelSize() >= screenHeight / 15);
        value->setText(QStringLiteral("-19.60"));
        QVERIFY(value->fontMetrics().horizontalAdvance(value->text()) <
                value->contentsRect().width());
        QTRY_VERIFY_WITH_TIMEOUT(value->height() > value->fontMetrics().height(), 10000);
        QCOMPARE(chart->graph(0)->pen().width(), 3);
        QVERIFY(chart->xAxis->tickLabelFont().pixelSize() >= screenHeight / 40);
        VerifyPagesDoNotOverlap();
        if (QTest::currentTestFailed()) return;
        VerifyOffsetPanelSpansTheChart();
        if (QTest::currentTestFailed()) return;

        // The pendulum page's results and the chart's texts are as readable as the live values.
        Window.ShowPage("TabPendulum");
        for (const char* result : {"EdPendT", "EdPendCalG", "EdPendCalT"})
            QVERIFY2(QFontInfo(Window.Find(result)->font()).pixelSize() >= screenHeight / 15,
                     result);
        QTest::mouseClick(chart, Qt::LeftButton, {},
                          QPoint(chart->width() / 2, chart->height() / 2));
        auto* readout = Window.Find<QLabel>("STxtChartValueY");
        QTRY_VERIFY_WITH_TIMEOUT(readout->isVisible(), 10000);
        QVERIFY(QFontInfo(readout->font()).pixelSize() >= screenHeight / 15);
        QVERIFY(readout->height() >= readout->fontMetrics().height());
        // Near the right edge the readout turns to the pointer's left rather than leave the chart.
        QTest::mouseClick(chart, Qt::LeftButton, {},
                          QPoint(chart->width() - 40, chart->height() / 2));
        QTRY_VERIFY_WITH_TIMEOUT(readout->geometry().right() < chart->width() - 40, 10000);
        Form->AnalysisTools().FitSineInView();
        QCPItemText* fitLines = FitLabel(chart);
        QVERIFY(fitLines != nullptr);
        QVERIFY(fitLines->font().pixelSize() >= screenHeight / 30);

        // The chart menu offers the same switch.
        QVERIFY(Form->AnalysisTools().Menu()->actions().contains(Form->Projection().Toggle()));
        QVERIFY(Form->Projection().Toggle()->isChecked());
        QTest::keyClick(Form.get(), Qt::Key_Escape);
        QVERIFY(!Form->Projection().Active());
        QCOMPARE(value->font(), normalFont);
        QCOMPARE(chart->xAxis->tickLabelFont(), normalTicks);
        QCOMPARE(chart->graph(0)->pen().width(), 1);
        QCOMPARE(Window.Find("EdPendT")->font(), normalPeriodFont);
        QVERIFY(!readout->isVisible());
        QCOMPARE(fitLines->font().pixelSize(), -1); // back to the chart's own point size
        QTRY_COMPARE_WITH_TIMEOUT(Form->size(), QSize(1013, 667), 10000);
        QCOMPARE(VisibleGeometry(Form.get()), normal);
    }

private:
    static QCPItemText* FitLabel(QCustomPlot* chart) {
        for (int i = 0; i < chart->itemCount(); ++i)
            if (auto* text = qobject_cast<QCPItemText*>(chart->item(i))) return text;
        return nullptr;
    }

    // The offset panel, which the enlarged values leave no room for in the column, spans the
    // chart's width under it: no empty space is left beside it.
    void VerifyOffsetPanelSpansTheChart() {
        Window.ShowPage("TabAccelo");
        const QRect offsets = Window.Find<QWidget>("PnlOffset")->geometry();
        const QRect chart = Window.Find<QWidget>("PnlAccChart")->geometry();
        if (offsets.x() >= chart.right()) return; // still in the column
        QVERIFY(offsets.top() > chart.bottom());
        QCOMPARE(offsets.left(), chart.left());
        QCOMPARE(offsets.right(), chart.right());
    }

    // On every page the controls lie inside the page and apart from each other.
    void VerifyPagesDoNotOverlap() {
        auto* pages = Window.Find<QTabWidget>("PageControl1");
        for (int index = 0; index < pages->count(); ++index) {
            pages->setCurrentIndex(index);
            QWidget* page = pages->currentWidget();
            QList<QWidget*> shown;
            for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisibleTo(page)) shown << child;
            for (int a = 0; a < shown.size(); ++a) {
                QVERIFY2(page->rect().contains(shown[a]->geometry()),
                         qPrintable(shown[a]->objectName()));
                for (int b = a + 1; b < shown.size(); ++b)
                    QVERIFY2(!shown[a]->geometry().intersects(shown[b]->geometry()),
                             qPrintable(shown[a]->objectName() + " " + shown[b]->objectName()));
            }
        }
    }

    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form;
    Controls Window;
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
