#pragma once

#include "messages/Message.h"

#include <cstddef>
#include <optional>
#include <string>

// The settings file holds the values of controls of the main window, each under the name of
// its control. The window gives the reader and the writer access to those controls by name.

// The longest line the file is read with: its longest lines hold a path or a box's text,
// under 64 KiB.
constexpr std::size_t SettingsLineLimit = 1 << 20;
// Bad values reported each in its own line; the rest are counted in one.
constexpr int BadValuesReported = 3;

// Where the values read go. Every call is made as soon as its line is read, so an apply step
// sees the controls as the lines before it left them.
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;
    virtual void SetControlText(const std::string& key, const std::string& value) = 0;
    // An index outside the combo's items leaves it with no item selected.
    virtual void SetControlIndex(const std::string& key, int index) = 0;
    virtual void SetControlChecked(const std::string& key, bool checked) = 0;
    virtual void ApplyTimeWindow() = 0;
    virtual void ApplyUnit() = 0;
    virtual void ApplyKalmanLevel(int index) = 0;
    // The serial component's device name: the port text the file gave, once the whole file
    // is applied. Not called when the file names no port; the port box keeps its own text.
    virtual void SetPortName(const std::string& name) = 0;
    virtual void AppendMessage(const Message& message) = 0;
};

// Where the values written come from.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual std::string ControlText(const std::string& key) const = 0;
    // -1 when no item is selected.
    virtual int ControlIndex(const std::string& key) const = 0;
    virtual bool ControlChecked(const std::string& key) const = 0;
    virtual void AppendMessage(const Message& message) = 0;
};

// Applies each "key=value" line of the file in order. Unknown keys, lines without "=" and
// empty lines are ignored; a combo index that is not a whole number is skipped and reported,
// beyond the first BadValuesReported only counted in one line at the end. A line longer than
// SettingsLineLimit ends the reading there, reported in one line. A file that cannot be read
// (missing, or not a regular file) is reported and nothing is applied.
void ReadSettings(const std::string& path, SettingsTarget& target);

// Replaces the file with the header line and one line per control. A failure leaves the
// earlier file as it was; it is reported, and its line (with the system's reason) returned,
// so that a window that is closing can show it where the user still sees it.
std::optional<std::string> WriteSettings(const std::string& path, SettingsSource& source);
