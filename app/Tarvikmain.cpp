#include "app/Tarvikmain.h"

#include "app/ControlSettings.h"
#include "app/ConversionReport.h"
#include "app/FileDialogs.h"
#include "app/FocusReturn.h"
#include "app/FormControls.h"
#include "app/FreeHeap.h"
#include "app/LinkControls.h"
#include "app/ProjectorMode.h"
#include "app/ReplayPlayer.h"
#include "app/RunKeeper.h"
#include "app/Tarviknote.h"
#include "app/WindowLayout.h"
#include "device/CalibrationWrite.h"
#include "device/qt/PortCandidates.h"
#include "display/ChartReadout.h"
#include "display/MeasurementScreen.h"
#include "display/QtText.h"
#include "display/RunTableWindow.h"
#include "display/ThreeAxisKey.h"
#include "display/ValueBoxes.h"
#include "engine/CursorReadout.h"
#include "engine/FrameProcessor.h"
#include "engine/NumberText.h"
#include "engine/ProcessFrame.h"
#include "engine/ReplayFeed.h"
#include "engine/RunControl.h"
#include "engine/ZeroOffset.h"
#include "files/LogFile.h"
#include "files/Temporaries.h"
#include "files/TextLines.h"
#include "ui_Tarvikmain.h"

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <ctime>
#include <map>

namespace {

const char* const UnlockWord = "pqrvmkzdwta";
const char* const SettingsFile = "default.ini";

// Pictures and spreadsheet tables: in a folder of their own, where no one takes them for logs.
QString ExportFolder(const QString& logDir) {
    return logDir + QDir::separator() + QStringLiteral("Export");
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

} // namespace

TForm1::TForm1(QWidget* parent, PortCandidates candidates)
    : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()) {
    ui->setupUi(this);
    ui->CbScale->setCheckState(Qt::PartiallyChecked);
    Charts = std::make_unique<ChartSet>(ui->Chart1, ui->Chart2, ui->Chart3, Repaints);
    Boxes = std::make_unique<ValueBoxes>(*this, Repaints);
    Screen = std::make_unique<MeasurementScreen>(*Charts, *Boxes, ui->Cb3Axis, ui->Memo1,
                                                 [this] { RunEnded(); });
    Readout = std::make_unique<ChartReadout>(ui->STxtChartValueX, ui->STxtChartValueY);
    Layout = std::make_unique<WindowLayout>(WindowLayoutControlsOf(*ui), this);
    AxisKey = std::make_unique<ThreeAxisKey>(ui->Cb3Axis, ui->Chart1);
    Projector = std::make_unique<ProjectorMode>(this, ProjectorControlsOf(*ui), *Layout, *AxisKey);
    CentreOnScreen();
    if (!candidates) candidates = SystemPortCandidates;
    Links = std::make_unique<LinkControls>(ui->CmbComPort, ui->SbCom,
                                           LinkTimers{TmEngine, TmFavWork, TmReconnect}, Comm1,
                                           State, *Screen, *Boxes);
    Frames = std::make_unique<FrameProcessor>(State, Controls, *Screen);
    Link = std::make_unique<DeviceLink>(Ports[0], State, *Frames, *Links, *Links,
                                        std::move(candidates));
    Settings = std::make_unique<ControlSettings>(
        *this, Comm1, *Screen,
        SettingsSteps{[this] { ApplyTimeWindow(); }, [this] { ApplyUnit(); },
                      [this](int index) { ApplyKalmanLevel(index); }});
    Bench = std::make_unique<KalmanBench>(this, KalmanBenchControlsOf(*ui), State);
    Calibration =
        std::make_unique<CalibrationPage>(this, CalibrationControlsOf(*ui), State, *Screen, LogDir,
                                          [this](const QLineEdit* box) { Boxes->Forget(box); });
    TmSystem.setInterval(1000);
    TmSystem.setSingleShot(true);
    TmEngine.setInterval(80);
    TmFavWork.setInterval(1000);
    TmFavWork2.setInterval(3000);
    TmReconnect.setInterval(1000);
    // The timers are found by their names, as the controls are.
    const std::pair<QTimer*, const char*> timers[] = {{&TmSystem, "TmSystem"},
                                                      {&TmEngine, "TmEngine"},
                                                      {&TmFavWork, "TmFavWork"},
                                                      {&TmFavWork2, "TmFavWork2"},
                                                      {&TmReconnect, "TmReconnect"}};
    for (const auto& [timer, name] : timers) {
        timer->setParent(this);
        timer->setObjectName(QLatin1String(name));
    }
    ConnectControlState();
    ConnectHandlers();
    // After the window's own handlers, so that a zoom has aligned the charts before the tools
    // read them, and before FormCreate, which already clears the charts the tools follow.
    Keeper = std::make_unique<RunKeeper>(State, *Screen, LogDir);
    auto askSavePath = [this](const QString& title, const QString& name,
                              const QStringList& filters) {
        const QString folder = ExportFolder(LogDir);
        QDir().mkpath(folder);
        return AskFilePath(this, FileDialogMode::Save, folder, name, title, {}, filters);
    };
    Tools = std::make_unique<ChartTools>(
        *Charts, State, Controls,
        ChartToolControls{ui->RbPendByG, ui->EdPendL, ui->EdLogFile, askSavePath}, *Screen, this);
    connect(Keeper.get(), &RunKeeper::RunKept, Tools.get(), &ChartTools::KeepRun);
    Table = std::make_unique<RunTableWindow>(*Tools, State, Controls, this);
    Tools->Menu()->insertAction(Tools->Action(ChartTools::Tool::MarkRange), Table->OpenAction());
    Pendulum = std::make_unique<PendulumPage>(this, PendulumControlsOf(*ui), State, Controls,
                                              *Charts, *Tools, *Screen);
    Report = std::make_unique<LabReportMaker>(this, LabReportControlsOf(*ui), State, Controls,
                                              *Charts, *Tools, *Screen, askSavePath);
    Tools->Menu()->addAction(Report->Action());
    Tools->Menu()->addSeparator();
    Tools->Menu()->addAction(Projector->Toggle());
    connect(Projector.get(), &ProjectorMode::ChartTextPixels, Tools.get(),
            &ChartTools::SetFitTextPixels);
    Player = std::make_unique<ReplayPlayer>(
        this, State, Controls, *Frames, *Screen,
        ReplaySteps{
            [this](const Recording& source, const QString& path) { BeginReplay(source, path); },
            [this] { FinishReplay(); }});
    connect(Player->Command(), &QAction::triggered, this, &TForm1::ActReplayTriggered);
    Tools->Menu()->addAction(Player->Command());
    KeysBack = std::make_unique<FocusReturn>(this);
    FormCreate();
    // The deferred close stays off until a disconnect: at start there is nothing to close.
    TmSystem.start();
    TmFavWork2.start();
}

// A control losing its focus while the widgets are taken apart (a box's editingFinished) must not
// reach a handler of the window, whose members are gone by then.
TForm1::~TForm1() {
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

LinkView& TForm1::LinkSide() const {
    return *Links;
}

FrameConsumer& TForm1::FrameSide() const {
    return *Frames;
}

MeasurementView& TForm1::MeasurementSide() const {
    return *Screen;
}

void TForm1::FormCreate() {
    // The live state starts as LiveState sets it up: no device, no run, no offsets.
    ClearTimeSeries(*Screen);
    Ports[0].Comm = &Comm1;
    // Native separators: the folder reaches the message area in the form a user types.
    LogDir = QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator() +
             QStringLiteral("LogData");
    QDir().mkdir(LogDir);
    // The axes follow the boxes from the start; the settings file, when there is one,
    // changes both together.
    ApplyTimeWindow();
    ApplyUnit();
    // Saves that never ended leave their temporaries where nothing else would write again.
    for (const QString& folder :
         {QDir::currentPath(), LogDir, AutosaveFolder(LogDir), ExportFolder(LogDir)})
        RemoveStaleTemporaries(PathFromUtf8(Std(folder)));
    Links->ProposeSystemPort();
    ReadSettings(SettingsFile, *Settings);
    if (ui->EdLogFile->text() == QLatin1String(UnlockWord)) ui->EdLogFile->clear(); // older files
    // Without a level chosen (no settings file, or -1 in it) the filter box shows its
    // placeholder "중간": it then runs that level too, and the file keeps it.
    if (ui->CmbKalman->currentIndex() < 0) {
        ui->CmbKalman->setCurrentIndex(KalmanFallbackLevel);
        ApplyKalmanLevel(KalmanFallbackLevel);
    }
    // The file's unit line is applied before its mass line: the force boxes use the mass
    // the mass box shows.
    if (const auto mass = ParseReal(Std(ui->EdMass->text()))) State.Mass = *mass;
}

// Centred on the screen, but with the top-left corner never off the screen.
void TForm1::CentreOnScreen() {
    const QRect area = screen()->availableGeometry();
    QRect frame(QPoint(), frameGeometry().size());
    frame.moveCenter(area.center());
    move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

// Control states the frame processing reads arrive as plain values, kept current here.
void TForm1::ConnectControlState() {
    auto follow = [this](QAbstractButton* box, bool& value) {
        value = box->isChecked();
        connect(box, &QAbstractButton::toggled, this, [&value](bool on) { value = on; });
    };
    follow(ui->CbDirRevX, Controls.DirRevX);
    follow(ui->CbDirRevY, Controls.DirRevY);
    follow(ui->CbDirRevZ, Controls.DirRevZ);
    follow(ui->Cb3Axis, Controls.ThreeAxis);
    follow(ui->CbCalEnX, Controls.CalEnX);
    follow(ui->CbCalEnY, Controls.CalEnY);
    follow(ui->CbCalEnZ, Controls.CalEnZ);
    auto followAxis = [this](QRadioButton* button, PendulumAxis axis) {
        if (button->isChecked()) Controls.PendAxis = axis;
        connect(button, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on) Controls.PendAxis = axis;
        });
    };
    followAxis(ui->RbPendX, PendulumAxis::X);
    followAxis(ui->RbPendY, PendulumAxis::Y);
    followAxis(ui->RbPendZ, PendulumAxis::Z);
    Controls.KalmanIndex = ui->CmbKalman->currentIndex();
    connect(ui->CmbKalman, &QComboBox::currentIndexChanged, this,
            [this](int index) { Controls.KalmanIndex = index; });
    Controls.UnitIndex = ui->CmbUnit->currentIndex();
    connect(ui->CmbUnit, &QComboBox::currentIndexChanged, this,
            [this](int index) { Controls.UnitIndex = index; });
    // A window text that is not a whole number leaves the last valid window in force.
    auto followWindow = [this](const QString& text) {
        if (const auto seconds = ParseInteger(Std(text))) Controls.TimeWindow = *seconds;
    };
    followWindow(ui->CmbYTime->currentText());
    connect(ui->CmbYTime, &QComboBox::currentTextChanged, this, followWindow);
    Controls.ActivePage = static_cast<Page>(ui->PageControl1->currentIndex());
}

void TForm1::ConnectHandlers() {
    connect(&Comm1, &TComm::RxChar, this, &TForm1::Comm1RxChar);
    connect(&Comm1, &TComm::PortLost, this, &TForm1::Comm1PortLost);
    connect(&TmReconnect, &QTimer::timeout, this, &TForm1::TmReconnectTimer);
    connect(ui->BBtnStart, &QPushButton::clicked, this, &TForm1::BBtnStartClick);
    connect(ui->BBtnStop, &QPushButton::clicked, this, &TForm1::BBtnStopClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(ui->BBtnLoad, &QPushButton::clicked, this, &TForm1::BBtnLoadClick);
    connect(ui->CmbUnit, &QComboBox::activated, this, &TForm1::CmbUnitChange);
    connect(ui->CmbYTime, &QComboBox::activated, this, &TForm1::CmbYTimeChange);
    connect(ui->CmbYTime->lineEdit(), &QLineEdit::editingFinished, this, &TForm1::CmbYTimeChange);
    connect(ui->CmbKalman, &QComboBox::activated, this, &TForm1::CmbKalmanChange);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(ui->Cb3Axis, &QCheckBox::clicked, this, &TForm1::Cb3AxisClick);
    connect(ui->SbCom, &QToolButton::clicked, this, &TForm1::SbComClick);
    connect(ui->SbComAuto, &QToolButton::clicked, this, &TForm1::SbComAutoClick);
    connect(&TmSystem, &QTimer::timeout, this, &TForm1::TmSystemTimer);
    connect(&TmEngine, &QTimer::timeout, this, &TForm1::TmEngineTimer);
    connect(&TmFavWork, &QTimer::timeout, this, &TForm1::TmFavWorkTimer);
    connect(&TmFavWork2, &QTimer::timeout, this, &TForm1::TmFavWork2Timer);
    connect(ui->BtnOffsetApplyX, &QPushButton::clicked, this, &TForm1::BtnOffsetApplyXClick);
    connect(ui->BtnOffsetApplyY, &QPushButton::clicked, this, &TForm1::BtnOffsetApplyYClick);
    connect(ui->BtnOffsetApplyZ, &QPushButton::clicked, this, &TForm1::BtnOffsetApplyZClick);
    connect(ui->BtnOffsetCls, &QPushButton::clicked, this, &TForm1::BtnOffsetClsClick);
    connect(ui->BtnOffsetGet, &QPushButton::clicked, this, &TForm1::BtnOffsetGetClick);
    connect(ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui->BtnLabSsCalApply, &QPushButton::clicked, this, &TForm1::BtnLabSsCalApplyClick);
    connect(Charts.get(), &ChartSet::UserRangeChanged, this, [this](Chart chart) {
        if (chart == Chart::Acceleration) Chart1Zoom();
        if (chart == Chart::Velocity) Chart2Zoom();
    });
    // A long device path does not fit the port box: its tooltip names the whole port.
    connect(ui->CmbComPort, &QComboBox::currentTextChanged, ui->CmbComPort, &QWidget::setToolTip);
    ui->CmbComPort->setToolTip(ui->CmbComPort->currentText());
    connect(Charts.get(), &ChartSet::Chart1Clicked, this, &TForm1::Chart1MouseDown);
    ui->EdLogFile->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EdLogFile && event->type() == QEvent::KeyPress && !TypingLogName) {
        LogNameBeforeTyping = ui->EdLogFile->text();
        TypingLogName = true;
    }
    if (watched == ui->EdLogFile && event->type() == QEvent::FocusOut) TypingLogName = false;
    if (event->type() == QEvent::KeyRelease && watched == ui->EdLogFile) EdLogFileKeyUp();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose() {
    Keeper->RunFinished();
    // The message area closes with the window: a failure must be seen before it goes.
    if (const auto failure = WriteSettings(SettingsFile, *Settings))
        QMessageBox::warning(this, windowTitle(), Text(*failure));
    Link->ClosePort();
    TmEngine.stop();
    TmReconnect.stop();
    Bench->BtnKmStopClick();
    if (Form2 != nullptr) Form2->close();
}

// ---- the end of a run ----

void TForm1::RunEnded() {
    ui->CmbUnit->setEnabled(true);
    Keeper->RunFinished();
    if (Controls.ActivePage == Page::TabPendulum) Pendulum->MeasurePeriodInView();
    Player->RunEnded();
    Table->Refresh();
    ReturnFreeHeapSoon();
}

void TForm1::ShowNoteWindow() {
    if (Form2 != nullptr) Form2->ShowNote(this);
}

void TForm1::ApplyKalmanLevelFromBox() {
    ApplyKalmanLevel(ui->CmbKalman->currentIndex());
}

// ---- units, time window, filter level, pages ----

void TForm1::ApplyTimeWindow() {
    const auto seconds = IntegerOrReport(this, ui->CmbYTime->currentText());
    if (!seconds) return;
    if (*seconds < ShortestTimeWindow || *seconds > LongestTimeWindow) {
        Screen->AppendMessage("Bottom Axes Range Error!!!");
        return;
    }
    Charts->SetTimeWindow(*seconds);
}

void TForm1::ApplyUnit() {
    const auto mass = ParseReal(Std(ui->EdMass->text()));
    if (!mass) {
        // The unit box goes back to the unit the axes show, so that no run draws values in
        // a unit its axes do not name.
        ui->CmbUnit->setCurrentIndex(Charts->ShownUnit());
        QMessageBox::warning(this, windowTitle(), tr("질량을 변환할 수 없습니다. 다시 입력하세요"));
        return;
    }
    State.Mass = *mass;
    Charts->SetUnit(ui->CmbUnit->currentIndex());
    RedrawFromRecording(State, Controls, *Screen);
    Table->Refresh();
}

void TForm1::ApplyKalmanLevel(int index) {
    ::ApplyKalmanLevel(State, index);
}

void TForm1::CmbUnitChange() {
    ApplyUnit();
}

void TForm1::CmbYTimeChange() {
    ApplyTimeWindow();
}

void TForm1::CmbKalmanChange() {
    if (!OptionsUnlocked && ui->CmbKalman->currentIndex() >= KalmanFirstLockedLevel) {
        ui->Memo1->appendPlainText(tr("사용 할 수 없는 영역입니다"));
        ui->CmbKalman->setCurrentIndex(KalmanFallbackLevel);
    }
    ApplyKalmanLevel(ui->CmbKalman->currentIndex());
}

void TForm1::PageControl1Change() {
    auto page = static_cast<Page>(ui->PageControl1->currentIndex());
    if (page == Page::TabLab && !OptionsUnlocked) {
        const QSignalBlocker blocker(ui->PageControl1);
        ui->PageControl1->setCurrentWidget(ui->TabAccelo);
        page = Page::TabAccelo;
    }
    Controls.ActivePage = page;
    Keeper->RunFinished();
    EndRunForPageChange(State, *Screen);
    Layout->ShowPage(page, *Charts, Controls.ThreeAxis);
    Table->Refresh();
    if (page == Page::TabSpeed && Form2 != nullptr && !Form2->NotShowChecked()) ShowNoteWindow();
}

void TForm1::Cb3AxisClick() {
    Layout->ShowPage(Controls.ActivePage, *Charts, Controls.ThreeAxis);
    if (ui->Cb3Axis->isChecked())
        ui->Memo1->appendPlainText(
            tr("[주의] 가상OS 또는 저사양 PC에서는 동작이 원활하지 않을 수 있습니다"));
}

// The word is not for the class to see: once it has unlocked the options, the box shows what
// it held before the word was typed, and so the settings file never keeps it.
void TForm1::EdLogFileKeyUp() {
    if (ui->EdLogFile->text() != QLatin1String(UnlockWord)) return;
    ui->EdLogFile->setText(LogNameBeforeTyping);
    TypingLogName = false;
    ui->Label32->show();
    ui->Label33->show();
    ui->EdDist->show();
    OptionsUnlocked = true;
}

// ---- the device link ----

void TForm1::Comm1RxChar() {
    Link->Comm1RxChar();
}

void TForm1::SbComClick() {
    Link->SbComClick(ui->SbCom->isChecked());
    Keeper->KeepIfEnded();
}

void TForm1::SbComAutoClick() {
    Link->SbComAutoClick(ui->SbCom->isChecked());
    Keeper->KeepIfEnded();
}

// The start-up connect, with the filter level the settings chose; the note follows it.
void TForm1::TmSystemTimer() {
    ApplyKalmanLevelFromBox();
    Link->TmSystemTimer();
    ShowNoteWindow();
    Keeper->KeepIfEnded();
}

void TForm1::TmEngineTimer() {
    Link->TmEngineTimer();
}

void TForm1::TmFavWorkTimer() {
    Link->TmFavWorkTimer();
}

void TForm1::Comm1PortLost() {
    Link->Comm1PortLost();
}

void TForm1::TmReconnectTimer() {
    Link->TmReconnectTimer();
}

void TForm1::TmFavWork2Timer() {
    Readout->Hide();
    TmFavWork2.stop();
}

// ---- runs and logs ----

void TForm1::BBtnStartClick() {
    if (!State.DeviceFound) {
        ui->Memo1->appendPlainText(
            tr("연결된 가속도계가 없습니다. 우측 상단의 포트모양의 아이콘을 눌러 연결하세요"));
        return;
    }
    const std::string name = MakeLogFileName(LocalNow());
    OpenRun(name, false);
    Keeper->RunStarted(name, Controls.ActivePage);
}

void TForm1::OpenRun(const std::string& name, bool replayed) {
    Keeper->RunFinished();
    BeginRun(State, *Screen);
    ui->EdLogFile->setText(Text(name));
    ui->CmbUnit->setEnabled(false);
    if (Controls.ActivePage == Page::TabSpeed) UseVelocityTimeWindow();
    if (StartOnPage(State, Controls.ActivePage) && !replayed) BtnOffsetGetClick();
    if (!replayed) State.Mass = ParseReal(Std(ui->EdMass->text())).value_or(1.0);
    NoteRunConditions(State, Controls, ui->RbPendByG->isChecked(), Std(ui->EdPendL->text()));
    Table->Refresh();
}

// The velocity page always runs with a 10-second window, also after another window was typed
// into the box (its index then still reads 0).
void TForm1::UseVelocityTimeWindow() {
    QComboBox* window = ui->CmbYTime;
    if (window->currentIndex() == 0 && window->currentText() == window->itemText(0)) return;
    window->setCurrentIndex(0);
    window->setEditText(window->itemText(0));
    ApplyTimeWindow();
}

void TForm1::BBtnStopClick() {
    StopRun(State, *Screen);
}

QString TForm1::AskLogPath(bool save) {
    if (save) return AskFilePath(this, FileDialogMode::Save, LogDir, ui->EdLogFile->text());
    return AskFilePath(this, FileDialogMode::Open, LogDir, ui->EdLogFile->text(),
                       QStringLiteral("Open Log File"), QStringLiteral("csv"));
}

void TForm1::BitBtn1Click() {
    if (State.Recorded.LogCount == 0) {
        QMessageBox::information(this, windowTitle(), tr("저장할 수 있는 Data가 없습니다"));
        return;
    }
    const QString chosen = AskLogPath(true);
    if (chosen.isEmpty()) return;
    const std::string path = WithCsvExtension(Std(chosen));
    ui->EdLogFile->setText(Text(FileNameOf(path)));
    SaveLogFile(path, State.Recorded, State.Recorded.LogCount, Controls.ThreeAxis,
                Controls.UnitIndex, *Screen);
}

void TForm1::BBtnLoadClick() {
    const QString chosen = AskLogPath(false);
    if (chosen.isEmpty()) return;
    // The log takes the recording's place: a run still going ends first, and is kept.
    if (State.Logging) StopRun(State, *Screen);
    const std::string path = Std(chosen);
    const LogLoadResult loaded = LoadLogFile(path, State.Recorded, Controls.UnitIndex, *Screen);
    if (loaded.NumberError)
        ReportConversionError(this, Text(loaded.NumberError->Text), loaded.NumberError->Integer);
    // A load that stored nothing leaves whatever was there, the name the next save proposes too.
    if (!loaded.Stored) return;
    ui->EdLogFile->setText(Text(WithoutExtension(FileNameOf(path))));
    ui->EdAccOffsetX->setText(QStringLiteral("0.000"));
    State.OffsetX = 0.0;
    Pendulum->ShowKeptConditions(State.Recorded.Conditions);
    if (Controls.ActivePage == Page::TabPendulum) Pendulum->MeasurePeriodInView();
    Table->Refresh();
}

// ---- zero offsets ----

void TForm1::ApplyOffsetBox(QLineEdit* box, double& offset) {
    if (const auto value = RealOrReport(this, box->text())) offset = *value;
}

void TForm1::BtnOffsetApplyXClick() {
    ApplyOffsetBox(ui->EdAccOffsetX, State.OffsetX);
}
void TForm1::BtnOffsetApplyYClick() {
    ApplyOffsetBox(ui->EdAccOffsetY, State.OffsetY);
}
void TForm1::BtnOffsetApplyZClick() {
    ApplyOffsetBox(ui->EdAccOffsetZ, State.OffsetZ);
}

void TForm1::BtnOffsetClsClick() {
    for (QLineEdit* box : {ui->EdAccOffsetX, ui->EdAccOffsetY, ui->EdAccOffsetZ})
        box->setText(QStringLiteral("0.000"));
    State.OffsetX = State.OffsetY = State.OffsetZ = 0.0;
}

void TForm1::BtnOffsetGetClick() {
    const CapturedOffsets texts = CaptureOffsets(State);
    ui->EdAccOffsetX->setText(Text(texts.TextX));
    ui->EdAccOffsetY->setText(Text(texts.TextY));
    ui->EdAccOffsetZ->setText(Text(texts.TextZ));
}

// Any button: the readout of the place clicked, hidden 3 s after the last click.
void TForm1::Chart1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint pixel) {
    TmFavWork2.start();
    const QPointF values = Charts->PixelToValues(pixel.x(), pixel.y());
    const ReadoutMode mode{ui->CbCursorFree->isChecked(), Controls.ThreeAxis, Controls.UnitIndex};
    Readout->Show(pixel, ReadCursor(State, mode, values.x(), values.y()));
}

void TForm1::Chart1Zoom() {
    ui->Memo1->clear();
    if (Controls.ActivePage == Page::TabSpeed) {
        Charts->SetBottomRange(Chart::Velocity, Charts->BottomMin(Chart::Acceleration),
                               Charts->BottomMax(Chart::Acceleration));
    } else if (Controls.ActivePage == Page::TabPendulum) {
        Pendulum->MeasurePeriodInView();
    }
}

void TForm1::Chart2Zoom() {
    Charts->SetBottomRange(Chart::Acceleration, Charts->BottomMin(Chart::Velocity),
                           Charts->BottomMax(Chart::Velocity));
}

// ---- calibration values in the device ----

void TForm1::Button3Click() {
    if (State.DeviceFound) SendCommand(Ports[0], CmdReadCal, ReadCalOffsets, 0);
}

void TForm1::Button4Click() {
    if (State.DeviceFound) SendCommand(Ports[0], CmdReadCal, ReadCalScales, 0);
}

// A box without a whole number is reported and ends the write there.
void TForm1::BtnLabSsCalApplyClick() {
    if (!State.DeviceFound) return;
    const std::map<std::uint8_t, QLineEdit*> boxes = {
        {CmdOffsetY, ui->EdOffsetY}, {CmdOffsetX, ui->EdOffsetX}, {CmdOffsetZ, ui->EdOffsetZ},
        {CmdScaleY, ui->EdScaleY},   {CmdScaleX, ui->EdScaleX},   {CmdScaleZ, ui->EdScaleZ}};
    const bool written = WriteCalibration(Ports[0], *Links, [&](std::uint8_t command) {
        return IntegerOrReport(this, boxes.at(command)->text());
    });
    if (written) ui->Memo1->appendPlainText(tr("오프셋과 스케일을 가속도계에 기록하였습니다"));
}

// ---- replay of a kept run or a log ----

bool TForm1::ReplayRefused() {
    if (State.Logging) {
        ui->Memo1->appendPlainText(tr("측정 중에는 재생할 수 없습니다. 중지한 뒤 다시 하세요"));
        return true;
    }
    if (Comm1.Enabled() || State.DeviceFound) {
        ui->Memo1->appendPlainText(
            tr("가속도계와 연결되어 있습니다. 연결을 끊은 뒤 다시 재생하세요"));
        return true;
    }
    return false;
}

// The autosaved runs are offered first; a saved log is a folder up. The start-up connect may
// have come while the dialog was open.
void TForm1::ActReplayTriggered() {
    if (ReplayRefused()) return;
    const QString chosen = AskFilePath(this, FileDialogMode::Open, AutosaveFolder(LogDir), {},
                                       tr("기록 재생"), QStringLiteral("csv"));
    if (chosen.isEmpty() || ReplayRefused()) return;
    auto source = std::make_unique<Recording>();
    const LogLoadResult loaded = LoadLogFile(Std(chosen), *source, Controls.UnitIndex, *Screen);
    if (loaded.NumberError)
        ReportConversionError(this, Text(loaded.NumberError->Text), loaded.NumberError->Integer);
    if (loaded.Stored) Player->Play(std::move(source), chosen);
}

// The run's page, how it observed the pendulum, its axis mode, mass, unit, time window and
// filter level; its range code, offsets and filter state before its first sample. Its name marks
// it as a replay, so that a save proposes no name of the file it came from.
void TForm1::BeginReplay(const Recording& source, const QString& path) {
    const RunConditions& run = source.Conditions;
    if (run.Known && (run.RunPage != Page::TabLab || OptionsUnlocked))
        ui->PageControl1->setCurrentIndex(static_cast<int>(run.RunPage));
    Pendulum->ShowKeptConditions(run);
    if (run.Known) {
        ui->Cb3Axis->setChecked(run.ThreeAxis);
        Layout->ShowPage(Controls.ActivePage, *Charts, Controls.ThreeAxis);
        ui->EdMass->setText(QString::number(run.Mass));
        ui->CmbUnit->setCurrentIndex(run.UnitIndex == 0 ? 0 : 1);
        ApplyUnit();
    }
    ui->CmbYTime->setEditText(QString::number(ReplayTimeWindow(source, Controls.TimeWindow)));
    ApplyTimeWindow();
    LevelBeforeReplay = ui->CmbKalman->currentIndex();
    ui->CmbKalman->setCurrentIndex(ReplayKalmanIndex(source));
    ApplyKalmanLevelFromBox();
    PrepareReplay(State, source);
    for (const auto& [box, offset] : {std::pair{ui->EdAccOffsetX, State.OffsetX},
                                      {ui->EdAccOffsetY, State.OffsetY},
                                      {ui->EdAccOffsetZ, State.OffsetZ}})
        box->setText(Text(FormatFixed(offset, 3)));
    ui->Memo1->appendPlainText(tr("기록 재생: %1").arg(path));
    OpenRun(WithoutExtension(FileNameOf(Std(path))) + "_replay", true);
}

void TForm1::FinishReplay() {
    ui->CmbUnit->setEnabled(true);
    ui->CmbKalman->setCurrentIndex(LevelBeforeReplay);
    ApplyKalmanLevelFromBox();
}
