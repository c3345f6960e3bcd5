#include "app/ConversionReport.h"

#include "engine/NumberText.h"

#include <QMessageBox>

void ReportConversionError(QWidget* parent, const QString& text, bool integer) {
    const QString kind = integer ? QStringLiteral("integer") : QStringLiteral("floating point");
    QMessageBox::critical(parent, QStringLiteral("Tarvik"),
                          QStringLiteral("'%1' is not a valid %2 value").arg(text, kind));
}

std::optional<double> RealOrReport(QWidget* parent, const QString& text) {
    const auto value = ParseReal(text.toStdString());
    if (!value) ReportConversionError(parent, text, false);
    return value;
}

std::optional<int> IntegerOrReport(QWidget* parent, const QString& text) {
    const auto value = ParseInteger(text.toStdString());
    if (!value) ReportConversionError(parent, text, true);
    return value;
}
