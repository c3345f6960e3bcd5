#pragma once

#include "engine/MeasurementView.h"
#include "engine/Recording.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// The measurement log: a CSV file of the recorded samples, one row per 20 ms.

// The longest line a log is read with. A row is under 100 bytes; the longest lines the program
// writes, the file's path and a kept run's typed conditions, stay under 64 KiB.
constexpr std::size_t LogLineLimit = 1 << 20;

// The name of a new log, YYMMDD_hhmmss.csv with the year counted from 2000.
std::string MakeLogFileName(const std::tm& time);

// The file name part of a path: what follows the last "/" or "\". Both count as separators
// on every platform, so a Windows path typed on Linux is still taken apart.
std::string FileNameOf(const std::string& path);

// The path with ".csv" appended when its file name part has no ".".
std::string WithCsvExtension(const std::string& path);

// The name before its last "."; a name without "." is returned whole.
std::string WithoutExtension(const std::string& name);

// What writing a log came to: why it failed, if it did, the file written, and how many values
// beyond the columns' range were written as the limit.
struct LogWriteResult {
    std::optional<std::string> Failure;
    std::string Path;
    int Saturated = 0;
};

// Writes the first `count` samples of the recording to the file, in g (unit index 0) or
// m/s² (any other index), three axes or X only. An earlier file of that name is replaced only
// by a complete new one. Every row is one Load reads back: values beyond the columns' range
// are written as the limit, and a recording holding a value that is not a number is not
// written.
LogWriteResult WriteLogFile(const std::string& path, const Recording& recording,
                            std::uint32_t count, bool threeAxis, int unitIndex);

// A kept run, in the log format so that any log reader takes it: all three axes in the unit
// of the unit index, and besides what the run needs to be analysed again — its conditions on
// lines that start with ";", which log readers pass over, and where the recording has them the
// counts after and before the filter in six more columns, which they leave unread. It is a new
// file beside others' and never replaces one (CreateTextFile): `path`, or where that is taken
// the first free of its numbered names, "_2", "_3", … before the extension.
LogWriteResult CreateKeptRunFile(const std::string& path, const Recording& recording,
                                 int unitIndex);

// WriteLogFile, reporting the outcome in the message area (the limited values in a line of
// their own).
bool SaveLogFile(const std::string& path, const Recording& recording, std::uint32_t count,
                 bool threeAxis, int unitIndex, MeasurementView& view);

// A field of a data row that is not a number: it ended the load. Text is as read, in UTF-8;
// Integer tells whether the field was the row index.
struct LogNumberError {
    std::string Text;
    bool Integer = false;
};

// What a load came to: whether rows took the recording's place, and the field that ended it.
struct LogLoadResult {
    bool Stored = false;
    std::optional<LogNumberError> NumberError;
};

// Reads the file's rows into the recording, in place of what it held, and onto Chart1 (scaled
// for the unit index), and sets LogCount to the rows stored. Rows beyond the recording's
// capacity are counted and reported, not stored. A line longer than LogLineLimit ends the
// load before it, reported in one line. A load that finds no row (a file that cannot be opened
// or is not a regular file, a spreadsheet export, a file without data or one that fails on its
// first row) changes neither the recording nor the charts; without a number error it is
// reported in one line. Rows before any header line are taken as g. A kept run comes back with
// its conditions and counts, from which the analysis reads the sensor's values exactly; its
// corrected values are the columns'.
LogLoadResult LoadLogFile(const std::string& path, Recording& recording, int unitIndex,
                          MeasurementView& view);
