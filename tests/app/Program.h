#pragma once

#include "app/Tarvikmain.h"
#include "app/Tarviknote.h"
#include "tests/app/Dialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <qcustomplot.h>
#include <vector>

// What the program does by itself gets this long: the machine is shared.
inline constexpr int Deadline = 20000;

// The pixel of a time on a chart, halfway up its plot area.
inline QPoint At(const QCustomPlot* chart, double time) {
    return {int(chart->xAxis->coordToPixel(time)), chart->axisRect()->center().y()};
}

// The main window's controls by their object names, used as a user uses them.
struct Controls {
    TForm1* Form1 = nullptr;

    template <typename T = QLineEdit> T* Find(const char* name) const {
        return Form1->findChild<T*>(QLatin1String(name));
    }
    QString Memo() const { return Find<QPlainTextEdit>("Memo1")->toPlainText(); }
    QString Text(const char* box) const { return Find(box)->text(); }
    QStringList Texts(const std::vector<const char*>& boxes) const {
        QStringList texts;
        for (const char* box : boxes)
            texts << Text(box);
        return texts;
    }
    void Type(const std::vector<const char*>& boxes, const QStringList& texts) const {
        for (std::size_t i = 0; i < boxes.size(); ++i)
            Type(boxes[i], texts.value(int(i)));
    }
    void Type(const char* box, const QString& text) const { Find(box)->setText(text); }
    void Click(const char* button) const { Find<QAbstractButton>(button)->click(); }
    bool ComDown() const { return Find<QAbstractButton>("SbCom")->isChecked(); }
    void ShowPage(const char* page) const {
        Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>(page));
    }
    // A pick from the list, which the window hears of as the user's.
    void Choose(const char* comboName, int index) const {
        auto* combo = Find<QComboBox>(comboName);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The hidden word that opens the options page and the higher filter levels.
    void Unlock() const { QTest::keyClicks(Find("EdLogFile"), "pqrvmkzdwta"); }
    const LiveState& Live() const { return Form1->Live(); }
    const ChartSet& Charts() const { return Form1->ChartsView(); }
    bool Connected() const {
        return QTest::qWaitFor([this] { return Live().DeviceFound && ComDown(); }, Deadline);
    }
    // Starts a run and waits until it has filled its time window.
    bool FullRun() const {
        const int ends = Memo().count(QStringLiteral("[Stop Data Log"));
        Click("BBtnStart");
        return QTest::qWaitFor([&] { return Memo().count("[Stop Data Log") > ends; }, Deadline);
    }
    // The file the newest "Run autosaved" line names.
    QString LastAutosave() const {
        return Memo().section(QStringLiteral("Run autosaved : "), -1).section('\n', 0, 0);
    }
    bool WaitForSamples(std::uint32_t count) const {
        return QTest::qWaitFor([&] { return Live().Recorded.LogCount >= count; }, Deadline);
    }
};

// The analysis program with its note window, started in a working folder: a fresh one unless
// `folder` is given. `settings` become default.ini after its version line; without them the
// program reads what the folder holds.
struct Program : Controls {
    explicit Program(std::optional<QString> settings, PortCandidates candidates = {},
                     const QString& folder = {})
        : Path(folder.isEmpty() ? Own.path() : folder) {
        QDir::setCurrent(Path);
        if (settings) {
            QFile file(QStringLiteral("default.ini"));
            file.open(QIODevice::WriteOnly);
            file.write("Kvd_Log_DataBase_Ver=1.0\r\n" + settings->toUtf8());
        }
        QFile note(QStringLiteral("AccNote.rtf")); // without it the start-up reports its absence
        if (!note.exists() && note.open(QIODevice::WriteOnly)) note.write("{\\rtf1 note\\par}");
        Window = std::make_unique<TForm1>(nullptr, std::move(candidates));
        Note = std::make_unique<TForm2>(Window.get());
        Window->SetNoteWindow(Note.get());
        Form1 = Window.get();
        Window->show();
    }
    ~Program() {
        Window->close();
        QDir::setCurrent(QDir::tempPath());
    }

    QString FilePath(const QString& name) const { return QDir(Path).filePath(name); }

    QTemporaryDir Own;
    QString Path;
    std::unique_ptr<TForm1> Window;
    std::unique_ptr<TForm2> Note;
};
