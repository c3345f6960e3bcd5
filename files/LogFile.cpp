#include "files/LogFile.h"

#include "engine/NumberText.h"
#include "engine/RunControl.h"
#include "files/Cp949.h"
#include "files/TextLines.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double GPerMs2 = 0.1020408163265306;
// Significant digits of a written value; accelerations never come near the exponent form.
constexpr int ValuePrecision = 8;

std::string Header(bool threeAxis, bool inMs2) {
    if (threeAxis)
        return inMs2 ? "Time[20ms],X[m/s²] ,Y[m/s²],Z[m/s²]" : "Time[20ms],X[G] ,Y[G],Z[G]";
    return inMs2 ? "Time[20ms],X[m/s²]" : "Time[20ms],X[G]";
}

std::string ValueText(double g, bool inMs2) {
    return inMs2 ? FormatFixed(g * StandardGravity, 2, ValuePrecision)
                 : FormatFixed(g, 3, ValuePrecision);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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

bool WriteLogFile(const std::string& path, const LiveState& state, std::uint32_t count,
                  bool threeAxis, int unitIndex) {
    const bool inMs2 = unitIndex != 0;
    count = std::min(count, LogCapacity);
    std::vector<std::string> lines;
    lines.reserve(count + 2);
    lines.push_back(Cp949FromUtf8(";" + path));
    lines.push_back(Cp949FromUtf8(Header(threeAxis, inMs2)));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string row = std::to_string(i) + ',' + ValueText(state.LogX[i], inMs2);
        if (threeAxis)
            row += ',' + ValueText(state.LogY[i], inMs2) + ',' + ValueText(state.LogZ[i], inMs2);
        lines.push_back(std::move(row));
    }
    return WriteTextLines(PathFromUtf8(path), lines);
}

bool SaveLogFile(const std::string& path, const LiveState& state, std::uint32_t count,
                 bool threeAxis, int unitIndex, MeasurementView& view) {
    if (!WriteLogFile(path, state, count, threeAxis, unitIndex)) {
        view.AppendMessage("Cannot make log-file : ");
        return false;
    }
    view.AppendMessage(threeAxis ? "3(X,Y,Z) Axis Log File Saved : " : "X Axis Log File Saved : ");
    return true;
}

std::optional<LogNumberError> LoadLogFile(const std::string& path, LiveState& state, int unitIndex,
                                          MeasurementView& view) {
    ClearLogBuffer(state);
    state.LogCount = 0;
    TextLineReader reader(PathFromUtf8(path));
    if (!reader.IsOpen()) {
        view.AppendMessage("Cannot Load LogFIle : " + path);
        return std::nullopt;
    }
    ClearAllSeries(view);
    const double chartFactor = unitIndex == 0 ? 1.0 : StandardGravity;
    double* const axes[] = {state.LogX, state.LogY, state.LogZ};
    bool inMs2 = false;
    std::uint32_t row = 0, skipped = 0;
    double t = 0.0;
    std::optional<LogNumberError> error;
    std::string line;
    while (reader.Next(line)) {
        if (line.starts_with('T')) inMs2 = Utf8FromCp949(line).find('G') == std::string::npos;
        if (line.empty() || !IsDigit(line[0])) continue;
        std::string_view fields = line;
        const std::string_view index = NextToken(fields);
        if (!ParseInteger(std::string(index))) {
            error = LogNumberError{Utf8FromCp949(std::string(index)), true};
            break;
        }
        int axis = 0;
        for (; axis < 3; ++axis) {
            const std::string field(NextToken(fields));
            if (field.empty()) break;
            auto value = ParseReal(field);
            if (!value) {
                error = LogNumberError{Utf8FromCp949(field), false};
                break;
            }
            if (inMs2) *value *= GPerMs2;
            if (row >= LogCapacity) continue;
            axes[axis][row] = *value;
            view.AppendPoint(Chart1, axis, t, *value * chartFactor);
            state.LogCount = row + 1;
        }
        if (error || axis == 0) break;
        if (row >= LogCapacity) ++skipped;
        t += SamplePeriod;
        ++row;
    }
    if (skipped > 0)
        view.AppendMessage("Log rows beyond " + std::to_string(LogCapacity) +
                           " not loaded: " + std::to_string(skipped));
    return error;
}
