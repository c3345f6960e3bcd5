#include "launcher/Tarvikstartmain.h"
#include "tests/app/Dialogs.h"

#include <QDateTime>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>

namespace {

qint64 Now() {
    return QDateTime::currentMSecsSinceEpoch();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A stand-in for Tarvik: records in its own folder when it started (ms since the epoch) and
// runs until the test releases it (or removes its folder), then says it ended.
void WriteStandIn(const QDir& folder) {
    const QString path = folder.filePath(QStringLiteral("Tarvik"));
    WriteFile(path, "#!/bin/sh\n"
                    "cd \"$(dirname \"$0\")\"\n"
                    "date +%s%3N > started\n"
                    "i=0\n"
                    "while [ -e Tarvik ] && [ ! -e release ] && [ $i -lt 600 ]; do\n"
                    "    sleep 0.1; i=$((i+1))\n"
                    "done\n"
                    "touch ended\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    // The launcher runs from a folder other than its own, and each holds a stand-in.
    void StartsTarvikOfCurrentFolderAndEndsWithoutWaitingForIt() {
        QTemporaryDir programFolder, currentFolder;
        const QDir programDir(programFolder.path()), currentDir(currentFolder.path());
        const QString launcherFile = programDir.filePath(QStringLiteral("TarvikStart"));
        QVERIFY(QFile::copy(QStringLiteral(TARVIKSTART_PATH), launcherFile));
        WriteStandIn(programDir);
        WriteStandIn(currentDir);
        QProcess launcher;
        launcher.setWorkingDirectory(currentFolder.path());
        const qint64 launchedAt = Now();
        launcher.start(launcherFile, {});
        QVERIFY(launcher.waitForFinished(20000));
        const qint64 endedAt = Now();
        QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher.exitCode(), 0);

        QVERIFY2(!programDir.exists(QStringLiteral("started")),
                 "Tarvik started from the launcher's folder");
        QFile started(currentDir.filePath(QStringLiteral("started")));
        QVERIFY2(started.open(QIODevice::ReadOnly), "Tarvik of the current folder never ran");
        const qint64 startedAt = started.readAll().trimmed().toLongLong();
        QVERIFY2(!currentDir.exists(QStringLiteral("ended")),
                 "the launcher waited for Tarvik to end");
        // Tarvik starts after the progress bar (about 0.5 s), the splash stays 3 s longer.
        QVERIFY2(startedAt - launchedAt >= 400 && startedAt - launchedAt < 10000,
                 qPrintable(QString::number(startedAt - launchedAt)));
        QVERIFY2(endedAt - startedAt >= 2700, qPrintable(QString::number(endedAt - startedAt)));

        WriteFile(currentDir.filePath(QStringLiteral("release")), {});
        QTRY_VERIFY_WITH_TIMEOUT(currentDir.exists(QStringLiteral("ended")), 20000);
    }

    void ReportsFailedStartThenClosesThreeSecondsLater_data() {
        QTest::addColumn<bool>("fileThere");
        QTest::newRow("no Tarvik") << false;
        QTest::newRow("Tarvik not executable") << true;
    }

    void ReportsFailedStartThenClosesThreeSecondsLater() {
        QFETCH(bool, fileThere);
        QTemporaryDir folder;
        if (fileThere)
            WriteFile(QDir(folder.path()).filePath(QStringLiteral("Tarvik")), "#!/bin/sh\n");
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());

        TForm1 form;
        auto* progress = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QString shownText;
        int progressAtMessage = -1;
        qint64 dismissedAt = 0;
        // The message box runs its own loop inside the launcher's tick; it is answered from there.
        AnswerNextModal([&](QWidget* box) {
            shownText = qobject_cast<QMessageBox*>(box)->text();
            progressAtMessage = progress->value();
            dismissedAt = Now();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        form.show();
        form.close();
        QVERIFY2(form.isVisible(), "the splash closed before its time");

        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 20000);
        const qint64 closedAt = Now();
        QDir::setCurrent(previousFolder);
        QCOMPARE(shownText, QStringLiteral("Could not create process"));
        QCOMPARE(progressAtMessage, 100);
        QVERIFY2(closedAt - dismissedAt >= 2700,
                 qPrintable(QString::number(closedAt - dismissedAt)));
    }
};

QTEST_MAIN(LauncherTest)
#include "LauncherTest.moc"
