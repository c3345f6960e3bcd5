#pragma once

#include "files/Settings.h"

#include <map>
#include <string>
#include <vector>

// The window's controls on both sides of the settings file, every value kept as text; unset
// ones read as empty, index -1, unchecked. The apply steps log the value they see, so a step
// made before its control is set shows.
class SettingsControls : public SettingsTarget, public SettingsSource {
public:
    using Text = std::string;

    void SetControlText(const Text& key, const Text& value) override { Values[key] = value; }
    void SetControlIndex(const Text& key, int index) override { Values[key] = Int(index); }
    void SetControlChecked(const Text& key, bool on) override { Values[key] = Int(on); }
    void ApplyTimeWindow() override { Log.push_back("Window " + ControlText("CmbYTime")); }
    void ApplyUnit() override { Log.push_back("Unit " + ControlText("CmbUnit")); }
    void ApplyKalmanLevel(int index) override { Log.push_back("Kalman " + Int(index)); }
    void SetPortName(const Text& name) override { Log.push_back("Port " + name); }
    void AppendMessage(const Message& message) override {
        Log.push_back(KoreanText(message));
        ++Messages;
    }
    Text ControlText(const Text& key) const override {
        return Values.contains(key) ? Values.at(key) : "";
    }
    int ControlIndex(const Text& key) const override {
        return Values.contains(key) ? std::stoi(Values.at(key)) : -1;
    }
    bool ControlChecked(const Text& key) const override { return ControlText(key) == "1"; }

    static Text Int(int value) { return std::to_string(value); }
    std::map<Text, Text> Values;
    std::vector<Text> Log;
    int Messages = 0;
};
