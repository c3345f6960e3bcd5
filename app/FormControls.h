#pragma once

#include "app/CalibrationPage.h"
#include "app/KalmanBench.h"
#include "app/LabReportMaker.h"
#include "app/PendulumPage.h"
#include "app/ProjectorMode.h"
#include "app/WindowLayout.h"

namespace Ui {
class TForm1;
}

// The few controls of the main window's form that each page helper works with.
CalibrationControls CalibrationControlsOf(const Ui::TForm1& ui);
PendulumControls PendulumControlsOf(const Ui::TForm1& ui);
KalmanBenchControls KalmanBenchControlsOf(const Ui::TForm1& ui);
ProjectorControls ProjectorControlsOf(const Ui::TForm1& ui);
WindowLayoutControls WindowLayoutControlsOf(const Ui::TForm1& ui);
LabReportControls LabReportControlsOf(const Ui::TForm1& ui);
