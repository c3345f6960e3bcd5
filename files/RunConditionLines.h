#pragma once

#include "engine/Recording.h"

#include <string>
#include <vector>

// A kept run's conditions as lines of a log file: ";key=value", keys named after the controls
// they come from where there is one, numbers written so that they read back exactly.
std::vector<std::string> RunConditionLines(const RunConditions& conditions);

// Reads the conditions back from the lines of a file.
class RunConditionReader {
public:
    // Takes one condition line; false for any other line.
    bool Take(const std::string& line);
    // Known once the range code and all three offsets have been read: without them the
    // corrected values cannot be taken back to what the sensor read, and the rest is not
    // taken either.
    RunConditions Result() const;

private:
    RunConditions Conditions;
    int Essentials = 0;
};

// The titles of the six count columns of a kept run, after the three value columns: the
// counts after the filter, then before it.
extern const char* const CountColumnTitles[6];
