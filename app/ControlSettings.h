#pragma once

#include "files/Settings.h"

#include <functional>

class MeasurementView;
class QWidget;
class TComm;

// The window's steps that follow a setting read from the file.
struct SettingsSteps {
    std::function<void()> ApplyTimeWindow;
    std::function<void()> ApplyUnit;
    std::function<void(int index)> ApplyKalmanLevel;
};

// The settings file's side of the window: every key names a control, found by that name; the
// port name goes to the serial component and the file's reports to the message area.
class ControlSettings final : public SettingsTarget, public SettingsSource {
public:
    ControlSettings(QWidget& form, TComm& comm, MeasurementView& view, SettingsSteps steps);

    void SetControlText(const std::string& key, const std::string& value) override;
    void SetControlIndex(const std::string& key, int index) override;
    void SetControlChecked(const std::string& key, bool checked) override;
    void ApplyTimeWindow() override;
    void ApplyUnit() override;
    void ApplyKalmanLevel(int index) override;
    void SetPortName(const std::string& name) override;
    void AppendMessage(const Message& message) override;

    std::string ControlText(const std::string& key) const override;
    int ControlIndex(const std::string& key) const override;
    bool ControlChecked(const std::string& key) const override;

private:
    QWidget& Form;
    TComm& Comm;
    MeasurementView& View;
    SettingsSteps Steps;
};
