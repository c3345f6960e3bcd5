#pragma once

#include <QObject>

class ChartSet;
class ChartTools;
class MeasurementView;
class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
struct ControlState;
struct LiveState;
struct RunConditions;

// The controls of the pendulum page.
struct PendulumControls {
    QLineEdit* EdPendT;
    QLineEdit* EdPendL;
    QSpinBox* UdPendL;
    QLineEdit* EdPendCalG;
    QLineEdit* EdPendCalT;
    QRadioButton* RbPendX;
    QRadioButton* RbPendY;
    QRadioButton* RbPendZ;
    QRadioButton* RbPendByG;
    QRadioButton* RbPendByAcc;
    QAbstractButton* Button1;
    QAbstractButton* Button2;
    QPlainTextEdit* Memo1;
};

// The pendulum page: the period of the swing in view, g and the period from the length, and
// the length box with its arrows. Its lines go to the message area.
class PendulumPage : public QObject {
    Q_OBJECT
public:
    PendulumPage(QObject* parent, PendulumControls controls, const LiveState& state,
                 const ControlState& live, const ChartSet& charts, const ChartTools& tools,
                 MeasurementView& view);

    void Button1Click();
    void Button2Click();
    void UdPendLClick();
    void EdPendLKeyUp();
    // The period of the part of the curve in view, or "---" with one line saying why it gives
    // none.
    void MeasurePeriodInView();
    // A kept pendulum run brings back how it was observed and the length it was measured with,
    // so that it is analysed again as it was live.
    void ShowKeptConditions(const RunConditions& run);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PendulumControls Controls;
    const LiveState& State;
    const ControlState& Live;
    const ChartSet& Charts;
    const ChartTools& Tools;
    MeasurementView& View;
};
