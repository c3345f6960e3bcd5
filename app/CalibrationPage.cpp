#include "app/CalibrationPage.h"

#include "app/ConversionReport.h"
#include "app/FileDialogs.h"
#include "calibration/Calibration.h"
#include "calibration/FeatureFile.h"
#include "calibration/SerialNumber.h"
#include "display/QtText.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"
#include "files/TextLines.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

const char* const AxisNames[] = {"X", "Y", "Z"};

} // namespace

CalibrationPage::CalibrationPage(QWidget* window, const CalibrationControls& controls,
                                 LiveState& state, MeasurementView& view, const QString& logDir,
                                 std::function<void(const QLineEdit*)> forgetQueued)
    : QObject(window), Window(window), Controls(controls), State(state), View(view), LogDir(logDir),
      ForgetQueued(std::move(forgetQueued)),
      Axes{AxisControls{controls.Axes[AxisX], state.CountMinX, state.CountMaxX},
           AxisControls{controls.Axes[AxisY], state.CountMinY, state.CountMaxY},
           AxisControls{controls.Axes[AxisZ], state.CountMinZ, state.CountMaxZ}} {
    ConnectHandlers();
}

void CalibrationPage::ConnectHandlers() {
    for (const Axis axis : {AxisX, AxisY, AxisZ}) {
        const AxisControls& controls = Axes[axis];
        for (QLineEdit* peak : {controls.PeakM, controls.PeakP}) {
            connect(peak, &QLineEdit::textChanged, this, [this, axis] { EdPeakChange(axis); });
            peak->installEventFilter(this);
        }
        connect(controls.Cls, &QAbstractButton::clicked, this,
                [this, axis] { BtnCalClsClick(axis); });
    }
    connect(Controls.BtnLabSsCal, &QAbstractButton::clicked, this,
            &CalibrationPage::BtnLabSsCalClick);
    connect(Controls.BtnCalClsAll, &QAbstractButton::clicked, this,
            &CalibrationPage::BtnCalClsAllClick);
    // A program that unchecks the box switches the axes off as a click would.
    connect(Controls.CbCalActive, &QAbstractButton::toggled, this,
            &CalibrationPage::CbCalActiveClick);
    // Grayed only until the first click: from then on the box is checked or unchecked.
    connect(Controls.CbScale, &QAbstractButton::clicked, this,
            [this] { Controls.CbScale->setTristate(false); });
    // The arrows move the box off 0 and back: only the direction counts.
    connect(Controls.UdLabSsSn, &QSpinBox::valueChanged, this, [this](int value) {
        if (value == 0) return;
        {
            const QSignalBlocker blocker(Controls.UdLabSsSn);
            Controls.UdLabSsSn->setValue(0);
        }
        UdLabSsSnClick(value > 0 ? 1 : -1);
    });
    connect(Controls.BtnSsFtSave, &QAbstractButton::clicked, this,
            &CalibrationPage::BtnSsFtSaveClick);
    connect(Controls.BtnSsFtLoad, &QAbstractButton::clicked, this,
            &CalibrationPage::BtnSsFtLoadClick);
}

bool CalibrationPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) EdPeakDblClick(box);
    }
    return QObject::eventFilter(watched, event);
}

void CalibrationPage::AppendMessage(const QString& line) {
    View.AppendMessage(Std(line));
}

void CalibrationPage::SetPeakText(QLineEdit* box, const QString& text) {
    ForgetQueued(box);
    box->setText(text);
}

// ---- peaks, ranges and resets ----

bool CalibrationPage::EdPeakChange(Axis axis) {
    AxisControls& controls = Axes[axis];
    const auto maximum = IntegerOrReport(Window, controls.PeakP->text());
    if (!maximum) return false;
    const auto minimum = IntegerOrReport(Window, controls.PeakM->text());
    if (!minimum) return false;
    controls.Range->setText(QString::number(std::int64_t{*maximum} - *minimum));
    return true;
}

// Peak tracking starts again from 0 behind the box.
void CalibrationPage::EdPeakDblClick(QLineEdit* peakBox) {
    for (AxisControls& controls : Axes) {
        if (peakBox == controls.PeakM) controls.CountMin = 0;
        if (peakBox == controls.PeakP) controls.CountMax = 0;
    }
    SetPeakText(peakBox, QStringLiteral("0"));
}

void CalibrationPage::BtnCalClsClick(Axis axis) {
    AxisControls& controls = Axes[axis];
    controls.CalOffset = 0;
    controls.CalScale = ScaleResolutionCoarse;
    controls.CountMax = 0;
    controls.CountMin = 0;
    SetPeakText(controls.PeakP, QStringLiteral("0"));
    SetPeakText(controls.PeakM, QStringLiteral("0"));
    controls.Offset->setText(QStringLiteral("0"));
    controls.Scale->setText(QString::number(ScaleResolutionCoarse));
}

// The peak boxes stay: the live display rewrites them on the next sample of each axis.
void CalibrationPage::BtnCalClsAllClick() {
    if (State.RangeCode == 1)
        Controls.CmbScaleRef->setCurrentIndex(Controls.CmbScaleRef->findText("1000"));
    const auto scale = IntegerOrReport(Window, Controls.CmbScaleRef->currentText());
    if (!scale) return;
    for (AxisControls& controls : Axes) {
        controls.CalOffset = 0;
        controls.CalScale = Low16(*scale);
        controls.CountMax = 0;
        controls.CountMin = 0;
    }
    for (AxisControls& controls : Axes)
        controls.Offset->setText(QStringLiteral("0"));
    for (AxisControls& controls : Axes)
        controls.Scale->setText(QString::number(*scale));
}

void CalibrationPage::CbCalActiveClick() {
    const bool on = Controls.CbCalActive->isChecked();
    for (AxisControls& controls : Axes)
        controls.CalEn->setChecked(on);
}

// ---- calculation ----

// Offsets from the peaks as the boxes hold them, then (with CbScale checked) the scales; the
// focus goes to the serial number, ready to keep the values in the history. A box that holds
// no number ends the calculation there, with what was computed before it left in place.
void CalibrationPage::BtnLabSsCalClick() {
    for (const bool maximum : {false, true}) {
        for (AxisControls& controls : Axes) {
            const auto count =
                IntegerOrReport(Window, (maximum ? controls.PeakP : controls.PeakM)->text());
            if (!count) return;
            (maximum ? controls.CountMax : controls.CountMin) = Low16(*count);
        }
    }
    for (AxisControls& controls : Axes) {
        controls.CalOffset = CalibrationOffset(controls.CountMin, controls.CountMax);
        controls.Offset->setText(QString::number(controls.CalOffset));
    }
    if (Controls.CbScale->checkState() == Qt::Checked && !ComputeScales()) return;
    Controls.EdLabSsSn->setFocus();
    Controls.EdLabSsSn->selectAll();
}

// The scales of all three axes, or none: an axis whose peaks are equal has no span to
// divide by, and then every scale box keeps its value and one line says why.
bool CalibrationPage::ComputeScales() {
    const auto reference = RealOrReport(Window, Controls.CmbRangeRef->currentText());
    if (!reference) return false;
    const int resolution =
        Controls.CmbScaleRef->currentIndex() == 1 ? ScaleResolutionFine : ScaleResolutionCoarse;
    std::array<std::optional<std::int16_t>, 3> scales;
    QString flatAxes;
    for (const Axis axis : {AxisX, AxisY, AxisZ}) {
        const std::int32_t span = PeakSpan(Axes[axis].CountMin, Axes[axis].CountMax);
        if (span == 0) flatAxes += QStringLiteral(" ") + AxisNames[axis];
        scales[axis] = CalibrationScale(*reference, span, resolution);
    }
    if (!flatAxes.isEmpty()) {
        AppendMessage(QStringLiteral("Scale Calc Err! Range 0 :") + flatAxes);
        return false;
    }
    for (const Axis axis : {AxisX, AxisY, AxisZ}) {
        if (!scales[axis]) {
            AppendMessage(QStringLiteral("Scale Calc Err! Ref. Range : ") +
                          Controls.CmbRangeRef->currentText());
            return false;
        }
    }
    for (const Axis axis : {AxisX, AxisY, AxisZ}) {
        Axes[axis].CalScale = *scales[axis];
        Axes[axis].Scale->setText(QString::number(*scales[axis]));
    }
    return true;
}

void CalibrationPage::UdLabSsSnClick(int step) {
    Controls.EdLabSsSn->setText(Text(StepSerialNumber(Std(Controls.EdLabSsSn->text()), step)));
}

// ---- sensor feature file ----

// The file named in EdLabSsFtFile, or when no file exists there the one the user chooses,
// which the box then shows; empty without a serial number or when the dialog was cancelled.
// A new file chosen for saving gets ".csv" when the whole path has no "." (a "." in a folder
// name keeps the name as chosen).
QString CalibrationPage::FeatureFileForSerialNumber(FileDialogMode mode) {
    if (Controls.EdLabSsSn->text().isEmpty()) {
        QMessageBox::warning(Window, Window->windowTitle(), tr("{Fail] 센스명이 누락되었습니다."));
        return {};
    }
    QString path = Controls.EdLabSsFtFile->text();
    if (QFileInfo::exists(path)) return path;
    path = AskFilePath(Window, mode, LogDir, QFileInfo(path).fileName());
    if (path.isEmpty()) return {};
    if (mode == FileDialogMode::Save && !path.contains(u'.')) path += QStringLiteral(".csv");
    Controls.EdLabSsFtFile->setText(path);
    return path;
}

void CalibrationPage::BtnSsFtSaveClick() {
    const QString path = FeatureFileForSerialNumber(FileDialogMode::Save);
    if (!path.isEmpty() && SaveFeatureRow(path))
        AppendMessage(tr("%1 센스특성을 저장하였습니다.").arg(Controls.EdLabSsSn->text()));
}

bool CalibrationPage::SaveFeatureRow(const QString& path) {
    FeatureValues values;
    int field = 0;
    for (const AxisControls& controls : Axes) {
        for (const QLineEdit* box : {controls.PeakM, controls.PeakP, controls.Offset})
            values[field++] = Std(box->text());
    }
    for (const AxisControls& controls : Axes)
        values[field++] = Std(controls.Scale->text());
    const QDate today = QDate::currentDate();
    const std::string line = FeatureLine({today.year(), today.month(), today.day()},
                                         Std(Controls.EdLabSsSn->text()), values);
    if (const auto reason = AppendFeatureLine(PathFromUtf8(Std(path)), line)) {
        AppendMessage(QStringLiteral("Sensor Feature File Save Err! : ") + path + " (" +
                      Text(*reason) + ")");
        return false;
    }
    return true;
}

// The live display is switched off first, so that it does not overwrite the loaded peaks.
void CalibrationPage::BtnSsFtLoadClick() {
    const QString path = FeatureFileForSerialNumber(FileDialogMode::Open);
    if (path.isEmpty()) return;
    Controls.CbCalActive->setChecked(false);
    LoadFeatureRow(path, Controls.EdLabSsSn->text());
}

// Puts the last line of the serial number onto the page. A peak box set to a text that is
// not a number reports it through its range update and ends the load there.
void CalibrationPage::LoadFeatureRow(const QString& path, const QString& serial) {
    const auto read = ReadFeatureFile(PathFromUtf8(Std(path)), Std(serial));
    if (!read) {
        AppendMessage(QStringLiteral("Cannot Load a Sensor Feature File : ") + path);
        return;
    }
    if (!read->Cut.empty()) AppendMessage(Text(read->Cut));
    const FeatureSearch& search = read->Search;
    if (search.Found() == 0) {
        QMessageBox::warning(Window, Window->windowTitle(),
                             QStringLiteral("[Warning] There is no data of ") + serial);
        return;
    }
    const FeatureValues values = search.LastValues();
    int field = 0;
    for (const Axis axis : {AxisX, AxisY, AxisZ}) {
        for (QLineEdit* box : {Axes[axis].PeakM, Axes[axis].PeakP, Axes[axis].Offset}) {
            const QString text = Text(values[field++]);
            ForgetQueued(box);
            if (box->text() == text) continue;
            {
                const QSignalBlocker blocker(box);
                box->setText(text);
            }
            if (box != Axes[axis].Offset && !EdPeakChange(axis)) return;
        }
    }
    for (AxisControls& controls : Axes)
        controls.Scale->setText(Text(values[field++]));
    AppendMessage(QStringLiteral("Find Sensor Data : ") + QString::number(search.Found()));
}
