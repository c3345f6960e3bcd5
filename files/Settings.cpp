#include "files/Settings.h"

#include "engine/NumberText.h"
#include "files/AtomicWrite.h"
#include "files/Cp949.h"
#include "files/TextLines.h"

#include <vector>

namespace {

enum class SettingKind { Text, Index, Check };

struct Setting {
    const char* Key;
    SettingKind Kind;
};

// In the order the file holds them.
constexpr Setting Settings[] = {
    {"EdLogFile", SettingKind::Text},  {"CmbComPort", SettingKind::Text},
    {"CmbYTime", SettingKind::Text},   {"CmbUnit", SettingKind::Index},
    {"CmbKalman", SettingKind::Index}, {"EdMass", SettingKind::Text},
    {"CbDirRevX", SettingKind::Check}, {"CbDirRevY", SettingKind::Check},
    {"CbDirRevZ", SettingKind::Check}, {"RbPendX", SettingKind::Check},
    {"RbPendY", SettingKind::Check},   {"RbPendZ", SettingKind::Check},
    {"RbPendByG", SettingKind::Check}, {"RbPendByAcc", SettingKind::Check},
    {"EdPendL", SettingKind::Text},    {"EdLabSsFtFile", SettingKind::Text},
    {"EdLabSsSn", SettingKind::Text},  {"CmbRangeRef", SettingKind::Text},
};

const char* const HeaderLine = "Kvd_Log_DataBase_Ver=1.0";

const Setting* FindSetting(const std::string& key) {
    for (const Setting& setting : Settings)
        if (key == setting.Key) return &setting;
    return nullptr;
}

// `badValues` counts the values skipped so far, so that a damaged file does not flood the
// message area.
void ApplyIndex(const std::string& key, const std::string& value, SettingsTarget& target,
                int& badValues) {
    const auto index = ParseInteger(value);
    if (!index) {
        if (++badValues <= BadValuesReported)
            target.AppendMessage("Settings: " + key + " value '" + value +
                                 "' is not a whole number, skipped");
        return;
    }
    target.SetControlIndex(key, *index);
    if (key == "CmbUnit")
        target.ApplyUnit();
    else
        target.ApplyKalmanLevel(*index);
}

} // namespace

void ReadSettings(const std::string& path, SettingsTarget& target) {
    TextLineReader reader(PathFromUtf8(path), SettingsLineLimit);
    if (!reader.IsOpen()) {
        target.AppendMessage("Initial File Read Err! : " + path);
        return;
    }
    std::string line;
    bool portNamed = false;
    std::string portName;
    int badValues = 0;
    while (reader.Next(line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const Setting* setting = FindSetting(key);
        if (!setting) continue;
        const std::string value = Utf8FromCp949(line.substr(equals + 1));
        switch (setting->Kind) {
        case SettingKind::Text:
            target.SetControlText(key, value);
            if (key == "CmbYTime") target.ApplyTimeWindow();
            if (key == "CmbComPort") {
                portNamed = true;
                portName = value;
            }
            break;
        case SettingKind::Index:
            ApplyIndex(key, value, target, badValues);
            break;
        case SettingKind::Check:
            target.SetControlChecked(key, value == "true");
            break;
        }
    }
    if (badValues > BadValuesReported)
        target.AppendMessage("Settings: " + std::to_string(badValues - BadValuesReported) +
                             " more values that are not whole numbers skipped");
    if (const std::string overlong = reader.OverlongReport("Settings file", path);
        !overlong.empty())
        target.AppendMessage(overlong);
    if (portNamed) target.SetPortName(portName);
}

std::optional<std::string> WriteSettings(const std::string& path, SettingsSource& source) {
    std::vector<std::string> lines{HeaderLine};
    for (const Setting& setting : Settings) {
        std::string value;
        switch (setting.Kind) {
        case SettingKind::Text:
            value = Cp949FromUtf8(source.ControlText(setting.Key));
            break;
        case SettingKind::Index:
            value = std::to_string(source.ControlIndex(setting.Key));
            break;
        case SettingKind::Check:
            value = source.ControlChecked(setting.Key) ? "true" : "false";
            break;
        }
        lines.push_back(setting.Key + ("=" + value));
    }
    std::error_code error;
    if (WriteTextLines(PathFromUtf8(path), lines, &error)) return std::nullopt;
    const std::string failure = "Initial File Save Err! : " + path + " (" + error.message() + ")";
    source.AppendMessage(failure);
    return failure;
}
