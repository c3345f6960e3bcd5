#include "app/KalmanBench.h"

#include "app/ConversionReport.h"
#include "display/QtText.h"
#include "engine/LiveState.h"
#include "engine/NumberText.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSpinBox>

KalmanBench::KalmanBench(QWidget* window, KalmanBenchControls controls, LiveState& state)
    : QObject(window), Window(window), Controls(controls), State(state), TmKalman(window) {
    TmKalman.setInterval(10);
    TmKalman.setObjectName(QStringLiteral("TmKalman")); // found by name, as the controls are
    connect(&TmKalman, &QTimer::timeout, this, &KalmanBench::TmKalmanTimer);
    connect(Controls.BtnKmStart, &QAbstractButton::clicked, this, &KalmanBench::BtnKmStartClick);
    connect(Controls.BtnKmStop, &QAbstractButton::clicked, this, &KalmanBench::BtnKmStopClick);
    // The up-downs step the number in the box beside them.
    const std::pair<QSpinBox*, QLineEdit*> upDowns[] = {{Controls.UdKmR, Controls.EdKmR},
                                                        {Controls.UdKmQ, Controls.EdKmQ},
                                                        {Controls.UdKmD, Controls.EdKmD}};
    for (const auto& [upDown, box] : upDowns) {
        connect(upDown, &QSpinBox::valueChanged, box,
                [box](int value) { box->setText(QString::number(value)); });
    }
}

void KalmanBench::BtnKmStartClick() {
    const auto q = RealOrReport(Window, Controls.EdKmQ->text());
    if (!q) return;
    const auto r = RealOrReport(Window, Controls.EdKmR->text());
    if (!r) return;
    KalmanInit(State.KalmanTest, static_cast<float>(*r), static_cast<float>(*q));
    TmKalman.start();
}

void KalmanBench::BtnKmStopClick() {
    TmKalman.stop();
}

void KalmanBench::TmKalmanTimer() {
    const auto data = ParseReal(Std(Controls.EdKmD->text()));
    if (!data) {
        // One report, not one per tick: the bench stops first.
        TmKalman.stop();
        ReportConversionError(Window, Controls.EdKmD->text(), false);
        return;
    }
    State.KalmanBias = KalmanStep(State.KalmanTest, static_cast<float>(*data));
    Controls.EdKmResult->setText(Text(FormatFixed(State.KalmanBias, 4)));
}
