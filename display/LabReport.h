#pragma once

#include "analysis/StatisticsTable.h"

#include <QString>
#include <QStringList>
#include <vector>

class QCustomPlot;

// One line of the report's value or settings table: what it is, its value and its unit.
struct ReportField {
    QString Name;
    QString Value;
    QString Unit;
};

// What a report to hand in holds, with every text already in the interface language.
struct LabReportContent {
    QString Title;   // the report's heading
    QString Page;    // the page the run was observed on
    QString Created; // date and time
    QString NameLine, ClassLine;
    QString ValuesHeading;
    std::vector<ReportField> Values;  // the page's boxes
    std::vector<QCustomPlot*> Charts; // drawn as they stand
    QString SettingsHeading;
    std::vector<ReportField> Settings;
    QString StatisticsHeading;
    QString StatisticsRange;
    TextTable Statistics; // title row first; may be empty
    QString FitsHeading;
    QStringList Fits; // one block of lines per fit
};

// Writes the report as an A4 PDF: texts as text with their fonts embedded, charts as vectors,
// onto more pages when one does not hold it. False, with the reason, when the file cannot be
// written.
bool WriteLabReport(const LabReportContent& content, const QString& path, QString* error);
