#include "files/Autosave.h"

#include "files/LogFile.h"
#include "files/TextLines.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <tuple>

namespace {

bool Digits(std::string_view text, std::size_t least, std::size_t most) {
    return text.size() >= least && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The run name's stamp and its number in the same second (1 for none); nullopt for a file
// that is not an autosave (YYMMDD_hhmmss.csv or YYMMDD_hhmmss_n.csv).
std::optional<std::tuple<std::size_t, std::string, long>> AutosaveKey(std::string_view name) {
    if (!name.ends_with(".csv")) return std::nullopt;
    name.remove_suffix(4);
    const std::size_t date = name.find('_');
    if (date == std::string_view::npos || !Digits(name.substr(0, date), 6, 7)) return std::nullopt;
    const std::string_view rest = name.substr(date + 1);
    const std::size_t numbered = rest.find('_');
    if (!Digits(rest.substr(0, numbered), 6, 6)) return std::nullopt;
    long number = 1;
    if (numbered != std::string_view::npos) {
        const std::string_view digits = rest.substr(numbered + 1);
        if (!Digits(digits, 1, 9)) return std::nullopt;
        number = std::stol(std::string(digits));
    }
    // A longer stamp is a later century.
    const std::string stamp(name.substr(0, date + 1 + 6));
    return std::tuple(stamp.size(), stamp, number);
}

} // namespace

std::vector<std::string> SurplusAutosaves(const std::vector<std::string>& names, std::size_t kept) {
    std::vector<std::pair<std::tuple<std::size_t, std::string, long>, std::string>> autosaves;
    for (const std::string& name : names)
        if (const auto key = AutosaveKey(name)) autosaves.emplace_back(*key, name);
    if (autosaves.size() <= kept) return {};
    std::sort(autosaves.begin(), autosaves.end());
    std::vector<std::string> surplus;
    for (std::size_t i = 0; i + kept < autosaves.size(); ++i)
        surplus.push_back(autosaves[i].second);
    return surplus;
}

std::string AutosaveRun(const std::string& folder, const std::string& runName,
                        const Recording& recording, int unitIndex, MeasurementView& view) {
    namespace fs = std::filesystem;
    const fs::path directory = PathFromUtf8(folder);
    std::error_code error;
    fs::create_directories(directory, error);
    const std::string path = Utf8FromPath(directory / PathFromUtf8(runName));
    const LogWriteResult written = CreateKeptRunFile(path, recording, unitIndex);
    if (written.Failure) {
        view.AppendMessage("Cannot autosave run : " + path + " (" + *written.Failure + ")");
        return {};
    }
    const std::string name = Utf8FromPath(PathFromUtf8(written.Path).filename());
    std::vector<std::string> names;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error))
        names.push_back(Utf8FromPath(entry->path().filename()));
    // The run just kept stays even when a clock set back makes it look the oldest.
    for (const std::string& old : SurplusAutosaves(names, AutosavesKept))
        if (old != name) fs::remove(directory / PathFromUtf8(old), error);
    view.AppendMessage("Run autosaved : " + written.Path +
                       (written.Saturated > 0
                            ? " (" + std::to_string(written.Saturated) +
                                  " values beyond the columns' range as the limit)"
                            : ""));
    return written.Path;
}
