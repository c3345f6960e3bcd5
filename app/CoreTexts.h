#pragma once

#include <QString>
#include <string>

// The Korean lines the Qt-free core writes (connection advice, lost samples, the chart
// readout's axis) in the language the program shows; lines it does not know, such as the
// English status lines, stay as they are.
QString CoreText(const std::string& line);
