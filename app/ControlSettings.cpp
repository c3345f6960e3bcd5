#include "app/ControlSettings.h"

#include "device/qt/TComm.h"
#include "display/QtText.h"
#include "engine/MeasurementView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

ControlSettings::ControlSettings(QWidget& form, TComm& comm, MeasurementView& view,
                                 SettingsSteps steps)
    : Form(form), Comm(comm), View(view), Steps(std::move(steps)) {}

void ControlSettings::SetControlText(const std::string& key, const std::string& value) {
    QWidget* control = Form.findChild<QWidget*>(Text(key));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(Text(value));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const int index = combo->findText(Text(value));
        if (index >= 0) combo->setCurrentIndex(index);
        if (combo->isEditable()) combo->setEditText(Text(value));
    }
}

void ControlSettings::SetControlIndex(const std::string& key, int index) {
    if (auto* combo = Form.findChild<QComboBox*>(Text(key)))
        combo->setCurrentIndex(index < combo->count() ? index : -1);
}

void ControlSettings::SetControlChecked(const std::string& key, bool checked) {
    if (auto* button = Form.findChild<QAbstractButton*>(Text(key))) button->setChecked(checked);
}

void ControlSettings::ApplyTimeWindow() {
    Steps.ApplyTimeWindow();
}

void ControlSettings::ApplyUnit() {
    Steps.ApplyUnit();
}

void ControlSettings::ApplyKalmanLevel(int index) {
    Steps.ApplyKalmanLevel(index);
}

void ControlSettings::SetPortName(const std::string& name) {
    Comm.SetDeviceName(name);
}

void ControlSettings::AppendMessage(const Message& message) {
    View.AppendMessage(message);
}

std::string ControlSettings::ControlText(const std::string& key) const {
    QWidget* control = Form.findChild<QWidget*>(Text(key));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return Std(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(control)) return Std(combo->currentText());
    return {};
}

int ControlSettings::ControlIndex(const std::string& key) const {
    const auto* combo = Form.findChild<QComboBox*>(Text(key));
    return combo != nullptr ? combo->currentIndex() : -1;
}

bool ControlSettings::ControlChecked(const std::string& key) const {
    const auto* button = Form.findChild<QAbstractButton*>(Text(key));
    return button != nullptr && button->isChecked();
}
