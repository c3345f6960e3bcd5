#include "display/LabReport.h"

#include "tests/ToolOutput.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Each page's text lines, blank lines left out.
std::vector<QStringList> PageLines(const QString& path) {
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(ToolOutput(QStringLiteral("pdfinfo"), {path}));
    std::vector<QStringList> lines;
    for (int page = 1; page <= pages.captured(1).toInt(); ++page) {
        const QString number = QString::number(page);
        lines.push_back(ToolOutput(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                                    path, QStringLiteral("-")})
                            .split('\n', Qt::SkipEmptyParts));
    }
    return lines;
}

int PageOf(const std::vector<QStringList>& pages, const QString& line) {
    for (std::size_t page = 0; page < pages.size(); ++page)
        for (const QString& text : pages[page])
            if (text.contains(line)) return static_cast<int>(page);
    return -1;
}

} // namespace

// How a report flows over A4 pages.
class LabReportTest : public QObject {
    Q_OBJECT
private slots:
    // However long the value table above them, no heading stays alone at a page's foot, a
    // table that fits on a page stays whole, and so does each fit's block of lines.
    void HeadingsGoWithWhatFollowsThemAndBlocksStayWhole() {
        QTemporaryDir folder;
        LabReportContent content;
        content.Title = QStringLiteral("Lab report");
        content.Page = QStringLiteral("Pendulum");
        content.ValuesHeading = QStringLiteral("Values");
        content.SettingsHeading = QStringLiteral("Settings");
        for (int i = 0; i < 6; ++i)
            content.Settings.push_back({QStringLiteral("setting%1").arg(i), "1", "s"});
        content.StatisticsHeading = QStringLiteral("Statistics");
        content.StatisticsRange = QStringLiteral("Range 0 s to 10 s");
        content.Statistics.push_back({"statistic", "X acceleration"});
        for (int i = 0; i < 8; ++i)
            content.Statistics.push_back({"row" + std::to_string(i), std::to_string(i)});
        content.FitsHeading = QStringLiteral("Fits");
        for (const QString& fit : {QStringLiteral("first"), QStringLiteral("second")}) {
            QStringList block{fit + " fit"};
            for (int i = 0; i < 7; ++i)
                block << QStringLiteral("%1 line %2").arg(fit).arg(i);
            content.Fits << block.join('\n');
        }
        const QStringList headings{content.ValuesHeading, content.SettingsHeading,
                                   content.StatisticsHeading, content.FitsHeading};
        int pagesSeen = 0;
        for (int values = 1; values <= 60; values += 3) {
            content.Values.clear();
            for (int i = 0; i < values; ++i)
                content.Values.push_back({QStringLiteral("value%1").arg(i), "1.00", "m"});
            const QString path = folder.filePath(QStringLiteral("report%1.pdf").arg(values));
            QString error;
            QVERIFY2(WriteLabReport(content, path, &error), qPrintable(error));
            const std::vector<QStringList> pages = PageLines(path);
            QVERIFY(!pages.empty());
            pagesSeen = std::max(pagesSeen, static_cast<int>(pages.size()));
            const QString where = QStringLiteral("%1 values").arg(values);
            for (const QStringList& page : pages)
                QVERIFY2(!headings.contains(page.last().trimmed()),
                         qPrintable(where + ": " + page.last()));
            QCOMPARE(PageOf(pages, "Statistics"), PageOf(pages, "row7"));
            QCOMPARE(PageOf(pages, "setting0"), PageOf(pages, "setting5"));
            for (const QString& fit : {QStringLiteral("first"), QStringLiteral("second")})
                QVERIFY2(PageOf(pages, fit + " fit") == PageOf(pages, fit + " line 6"),
                         qPrintable(where));
        }
        QVERIFY(pagesSeen >= 2); // the sweep did push blocks over a page break
    }
};

QTEST_MAIN(LabReportTest)
#include "LabReportTest.moc"
