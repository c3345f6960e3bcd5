#pragma once

#include <QString>
#include <string>

// The core's texts are UTF-8 std::string; the windows' are QString.
inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string Std(const QString& text) {
    return text.toStdString();
}
