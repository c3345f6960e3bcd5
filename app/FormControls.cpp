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
