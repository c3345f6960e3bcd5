#pragma once

#include <optional>
#include <string>
#include <vector>

// The ports the automatic search tries: Com1 … Com8 on Windows, elsewhere at most eight of
// the ports the system lists, USB serial adapters first.
std::vector<std::string> SystemPortCandidates();

// Puts USB serial ports (ttyUSB*, ttyACM*) before the others, each group in name order, and
// keeps the first eight.
std::vector<std::string> OrderPortCandidates(std::vector<std::string> names);

// The port the box proposes where the form's Windows name would mean nothing (a first start
// on Linux): the first USB serial adapter the search would try, as the path a user types;
// empty without one. Nothing on Windows, where the form's name stands.
std::optional<std::string> ProposedPortPath();
// The same choice among the given port names.
std::string FirstUsbSerialPath(std::vector<std::string> names);
// The form of a port path on Linux, shown greyed in an empty port box.
inline constexpr const char* PortPathForm = "/dev/ttyUSB0";
