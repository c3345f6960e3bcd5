#include "app/Tarviknote.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

// The tests run in order in an empty current directory, where "AccNote.rtf" is looked for.
class TarviknoteTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(folder.path())); }

    void KeepsBuiltInTextAndReportsAMissingNoteFile() {
        TForm2 note;
        const QStringList lines =
            note.findChild<QTextEdit*>("RichEdit1")->toPlainText().split('\n');
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines[0], "[속도 그래프 관찰및 기록 시작 전에 유의 할 사항]");
        QCOMPARE(lines[10], "      이로 인한 오차가 발생합니다");
        QCOMPARE(note.LoadError(), "Cannot open file \"AccNote.rtf\". No such file or directory.");
    }

    void ReplacesTheTextWithTheNoteFile() {
        QFile file("AccNote.rtf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansicpg949{\\fonttbl{\\f0 Tahoma;}}\\pard   \\'b0\\'a1 {\\b bold}\\par"
                   "\r\n <tag>\\par}");
        file.close();
        TForm2 note;
        QCOMPARE(note.LoadError(), QString());
        QCOMPARE(note.findChild<QTextEdit*>("RichEdit1")->toPlainText(), "  가 bold\n <tag>");
    }
};

QTEST_MAIN(TarviknoteTest)
#include "TarviknoteTest.moc"
