#pragma once

#include <QObject>
#include <QTimer>

class QAbstractButton;
class QLineEdit;
class QSpinBox;
struct LiveState;

// The controls of the filter test bench on the options page.
struct KalmanBenchControls {
    QLineEdit* EdKmQ;
    QLineEdit* EdKmR;
    QLineEdit* EdKmD;
    QLineEdit* EdKmResult;
    QSpinBox* UdKmQ;
    QSpinBox* UdKmR;
    QSpinBox* UdKmD;
    QAbstractButton* BtnKmStart;
    QAbstractButton* BtnKmStop;
};

// The filter test bench: a filter started with the noise values Q and R steps every 10 ms
// (TmKalman) towards the level typed into EdKmD and shows where it stands.
class KalmanBench : public QObject {
    Q_OBJECT
public:
    KalmanBench(QWidget* window, KalmanBenchControls controls, LiveState& state);

    void BtnKmStartClick();
    void BtnKmStopClick();
    void TmKalmanTimer();

private:
    QWidget* Window;
    KalmanBenchControls Controls;
    LiveState& State;
    QTimer TmKalman;
};
