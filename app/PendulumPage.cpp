#include "app/PendulumPage.h"

#include "display/ChartSet.h"
#include "display/ChartTools.h"
#include "display/QtText.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"
#include "engine/NumberText.h"
#include "engine/Pendulum.h"
#include "engine/PendulumSource.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

PendulumPage::PendulumPage(QObject* parent, PendulumControls controls, const LiveState& state,
                           const ControlState& live, const ChartSet& charts,
                           const ChartTools& tools, MeasurementView& view)
    : QObject(parent), Controls(controls), State(state), Live(live), Charts(charts), Tools(tools),
      View(view) {
    connect(Controls.Button1, &QAbstractButton::clicked, this, &PendulumPage::Button1Click);
    connect(Controls.Button2, &QAbstractButton::clicked, this, &PendulumPage::Button2Click);
    connect(Controls.UdPendL, &QSpinBox::valueChanged, this, &PendulumPage::UdPendLClick);
    Controls.EdPendL->installEventFilter(this);
}

bool PendulumPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && watched == Controls.EdPendL) EdPendLKeyUp();
    return QObject::eventFilter(watched, event);
}

void PendulumPage::Button1Click() {
    const auto period = ParseReal(Std(Controls.EdPendT->text()));
    if (!period || !(*period > 0)) {
        Controls.Memo1->appendPlainText(
            tr("주기 칸에 잰 주기가 없어 중력을 계산하지 않았습니다. 진자 실행을 끝내거나 그래프를 "
               "확대해 주기를 먼저 재세요"));
        return;
    }
    const auto text =
        PendulumGravityText(Std(Controls.EdPendT->text()), Std(Controls.EdPendL->text()));
    if (!text) return;
    Controls.EdPendCalG->setText(Text(*text));
    if (const auto note = Tools.LargeSwingNote()) View.AppendMessage(*note);
}

void PendulumPage::Button2Click() {
    if (const auto text =
            PendulumPeriodText(Std(Controls.EdPendT->text()), Std(Controls.EdPendL->text())))
        Controls.EdPendCalT->setText(Text(*text));
}

void PendulumPage::UdPendLClick() {
    Controls.EdPendL->setText(Text(PendulumLengthText(Controls.UdPendL->value())));
}

void PendulumPage::EdPendLKeyUp() {
    if (const auto position = PendulumLengthPosition(Std(Controls.EdPendL->text()))) {
        const QSignalBlocker blocker(Controls.UdPendL);
        Controls.UdPendL->setValue(*position);
    }
}

void PendulumPage::MeasurePeriodInView() {
    const PendulumSource source = PendulumSourceOf(State.Recorded, Live.PendAxis);
    PendulumPeriod period{0.0, 0, source.Missing};
    if (!source.Missing)
        period = MeasurePendulumPeriod(
            Charts.BottomMin(Chart::Acceleration), Charts.BottomMax(Chart::Acceleration),
            RecordedAxisReader(State.Recorded, source.Axis,
                               Charts.PointCount(Chart::Acceleration, source.Series)),
            Controls.RbPendByG->isChecked());
    if (period.Withheld) {
        Controls.EdPendT->setText(QStringLiteral("---"));
        View.AppendMessage(*period.Withheld);
        return;
    }
    Controls.EdPendT->setText(Text(FormatFixed(period.Period, 3)));
}

void PendulumPage::ShowKeptConditions(const RunConditions& run) {
    if (!run.Known || run.RunPage != Page::TabPendulum) return;
    QRadioButton* const axes[] = {Controls.RbPendX, Controls.RbPendY, Controls.RbPendZ};
    axes[AxisIndex(run.PendAxis)]->setChecked(true);
    (run.PendByGravity ? Controls.RbPendByG : Controls.RbPendByAcc)->setChecked(true);
    if (!run.PendulumLength.empty()) {
        Controls.EdPendL->setText(Text(run.PendulumLength));
        EdPendLKeyUp();
    }
}
