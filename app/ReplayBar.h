#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The small window that goes with a replay: where it stands, pause and resume, a step of one
// sample, the speed (½×, 1×, 2×) and its end. Every control has its key (Alt and the letter
// shown); Esc ends the replay as the end button does.
class ReplayBar : public QDialog {
    Q_OBJECT
public:
    explicit ReplayBar(QWidget* window);

    // A new replay of the named file, playing at the device's rate.
    void Begin(const QString& name);
    void ShowPosition(double seconds, double total);

signals:
    void PauseToggled(bool paused);
    void StepRequested();
    void SpeedChosen(double factor);
    void EndRequested();

protected:
    void reject() override;

private:
    static QString PauseText(bool paused);

    QLabel* FileName;
    QLabel* Position;
    QPushButton* BtnReplayPause;
    QPushButton* BtnReplayStep;
    QComboBox* CmbReplaySpeed;
    QPushButton* BtnReplayEnd;
};
