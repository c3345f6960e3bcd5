#include "app/Tarviknote.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

// Each test runs in an empty temporary current directory, where "AccNote.rtf" is looked for.
class TarviknoteTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(folder->path()));
    }

    void KeepsBuiltInElevenLinesAndReportsMissingFile() {
        TForm2 note;
        const QStringList lines = Text(note).split('\n');
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines[0], "[속도 그래프 관찰및 기록 시작 전에 유의 할 사항]");
        QCOMPARE(lines[2], "      속도 = 현재의 가속도 x 간격(시간Tcur-Tpre) + 이전 속도");
        QCOMPARE(lines[4], "     속도 관찰 시작전에 ZevuzaRuziv를 정지 상태에 두어");
        QCOMPARE(lines[8], "       각도 = asin(센스의 중력가속도/ 표준 중력 가속도)");
        QCOMPARE(lines[9], "  2) 중력가속도외의 인위적인 가속도가 전달되면 ");
        QCOMPARE(lines[10], "      이로 인한 오차가 발생합니다");
        QCOMPARE(note.LoadError(), "Cannot open file \"AccNote.rtf\". No such file or directory.");
        QVERIFY(note.NotShowChecked());
        QVERIFY(note.findChild<QCheckBox*>("CbNotShow")->isChecked());
        QVERIFY(!note.isVisible());
    }

    void KeepsBuiltInTextWhenNoteFileIsUnreadable() {
        QVERIFY(QDir().mkdir("AccNote.rtf"));
        TForm2 note;
        QVERIFY(!note.LoadError().isEmpty());
        QCOMPARE(Text(note).split('\n').size(), 11);
    }

    void ReplacesTextWithNoteFile() {
        QFile file("AccNote.rtf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi\\ansicpg949{\\fonttbl{\\f0 Tahoma;}}\r\n"
                   "\\pard   \\'b0\\'a1 {\\b bold}\\par\r\n <tag>\\par\r\n}\r\n");
        file.close();
        TForm2 note;
        QCOMPARE(note.LoadError(), QString());
        QCOMPARE(Text(note), "  가 bold\n <tag>");
        const QTextBlock first = Edit(note)->document()->firstBlock();
        QCOMPARE(first.begin().fragment().charFormat().fontWeight(), QFont::Normal);
        QCOMPARE((++first.begin()).fragment().text(), "bold");
        QCOMPARE((++first.begin()).fragment().charFormat().fontWeight(), QFont::Bold);
    }

    void ShowsCentredOnMainWindowAndButtonHides() {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 100, 1013, 667);
        mainWindow.show();
        TForm2 note(&mainWindow);
        note.ShowNote(&mainWindow);
        QTRY_VERIFY_WITH_TIMEOUT(note.isVisible(), 5000);
        QCOMPARE(note.size(), QSize(442, 363));
        QCOMPARE(note.findChild<QWidget*>("Panel1")->height(), 28);
        QVERIFY((note.frameGeometry().center() - mainWindow.frameGeometry().center())
                    .manhattanLength() <= 8); // the frame is known only once shown
        note.ShowNote(&mainWindow);           // already visible: stays where it is
        QVERIFY(note.isVisible());
        QTest::mouseClick(note.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!note.isVisible(), 5000);
    }

private:
    static QTextEdit* Edit(TForm2& note) { return note.findChild<QTextEdit*>("RichEdit1"); }
    static QString Text(TForm2& note) { return Edit(note)->toPlainText(); }

    std::unique_ptr<QTemporaryDir> folder;
};

QTEST_MAIN(TarviknoteTest)
#include "TarviknoteTest.moc"
