#pragma once

#include "engine/MeasurementView.h"
#include "engine/Recording.h"

#include <cstddef>
#include <string>
#include <vector>

// Every run that ends is also kept in an autosave folder, as a kept run in the log format
// (all three axes, its conditions and counts), under the name its Start gave it. The newest
// hundred stay.

constexpr std::size_t AutosavesKept = 100;

// The autosaves beyond the newest `kept`, oldest first. Only names a run gets count
// (YYMMDD_hhmmss.csv, possibly with _n); other files in the folder are never chosen.
std::vector<std::string> SurplusAutosaves(const std::vector<std::string>& names, std::size_t kept);

// Writes the recording into the folder (created when missing) as a new file under the run's
// name, with "_2", "_3", … before its extension where that is taken (two runs started in the
// same second, also by two copies of the program in one folder), and removes the surplus. One
// message line names the file, or says the autosave failed; nothing else changes. The path
// written, empty on failure.
std::string AutosaveRun(const std::string& folder, const std::string& runName,
                        const Recording& recording, int unitIndex, MeasurementView& view);
