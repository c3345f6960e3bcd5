#pragma once

#include "device/DeviceLink.h"
#include "device/ReceiveQueue.h"
#include "device/qt/TComm.h"
#include "display/ChartSet.h"
#include "display/ChartTools.h"
#include "display/RepaintClock.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"
#include "files/Settings.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

namespace Ui {
class TForm1;
}
class CalibrationPage;
class ChartReadout;
class QLineEdit;
class TForm2;
class ProjectorMode;
class RunKeeper;
class ThreeAxisKey;
class ValueBoxes;
class WindowLayout;

// The main window: owns every object and all state of the analysis program. Its handlers
// read controls and call the core; the core reaches the screen through the view interfaces
// implemented here.
class TForm1 : public QMainWindow,
               public MeasurementView,
               public FrameConsumer,
               public LinkView,
               public LinkWaiter,
               public SettingsTarget,
               public SettingsSource {
    Q_OBJECT
public:
    // The automatic search tries the ports the system lists unless given other candidates.
    explicit TForm1(QWidget* parent = nullptr, PortCandidates candidates = {});
    ~TForm1() override;

    void SetNoteWindow(TForm2* note) { Form2 = note; }

    // MeasurementView and FrameConsumer
    void AppendPoint(int chart, int series, double x, double y) override;
    void ReplaceSeries(int chart, int series, std::span<const double> x,
                       std::span<const double> y) override;
    void ClearSeries(int chart, int series) override;
    int PointCount(int chart, int series) const override;
    void ShowBox(Box box, const std::string& text) override;
    void ShowThreeAxisBox() override;
    void RunEnded() override;
    void AppendMessage(const Message& message) override;
    void ProcessFrame(const Frame& frame) override;
    void BytesDiscarded(int count) override;

    // LinkView and LinkWaiter
    std::string PortBoxText() const override;
    void ClearPortList() override;
    void AddPortToList(const std::string& name) override;
    void SetPortBoxText(const std::string& name) override;
    void SetComButtonDown(bool down) override;
    void SetEngineTimer(bool enabled) override;
    void SetFavWorkTimer(bool enabled) override;
    void SetReconnectTimer(bool enabled) override;
    void SetBusyCursor(bool busy) override;
    void ConnectBegins() override;
    void StreamStartsAfresh() override;
    void DeviceLost() override;
    void Sleep(int milliseconds) override;
    void WaitForBytes(int milliseconds) override;

    // SettingsTarget
    void SetControlText(const std::string& key, const std::string& value) override;
    void SetControlIndex(const std::string& key, int index) override;
    void SetControlChecked(const std::string& key, bool checked) override;
    void ApplyTimeWindow() override;
    void ApplyUnit() override;
    void ApplyKalmanLevel(int index) override;
    void SetPortName(const std::string& name) override;

    // SettingsSource
    std::string ControlText(const std::string& key) const override;
    int ControlIndex(const std::string& key) const override;
    bool ControlChecked(const std::string& key) const override;

    // Read access for tests and tools.
    const LiveState& Live() const { return State; }
    const ChartSet& ChartsView() const { return *Charts; }
    ChartTools& AnalysisTools() const { return *Tools; }
    const PortContext& Port() const { return Ports[0]; }
    ProjectorMode& Projection() const { return *Projector; }

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
    void TmKalmanTimer();
    void BtnKmStartClick();
    void BtnKmStopClick();
    void BtnOffsetApplyXClick();
    void BtnOffsetApplyYClick();
    void BtnOffsetApplyZClick();
    void BtnOffsetClsClick();
    void BtnOffsetGetClick();
    void Button1Click();
    void Button2Click();
    void UdPendLClick();
    void EdPendLKeyUp();
    void Chart1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pixel);
    void Chart1Zoom();
    void Chart2Zoom();
    void Button3Click();
    void Button4Click();
    void BtnLabSsCalApplyClick();

private:
    void FormCreate();
    void FormClose();
    void ConnectHandlers();
    void ConnectControlState();
    void CentreOnScreen();
    void ApplyPageLayout(Page page);
    void MovePanel(QWidget* panel, QWidget* page);
    void ApplyOffsetBox(QLineEdit* box, double& offset);
    QString AskLogPath(bool save);
    void MeasurePeriodInView();
    void ShowKeptPendulumConditions();
    void ShowNoteWindow();
    // Sets the axis filters up for the level chosen in CmbKalman.
    void ApplyKalmanLevelFromBox();
    bool SendValueCommand(std::uint8_t type, QLineEdit* box);

    std::unique_ptr<Ui::TForm1> ui;
    LiveState State;
    ControlState Controls;
    TComm Comm1;
    PortContext Ports[2];
    RepaintClock Repaints;
    std::unique_ptr<ChartSet> Charts;
    std::unique_ptr<ValueBoxes> Boxes;
    std::unique_ptr<ChartReadout> Readout;
    std::unique_ptr<DeviceLink> Link;
    std::unique_ptr<CalibrationPage> Calibration;
    std::unique_ptr<RunKeeper> Keeper;
    std::unique_ptr<ChartTools> Tools;
    std::unique_ptr<WindowLayout> Layout;
    std::unique_ptr<ThreeAxisKey> AxisKey;
    std::unique_ptr<ProjectorMode> Projector;
    QTimer TmSystem, TmEngine, TmFavWork, TmFavWork2, TmKalman;
    QTimer TmReconnect; // tries a port that disappeared again, once a second
    QString LogDir;
    bool OptionsUnlocked = false;
    TForm2* Form2 = nullptr;
};
