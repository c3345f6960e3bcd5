#include "app/FormControls.h"

#include "ui_Tarvikmain.h"

CalibrationControls CalibrationControlsOf(const Ui::TForm1& ui) {
    return {{CalibrationAxisControls{ui.CbCalEnX, ui.BtnCalClsx, ui.EdPeakMX, ui.EdPeakPX,
                                     ui.EdRangeX, ui.EdOffsetX, ui.EdScaleX},
             CalibrationAxisControls{ui.CbCalEnY, ui.BtnCalClsy, ui.EdPeakMY, ui.EdPeakPY,
                                     ui.EdRangeY, ui.EdOffsetY, ui.EdScaleY},
             CalibrationAxisControls{ui.CbCalEnZ, ui.BtnCalClsz, ui.EdPeakMZ, ui.EdPeakPZ,
                                     ui.EdRangeZ, ui.EdOffsetZ, ui.EdScaleZ}},
            ui.BtnLabSsCal,
            ui.BtnCalClsAll,
            ui.CbCalActive,
            ui.CbScale,
            ui.CmbRangeRef,
            ui.CmbScaleRef,
            ui.EdLabSsSn,
            ui.UdLabSsSn,
            ui.EdLabSsFtFile,
            ui.BtnSsFtSave,
            ui.BtnSsFtLoad};
}

PendulumControls PendulumControlsOf(const Ui::TForm1& ui) {
    return {ui.EdPendT, ui.EdPendL, ui.UdPendL, ui.EdPendCalG, ui.EdPendCalT,
            ui.RbPendX, ui.RbPendY, ui.RbPendZ, ui.RbPendByG,  ui.RbPendByAcc,
            ui.Button1, ui.Button2, ui.Memo1};
}

KalmanBenchControls KalmanBenchControlsOf(const Ui::TForm1& ui) {
    return {ui.EdKmQ, ui.EdKmR, ui.EdKmD,      ui.EdKmResult, ui.UdKmQ,
            ui.UdKmR, ui.UdKmD, ui.BtnKmStart, ui.BtnKmStop};
}

ProjectorControls ProjectorControlsOf(const Ui::TForm1& ui) {
    return {{ui.Chart1, ui.Chart2, ui.Chart3},
            {ui.EdAcceloG, ui.EdAcceloM, ui.EdForrceKgf, ui.EdForceN, ui.EdAccSumG, ui.EdAccSumM,
             ui.EdAngle, ui.EdSpd, ui.EdDist, ui.EdPendT, ui.EdPendCalG, ui.EdPendCalT},
            {ui.STxtChartValueX, ui.STxtChartValueY}};
}

WindowLayoutControls WindowLayoutControlsOf(const Ui::TForm1& ui) {
    return {ui.centralwidget,
            ui.Panel1,
            ui.Panel10,
            ui.Memo1,
            ui.PageControl1,
            ui.TabAccelo,
            ui.TabAngle,
            ui.TabPendulum,
            ui.TabSpeed,
            ui.TabLab,
            {ui.PnlAccValue, ui.Panel7, ui.Panel15, ui.PnlOffset, ui.PnlAngleValue, ui.RichEdit1,
             ui.PnlPendulum, ui.PnlSpeedValue},
            ui.PnlAccValue,
            ui.PnlOffset,
            ui.PnlAccChart,
            ui.PnlSpeed,
            ui.Chart3};
}

LabReportControls LabReportControlsOf(const Ui::TForm1& ui) {
    return {ui.PageControl1,
            {{Page::TabAccelo, ui.LblAccTitle, ui.EdAcceloG, ui.LblAccUnitG},
             {Page::TabAccelo, ui.LblAccTitle, ui.EdAcceloM, ui.LblAccUnitM},
             {Page::TabAccelo, ui.LblMass, ui.EdMass, ui.LblMassUnit},
             {Page::TabAccelo, ui.LblForce, ui.EdForrceKgf, ui.LblForceUnitKgf},
             {Page::TabAccelo, ui.LblForce, ui.EdForceN, ui.LblForceUnitN},
             {Page::TabAccelo, ui.LblSumTitle, ui.EdAccSumG, ui.LblSumUnitG},
             {Page::TabAccelo, ui.LblSumTitle, ui.EdAccSumM, ui.LblSumUnitM},
             {Page::TabAngle, ui.LblAngle, ui.EdAngle, ui.LblAngleUnit},
             {Page::TabPendulum, ui.LblPendL, ui.EdPendL, ui.LblPendLUnit},
             {Page::TabPendulum, ui.LblPendT, ui.EdPendT, ui.LblPendTUnit},
             {Page::TabPendulum, ui.Button1, ui.EdPendCalG, ui.LblPendCalGUnit},
             {Page::TabPendulum, ui.Button2, ui.EdPendCalT, ui.LblPendCalTUnit},
             {Page::TabSpeed, ui.LblSpdStart, ui.EdSpdStart, ui.LblSpdStartUnit},
             {Page::TabSpeed, ui.LblSpd, ui.EdSpd, ui.LblSpdUnit},
             {Page::TabSpeed, ui.Label32, ui.EdDist, ui.Label33}},
            ui.EdLogFile,
            ui.EdMass,
            ui.EdPendL,
            ui.CmbKalman,
            ui.CmbUnit,
            ui.CmbYTime};
}
