#include "app/Tarviknote.h"

#include "tests/app/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

// The tests run in order in an empty current directory, where "AccNote.rtf" is looked for.
class TarviknoteTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

    // The text a note window shows with these bytes as its note file.
    static QString Shown(const QByteArray& note) {
        QFile file("AccNote.rtf");
        file.open(QIODevice::WriteOnly);
        file.write(note);
        file.close();
        TForm2 window;
        return window.LoadError() + window.findChild<QTextEdit*>("RichEdit1")->toPlainText();
    }

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(folder.path())); }

    void KeepsBuiltInTextAndReportsAMissingNoteFile() {
        TForm2 note;
        QVERIFY(note.findChild<QTextEdit*>("RichEdit1")->toPlainText().startsWith("[속도 그래프"));
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

    // Rich text, and plain text as Notepad saves it: the Korean code page, or UTF-8 with its
    // byte-order mark. Blank lines stay.
    void ShowsTheNoteFileWithItsLineBreaks() {
        QCOMPARE(Shown("{\\rtf1\\ansicpg949{\\fonttbl{\\f0 Tahoma;}}\\pard   \\'b0\\'a1 {\\b bold}"
                       "\\par\\par\r\n <tag>\\par}"),
                 "  가 bold\n\n <tag>");
        QCOMPARE(Shown("\xb0\xa1 {\\b}\r\n\r\nline 3\r\n"), "가 {\\b}\n\nline 3\n");
        QCOMPARE(Shown("\xef\xbb\xbf\xea\xb0\x80 <b>\nx"), "가 <b>\nx");
    }

    // A plain note of 10 MB, once laid out for minutes, shows its beginning and says it was cut.
    void ShowsTheBeginningOfAHugePlainNote() {
        QByteArray note;
        while (note.size() < (10 << 20))
            note += "\xb0\xa1 line of a note that goes on\r\n";
        const QString shown = Shown(note);
        QVERIFY(shown.startsWith("가 line of a note that goes on\n"));
        QVERIFY(shown.endsWith("\n[알림 파일이 너무 길어 앞부분만 표시했습니다]"));
        QVERIFY(shown.size() < 300000);
    }
};

QTEST_MAIN(TarviknoteTest)
#include "TarviknoteTest.moc"
