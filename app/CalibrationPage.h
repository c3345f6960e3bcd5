#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

enum class FileDialogMode;
class MeasurementView;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;
struct LiveState;

// The controls of one axis: CbCalEn*, BtnCalCls*, EdPeakM*, EdPeakP*, EdRange*, EdOffset*,
// EdScale*.
struct CalibrationAxisControls {
    QAbstractButton* CalEn;
    QAbstractButton* Cls;
    QLineEdit* PeakM;
    QLineEdit* PeakP;
    QLineEdit* Range;
    QLineEdit* Offset;
    QLineEdit* Scale;
};

// The calibration controls of the options page.
struct CalibrationControls {
    std::array<CalibrationAxisControls, 3> Axes; // X, Y, Z
    QAbstractButton* BtnLabSsCal;
    QAbstractButton* BtnCalClsAll;
    QAbstractButton* CbCalActive;
    QCheckBox* CbScale;
    QComboBox* CmbRangeRef;
    QComboBox* CmbScaleRef;
    QLineEdit* EdLabSsSn;
    QSpinBox* UdLabSsSn;
    QLineEdit* EdLabSsFtFile;
    QAbstractButton* BtnSsFtSave;
    QAbstractButton* BtnSsFtLoad;
};

// The calibration tools of the options page: the peak and range boxes, the offset and scale
// calculation, the resets, the serial number arrows and the sensor feature file. The main
// window owns it and hands it its controls, its live state (the peaks the frame processing
// tracks, the device's range code) and its message area; the write and read-back buttons
// stay with the window, next to the device link.
class CalibrationPage : public QObject {
    Q_OBJECT
public:
    enum Axis { AxisX, AxisY, AxisZ };

    // forgetQueued drops a text the live display queued for a box, so that what the page puts
    // there stays.
    CalibrationPage(QWidget* window, const CalibrationControls& controls, LiveState& state,
                    MeasurementView& view, const QString& logDir,
                    std::function<void(const QLineEdit*)> forgetQueued);

    // The working values: the offset and scale last computed or reset, per axis.
    std::int16_t CalOffset(Axis axis) const { return Axes[axis].CalOffset; }
    std::int16_t CalScale(Axis axis) const { return Axes[axis].CalScale; }

    void BtnLabSsCalClick();
    void BtnCalClsAllClick();
    void BtnCalClsClick(Axis axis); // BtnCalClsx, BtnCalClsy, BtnCalClsz
    // The range box follows the peak boxes; false when a peak box holds no whole number.
    bool EdPeakChange(Axis axis);
    void EdPeakDblClick(QLineEdit* peakBox);
    void CbCalActiveClick();
    void UdLabSsSnClick(int step);
    void BtnSsFtSaveClick();
    void BtnSsFtLoadClick();
    bool SaveFeatureRow(const QString& path);
    void LoadFeatureRow(const QString& path, const QString& serial);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct AxisControls : CalibrationAxisControls {
        std::int16_t& CountMin;
        std::int16_t& CountMax;
        std::int16_t CalOffset = 0;
        std::int16_t CalScale = 0;
    };

    void ConnectHandlers();
    bool ComputeScales();
    QString FeatureFileForSerialNumber(FileDialogMode mode);
    void AppendMessage(const QString& line);
    // Puts a text into a peak box over whatever the live display had queued for it.
    void SetPeakText(QLineEdit* box, const QString& text);

    QWidget* Window;
    CalibrationControls Controls;
    LiveState& State;
    MeasurementView& View;
    const QString& LogDir;
    std::function<void(const QLineEdit*)> ForgetQueued;
    std::array<AxisControls, 3> Axes;
};
