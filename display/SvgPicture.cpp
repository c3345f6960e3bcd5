#include "display/SvgPicture.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QSvgGenerator>
#include <algorithm>
#include <qcustomplot.h>

namespace {

bool HasHangul(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Korean);
}

// A face with Hangul: the program font's, else any the system has.
QString HangulFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : QGuiApplication::font().families())
        if (installed.contains(family) && HasHangul(family)) return family;
    return QFontDatabase::families(QFontDatabase::Korean).value(0);
}

} // namespace

QString DrawnFamilies(const QFont& font) {
    // Not hasFamily(): the system's aliases would let a missing face such as Tahoma pass.
    const QStringList installed = QFontDatabase::families();
    QStringList families{QFontInfo(font).family()};
    for (const QString& family : font.families())
        if (installed.contains(family) && !families.contains(family)) families << family;
    if (std::none_of(families.begin(), families.end(), HasHangul)) {
        const QString hangul = HangulFamily();
        if (!hangul.isEmpty()) families << hangul;
    }
    QStringList quoted;
    for (const QString& family : families)
        quoted << QLatin1Char('\'') + family.toHtmlEscaped() + QLatin1Char('\'');
    return (quoted << QStringLiteral("sans-serif")).join(QStringLiteral(", "));
}

namespace {

// Each font-family the generator wrote names the drawn families instead: those of `font` where
// it is that font's family (a chart's texts are all in its font, at different sizes), else
// those of the family by itself.
QByteArray WithDrawnFamilies(const QByteArray& svg, const QFont& font) {
    static const QRegularExpression attribute(QStringLiteral("font-family=\"([^\"]*)\""));
    const QString text = QString::fromUtf8(svg);
    QHash<QString, QString> drawnFor; // every tick label names its family again
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : attribute.globalMatch(text)) {
        const QString written = match.captured(1);
        auto drawn = drawnFor.find(written);
        if (drawn == drawnFor.end())
            drawn = drawnFor.insert(
                written, DrawnFamilies(written == font.family() ? font : QFont(written)));
        result += text.mid(done, match.capturedStart() - done);
        result += QStringLiteral("font-family=\"%1\"").arg(*drawn);
        done = match.capturedEnd();
    }
    result += text.mid(done);
    return result.toUtf8();
}

} // namespace

bool SaveSvgPicture(QCustomPlot& plot, const QString& path) {
    QBuffer drawing;
    QSvgGenerator svg;
    svg.setOutputDevice(&drawing);
    svg.setSize(plot.size());
    svg.setViewBox(plot.rect());
    svg.setTitle(plot.objectName());
    QCPPainter painter;
    if (!painter.begin(&svg)) return false;
    plot.toPainter(&painter, plot.width(), plot.height());
    if (!painter.end()) return false;
    const QByteArray text = WithDrawnFamilies(drawing.data(), plot.font());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}
