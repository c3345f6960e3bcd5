#include "app/Tarviknote.h"

#include "tests/app/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
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

        // Reported in a box above the note window, which is then answered.
        QString reported;
        QWidget* owner = nullptr;
        AnswerNextModal([&](QWidget* box) {
            reported = qobject_cast<QMessageBox*>(box)->text();
            owner = box->parentWidget();
            box->close();
        });
        note.ShowNote(nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!reported.isEmpty(), 10000);
        QCOMPARE(reported,
                 "알림 파일 \"AccNote.rtf\"을(를) 읽을 수 없어 기본 안내문을 보여 줍니다.");
        QCOMPARE(owner, &note);
        note.findChild<QPushButton*>("Button1")->click();
        QVERIFY(!note.isVisible());
    }

    void ShowsAPlainTextNoteWithItsLineBreaks() {
        // As Notepad saves it: the Korean code page, or UTF-8 with its byte-order mark.
        const std::pair<QByteArray, QString> notes[] = {
            {"\xb0\xa1 {\\b}\r\n\r\nline 3\r\n", "가 {\\b}\n\nline 3\n"},
            {"\xef\xbb\xbf\xea\xb0\x80 <b>\nx", "가 <b>\nx"}};
        for (const auto& [bytes, text] : notes) {
            QFile file("AccNote.rtf");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            TForm2 note;
            QCOMPARE(note.LoadError(), QString());
            QCOMPARE(note.findChild<QTextEdit*>("RichEdit1")->toPlainText(), text);
        }
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
