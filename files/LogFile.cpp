#include "files/LogFile.h"

#include "engine/NumberText.h"
#include "engine/RunControl.h"
#include "files/AtomicWrite.h"
#include "files/Cp949.h"
#include "files/RunConditionLines.h"
#include "files/SpreadsheetCsv.h"
#include "files/TextLines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

namespace {

constexpr double GPerMs2 = 0.1020408163265306;
// Significant digits of a written value; accelerations never come near the exponent form.
constexpr int ValuePrecision = 8;
// The largest magnitudes the columns hold in fixed point with that many digits.
constexpr double GLimit = 99999.999, Ms2Limit = 999999.99;

std::string Header(bool threeAxis, bool inMs2) {
    if (threeAxis)
        return inMs2 ? "Time[20ms],X[m/s²] ,Y[m/s²],Z[m/s²]" : "Time[20ms],X[G] ,Y[G],Z[G]";
    return inMs2 ? "Time[20ms],X[m/s²]" : "Time[20ms],X[G]";
}

// A value beyond the column's range is written as the limit, so that Load reads every row
// back; `saturated` counts them.
std::string ValueText(double g, bool inMs2, int& saturated) {
    double value = inMs2 ? g * StandardGravity : g;
    const double limit = inMs2 ? Ms2Limit : GLimit;
    if (std::fabs(value) > limit) {
        value = std::copysign(limit, value);
        ++saturated;
    }
    return FormatFixed(value, inMs2 ? 2 : 3, ValuePrecision);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One data row as read, in g, with a kept run's counts after and before the filter.
struct LogRow {
    double Values[3] = {};
    int Axes = 0;
    std::int16_t Counts[6] = {};
    bool HasCounts = false;
};

// Whether a header line announces a kept run's count columns after the three value columns.
bool HasCountColumns(const std::string& header) {
    std::string titles;
    for (const char* title : CountColumnTitles)
        titles += std::string(",") + title;
    return header.ends_with(titles);
}

// The six counts that follow a kept run's three values; false when they are not all there.
bool ReadCounts(std::string_view& fields, LogRow& row) {
    for (std::int16_t& count : row.Counts) {
        const auto value = ParseInteger(std::string(NextToken(fields)));
        if (!value || *value < INT16_MIN || *value > INT16_MAX) return false;
        count = static_cast<std::int16_t>(*value);
    }
    return true;
}

// A log's lines, or why it is not written.
struct LogLines {
    std::vector<std::string> Lines;
    LogWriteResult Result;
};

// The first line names where the file was written.
std::string PathLine(const std::string& path) {
    return Cp949FromUtf8(";" + path);
}

// The recording's rows under the lines given: each row's index, the values of the axes and,
// when asked, the six counts.
LogLines WithRows(std::vector<std::string> lines, const Recording& recording, std::uint32_t count,
                  int axes, bool inMs2, bool withCounts) {
    count = std::min(count, LogCapacity);
    LogLines log;
    for (std::uint32_t i = 0; i < count; ++i)
        for (int axis = 0; axis < axes; ++axis)
            if (std::isnan(CorrectedValues(recording, axis)[i])) {
                log.Result.Failure = "sample " + std::to_string(i) + " is not a number";
                return log;
            }
    lines.reserve(lines.size() + count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string row = std::to_string(i);
        for (int axis = 0; axis < axes; ++axis)
            row +=
                ',' + ValueText(CorrectedValues(recording, axis)[i], inMs2, log.Result.Saturated);
        for (int axis = 0; withCounts && axis < 6; ++axis)
            row += ',' + std::to_string(axis < 3 ? FilteredCounts(recording, axis)[i]
                                                 : RawCounts(recording, axis - 3)[i]);
        lines.push_back(std::move(row));
    }
    log.Lines = std::move(lines);
    return log;
}

} // namespace

std::string MakeLogFileName(const std::tm& time) {
    char name[64];
    std::snprintf(name, sizeof name, "%02d%02d%02d_%02d%02d%02d.csv", time.tm_year - 100,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return name;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string WithCsvExtension(const std::string& path) {
    return FileNameOf(path).find('.') == std::string::npos ? path + ".csv" : path;
}

std::string WithoutExtension(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

LogWriteResult WriteLogFile(const std::string& path, const Recording& recording,
                            std::uint32_t count, bool threeAxis, int unitIndex) {
    const bool inMs2 = unitIndex != 0;
    LogLines log = WithRows({PathLine(path), Cp949FromUtf8(Header(threeAxis, inMs2))}, recording,
                            count, threeAxis ? 3 : 1, inMs2, false);
    if (log.Result.Failure) return log.Result;
    std::error_code error;
    if (WriteTextLines(PathFromUtf8(path), log.Lines, &error))
        log.Result.Path = path;
    else
        log.Result.Failure = error.message();
    return log.Result;
}

LogWriteResult CreateKeptRunFile(const std::string& path, const Recording& recording,
                                 int unitIndex) {
    const bool inMs2 = unitIndex != 0;
    std::vector<std::string> head{PathLine(path)};
    if (recording.Conditions.Known)
        for (std::string& line : RunConditionLines(recording.Conditions))
            head.push_back(Cp949FromUtf8(line));
    std::string header = Header(true, inMs2);
    for (const char* title : CountColumnTitles)
        if (recording.HasCounts) header += std::string(",") + title;
    head.push_back(Cp949FromUtf8(header));
    LogLines kept =
        WithRows(std::move(head), recording, recording.LogCount, 3, inMs2, recording.HasCounts);
    if (kept.Result.Failure) return kept.Result;
    std::error_code error;
    const std::filesystem::path created = CreateTextFile(
        PathFromUtf8(path),
        [&](const std::filesystem::path& name) -> const std::vector<std::string>& {
            kept.Lines.front() = PathLine(Utf8FromPath(name));
            return kept.Lines;
        },
        error);
    if (created.empty())
        kept.Result.Failure = error.message();
    else
        kept.Result.Path = Utf8FromPath(created);
    return kept.Result;
}

bool SaveLogFile(const std::string& path, const Recording& recording, std::uint32_t count,
                 bool threeAxis, int unitIndex, MeasurementView& view) {
    const LogWriteResult result = WriteLogFile(path, recording, count, threeAxis, unitIndex);
    if (result.Failure) {
        view.AppendMessage("Cannot make log-file : " + path + " (" + *result.Failure + ")");
        return false;
    }
    view.AppendMessage(threeAxis ? "3(X,Y,Z) Axis Log File Saved : " : "X Axis Log File Saved : ");
    if (result.Saturated > 0)
        view.AppendMessage(std::to_string(result.Saturated) + " values beyond " +
                           (unitIndex != 0 ? "±999999.99 m/s²" : "±99999.999 G") +
                           " saved as that limit");
    return true;
}

LogLoadResult LoadLogFile(const std::string& path, Recording& recording, int unitIndex,
                          MeasurementView& view) {
    TextLineReader reader(PathFromUtf8(path), LogLineLimit);
    if (!reader.IsOpen()) {
        view.AppendMessage("Cannot Load LogFIle : " + path);
        return {};
    }
    bool inMs2 = false, countColumns = false, firstLine = true;
    RunConditionReader conditions;
    std::vector<LogRow> rows;
    std::uint32_t skipped = 0;
    std::optional<LogNumberError> error;
    std::string line;
    while (reader.Next(line)) {
        // The first line names where the file was written, whatever it holds. An export's
        // title row there says its rows are no log's: their first index would break the load.
        if (!std::exchange(firstLine, false)) {
            if (conditions.Take(Utf8FromCp949(line))) continue;
        } else if (IsSpreadsheetTitleRow(line)) {
            view.AppendMessage(Message(MessageId::SpreadsheetNotALog, {path}));
            return {};
        }
        if (line.starts_with('T')) {
            inMs2 = Utf8FromCp949(line).find('G') == std::string::npos;
            countColumns = HasCountColumns(line);
        }
        if (line.empty() || !IsDigit(line[0])) continue;
        std::string_view fields = line;
        const std::string_view index = NextToken(fields);
        if (!ParseInteger(std::string(index))) {
            error = LogNumberError{Utf8FromCp949(std::string(index)), true};
            break;
        }
        LogRow row;
        for (; row.Axes < 3; ++row.Axes) {
            const std::string field(NextToken(fields));
            if (field.empty()) break;
            const auto value = ParseReal(field);
            if (!value) {
                error = LogNumberError{Utf8FromCp949(field), false};
                break;
            }
            row.Values[row.Axes] = inMs2 ? *value * GPerMs2 : *value;
        }
        if (row.Axes == 0) break;
        row.HasCounts = countColumns && row.Axes == 3 && !error && ReadCounts(fields, row);
        if (rows.size() < LogCapacity)
            rows.push_back(row);
        else
            ++skipped;
        if (error) break;
    }
    const std::string overlong = reader.OverlongReport("Log file", path);
    if (rows.empty()) {
        if (!overlong.empty())
            view.AppendMessage(overlong);
        else if (!error)
            view.AppendMessage("No data rows in log file : " + path);
        return {false, error};
    }
    ClearLogBuffer(recording);
    recording.LogCount = static_cast<std::uint32_t>(rows.size());
    recording.Loaded = true;
    recording.Conditions = conditions.Result();
    recording.HasCounts =
        recording.Conditions.Known &&
        std::all_of(rows.begin(), rows.end(), [](const LogRow& row) { return row.HasCounts; });
    for (int axis = 0; axis < 3; ++axis)
        recording.HasAxis[axis] = std::any_of(
            rows.begin(), rows.end(), [axis](const LogRow& row) { return row.Axes > axis; });
    ClearAllSeries(view);
    const double chartFactor = UnitFactor(unitIndex);
    // Each axis' points at the times of their rows, put onto the chart at once.
    std::vector<double> times[3], points[3];
    double t = 0.0;
    for (std::size_t i = 0; i < rows.size(); ++i, t += SamplePeriod) {
        const LogRow& row = rows[i];
        for (int axis = 0; axis < row.Axes; ++axis) {
            CorrectedValues(recording, axis)[i] = row.Values[axis];
            times[axis].push_back(t);
            points[axis].push_back(row.Values[axis] * chartFactor);
        }
        if (!recording.HasCounts) continue;
        for (int axis = 0; axis < 3; ++axis) {
            FilteredCounts(recording, axis)[i] = row.Counts[axis];
            RawCounts(recording, axis)[i] = row.Counts[axis + 3];
        }
    }
    for (int axis = 0; axis < 3; ++axis)
        view.ReplaceSeries(Chart::Acceleration, axis, times[axis], points[axis]);
    if (skipped > 0)
        view.AppendMessage("Log rows beyond " + std::to_string(LogCapacity) +
                           " not loaded: " + std::to_string(skipped));
    if (!overlong.empty()) view.AppendMessage(overlong);
    return {true, error};
}
