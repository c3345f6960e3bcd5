#include "app/LabReportMaker.h"

#include "analysis/ShownCurves.h"
#include "device/Frame.h"
#include "display/ChartSet.h"
#include "display/ChartTools.h"
#include "display/QtText.h"
#include "display/ShownText.h"
#include "engine/LiveState.h"
#include "engine/NumberText.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QUrl>
#include <cmath>

namespace {

QString NameOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    return {};
}

// The device's measuring range: the largest count in g, to the nearest whole g.
QString DeviceRangeText(std::uint8_t rangeCode) {
    const double largest = CountToG(32767, rangeCode);
    return QStringLiteral("±%1").arg(std::lround(largest));
}

} // namespace

LabReportMaker::LabReportMaker(QWidget* window, LabReportControls controls, const LiveState& state,
                               const ControlState& controlState, ChartSet& charts,
                               ChartTools& tools, MeasurementView& view, AskPath askPath)
    : QObject(window), Controls(std::move(controls)), State(state), ControlValues(controlState),
      Charts(charts), Tools(tools), View(view), AskSavePath(std::move(askPath)),
      Open([](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }),
      Make(new QAction(tr("보고서 저장"), this)) {
    Make->setShortcut(QKeySequence::Print);
    Make->setShortcutContext(Qt::WindowShortcut);
    window->addAction(Make);
    connect(Make, &QAction::triggered, this, &LabReportMaker::Ask);
}

void LabReportMaker::Ask() {
    const QString base = QFileInfo(Controls.LogName->text()).completeBaseName();
    const QString name = (base.isEmpty() ? QStringLiteral("report") : base + "_report") + ".pdf";
    const QString path = AskSavePath(tr("보고서 저장"), name, {QStringLiteral("PDF (*.pdf)")});
    if (!path.isEmpty()) Write(path);
}

bool LabReportMaker::Write(const QString& path) {
    QString error;
    if (!WriteLabReport(Content(), path, &error)) {
        View.AppendMessage("Cannot save report : " + Std(path) + " (" + Std(error) + ")");
        return false;
    }
    View.AppendMessage("Report saved : " + Std(path));
    Open(path);
    return true;
}

LabReportContent LabReportMaker::Content() const {
    const Page page = ControlValues.ActivePage;
    LabReportContent content;
    content.Title = tr("실험 보고서");
    content.Page = Controls.Pages->tabText(static_cast<int>(page)).trimmed();
    content.Created =
        tr("작성: %1")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    content.NameLine = tr("이름: ") + QString(24, QLatin1Char('_'));
    content.ClassLine = tr("반: ") + QString(24, QLatin1Char('_'));
    content.ValuesHeading = tr("측정값");
    for (const ReportBox& box : Controls.Boxes)
        if (box.OnPage == page)
            content.Values.push_back({NameOf(box.Name), box.Box->text(), box.Unit->text()});
    for (const Chart chart : PageCharts(page))
        content.Charts.push_back(Charts.Plot(chart));
    content.SettingsHeading = tr("설정");
    content.Settings = Settings();
    if (!PageCharts(page).empty()) {
        const ChartTools::RangeTable statistics = Tools.CurrentStatistics();
        content.StatisticsHeading = tr("구간 통계");
        content.StatisticsRange = statistics.Range;
        content.Statistics = TextOf(statistics.Table,
                                    [](const Message& message) { return Std(ShownText(message)); });
    }
    content.FitsHeading = tr("맞춤");
    if (const QString fit = Tools.FitText(); !fit.isEmpty()) content.Fits << fit;
    return content;
}

// As the run was made where the recording knows it, else as the controls stand now.
std::vector<ReportField> LabReportMaker::Settings() const {
    const RunConditions& run = State.Recorded.Conditions;
    const bool known = run.Known && State.Recorded.LogCount > 0;
    const QString mass = known ? Text(FormatFixed(run.Mass, 3)) : Controls.Mass->text();
    const QString length = known && !run.PendulumLength.empty() ? Text(run.PendulumLength)
                                                                : Controls.PendLength->text();
    const QString filter =
        known ? Controls.Filter->itemText(run.KalmanIndex) : Controls.Filter->currentText();
    const QString unit =
        known ? Controls.Unit->itemText(run.UnitIndex) : Controls.Unit->currentText();
    return {{tr("파일명"), Controls.LogName->text(), {}},
            {tr("질량"), mass, QStringLiteral("[kg]")},
            {tr("길이"), length, QStringLiteral("[m]")},
            {tr("필터"), filter, {}},
            {tr("단위"), unit, {}},
            {tr("시간 창"), Controls.TimeWindow->currentText(), QStringLiteral("[s]")},
            {tr("측정 범위"), DeviceRangeText(known ? run.RangeCode : State.RangeCode),
             QStringLiteral("[g]")}};
}
