#include "app/Language.h"
#include "display/ShownText.h"
#include "engine/RunControl.h"
#include "tests/app/Program.h"

#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <qcustomplot.h>

namespace {

bool HasHangul(const QString& text) {
    static const QRegularExpression hangul(QStringLiteral("[\\x{1100}-\\x{11FF}\\x{3130}-\\x{318F}"
                                                          "\\x{AC00}-\\x{D7A3}]"));
    return text.contains(hangul);
}

// The numbers of the %1..%9 a text fills in, each once, in order.
QList<int> Placeholders(const QString& text) {
    QList<int> numbers;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == QLatin1Char('%') && text[i + 1] >= QLatin1Char('1') &&
            text[i + 1] <= QLatin1Char('9'))
            numbers << text[i + 1].digitValue();
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// Every text a control of `window` shows or explains itself with.
QStringList TextsOf(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << edit->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
        if (auto* text = qobject_cast<QTextEdit*>(w)) texts << text->toPlainText();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) texts << memo->toPlainText();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* pages = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < pages->count(); ++i)
                texts << pages->tabText(i);
        if (auto* plot = qobject_cast<QCustomPlot*>(w)) {
            for (QCPAxis* axis : plot->axisRect()->axes())
                texts << axis->label();
            if (auto* title = qobject_cast<QCPTextElement*>(plot->plotLayout()->element(0, 0)))
                texts << title->text();
        }
    }
    for (QAction* action : window->findChildren<QAction*>())
        texts << action->text();
    return texts;
}

} // namespace

// The program with its English texts, as "--lang en" starts it.
class EnglishTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QDir::setCurrent(Folder.path());
        InstallTranslations(*qApp, UiLanguage::English);
    }

    void LanguageFollowsTheCommandLineThenTheSystem_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("english");
        QTest::newRow("nothing set") << QStringList{} << QStringList{} << false;
        QTest::newRow("C locale") << QStringList{} << QStringList{"LANG=C.UTF-8"} << false;
        QTest::newRow("English system") << QStringList{} << QStringList{"LANG=en_GB.UTF-8"} << true;
        QTest::newRow("Korean system") << QStringList{} << QStringList{"LANG=ko_KR.UTF-8"} << false;
        QTest::newRow("LC_ALL first")
            << QStringList{} << QStringList{"LC_ALL=ko_KR.UTF-8", "LANG=en_US.UTF-8"} << false;
        QTest::newRow("--lang en")
            << QStringList{"--lang", "en"} << QStringList{"LANG=ko_KR"} << true;
        QTest::newRow("--lang=en") << QStringList{"--lang=en"} << QStringList{} << true;
        QTest::newRow("--lang ko")
            << QStringList{"--lang", "ko"} << QStringList{"LANG=en_US"} << false;
        QTest::newRow("unknown") << QStringList{"--lang", "fr"} << QStringList{"LANG=en_US"}
                                 << true;
    }

    void LanguageFollowsTheCommandLineThenTheSystem() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(bool, english);
        QProcessEnvironment system;
        for (const QString& variable : environment)
            system.insert(variable.section('=', 0, 0), variable.section('=', 1));
        arguments.prepend(QStringLiteral("Tarvik"));
        QCOMPARE(ChooseLanguage(arguments, system) == UiLanguage::English, english);
    }

    // All pages, the note window, the start-up search's lines without a device and the boxes a
    // user can raise. "AccNote.rtf" is missing here, so the note window shows its own text.
    void NoHangulLeftInTheWindowsAndMessages() {
        TForm1 form1;
        TForm2 form2(&form1);
        form1.SetNoteWindow(&form2);
        form1.show();
        const Controls window{&form1};
        QStringList boxes;
        auto keepBox = [&boxes](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box)) {
                boxes << message->windowTitle() << message->text();
                for (QAbstractButton* button : message->buttons())
                    boxes << button->text();
            }
            box->close();
        };
        AnswerNextModal(keepBox); // the missing note file, after the search
        QTRY_VERIFY_WITH_TIMEOUT(window.Memo().contains("Fix 1"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.isEmpty(), Deadline);

        window.Type("EdMass", "abc");
        AnswerNextModal(keepBox);
        window.Choose("CmbUnit", 0);
        AnswerNextModal(keepBox);
        window.Click("BitBtn1");
        window.Click("BBtnStart"); // no device
        QCOMPARE(boxes.size(), 9);

        window.Unlock();
        auto* pages = window.Find<QTabWidget>("PageControl1");
        QStringList texts = boxes;
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            texts << TextsOf(&form1);
        }
        texts << TextsOf(&form2);
        for (const QString& text : texts)
            QVERIFY2(!HasHangul(text), qPrintable(text));
        // Units as English writes them; the Korean interface keeps its established ones.
        QCOMPARE(window.Find<QLabel>("LblAngleUnit")->text(), QStringLiteral("[deg]"));
        QCOMPARE(window.Find<QLabel>("LblSpdUnit")->text(), QStringLiteral("[m/s]"));
    }

    // The core's messages are translated at the edge, their numbers and names kept, a message
    // inside another translated too; a plain text stays as it is, also where it holds "%2".
    void CoreMessagesWithTheirArguments() {
        QCOMPARE(ShownText(LostSamplesLine(400, 100).value()),
                 QStringLiteral("[Note] About 100 samples (20%) of this run were not "
                                "received: times appear shorter than they were."));
        QCOMPARE(ShownText({MessageId::AxisReadout, {"Y", "-1.23"}}),
                 QStringLiteral("Y acc.:-1.23"));
        QCOMPARE(ShownText({MessageId::StrayPointsLeftOut, {MessageId::SineFitDamped, "3"}}),
                 QStringLiteral("Sine fit (damped swing), 3 stray points left out"));
        QCOMPARE(ShownText({MessageId::AxisReadout, {"%2", "1"}}), QStringLiteral("%2 acc.:1"));
        QCOMPARE(ShownText(std::string("[Start Data Log....]")),
                 QStringLiteral("[Start Data Log....]"));
    }

    // Each id has its Korean text and English that fills in the same %n, each of them once.
    void EveryMessageInBothLanguages() {
        for (int i = 1; i < MessageIdCount; ++i) {
            const char* source = KoreanSource(static_cast<MessageId>(i));
            const QString korean = QString::fromUtf8(source);
            const QString english = QCoreApplication::translate("CoreTexts", source);
            QVERIFY2(HasHangul(korean), qPrintable(QString::number(i)));
            QVERIFY2(!HasHangul(english), qPrintable(english));
            const QList<int> numbers = Placeholders(korean);
            for (int n = 0; n < numbers.size(); ++n)
                QCOMPARE(numbers[n], n + 1);
            QCOMPARE(Placeholders(english), numbers);
        }
    }

    // lupdate over the sources, into a copy of the translations: no text without its English.
    void EveryTextHasItsEnglish() {
        const QString copy = Folder.filePath(QStringLiteral("Tarvik_en.ts"));
        QVERIFY(QFile::copy(QStringLiteral(TARVIK_TS_FILE), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QStringList arguments;
        for (const char* path : {"app", "device/qt", "display", "messages/MessageTexts.cpp"})
            arguments << QStringLiteral(TARVIK_SOURCE_DIR "/") + QLatin1String(path);
        // The core's table marks its texts as update_translations is told to read them.
        arguments << QStringLiteral("-tr-function-alias")
                  << QStringLiteral("QT_TRANSLATE_NOOP+=Translatable");
        arguments << QStringLiteral("-silent") << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(TARVIK_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        QFile updated(copy);
        QVERIFY(updated.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(updated.readAll());
        QVERIFY(text.count(QStringLiteral("<message")) > 100);
        const qsizetype at = text.indexOf(QStringLiteral("type=\"unfinished\""));
        QVERIFY2(at < 0, qPrintable(text.mid(std::max<qsizetype>(0, at - 400), 400)));
    }

    // The note window reads the English sample note where the folder has it, else the Korean
    // note. The shipped English note is the Korean one in English, line for line, its headings
    // bold in the same places.
    void NoteWindowReadsTheEnglishNoteWhereThereIsOne() {
        const QString samples = QStringLiteral(TARVIK_SOURCE_DIR "/app/");
        QVERIFY(QFile::copy(samples + "AccNote.rtf", "AccNote.rtf"));
        const TForm2 korean;
        QVERIFY(HasHangul(NoteText(korean)));
        QVERIFY(QFile::copy(samples + "AccNote_en.rtf", "AccNote_en.rtf"));
        const TForm2 english;
        const QString text = NoteText(english);
        QFile::remove("AccNote.rtf");
        QFile::remove("AccNote_en.rtf");
        QVERIFY2(!HasHangul(text) && english.LoadError().isEmpty(), qPrintable(text));
        QCOMPARE(BoldLines(english), BoldLines(korean));
        QVERIFY(BoldLines(english).count(true) == 2);
    }

private:
    static QString NoteText(const TForm2& note) {
        return note.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText();
    }
    // Whether each line of the note starts in bold.
    static QList<bool> BoldLines(const TForm2& note) {
        QList<bool> bold;
        const QTextDocument* text =
            note.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->document();
        for (QTextBlock line = text->begin(); line.isValid(); line = line.next())
            bold << (line.begin().fragment().charFormat().fontWeight() >= QFont::Bold);
        return bold;
    }

    QTemporaryDir Folder;
};

QTEST_MAIN(EnglishTest)
#include "EnglishTest.moc"
