#pragma once

#include <QString>
#include <optional>

class QWidget;

// The standard report of a text that is not a number: a modal error box naming the text,
// after which the calling handler ends. The program goes on.
std::optional<double> RealOrReport(QWidget* parent, const QString& text);
std::optional<int> IntegerOrReport(QWidget* parent, const QString& text);
void ReportConversionError(QWidget* parent, const QString& text, bool integer);
