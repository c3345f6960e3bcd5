#pragma once

#include <QFont>
#include <QString>

class QCustomPlot;

// The families a text drawn in `font` was drawn in, as an SVG font-family list: the face Qt
// matched for it, its other families that are installed, then a face with Hangul where none
// of these has any (the Hangul came from one), then the generic sans-serif.
QString DrawnFamilies(const QFont& font);

// Writes the chart as an SVG drawing, whole or not at all. QSvgGenerator names only the first
// family of each text's font, which may be one the system lacks or one without Hangul; the
// file names the drawn families instead.
bool SaveSvgPicture(QCustomPlot& plot, const QString& path);
