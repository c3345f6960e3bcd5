#pragma once

#include <string>
#include <vector>

// The ports the automatic search tries: Com1 … Com8 on Windows, elsewhere at most eight of
// the ports the system lists, USB serial adapters first.
std::vector<std::string> SystemPortCandidates();

// Puts USB serial ports (ttyUSB*, ttyACM*) before the others, each group in name order, and
// keeps the first eight.
std::vector<std::string> OrderPortCandidates(std::vector<std::string> names);
