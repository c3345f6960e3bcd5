#include "files/Settings.h"

#include "TempFolder.h"

#include <map>
#include <vector>

namespace {

// Records every call as one line of text; serves as the window's controls on both sides.
class Controls : public SettingsTarget, public SettingsSource {
public:
    void SetControlText(const std::string& key, const std::string& value) override {
        Calls.push_back(key + "=" + value);
    }
    void SetControlIndex(const std::string& key, int index) override {
        Calls.push_back(key + "#" + std::to_string(index));
    }
    void SetControlChecked(const std::string& key, bool checked) override {
        Calls.push_back(key + (checked ? " on" : " off"));
    }
    void ApplyTimeWindow() override { Calls.push_back("ApplyTimeWindow"); }
    void ApplyUnit() override { Calls.push_back("ApplyUnit"); }
    void ApplyKalmanLevel(int index) override {
        Calls.push_back("ApplyKalmanLevel " + std::to_string(index));
    }
    void SetPortName(const std::string& name) override { Calls.push_back("Port " + name); }
    void AppendMessage(const std::string& line) override { Calls.push_back("Memo " + line); }

    std::string ControlText(const std::string& key) const override { return Texts.at(key); }
    int ControlIndex(const std::string& key) const override { return Indexes.at(key); }
    bool ControlChecked(const std::string& key) const override { return Checks.at(key); }

    std::map<std::string, std::string> Texts;
    std::map<std::string, int> Indexes;
    std::map<std::string, bool> Checks;
    std::vector<std::string> Calls;
};

using Calls = std::vector<std::string>;

Controls SomeControls() {
    Controls window;
    window.Texts = {{"EdLogFile", "run=1.csv"}, {"CmbComPort", "/dev/ttyUSB0"},
                    {"CmbYTime", "20"},         {"EdMass", "0.117"},
                    {"EdPendL", "0.500"},       {"EdLabSsFtFile", "센서"},
                    {"EdLabSsSn", "SE170001"},  {"CmbRangeRef", "1024"}};
    window.Indexes = {{"CmbUnit", 0}, {"CmbKalman", -1}};
    window.Checks = {{"CbDirRevX", true},  {"CbDirRevY", false}, {"CbDirRevZ", false},
                     {"RbPendX", false},   {"RbPendY", true},    {"RbPendZ", false},
                     {"RbPendByG", false}, {"RbPendByAcc", true}};
    return window;
}

} // namespace

using SettingsFile = TempFolder;

TEST_F(SettingsFile, WritesNineteenLinesThatReadBackIntoTheSameControls) {
    Controls window = SomeControls();
    const std::string path = PathOf("default.ini");
    WriteSettings(path, window);
    EXPECT_EQ(ReadBytes(path),
              "Kvd_Log_DataBase_Ver=1.0\r\nEdLogFile=run=1.csv\r\nCmbComPort=/dev/ttyUSB0\r\n"
              "CmbYTime=20\r\nCmbUnit=0\r\nCmbKalman=-1\r\nEdMass=0.117\r\nCbDirRevX=true\r\n"
              "CbDirRevY=false\r\nCbDirRevZ=false\r\nRbPendX=false\r\nRbPendY=true\r\n"
              "RbPendZ=false\r\nRbPendByG=false\r\nRbPendByAcc=true\r\nEdPendL=0.500\r\n"
              "EdLabSsFtFile=\xBC\xBE\xBC\xAD\r\nEdLabSsSn=SE170001\r\nCmbRangeRef=1024\r\n");

    ReadSettings(path, window);
    EXPECT_EQ(window.Calls, (Calls{"EdLogFile=run=1.csv", "CmbComPort=/dev/ttyUSB0",
                                   "CmbYTime=20",         "ApplyTimeWindow",
                                   "CmbUnit#0",           "ApplyUnit",
                                   "CmbKalman#-1",        "ApplyKalmanLevel -1",
                                   "EdMass=0.117",        "CbDirRevX on",
                                   "CbDirRevY off",       "CbDirRevZ off",
                                   "RbPendX off",         "RbPendY on",
                                   "RbPendZ off",         "RbPendByG off",
                                   "RbPendByAcc on",      "EdPendL=0.500",
                                   "EdLabSsFtFile=센서",  "EdLabSsSn=SE170001",
                                   "CmbRangeRef=1024",    "Port /dev/ttyUSB0"}));
}

TEST_F(SettingsFile, ReadsOddLinesSoundly) {
    const std::string longName(300, 'n');
    WriteBytes(PathOf("default.ini"),
               "cmbunit=0\n"        // keys are case-sensitive
               "no equals sign\n\n" // ignored, as is the missing header
               "CbDirRevX=True\r\n" // only "true" checks
               "CmbKalman=5\n"      // applied whatever the lock
               "CmbUnit=x\n"        // reported and skipped
               "CmbComPort=COM7\n"
               "EdLogFile=" +
                   longName +
                   "\n"                            // long lines stay whole
                   "RbPendX=true\nRbPendX=false\n" // duplicates apply in order
                   "CmbRangeRef=1024");            // no newline: the value keeps its last digit
    Controls window;
    ReadSettings(PathOf("default.ini"), window);
    EXPECT_EQ(window.Calls,
              (Calls{"CbDirRevX off", "CmbKalman#5", "ApplyKalmanLevel 5",
                     "Memo Settings: CmbUnit value 'x' is not a whole number, skipped",
                     "CmbComPort=COM7", "EdLogFile=" + longName, "RbPendX on", "RbPendX off",
                     "CmbRangeRef=1024", "Port COM7"}));
}

TEST_F(SettingsFile, ReportsFilesThatCannotBeReadOrWritten) {
    Controls window = SomeControls();
    const std::string missing = PathOf("missing.ini");
    ReadSettings(missing, window);
    EXPECT_EQ(window.Calls, Calls{"Memo Initial File Read Err! : " + missing});
    window.Calls.clear();
    ReadSettings(Folder.string(), window);
    EXPECT_EQ(window.Calls, Calls{"Memo Initial File Read Err! : " + Folder.string()});

    window.Calls.clear();
    const std::string unwritable = PathOf("no-folder/default.ini");
    WriteSettings(unwritable, window);
    EXPECT_EQ(window.Calls, Calls{"Memo Initial File Save Err! : " + unwritable});
}
