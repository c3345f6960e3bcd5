#pragma once

#include "display/LabReport.h"
#include "engine/MeasurementView.h"

#include <QObject>
#include <functional>
#include <vector>

class ChartSet;
class ChartTools;
class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;
struct LiveState;

// A value box of a page as the report lists it: the text naming it, the box, its unit.
struct ReportBox {
    Page OnPage;
    const QWidget* Name; // a label or a button
    const QLineEdit* Box;
    const QLabel* Unit;
};

struct LabReportControls {
    const QTabWidget* Pages;
    std::vector<ReportBox> Boxes;
    const QLineEdit* LogName;
    const QLineEdit* Mass;
    const QLineEdit* PendLength;
    const QComboBox* Filter;
    const QComboBox* Unit;
    const QComboBox* TimeWindow;
};

// "보고서 저장" (Ctrl+P, also in the charts' menu): the page in view written as a PDF to hand
// in, with its boxes, charts, the settings that shaped the numbers, the range statistics and
// the fits, then opened in the system's viewer.
class LabReportMaker : public QObject {
    Q_OBJECT
public:
    using AskPath = std::function<QString(const QString&, const QString&, const QStringList&)>;
    using OpenFile = std::function<void(const QString&)>;

    LabReportMaker(QWidget* window, LabReportControls controls, const LiveState& state,
                   const ControlState& controlState, ChartSet& charts, ChartTools& tools,
                   MeasurementView& view, AskPath askPath);

    QAction* Action() const { return Make; }
    // The system's viewer by default.
    void SetOpener(OpenFile open) { Open = std::move(open); }
    LabReportContent Content() const;
    // Writes the report, says so in the message area and opens it; false if it was not written.
    bool Write(const QString& path);

private:
    void Ask();
    std::vector<ReportField> Settings() const;

    LabReportControls Controls;
    const LiveState& State;
    const ControlState& ControlValues;
    ChartSet& Charts;
    ChartTools& Tools;
    MeasurementView& View;
    AskPath AskSavePath;
    OpenFile Open;
    QAction* Make;
};
