#include "device/qt/PortCandidates.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace {

constexpr std::size_t MaxCandidates = 8;

bool IsUsbSerial(const std::string& name) {
    return name.starts_with("ttyUSB") || name.starts_with("ttyACM");
}

} // namespace

std::vector<std::string> SystemPortCandidates() {
    std::vector<std::string> names;
#ifdef Q_OS_WIN
    for (std::size_t i = 1; i <= MaxCandidates; ++i)
        names.push_back("Com" + std::to_string(i));
    return names;
#else
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.push_back(info.portName().toStdString());
    return OrderPortCandidates(std::move(names));
#endif
}

std::vector<std::string> OrderPortCandidates(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    std::stable_partition(names.begin(), names.end(), IsUsbSerial);
    if (names.size() > MaxCandidates) names.resize(MaxCandidates);
    return names;
}

std::optional<std::string> ProposedPortPath() {
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.push_back(info.portName().toStdString());
    return FirstUsbSerialPath(std::move(names));
#endif
}

std::string FirstUsbSerialPath(std::vector<std::string> names) {
    const std::vector<std::string> ordered = OrderPortCandidates(std::move(names));
    if (ordered.empty() || !IsUsbSerial(ordered.front())) return {};
    return "/dev/" + ordered.front();
}
