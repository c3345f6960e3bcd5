#include "app/FileDialogs.h"

#include "app/Language.h"
#include "app/ProgramFont.h"
#include "tests/app/Dialogs.h"

#include <QDir>
#include <QHeaderView>
#include <QPixmapCache>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>

// The file dialogs as each language shows them, on a folder as the program fills it: a log, an
// export, a note and the autosave folder.
class FileDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        ApplyProgramFont(*qApp);
        // Qt's dialogs keep their places' width from one to the next: a narrow one, as a dialog
        // in another font left it.
        QStandardPaths::setTestModeEnabled(true);
        QSettings kept(QSettings::UserScope, QStringLiteral("QtProject"));
        kept.setValue(QStringLiteral("FileDialog/sidebarWidth"), 40);
        kept.setValue(
            QStringLiteral("FileDialog/shortcuts"),
            QVariantList{QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(QDir::homePath())});
        QDir folder(Folder.path());
        QVERIFY(folder.mkdir(QStringLiteral("Autosave")));
        const std::pair<const char*, int> files[] = {
            {"241207_153012.csv", 181000}, {"241207_153012_table.csv", 2600000}, {"run.txt", 300}};
        for (const auto& [name, size] : files) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(size, 'x'));
            // Late in the day and the year: the longest date either language writes.
            QVERIFY(file.setFileTime(Modified, QFileDevice::FileModificationTime));
        }
    }

    void ShowsSizesAndDatesInTheLanguageWithWholeColumns_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Korean") << false;
        QTest::newRow("English") << true;
    }

    // The dialog takes the language's locale and writes sizes and dates in it whatever the
    // system's is, and each column is at least as wide as its title and its entries, the places at
    // the left as wide as their names.
    void ShowsSizesAndDatesInTheLanguageWithWholeColumns() {
        QFETCH(bool, english);
        InstallTranslations(*qApp, english ? UiLanguage::English : UiLanguage::Korean);
        const QLocale written(english ? QLocale::English : QLocale::Korean);
        QLocale::Language shown = QLocale::AnyLanguage;
        bool loaded = false;
        QStringList wrong, narrow;
        AnswerNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QAbstractItemModel* files = list->model();
            const auto cell = [&](int row, int column) {
                return files->index(row, column, list->rootIndex()).data().toString();
            };
            // The list fills in as the system answers: the folder and the two logs.
            loaded = QTest::qWaitFor(
                [&] {
                    const int rows = files->rowCount(list->rootIndex());
                    for (int row = 0; row < rows; ++row)
                        if (cell(row, 3).isEmpty()) return false;
                    return rows == 3;
                },
                10000);
            shown = dialog->locale().language();
            for (int row = 0; row < files->rowCount(list->rootIndex()); ++row) {
                const QFileInfo file(Folder.filePath(cell(row, 0)));
                if (file.isDir()) continue;
                if (cell(row, 1) != written.formattedDataSize(file.size())) wrong << cell(row, 1);
                if (cell(row, 3) != written.toString(Modified, QLocale::ShortFormat))
                    wrong << cell(row, 3);
            }
            const QAbstractItemView* view = list; // where the column's size hint is public
            QHeaderView* header = list->header();
            for (int column = 0; column < 4; ++column)
                if (header->sectionSize(column) <
                    std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column)))
                    narrow << files->headerData(column, Qt::Horizontal).toString();
            const auto* places = dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
            if (places->viewport()->width() < places->sizeHintForColumn(0)) narrow << "places";
            dialog->reject();
        });
        QVERIFY(AskFilePath(nullptr, FileDialogMode::Open, Folder.path(), QString()).isEmpty());
        QVERIFY(loaded);
        QCOMPARE(shown, written.language());
        QCOMPARE(wrong, QStringList{});
        QCOMPARE(narrow, QStringList{});
    }

    // Pictures cached while a dialog is open (its style's buttons and lists, its file icons) do
    // not outlive it.
    void LeavesNoPicturesInThePixmapCache() {
        const QString key = QStringLiteral("drawn while the dialog was open");
        bool shown = false;
        AnswerNextModal([&](QWidget* modal) {
            QPixmapCache::insert(key, QPixmap(16, 16));
            shown = true;
            qobject_cast<QFileDialog*>(modal)->reject();
        });
        QVERIFY(AskFilePath(nullptr, FileDialogMode::Save, Folder.path(), QString()).isEmpty());
        QVERIFY(shown);
        QPixmap kept;
        QVERIFY(!QPixmapCache::find(key, &kept));
    }

private:
    QTemporaryDir Folder;
    const QDateTime Modified{QDate(2024, 12, 28), QTime(22, 58)};
};

QTEST_MAIN(FileDialogsTest)
#include "FileDialogsTest.moc"
