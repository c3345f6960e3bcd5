#include "WindowGeometry.h"
#include "app/ProjectorMode.h"
#include "display/ChartTools.h"
#include "tests/app/Program.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
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
        const std::pair<const char*, int> charts[] = {{"TabAccelo/Chart1", 300},
                                                      {"TabAngle/Chart3", 300},
                                                      {"TabPendulum/Chart1", 300},
                                                      {"TabSpeed/Chart1", 150},
                                                      {"TabSpeed/Chart2", 150}};
        for (const auto& [chart, taller] : charts) {
            QVERIFY2(after[chart].width() >= before[chart].width() + 500, chart);
            QVERIFY2(after[chart].height() >= before[chart].height() + taller, chart);
        }

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

        // The chart menu offers the same switch.
        QVERIFY(Form->AnalysisTools().Menu()->actions().contains(Form->Projection().Toggle()));
        QVERIFY(Form->Projection().Toggle()->isChecked());
        QTest::keyClick(Form.get(), Qt::Key_Escape);
        QVERIFY(!Form->Projection().Active());
        QCOMPARE(value->font(), normalFont);
        QCOMPARE(chart->xAxis->tickLabelFont(), normalTicks);
        QCOMPARE(chart->graph(0)->pen().width(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(Form->size(), QSize(1013, 667), 10000);
        QCOMPARE(VisibleGeometry(Form.get()), normal);
    }

private:
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
