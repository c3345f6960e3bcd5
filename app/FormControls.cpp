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
