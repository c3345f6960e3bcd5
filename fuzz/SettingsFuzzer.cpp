// Any bytes as the settings file: whatever the reader applies, written back and read again,
// must come back unchanged, and that second reading must report nothing.
#include "files/Settings.h"
#include "fuzz/FuzzSupport.h"

#include <map>

namespace {

// The controls the file reaches, kept by name; unset controls have their layout value.
struct Controls final : SettingsTarget, SettingsSource {
    void SetControlText(const std::string& key, const std::string& value) override {
        Texts[key] = value;
    }
    void SetControlIndex(const std::string& key, int index) override { Indexes[key] = index; }
    void SetControlChecked(const std::string& key, bool on) override { Checks[key] = on; }
    void ApplyTimeWindow() override {}
    void ApplyUnit() override {}
    void ApplyKalmanLevel(int) override {}
    void SetPortName(const std::string& name) override { PortName = name; }
    void AppendMessage(const std::string&) override { ++Messages; }

    std::string ControlText(const std::string& key) const override {
        return Texts.contains(key) ? Texts.at(key) : "";
    }
    int ControlIndex(const std::string& key) const override {
        return Indexes.contains(key) ? Indexes.at(key) : -1;
    }
    bool ControlChecked(const std::string& key) const override {
        return Checks.contains(key) && Checks.at(key);
    }

    std::map<std::string, std::string> Texts;
    std::map<std::string, int> Indexes;
    std::map<std::string, bool> Checks;
    std::string PortName;
    int Messages = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    Controls first;
    ReadSettings(ScratchFile("in.ini", std::string(bytes, bytes + size)), first);
    Require(!WriteSettings(ScratchPath("out.ini"), first));
    Controls second;
    ReadSettings(ScratchPath("out.ini"), second);
    Require(second.Messages == 0);
    for (const auto& [key, text] : second.Texts)
        Require(text == first.ControlText(key));
    for (const auto& [key, index] : second.Indexes)
        Require(index == first.ControlIndex(key));
    for (const auto& [key, checked] : second.Checks)
        Require(checked == first.ControlChecked(key));
    Require(second.Texts.size() + second.Indexes.size() + second.Checks.size() == 18);
    Require(second.PortName == first.ControlText("CmbComPort"));
    return 0;
}
