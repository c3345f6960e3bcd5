#include "SettingsControls.h"
#include "TempFolder.h"

using Text = std::string;
using Calls = std::vector<Text>;
using Texts = std::map<Text, Text>;
using Controls = SettingsControls;

using SettingsFile = TempFolder;

TEST_F(SettingsFile, WritesBackWhatItReadByteForByteAndReportsFilesItCannotUse) {
    const std::string file =
        "Kvd_Log_DataBase_Ver=1.0\r\nEdLogFile=run=1.csv\r\nCmbComPort=/dev/ttyUSB0\r\n"
        "CmbYTime=20\r\nCmbUnit=0\r\nCmbKalman=-1\r\nEdMass=0.117\r\nCbDirRevX=true\r\n"
        "CbDirRevY=false\r\nCbDirRevZ=false\r\nRbPendX=false\r\nRbPendY=true\r\n"
        "RbPendZ=false\r\nRbPendByG=false\r\nRbPendByAcc=true\r\nEdPendL=0.500\r\n"
        "EdLabSsFtFile=\xBC\xBE\xBC\xAD\r\nEdLabSsSn=SE170001\r\nCmbRangeRef=1024\r\n";
    WriteBytes(PathOf("in.ini"), file); // "run=1.csv": the key ends at the first "="
    Controls window;
    ReadSettings(Folder.string(), window);
    ReadSettings(PathOf("in.ini"), window);
    EXPECT_EQ(window.Values.at("EdLabSsFtFile"), "센서");
    EXPECT_FALSE(WriteSettings(PathOf("out.ini"), window));
    EXPECT_EQ(ReadBytes(PathOf("out.ini")), file);
    const auto failure = WriteSettings(PathOf("no-folder/out.ini"), window);
    EXPECT_EQ(failure, window.Log.back());
    EXPECT_EQ(window.Log, (Calls{"Initial File Read Err! : " + Folder.string(), "Window 20",
                                 "Unit 0", "Kalman -1", "Port /dev/ttyUSB0",
                                 "Initial File Save Err! : " + PathOf("no-folder/out.ini") + " (" +
                                     std::generic_category().message(ENOENT) + ")"}));
}

TEST_F(SettingsFile, SkipsABadComboIndexAndAppliesTheRest) {
    const std::string longName(300, 'n');
    WriteBytes(PathOf("default.ini"),
               "cmbunit=0\nno equals sign\n\nCbDirRevX=True\r\nCmbUnit=x\nEdLogFile=" + longName +
                   "\nCmbComPort=COM7"); // the last line has no line end
    Controls window;
    ReadSettings(PathOf("default.ini"), window);
    // Keys are case-sensitive, only "true" checks and a line may be long.
    const Texts applied{{"CbDirRevX", "0"}, {"EdLogFile", longName}, {"CmbComPort", "COM7"}};
    EXPECT_EQ(window.Values, applied);
    EXPECT_EQ(window.Log,
              (Calls{"Settings: CmbUnit value 'x' is not a whole number, skipped", "Port COM7"}));
}

// A damaged file of many bad lines reports the first few and counts the rest in one line.
TEST_F(SettingsFile, CountsBadValuesBeyondTheFirstFewInOneLine) {
    std::string lines;
    for (int i = 0; i < 100000; ++i)
        lines += "CmbKalman=" + std::to_string(i) + "x\n";
    WriteBytes(PathOf("default.ini"), lines + "CmbUnit=1\n");
    Controls window;
    ReadSettings(PathOf("default.ini"), window);
    EXPECT_EQ(window.Log,
              (Calls{"Settings: CmbKalman value '0x' is not a whole number, skipped",
                     "Settings: CmbKalman value '1x' is not a whole number, skipped",
                     "Settings: CmbKalman value '2x' is not a whole number, skipped", "Unit 1",
                     "Settings: 99997 more values that are not whole numbers skipped"}));
}

TEST_F(SettingsFile, ReadsAnyLineEndAByteOrderMarkAndBrokenText) {
    const std::pair<std::string, Texts> cases[] = {
        {"EdMass=0.5\rCmbComPort=COM7\r", {{"EdMass", "0.5"}, {"CmbComPort", "COM7"}}},
        {"\xEF\xBB\xBF"
         "EdMass=0.5\r\n\xEF\xBB\xBF"
         "EdPendL=1\n",
         {{"EdMass", "0.5"}, {"EdPendL", "1"}}},
        {"EdLogFile=\xA2\xE8\r\nEdMass=\xB0", {{"EdLogFile", "?"}, {"EdMass", "?"}}},
    };
    for (const auto& [file, values] : cases) {
        WriteBytes(PathOf("default.ini"), file);
        Controls window;
        ReadSettings(PathOf("default.ini"), window);
        EXPECT_EQ(window.Values, values) << testing::PrintToString(file);
    }
}
