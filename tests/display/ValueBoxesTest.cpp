#include "display/ValueBoxes.h"

#include "display/RepaintClock.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The value boxes change on the repaint clock's tick, to the newest text each was given.
class ValueBoxesTest : public QObject {
    Q_OBJECT
private slots:
    void NewestTextOnTheTick() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* acceleration = new QLineEdit(&window);
        acceleration->setObjectName("EdAcceloG");
        auto* angle = new QLineEdit(&window);
        angle->setObjectName("EdAngle");
        layout->addWidget(acceleration);
        layout->addWidget(angle);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        RepaintClock clock;
        ValueBoxes boxes(window, clock);
        QSignalSpy shown(acceleration, &QLineEdit::textChanged);

        boxes.Show(Box::EdAcceloG, "0.981");
        boxes.Show(Box::EdAcceloG, "0.975");
        boxes.Show(Box::EdAngle, "12.5");
        boxes.Show(Box::EdSpd, "1.0"); // no such box in this window
        QTRY_COMPARE_WITH_TIMEOUT(acceleration->text(), QStringLiteral("0.975"), 10000);
        QCOMPARE(shown, QList<QVariantList>{{QStringLiteral("0.975")}});
        QCOMPARE(angle->text(), QStringLiteral("12.5"));
    }
};

QTEST_MAIN(ValueBoxesTest)
#include "ValueBoxesTest.moc"
