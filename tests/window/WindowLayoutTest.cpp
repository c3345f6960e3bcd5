#include "WindowGeometry.h"
#include "app/Tarvikmain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The main window at its default size and beyond.
class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QDir::setCurrent(Folder.path());
        Form = std::make_unique<TForm1>();
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        // The options page joins the walk.
        QTest::keyClicks(Form->findChild<QLineEdit*>(QStringLiteral("EdLogFile")),
                         QStringLiteral("pqrvmkzdwta"));
    }
    void cleanup() { Form.reset(); }

    void DefaultSizeKeepsEveryControlWhereItWas();

private:
    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form;
};

// The table was recorded from the window before it could grow; TARVIK_RECORD_GEOMETRY names
// a file to write the current table to instead.
void WindowLayoutTest::DefaultSizeKeepsEveryControlWhereItWas() {
    const GeometryTable now = VisibleGeometry(Form.get());
    if (const QString record = qEnvironmentVariable("TARVIK_RECORD_GEOMETRY"); !record.isEmpty()) {
        QFile out(record);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(GeometryText(now).toUtf8());
        QSKIP("geometry recorded");
    }
    QFile in(QStringLiteral(TARVIK_GEOMETRY_TABLE));
    QVERIFY(in.open(QIODevice::ReadOnly));
    const GeometryTable recorded = ParseGeometry(QString::fromUtf8(in.readAll()));
    QVERIFY(recorded.size() > 200);
    for (auto it = recorded.begin(); it != recorded.end(); ++it) {
        QVERIFY2(now.contains(it.key()), qPrintable(it.key()));
        QCOMPARE(now.value(it.key()), it.value());
    }
    QCOMPARE(now.size(), recorded.size());
}

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
