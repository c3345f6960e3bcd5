#pragma once

#include <QString>
#include <string>

// The Korean texts the Qt-free core writes (connection advice, lost samples, the chart
// readout's axis, the analysis tables and the sine fit's lines) in the language the program
// shows; texts it does not know, such as the English status lines and numbers, stay as they
// are. The files the program writes keep the core's own texts.
QString CoreText(const std::string& line);
