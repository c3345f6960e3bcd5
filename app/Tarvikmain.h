#pragma once

#include "device/DeviceLink.h"
#include "device/ReceiveQueue.h"
#include "device/qt/TComm.h"
#include "display/ChartSet.h"
#include "display/ChartTools.h"
#include "display/RepaintClock.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

namespace Ui {
class TForm1;
}
class CalibrationPage;
class ControlSettings;
class FocusReturn;
class FrameProcessor;
class KalmanBench;
class LabReportMaker;
class LinkControls;
class MeasurementScreen;
class PendulumPage;
class ChartReadout;
class QLineEdit;
class TForm2;
class ProjectorMode;
class ReplayPlayer;
class RunKeeper;
class RunTableWindow;
class ThreeAxisKey;
class ValueBoxes;
class WindowLayout;

// The main window: owns every object and all state of the analysis program. Its handlers
// read controls and call the core; the core reaches the screen through the view interfaces
// implemented here.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The automatic search tries the ports the system lists unless given other candidates.
    explicit TForm1(QWidget* parent = nullptr, PortCandidates candidates = {});
    ~TForm1() override;

    void SetNoteWindow(TForm2* note) { Form2 = note; }

    // The window's steps after a setting is read, also taken by its handlers.
    void ApplyTimeWindow();
    void ApplyUnit();
    void ApplyKalmanLevel(int index);

    // Read access for tests and tools.
    const LiveState& Live() const { return State; }
    const ChartSet& ChartsView() const { return *Charts; }
    ChartTools& AnalysisTools() const { return *Tools; }
    RunTableWindow& DataTable() const { return *Table; }
    const PortContext& Port() const { return Ports[0]; }
    LinkView& LinkSide() const;
    FrameConsumer& FrameSide() const;
    MeasurementView& MeasurementSide() const;
    ProjectorMode& Projection() const { return *Projector; }
    LabReportMaker& ReportSide() const { return *Report; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void Comm1RxChar();
    void BBtnStartClick();
    void BBtnStopClick();
    void BitBtn1Click();
    void BBtnLoadClick();
    void CmbUnitChange();
    void CmbYTimeChange();
    void CmbKalmanChange();
    void PageControl1Change();
    void Cb3AxisClick();
    void EdLogFileKeyUp();
    void SbComClick();
    void SbComAutoClick();
    void TmSystemTimer();
    void TmEngineTimer();
    void TmFavWorkTimer();
    void Comm1PortLost();
    void TmReconnectTimer();
    void TmFavWork2Timer();
    void BtnOffsetApplyXClick();
    void BtnOffsetApplyYClick();
    void BtnOffsetApplyZClick();
    void BtnOffsetClsClick();
    void BtnOffsetGetClick();
    void Chart1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pixel);
    void Chart1Zoom();
    void Chart2Zoom();
    void Button3Click();
    void Button4Click();
    void BtnLabSsCalApplyClick();
    void ActReplayTriggered();

private:
    void FormCreate();
    void FormClose();
    void ConnectHandlers();
    void ConnectControlState();
    void CentreOnScreen();
    void ApplyOffsetBox(QLineEdit* box, double& offset);
    QString AskLogPath(bool save);
    void ShowNoteWindow();
    // A run ended: the unit box may change again, the run is kept and, on the pendulum page,
    // its period measured.
    void RunEnded();
    void UseVelocityTimeWindow();
    // The start of a run, measured or replayed. A measured run takes the mass box's mass and, on
    // the pages that measure from zero, the offsets of the sample at hand; a replay comes with
    // the run's own.
    void OpenRun(const std::string& name, bool replayed);
    // A replay takes the device's place: not during a run, nor while a port is open, whose
    // frames would mix with the replay's. Says why when it refuses.
    bool ReplayRefused();
    void BeginReplay(const Recording& source, const QString& path);
    void FinishReplay();
    // Sets the axis filters up for the level chosen in CmbKalman.
    void ApplyKalmanLevelFromBox();

    std::unique_ptr<Ui::TForm1> ui;
    LiveState State;
    ControlState Controls;
    TComm Comm1;
    PortContext Ports[2];
    RepaintClock Repaints;
    std::unique_ptr<ChartSet> Charts;
    std::unique_ptr<ValueBoxes> Boxes;
    std::unique_ptr<MeasurementScreen> Screen;
    std::unique_ptr<ChartReadout> Readout;
    std::unique_ptr<ControlSettings> Settings;
    std::unique_ptr<LinkControls> Links;
    std::unique_ptr<FrameProcessor> Frames;
    std::unique_ptr<DeviceLink> Link;
    std::unique_ptr<KalmanBench> Bench;
    std::unique_ptr<CalibrationPage> Calibration;
    std::unique_ptr<PendulumPage> Pendulum;
    std::unique_ptr<RunKeeper> Keeper;
    std::unique_ptr<ChartTools> Tools;
    std::unique_ptr<LabReportMaker> Report;
    std::unique_ptr<RunTableWindow> Table;
    std::unique_ptr<WindowLayout> Layout;
    std::unique_ptr<ThreeAxisKey> AxisKey;
    std::unique_ptr<ProjectorMode> Projector;
    std::unique_ptr<ReplayPlayer> Player;
    std::unique_ptr<FocusReturn> KeysBack;
    QTimer TmSystem, TmEngine, TmFavWork, TmFavWork2;
    QTimer TmReconnect; // tries a port that disappeared again, once a second
    QString LogDir;
    bool OptionsUnlocked = false;
    // What EdLogFile held when the typing now going on began.
    QString LogNameBeforeTyping;
    bool TypingLogName = false;
    TForm2* Form2 = nullptr;
    int LevelBeforeReplay = -1; // the filter level box's choice, back after the replay
};
