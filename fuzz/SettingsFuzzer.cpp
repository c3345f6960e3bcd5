// Any bytes as the settings file: whatever the reader applies, written back and read again,
// must come back unchanged, and that second reading must report nothing.
#include "fuzz/FuzzSupport.h"
#include "tests/files/SettingsControls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    SettingsControls first;
    ReadSettings(ScratchFile("in.ini", std::string(bytes, bytes + size)), first);
    Require(!WriteSettings(ScratchPath("out.ini"), first));
    SettingsControls second;
    ReadSettings(ScratchPath("out.ini"), second);
    Require(second.Messages == 0 && second.Values.size() == 18);
    Require(second.Log.back() == "Port " + first.ControlText("CmbComPort"));
    // Every value the second reading set writes as the first did.
    Require(!WriteSettings(ScratchPath("again.ini"), second));
    Require(FileBytes(ScratchPath("again.ini")) == FileBytes(ScratchPath("out.ini")));
    return 0;
}
